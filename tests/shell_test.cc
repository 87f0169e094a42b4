#include <fmt/format.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "platform/fault_plan.h"
#include "platform/file_system.h"
#include "shell/main_menu.h"
#include "shell/window_texts.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using Op = hw::Operation;
using Lines = std::vector<std::string>;

Lines Join(std::initializer_list<Lines> parts) {
  Lines out;
  for (const Lines& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// Drives C:, D: and N: (the new data folder and current folder) holding `paths` (folders end in
// "\\", files hold "x"), and the window over them, loaded.
struct Machine {
  explicit Machine(const Lines& paths = {"C:\\HWVER4\\"})
      : file_system(Prepare(paths), "N:\\"), menu(file_system, ui) {
    file_system.SetFaultPlan(&faults);
    menu.Load();
  }

  fs::path Host(std::string windows) const {
    for (char& ch : windows) ch = ch == '\\' ? '/' : ch;
    return temp.path() / windows.replace(1, 1, "");
  }
  // The new data folder holds what the new edition ships: "video", "Combos", "MyData", "StdDB".
  hw::DriveMap Prepare(const Lines& paths) const {
    hw::DriveMap drives;
    for (const char* drive : {"C:", "D:", "N:"}) drives.Map(drive[0], Host(drive));
    for (const std::string& path :
         Join({{"C:\\", "D:\\", "N:\\video\\", "N:\\Combos\\", "N:\\MyData\\", "N:\\StdDB\\"},
               paths})) {
      if (path.ends_with('\\')) fs::create_directories(Host(path));
      if (!path.ends_with('\\')) hw::testing::WriteBytes(Host(path), "x");
    }
    return drives;
  }

  Lines Log() const {
    return hw::testing::SplitLines(hw::testing::ReadText(Host("N:\\HoardwiseCLog.lst")));
  }
  bool LogOpen() const { return file_system.IsOpen(hw::kLogFile); }

  // The marks, status captions and message texts, in order.
  Lines Trace() const {
    Lines out;
    for (const hw::testing::UiEvent& e : ui.events()) {
      if (const auto* m = std::get_if<hw::testing::MarkEvent>(&e)) {
        out.push_back(fmt::format("{} {} {}", m->mark == hw::Mark::kArrow ? "arrow" : "check",
                                  m->index, m->visible ? "on" : "off"));
      }
      if (const auto* s = std::get_if<hw::testing::StatusEvent>(&e)) out.push_back(s->caption);
      if (const auto* msg = std::get_if<hw::testing::MessageEvent>(&e)) out.push_back(msg->text);
    }
    return out;
  }

  hw::testing::TempFolder temp;
  hw::FileSystem file_system;
  hw::testing::ScriptedUi ui;
  hw::FaultPlan faults;
  hw::MainMenu menu;
};

Lines StartUpLog(const std::string& prior) {
  return {"Log of Hoardwise Plus Conversion Activity", "Old installation directory: " + prior,
          "Beginning Analysis of prior installation"};
}

// The marks and caption of one operation passed by the loop of the driver.
Lines Runs(int i, const char* caption = nullptr) {
  const std::string n = std::to_string(i);
  Lines out = {"arrow " + n + " on", "arrow " + n + " off", "check " + n + " on"};
  if (caption != nullptr) out.insert(out.begin() + 1, caption);
  return out;
}

TEST(StartUp, SearchesTheStandardPlacesInOrder) {
  const struct {
    Lines paths;
    const char* prior;
  } cases[] = {
      {{"C:\\HWVER4\\", "C:\\Program Files\\HWVER4\\", "D:\\HWVER4\\"}, "C:\\HWVER4\\"},
      {{"C:\\Program Files\\HWVER4\\", "C:\\hwver4"}, "C:\\HWVER4\\"},  // a plain file counts
      {{"C:\\Program Files\\HWVER4\\", "D:\\HWVER4\\"}, "C:\\Program Files\\HWVER4\\"},
      {{"D:\\HWVER4\\", "C:\\hwver4.exe"}, "D:\\HWVER4\\"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.prior);
    // A log of an earlier run is replaced.
    Machine m(Join({test.paths, {"N:\\HoardwiseCLog.lst"}}));
    EXPECT_EQ(m.menu.ending(), hw::Ending::kRunning);
    EXPECT_TRUE(m.ui.events().empty()) << "no message, no dialog";
    EXPECT_EQ(m.Log(), StartUpLog(test.prior));
  }
}

// The operations run on an empty prior installation, so all they show and log is the driver's.
TEST(Driver, RunsTheCheckedOperationsInTheirFixedOrder) {
  using enum hw::Ending;
  const Lines all_no =
      Join({Runs(0, "Converting Collections"), Runs(1, "Converting Buyer/Seller Lists"),
            Runs(2, "Converting Storage & Insurance Information")});
  const Lines start = StartUpLog("C:\\HWVER4\\"), done = {"All conversions complete"};
  const Lines all_no_log = Join({start,
                                 {"Converting Collections", "Converting Buyer/Seller List",
                                  "Converting Storage & Insurance Information"},
                                 done});
  const struct {
    const char* tasks;  // the task boxes 0 to 5, 1 where checked
    bool log_fails;
    hw::Ending ending;
    Lines log, trace;
  } cases[] = {
      {"111000", false, kCompleted, all_no_log, Join({all_no, {hw::texts::kComplete}})},
      // The screen designs show their check mark before any other operation starts; the loop
      // then passes them again.
      {"111001", false, kCompleted, all_no_log,
       Join({Runs(5), all_no, Runs(5), {hw::texts::kComplete}})},
      {"000000", false, kCompleted, Join({start, done}), {hw::texts::kComplete}},
      // An error that reaches the driver ends the click only: the window stays open.
      {"100000", true, kConversionFailed, start,
       Lines{"arrow 0 on", "Converting Collections", hw::texts::kDriverError}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.tasks);
    Machine m;
    for (int i = 0; i < 6; ++i) m.menu.SetTask(static_cast<Op>(i), test.tasks[i] == '1');
    if (test.log_fails) m.faults.Add({"HoardwiseCLog.lst", hw::FaultOp::kWrite, 57});
    m.ui.ClearEvents();
    m.menu.Click(hw::Button::kStartConversion);
    EXPECT_EQ(m.Trace(), test.trace);
    for (const hw::testing::MessageEvent& msg : m.ui.Messages()) {
      EXPECT_EQ(std::tuple(msg.icon, msg.buttons, msg.title),
                std::tuple(hw::Icon::kExclamation, hw::Buttons::kOk, hw::kTitle));
    }
    EXPECT_EQ(m.Log(), test.log);
    // The ending, the first arrow, the log open.
    EXPECT_EQ(std::tuple(m.menu.ending(), m.menu.arrow_visible(Op::kCollections), m.LogOpen()),
              std::tuple(test.ending, test.log_fails, test.log_fails));
    m.menu.Unload();
    EXPECT_EQ(std::pair(m.menu.ending(), m.LogOpen()), std::pair(test.ending, false))
        << "after unloading";
  }
}

TEST(Driver, AnswersSetTheirBoxesAndMoreInfoShowsOneText) {
  Machine m;
  hw::MainMenu& menu = m.menu;
  // The task boxes 0 to 5, 1 where checked, and whether the questions are shown.
  const auto shown = [&] {
    std::string boxes;
    for (int i = 0; i < 6; ++i) boxes += menu.task_checked(static_cast<Op>(i)) ? '1' : '0';
    return boxes + (menu.questions_visible() ? " questions" : "");
  };
  menu.SetAnswer(0, true);
  menu.SetAnswer(2, true);
  EXPECT_EQ(shown(), "111000 questions") << "only Accept My Answers moves the answers";
  menu.Click(hw::Button::kAccept);
  EXPECT_EQ(shown(), "111011");
  menu.SetTask(Op::kReports, true);  // by hand
  menu.SetTask(Op::kCollections, false);
  menu.Click(hw::Button::kDisplayQuestions);
  EXPECT_EQ(shown(), "011111 questions") << "the boxes keep their state";
  menu.SetAnswer(0, false);
  menu.Click(hw::Button::kAccept);
  // Answer No clears a box checked by hand; a box without a question keeps its state.
  EXPECT_EQ(shown(), "011010");

  for (int i = 0; i < hw::kRunnableCount; ++i) {
    menu.ClickMoreInfo(static_cast<Op>(i));
    EXPECT_TRUE(menu.more_info_visible());
    for (int j = 0; j < hw::kRunnableCount; ++j) {
      EXPECT_EQ(menu.info_text_visible(static_cast<Op>(j)), i == j) << i << " " << j;
    }
  }
  menu.Click(hw::Button::kInfoOk);
  EXPECT_FALSE(menu.more_info_visible());
}

}  // namespace
