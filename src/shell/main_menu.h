#pragma once

#include <array>
#include <memory>
#include <string>

#include "conversion/conversion.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
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
  // "More Info" (0..5) and "OK" (6) of the information panel.
  void ClickInfo(int index);
  // "Start Conversion" (0), "Accept My Answers" (1), "Display the Questions" (2).
  void ClickConvert(int index);

  // Option pairs Q1Ans..Q3Ans: true when "Yes" is selected.
  void SetAnswer(int question, bool yes);
  bool answer_yes(int question) const { return answers_yes_.at(question); }
  // chkTask(0..6), checked or cleared by the user or by the answers.
  void SetTask(int index, bool checked);
  bool task_checked(int index) const { return tasks_.at(index); }
  bool task_visible(int index) const { return index != 6; }
  bool arrow_visible(int index) const { return arrows_.at(index); }
  bool check_visible(int index) const { return checks_.at(index); }
  bool questions_visible() const { return questions_visible_; }
  bool more_info_visible() const { return more_info_visible_; }
  bool info_text_visible(int index) const { return info_visible_.at(index); }
  const std::string& status() const { return conversion_.status; }

  Ending ending() const { return ending_; }
  Conversion& conversion() { return conversion_; }

 private:
  void StartUp();
  void FindPriorInstallation();
  void RunConversion();
  void ShowMark(Mark mark, int index, bool visible);
  void DriverError();
  void End(Ending how);

  Conversion conversion_;
  UserInterface& ui_;  // the conversion's, which puts written data on disk before a message
  Ending ending_ = Ending::kRunning;
  std::array<bool, 3> answers_yes_{};
  std::array<bool, texts::kTasks> tasks_ = texts::kTaskInitiallyChecked;
  std::array<bool, texts::kTasks> arrows_{};
  std::array<bool, texts::kTasks> checks_{};
  std::array<bool, 6> info_visible_{};
  bool questions_visible_ = true;
  bool more_info_visible_ = false;
};

}  // namespace hw
