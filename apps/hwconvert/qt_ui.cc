#include "hwconvert/qt_ui.h"

#include <QFileDialog>
#include <QMessageBox>
#include <optional>

#include "hwconvert/main_window.h"

namespace hwconvert {

QtUi::QtUi(MainWindow& window, const hw::DriveMap& drives) : window_(window), drives_(drives) {}

hw::Reply QtUi::MessageBox(const std::string& text, hw::Icon icon, hw::Buttons buttons,
                           const std::string& title) {
  QMessageBox::Icon shown = QMessageBox::NoIcon;
  switch (icon) {
    case hw::Icon::kExclamation:
      shown = QMessageBox::Warning;
      break;
    case hw::Icon::kCritical:
      shown = QMessageBox::Critical;
      break;
    case hw::Icon::kNone:
      break;
  }
  const bool question = buttons == hw::Buttons::kAbortRetryIgnore;
  QMessageBox box(
      shown, FromWin1252(title), FromWin1252(text),
      question ? QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore : QMessageBox::Ok,
      &window_);
  box.setTextFormat(Qt::PlainText);
  const int pressed = box.exec();
  if (!question) return hw::Reply::kOk;
  switch (pressed) {
    case QMessageBox::Retry:
      return hw::Reply::kRetry;
    case QMessageBox::Ignore:
      return hw::Reply::kIgnore;
    default:
      return hw::Reply::kAbort;  // Abort, or the box closed without a button
  }
}

std::string QtUi::OpenFileDialog() {
  const QString picked = QFileDialog::getOpenFileName(&window_);
  if (picked.isEmpty()) return "";
  const std::optional<std::string> windows =
      drives_.WindowsPathOf(std::filesystem::path(picked.toStdString()));
  return windows.value_or("");
}

void QtUi::StatusChanged(const std::string& caption) { window_.ShowStatus(FromWin1252(caption)); }

void QtUi::MarkChanged(hw::Mark mark, int index, bool visible) {
  window_.ShowMark(mark, index, visible);
}

void QtUi::WindowChanged() { window_.Refresh(); }

}  // namespace hwconvert
