#include "analysis/analyze_install.h"

#include <string>

#include "analysis/folder_name.h"
#include "analysis/user_settings.h"
#include "platform/text.h"
#include "records/prior_lists.h"
#include "tablestore/error_policy.h"
#include "tablestore/table_store.h"

namespace hw {

namespace {

constexpr char kFailureText[] =
    "An error was encountered attempting to analyze the old installation, contact Quenfield for "
    "assistance!";

struct AnalysisTables {
  int32_t user_table = 0;
  int16_t prior_users = 0;
};

// Creates the user's folder D (relative to the current folder, which is the new data folder)
// with its two subfolders, unless new data folder + D exists already.
void CreateUserFolder(Conversion& c, const std::string& d) {
  if (!c.fs.List(c.new_data_folder + d, ListFilter::kFilesAndFolders).empty()) return;
  c.fs.MakeFolder(d);
  c.fs.ChangeFolder(c.new_data_folder + d);
  c.fs.MakeFolder("My Collections");
  c.fs.MakeFolder("User Defined Sets");
  c.fs.ChangeFolder(c.new_data_folder);
}

// Records the type of one prior collection file, unless a type of the same code (trimmed and
// upper-cased) is recorded already.
void RecordCollectionType(Conversion& c, const std::string& folder, const std::string& file) {
  const std::string base = file.substr(0, file.size() >= 4 ? file.size() - 4 : 0);
  int16_t number = 0;
  OpenPriorTable(c, folder, base, number, ".cl4");
  PriorCollectionHeader header;
  ReadRecord(c, number, 3, header);
  const std::string type = header.TypeCode.Trimmed();
  CloseFile(c, number);
  c.Log("Processing Collection: " + base + "type: " + type);
  const std::string upper = Upper1252(type);
  for (const CollectibleType& t : c.types) {
    if (Upper1252(Trim(t.code)) == upper) return;
  }
  if (static_cast<int>(c.types.size()) >= kMaxCollectibleTypes) {
    throw RunError(kSubscriptOutOfRange);
  }
  const TypeLookup found = LookupCollectibleType(c.refs, upper);
  c.types.push_back(CollectibleType{upper, found.name, found.standard});
  c.Log("Adding Collectible: " + std::to_string(c.types.size()) + type);
}

void AnalyzeUsers(Conversion& c, AnalysisTables& t) {
  c.Log("Beginning Analysis of prior installation");
  int32_t created = 0;
  OpenTable(c, c.new_data_folder, "DEFAULT", t.user_table, ".mst", UserSettingsRecord::kSize, 3,
            created);
  if (created == 1) {
    WriteRecord(c, t.user_table, 3, DefaultUserSettings(Trim(c.new_data_folder)));
    c.slots.New(t.user_table).next_record = 4;
  }
  OpenPriorTable(c, c.prior_folder, "Default", t.prior_users, ".mst");
  const int32_t users_end = c.slots.Prior(t.prior_users).next_record;
  for (int32_t r = 4; r < users_end; ++r) {
    PriorUserRecord prior;
    ReadRecord(c, t.prior_users, r, prior);
    const std::string p = prior.Folder.Trimmed();
    c.Log("Creating User: " + std::to_string(r) + " " + p);
    UserSettingsRecord user;
    ReadRecord(c, t.user_table, 3, user);
    std::string f = UserFolderName(p);
    c.Log("Modified directory: " + std::to_string(r) + " " + f);
    if (f.size() > 1) {
      CreateUserFolder(c, f.substr(0, f.size() - 1));
      c.Log("Directory had to be created: " + std::to_string(r) + " " + f);
      f = c.new_data_folder + f;
    }
    // The user's folder is one program-wide value: the collections conversion starts from
    // what the last user left here.
    c.new_user_folder = f;
    user.UserName = prior.Name;
    user.Float190 = 1.0f;
    user.Float194 = 1.0f;
    user.Long198 = 0;
    user.DataFolder.Set(f);
    AppendRecord(c, t.user_table, user);
    for (const std::string& file : c.fs.List(p + "*.cl4", ListFilter::kPlainFiles)) {
      RecordCollectionType(c, p, file);
    }
  }
  CloseFile(c, t.prior_users);
  CloseTable(c, t.user_table);
}

}  // namespace

void AnalyzeInstall(Conversion& c) {
  c.types.clear();
  AnalysisTables tables;
  if (!Attempt(c, Handler::kSilent, [&] { AnalyzeUsers(c, tables); })) {
    c.ui.MessageBox(kFailureText, Icon::kExclamation, Buttons::kOk, kTitle);
    CloseFile(c, tables.prior_users);
    CloseTable(c, tables.user_table);
    throw ProgramEnd{EndReason::kAnalysisFailed};
  }
}

}  // namespace hw
