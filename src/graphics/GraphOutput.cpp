#include "graphics/GraphOutput.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "bend/ProgramInfo.h"
#include "charts/ChartEngine.h"
#include "framework/data/TextUtils.h"
#include "graphics/GraphPainter.h"
#include "presentation/Reports.h"

namespace umbrinex {

namespace {
constexpr double LongerSideMm = 120.0;
constexpr double MmPerInch = 25.4;
// Vector output works in hundredths of a millimetre.
constexpr double VectorDpi = 2540.0;

// The graph's layout size: the screen size whose longer side is 120 mm.
QSizeF LayoutSize(const TGraphOutput& output)
{
  const QSizeF mm = OutputSizeMm(output.ScreenSize);
  return mm * (output.ScreenDpi / MmPerInch);
}
}  // namespace

TGraphFileKind GraphFileKind(const std::string& fileName)
{
  const std::size_t dot = fileName.find_last_of('.');
  const std::size_t slash = fileName.find_last_of('/');
  const std::string extension =
      dot == std::string::npos || (slash != std::string::npos && dot < slash) ? "" : LowerCase(fileName.substr(dot));
  if (extension == ".svg") return TGraphFileKind::Svg;
  if (extension == ".pdf") return TGraphFileKind::Pdf;
  if (extension == ".png") return TGraphFileKind::Png;
  if (extension == ".bmp") return TGraphFileKind::Bmp;
  throw EGraphOutputError(
      Format("Cannot write a graph to \"%s\": the file name must end in .svg, .pdf, .png or .bmp.", fileName.c_str()));
}

const char* GraphFileFilter(TGraphFileKind kind)
{
  switch (kind) {
    case TGraphFileKind::Svg:
      return "SVG Pictures (*.svg)|*.svg";
    case TGraphFileKind::Pdf:
      return "PDF Documents (*.pdf)|*.pdf";
    case TGraphFileKind::Png:
      return "PNG Pictures (*.png)|*.png";
    case TGraphFileKind::Bmp:
      break;
  }
  return "Bitmap (*.bmp)|*.bmp";
}

QSizeF OutputSizeMm(const QSizeF& screenSize)
{
  const double longer = std::max(screenSize.width(), screenSize.height());
  if (!(longer > 0.0)) return {LongerSideMm, LongerSideMm};
  return screenSize * (LongerSideMm / longer);
}

void PaintGraphOutput(QPainter& painter, const TChartEngine& engine, const QSizeF& layoutSize, const QRectF& target,
                      double deviceDpi, const TGraphOutput& output)
{
  const double scale = target.width() / layoutSize.width();
  TPaintOptions options;
  options.Output = true;
  options.Monochrome = output.Monochrome;
  options.Header = output.Header;
  options.Dpi = output.ScreenDpi;
  options.FontScale = output.FontScale;
  // Pens in device units: one per unit of width, or 1/200 inch on finer devices.
  const double devicePen = deviceDpi > 200.0 ? deviceDpi / 200.0 : 1.0;
  options.PenScale = devicePen / scale;
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(scale, target.height() / layoutSize.height());
  PaintChart(painter, engine, QRectF(QPointF(0.0, 0.0), layoutSize), options);
  painter.restore();
}

QByteArray GraphSvg(const TChartEngine& engine, const TGraphOutput& output)
{
  const QSizeF layout = LayoutSize(output);
  const QSizeF mm = OutputSizeMm(output.ScreenSize);
  const QSize units(static_cast<int>(std::lround(mm.width() * 100.0)),
                    static_cast<int>(std::lround(mm.height() * 100.0)));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setResolution(static_cast<int>(VectorDpi));
  generator.setSize(units);
  generator.setViewBox(QRect(QPoint(0, 0), units));
  generator.setTitle(QStringLiteral("Graph"));
  generator.setDescription(QString::fromUtf8(ApplicationTitle));
  QPainter painter;
  if (!painter.begin(&generator)) throw EGraphOutputError("Cannot draw the graph as a picture.");
  PaintGraphOutput(painter, engine, layout, QRectF(QPointF(0.0, 0.0), QSizeF(units)), VectorDpi, output);
  painter.end();
  return bytes;
}

QImage GraphImage(const TChartEngine& engine, const TGraphOutput& output, double dpi)
{
  const QSizeF mm = OutputSizeMm(output.ScreenSize);
  const QSize pixels(static_cast<int>(std::lround(mm.width() / MmPerInch * dpi)),
                     static_cast<int>(std::lround(mm.height() / MmPerInch * dpi)));
  QImage image(pixels, QImage::Format_RGB32);
  image.fill(Qt::white);
  const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  QPainter painter(&image);
  PaintGraphOutput(painter, engine, LayoutSize(output), QRectF(QPointF(0.0, 0.0), QSizeF(pixels)), dpi, output);
  return image;
}

QImage GraphBitmap(const TChartEngine& engine, const TGraphOutput& output)
{
  const QSize pixels = output.ScreenSize.toSize().expandedTo(QSize(1, 1));
  QImage image(pixels, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintGraphOutput(painter, engine, QSizeF(pixels), QRectF(QPointF(0.0, 0.0), QSizeF(pixels)), output.ScreenDpi,
                   output);
  return image;
}

namespace {

QByteArray GraphPdf(const TChartEngine& engine, const TGraphOutput& output)
{
  const QSizeF mm = OutputSizeMm(output.ScreenSize);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(QString::fromUtf8(ApplicationTitle));
    writer.setTitle(QStringLiteral("Graph"));
    writer.setResolution(static_cast<int>(VectorDpi));
    writer.setPageSize(QPageSize(mm, QPageSize::Millimeter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) throw EGraphOutputError("Cannot draw the graph as a PDF document.");
    const QRectF target(QPointF(0.0, 0.0), QSizeF(writer.width(), writer.height()));
    PaintGraphOutput(painter, engine, LayoutSize(output), target, VectorDpi, output);
    if (!painter.end()) throw EGraphOutputError("Cannot draw the graph as a PDF document.");
  }
  return bytes;
}

}  // namespace

QByteArray ImageFileBytes(const QImage& image, TGraphFileKind kind)
{
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, kind == TGraphFileKind::Png ? "PNG" : "BMP"))
    throw EGraphOutputError("Cannot encode the picture.");
  return bytes;
}

void SavePictureFile(TReplacementFile& file, const QByteArray& bytes)
{
  file.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  file.Commit();
}

QByteArray GraphFileBytes(const TChartEngine& engine, TGraphFileKind kind, const TGraphOutput& output)
{
  switch (kind) {
    case TGraphFileKind::Svg:
      return GraphSvg(engine, output);
    case TGraphFileKind::Pdf:
      return GraphPdf(engine, output);
    case TGraphFileKind::Png:
      // Bitmaps for reports are drawn at 300 dpi over the 120 mm.
      return ImageFileBytes(GraphImage(engine, output, 300.0), kind);
    case TGraphFileKind::Bmp:
      break;
  }
  return ImageFileBytes(GraphBitmap(engine, output), TGraphFileKind::Bmp);
}

void ExportGraph(const TChartEngine& engine, const std::string& fileName, TGraphFileKind kind,
                 const TGraphOutput& output)
{
  // The target is refused before anything is drawn, and replaced only by a
  // complete picture.
  TReplacementFile file(fileName);
  SavePictureFile(file, GraphFileBytes(engine, kind, output));
}

}  // namespace umbrinex
