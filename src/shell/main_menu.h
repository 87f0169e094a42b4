#pragma once

#include <array>
#include <memory>
#include <string>

#include "conversion/conversion.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "shell/controls.h"
#include "shell/window_texts.h"

namespace hw {

// How a run ended, as the front ends report it.
enum class Ending {
  kRunning,           // the window takes input
  kCompleted,         // after the completion message
  kClosed,            // the user closed the window
  kFatal,             // the fatal-error path
  kNotFound,          // start-up found no prior installation
  kAnalysisFailed,    // the installation analysis failed
  kStartupFailed,     // an error that start-up does not handle
  kConversionFailed,  // the driver's own error message (the window stays open)
};

// The main window as a model: every control as state, and its event handlers. Both front ends
// drive it; they differ only in how they show it (through the UserInterface).
class MainMenu {
 public:
  MainMenu(FileSystem& fs, UserInterface& ui);

  // Window load: the start-up. Afterwards ending() is kRunning unless the program ended.
  void Load();
  // Window unload: closes the log. Ends the run as kClosed unless it has ended already.
  void Unload();
  // "More Info" of an operation before kValues.
  void ClickMoreInfo(Operation op);
  void Click(Button button);

  // Option pairs Q1Ans..Q3Ans: true when "Yes" is selected.
  void SetAnswer(int question, bool yes);
  bool answer_yes(int question) const { return answers_yes_.at(question); }
  // chkTask, checked or cleared by the user or by the answers.
  void SetTask(Operation op, bool checked);
  bool task_checked(Operation op) const { return tasks_.at(Index(op)); }
  bool task_visible(Operation op) const { return op != Operation::kValues; }
  bool arrow_visible(Operation op) const { return arrows_.at(Index(op)); }
  bool check_visible(Operation op) const { return checks_.at(Index(op)); }
  bool questions_visible() const { return questions_visible_; }
  bool more_info_visible() const { return more_info_visible_; }
  bool info_text_visible(Operation op) const { return info_visible_.at(Index(op)); }
  const std::string& status() const { return conversion_.status; }

  Ending ending() const { return ending_; }
  Conversion& conversion() { return conversion_; }

 private:
  void StartUp();
  void FindPriorInstallation();
  void RunConversion();
  void ShowMark(Mark mark, Operation op, bool visible);
  void DriverError();
  void End(Ending how);

  Conversion conversion_;
  UserInterface& ui_;  // the conversion's, which puts written data on disk before a message
  Ending ending_ = Ending::kRunning;
  std::array<bool, 3> answers_yes_{};
  std::array<bool, kOperationCount> tasks_ = texts::kTaskInitiallyChecked;
  std::array<bool, kOperationCount> arrows_{};
  std::array<bool, kOperationCount> checks_{};
  std::array<bool, kRunnableCount> info_visible_{};
  bool questions_visible_ = true;
  bool more_info_visible_ = false;
};

}  // namespace hw
