#pragma once
// The program's picture: a stiffener cone on its cable, bending away from
// the support. Painted rather than stored, so it is sharp at any size.

#include <QPixmap>

class QPainter;
class QRectF;

namespace umbrinex {

// Fills rect, keeping the picture's proportions (about 3:2) and centring it.
void PaintLogo(QPainter& painter, const QRectF& rect);
QPixmap LogoPixmap(const QSize& size);

}  // namespace umbrinex
