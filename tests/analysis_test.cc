#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
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

// One field of the user settings record: offset, width, type (T text, blank-padded; Z never
// assigned; I little-endian integer; F 32-bit float; C currency) and value.
struct Field {
  size_t offset;
  size_t width;
  char type;
  std::string_view text = "";
  double value = 0;
};

// The default user settings record, field by field, for the new data folder "N:\".
// clang-format off
constexpr Field kDefaultRecord[] = {
    {0, 8, 'T', "5.0.0"},   {8, 128, 'T', "N:\\"}, {136, 24, 'T', "MyData"}, {160, 2, 'I', "", -1},
    {162, 2, 'I', "", -1},  {164, 2, 'T', "C"},    {166, 4, 'I'},            {170, 2, 'I'},
    {172, 4, 'I'},          {176, 2, 'I'},         {178, 12, 'T'},           {190, 4, 'F'},
    {194, 4, 'F'},          {198, 4, 'I'},         {202, 4, 'F'},            {206, 4, 'F'},
    {210, 4, 'F', "", -1},  {214, 4, 'F', "", -1}, {218, 1, 'T'},
    {219, 32, 'T', "Times New Roman"},             {251, 32, 'T', "Times New Roman"},
    {283, 2, 'I'},          {285, 2, 'I', "", -1},
    {287, 2, 'I', "", -1},  {289, 2, 'I'},         {291, 4, 'I'},            {295, 4, 'I'},
    {299, 8, 'Z'},          {307, 16, 'Z'},        {323, 4, 'I', "", 9},     {327, 4, 'I', "", 10},
    {331, 16, 'T', "New"},  {347, 8, 'C'},         {355, 1, 'T', "Y"},       {356, 8, 'C', "", 1},
    {364, 8, 'C', "", 1},   {372, 4, 'I'},         {376, 2, 'I'},            {378, 16, 'T'},
    {394, 4, 'I'},          {398, 4, 'T', "$"},    {402, 4, 'T'},            {406, 1, 'T', "."},
    {407, 4, 'F', "", 2},   {411, 48, 'Z'},        {459, 24, 'T'},           {483, 4, 'I'},
    {487, 8, 'C'},          {495, 8, 'C'},         {503, 4, 'I'},            {507, 24, 'T'},
    {531, 4, 'I'},          {535, 124, 'T'}};
// clang-format on

void Put(std::string& record, const Field& f) {
  std::string bytes(f.width, '\0');
  int64_t n = static_cast<int64_t>(f.value);
  if (f.type == 'T') {
    bytes.assign(f.width, ' ');
    bytes.replace(0, f.text.size(), f.text);
  } else if (f.type == 'F') {
    const float v = static_cast<float>(f.value);
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    n = bits;
  } else if (f.type == 'C') {
    n *= 10000;
  }
  if (f.type != 'T') {
    for (size_t i = 0; i < f.width && i < 8; ++i) bytes[i] = static_cast<char>(n >> (8 * i));
  }
  record.replace(f.offset, f.width, bytes);
}

std::string DefaultRecord() {
  std::string record(kUserLength, 'x');
  size_t end = 0;
  for (const Field& f : kDefaultRecord) {
    EXPECT_EQ(f.offset, end) << "the fields lie packed";
    Put(record, f);
    end = f.offset + f.width;
  }
  EXPECT_EQ(end, kUserLength);
  return record;
}

// A converted user: the default record with its name, data folder and the two floats at 1.0.
std::string UserRecord(std::string_view name, std::string_view folder) {
  std::string record = DefaultRecord();
  Put(record, {8, 128, 'T', folder});
  Put(record, {136, 24, 'T', name});
  Put(record, {190, 4, 'F', "", 1});
  Put(record, {194, 4, 'F', "", 1});
  return record;
}

std::string UserTable(const ConversionFixture& f) {
  const std::vector<std::byte> bytes = hw::testing::ReadBytes(f.New("DEFAULT.mst"));
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string Record(const std::string& table, int n) {
  return table.substr((n - 1) * kUserLength, kUserLength);
}

int32_t NextRecord(const std::string& table) {
  int32_t n;
  std::memcpy(&n, table.data() + 16, 4);
  return n;
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
  const std::string table = UserTable(f);
  EXPECT_EQ(NextRecord(table), 4);
  EXPECT_EQ(table.size(), 3 * kUserLength);
  EXPECT_EQ(Record(table, 3), DefaultRecord());
}

TEST(AnalyzeInstall, AppendsUsersAndMakesTheirFolders) {
  ConversionFixture f;
  f.WritePriorUsers({"C:\\HWVER4\\SMITH\\", "D:\\SMITH\\", "JONES\\", "C:\\"});
  hw::AnalyzeInstall(f.c());
  EXPECT_TRUE(f.ui.Messages().empty());
  EXPECT_EQ(f.LogLines(), (std::vector<std::string>{
                              "Beginning Analysis of prior installation",
                              "Creating User: 4 C:\\HWVER4\\SMITH\\",
                              "Modified directory: 4 SMITH\\",
                              "Directory had to be created: 4 SMITH\\",
                              "Creating User: 5 D:\\SMITH\\",
                              "Modified directory: 5 SMITH\\",
                              "Directory had to be created: 5 SMITH\\",
                              "Creating User: 6 JONES\\",
                              "Modified directory: 6 JONES\\",
                              "Directory had to be created: 6 JONES\\",
                              "Creating User: 7 C:\\",
                              "Modified directory: 7 ",
                          }));
  const std::string table = UserTable(f);
  EXPECT_EQ(NextRecord(table), 8);
  EXPECT_EQ(Record(table, 3), DefaultRecord());
  EXPECT_EQ(Record(table, 4), UserRecord("User 1", "N:\\SMITH\\"));
  EXPECT_EQ(Record(table, 5), UserRecord("User 2", "N:\\SMITH\\"));
  EXPECT_EQ(Record(table, 6), UserRecord("User 3", "N:\\JONES\\"));
  EXPECT_EQ(Record(table, 7), UserRecord("User 4", ""));  // a user without a folder of its own
  for (const char* made : {"SMITH/My Collections", "SMITH/User Defined Sets",
                           "JONES/My Collections", "JONES/User Defined Sets"}) {
    EXPECT_TRUE(fs::is_directory(f.n_root / made)) << made;
  }

  // A second run keeps the table and the folders and appends the same users again.
  hw::AnalyzeInstall(f.c());
  EXPECT_TRUE(f.ui.Messages().empty());
  const std::string again = UserTable(f);
  EXPECT_EQ(NextRecord(again), 12);
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
  const std::vector<std::string> log = f.LogLines();
  EXPECT_EQ(std::vector<std::string>(log.begin() + 4, log.end()),
            (std::vector<std::string>{
                "Processing Collection: aaatype: stamps",
                "Adding Collectible: 1stamps",
                "Processing Collection: BBBtype: STAMPS",
                "Processing Collection: ccctype: xyZ",
                "Adding Collectible: 2xyZ",
            }));
  const std::vector<hw::CollectibleType>& types = f.c().types;
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(types[0].code, "STAMPS");
  EXPECT_EQ(types[0].name, "Stamp");
  EXPECT_TRUE(types[0].standard);
  EXPECT_EQ(types[1].code, "XYZ");
  EXPECT_EQ(types[1].name, "Xyz");
  EXPECT_FALSE(types[1].standard);
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
    EXPECT_EQ(NextRecord(UserTable(f)), test.next_record);
  }
}

}  // namespace
