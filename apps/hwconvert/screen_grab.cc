// screen_grab FILE X Y WIDTH HEIGHT: saves that part of the X display as a PNG picture. Used by
// scripts/screenshot for the pictures of the Windows window, which runs under Wine on the same
// display.

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <iostream>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() != 6) {
    std::cerr << "usage: screen_grab FILE X Y WIDTH HEIGHT\n";
    return 2;
  }
  const QPixmap picture = QApplication::primaryScreen()->grabWindow(
      0, args[2].toInt(), args[3].toInt(), args[4].toInt(), args[5].toInt());
  if (!picture.save(args[1], "PNG")) {
    std::cerr << "screen_grab: cannot write " << args[1].toStdString() << '\n';
    return 1;
  }
  return 0;
}
