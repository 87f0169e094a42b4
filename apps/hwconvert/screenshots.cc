// window_screenshots DIR: starts the window as hwconvert does (the Wine prefix's drives, the
// current folder as the new data folder), clicks through it and saves what it shows into DIR:
//   questions.png    after start-up: the questions panel
//   operations.png   after "Accept My Answers" with the answers as they stand: the operations
//   information.png  after "More Info" of the data entry screens (the longest text)
//   conversion.png   the window behind the completion message of "Start Conversion"
// The conversion really runs, on the current folder; every message box gets OK (Ignore for an
// Abort, Retry, Ignore box). Used by scripts/screenshot for the README.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <iostream>
#include <memory>

#include "hwconvert/desktop_drives.h"
#include "hwconvert/main_window.h"
#include "shell/window_texts.h"

namespace {

// The window as the screen shows it, with the frame and title bar of the window manager when
// one runs (scripts/screenshot starts one), else the window alone.
bool Save(QWidget& window, const QDir& dir, const char* name) {
  QApplication::processEvents();
  const QString file = dir.filePath(name);
  const QRect frame = window.frameGeometry();
  const QPixmap picture =
      frame.size() == window.size()
          ? window.grab()
          : window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
  if (!picture.save(file)) {
    std::cerr << "window_screenshots: cannot write " << file.toStdString() << '\n';
    return false;
  }
  std::cout << file.toStdString() << '\n';
  return true;
}

void Click(QWidget& window, const char* name) {
  window.findChild<QPushButton*>(name)->click();
  QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() != 2) {
    std::cerr << "usage: window_screenshots DIR\n";
    return 2;
  }
  const QDir dir(args[1]);
  const std::unique_ptr<hw::FileSystem> fs = hwconvert::DesktopFileSystem();
  if (!fs) return 1;
  hwconvert::MainWindow window(*fs);
  if (!window.Load()) return 1;
  window.show();
  // Give a window manager the moment it needs to frame the window.
  QTimer settle;
  settle.setSingleShot(true);
  QEventLoop loop;
  QObject::connect(&settle, &QTimer::timeout, &loop, &QEventLoop::quit);
  settle.start(500);
  loop.exec();
  bool saved = Save(window, dir, "questions.png");
  Click(window, "cmdConvert1");
  saved = Save(window, dir, "operations.png") && saved;
  Click(window, "cmdInfo5");
  saved = Save(window, dir, "information.png") && saved;
  Click(window, "cmdInfo6");

  // The message boxes of the run are modal: a timer answers them from inside their loops.
  const QString complete = hwconvert::FromWin1252(hw::texts::kComplete);
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    if (box->text() == complete) saved = Save(window, dir, "conversion.png") && saved;
    QAbstractButton* ignore = box->button(QMessageBox::Ignore);
    (ignore != nullptr ? ignore : box->button(QMessageBox::Ok))->click();
  });
  answer.start(50);
  Click(window, "cmdConvert0");
  return saved ? 0 : 1;
}
