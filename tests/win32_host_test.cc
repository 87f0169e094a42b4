// The Win32 host on real Windows folders: spellings that name the same file, the write guard
// against them, read-only files and names outside ASCII.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/t3_drive_c.h"
#include "support/temp_folder.h"

namespace hw {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

using testing::ErrorOf;
using testing::WriteError;

// The prior installation is C:\Prior Edition, a name with a distinct short 8.3 form.
class Win32HostTest : public testing::DriveCTest {
 protected:
  Win32HostTest() {
    fs::create_directories(prior_);
    fs_.SetPriorFolder("C:\\Prior Edition\\");
  }

  fs::path prior_ = c_ / "Prior Edition";
};

// Names in another case are the stored name; names outside ASCII are UTF-16 on the host, and one
// that Windows-1252 cannot write is not listed.
TEST_F(Win32HostTest, NamesInAnotherCaseOrOutsideAsciiAreTheStoredName) {
  testing::WriteBytes(data_ / "Collect.mst", "12345678");
  testing::WriteBytes(data_ / L"\u65e5.lst", "");
  EXPECT_EQ(fs_.HostPath("c:\\DATA\\COLLECT.MST"), data_ / "Collect.mst");
  fs_.OpenRandom(1, "collect.MST", 4, Access::kReadOnly);
  EXPECT_EQ(Record(1, 2, 4), "5678");
  fs_.OpenOutput(2, "COLLECT.mst");
  fs_.WriteLine(2, "x");
  fs_.OpenOutput(3, "Caf\xE9.lst");
  fs_.CloseAll();
  EXPECT_EQ(fs_.List("*", ListFilter::kPlainFiles), (Names{"Caf\xE9.lst", "Collect.mst"}));
  EXPECT_EQ(fs::file_size(data_ / "Collect.mst"), 3u);
  EXPECT_EQ(ErrorOf([&] { fs_.MakeFolder("COLLECT.MST"); }), kPathFileAccessError);
  EXPECT_EQ(fs_.HostPath("CAF\xC9.LST"), data_ / L"Caf\u00e9.lst");
  EXPECT_EQ(fs_.drives().WindowsPathOf(data_ / L"Caf\u00e9.lst"), "C:\\Data\\Caf\xE9.lst");
  EXPECT_EQ(fs_.drives().WindowsPathOf(data_ / L"\u65e5.lst"), std::nullopt);
}

TEST_F(Win32HostTest, TheWriteGuardSeesThroughOtherSpellings) {
  EXPECT_EQ(WriteError(fs_, "C:\\data\\..\\PRIOR EDITION"), kPathFileAccessError);
  std::wstring short_name(MAX_PATH, L'\0');
  const DWORD n = GetShortPathNameW(prior_.c_str(), short_name.data(), MAX_PATH);
  ASSERT_GT(n, 0u);
  short_name.resize(n);
  const std::string leaf = fs::path(short_name).filename().string();
  ASSERT_NE(leaf, "Prior Edition");
  EXPECT_EQ(WriteError(fs_, "C:\\" + leaf), kPathFileAccessError) << leaf;

  // A drive mapped through the \\?\ spelling of the same folder.
  DriveMap verbatim;
  verbatim.Map('P', fs::path(L"\\\\?\\" + c_.native()));
  FileSystem other(verbatim, "P:\\Data");
  other.SetNewDataFolder("P:\\DATA\\");
  other.SetPriorFolder("P:\\prior edition\\");
  EXPECT_EQ(WriteError(other, "P:\\Prior Edition"), kPathFileAccessError);
  EXPECT_TRUE(fs::is_empty(prior_));

  // The new data folder named in another case takes writes.
  fs::create_directories(data_ / "Sub");
  EXPECT_EQ(WriteError(other, "p:\\data\\SUB"), 0);
}

TEST_F(Win32HostTest, AReadOnlyPriorFileIsReadAndNeverWritten) {
  const fs::path file = prior_ / "Default.mst";
  testing::WriteBytes(file, "prior");
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
  // Read under two numbers at once, as a table and its existence check are.
  fs_.OpenRandom(1, "C:\\Prior Edition\\DEFAULT.MST", 5, Access::kReadOnly);
  fs_.OpenInput(2, "c:\\prior edition\\default.mst");
  EXPECT_EQ(Record(1, 1, 5), "prior");
  fs_.CloseAll();
  EXPECT_EQ(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY,
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(testing::ReadText(file), "prior");
}

TEST_F(Win32HostTest, UnmappedDrivesAreTheRealOnes) {
  const DriveMap real;
  const std::optional<std::string> current = real.WindowsPathOf(data_);
  ASSERT_TRUE(current.has_value());
  FileSystem host(real, *current);
  host.SetNewDataFolder(*current);
  host.OpenOutput(1, "Real.txt");
  host.CloseAll();
  EXPECT_TRUE(fs::exists(data_ / "Real.txt"));
  EXPECT_EQ(host.HostPath(*current + "\\..\\data\\real.TXT"), data_ / "Real.txt");
}

}  // namespace
}  // namespace hw
