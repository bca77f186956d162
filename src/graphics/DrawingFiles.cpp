#include "graphics/DrawingFiles.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "bend/Bend.h"
#include "charts/GraphSettings.h"
#include "graphics/GraphFiles.h"
#include "graphics/GraphOutput.h"
#include "graphics/StiffenerDrawing.h"

namespace umbrinex {

namespace {

// The drawing is laid out at a screen size; vector files carry it at a
// resolution that makes its longer side 120 mm.
constexpr int LayoutWidth = 600;
constexpr int LayoutHeight = 420;
constexpr double VectorDpi = LayoutWidth / (120.0 / 25.4);

void Paint(TBend& bend, int mode, bool monochrome, QPainter& painter)
{
  painter.fillRect(QRect(0, 0, LayoutWidth, LayoutHeight), Qt::white);
  TViewPort view;
  view.SetSize(LayoutWidth, LayoutHeight);
  view.SetAzimuth(264.0);
  view.SetElevation(90.0);
  view.SetColourMode(monochrome ? cmBlack : cmNormal);
  PlaceView(bend, view, mode);
  view.BeginDraw(painter);
  try {
    DrawView(bend, view, mode);
  } catch (...) {
    view.EndDraw();
    throw;
  }
  view.EndDraw();
}

}  // namespace

bool IsDrawingName(const std::string& name) { return name == "General Arrangement" || name == "Deflected Shape"; }

void RenderDrawingToFile(TBend& bend, const std::string& name, int loadCase, const std::string& fileName,
                         std::optional<bool> monochrome)
{
  const bool black = monochrome.value_or(GraphSettings().MonochromeOutput);
  if (!IsDrawingName(name)) throw EGraphOutputError("Unknown drawing '" + name + "'.");
  const int mode = name == "General Arrangement" ? amGeneralArrangement : amDeflectedShape;
  if (mode == amDeflectedShape) {
    if (loadCase < 1 || loadCase > bend.LoadCaseCount())
      throw EGraphOutputError("The design has no load case " + std::to_string(loadCase) + ".");
    TAccessStatus status;
    bend.SetValue(vnSelectedLoadCase, 0, status, loadCase - 1, vtInt);
  }
  EnsureGuiApplication();
  const TGraphFileKind kind = GraphFileKind(fileName);
  const QString file = QString::fromStdString(fileName);
  bool written = true;
  if (kind == TGraphFileKind::Svg) {
    QSvgGenerator generator;
    generator.setFileName(file);
    generator.setSize(QSize(LayoutWidth, LayoutHeight));
    generator.setViewBox(QRect(0, 0, LayoutWidth, LayoutHeight));
    generator.setResolution(static_cast<int>(VectorDpi));
    generator.setTitle(QString::fromStdString(name));
    QPainter painter;
    written = painter.begin(&generator);
    if (written) Paint(bend, mode, black, painter);
  } else if (kind == TGraphFileKind::Pdf) {
    QPdfWriter writer(file);
    writer.setPageSize(QPageSize(QSizeF(120.0, 120.0 * LayoutHeight / LayoutWidth), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(static_cast<int>(VectorDpi));
    QPainter painter;
    written = painter.begin(&writer);
    if (written) Paint(bend, mode, black, painter);
  } else {
    QImage image(LayoutWidth, LayoutHeight, QImage::Format_RGB32);
    {
      QPainter painter(&image);
      Paint(bend, mode, black, painter);
    }
    written = image.save(file, kind == TGraphFileKind::Png ? "PNG" : "BMP");
  }
  if (!written) throw EGraphOutputError("Cannot write the file '" + fileName + "'.");
}

}  // namespace umbrinex
