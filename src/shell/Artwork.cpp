#include "shell/Artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace umbrinex {

void PaintLogo(QPainter& painter, const QRectF& rect)
{
  // Drawn on a 150 x 100 grid, then scaled into rect.
  const double scale = std::min(rect.width() / 150.0, rect.height() / 100.0);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(rect.center().x() - 75 * scale, rect.center().y() - 50 * scale);
  painter.scale(scale, scale);

  // The support the cable leaves.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x70, 0x70, 0x78));
  painter.drawRect(QRectF(4, 8, 14, 44));

  // The cable: straight inside the stiffener, then curving down to the load.
  QPainterPath cable;
  cable.moveTo(18, 30);
  cable.lineTo(60, 30);
  cable.cubicTo(95, 30, 120, 50, 140, 92);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(0x20, 0x30, 0x50), 4, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(cable);

  // The stiffener: a cone tapering from the root at the support to its tip,
  // following the cable's bend.
  QPainterPath cone;
  cone.moveTo(18, 16);
  cone.cubicTo(45, 18, 70, 22, 92, 36);
  cone.lineTo(88, 44);
  cone.cubicTo(66, 36, 45, 42, 18, 44);
  cone.closeSubpath();
  QLinearGradient fill(0, 16, 0, 44);
  fill.setColorAt(0, QColor(0xF2, 0xA0, 0x30));
  fill.setColorAt(1, QColor(0xC0, 0x60, 0x10));
  painter.setBrush(fill);
  painter.setPen(QPen(QColor(0x80, 0x40, 0x00), 1.2));
  painter.drawPath(cone);
  painter.restore();
}

QPixmap LogoPixmap(const QSize& size)
{
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  PaintLogo(painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

}  // namespace umbrinex
