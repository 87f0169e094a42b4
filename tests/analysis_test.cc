#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "analysis/analyze_install.h"
#include "analysis/folder_name.h"
#include "fixtures/table_image.h"
#include "platform/text.h"
#include "records/prior_lists.h"
#include "support/conversion_fixture.h"
#include "tablestore/error_policy.h"

namespace hw {
namespace {

using testing::ConversionFixture;

constexpr size_t kUserLength = 659;

std::string Record(const std::string& table, int n) {
  return table.substr((n - 1) * kUserLength, kUserLength);
}

using FolderName = std::pair<std::string, std::string>;

// A user's data folder and name, blank-padded in their record (the rest of the record is the
// default one, whose bytes the sample conversion pins).
FolderName FolderAndName(const std::string& table, int n) {
  const std::string r = Record(table, n);
  return {Trim(r.substr(8, 128)), Trim(r.substr(136, 24))};
}

// A prior collection file of the prior user folder SMITH with the type code in its header.
void WriteCollection(const ConversionFixture& f, const std::string& file, const std::string& type) {
  f.MakePriorFolder("SMITH");
  TableImage t = TableImage::Prior(file, 2914, 4);
  PriorCollectionHeader header;
  header.TypeCode.Set(type);
  t.Put(3, header);
  t.WriteTo(f.Prior("SMITH\\" + file));
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
  for (const auto& [prior, name] : cases) EXPECT_EQ(UserFolderName(prior), name) << prior;
}

// Without a prior user list only the default record is written; a later run keeps that table
// and appends every user, makes their folders and records each collectible type once.
TEST(AnalyzeInstall, WritesTheUserTableAndRecordsEachCollectibleTypeOnce) {
  ConversionFixture f;
  AnalyzeInstall(f.c());
  EXPECT_EQ(f.NextRecordOf("DEFAULT.mst"), 4);
  const std::string first = testing::ReadText(f.New("DEFAULT.mst"));
  EXPECT_EQ(first.size(), 3 * kUserLength);
  EXPECT_EQ(FolderAndName(first, 3), FolderName("N:\\", "MyData"));

  // A user without a folder, one of a folder made already, and a relative folder.
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\", "C:\\", "D:\\SMITH\\", "JONES\\"});
  WriteCollection(f, "aaa.cl4", "stamps");
  WriteCollection(f, "BBB.cl4", "STAMPS");
  WriteCollection(f, "ccc.cl4", "xyZ");
  WriteCollection(f, "ddd.cl5", "OTHER");
  AnalyzeInstall(f.c());
  EXPECT_TRUE(f.ui.Messages().empty());
  EXPECT_EQ(f.LogLines(), (std::vector<std::string>{
                              "Beginning Analysis of prior installation",
                              "Beginning Analysis of prior installation",
                              "Creating User: 4 C:\\HWVER4\\SMITH\\",
                              "Modified directory: 4 SMITH\\",
                              "Directory had to be created: 4 SMITH\\",
                              "Processing Collection: aaatype: stamps",
                              "Adding Collectible: 1stamps",
                              "Processing Collection: BBBtype: STAMPS",
                              "Processing Collection: ccctype: xyZ",
                              "Adding Collectible: 2xyZ",
                              "Creating User: 5 C:\\",
                              "Modified directory: 5 ",
                              "Creating User: 6 D:\\SMITH\\",
                              "Modified directory: 6 SMITH\\",
                              "Directory had to be created: 6 SMITH\\",
                              "Creating User: 7 JONES\\",
                              "Modified directory: 7 JONES\\",
                              "Directory had to be created: 7 JONES\\",
                          }));
  const std::vector<CollectibleType>& types = f.c().types;
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(std::tie(types[0].code, types[0].name, types[0].standard),
            std::make_tuple("STAMPS", "Stamp", true));
  EXPECT_EQ(std::tie(types[1].code, types[1].name, types[1].standard),
            std::make_tuple("XYZ", "Xyz", false));
  EXPECT_EQ(f.c().new_user_folder, "N:\\JONES\\");  // the last user's: the collections start there

  EXPECT_EQ(f.NextRecordOf("DEFAULT.mst"), 8);
  const std::string table = testing::ReadText(f.New("DEFAULT.mst"));
  EXPECT_TRUE(Record(table, 3) == Record(first, 3));
  const FolderName users[] = {{"N:\\SMITH\\", "User 1"},
                              {"", "User 2"},
                              {"N:\\SMITH\\", "User 3"},
                              {"N:\\JONES\\", "User 4"}};
  for (int n = 4; n <= 7; ++n) EXPECT_EQ(FolderAndName(table, n), users[n - 4]) << n;
  for (const char* made : {"SMITH/My Collections", "SMITH/User Defined Sets",
                           "JONES/My Collections", "JONES/User Defined Sets"}) {
    EXPECT_TRUE(std::filesystem::is_directory(f.n_root / made)) << made;
  }
  // A further run keeps the table and appends the same users again.
  AnalyzeInstall(f.c());
  EXPECT_EQ(f.NextRecordOf("DEFAULT.mst"), 12);
  EXPECT_TRUE(f.ui.Messages().empty());
}

// The user table is closed on the way out: its header counts the users appended.
TEST(AnalyzeInstall, AnyErrorShowsItsMessageAndEndsTheProgram) {
  for (const bool many_types : {true, false}) {
    SCOPED_TRACE(many_types ? "81st type" : "folder without parent");
    ConversionFixture f;
    f.WritePriorUsers({many_types ? "C:\\HWVER4\\SMITH\\" : "C:\\HWVER4\\A\\B\\"});
    for (int i = 1; many_types && i <= 81; ++i) {
      const std::string code = (i < 10 ? "T0" : "T") + std::to_string(i);
      WriteCollection(f, code + ".cl4", code);
    }
    EXPECT_THROW(AnalyzeInstall(f.c()), ProgramEnd);
    EXPECT_EQ(f.ui.MessageTexts(),
              std::vector<std::string>{"An error was encountered attempting to analyze the old "
                                       "installation, contact Quenfield for assistance!"});
    EXPECT_EQ(
        std::make_tuple(f.LogLines().back(), f.c().types.size(), f.NextRecordOf("DEFAULT.mst")),
        many_types ? std::make_tuple("Processing Collection: T81type: T81", 80u, 5)
                   : std::make_tuple("Modified directory: 4 A\\B\\", 0u, 4));
  }
}

}  // namespace
}  // namespace hw
