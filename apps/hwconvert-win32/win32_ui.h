#pragma once

#include <string>

#include "platform/user_interface.h"

namespace hwconvert_win32 {

class MainWindow;

// The user interface of the native window: message boxes (MessageBoxW) and the file-open
// dialog (GetOpenFileNameW) owned by the window, the status line and the marks painted at once
// (the conversion holds the only thread, so no message would paint them), and the controls
// refreshed from the model. The window attaches itself when it is made.
class Win32Ui : public hw::UserInterface {
 public:
  void Attach(MainWindow& window) { window_ = &window; }

  hw::Reply MessageBox(const std::string& text, hw::Icon icon, hw::Buttons buttons,
                       const std::string& title) override;
  // A picked file whose path Windows-1252 cannot hold counts as cancelled.
  std::string OpenFileDialog() override;
  void StatusChanged(const std::string& caption) override;
  void MarkChanged(hw::Mark mark, int index, bool visible) override;
  void WindowChanged() override;

 protected:
  MainWindow& window() { return *window_; }

 private:
  MainWindow* window_ = nullptr;
};

}  // namespace hwconvert_win32
