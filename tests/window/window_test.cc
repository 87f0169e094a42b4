// The desktop window on Qt's offscreen platform: its controls over the window model, the
// message boxes and the file dialog answered from inside their modal loops, and a whole
// conversion compared with hwconvert-batch.

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <string>

#include "hwconvert/desktop_drives.h"
#include "hwconvert/main_window.h"
#include "hwconvert/qt_ui.h"
#include "shell/window_texts.h"
#include "tablestore/runtime.h"

namespace {

namespace fs = std::filesystem;

// Runs a program of this build with `args` in `cwd` and gives its standard output.
QByteArray RunProgram(const char* program, const QStringList& args, const fs::path& cwd) {
  QProcess p;
  p.setWorkingDirectory(QString::fromStdString(cwd.string()));
  p.start(program, args);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) qFatal("%s failed", program);
  return p.readAllStandardOutput();
}

// The sample installation of hwsample under `root`: drive C: is root/c with the prior
// installation C:\HWVER4\, drive N: is root/n with the new data folder N:\Hoardwise\.
fs::path WriteSample(const QTemporaryDir& dir, const char* name = "") {
  const fs::path root = fs::path(dir.path().toStdString()) / name;
  RunProgram(HW_SAMPLE, {QString::fromStdString(root.string())}, dir.path().toStdString());
  return root;
}

QByteArray ReadFile(const fs::path& path) {
  QFile file(QString::fromStdString(path.string()));
  if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", path.c_str());
  return file.readAll();
}

// Answers the window's modal dialogs from inside their event loops and records them, a box as
// "title|text|icon|buttons" in the words of hwconvert-batch, the file dialog as "dialog". A box
// gets OK, or the next queued reply (Abort when none is left) when it asks Abort, Retry, Ignore;
// the file dialog picks `pick`, or is cancelled when there is none.
struct ModalAnswerer {
  ModalAnswerer() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        const auto buttons = box->standardButtons();
        const bool question =
            buttons == (QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
        const QStringList icons = {"none", "other", "exclamation", "critical", "other"};
        const QString shown = question                     ? "abort-retry-ignore"
                              : buttons == QMessageBox::Ok ? "ok"
                                                           : "other";
        boxes << QStringList{box->windowTitle(), box->text(), icons.value(box->icon()), shown}.join(
            "|");
        box->button(question ? replies.value(questions++, QMessageBox::Abort) : QMessageBox::Ok)
            ->click();
      } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        boxes << "dialog";
        dialog->selectFile(pick);
        // Accepting is what the Open button does.
        pick.isEmpty() ? dialog->reject() : static_cast<QDialog*>(dialog)->accept();
      }
    });
    timer.start(5);
  }

  QList<QMessageBox::StandardButton> replies;
  QString pick;
  QStringList boxes;
  int questions = 0;  // asked so far
  QTimer timer;
};

// Records the paints of the status line, as its text and the arrow shown at that moment, and
// of the arrows, as their names ("pbArrow<i>").
class PaintLog : public QObject {
 public:
  explicit PaintLog(QWidget& window) : status(window.findChild<QLabel*>("Status")) {
    for (int i = 0; i < 7; ++i) arrows << window.findChild<QWidget*>(QString("pbArrow%1").arg(i));
    for (QWidget* watched : arrows + QWidgetList{status}) watched->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    QString arrow = "none";
    for (int i = 0; i < arrows.size(); ++i) {
      if (!arrows[i]->isHidden()) arrow = QString::number(i);
    }
    paints << (watched == status ? status->text() + " / arrow " + arrow : watched->objectName());
    return false;
  }

  QStringList paints;
  QLabel* status;
  QWidgetList arrows;
};

// The window over an installation under `root` (drive C: root/c unless left out, drive N:
// root/n), with its own file system.
struct Run {
  explicit Run(const fs::path& root, bool with_c = true)
      : fs(Drives(root, with_c), "N:\\Hoardwise"), window(fs) {}
  static hw::DriveMap Drives(const fs::path& root, bool with_c) {
    hw::DriveMap drives;
    if (with_c) drives.Map('C', root / "c");
    drives.Map('N', root / "n");
    return drives;
  }

  // Start-up, then the window shown as hwconvert shows it.
  bool Load() {
    if (!window.Load()) return false;
    window.show();
    return QTest::qWaitForWindowExposed(&window);
  }
  template <class Widget = QWidget>
  Widget* Get(const QString& name) {
    Widget* w = window.findChild<Widget*>(name);
    if (w == nullptr) qFatal("no control %s", qPrintable(name));
    return w;
  }
  // Clicked near the left end, where a check box or option button has its indicator.
  void Click(const QString& name) {
    QWidget* w = Get(name);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
  }
  bool Shown(const char* prefix, int index) {
    return !Get(prefix + QString::number(index))->isHidden();
  }
  bool Checked(int task) {
    return Get<QAbstractButton>(QString("chkTask%1").arg(task))->isChecked();
  }

  hw::FileSystem fs;
  hwconvert::MainWindow window;
};

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Clicked through its panels, with questions 1 and 3 answered Yes and the buyers and sellers
  // cleared by hand, the window shows what hwconvert-batch --answers YNY --task 1=off reports on
  // a copy of the same installation, and logs the same.
  void WholeConversionMatchesTheBatchFrontEnd() {
    QTemporaryDir dir;
    const fs::path window_root = WriteSample(dir, "window");
    const fs::path batch_root = fs::path(dir.path().toStdString()) / "batch";
    fs::copy(window_root, batch_root, fs::copy_options::recursive);
    // The batch transcript: its boxes, and each status caption with the arrow shown when it was
    // set, written as PaintLog writes them.
    const QByteArray out =
        RunProgram(HW_BATCH,
                   {"--drive", QString::fromStdString("C=" + (batch_root / "c").string()),
                    "--drive", QString::fromStdString("N=" + (batch_root / "n").string()),
                    "--answers", "YNY", "--task", "1=off"},
                   batch_root / "n" / "Hoardwise");
    QStringList boxes, painted;
    QString arrow = "none";
    for (const QByteArray& line : out.split('\n')) {
      const QJsonObject e = QJsonDocument::fromJson(line).object();
      if (e["event"] == "message") {
        boxes << QStringList{e["title"].toString(), e["text"].toString(), e["icon"].toString(),
                             e["buttons"].toString()}
                     .join("|");
      } else if (e["event"] == "arrow") {
        arrow = e["visible"].toBool() ? QString::number(e["index"].toInt()) : "none";
      } else if (e["event"] == "status") {
        painted << e["text"].toString() + " / arrow " + arrow;
      }
    }
    QVERIFY(painted.contains("Converting Collections / arrow 0"));

    ModalAnswerer answerer;
    Run run(window_root);
    QVERIFY(run.Load());
    QCOMPARE(run.window.windowTitle(), "Hoardwise Plus Conversion Welcome Screen");
    QWidget* questions = run.Get("pbQuestions");
    for (const char* covered : {"fraOperations", "cmdConvert0", "Status"}) {
      QVERIFY2(questions->geometry().contains(run.Get(covered)->geometry()), covered);
    }
    for (const char* no : {"Q1Ans1", "Q2Ans1", "Q3Ans1"}) {
      QVERIFY2(run.Get<QAbstractButton>(no)->isChecked(), no);
    }
    int above = -1;
    for (int i : {5, 0, 1, 2, 3, 4}) {
      QCOMPARE(run.Checked(i), i < 3);
      QVERIFY(!run.Shown("pbArrow", i) && !run.Shown("pbCheck", i));
      const int y = run.Get(QString("chkTask%1").arg(i))->mapTo(&run.window, QPoint(0, 0)).y();
      QVERIFY2(y > above, "the rows stand in the order 5, 0, 1, 2, 3, 4");
      above = y;
    }
    QVERIFY(!run.Shown("chkTask", 6));
    QCOMPARE(run.Get<QLabel>("Status")->text(), "Converting:");

    run.Click("Q1Ans0");
    run.Click("Q3Ans0");
    QVERIFY(!run.Checked(5));  // only "Accept My Answers" moves the answers
    run.Click("cmdConvert1");
    QVERIFY(questions->isHidden());
    QVERIFY(run.Checked(5) && !run.Checked(3) && run.Checked(4));
    QWidget* panel = run.Get("pbMoreInfo");
    for (int i = 0; i < 6; ++i) {
      run.Click(QString("cmdInfo%1").arg(i));
      QVERIFY(run.Shown("lblMoreInfo", i) && panel->isVisible());
      QWidget* top = run.window.childAt(panel->geometry().center());
      QVERIFY2(top == panel || panel->isAncestorOf(top), "the panel lies on top");
    }
    run.Click("cmdInfo6");
    QVERIFY(panel->isHidden());
    run.Click("cmdConvert2");
    QVERIFY(questions->isVisible());
    run.Click("cmdConvert1");
    run.Click("chkTask1");
    PaintLog paints(run.window);
    run.Click("cmdConvert0");

    QCOMPARE(run.window.ending(), hw::Ending::kCompleted);
    QVERIFY(run.window.isHidden());
    QCOMPARE(answerer.boxes, boxes);
    const bool ran[] = {true, false, true, false, true, true, false};
    for (int i = 0; i < 7; ++i) {
      QCOMPARE(run.Shown("pbCheck", i), ran[i]);
      QVERIFY(!run.Shown("pbArrow", i));
      QCOMPARE(paints.paints.contains(QString("pbArrow%1").arg(i)), ran[i]);
    }
    // Every caption was painted at once, while the operation that set it held the thread.
    QStringList expected = painted;
    for (const QString& paint : paints.paints) {
      if (!expected.isEmpty() && paint == expected.front()) expected.removeFirst();
    }
    QVERIFY2(expected.isEmpty(), qPrintable("not painted: " + expected.join(", ")));
    QCOMPARE(run.Get<QLabel>("Status")->text(), painted.back().section(" / arrow ", 0, 0));
    const fs::path log = fs::path("n") / "Hoardwise" / "HoardwiseCLog.lst";
    QCOMPARE(ReadFile(window_root / log), ReadFile(batch_root / log));
  }

  // Without drive C: the standard places hold nothing: the user is asked to locate hwver4.exe,
  // once cancelling the dialog, then picking the file. Over the window that found nothing, the
  // message boxes show the system's title, icon and buttons and give the button clicked.
  void TheFileDialogAndTheMessageBoxes() {
    QTemporaryDir dir;
    const fs::path root = WriteSample(dir);
    const fs::path exe = root / "c" / "HWVER4" / "hwver4.exe";
    ModalAnswerer answerer;
    Run cancelled(root, false);
    QVERIFY(!cancelled.Load());
    QCOMPARE(cancelled.window.ending(), hw::Ending::kNotFound);
    answerer.pick = QString::fromStdString(exe.string());
    Run picked(root, false);
    QVERIFY(picked.Load());
    const QString locate = QString(hw::kTitle) + "|" + hw::texts::kLocatePrior + "|exclamation|ok";
    QCOMPARE(answerer.boxes,
             QStringList({locate, "dialog",
                          QString(hw::kTitle) + "|" + hw::texts::kNotPrior + "|exclamation|ok",
                          locate, "dialog"}));
    QVERIFY(picked.fs.IsOpen(hw::kLogFile));
    picked.window.close();
    QVERIFY(!picked.fs.IsOpen(hw::kLogFile));
    QCOMPARE(picked.window.ending(), hw::Ending::kClosed);
    // The host file is shown as its Windows path: drive Z: is the host root.
    const std::string folder = *picked.fs.drives().WindowsPathOf(exe.parent_path()) + "\\";
    QVERIFY(ReadFile(root / "n" / "Hoardwise" / "HoardwiseCLog.lst")
                .contains(QByteArray::fromStdString("\r\nOld installation directory: " + folder +
                                                    "\r\n")));

    hwconvert::QtUi ui(cancelled.window, cancelled.fs.drives());
    answerer.boxes.clear();
    answerer.replies = {QMessageBox::Retry, QMessageBox::Ignore, QMessageBox::Abort};
    const std::string text = "Caf\xE9 problem";  // Windows-1252
    for (hw::Reply reply : {hw::Reply::kRetry, hw::Reply::kIgnore, hw::Reply::kAbort}) {
      QCOMPARE(ui.MessageBox(text, hw::Icon::kExclamation, hw::Buttons::kAbortRetryIgnore, "Error"),
               reply);
    }
    for (hw::Icon icon : {hw::Icon::kCritical, hw::Icon::kNone}) {
      QCOMPARE(ui.MessageBox(text, icon, hw::Buttons::kOk, "Hoardwise"), hw::Reply::kOk);
    }
    const QString question =
        QString::fromUtf8("Error|Caf\u00e9 problem|exclamation|abort-retry-ignore");
    QCOMPARE(answerer.boxes,
             QStringList({question, question, question,
                          QString::fromUtf8("Hoardwise|Caf\u00e9 problem|critical|ok"),
                          QString::fromUtf8("Hoardwise|Caf\u00e9 problem|none|ok")}));
  }

  void WineDrivesFollowTheDosdevicesLinks() {
    QTemporaryDir dir;
    const fs::path prefix = fs::path(dir.path().toStdString()) / "wine";
    const fs::path devices = prefix / "dosdevices";
    fs::create_directories(devices);
    fs::create_directories(prefix / "drive_c");
    fs::create_directory_symlink("../drive_c", devices / "c:");
    fs::create_directory_symlink("../drive_c", devices / "d::");  // a raw device, not a drive
    fs::create_directory_symlink(prefix / "missing", devices / "e:");
    fs::create_directory_symlink("/", devices / "z:");
    const hw::DriveMap drives = hwconvert::WineDrives(prefix);
    QVERIFY(drives.HostRoot('C') == fs::canonical(prefix / "drive_c"));
    QVERIFY(!drives.HostRoot('D') && !drives.HostRoot('E'));
    QVERIFY(drives.WindowsPathOf(prefix / "drive_c" / "HWVER4") == "C:\\HWVER4");
  }
};

QTEST_MAIN(WindowTest)

#include "window_test.moc"
