#include "graphics/DrawingFiles.h"

#include <QBuffer>
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

QByteArray VectorDrawing(TBend& bend, int mode, bool monochrome, TGraphFileKind kind, const std::string& title)
{
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  // Each painter goes before its device does.
  if (kind == TGraphFileKind::Svg) {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(LayoutWidth, LayoutHeight));
    generator.setViewBox(QRect(0, 0, LayoutWidth, LayoutHeight));
    generator.setResolution(static_cast<int>(VectorDpi));
    generator.setTitle(QString::fromStdString(title));
    QPainter painter;
    if (!painter.begin(&generator)) throw EGraphOutputError("Cannot draw the drawing as a picture.");
    Paint(bend, mode, monochrome, painter);
    painter.end();
  } else {
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QSizeF(120.0, 120.0 * LayoutHeight / LayoutWidth), QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(static_cast<int>(VectorDpi));
    QPainter painter;
    if (!painter.begin(&writer)) throw EGraphOutputError("Cannot draw the drawing as a PDF document.");
    Paint(bend, mode, monochrome, painter);
    if (!painter.end()) throw EGraphOutputError("Cannot draw the drawing as a PDF document.");
  }
  return bytes;
}

// The drawing's mode; a deflected shape shows the load case asked for.
int PrepareDrawing(TBend& bend, const std::string& name, int loadCase)
{
  if (!IsDrawingName(name)) throw EGraphOutputError("Unknown drawing '" + name + "'.");
  const int mode = name == "General Arrangement" ? amGeneralArrangement : amDeflectedShape;
  if (mode == amDeflectedShape) {
    if (loadCase < 1 || loadCase > bend.LoadCaseCount())
      throw EGraphOutputError("The design has no load case " + std::to_string(loadCase) + ".");
    TAccessStatus status;
    bend.SetValue(vnSelectedLoadCase, 0, status, loadCase - 1, vtInt);
  }
  return mode;
}

QByteArray DrawingBytes(TBend& bend, int mode, TGraphFileKind kind, bool monochrome, const std::string& title)
{
  EnsureGuiApplication();
  if (kind == TGraphFileKind::Svg || kind == TGraphFileKind::Pdf)
    return VectorDrawing(bend, mode, monochrome, kind, title);
  QImage image(LayoutWidth, LayoutHeight, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    Paint(bend, mode, monochrome, painter);
  }
  return ImageFileBytes(image, kind);
}

}  // namespace

bool IsDrawingName(const std::string& name)
{
  return name == "General Arrangement" || name == "Deflected Shape";
}

QByteArray DrawingFileBytes(TBend& bend, const std::string& name, int loadCase, TGraphFileKind kind,
                            std::optional<bool> monochrome)
{
  const bool black = monochrome.value_or(GraphSettings().MonochromeOutput);
  const int mode = PrepareDrawing(bend, name, loadCase);
  return DrawingBytes(bend, mode, kind, black, name);
}

void RenderDrawingToFile(TBend& bend, const std::string& name, int loadCase, const std::string& fileName,
                         std::optional<bool> monochrome)
{
  const bool black = monochrome.value_or(GraphSettings().MonochromeOutput);
  const int mode = PrepareDrawing(bend, name, loadCase);
  const TGraphFileKind kind = GraphFileKind(fileName);
  // Refused before anything is drawn; replaced only by a complete file.
  TReplacementFile file(fileName);
  SavePictureFile(file, DrawingBytes(bend, mode, kind, black, name));
}

}  // namespace umbrinex
