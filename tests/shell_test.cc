#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "platform/fault_plan.h"
#include "platform/file_system.h"
#include "shell/main_menu.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using hw::Button;
using hw::Ending;
using Op = hw::Operation;
using hw::testing::MessageEvent;
using Lines = std::vector<std::string>;

constexpr char kComplete[] =
    "Requested conversion operations are complete. Make sure to check that all of your data has "
    "been successfully transferred.";
constexpr char kDriverError[] =
    "An error has been encountered during the conversion process, contact Quenfield Corporation "
    "for assistance.";
const std::set<std::string> kDriverLines = {
    "Converting Collections",           "Converting Buyer/Seller List",
    "Converting Buyer/Seller Lists",    "Converting Storage & Insurance Information",
    "Converting Report Customizations", "Converting Choice Lists"};

MessageEvent Exclamation(const char* text) {
  return {text, hw::Icon::kExclamation, hw::Buttons::kOk, hw::kTitle, hw::Reply::kOk};
}

// Drives C:, D: and N: (the new data folder and current folder) and the window over them.
class Machine {
 public:
  fs::path Host(std::string windows) const {
    for (char& ch : windows) ch = ch == '\\' ? '/' : ch;
    return temp_.path() / windows.replace(1, 1, "");
  }

  // The new data folder holds what the new edition ships: "video", "Combos", "MyData", "StdDB".
  hw::MainMenu& Start(const Lines& folders = {"C:\\HWVER4"}, const Lines& files = {}) {
    hw::DriveMap drives;
    for (const char* drive : {"C:", "D:", "N:"}) {
      fs::create_directories(Host(drive));
      drives.Map(drive[0], Host(drive));
    }
    for (const char* shipped : {"video", "Combos", "MyData", "StdDB"}) {
      fs::create_directories(Host("N:\\") / shipped);
    }
    for (const std::string& folder : folders) fs::create_directories(Host(folder));
    for (const std::string& file : files) hw::testing::WriteBytes(Host(file), "x");
    file_system_ = std::make_unique<hw::FileSystem>(drives, "N:\\");
    file_system_->SetFaultPlan(&faults);
    menu_ = std::make_unique<hw::MainMenu>(*file_system_, ui);
    menu_->Load();
    return *menu_;
  }

  Lines Log() const {
    return hw::testing::SplitLines(hw::testing::ReadText(Host("N:\\HoardwiseCLog.lst")));
  }
  bool LogOpen() const { return file_system_->IsOpen(hw::kLogFile); }

  // The marks, the driver's status captions and the messages, in order.
  Lines Trace() const {
    Lines out;
    for (const hw::testing::UiEvent& e : ui.events()) {
      if (const auto* m = std::get_if<hw::testing::MarkEvent>(&e)) {
        out.push_back(std::string(m->mark == hw::Mark::kArrow ? "arrow " : "check ") +
                      std::to_string(m->index) + (m->visible ? " on" : " off"));
      } else if (const auto* s = std::get_if<hw::testing::StatusEvent>(&e)) {
        if (kDriverLines.count(s->caption)) out.push_back(s->caption);
      } else if (const auto* msg = std::get_if<MessageEvent>(&e)) {
        out.push_back(msg->text == kComplete ? "completion" : msg->text);
      }
    }
    return out;
  }

  hw::testing::ScriptedUi ui;
  hw::FaultPlan faults;

 private:
  hw::testing::TempFolder temp_;
  std::unique_ptr<hw::FileSystem> file_system_;
  std::unique_ptr<hw::MainMenu> menu_;
};

Lines StartUpLog(const std::string& prior) {
  return {"Log of Hoardwise Plus Conversion Activity", "Old installation directory: " + prior,
          "Beginning Analysis of prior installation"};
}

// The marks and caption of one operation passed by the loop of the driver.
Lines Runs(int i, const char* caption) {
  const std::string n = std::to_string(i);
  if (caption == nullptr)
    return {"arrow " + n + " on", "arrow " + n + " off", "check " + n + " on"};
  return {"arrow " + n + " on", caption, "arrow " + n + " off", "check " + n + " on"};
}

Lines Join(std::initializer_list<Lines> parts) {
  Lines out;
  for (const Lines& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

TEST(StartUp, SearchesTheStandardPlacesInOrder) {
  const struct {
    Lines folders, files;
    const char* prior;
  } cases[] = {
      {{"C:\\HWVER4", "C:\\Program Files\\HWVER4", "D:\\HWVER4"}, {}, "C:\\HWVER4\\"},
      {{"C:\\Program Files\\HWVER4"}, {"C:\\hwver4"}, "C:\\HWVER4\\"},  // a plain file counts
      {{"C:\\Program Files\\HWVER4", "D:\\HWVER4"}, {}, "C:\\Program Files\\HWVER4\\"},
      {{"D:\\HWVER4"}, {"C:\\hwver4.exe"}, "D:\\HWVER4\\"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.prior);
    Machine m;
    hw::testing::WriteBytes(m.Host("N:\\HoardwiseCLog.lst"), "an earlier run\r\n");
    EXPECT_EQ(m.Start(test.folders, test.files).ending(), Ending::kRunning);
    EXPECT_TRUE(m.ui.events().empty()) << "no message, no dialog";
    EXPECT_EQ(m.Log(), StartUpLog(test.prior));
  }
}

TEST(Driver, RunsTheCheckedOperationsInTheirFixedOrder) {
  const Lines all_no =
      Join({Runs(0, "Converting Collections"), Runs(1, "Converting Buyer/Seller Lists"),
            Runs(2, "Converting Storage & Insurance Information")});
  const struct {
    const char* name;
    bool screens, nothing;
    Lines trace;
  } cases[] = {
      {"all No", false, false, Join({all_no, {"completion"}})},
      // The screen designs show their check mark before any other operation starts; the loop
      // then passes them again.
      {"screens", true, false, Join({Runs(5, nullptr), all_no, Runs(5, nullptr), {"completion"}})},
      {"nothing checked", false, true, {"completion"}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    Machine m;
    hw::MainMenu& menu = m.Start();
    menu.SetAnswer(0, test.screens);
    menu.Click(Button::kAccept);
    for (int i = 0; test.nothing && i < hw::kRunnableCount; ++i) {
      menu.SetTask(static_cast<Op>(i), false);
    }
    m.ui.ClearEvents();
    menu.Click(Button::kStartConversion);
    EXPECT_EQ(m.Trace(), test.trace);
    EXPECT_EQ(m.ui.Messages().back(), Exclamation(kComplete));
    if (test.nothing) {
      EXPECT_EQ(m.Log(), Join({StartUpLog("C:\\HWVER4\\"), {"All conversions complete"}}));
    } else {
      Lines driver_lines;
      for (const std::string& line : m.Log()) {
        if (kDriverLines.count(line)) driver_lines.push_back(line);
      }
      EXPECT_EQ(driver_lines, (Lines{"Converting Collections", "Converting Buyer/Seller List",
                                     "Converting Storage & Insurance Information"}));
      EXPECT_EQ(m.Log().back(), "All conversions complete");
    }
    EXPECT_EQ(menu.ending(), Ending::kCompleted);
    EXPECT_FALSE(m.LogOpen());
  }
}

TEST(Driver, AcceptMyAnswersSetsTheThreeBoxesFromTheAnswers) {
  Machine m;
  hw::MainMenu& menu = m.Start();
  menu.SetAnswer(0, true);
  menu.SetAnswer(2, true);
  menu.Click(Button::kAccept);
  EXPECT_FALSE(menu.questions_visible());
  EXPECT_TRUE(menu.task_checked(Op::kScreenDesigns) && !menu.task_checked(Op::kReports) &&
              menu.task_checked(Op::kChoiceLists));
  menu.SetTask(Op::kReports, true);  // by hand
  menu.SetTask(Op::kCollections, false);
  menu.Click(Button::kDisplayQuestions);
  EXPECT_TRUE(menu.questions_visible());
  EXPECT_TRUE(menu.task_checked(Op::kReports)) << "the boxes keep their state";
  menu.SetAnswer(0, false);
  menu.Click(Button::kAccept);
  EXPECT_FALSE(menu.task_checked(Op::kScreenDesigns));
  EXPECT_FALSE(menu.task_checked(Op::kReports)) << "answer No clears a box checked by hand";
  EXPECT_TRUE(menu.task_checked(Op::kChoiceLists));
  EXPECT_FALSE(menu.task_checked(Op::kCollections)) << "a box without a question keeps its state";
}

TEST(Driver, MoreInfoShowsOneTextAndOkHidesThePanel) {
  Machine m;
  hw::MainMenu& menu = m.Start();
  for (int i = 0; i < hw::kRunnableCount; ++i) {
    menu.ClickMoreInfo(static_cast<Op>(i));
    EXPECT_TRUE(menu.more_info_visible());
    for (int j = 0; j < hw::kRunnableCount; ++j) {
      EXPECT_EQ(menu.info_text_visible(static_cast<Op>(j)), i == j) << i << " " << j;
    }
  }
  menu.Click(Button::kInfoOk);
  EXPECT_FALSE(menu.more_info_visible());
}

TEST(Driver, ErrorReachingTheDriverEndsTheClickOnly) {
  Machine m;
  hw::MainMenu& menu = m.Start();
  menu.Click(Button::kAccept);
  m.ui.ClearEvents();
  m.faults.Add({"HoardwiseCLog.lst", hw::FaultOp::kWrite, 57});
  menu.Click(Button::kStartConversion);
  EXPECT_EQ(m.Trace(), (Lines{"arrow 0 on", "Converting Collections", kDriverError}));
  EXPECT_EQ(m.ui.Messages().back(), Exclamation(kDriverError));
  EXPECT_TRUE(menu.arrow_visible(Op::kCollections));
  EXPECT_EQ(menu.ending(), Ending::kConversionFailed);
  EXPECT_TRUE(m.LogOpen()) << "the window stays open";
  EXPECT_EQ(m.Log(), StartUpLog("C:\\HWVER4\\"));
  menu.Unload();
  EXPECT_EQ(menu.ending(), Ending::kConversionFailed);
  EXPECT_FALSE(m.LogOpen());
}

}  // namespace
