#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fixtures/table_image.h"
#include "platform/fault_plan.h"
#include "support/temp_folder.h"
#include "tablestore/error_policy.h"
#include "tablestore/table_store.h"

namespace hw {
namespace {

using testing::AsText;
using testing::MessageEvent;

constexpr char kUnexpected[] =
    "Unexpected file problem - consult troubleshooting section of User Manual or Help system.";

MessageEvent Question(const std::string& text, Reply reply) {
  return {text, Icon::kExclamation, Buttons::kAbortRetryIgnore, "Error", reply};
}
MessageEvent Fatal(int number) {
  return {"An unexpected error condition (" + std::to_string(number) +
              ") has occurred, program will terminate, please try again and if you still "
              "encounter difficulty consult the troubleshooting section of the Manual or Help "
              "system",
          Icon::kExclamation, Buttons::kOk, kTitle, Reply::kOk};
}
const MessageEvent kIllegal{"That Name is illegal, you may only use A-Z,0-9,_, and &.",
                            Icon::kExclamation, Buttons::kOk, "Hoardwise", Reply::kOk};

// A small record layout for appending and reading back.
struct Item {
  static constexpr size_t kSize = 8;
  int32_t a = 0;
  int32_t b = 0;
  void Fields(auto& io) { io("a", a)("b", b); }
};

struct Store {
  Store() { fx.fs.SetFaultPlan(&faults); }

  // Opens N:\DEFAULT.mst as the user settings table is opened.
  int32_t OpenDefault(int32_t& created) {
    int32_t number = 0;
    OpenTable(rt, rt.new_data_folder, "DEFAULT", number, ".mst", 659, 3, created);
    return number;
  }

  FaultPlan faults;  // outlives the file system that points at it
  testing::RuntimeFixture fx;
  Runtime& rt = fx.rt;
};

class TableStoreTest : public ::testing::Test, public Store {};

TEST_F(TableStoreTest, CreateAppendCloseReopenAndNumber) {
  int32_t created = -1;
  int32_t number = 0;
  // Only the folder is trimmed; the name goes on directly after it.
  OpenTable(rt, "N:\\   ", "DEFAULT", number, ".mst", 659, 3, created);
  EXPECT_EQ(std::pair(created, number), std::pair(1, 1));
  TableImage image = TableImage::New("DEFAULT.mst", 659, 3);
  for (const Item& item : {Item{1, 2}, Item{3, 4}}) {
    AppendRecord(rt, number, item);
    image.Append(item);
  }
  CloseTable(rt, number);
  const std::string closed = testing::ReadText(fx.n_root / "DEFAULT.mst");
  EXPECT_EQ(closed, AsText(image.Bytes()));

  // An existing table opens with its own header, whatever the caller states.
  OpenTable(rt, rt.new_data_folder, "DEFAULT", number, ".mst", 123, 9, created);
  const NewHeader& slot = rt.slots.New(number);
  EXPECT_EQ(std::tuple(created, slot.record_length, slot.next_record), std::tuple(0, 659, 5));
  // Closing without an append writes nothing (a write would fail here and keep the number).
  rt.slots.New(number).header_flag = 9;
  faults.Add(Fault{"DEFAULT.mst", FaultOp::kWrite, kDiskFull});
  CloseTable(rt, number);
  EXPECT_EQ(std::pair(number, fx.fs.IsOpen(1)), std::pair(0, false));
  EXPECT_EQ(testing::ReadText(fx.n_root / "DEFAULT.mst"), closed);

  // Names and numbers; closing what is not open; running out of numbers (the only message).
  int32_t first = OpenDefault(created);
  int32_t second = 0;
  OpenTable(rt, "N:\\", "Buyers and Sellers", second, ".cb5", 123, 3, created);
  EXPECT_EQ(std::pair(first, second), std::pair(1, 2));
  // A long name is cut in the header but not on disk.
  EXPECT_EQ(rt.slots.New(second).table_name.Raw(), "Buyers and Selle");
  EXPECT_TRUE(std::filesystem::exists(fx.n_root / "Buyers and Sellers.cb5"));
  CloseTable(rt, first);
  EXPECT_EQ(OpenDefault(created), 1) << "the lowest free number";

  rt.last_error = 99;
  int32_t not_open = 5;
  int16_t not_open16 = 7;
  CloseTable(rt, not_open);
  CloseFile(rt, not_open16);
  EXPECT_EQ(std::tuple(rt.last_error, not_open, not_open16), std::tuple(0, 5, int16_t{0}));

  for (int n = 3; n <= kMaxTableNumber; ++n) fx.fs.OpenOutput(n, "N:\\busy" + std::to_string(n));
  EXPECT_THROW(OpenDefault(created), ProgramEnd);  // no number is left free
  EXPECT_EQ(fx.ui.Messages(), std::vector{Fatal(kSubscriptOutOfRange)});
}

TEST_F(TableStoreTest, PriorTablesOpenReadOnlyOrSilentlyNot) {
  const TableImage file = TableImage::Prior("Collect.mst", 40, 4);
  const std::filesystem::path host = fx.c_root / "HWVER4" / "Collect.mst";
  testing::WriteBytes(host, file.Bytes());

  int16_t number = 0;
  OpenPriorTable(rt, rt.prior_folder, "Collect", number, ".mst");
  ASSERT_EQ(number, 1);
  EXPECT_THROW(WriteRecord(rt, number, 2, Item{}), RunError);
  CloseFile(rt, number);
  EXPECT_EQ(testing::ReadText(host), AsText(file.Bytes()));

  // Missing: the number is taken but not open, and the slot keeps what it held.
  rt.slots.Prior(1).next_record = 7;
  OpenPriorTable(rt, rt.prior_folder, "Default", number, ".mst");
  EXPECT_EQ(std::tuple(number, fx.fs.IsOpen(1), rt.slots.Prior(1).next_record),
            (std::tuple<int16_t, bool, int16_t>(1, false, 7)));
  // A header that cannot be read leaves the table closed.
  testing::WriteBytes(fx.c_root / "HWVER4" / "Default.mst", std::string(48, '\0'));
  faults.Add(Fault{"Default.mst", FaultOp::kRead, kDeviceIoError});
  OpenPriorTable(rt, rt.prior_folder, "Default", number, ".mst");
  EXPECT_FALSE(fx.fs.IsOpen(number));
  EXPECT_TRUE(fx.ui.events().empty());
}

// The handler of opening and creating a table: one fault on DEFAULT.mst, existing or not, and
// the replies to its questions; then the messages, `created` (none when the program ends) and
// the record length of the open table (0 when it is not open).
void ExpectOpen(const char* name, bool exists, FaultOp op, int error,
                std::initializer_list<Reply> replies, const std::vector<MessageEvent>& messages,
                std::optional<int32_t> created, int32_t length) {
  SCOPED_TRACE(name);
  Store s;
  int32_t made = -1;
  if (exists) s.fx.fs.Close(s.OpenDefault(made));  // as creating it leaves it
  // Ignore goes on without the header: the table keeps the length the slot held.
  s.rt.slots.New(1).record_length = 100;
  s.faults.Add(Fault{"DEFAULT.mst", op, error});
  s.fx.ui.QueueReplies(replies);
  try {
    const int32_t number = s.OpenDefault(made);
    EXPECT_EQ(std::tuple(made, s.fx.fs.IsOpen(number), s.rt.slots.New(number).record_length),
              std::tuple(created.value_or(-2), length != 0, length == 0 ? 100 : length));
  } catch (const ProgramEnd&) {
    EXPECT_FALSE(created) << "the program ended";
  }
  EXPECT_EQ(s.fx.ui.Messages(), messages);
}

TEST(OpenHandler, AnswersAsTheRepliesSay) {
  ExpectOpen("retry", true, FaultOp::kRead, kFileNotFound, {Reply::kRetry},
             {Question(kUnexpected, Reply::kRetry)}, 0, 659);
  ExpectOpen("ignore", true, FaultOp::kRead, kFileNotFound, {Reply::kIgnore},
             {Question(kUnexpected, Reply::kIgnore)}, 0, 100);
  // The close after the failed existence check finds nothing open and does nothing.
  ExpectOpen("ignored check", true, FaultOp::kOpen, kDeviceIoError, {Reply::kIgnore},
             {Question("Internal disk error.", Reply::kIgnore)}, 0, 659);
  ExpectOpen("abort", true, FaultOp::kRead, kFileNotFound, {Reply::kAbort},
             {Question(kUnexpected, Reply::kAbort), Fatal(53)}, {}, 0);
  // Only a missing file leads to creation.
  ExpectOpen("access error", false, FaultOp::kOpen, kPathFileAccessError, {Reply::kRetry},
             {Question(kUnexpected, Reply::kRetry)}, 1, 659);
  ExpectOpen("illegal name", false, FaultOp::kOpen, kBadFileName, {}, {kIllegal}, 0, 0);
  const char* full =
      "Disk Full - program will terminate, please provide at least .5MB of free "
      "disk space before running again.";
  ExpectOpen("disk full", false, FaultOp::kWrite, kDiskFull, {},
             {{full, Icon::kNone, Buttons::kOk, kTitle, Reply::kOk}, Fatal(61)}, {}, 0);
}

// Questions answered Retry and Ignore, the fatal message (its number's sign included), and a
// statement run under the default handler.
TEST_F(TableStoreTest, FileErrorsAreAskedAboutReportedOrFatal) {
  std::vector<std::pair<int32_t, std::string>> questions = {
      {57, "Internal disk error."},
      {68, "That device appears unavailable."},
      {71, "Insert a disk in the drive and close the door."},
      {482, "Printer error"}};
  for (int32_t number : {53, 54, 55, 58, 62, 75, 76}) questions.emplace_back(number, kUnexpected);
  for (auto [number, text] : questions) {
    SCOPED_TRACE(number);
    fx.ui.ClearEvents();
    fx.ui.QueueReplies({Reply::kRetry, Reply::kIgnore});
    EXPECT_EQ(ReportFileError(rt, number), Recovery::kRetry);
    EXPECT_EQ(ReportFileError(rt, number), Recovery::kIgnore);
    EXPECT_EQ(rt.last_error, number);
    EXPECT_EQ(fx.ui.Messages(),
              (std::vector{Question(text, Reply::kRetry), Question(text, Reply::kIgnore)}));
  }
  for (int32_t number : {6, 9, 13, 59, 67, -5}) {
    fx.ui.ClearEvents();
    rt.last_error = number;
    EXPECT_THROW(number < 0 ? FatalError(rt) : (void)ReportFileError(rt, number), ProgramEnd);
    EXPECT_EQ(fx.ui.Messages(), std::vector{Fatal(number)}) << number;
  }

  // Retry runs the statement again, Ignore goes on after it.
  int runs = 0;
  auto fails_on_odd_runs = [&] {
    if (++runs % 2) throw RunError(kDeviceIoError);
  };
  fx.ui.QueueReplies({Reply::kRetry, Reply::kIgnore});
  EXPECT_EQ((std::pair{Attempt(rt, fails_on_odd_runs), runs}), std::pair(true, 2));
  EXPECT_EQ((std::pair{Attempt(rt, fails_on_odd_runs), runs}), std::pair(false, 3));
  EXPECT_THROW(Attempt(rt, [] { throw RunError(kBadFileName); }), LeaveOperation);
  EXPECT_THROW(Attempt(rt, [] { throw RunError(kDeviceIoError); }), ProgramEnd);
}

}  // namespace
}  // namespace hw
