#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "analysis/analyze_install.h"
#include "analysis/folder_name.h"
#include "fixtures/table_image.h"
#include "records/prior_lists.h"
#include "support/conversion_fixture.h"
#include "tablestore/error_policy.h"

namespace {

namespace fs = std::filesystem;
using hw::testing::ConversionFixture;
using hw::testing::MessageEvent;

constexpr size_t kUserLength = 659;
constexpr char kFailure[] =
    "An error was encountered attempting to analyze the old installation, contact Quenfield for "
    "assistance!";

std::string UserTable(const ConversionFixture& f) {
  const std::vector<std::byte> bytes = hw::testing::ReadBytes(f.New("DEFAULT.mst"));
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string Record(const std::string& table, int n) {
  return table.substr((n - 1) * kUserLength, kUserLength);
}

using FolderName = std::pair<std::string, std::string>;

// A user's data folder and name, blank-padded in their record (the rest of the record is the
// default one, whose bytes the sample conversion pins).
FolderName FolderAndName(const std::string& table, int n) {
  const std::string r = Record(table, n);
  auto trimmed = [&](size_t offset, size_t width) {
    const std::string t = r.substr(offset, width);
    return t.substr(0, t.find_last_not_of(' ') + 1);
  };
  return {trimmed(8, 128), trimmed(136, 24)};
}

// The log from line `first` (counting from 0) on.
std::vector<std::string> LogFrom(const ConversionFixture& f, size_t first) {
  const std::vector<std::string> log = f.LogLines();
  return {log.begin() + static_cast<ptrdiff_t>(std::min(first, log.size())), log.end()};
}

// A prior collection file of the user folder (relative to the prior installation) with the
// type code in its header.
void WriteCollection(const ConversionFixture& f, const std::string& user, const std::string& file,
                     const std::string& type) {
  f.MakePriorFolder(user);
  hw::TableImage t = hw::TableImage::Prior(file, 2914, 4);
  hw::PriorCollectionHeader header;
  header.TypeCode.Set(type);
  t.Put(3, header);
  t.WriteTo(f.Prior(user + "\\" + file));
}

TEST(UserFolderName, FollowsTheSecondBackslashOrTheLastName) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\HWVER4\\SMITH\\", "SMITH\\"},
      {"D:\\SMITH\\", "SMITH\\"},
      {"C:\\HWVER4\\A\\B\\", "A\\B\\"},
      {"C:\\HWVER4\\X", "X"},
      {"SMITH\\", "SMITH\\"},
      {"C:SMITH", "SMITH\\"},
      {"C:\\", ""},
      {"", ""},
  };
  for (const auto& [prior, name] : cases) EXPECT_EQ(hw::UserFolderName(prior), name) << prior;
}

TEST(AnalyzeInstall, WithoutPriorUserListWritesOnlyTheDefaultRecord) {
  ConversionFixture f;
  hw::AnalyzeInstall(f.c());
  EXPECT_TRUE(f.c().types.empty());
  EXPECT_TRUE(f.ui.Messages().empty());
  EXPECT_EQ(f.LogLines(), std::vector<std::string>{"Beginning Analysis of prior installation"});
  EXPECT_EQ(f.NextRecordOf("DEFAULT.mst"), 4);
  const std::string table = UserTable(f);
  EXPECT_EQ(table.size(), 3 * kUserLength);
  EXPECT_EQ(FolderAndName(table, 3), FolderName("N:\\", "MyData"));
}

TEST(AnalyzeInstall, AppendsUsersAndMakesTheirFolders) {
  ConversionFixture f;
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\", "D:\\SMITH\\", "JONES\\", "C:\\"});
  hw::AnalyzeInstall(f.c());
  EXPECT_TRUE(f.ui.Messages().empty());
  // After the first user: one of the same folder, a relative folder, and one without a folder.
  EXPECT_EQ(LogFrom(f, 4), (std::vector<std::string>{
                               "Creating User: 5 D:\\SMITH\\",
                               "Modified directory: 5 SMITH\\",
                               "Directory had to be created: 5 SMITH\\",
                               "Creating User: 6 JONES\\",
                               "Modified directory: 6 JONES\\",
                               "Directory had to be created: 6 JONES\\",
                               "Creating User: 7 C:\\",
                               "Modified directory: 7 ",
                           }));
  EXPECT_EQ(f.NextRecordOf("DEFAULT.mst"), 8);
  const std::string table = UserTable(f);
  const FolderName users[] = {{"N:\\SMITH\\", "User 1"},
                              {"N:\\SMITH\\", "User 2"},
                              {"N:\\JONES\\", "User 3"},
                              {"", "User 4"}};
  for (int n = 4; n <= 7; ++n) EXPECT_EQ(FolderAndName(table, n), users[n - 4]) << n;
  for (const char* made : {"SMITH/My Collections", "SMITH/User Defined Sets",
                           "JONES/My Collections", "JONES/User Defined Sets"}) {
    EXPECT_TRUE(fs::is_directory(f.n_root / made)) << made;
  }

  // A second run keeps the table and the folders and appends the same users again.
  hw::AnalyzeInstall(f.c());
  EXPECT_TRUE(f.ui.Messages().empty());
  EXPECT_EQ(f.NextRecordOf("DEFAULT.mst"), 12);
  const std::string again = UserTable(f);
  for (int n = 3; n <= 7; ++n) EXPECT_TRUE(Record(again, n) == Record(table, n)) << n;
  EXPECT_TRUE(Record(again, 8) == Record(table, 4));
}

TEST(AnalyzeInstall, RecordsEachCollectibleTypeOnce) {
  ConversionFixture f;
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\"});
  WriteCollection(f, "SMITH", "aaa.cl4", "stamps");
  WriteCollection(f, "SMITH", "BBB.cl4", "STAMPS");
  WriteCollection(f, "SMITH", "ccc.cl4", "xyZ");
  WriteCollection(f, "SMITH", "ddd.cl5", "OTHER");
  hw::AnalyzeInstall(f.c());
  EXPECT_EQ(f.c().new_user_folder, "N:\\SMITH\\");  // where the collections conversion starts
  EXPECT_EQ(LogFrom(f, 4), (std::vector<std::string>{
                               "Processing Collection: aaatype: stamps",
                               "Adding Collectible: 1stamps",
                               "Processing Collection: BBBtype: STAMPS",
                               "Processing Collection: ccctype: xyZ",
                               "Adding Collectible: 2xyZ",
                           }));
  const std::vector<hw::CollectibleType>& types = f.c().types;
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(std::tie(types[0].code, types[0].name, types[0].standard),
            std::make_tuple("STAMPS", "Stamp", true));
  EXPECT_EQ(std::tie(types[1].code, types[1].name, types[1].standard),
            std::make_tuple("XYZ", "Xyz", false));
}

TEST(AnalyzeInstall, AnyErrorShowsItsMessageAndEndsTheProgram) {
  struct Case {
    const char* name;
    std::vector<std::string> users;
    bool many_types;
    const char* last_log_line;
    int32_t next_record;
  };
  const Case cases[] = {
      {"81st type", {"C:\\HWVER4\\SMITH\\"}, true, "Processing Collection: T81type: T81", 5},
      {"folder without parent", {"C:\\HWVER4\\A\\B\\"}, false, "Modified directory: 4 A\\B\\", 4},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ConversionFixture f;
    f.WritePriorUsers(test.users);
    for (int i = 1; test.many_types && i <= 81; ++i) {
      const std::string code = (i < 10 ? "T0" : "T") + std::to_string(i);
      WriteCollection(f, "SMITH", code + ".cl4", code);
    }
    try {
      hw::AnalyzeInstall(f.c());
      ADD_FAILURE() << "the analysis returned";
    } catch (const hw::ProgramEnd& end) {
      EXPECT_EQ(end.reason, hw::EndReason::kAnalysisFailed);
    }
    EXPECT_EQ(f.ui.Messages(),
              (std::vector<MessageEvent>{{kFailure, hw::Icon::kExclamation, hw::Buttons::kOk,
                                          hw::kTitle, hw::Reply::kOk}}));
    EXPECT_EQ(f.LogLines().back(), test.last_log_line);
    EXPECT_EQ(f.c().types.size(), test.many_types ? 80u : 0u);
    // The user table was closed on the way out: its header counts the users appended.
    EXPECT_EQ(f.NextRecordOf("DEFAULT.mst"), test.next_record);
  }
}

}  // namespace
