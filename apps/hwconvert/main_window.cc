#include "hwconvert/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "hwconvert/pictures.h"
#include "platform/text.h"
#include "shell/window_layout.h"

namespace hwconvert {

namespace texts = hw::texts;

namespace {

namespace layout = hw::layout;

QRect Place(layout::Rect r) { return QRect(r.x, r.y, r.width, r.height); }

QString Caption(const char* text) { return FromWin1252(text); }

QLabel* TextLabel(const char* text, QWidget* parent) {
  auto* label = new QLabel(Caption(text), parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  return label;
}

QFont TitleFont(int points, bool bold, bool italic) {
  QFont font(layout::kTitleFont, points, bold ? QFont::Bold : QFont::Normal, italic);
  font.setStyleHint(QFont::Serif);
  return font;
}

}  // namespace

QString FromWin1252(const std::string& text) {
  return QString::fromStdString(hw::Win1252ToUtf8(text));
}

MainWindow::MainWindow(hw::FileSystem& fs) : ui_(*this, fs.drives()), model_(fs, ui_) {
  setObjectName("MainMenu");
  setWindowTitle(Caption(texts::kWindowTitle));
  setFixedSize(layout::kWidth, layout::kHeight);
  QFont arial("Arial", 9);
  arial.setStyleHint(QFont::SansSerif);
  setFont(arial);

  // Each control lies over those made before it: the questions panel over the operations, the
  // information panel over everything.
  BuildTitle();
  BuildOperations()->setGeometry(Place(layout::kOperations));
  auto* start = new QPushButton(Caption(texts::kStartConversion), this);
  start->setObjectName("cmdConvert0");
  start->setGeometry(Place(layout::kStart));
  connect(start, &QPushButton::clicked, this, [this] { Click(hw::Button::kStartConversion); });
  status_ = new QLabel(this);
  status_->setObjectName("Status");
  status_->setTextFormat(Qt::PlainText);
  status_->setGeometry(Place(layout::kStatus));
  questions_ = BuildQuestions();
  questions_->setGeometry(Place(layout::kStage));
  more_info_ = BuildMoreInfo();
  more_info_->setGeometry(Place(layout::kMoreInfo));
  Refresh();
}

void MainWindow::BuildTitle() {
  auto* logo = new Logo(this);
  logo->move(layout::kLogo.x, layout::kLogo.y);
  auto* title = new QLabel(Caption(texts::kProductTitle), this);
  title->setFont(TitleFont(layout::kTitlePoints, true, false));
  title->setGeometry(Place(layout::kTitle));
  auto* subtitle = new QLabel(Caption(texts::kSubtitle), this);
  subtitle->setFont(TitleFont(layout::kSubtitlePoints, false, true));
  subtitle->setGeometry(Place(layout::kSubtitle));
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  rule->setGeometry(Place(layout::kRule));
}

QWidget* MainWindow::BuildOperations() {
  auto* panel = new QGroupBox(Caption(texts::kOperationsFrame), this);
  panel->setObjectName("fraOperations");
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(16, 16, 16, 16);
  auto* rows = new QGridLayout;
  rows->setHorizontalSpacing(10);
  rows->setVerticalSpacing(12);
  rows->setColumnStretch(1, 1);
  int row = 0;
  for (const hw::Operation op : texts::kWindowOrder) {
    const int index = hw::Index(op);
    // The arrow and the check mark take the same place left of the check box.
    auto* marks = new QWidget(panel);
    arrows_[index] = new MarkPicture(hw::Mark::kArrow, marks);
    arrows_[index]->setObjectName(QString("pbArrow%1").arg(index));
    checks_[index] = new MarkPicture(hw::Mark::kCheck, marks);
    checks_[index]->setObjectName(QString("pbCheck%1").arg(index));
    marks->setFixedSize(arrows_[index]->size());
    rows->addWidget(marks, row, 0);

    // The caption is used as is: "&&" shows as one "&".
    auto* task = new QCheckBox(Caption(texts::kTaskCaptions[index]), panel);
    task->setObjectName(QString("chkTask%1").arg(index));
    connect(task, &QCheckBox::toggled, this, [this, op](bool on) { model_.SetTask(op, on); });
    tasks_[index] = task;
    rows->addWidget(task, row, 1);

    if (op != hw::Operation::kValues) {
      auto* info = new QPushButton(Caption(texts::kMoreInfo), panel);
      info->setObjectName(QString("cmdInfo%1").arg(index));
      connect(info, &QPushButton::clicked, this, [this, op] { model_.ClickMoreInfo(op); });
      rows->addWidget(info, row, 2);
    }
    ++row;
  }
  layout->addLayout(rows);
  layout->addStretch();
  layout->addWidget(TextLabel(texts::kExplanation, panel));
  layout->addSpacing(8);
  auto* display = new QPushButton(Caption(texts::kDisplayQuestions), panel);
  display->setObjectName("cmdConvert2");
  connect(display, &QPushButton::clicked, this, [this] { Click(hw::Button::kDisplayQuestions); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(display);
  buttons->addStretch();
  layout->addLayout(buttons);
  return panel;
}

QWidget* MainWindow::BuildQuestions() {
  auto* panel = new QWidget(this);
  panel->setObjectName("pbQuestions");
  panel->setAutoFillBackground(true);  // it covers what lies behind it
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(10);
  layout->addWidget(TextLabel(texts::kIntroduction, panel));
  for (int q = 0; q < 3; ++q) {
    auto* frame = new QGroupBox(panel);
    frame->setObjectName(QString("frmQuestion%1").arg(q));
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(TextLabel(texts::kQuestions[q], frame));
    // The pair is exclusive within its frame.
    yes_[q] = new QRadioButton(Caption(texts::kYes), frame);
    yes_[q]->setObjectName(QString("Q%1Ans0").arg(q + 1));
    no_[q] = new QRadioButton(Caption(texts::kNo), frame);
    no_[q]->setObjectName(QString("Q%1Ans1").arg(q + 1));
    connect(yes_[q], &QRadioButton::toggled, this, [this, q](bool on) { model_.SetAnswer(q, on); });
    auto* pair = new QHBoxLayout;
    pair->addWidget(yes_[q]);
    pair->addSpacing(24);
    pair->addWidget(no_[q]);
    pair->addStretch();
    inner->addLayout(pair);
    layout->addWidget(frame);
  }
  layout->addWidget(TextLabel(texts::kSupport, panel));
  layout->addStretch();
  auto* accept = new QPushButton(Caption(texts::kAccept), panel);
  accept->setObjectName("cmdConvert1");
  connect(accept, &QPushButton::clicked, this, [this] { Click(hw::Button::kAccept); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(accept);
  buttons->addStretch();
  layout->addLayout(buttons);
  return panel;
}

QWidget* MainWindow::BuildMoreInfo() {
  auto* panel = new QFrame(this);
  panel->setObjectName("pbMoreInfo");
  panel->setFrameShape(QFrame::Box);
  panel->setAutoFillBackground(true);
  QPalette white = panel->palette();
  white.setColor(QPalette::Window, Qt::white);
  panel->setPalette(white);
  auto* layout = new QVBoxLayout(panel);
  auto* frame = new QGroupBox(Caption(texts::kInfoFrame), panel);
  auto* place = new QGridLayout(frame);
  for (int i = 0; i < hw::kRunnableCount; ++i) {
    // All six texts stand at the same place; one at most is visible.
    info_texts_[i] = TextLabel(texts::kMoreInfoTexts[i], frame);
    info_texts_[i]->setObjectName(QString("lblMoreInfo%1").arg(i));
    info_texts_[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place->addWidget(info_texts_[i], 0, 0);
  }
  layout->addWidget(frame, 1);
  auto* ok = new QPushButton(Caption(texts::kOk), panel);
  ok->setObjectName("cmdInfo6");
  connect(ok, &QPushButton::clicked, this, [this] { Click(hw::Button::kInfoOk); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addStretch();
  layout->addLayout(buttons);
  return panel;
}

bool MainWindow::Load() {
  model_.Load();
  Refresh();
  return ending() == hw::Ending::kRunning;
}

void MainWindow::Click(hw::Button button) {
  model_.Click(button);
  // After the driver's own error message the window stays open; any other end closes it.
  if (ending() != hw::Ending::kRunning && ending() != hw::Ending::kConversionFailed) close();
}

void MainWindow::ShowStatus(const QString& caption) {
  status_->setText(caption);
  status_->repaint();
}

void MainWindow::ShowMark(hw::Mark mark, int index, bool visible) {
  MarkPicture* picture = (mark == hw::Mark::kArrow ? arrows_ : checks_).at(index);
  picture->setVisible(visible);
  // Painting the place rather than the picture also clears it when the picture was hidden.
  picture->parentWidget()->repaint(picture->geometry());
}

void MainWindow::Refresh() {
  questions_->setVisible(model_.questions_visible());
  more_info_->setVisible(model_.more_info_visible());
  for (int i = 0; i < hw::kRunnableCount; ++i) {
    info_texts_[i]->setVisible(model_.info_text_visible(static_cast<hw::Operation>(i)));
  }
  for (int q = 0; q < 3; ++q) {
    const QSignalBlocker quiet(yes_[q]);
    (model_.answer_yes(q) ? yes_[q] : no_[q])->setChecked(true);
  }
  for (int i = 0; i < hw::kOperationCount; ++i) {
    const auto op = static_cast<hw::Operation>(i);
    const QSignalBlocker quiet(tasks_[i]);
    tasks_[i]->setChecked(model_.task_checked(op));
    tasks_[i]->setVisible(model_.task_visible(op));
    arrows_[i]->setVisible(model_.arrow_visible(op));
    checks_[i]->setVisible(model_.check_visible(op));
  }
  status_->setText(FromWin1252(model_.status()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  model_.Unload();
  QWidget::closeEvent(event);
}

}  // namespace hwconvert
