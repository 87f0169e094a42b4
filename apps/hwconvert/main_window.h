#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <string>

#include "hwconvert/qt_ui.h"
#include "platform/file_system.h"
#include "shell/main_menu.h"
#include "shell/window_texts.h"

class QCheckBox;
class QCloseEvent;
class QLabel;
class QRadioButton;

namespace hwconvert {

class MarkPicture;

// A text of the system (Windows-1252) as the window shows it.
QString FromWin1252(const std::string& text);

// The main window "Hoardwise Plus Conversion Welcome Screen": every control of the window,
// named as the system names it (objectName "pbQuestions", "chkTask5", "cmdConvert0", ...),
// over the window model, which holds the state and handles the clicks.
class MainWindow : public QWidget {
 public:
  explicit MainWindow(hw::FileSystem& fs);

  // The window load: the start-up. True when the window is to be shown; otherwise the program
  // has ended and ending() says how.
  bool Load();
  hw::Ending ending() const { return model_.ending(); }

  // Shown at once, while the conversion holds the thread.
  void ShowStatus(const QString& caption);
  void ShowMark(hw::Mark mark, int index, bool visible);
  // Brings every control in line with the model.
  void Refresh();

 protected:
  // Closing the window unloads it: the log is closed.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildTitle();
  QWidget* BuildOperations();
  QWidget* BuildQuestions();
  QWidget* BuildMoreInfo();
  void Click(hw::Button button);

  QtUi ui_;
  hw::MainMenu model_;
  QWidget* questions_ = nullptr;
  QWidget* more_info_ = nullptr;
  QLabel* status_ = nullptr;
  std::array<QRadioButton*, 3> yes_{};
  std::array<QRadioButton*, 3> no_{};
  std::array<QCheckBox*, hw::kOperationCount> tasks_{};
  std::array<MarkPicture*, hw::kOperationCount> arrows_{};
  std::array<MarkPicture*, hw::kOperationCount> checks_{};
  std::array<QLabel*, hw::kRunnableCount> info_texts_{};
};

}  // namespace hwconvert
