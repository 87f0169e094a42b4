// The Windows window under Wine: its real controls driven by their messages, the message boxes
// answered through the user interface, and a whole conversion compared with hwconvert-batch.exe.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "hwconvert-win32/main_window.h"
#include "hwconvert-win32/win32_ui.h"
#include "platform/program_args.h"
#include "platform/text.h"
#include "support/program_run.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
namespace id = hwconvert_win32::id;
using hw::Operation;
using Lines = std::vector<std::string>;

// The user interface of the window with the message boxes and the file dialog scripted, and
// what the window showed each time the conversion asked for a status caption or a mark, read
// back from the controls.
class ScriptedWindowUi : public hwconvert_win32::Win32Ui {
 public:
  Lines
      boxes;  // "title|text|icon|buttons", as the batch transcript has them; a question gets Abort
  Lines shown;  // "status T", "arrow I on", "check I off", ...

  hw::Reply MessageBox(const std::string& text, hw::Icon icon, hw::Buttons buttons,
                       const std::string& title) override {
    const char* icons[] = {"none", "exclamation", "critical"};
    const bool question = buttons == hw::Buttons::kAbortRetryIgnore;
    boxes.push_back(hw::Win1252ToUtf8(title + "|" + text) + "|" + icons[static_cast<int>(icon)] +
                    (question ? "|abort-retry-ignore" : "|ok"));
    return question ? hw::Reply::kAbort : hw::Reply::kOk;
  }
  std::string OpenFileDialog() override { return ""; }
  void StatusChanged(const std::string& caption) override {
    Win32Ui::StatusChanged(caption);
    wchar_t text[256];
    GetWindowTextW(window().Control(id::kStatus), text, 256);
    std::string shown_text;
    EXPECT_TRUE(hwconvert_win32::FromWide(text, shown_text));
    shown.push_back("status " + hw::Win1252ToUtf8(shown_text));
  }
  void MarkChanged(hw::Mark mark, int index, bool visible) override {
    Win32Ui::MarkChanged(mark, index, visible);
    const auto op = static_cast<Operation>(index);
    const bool arrow = mark == hw::Mark::kArrow;
    const bool on = IsWindowVisible(window().Control(arrow ? id::Arrow(op) : id::Check(op)));
    shown.push_back((arrow ? "arrow " : "check ") + std::to_string(index) + (on ? " on" : " off"));
  }
};

// The sample installation under `root`: C: is root\c with the prior installation C:\HWVER4\,
// N: is root\n with the new data folder N:\Hoardwise\.
void WriteSample(const fs::path& root) {
  const hw::testing::ProgramRun run =
      hw::testing::RunProgram("hwsample", {hw::Utf8Of(root)}, root.parent_path(), root / "err");
  ASSERT_EQ(run.status, 0) << run.err;
}

// The window over the sample under `root`, shown, its start-up done.
struct Window {
  explicit Window(const fs::path& root) : fs(Drives(root), "N:\\Hoardwise"), window(fs, ui) {
    EXPECT_TRUE(window.Load());
    ShowWindow(window.hwnd(), SW_SHOWNORMAL);
    UpdateWindow(window.hwnd());
  }
  static hw::DriveMap Drives(const fs::path& root) {
    hw::DriveMap drives;
    drives.Map('C', root / "c");
    drives.Map('N', root / "n");
    return drives;
  }
  HWND Control(int control) { return window.Control(control); }
  void Click(int control) { SendMessageW(Control(control), BM_CLICK, 0, 0); }
  bool Visible(int control) { return IsWindowVisible(Control(control)); }
  bool Checked(int control) {
    return SendMessageW(Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  ScriptedWindowUi ui;
  hw::FileSystem fs;
  hwconvert_win32::MainWindow window;
};

TEST(Win32Window, AnswersTasksAndMoreInfoThroughTheControls) {
  hw::testing::TempFolder dir;
  WriteSample(dir.path() / "s");
  Window w(dir.path() / "s");
  EXPECT_TRUE(w.Visible(id::kQuestionsPanel));
  EXPECT_FALSE(w.Visible(id::kInfoPanel));
  EXPECT_TRUE(w.Checked(id::Answer(0, false)) && w.Checked(id::Answer(2, false)));

  w.Click(id::Answer(0, true));
  w.Click(id::Answer(2, true));
  EXPECT_TRUE(w.Checked(id::Answer(0, true)));
  EXPECT_FALSE(w.Checked(id::Answer(0, false))) << "the pair is exclusive";
  EXPECT_FALSE(w.Checked(id::Task(Operation::kScreenDesigns)))
      << "only Accept My Answers moves the answers";
  w.Click(id::kAccept);
  EXPECT_FALSE(w.Visible(id::kQuestionsPanel));
  EXPECT_TRUE(w.Checked(id::Task(Operation::kScreenDesigns)) &&
              !w.Checked(id::Task(Operation::kReports)) &&
              w.Checked(id::Task(Operation::kChoiceLists)));
  EXPECT_FALSE(w.Visible(id::Task(Operation::kValues)));

  w.Click(id::kDisplayQuestions);
  EXPECT_TRUE(w.Visible(id::kQuestionsPanel));

  for (int i = 0; i < hw::kRunnableCount; ++i) {
    w.Click(id::MoreInfo(static_cast<Operation>(i)));
    EXPECT_TRUE(w.Visible(id::kInfoPanel));
    EXPECT_TRUE(w.Visible(id::InfoText(static_cast<Operation>(i)))) << i;
  }
  w.Click(id::kInfoOk);
  EXPECT_FALSE(w.Visible(id::kInfoPanel));
  // Escape, as the dialog manager reports it, closes the panel and does nothing else.
  w.Click(id::MoreInfo(Operation::kStorage));
  SendMessageW(w.window.hwnd(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(w.Visible(id::kInfoPanel));
  SendMessageW(w.window.hwnd(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(w.window.ending(), hw::Ending::kRunning);
  EXPECT_TRUE(w.ui.boxes.empty());
}

// Clicked through with questions 1 and 3 answered Yes and the buyers and sellers cleared by
// hand, the window shows what hwconvert-batch.exe --answers YNY --task 1=off reports on a copy
// of the same installation, in the same order, and logs the same.
TEST(Win32Window, WholeConversionMatchesTheBatchFrontEnd) {
  hw::testing::TempFolder dir;
  const fs::path window_root = dir.path() / "window";
  const fs::path batch_root = dir.path() / "batch";
  WriteSample(window_root);
  fs::copy(window_root, batch_root, fs::copy_options::recursive);

  const hw::testing::ProgramRun batch = hw::testing::RunProgram(
      "hwconvert-batch",
      {"--drive", "C=" + hw::Utf8Of(batch_root / "c"), "--drive",
       "N=" + hw::Utf8Of(batch_root / "n"), "--answers", "YNY", "--task", "1=off"},
      batch_root / "n" / "Hoardwise", dir.path());
  ASSERT_EQ(batch.status, 0) << batch.err;
  Lines batch_boxes, batch_shown;
  for (const nlohmann::ordered_json& e : batch.events) {
    const std::string kind = e["event"];
    if (kind == "message") {
      batch_boxes.push_back(e["title"].get<std::string>() + "|" + e["text"].get<std::string>() +
                            "|" + e["icon"].get<std::string>() + "|" +
                            e["buttons"].get<std::string>());
    } else if (kind == "status") {
      batch_shown.push_back("status " + e["text"].get<std::string>());
    } else if (kind == "arrow" || kind == "check") {
      batch_shown.push_back(kind + " " + std::to_string(e["index"].get<int>()) +
                            (e["visible"].get<bool>() ? " on" : " off"));
    }
  }
  ASSERT_GT(batch_shown.size(), 10u);

  Window w(window_root);
  w.Click(id::Answer(0, true));
  w.Click(id::Answer(2, true));
  w.Click(id::kAccept);
  w.Click(id::Task(Operation::kBuyersSellers));
  w.Click(id::kStart);

  EXPECT_EQ(w.window.ending(), hw::Ending::kCompleted);
  EXPECT_EQ(w.window.hwnd(), nullptr) << "the window closed after the completion message";
  EXPECT_EQ(w.ui.boxes, batch_boxes);
  EXPECT_EQ(w.ui.shown, batch_shown);
  const fs::path log = fs::path("n") / "Hoardwise" / "HoardwiseCLog.lst";
  EXPECT_EQ(hw::testing::ReadText(window_root / log), hw::testing::ReadText(batch_root / log));
}

}  // namespace
