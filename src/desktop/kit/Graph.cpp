#include "desktop/kit/Graph.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QRubberBand>
#include <QScreen>

#include "charts/ChartEngine.h"
#include "desktop/kit/GraphProperties.h"

namespace umbrinex {

namespace {
// A drag shorter than this is a click, not a zoom.
constexpr int MinimumDrag = 4;
}  // namespace

TGraph::TGraph(TChartEngine& engine, QWidget* parent) : QWidget(parent), FEngine(engine)
{
  setMouseTracking(false);
  setAttribute(Qt::WA_OpaquePaintEvent);
  FEngine.OnChanged = [this] { update(); };
}

TGraph::~TGraph()
{
  FEngine.OnChanged = nullptr;
}

void TGraph::SetMonochrome(bool on)
{
  FEngine.Chart().Monochrome = on;
}

void TGraph::SetHeaderText(const std::string& text)
{
  FEngine.Chart().HeaderText = text;
}

bool TGraph::Zoomed() const
{
  return FEngine.Chart().Zoomed;
}

void TGraph::UndoZoom()
{
  FEngine.UndoZoom();
  emit ZoomChanged(false);
}

void TGraph::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  TPaintOptions options;
  options.Dpi = logicalDpiY();
  FLayout = PaintChart(painter, FEngine, QRectF(rect()), options);
}

bool TGraph::ValueAtPixel(const QPoint& pixel, QPointF& value) const
{
  if (FLayout.Empty() || !FLayout.Plot.contains(QPointF(pixel))) return false;
  value = ValueAt(FEngine.Chart(), FLayout, QPointF(pixel));
  return true;
}

void TGraph::mousePressEvent(QMouseEvent* event)
{
  if (event->button() != Qt::LeftButton || FLayout.Empty()) return QWidget::mousePressEvent(event);
  FOrigin = event->position().toPoint();
  FDragging = true;
  if (!FBand) FBand = new QRubberBand(QRubberBand::Rectangle, this);
  FBand->setGeometry(QRect(FOrigin, QSize()));
  FBand->show();
}

void TGraph::mouseMoveEvent(QMouseEvent* event)
{
  if (FDragging && FBand) FBand->setGeometry(QRect(FOrigin, event->position().toPoint()).normalized());
}

void TGraph::mouseReleaseEvent(QMouseEvent* event)
{
  if (!FDragging || event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  FDragging = false;
  if (FBand) FBand->hide();
  const QPoint end = event->position().toPoint();
  const QPoint drag = end - FOrigin;
  if (std::abs(drag.x()) < MinimumDrag || std::abs(drag.y()) < MinimumDrag) return;
  if (drag.x() < 0 && drag.y() < 0) {
    if (Zoomed()) UndoZoom();
    return;
  }
  const QRectF plot = FLayout.Plot;
  auto clamp = [&plot](QPointF p) {
    return QPointF(std::clamp(p.x(), plot.left(), plot.right()), std::clamp(p.y(), plot.top(), plot.bottom()));
  };
  const QPointF a = ValueAt(FEngine.Chart(), FLayout, clamp(QPointF(FOrigin)));
  const QPointF b = ValueAt(FEngine.Chart(), FLayout, clamp(QPointF(end)));
  FEngine.Zoom(a.x(), b.x(), a.y(), b.y());
  emit ZoomChanged(true);
}

void TGraph::mouseDoubleClickEvent(QMouseEvent* event)
{
  if (event->button() == Qt::LeftButton) ShowProperties();
}

TGraphOutput TGraph::Output() const
{
  TGraphOutput output;
  output.Monochrome = FEngine.Chart().Monochrome;
  output.Header = FEngine.Chart().HeaderText;
  output.ScreenSize = QSizeF(size());
  output.ScreenDpi = logicalDpiY();
  return output;
}

QByteArray TGraph::MakeSvg() const
{
  return GraphSvg(FEngine, Output());
}

QImage TGraph::MakeBitmap() const
{
  return GraphBitmap(FEngine, Output());
}

void TGraph::CopyToClipboard() const
{
  auto* mime = new QMimeData;
  mime->setData(QStringLiteral("image/svg+xml"), MakeSvg());
  mime->setImageData(MakeBitmap());
  QApplication::clipboard()->setMimeData(mime);
}

void TGraph::ExportToFile(const std::string& fileName, TGraphFileKind kind) const
{
  ExportGraph(FEngine, fileName, kind, Output());
}

void TGraph::Print(QPrinter& printer, const QRectF& area) const
{
  TGraphOutput output = Output();
  output.FontScale = 1.5;
  const double dpi = printer.resolution();
  // The logical page: the print area in screen pixels.
  const QSizeF layout = area.size() * (output.ScreenDpi / dpi);
  QPainter painter;
  if (!painter.begin(&printer)) throw EGraphOutputError("Cannot print the graph.");
  PaintGraphOutput(painter, FEngine, layout, area, dpi, output);
  painter.end();
}

bool TGraph::ShowProperties()
{
  TGraphProperties dialog(FEngine, this);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace umbrinex
