#pragma once
// A graph on paper and in files: vector pictures (SVG, PDF) sized so that
// the longer side measures 120 mm, bitmaps (PNG, BMP), white behind the
// plot, the report title on top and, when asked, everything in black.

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <string>

#include "framework/data/DiskFile.h"
#include "numerics/Errors.h"

class QPainter;
class QRectF;

namespace umbrinex {

class TChartEngine;

class EGraphOutputError : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

enum class TGraphFileKind { Svg, Pdf, Png, Bmp };

// The kind a file name's extension asks for; raises EGraphOutputError for
// any other extension.
TGraphFileKind GraphFileKind(const std::string& fileName);
// The filter texts of the export dialog, in the order of TGraphFileKind.
const char* GraphFileFilter(TGraphFileKind kind);

struct TGraphOutput {
  bool Monochrome = true;
  std::string Header;
  // The graph's size on the screen, in pixels, and the screen's resolution.
  QSizeF ScreenSize{600.0, 420.0};
  double ScreenDpi = 96.0;
  // Printing enlarges the fonts by a further factor.
  double FontScale = 1.0;
};

// The picture's size: the screen size scaled so that its longer side is
// 120 mm.
QSizeF OutputSizeMm(const QSizeF& screenSize);
// Paints the graph into a target area of a device with deviceDpi dots per
// inch. The graph is laid out at layoutSize screen pixels and scaled to the
// target, so text and markers keep their physical size; solid pens of
// devices finer than 200 dpi are widened to 1/200 inch per unit of width.
void PaintGraphOutput(QPainter& painter, const TChartEngine& engine, const QSizeF& layoutSize, const QRectF& target,
                      double deviceDpi, const TGraphOutput& output);

QByteArray GraphSvg(const TChartEngine& engine, const TGraphOutput& output);
// At 120 mm on the longer side and the given resolution.
QImage GraphImage(const TChartEngine& engine, const TGraphOutput& output, double dpi);
// The graph as the screen shows it, at the screen size.
QImage GraphBitmap(const TChartEngine& engine, const TGraphOutput& output);
// The whole file of the kind asked for, made in memory.
QByteArray GraphFileBytes(const TChartEngine& engine, TGraphFileKind kind, const TGraphOutput& output);
// A bitmap file (PNG or BMP) in memory.
QByteArray ImageFileBytes(const QImage& image, TGraphFileKind kind);
// Puts a picture made in memory in the place of its target.
void SavePictureFile(TReplacementFile& file, const QByteArray& bytes);
// Writes the file through the safe save: a target that cannot be replaced
// is refused (EFileError) before anything is drawn, and a failed write
// leaves the previous file as it was.
void ExportGraph(const TChartEngine& engine, const std::string& fileName, TGraphFileKind kind,
                 const TGraphOutput& output);

}  // namespace umbrinex
