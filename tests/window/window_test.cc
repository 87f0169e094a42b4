// The desktop window on Qt's offscreen platform: its controls over the window model, the
// message boxes and the file dialog answered from inside their modal loops, and a whole
// conversion compared with hwconvert-batch.

#include <fmt/format.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "hwconvert/desktop_drives.h"
#include "hwconvert/main_window.h"
#include "hwconvert/qt_ui.h"

namespace {

namespace fs = std::filesystem;
using hwconvert::MainWindow;

constexpr int kLogFile = 31;
constexpr char kNewData[] = "N:\\Hoardwise";

// The sample installation of hwsample under `root`: drive C: is root/c with the prior
// installation C:\HWVER4\, drive N: is root/n with the new data folder N:\Hoardwise\.
void WriteSample(const fs::path& root) {
  QProcess sample;
  sample.start(HW_SAMPLE, {QString::fromStdString(root.string())});
  if (!sample.waitForFinished(60000) || sample.exitCode() != 0) qFatal("hwsample failed");
}

hw::DriveMap SampleDrives(const fs::path& root) {
  hw::DriveMap drives;
  drives.Map('C', root / "c");
  drives.Map('N', root / "n");
  return drives;
}

QByteArray ReadFile(const fs::path& path) {
  QFile file(QString::fromStdString(path.string()));
  if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read %s", path.c_str());
  return file.readAll();
}

// Every folder and file under `root` by relative path, files with their bytes.
std::map<QString, QByteArray> Tree(const fs::path& root) {
  std::map<QString, QByteArray> tree;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
    const QString name = QString::fromStdString(fs::relative(e.path(), root).generic_string());
    tree[e.is_directory() ? name + "/" : name] = e.is_directory() ? "" : ReadFile(e.path());
  }
  return tree;
}

// The folders and files that only one of two trees holds, or that differ between them.
QStringList Differences(const fs::path& a, const fs::path& b) {
  const std::map<QString, QByteArray> ta = Tree(a);
  const std::map<QString, QByteArray> tb = Tree(b);
  QStringList differ;
  for (const auto& [name, bytes] : ta) {
    if (!tb.contains(name) || tb.at(name) != bytes) differ << name;
  }
  for (const auto& [name, bytes] : tb) {
    if (!ta.contains(name)) differ << name;
  }
  return differ;
}

struct Box {
  QString title;
  QString text;
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
};

// Answers the window's modal dialogs from inside their event loops and records them: a message
// box gets OK, or the next queued reply (Abort when none is left) when it asks Abort, Retry,
// Ignore; the file dialog picks `pick`, or is cancelled when there is none.
class ModalAnswerer {
 public:
  ModalAnswerer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
    timer_.start(5);
  }

  std::deque<QMessageBox::StandardButton> replies;
  std::optional<QString> pick;
  std::vector<Box> boxes;
  int dialogs = 0;

 private:
  void Answer() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
      QMessageBox::StandardButton reply = QMessageBox::Ok;
      if (box->button(QMessageBox::Abort) != nullptr) {
        reply = QMessageBox::Abort;
        if (!replies.empty()) {
          reply = replies.front();
          replies.pop_front();
        }
      }
      box->button(reply)->click();
    } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      ++dialogs;
      if (pick) {
        dialog->selectFile(*pick);
        static_cast<QDialog*>(dialog)->accept();  // as the Open button does
      } else {
        dialog->reject();
      }
    }
  }

  QTimer timer_;
};

// Records the paints of the status line (its text and the arrow shown at that moment) and of
// the arrows ("pbArrow<i>").
class PaintLog : public QObject {
 public:
  PaintLog(QLabel* status, std::vector<QWidget*> arrows)
      : status_(status), arrows_(std::move(arrows)) {
    status->installEventFilter(this);
    for (QWidget* arrow : arrows_) arrow->installEventFilter(this);
  }
  QStringList status_paints;
  QStringList arrow_paints;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    if (watched != status_) {
      arrow_paints << watched->objectName();
      return false;
    }
    QString arrow = "none";
    for (size_t i = 0; i < arrows_.size(); ++i) {
      if (!arrows_[i]->isHidden()) arrow = QString::number(i);
    }
    status_paints << status_->text() + " / arrow " + arrow;
    return false;
  }

 private:
  QLabel* status_;
  std::vector<QWidget*> arrows_;
};

// The window over a sample installation, with its own file system.
struct Run {
  explicit Run(const fs::path& root) : Run(SampleDrives(root)) {}
  explicit Run(hw::DriveMap drives) : fs(std::move(drives), kNewData), window(fs) {}

  // Start-up, then the window shown as hwconvert shows it.
  bool Load() {
    if (!window.Load()) return false;
    window.show();
    return QTest::qWaitForWindowExposed(&window);
  }
  template <class Widget = QWidget>
  Widget* Get(const char* name) {
    Widget* w = window.findChild<Widget*>(name);
    if (w == nullptr) qFatal("no control %s", name);
    return w;
  }
  template <class Widget = QWidget>
  Widget* Get(const char* prefix, int index) {
    return Get<Widget>((prefix + std::to_string(index)).c_str());
  }
  void Click(const char* name) { QTest::mouseClick(Get(name), Qt::LeftButton); }
  // A check box or option button is clicked on its indicator, at its left end.
  void Tick(const char* name) {
    QWidget* w = Get(name);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
  }
  bool Shown(const char* prefix, int index) { return !Get(prefix, index)->isHidden(); }
  bool Checked(int task) { return Get<QCheckBox>("chkTask", task)->isChecked(); }

  hw::FileSystem fs;
  MainWindow window;
};

// What hwconvert-batch reported: its message boxes, and each status caption with the arrow
// shown when it was set, written as PaintLog writes them.
struct BatchTranscript {
  std::vector<Box> boxes;
  QStringList painted;
};

BatchTranscript RunBatch(const fs::path& root, const QString& answers) {
  QProcess batch;
  batch.setWorkingDirectory(QString::fromStdString((root / "n" / "Hoardwise").string()));
  batch.start(HW_BATCH,
              {"--drive", QString::fromStdString("C=" + (root / "c").string()), "--drive",
               QString::fromStdString("N=" + (root / "n").string()), "--answers", answers});
  if (!batch.waitForFinished(60000) || batch.exitCode() != 0) qFatal("hwconvert-batch failed");
  const std::map<QString, QMessageBox::Icon> icons = {{"exclamation", QMessageBox::Warning},
                                                      {"critical", QMessageBox::Critical},
                                                      {"none", QMessageBox::NoIcon}};
  BatchTranscript transcript;
  QString arrow = "none";
  for (const QByteArray& line : batch.readAllStandardOutput().split('\n')) {
    const QJsonObject event = QJsonDocument::fromJson(line).object();
    const QString kind = event["event"].toString();
    if (kind == "message") {
      transcript.boxes.push_back(
          {event["title"].toString(), event["text"].toString(), icons.at(event["icon"].toString()),
           event["buttons"] == "ok"
               ? QMessageBox::Ok
               : QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore});
    } else if (kind == "arrow") {
      arrow = event["visible"].toBool() ? QString::number(event["index"].toInt()) : "none";
    } else if (kind == "status") {
      transcript.painted << event["text"].toString() + " / arrow " + arrow;
    }
  }
  return transcript;
}

fs::path Path(const QTemporaryDir& dir) { return fs::path(dir.path().toStdString()); }

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void StartsWithTheQuestionsOverTheOperations() {
    QTemporaryDir dir;
    WriteSample(Path(dir));
    ModalAnswerer answerer;
    Run run(Path(dir));
    QVERIFY(run.Load());
    QVERIFY(answerer.boxes.empty());  // the installation lies in C:\HWVER4
    QCOMPARE(run.window.windowTitle(), "Hoardwise Plus Conversion Welcome Screen");

    QWidget* questions = run.Get("pbQuestions");
    QVERIFY(questions->isVisible());
    for (const char* covered : {"fraOperations", "cmdConvert0", "Status"}) {
      QVERIFY2(questions->geometry().contains(run.Get(covered)->geometry()), covered);
    }
    QVERIFY(run.Get("pbMoreInfo")->isHidden());
    for (int q = 1; q <= 3; ++q) {
      QVERIFY(run.Get<QRadioButton>(fmt::format("Q{}Ans1", q).c_str())->isChecked());
    }

    const bool initially[] = {true, true, true, false, false, false, false};
    for (int i = 0; i < 7; ++i) {
      QCOMPARE(run.Checked(i), initially[i]);
      QCOMPARE(run.Shown("chkTask", i), i != 6);
      QVERIFY(!run.Shown("pbArrow", i));
      QVERIFY(!run.Shown("pbCheck", i));
    }
    int above = -1;
    for (int i : {5, 0, 1, 2, 3, 4}) {
      const int y = run.Get("chkTask", i)->mapTo(&run.window, QPoint(0, 0)).y();
      QVERIFY2(y > above, "the rows stand in the order 5, 0, 1, 2, 3, 4");
      above = y;
    }
    QCOMPARE(run.Get<QLabel>("Status")->text(), "Converting:");
  }

  void AnswersSetTheCheckBoxesWhenAccepted() {
    QTemporaryDir dir;
    WriteSample(Path(dir));
    Run run(Path(dir));
    QVERIFY(run.Load());
    run.Tick("Q1Ans0");
    run.Tick("Q3Ans0");
    QVERIFY(!run.Checked(5));  // only "Accept My Answers" moves the answers
    run.Click("cmdConvert1");
    QVERIFY(run.Get("pbQuestions")->isHidden());
    QVERIFY(run.Checked(5) && !run.Checked(3) && run.Checked(4));
    QVERIFY(run.Checked(0) && run.Checked(1) && run.Checked(2));

    run.Tick("chkTask3");  // by hand
    run.Tick("chkTask0");
    QVERIFY(run.Checked(3) && !run.Checked(0));
    run.Click("cmdConvert2");
    QVERIFY(run.Get("pbQuestions")->isVisible());
    QVERIFY(run.Checked(3) && !run.Checked(0));  // the boxes keep their state

    run.Tick("Q1Ans1");
    run.Click("cmdConvert1");
    // Question 2 still says No: the box checked by hand is cleared; box 0 is not the answers'.
    QVERIFY(!run.Checked(5) && !run.Checked(3) && run.Checked(4) && !run.Checked(0));
  }

  void MoreInfoShowsOneTextOnTopAndOkHidesIt() {
    QTemporaryDir dir;
    WriteSample(Path(dir));
    Run run(Path(dir));
    QVERIFY(run.Load());
    run.Click("cmdConvert1");
    QWidget* panel = run.Get("pbMoreInfo");
    for (int i = 0; i < 6; ++i) {
      run.Click(("cmdInfo" + std::to_string(i)).c_str());
      QVERIFY(panel->isVisible());
      for (int j = 0; j < 6; ++j) QCOMPARE(run.Get("lblMoreInfo", j)->isVisible(), i == j);
      QWidget* top = run.window.childAt(panel->geometry().center());
      QVERIFY2(top == panel || panel->isAncestorOf(top), "the panel lies on top");
    }
    run.Click("cmdInfo6");
    QVERIFY(panel->isHidden());
    for (int j = 0; j < 6; ++j) QVERIFY(run.Get("lblMoreInfo", j)->isHidden());
  }

  void ClosingTheWindowClosesTheLog() {
    QTemporaryDir dir;
    WriteSample(Path(dir));
    Run run(Path(dir));
    QVERIFY(run.Load());
    QVERIFY(run.fs.IsOpen(kLogFile));
    run.window.close();
    QVERIFY(!run.fs.IsOpen(kLogFile));
    QCOMPARE(run.window.ending(), hw::Ending::kClosed);
  }

  // Clicked through with questions 1 and 3 answered Yes, the window shows what hwconvert-batch
  // --answers YNY reports on a copy of the same installation, and writes the same files.
  void WholeConversionMatchesTheBatchFrontEnd() {
    QTemporaryDir dir;
    const fs::path window_root = Path(dir) / "window";
    const fs::path batch_root = Path(dir) / "batch";
    WriteSample(window_root);
    fs::copy(window_root, batch_root, fs::copy_options::recursive);
    const BatchTranscript batch = RunBatch(batch_root, "YNY");
    QVERIFY(batch.painted.contains("Converting Collections / arrow 0"));

    ModalAnswerer answerer;
    Run run(window_root);
    QVERIFY(run.Load());
    run.Tick("Q1Ans0");
    run.Tick("Q3Ans0");
    run.Click("cmdConvert1");
    std::vector<QWidget*> arrows;
    for (int i = 0; i < 7; ++i) arrows.push_back(run.Get("pbArrow", i));
    PaintLog paints(run.Get<QLabel>("Status"), arrows);
    run.Click("cmdConvert0");

    QCOMPARE(run.window.ending(), hw::Ending::kCompleted);
    QVERIFY(run.window.isHidden());
    QVERIFY(!run.fs.IsOpen(kLogFile));
    QCOMPARE(answerer.boxes.size(), batch.boxes.size());
    for (size_t i = 0; i < batch.boxes.size(); ++i) {
      QCOMPARE(answerer.boxes[i].title, batch.boxes[i].title);
      QCOMPARE(answerer.boxes[i].text, batch.boxes[i].text);
      QCOMPARE(answerer.boxes[i].icon, batch.boxes[i].icon);
      QCOMPARE(answerer.boxes[i].buttons, batch.boxes[i].buttons);
    }
    QVERIFY(answerer.boxes.back().text.startsWith("Requested conversion operations are complete"));

    const bool ran[] = {true, true, true, false, true, true, false};
    for (int i = 0; i < 7; ++i) {
      QCOMPARE(run.Shown("pbCheck", i), ran[i]);
      QVERIFY(!run.Shown("pbArrow", i));
      QCOMPARE(paints.arrow_paints.contains(QString("pbArrow%1").arg(i)), ran[i]);
    }
    // Every caption was painted at once, while the operation that set it held the thread.
    QStringList expected = batch.painted;
    for (const QString& painted : paints.status_paints) {
      if (!expected.isEmpty() && painted == expected.front()) expected.removeFirst();
    }
    QVERIFY2(expected.isEmpty(), qPrintable("not painted: " + expected.join(", ")));
    QCOMPARE(run.Get<QLabel>("Status")->text(), batch.painted.back().section(" / arrow ", 0, 0));

    QVERIFY(ReadFile(window_root / "n" / "Hoardwise" / "HoardwiseCLog.lst")
                .endsWith("All conversions complete\r\n"));
    QCOMPARE(Differences(window_root / "n", batch_root / "n"), QStringList());
    QCOMPARE(Differences(window_root / "c", batch_root / "c"), QStringList());
  }

  // Without drive C: the standard places hold nothing: the user is asked to locate hwver4.exe.
  void TheFileDialogLocatesThePriorInstallation() {
    QTemporaryDir dir;
    WriteSample(Path(dir));
    hw::DriveMap only_new;
    only_new.Map('N', Path(dir) / "n");
    const fs::path exe = Path(dir) / "c" / "HWVER4" / "hwver4.exe";
    {
      ModalAnswerer answerer;
      answerer.pick = QString::fromStdString(exe.string());
      Run run(only_new);
      QVERIFY(run.Load());
      QCOMPARE(answerer.dialogs, 1);
      QCOMPARE(answerer.boxes.size(), size_t{1});
      QVERIFY(answerer.boxes[0].text.startsWith("Locate and click on the file hwver4.exe"));
      QCOMPARE(answerer.boxes[0].icon, QMessageBox::Warning);
      run.window.close();
      // The host file is shown as its Windows path: drive Z: is the host root.
      const std::string folder = *only_new.WindowsPathOf(exe.parent_path()) + "\\";
      QVERIFY(ReadFile(Path(dir) / "n" / "Hoardwise" / "HoardwiseCLog.lst")
                  .contains(QByteArray::fromStdString("\r\nOld installation directory: " + folder +
                                                      "\r\n")));
    }
    ModalAnswerer answerer;  // the dialog cancelled
    Run run(only_new);
    QVERIFY(!run.Load());
    QCOMPARE(run.window.ending(), hw::Ending::kNotFound);
    QCOMPARE(answerer.dialogs, 1);
    QCOMPARE(answerer.boxes.size(), size_t{2});
    QVERIFY(answerer.boxes[1].text.startsWith("Selected Directory does not contain"));
  }

  void MessageBoxesShowTheSystemsTitleIconAndButtons() {
    QTemporaryDir dir;
    Run run(Path(dir));
    hwconvert::QtUi ui(run.window, run.fs.drives());
    ModalAnswerer answerer;
    answerer.replies = {QMessageBox::Retry, QMessageBox::Ignore, QMessageBox::Abort};
    const std::string text = "Caf\xE9 problem";  // Windows-1252
    for (hw::Reply reply : {hw::Reply::kRetry, hw::Reply::kIgnore, hw::Reply::kAbort}) {
      QCOMPARE(ui.MessageBox(text, hw::Icon::kExclamation, hw::Buttons::kAbortRetryIgnore, "Error"),
               reply);
    }
    QCOMPARE(ui.MessageBox(text, hw::Icon::kCritical, hw::Buttons::kOk, hw::kTitle),
             hw::Reply::kOk);
    QCOMPARE(ui.MessageBox(text, hw::Icon::kNone, hw::Buttons::kOk, "Hoardwise"), hw::Reply::kOk);

    QCOMPARE(answerer.boxes.size(), size_t{5});
    const Box& question = answerer.boxes[0];
    QCOMPARE(question.text, QString::fromUtf8("Caf\u00e9 problem"));
    QCOMPARE(question.title, "Error");
    QCOMPARE(question.icon, QMessageBox::Warning);
    QCOMPARE(question.buttons, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
    QCOMPARE(answerer.boxes[3].icon, QMessageBox::Critical);
    QCOMPARE(answerer.boxes[3].buttons, QMessageBox::Ok);
    QCOMPARE(answerer.boxes[4].icon, QMessageBox::NoIcon);
  }

  void WineDrivesFollowTheDosdevicesLinks() {
    QTemporaryDir dir;
    const fs::path prefix = Path(dir) / "wine";
    const fs::path devices = prefix / "dosdevices";
    fs::create_directories(devices);
    fs::create_directories(prefix / "drive_c");
    fs::create_directory_symlink("../drive_c", devices / "c:");
    fs::create_directory_symlink("../drive_c", devices / "d::");  // a raw device, not a drive
    fs::create_directory_symlink(prefix / "missing", devices / "e:");
    fs::create_directory_symlink("/", devices / "z:");
    const hw::DriveMap drives = hwconvert::WineDrives(prefix);
    QVERIFY(drives.HostRoot('C') == fs::canonical(prefix / "drive_c"));
    QVERIFY(!drives.HostRoot('D'));
    QVERIFY(!drives.HostRoot('E'));
    QVERIFY(drives.WindowsPathOf(prefix / "drive_c" / "HWVER4") == "C:\\HWVER4");
  }
};

int main(int argc, char** argv) {
  // The window's tests need no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  WindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_test.moc"
