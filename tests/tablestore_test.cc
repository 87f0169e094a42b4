#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/fault_plan.h"
#include "support/temp_folder.h"
#include "tablestore/error_policy.h"
#include "tablestore/table_store.h"

namespace {

using hw::Buttons;
using hw::Fault;
using hw::FaultOp;
using hw::Icon;
using hw::Recovery;
using hw::Reply;
using hw::RunError;
using hw::testing::MessageEvent;
using hw::testing::ReadBytes;
using hw::testing::RuntimeFixture;
using hw::testing::WriteBytes;

constexpr char kUnexpected[] =
    "Unexpected file problem - consult troubleshooting section of User Manual or Help system.";
constexpr char kIllegalName[] = "That Name is illegal, you may only use A-Z,0-9,_, and &.";
constexpr char kDiskFull[] =
    "Disk Full - program will terminate, please provide at least .5MB of free disk space before "
    "running again.";

std::string FatalText(int number) {
  return "An unexpected error condition (" + std::to_string(number) +
         ") has occurred, program will terminate, please try again and if you still encounter "
         "difficulty consult the troubleshooting section of the Manual or Help system";
}

MessageEvent Question(const std::string& text, Reply reply) {
  return {text, Icon::kExclamation, Buttons::kAbortRetryIgnore, "Error", reply};
}

MessageEvent Fatal(int number) {
  return {FatalText(number), Icon::kExclamation, Buttons::kOk, hw::kTitle, Reply::kOk};
}

std::string Le(int64_t value, int size) {
  std::string out;
  for (int i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

std::string Contents(const std::filesystem::path& file) {
  const std::vector<std::byte> bytes = ReadBytes(file);
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A small record layout for appending and reading back.
struct Item {
  static constexpr size_t kSize = 8;
  int32_t a = 0;
  int32_t b = 0;
  template <class Io>
  void Fields(Io& io) {
    io("a", a)("b", b);
  }
};

class TableStoreTest : public ::testing::Test {
 protected:
  TableStoreTest() { fx.fs.SetFaultPlan(&faults); }

  // Opens N:\DEFAULT.mst as the user settings table is opened.
  int32_t OpenDefault(int32_t& created) {
    int32_t number = 0;
    hw::OpenTable(rt, rt.new_data_folder, "DEFAULT", number, ".mst", 659, 3, created);
    return number;
  }
  void CreateDefault() {
    int32_t created = 0;
    int32_t number = OpenDefault(created);
    hw::CloseTable(rt, number);
  }
  std::filesystem::path DefaultFile() const { return fx.n_root / "DEFAULT.mst"; }

  hw::FaultPlan faults;  // outlives the file system that points at it
  RuntimeFixture fx;
  hw::Runtime& rt = fx.rt;
};

const std::string kDefaultHeader =
    std::string("DEFAULT.mst     ") + Le(3, 4) + Le(659, 4) + Le(1, 4) + Le(3, 4);

TEST_F(TableStoreTest, CreatesMissingTableHoldingOnlyItsHeaderAndLeavesItOpen) {
  int32_t created = -1;
  int32_t number = 0;
  // Only the folder is trimmed; the name goes on directly after it.
  hw::OpenTable(rt, "N:\\   ", "DEFAULT", number, ".mst", 659, 3, created);

  EXPECT_EQ(created, 1);
  EXPECT_EQ(number, 1);
  EXPECT_EQ(Contents(DefaultFile()), kDefaultHeader);
  EXPECT_EQ(rt.slots.New(number).next_record, 3);
  EXPECT_EQ(rt.slots.New(number).record_length, 659);

  hw::WriteRecord(rt, number, 2, Item{7, 8});
  rt.fs.Flush();
  const std::string file = Contents(DefaultFile());
  ASSERT_EQ(file.size(), 659u + Item::kSize);
  EXPECT_EQ(file.substr(659), Le(7, 4) + Le(8, 4));
  EXPECT_TRUE(fx.ui.events().empty());
}

TEST_F(TableStoreTest, ExistingTableOpensUnchangedWithItsOwnHeader) {
  CreateDefault();
  const std::string before = Contents(DefaultFile());

  int32_t created = -1;
  int32_t number = 0;
  hw::OpenTable(rt, rt.new_data_folder, "DEFAULT", number, ".mst", 123, 9, created);

  EXPECT_EQ(created, 0);
  EXPECT_EQ(rt.slots.New(number).record_length, 659);
  EXPECT_EQ(rt.slots.New(number).next_record, 3);
  hw::CloseTable(rt, number);
  EXPECT_EQ(Contents(DefaultFile()), before);
}

TEST_F(TableStoreTest, CloseWritesTheHeaderBackAfterAppends) {
  int32_t created = 0;
  int32_t number = OpenDefault(created);
  hw::AppendRecord(rt, number, Item{1, 2});
  hw::AppendRecord(rt, number, Item{3, 4});
  hw::CloseTable(rt, number);

  EXPECT_EQ(number, 0);
  std::string expected =
      std::string("DEFAULT.mst     ") + Le(5, 4) + Le(659, 4) + Le(1, 4) + Le(3, 4);
  expected.resize(2 * 659, '\0');
  expected += Le(1, 4) + Le(2, 4);
  expected.resize(3 * 659, '\0');
  expected += Le(3, 4) + Le(4, 4);
  EXPECT_EQ(Contents(DefaultFile()), expected);

  OpenDefault(created);
  EXPECT_EQ(rt.slots.New(1).next_record, 5);
}

TEST_F(TableStoreTest, CloseWithoutAppendWritesNothing) {
  CreateDefault();
  int32_t created = 0;
  int32_t number = OpenDefault(created);
  // Only NextRecord is compared; a write would fail here and keep the number.
  rt.slots.New(number).header_flag = 9;
  faults.Add(Fault{"DEFAULT.mst", FaultOp::kWrite, hw::kDiskFull});

  hw::CloseTable(rt, number);

  EXPECT_EQ(number, 0);
  EXPECT_FALSE(fx.fs.IsOpen(1));
  EXPECT_EQ(Contents(DefaultFile()), kDefaultHeader);
  EXPECT_TRUE(fx.ui.events().empty());
}

TEST_F(TableStoreTest, LongNameIsCutInTheHeaderButNotOnDisk) {
  std::filesystem::create_directories(fx.n_root / "Combos");
  int32_t created = 0;
  int32_t number = 0;
  hw::OpenTable(rt, "N:\\Combos\\", "Buyers and Sellers", number, ".cb5", 123, 3, created);

  EXPECT_EQ(rt.slots.New(number).table_name.Raw(), "Buyers and Selle");
  EXPECT_EQ(Contents(fx.n_root / "Combos" / "Buyers and Sellers.cb5").substr(0, 16),
            "Buyers and Selle");
}

TEST_F(TableStoreTest, EachOpenTakesTheLowestFreeNumber) {
  int32_t created = 0;
  int32_t first = OpenDefault(created);
  int32_t second = 0;
  hw::OpenTable(rt, "N:\\", "Other", second, ".mst", 64, 2, created);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 2);

  hw::CloseTable(rt, first);
  EXPECT_EQ(OpenDefault(created), 1);
}

TEST_F(TableStoreTest, ClosingWhatIsNotOpenIsSilent) {
  rt.last_error = 99;
  int32_t zero = 0;
  hw::CloseTable(rt, zero);
  EXPECT_EQ(zero, 0);
  EXPECT_EQ(rt.last_error, 0);

  int32_t not_open = 5;
  hw::CloseTable(rt, not_open);
  EXPECT_EQ(not_open, 5);

  int16_t zero16 = 0;
  int16_t not_open16 = 7;
  int32_t zero32 = 0;
  hw::CloseFile(rt, zero16);
  hw::CloseFile(rt, not_open16);
  hw::CloseFile(rt, zero32);
  EXPECT_EQ(zero16, 0);
  EXPECT_EQ(not_open16, 0);
  EXPECT_EQ(zero32, 0);
  EXPECT_TRUE(fx.ui.events().empty());
}

TEST_F(TableStoreTest, ReadingPastTheEndYieldsZeros) {
  int32_t created = 0;
  int32_t number = OpenDefault(created);
  Item item{5, 6};
  hw::ReadRecord(rt, number, 10, item);
  EXPECT_EQ(item.a, 0);
  EXPECT_EQ(item.b, 0);
}

TEST_F(TableStoreTest, PriorTableOpensReadOnlyWithItsRecordLength) {
  std::string file = std::string("Collect.mst     ") + Le(4, 2) + Le(40, 2) + Le(0, 4);
  file.resize(40, '\0');
  file += Le(11, 4) + Le(12, 4);
  file.resize(3 * 40, '\0');
  const std::filesystem::path host = fx.c_root / "HWVER4" / "Collect.mst";
  WriteBytes(host, file);

  int16_t number = 0;
  hw::OpenPriorTable(rt, rt.prior_folder, "Collect", number, ".mst");

  ASSERT_EQ(number, 1);
  const hw::PriorHeader& slot = rt.slots.Prior(number);
  EXPECT_EQ(slot.next_record, 4);
  EXPECT_EQ(slot.record_length, 40);
  Item item;
  hw::ReadRecord(rt, number, 2, item);
  EXPECT_EQ(item.a, 11);
  EXPECT_EQ(item.b, 12);
  EXPECT_THROW(hw::WriteRecord(rt, number, 2, Item{}), RunError);

  hw::CloseFile(rt, number);
  EXPECT_EQ(number, 0);
  EXPECT_EQ(Contents(host), file);
}

TEST_F(TableStoreTest, MissingPriorTableOpensSilentlyAndKeepsTheSlot) {
  rt.slots.Prior(1).next_record = 7;
  int16_t number = 0;
  hw::OpenPriorTable(rt, rt.prior_folder, "Default", number, ".mst");

  EXPECT_EQ(number, 1);
  EXPECT_FALSE(fx.fs.IsOpen(1));
  EXPECT_EQ(rt.slots.Prior(1).next_record, 7);
  EXPECT_TRUE(fx.ui.events().empty());
}

TEST_F(TableStoreTest, PriorTableWithUnreadableHeaderIsLeftClosed) {
  WriteBytes(fx.c_root / "HWVER4" / "Default.mst", std::string(48, '\0'));
  faults.Add(Fault{"Default.mst", FaultOp::kRead, hw::kDeviceIoError});
  int16_t number = 0;
  hw::OpenPriorTable(rt, rt.prior_folder, "Default", number, ".mst");

  EXPECT_FALSE(fx.fs.IsOpen(number));
  EXPECT_TRUE(fx.ui.events().empty());
}

// --- The handler of OpenTable and CreateTable ---

TEST_F(TableStoreTest, RetryRepeatsTheFailingStatement) {
  CreateDefault();
  rt.slots.New(1) = hw::NewHeader{};
  faults.Add(Fault{"DEFAULT.mst", FaultOp::kRead, hw::kFileNotFound});
  fx.ui.QueueReplies({Reply::kRetry});

  int32_t created = -1;
  int32_t number = OpenDefault(created);

  EXPECT_EQ(fx.ui.Messages(), std::vector{Question(kUnexpected, Reply::kRetry)});
  EXPECT_EQ(created, 0);
  EXPECT_EQ(rt.slots.New(number).record_length, 659);
  EXPECT_TRUE(fx.fs.IsOpen(number));
  EXPECT_EQ(rt.last_error, 0);
}

TEST_F(TableStoreTest, IgnoreGoesOnAfterTheFailingStatement) {
  CreateDefault();
  rt.slots.New(1).record_length = 100;
  rt.slots.New(1).next_record = 42;
  faults.Add(Fault{"DEFAULT.mst", FaultOp::kRead, hw::kFileNotFound});
  fx.ui.QueueReplies({Reply::kIgnore});

  int32_t created = -1;
  int32_t number = OpenDefault(created);

  EXPECT_EQ(fx.ui.Messages(), std::vector{Question(kUnexpected, Reply::kIgnore)});
  EXPECT_EQ(rt.last_error, 0);
  // The header was never read: the table is open with the length the slot held.
  EXPECT_EQ(rt.slots.New(number).next_record, 42);
  hw::WriteRecord(rt, number, 2, Item{1, 1});
  rt.fs.Flush();
  EXPECT_EQ(Contents(DefaultFile()).size(), 100u + Item::kSize);
}

TEST_F(TableStoreTest, IgnoredExistenceCheckOpensTheTableAfterOneQuestion) {
  CreateDefault();
  faults.Add(Fault{"DEFAULT.mst", FaultOp::kOpen, hw::kDeviceIoError});
  fx.ui.QueueReplies({Reply::kIgnore});

  int32_t created = -1;
  int32_t number = OpenDefault(created);

  // The close after the failed check finds nothing open and does nothing.
  EXPECT_EQ(fx.ui.Messages(), std::vector{Question("Internal disk error.", Reply::kIgnore)});
  EXPECT_EQ(created, 0);
  EXPECT_TRUE(fx.fs.IsOpen(number));
  EXPECT_EQ(rt.slots.New(number).record_length, 659);
}

TEST_F(TableStoreTest, AbortShowsTheFatalMessageAndEndsTheProgram) {
  CreateDefault();
  faults.Add(Fault{"DEFAULT.mst", FaultOp::kRead, hw::kFileNotFound});
  fx.ui.QueueReplies({Reply::kAbort});

  int32_t created = 0;
  EXPECT_THROW(OpenDefault(created), hw::ProgramEnd);
  EXPECT_EQ(fx.ui.Messages(), (std::vector{Question(kUnexpected, Reply::kAbort), Fatal(53)}));
}

TEST_F(TableStoreTest, OnlyAMissingFileLeadsToCreation) {
  faults.Add(Fault{"DEFAULT.mst", FaultOp::kOpen, hw::kPathFileAccessError});
  fx.ui.QueueReplies({Reply::kRetry});

  int32_t created = 0;
  OpenDefault(created);

  EXPECT_EQ(fx.ui.Messages(), std::vector{Question(kUnexpected, Reply::kRetry)});
  EXPECT_EQ(created, 1);
  EXPECT_EQ(Contents(DefaultFile()), kDefaultHeader);
}

TEST_F(TableStoreTest, IllegalNameEndsTheOpenAfterOneMessage) {
  faults.Add(Fault{"DEFAULT.mst", FaultOp::kOpen, hw::kBadFileName});

  int32_t created = -1;
  int32_t number = OpenDefault(created);

  EXPECT_EQ(fx.ui.Messages(), std::vector<MessageEvent>({{kIllegalName, Icon::kExclamation,
                                                          Buttons::kOk, "Hoardwise", Reply::kOk}}));
  EXPECT_EQ(number, 1);
  EXPECT_EQ(created, 0);
  EXPECT_FALSE(fx.fs.IsOpen(number));
  EXPECT_FALSE(std::filesystem::exists(DefaultFile()));
  EXPECT_EQ(rt.last_error, hw::kBadFileName);
}

TEST_F(TableStoreTest, DiskFullWhileCreatingEndsTheProgramAfterTwoMessages) {
  faults.Add(Fault{"DEFAULT.mst", FaultOp::kWrite, hw::kDiskFull});

  int32_t created = 0;
  EXPECT_THROW(OpenDefault(created), hw::ProgramEnd);
  EXPECT_EQ(fx.ui.Messages(),
            (std::vector<MessageEvent>{
                {kDiskFull, Icon::kNone, Buttons::kOk, hw::kTitle, Reply::kOk}, Fatal(61)}));
}

TEST_F(TableStoreTest, NumberAboveTheSlotsIsFatal) {
  for (int n = 1; n <= hw::kMaxTableNumber; ++n) {
    fx.fs.OpenOutput(n, "N:\\busy" + std::to_string(n) + ".txt");
  }
  int32_t created = 0;
  EXPECT_THROW(OpenDefault(created), hw::ProgramEnd);
  EXPECT_EQ(fx.ui.Messages(), std::vector{Fatal(hw::kSubscriptOutOfRange)});
}

// --- The file-error policy ---

class ErrorPolicyTest : public ::testing::Test {
 protected:
  RuntimeFixture fx;
  hw::Runtime& rt = fx.rt;
};

TEST_F(ErrorPolicyTest, FileProblemsAskAbortRetryIgnore) {
  const std::vector<std::pair<int32_t, std::string>> cases = {
      {53, kUnexpected},
      {54, kUnexpected},
      {55, kUnexpected},
      {58, kUnexpected},
      {62, kUnexpected},
      {75, kUnexpected},
      {76, kUnexpected},
      {57, "Internal disk error."},
      {68, "That device appears unavailable."},
      {71, "Insert a disk in the drive and close the door."},
      {482, "Printer error"},
  };
  for (auto [number, text] : cases) {
    SCOPED_TRACE(number);
    fx.ui.ClearEvents();
    fx.ui.QueueReplies({Reply::kRetry, Reply::kIgnore});
    EXPECT_EQ(hw::ReportFileError(rt, number), Recovery::kRetry);
    EXPECT_EQ(hw::ReportFileError(rt, number), Recovery::kIgnore);
    EXPECT_EQ(rt.last_error, number);
    EXPECT_EQ(fx.ui.Messages(),
              (std::vector{Question(text, Reply::kRetry), Question(text, Reply::kIgnore)}));
  }
}

TEST_F(ErrorPolicyTest, IllegalNamesAreReportedWithoutAQuestion) {
  for (int32_t number : {52, 64}) {
    SCOPED_TRACE(number);
    fx.ui.ClearEvents();
    EXPECT_EQ(hw::ReportFileError(rt, number), Recovery::kIllegalName);
    EXPECT_EQ(fx.ui.Messages(),
              std::vector<MessageEvent>(
                  {{kIllegalName, Icon::kExclamation, Buttons::kOk, "Hoardwise", Reply::kOk}}));
  }
}

TEST_F(ErrorPolicyTest, OtherNumbersAreFatalAtOnce) {
  fx.ui.QueueReplies({Reply::kRetry});
  for (int32_t number : {6, 9, 13, 59, 67}) {
    SCOPED_TRACE(number);
    fx.ui.ClearEvents();
    EXPECT_THROW(hw::ReportFileError(rt, number), hw::ProgramEnd);
    EXPECT_EQ(fx.ui.Messages(), std::vector{Fatal(number)});
    EXPECT_EQ(fx.ui.PendingReplies(), 1u);
  }
}

TEST_F(ErrorPolicyTest, FatalMessageShowsTheSign) {
  rt.last_error = -5;
  EXPECT_THROW(hw::FatalError(rt), hw::ProgramEnd);
  EXPECT_EQ(fx.ui.MessageTexts(), std::vector{FatalText(-5)});
}

TEST_F(ErrorPolicyTest, AttemptRetriesIgnoresOrLeaves) {
  int runs = 0;
  auto fails_once = [&] {
    if (++runs == 1) throw RunError(hw::kDeviceIoError);
  };

  fx.ui.QueueReplies({Reply::kRetry, Reply::kIgnore});
  EXPECT_TRUE(hw::Attempt(rt, fails_once));
  EXPECT_EQ(runs, 2);

  runs = 0;
  EXPECT_FALSE(hw::Attempt(rt, fails_once));
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(fx.ui.Messages().size(), 2u);

  EXPECT_THROW(hw::Attempt(rt, [] { throw RunError(hw::kBadFileName); }), hw::LeaveOperation);
  EXPECT_THROW(hw::Attempt(rt, [] { throw RunError(hw::kDeviceIoError); }), hw::ProgramEnd);
}

}  // namespace
