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
using hw::testing::RunProgram;
using Json = nlohmann::ordered_json;
using Events = std::vector<Json>;

// The user interface of the window with the message boxes and the file dialog scripted, and
// what the window showed each time the conversion asked for a message box, a status caption or a
// mark, read back from the controls and written as the batch transcript has it.
class ScriptedWindowUi : public hwconvert_win32::Win32Ui {
 public:
  Events shown;

  // A question gets Abort.
  hw::Reply MessageBox(const std::string& text, hw::Icon icon, hw::Buttons buttons,
                       const std::string& title) override {
    const char* icons[] = {"none", "exclamation", "critical"};
    const bool question = buttons == hw::Buttons::kAbortRetryIgnore;
    Json box = {{"event", "message"}, {"title", hw::Win1252ToUtf8(title)}};
    box["text"] = hw::Win1252ToUtf8(text);
    box["icon"] = icons[static_cast<int>(icon)];
    box["buttons"] = question ? "abort-retry-ignore" : "ok";
    box["reply"] = question ? "abort" : "ok";
    shown.push_back(box);
    return question ? hw::Reply::kAbort : hw::Reply::kOk;
  }
  std::string OpenFileDialog() override { return ""; }
  void StatusChanged(const std::string& caption) override {
    Win32Ui::StatusChanged(caption);
    wchar_t text[256];
    GetWindowTextW(window().Control(id::kStatus), text, 256);
    std::string shown_text;
    EXPECT_TRUE(hwconvert_win32::FromWide(text, shown_text));
    shown.push_back({{"event", "status"}, {"text", hw::Win1252ToUtf8(shown_text)}});
  }
  void MarkChanged(hw::Mark mark, int index, bool visible) override {
    Win32Ui::MarkChanged(mark, index, visible);
    const auto op = static_cast<Operation>(index);
    const bool arrow = mark == hw::Mark::kArrow;
    const bool on = IsWindowVisible(window().Control(arrow ? id::Arrow(op) : id::Check(op)));
    shown.push_back({{"event", arrow ? "arrow" : "check"}, {"index", index}, {"visible", on}});
  }
};

// Clicked through with questions 1 and 3 answered Yes and the buyers and sellers cleared by
// hand, the window shows what hwconvert-batch.exe --answers YNY --task 1=off reports on a copy
// of the same installation, in the same order, and logs the same.
TEST(Win32Window, WholeConversionMatchesTheBatchFrontEnd) {
  hw::testing::TempFolder dir;
  const fs::path window_root = dir.path() / "window", batch_root = dir.path() / "batch";
  ASSERT_EQ(RunProgram("hwsample", {hw::Utf8Of(window_root)}, dir.path(), dir.path()).status, 0);
  fs::copy(window_root, batch_root, fs::copy_options::recursive);

  const hw::testing::ProgramRun batch =
      RunProgram("hwconvert-batch",
                 {"--drive", "C=" + hw::Utf8Of(batch_root / "c"), "--drive",
                  "N=" + hw::Utf8Of(batch_root / "n"), "--answers", "YNY", "--task", "1=off"},
                 batch_root / "n" / "Hoardwise", dir.path());
  ASSERT_EQ(batch.status, 0) << batch.err;
  ASSERT_GT(batch.events.size(), 10u);

  // The window over the other copy: C: is window\c with the prior installation C:\HWVER4\, N:
  // is window\n with the new data folder N:\Hoardwise\.
  hw::DriveMap drives;
  drives.Map('C', window_root / "c");
  drives.Map('N', window_root / "n");
  hw::FileSystem file_system(drives, "N:\\Hoardwise");
  ScriptedWindowUi ui;
  hwconvert_win32::MainWindow window(file_system, ui);
  ASSERT_TRUE(window.Load());
  ShowWindow(window.hwnd(), SW_SHOWNORMAL);
  UpdateWindow(window.hwnd());
  const auto click = [&](int control) { SendMessageW(window.Control(control), BM_CLICK, 0, 0); };
  const auto visible = [&](int control) { return IsWindowVisible(window.Control(control)); };
  const auto checked = [&](int control) {
    return SendMessageW(window.Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
  };

  EXPECT_TRUE(visible(id::kQuestionsPanel));
  EXPECT_FALSE(visible(id::kInfoPanel));
  EXPECT_TRUE(checked(id::Answer(0, false)) && checked(id::Answer(2, false)));
  click(id::Answer(0, true));
  click(id::Answer(2, true));
  EXPECT_TRUE(checked(id::Answer(0, true)) && !checked(id::Answer(0, false)))
      << "the pair is exclusive";
  EXPECT_FALSE(checked(id::Task(Operation::kScreenDesigns)))
      << "only Accept My Answers moves the answers";
  click(id::kAccept);
  EXPECT_FALSE(visible(id::kQuestionsPanel));
  EXPECT_TRUE(checked(id::Task(Operation::kScreenDesigns)) &&
              !checked(id::Task(Operation::kReports)) &&
              checked(id::Task(Operation::kChoiceLists)));
  EXPECT_FALSE(visible(id::Task(Operation::kValues)));
  click(id::kDisplayQuestions);
  EXPECT_TRUE(visible(id::kQuestionsPanel));
  for (int i = 0; i < hw::kRunnableCount; ++i) {
    click(id::MoreInfo(static_cast<Operation>(i)));
    EXPECT_TRUE(visible(id::kInfoPanel) && visible(id::InfoText(static_cast<Operation>(i)))) << i;
  }
  click(id::kInfoOk);
  EXPECT_FALSE(visible(id::kInfoPanel));
  // Escape, as the dialog manager reports it, closes the panel and does nothing else.
  click(id::MoreInfo(Operation::kStorage));
  SendMessageW(window.hwnd(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(visible(id::kInfoPanel));
  SendMessageW(window.hwnd(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(window.ending(), hw::Ending::kRunning);

  click(id::kAccept);
  click(id::Task(Operation::kBuyersSellers));
  click(id::kStart);
  EXPECT_EQ(window.ending(), hw::Ending::kCompleted);
  EXPECT_EQ(window.hwnd(), nullptr) << "the window closed after the completion message";
  // All but the end, which the window shows by closing.
  EXPECT_EQ(ui.shown, Events(batch.events.begin(), batch.events.end() - 1));
  const fs::path log = fs::path("n") / "Hoardwise" / "HoardwiseCLog.lst";
  EXPECT_EQ(hw::testing::ReadText(window_root / log), hw::testing::ReadText(batch_root / log));
}

}  // namespace
