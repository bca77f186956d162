#include "shell/ViewWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <memory>

#include "bend/Bend.h"
#include "desktop/kit/FileDialogs.h"
#include "desktop/kit/OutputMenu.h"
#include "desktop/kit/Printing.h"
#include "graphics/DrawingFiles.h"
#include "graphics/StiffenerDrawing.h"
#include "shell/Preferences.h"

namespace umbrinex {

TViewWindow::TViewWindow(TBend& bend, int mode, QWidget* parent) : TResultWindow(parent), FBend(bend), FMode(mode)
{
  setMinimumSize(50, 50);
  FViewPort.SetAzimuth(264.0);
  FViewPort.SetElevation(90.0);
}

std::string TViewWindow::DrawingName() const
{
  return FMode == amDeflectedShape ? "Deflected Shape" : "General Arrangement";
}

void TViewWindow::Draw(QPainter& painter, const QSize& size, int colourMode, int penFactor)
{
  FViewPort.SetSize(std::max(1, size.width()), std::max(1, size.height()));
  FViewPort.SetColourMode(colourMode);
  FViewPort.SetPenFactor(penFactor);
  FViewPort.SetBackground(Preferences().ViewBackgroundColour.CurrentValue());
  PlaceView(FBend, FViewPort, FMode);
  FViewPort.BeginDraw(painter);
  try {
    DrawView(FBend, FViewPort, FMode);
  } catch (...) {
    FViewPort.EndDraw();
    throw;
  }
  FViewPort.EndDraw();
}

void TViewWindow::Refresh()
{
  RenderBitmap();
  update();
}

void TViewWindow::RenderBitmap()
{
  QImage bitmap(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  const TColour background = Preferences().ViewBackgroundColour.CurrentValue();
  bitmap.fill(QColor(background & 0xFF, (background >> 8) & 0xFF, (background >> 16) & 0xFF));
  {
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, bitmap.size(), cmNormal, 1);
  }
  FBitmap = std::move(bitmap);
}

void TViewWindow::paintEvent(QPaintEvent*)
{
  // A resized window draws afresh when it is next seen, so that a hidden
  // view never calculates; errors were reported when the view was
  // selected, and the old picture stays.
  if (FBitmap.size() != size()) {
    try {
      RenderBitmap();
    } catch (...) {
    }
  }
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!FBitmap.isNull()) painter.drawImage(0, 0, FBitmap);
}

void TViewWindow::Copy()
{
  auto mime = std::make_unique<QMimeData>();
  mime->setData(QStringLiteral("image/svg+xml"),
                DrawingFileBytes(FBend, DrawingName(), FBend.SelectedLoadCase() + 1, TGraphFileKind::Svg));
  mime->setImageData(FBitmap);
  QApplication::clipboard()->setMimeData(mime.release());
}

void TViewWindow::Export()
{
  const std::string name = AskExportName(PictureFileClasses());
  if (name.empty()) return;
  RenderDrawingToFile(FBend, DrawingName(), FBend.SelectedLoadCase() + 1, name);
}

void TViewWindow::Print()
{
  if (!PreparePrinter(QStringLiteral("Umbrinex %1").arg(QString::fromStdString(DrawingName())))) return;
  QPrinter& printer = ProgramPrinter();
  const QRectF area = PrintArea(printer);
  // The window's shape, as large as the area allows.
  const QSizeF shape = QSizeF(std::max(1, width()), std::max(1, height())).scaled(area.size(), Qt::KeepAspectRatio);
  const QRect target(area.topLeft().toPoint(), shape.toSize());
  QPainter painter(&printer);
  painter.setPen(Qt::black);
  painter.drawRect(target);
  painter.translate(target.topLeft());
  const int penFactor = std::max(1, static_cast<int>(printer.resolution() / std::max(1, logicalDpiX())));
  Draw(painter, target.size(), MonochromeOutput() ? cmBlack : cmNormal, penFactor);
}

}  // namespace umbrinex
