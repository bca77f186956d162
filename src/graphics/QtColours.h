#pragma once
// Colours and pen styles of the model (0x00BBGGRR colours, pen style
// numbers 0 solid .. 6 inside frame) as Qt wants them.

#include <QColor>
#include <Qt>

#include "framework/data/Colour.h"

namespace umbrinex {

inline QColor ToQColor(TColour c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

inline TColour FromQColor(const QColor& c)
{
  return TColour(c.red()) | TColour(c.green()) << 8 | TColour(c.blue()) << 16;
}

inline Qt::PenStyle ToQtPenStyle(int style)
{
  static constexpr Qt::PenStyle styles[] = {Qt::SolidLine,      Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                            Qt::DashDotDotLine, Qt::NoPen,    Qt::SolidLine};
  return style >= 0 && style < 7 ? styles[style] : Qt::SolidLine;
}

}  // namespace umbrinex
