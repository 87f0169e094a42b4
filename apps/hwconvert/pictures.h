#pragma once

#include <QWidget>

#include "platform/user_interface.h"

// The small pictures of the window, drawn by the program.
namespace hwconvert {

// The logo of the title area: a gold coin stamped with a star.
class Logo : public QWidget {
 public:
  explicit Logo(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// pbArrow (an arrow of three lines) or pbCheck (a check mark of two lines), left of a check box.
class MarkPicture : public QWidget {
 public:
  MarkPicture(hw::Mark mark, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  hw::Mark mark_;
};

}  // namespace hwconvert
