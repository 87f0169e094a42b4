// hwconvert.exe: the desktop window of HWConvert on Windows. It takes no command-line arguments
// beyond --version: the folder it starts in is the new data folder, on the machine's own
// drives. The window's title is the system's own fixed caption, so the version shows only
// through --version.

#include <windows.h>
// The common controls need the declarations of windows.h first.
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <memory>

#include "hwconvert-win32/main_window.h"
#include "hwconvert-win32/win32_ui.h"
#include "shell/window_texts.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  for (int i = 1; i < __argc; ++i) {
    if (std::wcscmp(__wargv[i], L"--version") == 0) {
      _setmode(_fileno(stdout), _O_BINARY);  // a line end as on every host
      std::fputs("hwconvert " HW_VERSION "\n", stdout);
      return 0;
    }
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  const std::unique_ptr<hw::FileSystem> fs = hwconvert_win32::MachineFileSystem();
  if (!fs) {
    MessageBoxW(nullptr, hwconvert_win32::Wide(hw::texts::kNoWindowsPath).c_str(),
                hwconvert_win32::Wide(hw::kTitle).c_str(), MB_ICONHAND | MB_OK);
    return 1;
  }
  hwconvert_win32::Win32Ui ui;
  hwconvert_win32::MainWindow window(*fs, ui);
  if (window.Load()) {
    ShowWindow(window.hwnd(), show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      // The dialog manager gives Tab, the access keys, Enter and Escape.
      if (window.hwnd() != nullptr && IsDialogMessageW(window.hwnd(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  const hw::Ending ending = window.ending();
  return ending == hw::Ending::kCompleted || ending == hw::Ending::kClosed ? 0 : 1;
}
