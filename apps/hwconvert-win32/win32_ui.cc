#include "hwconvert-win32/win32_ui.h"

// The window's header brings windows.h, which the common dialogs need first.
#include "hwconvert-win32/main_window.h"
// The common dialogs.
#include <commdlg.h>

namespace hwconvert_win32 {

hw::Reply Win32Ui::MessageBox(const std::string& text, hw::Icon icon, hw::Buttons buttons,
                              const std::string& title) {
  UINT type = buttons == hw::Buttons::kAbortRetryIgnore ? MB_ABORTRETRYIGNORE : MB_OK;
  switch (icon) {
    case hw::Icon::kExclamation:
      type |= MB_ICONEXCLAMATION;
      break;
    case hw::Icon::kCritical:
      type |= MB_ICONHAND;
      break;
    case hw::Icon::kNone:
      break;
  }
  const int pressed = MessageBoxW(window_->hwnd(), Wide(text).c_str(), Wide(title).c_str(),
                                  type | MB_SETFOREGROUND);
  if (buttons == hw::Buttons::kOk) return hw::Reply::kOk;
  switch (pressed) {
    case IDRETRY:
      return hw::Reply::kRetry;
    case IDIGNORE:
      return hw::Reply::kIgnore;
    default:
      return hw::Reply::kAbort;
  }
}

std::string Win32Ui::OpenFileDialog() {
  // The system sets no title, filter or start folder: Windows' own "Open" dialog, all files.
  wchar_t picked[MAX_PATH * 4] = L"";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_->hwnd();
  dialog.lpstrFile = picked;
  dialog.nMaxFile = static_cast<DWORD>(std::size(picked));
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&dialog)) return "";
  std::string path;
  return FromWide(picked, path) ? path : "";
}

void Win32Ui::StatusChanged(const std::string& caption) { window_->ShowStatus(caption); }

void Win32Ui::MarkChanged(hw::Mark mark, int index, bool visible) {
  window_->ShowMark(mark, index, visible);
}

void Win32Ui::WindowChanged() { window_->Refresh(); }

}  // namespace hwconvert_win32
