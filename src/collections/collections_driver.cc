#include "collections/collections_driver.h"

#include "analysis/folder_name.h"
#include "collections/item_conversion.h"
#include "conversion/conversion.h"
#include "platform/text.h"
#include "tablestore/error_policy.h"
#include "tablestore/table_store.h"
#include "tablestore/table_view.h"

namespace hw {

namespace {

constexpr int64_t kFirstUserRecord = 4;
constexpr int64_t kFirstCollectionRecord = 3;

void ConvertUserCollections(Conversion& c, const std::string& prior_user_folder) {
  CollectionsState& s = c.collections;
  // The table store's opens and closes of prior tables fail silently; the reads report.
  CloseFile(c, s.collection_list);
  OpenPriorTable(c, prior_user_folder, "Collect", s.collection_list, ".mst");
  int64_t last = 0;
  Attempt(c, [&] { last = LastRecord(c.slots.Prior(s.collection_list).next_record); });
  // An ignored read goes on with the entry read before, as every ignored step goes on.
  PriorCollectionEntry entry;
  for (int64_t r = kFirstCollectionRecord; r <= last; ++r) {
    Attempt(c, [&] { ReadRecord(c, s.collection_list, r, entry); });
    const std::string file_name = entry.Code.Trimmed() + ".cl4";
    s.collection_name = SafeCollectionName(entry.Name.Trimmed());
    Attempt(c, [&] { c.Log("Converting: " + s.collection_name); });
    c.SetStatus("Converting: " + s.collection_name);
    Attempt(c, [&] { ConvertCollection(c, file_name, true); });
  }
  CloseFile(c, s.collection_list);
}

void ConvertAllUsers(Conversion& c) {
  CollectionsState& s = c.collections;
  OpenPriorTable(c, c.prior_folder, "Default", s.user_list, ".mst");
  int64_t last = 0;
  Attempt(c, [&] { last = LastRecord(c.slots.Prior(s.user_list).next_record); });
  for (int64_t u = kFirstUserRecord; u <= last; ++u) {
    Attempt(c, [&] { ReadRecord(c, s.user_list, u, s.current_user); });
    const std::string prior_user_folder = s.current_user.Folder.Trimmed();
    const std::string folder_name = UserFolderName(prior_user_folder);
    if (folder_name.empty()) continue;  // a prior folder that names no folder at all
    // A one-character name leaves the new user folder as the user before left it.
    if (folder_name.size() > 1) c.new_user_folder = c.new_data_folder + folder_name;
    ConvertUserCollections(c, prior_user_folder);
  }
  CloseFile(c, s.user_list);
}

}  // namespace

std::string SafeCollectionName(std::string_view raw_name) {
  std::string safe;
  safe.reserve(raw_name.size());
  for (char ch : raw_name) {
    switch (ch) {
      case '/':
      case '\\':
        safe += '&';
        break;
      case ':':
      case ';':
      case '.':
        safe += '-';
        break;
      case '*':
      case '?':
        safe += '~';
        break;
      case '<':
        safe += '[';
        break;
      case '>':
        safe += ']';
        break;
      case '"':
        break;
      default:
        safe += ch;
    }
  }
  return safe;
}

void ConvertCollections(Conversion& c) {
  try {
    ConvertAllUsers(c);
  } catch (const LeaveOperation&) {
    CollectionsState& s = c.collections;
    c.Log("Error Converting: " + s.collection_name);
    CloseFile(c, s.collection_list);
    CloseFile(c, s.user_list);
  }
}

}  // namespace hw
