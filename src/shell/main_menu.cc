#include "shell/main_menu.h"

#include <string>

#include "analysis/analyze_install.h"
#include "platform/text.h"
#include "reftables/reference_tables.h"
#include "shell/operations.h"
#include "tablestore/error_policy.h"

namespace hw {

namespace {

constexpr char kLogName[] = "HoardwiseCLog.lst";
constexpr size_t kExeNameLength = 10;  // "hwver4.exe"

// The standard places of a prior installation, tested in order: the lookup pattern and the
// prior installation folder it gives.
struct StandardPlace {
  const char* lookup;
  const char* folder;
};
constexpr StandardPlace kStandardPlaces[] = {
    {"C:\\hwver4.", "C:\\HWVER4\\"},
    {"C:\\Program Files\\hwver4.", "C:\\Program Files\\HWVER4\\"},
    {"D:\\hwver4.", "D:\\HWVER4\\"},
};

}  // namespace

MainMenu::MainMenu(FileSystem& fs, UserInterface& ui) : conversion_(fs, ui), ui_(conversion_.ui) {
  conversion_.status = texts::kInitialStatus;
}

void MainMenu::End(Ending how) {
  // After the driver's own error the window stays open: the user may start again or close it.
  if (ending_ == Ending::kRunning ||
      (ending_ == Ending::kConversionFailed && how != Ending::kClosed)) {
    ending_ = how;
  }
}

void MainMenu::DriverError() {
  ui_.MessageBox(texts::kDriverError, Icon::kExclamation, Buttons::kOk, kTitle);
  End(Ending::kConversionFailed);
}

void MainMenu::Load() {
  try {
    StartUp();
  } catch (const ProgramEnd& end) {
    switch (end.reason) {
      case EndReason::kNotFound:
        End(Ending::kNotFound);  // ends at once, without the unload
        return;
      case EndReason::kAnalysisFailed:
        End(Ending::kAnalysisFailed);
        break;
      case EndReason::kFatal:
        End(Ending::kFatal);
        break;
    }
    Unload();
  } catch (const RunError& e) {
    // Start-up has no handler of its own: the error ends the program with a generic message.
    ui_.MessageBox("Run-time error '" + std::to_string(e.number) + "'", Icon::kCritical,
                   Buttons::kOk, kTitle);
    End(Ending::kStartupFailed);
  }
}

void MainMenu::StartUp() {
  Conversion& c = conversion_;
  c.new_data_folder = Trim(c.fs.CurrentFolder()) + "\\";
  c.fs.SetNewDataFolder(c.new_data_folder);
  c.fs.OpenOutput(kLogFile, c.new_data_folder + kLogName);
  c.Log("Log of Hoardwise Plus Conversion Activity");
  FindPriorInstallation();
  // From here on nothing may be written inside the prior installation. When it was found in
  // the current folder (an empty prior folder) that is the new data folder itself, and every
  // write is refused rather than risk changing the old installation.
  c.fs.SetPriorFolder(c.prior_folder);
  c.Log("Old installation directory: " + Trim(c.prior_folder));
  FillCoinTypes(c.refs);
  FillFieldTypes(c.refs);
  InitTable(c.refs);
  AnalyzeInstall(c);
}

void MainMenu::FindPriorInstallation() {
  Conversion& c = conversion_;
  c.prior_folder = "C:\\HWVER4\\";
  for (const StandardPlace& place : kStandardPlaces) {
    if (!c.fs.List(place.lookup, ListFilter::kFilesAndFolders).empty()) {
      c.prior_folder = place.folder;
      return;
    }
  }
  ui_.MessageBox(texts::kLocatePrior, Icon::kExclamation, Buttons::kOk, kTitle);
  const std::string picked = ui_.OpenFileDialog();
  // Only the length of the picked path is used: it is taken to end in "hwver4.exe".
  const std::string folder =
      picked.size() > kExeNameLength ? picked.substr(0, picked.size() - kExeNameLength) : "";
  if (!c.fs.List(folder + "hwver4.exe", ListFilter::kPlainFiles).empty()) {
    c.prior_folder = folder;
    return;
  }
  ui_.MessageBox(texts::kNotPrior, Icon::kExclamation, Buttons::kOk, kTitle);
  throw ProgramEnd{EndReason::kNotFound};
}

void MainMenu::Unload() {
  if (conversion_.fs.IsOpen(kLogFile)) conversion_.fs.Close(kLogFile);
  End(Ending::kClosed);
}

void MainMenu::ClickMoreInfo(Operation op) {
  info_visible_.fill(false);
  info_visible_.at(Index(op)) = true;
  more_info_visible_ = true;
  ui_.WindowChanged();
}

void MainMenu::SetAnswer(int question, bool yes) {
  answers_yes_.at(question) = yes;
  ui_.WindowChanged();
}

void MainMenu::SetTask(Operation op, bool checked) {
  tasks_.at(Index(op)) = checked;
  ui_.WindowChanged();
}

void MainMenu::ShowMark(Mark mark, Operation op, bool visible) {
  (mark == Mark::kArrow ? arrows_ : checks_).at(Index(op)) = visible;
  ui_.MarkChanged(mark, Index(op), visible);
}

void MainMenu::Click(Button button) {
  switch (button) {
    case Button::kAccept:
      questions_visible_ = false;
      tasks_[Index(Operation::kScreenDesigns)] = answers_yes_[0];
      tasks_[Index(Operation::kReports)] = answers_yes_[1];
      tasks_[Index(Operation::kChoiceLists)] = answers_yes_[2];
      ui_.WindowChanged();
      break;
    case Button::kDisplayQuestions:
      questions_visible_ = true;
      ui_.WindowChanged();
      break;
    case Button::kInfoOk:
      info_visible_.fill(false);
      more_info_visible_ = false;
      ui_.WindowChanged();
      break;
    case Button::kStartConversion:
      try {
        RunConversion();
      } catch (const ProgramEnd&) {
        End(Ending::kFatal);
        Unload();
      } catch (const RunError&) {
        // An error that reaches the driver itself ends the click; the window stays open.
        DriverError();
      } catch (const LeaveOperation&) {
        DriverError();
      }
      break;
  }
}

void MainMenu::RunConversion() {
  Conversion& c = conversion_;
  const auto& ops = Operations();
  if (task_checked(Operation::kScreenDesigns)) {
    ShowMark(Mark::kArrow, Operation::kScreenDesigns, true);
    ops[Index(Operation::kScreenDesigns)].run(c);
    ShowMark(Mark::kArrow, Operation::kScreenDesigns, false);
    ShowMark(Mark::kCheck, Operation::kScreenDesigns, true);
  }
  for (int i = 0; i < kOperationCount; ++i) {
    const auto op = static_cast<Operation>(i);
    if (!task_checked(op)) continue;
    ShowMark(Mark::kArrow, op, true);
    // The screen designs ran before this pass; the values files have nothing to run.
    if (op != Operation::kScreenDesigns && op != Operation::kValues) {
      c.SetStatus(ops[i].status);
      c.Log(ops[i].log_line);
      ops[i].run(c);
    }
    ShowMark(Mark::kArrow, op, false);
    ShowMark(Mark::kCheck, op, true);
  }
  c.Log("All conversions complete");
  ui_.MessageBox(texts::kComplete, Icon::kExclamation, Buttons::kOk, kTitle);
  End(Ending::kCompleted);
  Unload();
}

}  // namespace hw
