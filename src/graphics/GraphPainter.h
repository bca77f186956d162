#pragma once
// Paints a chart engine's graph with QPainter: one painting for the screen,
// the files and the printer. Everything is laid out in logical pixels of
// the screen; output devices scale the painter, so fonts, ticks and markers
// keep their physical size and only pen widths are chosen per device.

#include <QFont>
#include <QPointF>
#include <QRectF>
#include <string>

#include "charts/GraphSettings.h"

class QPainter;

namespace umbrinex {

class TChartEngine;
struct TChart;

struct TPaintOptions {
  // Copies, files and prints: a white panel and the header as a title.
  bool Output = false;
  bool Monochrome = false;
  std::string Header;
  // Logical pixels per unit of pen width.
  double PenScale = 1.0;
  // Printing enlarges the fonts beyond their physical size.
  double FontScale = 1.0;
  // Logical pixels per inch, to turn font points into pixels.
  double Dpi = 96.0;
};

// Where the last painting put the plot, for mapping the mouse to values.
struct TChartLayout {
  QRectF Plot;
  QRectF Legend;

  bool Empty() const { return Plot.width() <= 0.0 || Plot.height() <= 0.0; }
};

TChartLayout PaintChart(QPainter& painter, const TChartEngine& engine, const QRectF& area,
                        const TPaintOptions& options);

// The data values at a point of the plot.
QPointF ValueAt(const TChart& chart, const TChartLayout& layout, const QPointF& pixel);

QFont MakeFont(const TFontSetting& setting, double dpi, double scale = 1.0);

}  // namespace umbrinex
