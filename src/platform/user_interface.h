#pragma once

#include <string>

// What the system asks of a window toolkit. Texts are Windows-1252; the front end converts.
namespace hw {

enum class Icon { kNone, kExclamation, kCritical };
enum class Buttons { kOk, kAbortRetryIgnore };
enum class Reply { kOk, kAbort, kRetry, kIgnore };
enum class Mark { kArrow, kCheck };

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  // A modal message box; returns the button pressed.
  virtual Reply MessageBox(const std::string& text, Icon icon, Buttons buttons,
                           const std::string& title) = 0;
  // The file-open dialog: the chosen file's full Windows path, empty when cancelled.
  virtual std::string OpenFileDialog() = 0;
  // The status caption was set; show it at once.
  virtual void StatusChanged(const std::string& caption) = 0;
  // pbArrow(index) or pbCheck(index) was shown or hidden; show it at once.
  virtual void MarkChanged(Mark mark, int index, bool visible) = 0;
  // A panel or check box of the window changed state (questions, information, answers).
  virtual void WindowChanged() {}
};

}  // namespace hw
