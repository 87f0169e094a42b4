// window_screenshots.exe DIR: starts the window as hwconvert.exe does (the folder it starts in
// is the new data folder), clicks through it and has the screen's pictures of it saved in DIR:
//   questions.png    after start-up: the questions panel
//   operations.png   after "Accept My Answers" with the answers as they stand: the operations
//   information.png  after "More Info" of the data entry screens (the longest text)
//   conversion.png   the window when the completion message of "Start Conversion" comes
// The conversion really runs, on the current folder; every message box gets OK (Ignore for an
// Abort, Retry, Ignore box) without being shown. Used by scripts/screenshot for the README.

#include <cstdio>
#include <memory>
#include <string>

#include "hwconvert-win32/main_window.h"
#include "hwconvert-win32/win32_ui.h"
#include "shell/window_texts.h"

namespace {

using hwconvert_win32::MainWindow;
namespace id = hwconvert_win32::id;

// The messages that come in `ms` milliseconds, handled: the window paints.
void Pump(DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  while (GetTickCount() < until) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

// Asks for the picture of the window as the screen shows it: writes DIR\NAME.ready and waits
// until scripts/screenshot, which takes the picture from the X display (frame and title bar of
// the window manager included), has written DIR\NAME.png.
bool Save(const std::wstring& dir, const wchar_t* name) {
  Pump(300);
  const std::wstring ready = dir + L"\\" + name + L".ready";
  const std::wstring picture = dir + L"\\" + name + L".png";
  HANDLE file = CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  for (int waited = 0; waited < 300; ++waited) {
    if (GetFileAttributesW(picture.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Pump(100);
  }
  std::fwprintf(stderr, L"window_screenshots: no %ls\n", picture.c_str());
  return false;
}

void Click(MainWindow& window, int control) {
  SendMessageW(window.Control(control), BM_CLICK, 0, 0);
  Pump(100);
}

class ShotUi : public hwconvert_win32::Win32Ui {
 public:
  explicit ShotUi(std::wstring dir) : dir_(std::move(dir)) {}
  bool saved = true;

  hw::Reply MessageBox(const std::string& text, hw::Icon, hw::Buttons buttons,
                       const std::string&) override {
    if (text == hw::texts::kComplete) saved = Save(dir_, L"conversion");
    return buttons == hw::Buttons::kOk ? hw::Reply::kOk : hw::Reply::kIgnore;
  }

 private:
  std::wstring dir_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: window_screenshots DIR\n", stderr);
    return 2;
  }
  const std::wstring dir = argv[1];
  const std::unique_ptr<hw::FileSystem> fs = hwconvert_win32::MachineFileSystem();
  if (!fs) return 1;
  ShotUi ui(dir);
  MainWindow window(*fs, ui);
  if (!window.Load()) return 1;
  ShowWindow(window.hwnd(), SW_SHOWNORMAL);
  Pump(1500);  // the window manager frames the window
  bool saved = Save(dir, L"questions");
  Click(window, id::kAccept);
  saved = Save(dir, L"operations") && saved;
  Click(window, id::MoreInfo(hw::Operation::kScreenDesigns));
  saved = Save(dir, L"information") && saved;
  Click(window, id::kInfoOk);
  Click(window, id::kStart);
  return saved && ui.saved ? 0 : 1;
}
