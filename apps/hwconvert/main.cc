// hwconvert: the desktop window of HWConvert. It takes no command-line arguments beyond
// --version: the current folder is the new data folder, and the drives are those of the
// desktop's Wine prefix. The window's title is the system's own fixed caption, so the version
// shows only through --version.

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <memory>

#include "hwconvert/desktop_drives.h"
#include "hwconvert/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationVersion(HW_VERSION);
  QCommandLineParser options;  // any other argument is ignored, as before
  options.addVersionOption();
  if (options.parse(QApplication::arguments()) && options.isSet("version")) options.showVersion();
  const std::unique_ptr<hw::FileSystem> fs = hwconvert::DesktopFileSystem();
  if (!fs) {
    QMessageBox::critical(nullptr, hwconvert::FromWin1252(hw::kTitle),
                          hwconvert::FromWin1252(hw::texts::kNoWindowsPath));
    return 1;
  }
  hwconvert::MainWindow window(*fs);
  if (window.Load()) {
    window.show();
    app.exec();
  }
  const hw::Ending ending = window.ending();
  return ending == hw::Ending::kCompleted || ending == hw::Ending::kClosed ? 0 : 1;
}
