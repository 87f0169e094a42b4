#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fault_plan.h"
#include "platform/file_system.h"
#include "support/scripted_ui.h"
#include "support/t3_drive_c.h"
#include "support/temp_folder.h"
#include "tablestore/runtime.h"

namespace hw {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

using testing::Bytes;
using testing::ErrorOf;
using testing::ReadText;
using testing::WriteError;

void Put(const fs::path& file, std::string_view bytes = "") { testing::WriteBytes(file, bytes); }

using Names = std::vector<std::string>;
using enum ListFilter;
using enum Access;

using FileSystemTest = testing::DriveCTest;

TEST_F(FileSystemTest, PathsAreNormalizedFoldersMadeAndChangedAndListed) {
  EXPECT_EQ(fs_.HostPath("C:\\Data/a\\\\b//.\\c\\..\\d"), data_ / "a" / "b" / "d");
  EXPECT_EQ(fs_.HostPath("C:\\..\\..\\Data\\..\\..\\x"), c_ / "x");  // ".." stops at the root
  EXPECT_EQ(fs_.HostPath("C:\\Data\\a\0\\b"s), data_ / "a");
  EXPECT_EQ(fs_.HostPath("C:\\Data\\name. .\\file.txt . "), data_ / "name" / "file.txt");
  EXPECT_EQ(fs_.HostPath("\\x"), c_ / "x");
  EXPECT_EQ(fs_.HostPath("c:x"), data_ / "x");  // the current folder's drive, drive-relative

  // Folders are made once, and the current folder changes without moving the process's.
  Put(data_ / "plain");
  EXPECT_EQ(ErrorOf([&] { fs_.MakeFolder("Plain"); }), kPathFileAccessError);
  EXPECT_EQ(ErrorOf([&] { fs_.MakeFolder("none\\child"); }), kPathNotFound);
  fs_.MakeFolder("combos\\");
  EXPECT_EQ(ErrorOf([&] { fs_.MakeFolder("COMBOS"); }), kPathFileAccessError);
  fs_.MakeFolder("combos\\Coin");

  const fs::path process_cwd = fs::current_path();
  fs_.ChangeFolder("COMBOS\\.\\coin\\");
  EXPECT_EQ(fs_.CurrentFolder(), "C:\\Data\\COMBOS\\coin");
  EXPECT_EQ(fs_.HostPath("list.cb5"), data_ / "combos" / "Coin" / "list.cb5");
  EXPECT_EQ(fs::current_path(), process_cwd);
  fs_.ChangeFolder("..");
  EXPECT_EQ(ErrorOf([&] { fs_.ChangeFolder("Missing"); }), kPathNotFound);
  EXPECT_EQ(fs_.CurrentFolder(), "C:\\Data\\COMBOS");
  fs_.ChangeFolder("..");

  // Listings follow Windows wildcards.
  for (const char* f : {"a.cl4", "B.CL4", "x.cl40", "a.txt", "ab.cl4"}) Put(data_ / f);
  fs::create_directories(data_ / "d.cl4");
  EXPECT_EQ(fs_.List("C:\\DATA\\*.CL4", kFilesAndFolders),
            (Names{"a.cl4", "ab.cl4", "B.CL4", "d.cl4"}));
  EXPECT_EQ(fs_.List("?.cl4", kPlainFiles), (Names{"a.cl4", "B.CL4"}));  // not the folder
  // A name without wildcards matches in any case; ending in "." it asks for no extension.
  Put(data_ / "Readme");
  EXPECT_EQ(fs_.List("A.CL4", kPlainFiles), Names{"a.cl4"});
  EXPECT_EQ(fs_.List("readme.", kPlainFiles), Names{"Readme"});
  EXPECT_TRUE(fs_.List("a.cl4.", kPlainFiles).empty());
  EXPECT_TRUE(fs_.List("a.cl", kPlainFiles).empty());

  // "folder\." asks whether the folder exists.
  EXPECT_EQ(fs_.List("D.CL4\\.", kFilesAndFolders), Names{"."});
  EXPECT_TRUE(fs_.List("missing\\.", kFilesAndFolders).empty());
  EXPECT_TRUE(fs_.List("a.cl4\\.", kFilesAndFolders).empty());
}

// File numbers, modes, record lengths and positions are checked before use; sequential output
// replaces the file and ends its lines with CR LF.
TEST_F(FileSystemTest, FilesAreOpenedUnderCheckedNumbersModesLengthsAndFaults) {
  Put(data_ / "Log.lst", "an older, longer log");
  fs_.OpenOutput(1, "LOG.LST");
  fs_.OpenRandom(2, "two.dat", 4, kReadWrite);
  EXPECT_EQ(ErrorOf([&] { fs_.OpenInput(2, "log.lst"); }), kFileAlreadyOpen);
  EXPECT_EQ(ErrorOf([&] { fs_.OpenRandom(1, "x.dat", 8, kReadOnly); }), kFileAlreadyOpen);
  EXPECT_FALSE(fs::exists(data_ / "x.dat"));
  fs_.Close(2);
  EXPECT_EQ(ErrorOf([&] { fs_.WriteLine(2, "x"); }), kBadFileNameOrNumber);
  EXPECT_EQ(ErrorOf([&] { Record(2, 1, 4); }), kBadFileNameOrNumber);
  fs_.Close(2);  // closing what is not open does nothing
  EXPECT_EQ(ErrorOf([&] { fs_.Close(0); }), kBadFileNameOrNumber);
  fs_.WriteLine(1, "Converting: US Coins");
  fs_.WriteLine(1, "");
  fs_.Close(1);
  EXPECT_EQ(ReadText(data_ / "Log.lst"), "Converting: US Coins\r\n\r\n");

  EXPECT_EQ(ErrorOf([&] { fs_.OpenInput(1, "absent.txt"); }), kFileNotFound);
  EXPECT_EQ(ErrorOf([&] { fs_.OpenOutput(1, "absent\\x.txt"); }), kPathNotFound);
  fs_.OpenInput(1, "log.lst");
  EXPECT_EQ(ErrorOf([&] { fs_.WriteLine(1, "x"); }), kBadFileMode);
  fs_.OpenRandom(2, "log.lst", 4, kReadOnly);
  EXPECT_EQ(ErrorOf([&] { fs_.PutRecord(2, 1, Bytes("XXXX")); }), kPathFileAccessError);
  EXPECT_EQ(ReadText(data_ / "Log.lst"), "Converting: US Coins\r\n\r\n");
  fs_.CloseAll();

  auto open = [&](int32_t length) {
    return ErrorOf([&] { fs_.OpenRandom(2, "r.dat", length, kReadWrite); });
  };
  EXPECT_EQ((std::vector{open(0), open(-1), open(32768)}), std::vector<int>(3, kBadRecordLength));
  EXPECT_FALSE(fs::exists(data_ / "r.dat"));
  EXPECT_EQ(open(32767), 0);
  fs_.OpenRandom(4, "s.dat", 4, kReadWrite);
  EXPECT_EQ(ErrorOf([&] { Record(4, 1, 5); }), kBadRecordLength);
  EXPECT_EQ(ErrorOf([&] { fs_.PutRecord(4, 1, Bytes("12345")); }), kBadRecordLength);
  // A record number so large that its position cannot be held.
  const int64_t huge = std::numeric_limits<int64_t>::max() / 2;
  EXPECT_EQ(ErrorOf([&] { Record(2, huge, 5); }), kBadRecordNumber);
  EXPECT_EQ(ErrorOf([&] { fs_.PutRecord(2, huge, Bytes("12345")); }), kBadRecordNumber);
  fs_.CloseAll();
  EXPECT_EQ(fs::file_size(data_ / "s.dat"), 0u);

  // An injected fault lets its count of operations through, then fails its number of times.
  FaultPlan plan;
  plan.Add({"LOG.LST", FaultOp::kOpen, kDiskFull, 2});
  plan.Add({"log.lst", FaultOp::kWrite, kDiskFull, 1, 1});
  fs_.SetFaultPlan(&plan);

  EXPECT_EQ(ErrorOf([&] { fs_.OpenOutput(1, "log.lst"); }), kDiskFull);
  EXPECT_EQ(ErrorOf([&] { fs_.OpenOutput(1, "Log.Lst"); }), kDiskFull);  // a retry counts
  fs_.OpenOutput(1, "log.lst");
  fs_.WriteLine(1, "fine");
  EXPECT_EQ(ErrorOf([&] { fs_.WriteLine(1, "full"); }), kDiskFull);  // once the file has grown
  fs_.WriteLine(1, "room again");
}

// Records are read ahead and written behind in blocks: against a plain model of the file, random
// runs of writes and reads through three numbers on one file (one read-only), past the end and
// across blocks, with lengths and closes in between, read what was last written, and zeros past
// the end; the file holds the model once closed, the header written last included.
TEST_F(FileSystemTest, RecordsThroughSeveralNumbersReadWhatWasLastWritten) {
  constexpr int32_t kLength = 3000;  // about 87 records to a block
  std::string model;
  std::mt19937 rng(11);
  const char* paths[] = {"", "shared.dat", "SHARED.DAT", "Shared.Dat"};
  for (int n = 1; n <= 3; ++n)
    fs_.OpenRandom(n, paths[n], kLength, n == 2 ? kReadOnly : kReadWrite);
  for (int step = 0; step < 3000; ++step) {
    const int number = 1 + static_cast<int>(rng() % 3);
    const int64_t first = 1 + static_cast<int64_t>(rng() % 300);
    const size_t size = 1 + rng() % kLength;
    const unsigned op = rng() % 8;
    const int64_t end = first + 1 + static_cast<int64_t>(rng() % 40);
    if (op == 3) {
      EXPECT_EQ(fs_.Length(number), static_cast<int64_t>(model.size()));
    } else if (op == 4) {
      fs_.Close(number);
      fs_.OpenRandom(number, paths[number], kLength, number == 2 ? kReadOnly : kReadWrite);
    } else {
      // A run of consecutive records written, as an append does, or read going forward, as a
      // scan does.
      const bool write = op < 3 && number != 2;
      for (int64_t r = first; r < end; ++r) {
        const size_t pos = static_cast<size_t>(r - 1) * kLength;
        if (write) {
          model.resize(std::max(model.size(), pos + size));
          model.replace(pos, size, size, static_cast<char>('A' + step % 26));
          fs_.PutRecord(number, r, Bytes(std::string_view(model).substr(pos, size)));
        } else {
          std::string expected = pos < model.size() ? model.substr(pos, size) : "";
          expected.resize(size, '\0');
          ASSERT_EQ(Record(number, r, size), expected) << "step " << step;
        }
      }
    }
  }
  fs_.PutRecord(1, 1, Bytes("header"));
  model.replace(0, 6, "header");
  fs_.CloseAll();
  EXPECT_EQ(ReadText(data_ / "shared.dat"), model);
}

TEST_F(FileSystemTest, WritesLandOnlyInsideTheNewDataFolderAndOutsideThePrior) {
  for (const fs::path& folder : {c_ / "HWVER4", c_ / "Other", data_ / "HWVER4", data_ / "Sub"}) {
    fs::create_directories(folder);
  }
  EXPECT_EQ(WriteError(fs_, "C:\\Data\\hwver4"), 0);
  EXPECT_EQ(WriteError(fs_, "C:\\Other"), kPathFileAccessError);
  EXPECT_EQ(WriteError(fs_, "C:\\HWVER4"), kPathFileAccessError);
  EXPECT_EQ(ErrorOf([&] { fs_.OpenOutput(1, "C:\\Data"); }), kPathFileAccessError);
  // Other spellings of the same folders get the same answers.
  EXPECT_EQ(WriteError(fs_, "c:\\DATA\\..\\hwVer4\\."), kPathFileAccessError);
  EXPECT_EQ(WriteError(fs_, "c:\\dATA\\SUB"), 0);
  EXPECT_TRUE(fs::is_empty(c_ / "HWVER4"));

  // The prior installation inside the new data folder.
  fs_.SetPriorFolder("C:\\Data\\HWVER4\\");
  EXPECT_EQ(WriteError(fs_, "c:\\data\\Hwver4\\made"), kPathFileAccessError);
  EXPECT_EQ(WriteError(fs_, "C:\\Data"), 0);

  // The new data folder inside the prior installation.
  fs_.SetPriorFolder("C:\\");
  EXPECT_EQ(WriteError(fs_, "C:\\Data\\Made"), kPathFileAccessError);
}

// Device names, as a name or a folder, in any spelling, and characters Windows refuses.
TEST_F(FileSystemTest, DeviceNamesAndIllegalCharactersAreBadFileNamesAndNeverOpened) {
  for (const std::string path :
       {"CON", "nul.txt", "Com1.cl4", "LPT9", "aux .lst", "prn.a.b", "CONOUT$", "com\xB9",
        "\\\\.\\NUL", "na<b", "na>b", "na:b", "na\"b", "na|b", "na?b", "na*b"}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(ErrorOf([&] { fs_.OpenInput(1, path); }), kBadFileNameOrNumber);
    EXPECT_EQ(ErrorOf([&] { fs_.OpenOutput(1, path); }), kBadFileNameOrNumber);
    EXPECT_EQ(WriteError(fs_, "C:\\Data\\" + path), kBadFileNameOrNumber);  // as a folder
  }
  EXPECT_TRUE(fs::is_empty(data_));
  // Near misses are ordinary names.
  for (const char* name : {"COM0", "LPT10", "CONSOLE", "NULL.txt"}) fs_.MakeFolder(name);
  EXPECT_EQ(fs_.List("*", kFilesAndFolders), (Names{"COM0", "CONSOLE", "LPT10", "NULL.txt"}));
}

#ifndef _WIN32  // Z: as the host root, case variants side by side, UTF-8 names, symbolic links
// Z: is the host root, other unmapped drives hold nothing, and a host folder shows through the
// drive whose folder is its longest whole-component prefix.
TEST_F(FileSystemTest, DrivesShowHostFolders) {
  EXPECT_TRUE(fs_.List("Q:\\*", kFilesAndFolders).empty());
  EXPECT_EQ(ErrorOf([&] { fs_.OpenInput(1, "Q:\\f.txt"); }), kPathNotFound);
  EXPECT_EQ(WriteError(fs_, "Q:"), kPathFileAccessError);
  EXPECT_EQ(FileSystem(testing::Mapped('z', c_), "Z:\\").HostPath("z:\\Data\\f.txt"),
            data_ / "f.txt");

  const fs::path srv = c_ / "srv";
  DriveMap d;
  d.Map('N', srv);
  d.Map('M', srv / "new");
  d.Map('Z', c_ / "z");  // nothing is left for the host root
  EXPECT_EQ(d.WindowsPathOf(srv / "new" / "a"), "M:\\a");
  EXPECT_EQ(d.WindowsPathOf(srv / "news" / "b"), "N:\\news\\b");
  EXPECT_EQ(d.WindowsPathOf(srv / "new"), "M:\\");
  EXPECT_EQ(d.WindowsPathOf(c_ / "srvnew"), std::nullopt);
  EXPECT_EQ(d.WindowsPathOf(srv / "caf\xC3\xA9"), "N:\\caf\xE9");
  EXPECT_EQ(d.WindowsPathOf(srv / "\xC4\x80"), std::nullopt);  // not in the code page

  // A folder named with a trailing separator, and not made yet, is the same folder.
  d.Map('P', c_ / "later" / "");
  d.Map('O', c_ / "later");
  EXPECT_EQ(d.WindowsPathOf(c_ / "later" / "x"), "O:\\x");
  EXPECT_EQ(d.WindowsPathOf(c_ / "later"), "O:\\");
}

// Names match without regard to case when the exact one is absent, names outside ASCII upper-cased
// in Windows-1252 and kept in UTF-8 on the host. Folders are listed once and then answered from
// an index, which the program's own names keep up to date and any other change to the folder
// (seen by its changed time) rebuilds.
TEST_F(FileSystemTest, NamesMatchWithoutRegardToCaseAndFollowTheFolderAsItChanges) {
  EXPECT_EQ(fs_.HostPath("Caf\xE9.txt"), data_ / "Caf\xC3\xA9.txt");
  // A POSIX folder can hold a device name such as CON.cl4; Windows cannot, so it is not listed.
  for (const char* f :
       {"b", "A", "a", "\xC3\xA9t\xC3\xA9", "F", "_x", "Caf\xC3\xA9.txt", "CON.cl4"}) {
    Put(data_ / f);
  }
  EXPECT_EQ(fs_.HostPath("CAF\xC9.TXT"), data_ / "Caf\xC3\xA9.txt");  // É is é upper-cased
  EXPECT_EQ(fs_.List("*", kPlainFiles),
            (Names{"A", "a", "b", "Caf\xE9.txt", "F", "_x", "\xE9t\xE9"}));

  const fs::path sub = data_ / "Sub";
  for (const char* f : {"abc", "aBC"}) Put(sub / f);
  EXPECT_EQ(fs_.HostPath("C:\\DATA\\SUB\\abc"), sub / "abc");
  EXPECT_EQ(fs_.HostPath("sub\\ABC"), sub / "aBC");  // the first in listing order

  // Asked for before they are made, then made in another case.
  EXPECT_EQ(fs_.HostPath("sub\\new.txt"), sub / "new.txt");
  EXPECT_EQ(fs_.HostPath("sub\\MADE\\x"), sub / "MADE" / "x");
  fs_.OpenOutput(1, "SUB\\New.TXT");
  fs_.Close(1);
  fs_.MakeFolder("sub\\Made");
  EXPECT_EQ(fs_.HostPath("sub\\new.txt"), sub / "New.TXT");
  EXPECT_EQ(fs_.HostPath("sub\\MADE\\x"), sub / "Made" / "x");
  EXPECT_EQ(fs_.List("sub\\*", kFilesAndFolders), (Names{"aBC", "abc", "Made", "New.TXT"}));

  // Others' changes show as a new folder time (set here: a coarse clock may not have moved).
  const auto changed = fs::last_write_time(sub) + std::chrono::seconds(2);
  fs::rename(sub / "abc", sub / "ABc");
  fs::last_write_time(sub, changed);
  EXPECT_EQ(fs_.HostPath("sub\\abc"), sub / "ABc");
  EXPECT_EQ(fs_.List("sub\\a*", kPlainFiles), (Names{"ABc", "aBC"}));
  Put(sub / "abc", "the exact name again");
  fs_.OpenInput(2, "SUB\\abc");
  EXPECT_EQ(fs_.Length(2), 20);
}

// Whatever the program wrote is on disk when a message box shows, since the user may end the
// program there.
TEST_F(FileSystemTest, WrittenRecordsAreOnDiskBeforeAnyMessage) {
  struct DiskReader : testing::ScriptedUi {
    fs::path file;
    std::string seen;
    Reply MessageBox(const std::string&, Icon, Buttons, const std::string&) override {
      seen = ReadText(file);
      return Reply::kOk;
    }
  } ui;
  ui.file = data_ / "t.dat";
  Runtime rt(fs_, ui);
  fs_.OpenRandom(1, "t.dat", 4, kReadWrite);
  fs_.PutRecord(1, 1, Bytes("abcd"));
  rt.ui.MessageBox("?", Icon::kNone, Buttons::kOk, "");
  EXPECT_EQ(ui.seen, "abcd");
}

TEST_F(FileSystemTest, WritesThroughLinksThatLeadOutsideAreRefused) {
  const fs::path outside = tmp_.path() / "outside";
  Put(outside / "target.txt", "keep");
  fs::create_directory_symlink(outside, data_ / "out");
  fs::create_symlink(outside / "target.txt", data_ / "link.txt");
  fs::create_symlink(outside / "created.txt", data_ / "dangling.txt");
  fs::create_directories(data_ / "In");
  fs::create_directory_symlink(data_ / "In", data_ / "alias");

  EXPECT_EQ(WriteError(fs_, "out"), kPathFileAccessError);
  EXPECT_EQ(WriteError(fs_, "alias"), 0);
  for (const char* name : {"link.txt", "dangling.txt"}) {
    EXPECT_EQ(ErrorOf([&] { fs_.OpenOutput(1, name); }), kPathFileAccessError) << name;
    EXPECT_EQ(ErrorOf([&] { fs_.OpenRandom(1, name, 4, kReadWrite); }), kPathFileAccessError)
        << name;
  }
  EXPECT_FALSE(fs::exists(outside / "created.txt"));
  fs_.OpenRandom(1, "link.txt", 4, kReadOnly);  // reading is not guarded
  EXPECT_EQ(Record(1, 1, 4), "keep");
}
#endif

}  // namespace
}  // namespace hw
