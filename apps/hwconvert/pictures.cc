#include "hwconvert/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QtMath>

namespace hwconvert {

Logo::Logo(QWidget* parent) : QWidget(parent) { setFixedSize(64, 64); }

void Logo::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF coin = QRectF(rect()).adjusted(2, 2, -2, -2);
  QRadialGradient gold(coin.center() - QPointF(8, 8), coin.width() * 0.7);
  gold.setColorAt(0, QColor(255, 236, 150));
  gold.setColorAt(1, QColor(196, 148, 32));
  p.setPen(QPen(QColor(128, 92, 16), 2));
  p.setBrush(gold);
  p.drawEllipse(coin);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(150, 108, 20), 1));
  p.drawEllipse(coin.adjusted(5, 5, -5, -5));
  // A five-pointed star in the middle of the coin.
  QPainterPath star;
  const QPointF c = coin.center();
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? coin.width() * 0.32 : coin.width() * 0.13;
    const double a = qDegreesToRadians(-90.0 + 36.0 * i);
    const QPointF point(c.x() + r * qCos(a), c.y() + r * qSin(a));
    if (i == 0) {
      star.moveTo(point);
    } else {
      star.lineTo(point);
    }
  }
  star.closeSubpath();
  p.setPen(QPen(QColor(128, 92, 16), 1));
  p.setBrush(QColor(160, 32, 32));
  p.drawPath(star);
}

MarkPicture::MarkPicture(hw::Mark mark, QWidget* parent) : QWidget(parent), mark_(mark) {
  setFixedSize(22, 18);
}

void MarkPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = width();
  const double h = height();
  if (mark_ == hw::Mark::kArrow) {
    p.setPen(QPen(QColor(0, 0, 160), 2.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF tip(w - 3, h / 2);
    p.drawLine(QPointF(3, h / 2), tip);
    p.drawLine(QPointF(w - 9, 3), tip);
    p.drawLine(QPointF(w - 9, h - 3), tip);
  } else {
    p.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap));
    const QPointF bottom(w * 0.4, h - 3);
    p.drawLine(QPointF(4, h / 2), bottom);
    p.drawLine(bottom, QPointF(w - 3, 3));
  }
}

}  // namespace hwconvert
