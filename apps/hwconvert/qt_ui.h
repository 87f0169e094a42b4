#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/user_interface.h"

namespace hwconvert {

class MainWindow;

// The user interface of the desktop window: modal message boxes and the file-open dialog over
// the window, the status line and the marks repainted at once (the conversion holds the only
// thread, so no event would paint them), and the controls refreshed from the model.
class QtUi : public hw::UserInterface {
 public:
  // `drives` shows the picked host file as a Windows path.
  QtUi(MainWindow& window, const hw::DriveMap& drives);

  hw::Reply MessageBox(const std::string& text, hw::Icon icon, hw::Buttons buttons,
                       const std::string& title) override;
  // A picked file that no drive covers counts as cancelled.
  std::string OpenFileDialog() override;
  void StatusChanged(const std::string& caption) override;
  void MarkChanged(hw::Mark mark, int index, bool visible) override;
  void WindowChanged() override;

 private:
  MainWindow& window_;
  const hw::DriveMap& drives_;
};

}  // namespace hwconvert
