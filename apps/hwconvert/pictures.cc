#include "hwconvert/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QtMath>

#include "shell/window_layout.h"

namespace hwconvert {

namespace layout = hw::layout;

namespace {

QColor ToQColor(layout::Color c) { return QColor(c.red, c.green, c.blue); }

}  // namespace

Logo::Logo(QWidget* parent) : QWidget(parent) {
  setFixedSize(layout::kLogo.width, layout::kLogo.height);
}

void Logo::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const int m = layout::kLogoMargin;
  const QRectF coin = QRectF(rect()).adjusted(m, m, -m, -m);
  QRadialGradient gold(coin.center() - QPointF(8, 8), coin.width() * 0.7);
  gold.setColorAt(0, ToQColor(layout::kGoldLight));
  gold.setColorAt(1, ToQColor(layout::kGoldDark));
  p.setPen(QPen(ToQColor(layout::kRim), 2));
  p.setBrush(gold);
  p.drawEllipse(coin);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(ToQColor(layout::kRing), 1));
  const int ring = layout::kRingInset;
  p.drawEllipse(coin.adjusted(ring, ring, -ring, -ring));
  // A five-pointed star in the middle of the coin.
  QPainterPath star;
  const QPointF c = coin.center();
  for (int i = 0; i < 10; ++i) {
    const double r =
        i % 2 == 0 ? coin.width() * layout::kStarPoint : coin.width() * layout::kStarNotch;
    const double a = qDegreesToRadians(-90.0 + 36.0 * i);
    const QPointF point(c.x() + r * qCos(a), c.y() + r * qSin(a));
    if (i == 0) {
      star.moveTo(point);
    } else {
      star.lineTo(point);
    }
  }
  star.closeSubpath();
  p.setPen(QPen(ToQColor(layout::kRim), 1));
  p.setBrush(ToQColor(layout::kStar));
  p.drawPath(star);
}

MarkPicture::MarkPicture(hw::Mark mark, QWidget* parent) : QWidget(parent), mark_(mark) {
  setFixedSize(layout::kMarkWidth, layout::kMarkHeight);
}

void MarkPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const auto point = [](layout::Point at) { return QPointF(at.x, at.y); };
  if (mark_ == hw::Mark::kArrow) {
    p.setPen(QPen(ToQColor(layout::kArrowColor), layout::kArrowPen, Qt::SolidLine, Qt::RoundCap));
    for (const auto& stroke : layout::kArrowStrokes) p.drawLine(point(stroke[0]), point(stroke[1]));
  } else {
    p.setPen(QPen(ToQColor(layout::kCheckColor), layout::kCheckPen, Qt::SolidLine, Qt::RoundCap));
    const auto& s = layout::kCheckStroke;
    p.drawLine(point(s[0]), point(s[1]));
    p.drawLine(point(s[1]), point(s[2]));
  }
}

}  // namespace hwconvert
