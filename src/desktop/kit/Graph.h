#pragma once
// TGraph: the chart widget. It paints its engine's graph, zooms to the
// rectangle the user drags with the left button (dragging up and to the left
// undoes the zoom), opens the properties dialog on a double click, and makes
// the copies, files and prints of the graph.

#include <QWidget>
#include <memory>
#include <string>

#include "graphics/GraphOutput.h"
#include "graphics/GraphPainter.h"

class QPrinter;
class QRubberBand;

namespace umbrinex {

class TChartEngine;

class TGraph : public QWidget {
  Q_OBJECT

 public:
  explicit TGraph(TChartEngine& engine, QWidget* parent = nullptr);
  ~TGraph() override;

  TChartEngine& Engine() const { return FEngine; }
  // Output settings of copies, files and prints.
  void SetMonochrome(bool on);
  void SetHeaderText(const std::string& text);

  bool Zoomed() const;
  void UndoZoom();
  // The data values under a point of the widget, when it lies on the plot.
  bool ValueAtPixel(const QPoint& pixel, QPointF& value) const;
  const TChartLayout& Layout() const { return FLayout; }

  // SVG and a bitmap of the graph.
  void CopyToClipboard() const;
  void ExportToFile(const std::string& fileName, TGraphFileKind kind) const;
  QByteArray MakeSvg() const;
  QImage MakeBitmap() const;
  // Into the printer's page area, fonts enlarged by half again.
  void Print(QPrinter& printer, const QRectF& area) const;
  // The "Graph Properties" dialog; true when it was closed with OK.
  bool ShowProperties();

  QSize sizeHint() const override { return {600, 420}; }

 signals:
  void ZoomChanged(bool zoomed);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  TGraphOutput Output() const;

  TChartEngine& FEngine;
  TChartLayout FLayout;
  QRubberBand* FBand = nullptr;
  QPoint FOrigin;
  bool FDragging = false;
};

}  // namespace umbrinex
