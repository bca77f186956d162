#pragma once
// A 2-D viewport onto the model's 3-D world: a plain projector with a view
// centre, a view size (the world length that fits the smaller pixel
// dimension), an azimuth and an elevation. The drawings of the stiffener
// are made through it onto any QPainter: a window's off-screen bitmap, an
// SVG or PDF file, or the printer.

#include <QPainter>
#include <QPointF>
#include <string>
#include <vector>

#include "framework/data/TaggedFileInterface.h"
#include "framework/data/Colour.h"

namespace umbrinex {

// Style as the pen style numbers of the model (0 solid, 2 dotted ...).
struct TDrawingPenStyle {
  int Style = 0;
  int Width = 1;
  TColour Colour = 0;
};

enum TColourMode : int { cmNormal = 0, cmBlack = 1, cmGrey = 2 };

class TViewPort {
 public:
  void SetSize(int width, int height);
  void SetViewCentre(const TVector& centre);
  void SetViewSize(double length);
  void SetAzimuth(double degrees);    // normalised to [0, 360)
  void SetElevation(double degrees);  // normalised to [-180, 180)
  void SetPenFactor(int factor) { FPenFactor = std::max(1, factor); }
  void SetColourMode(int mode) { FColourMode = mode; }
  void SetBackground(TColour colour) { FBackground = colour; }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  double ViewSize() const { return FViewSize; }
  double Azimuth() const { return FAzimuth; }
  double Elevation() const { return FElevation; }
  // Pixels per world length unit.
  double Scale() const { return std::min(FWidth, FHeight) / FViewSize; }

  // Where a world point lands in the drawing area, and back (on the plane z = 0).
  QPointF Project(const TVector& p) const;
  TVector Unproject(const QPointF& point) const;

  // The view may not change between these two.
  void BeginDraw(QPainter& painter);
  void EndDraw();
  bool Drawing() const { return FPainter != nullptr; }
  QPainter& Painter() const { return *FPainter; }

  void SetPen(const TDrawingPenStyle& pen);
  void Line(const TVector& p, const TVector& q);
  void Polyline(const std::vector<TVector>& points);
  // A cross at a point: 4 pixels before and 5 after it, both ways.
  void Mark(const TVector& point);
  // A closed polygon of segments around centre, in the plane normal to axis.
  void Circle(const TVector& centre, const TVector& axis, int segments, double radius);
  // Text with its top-left corner at a world point.
  void Text(const TVector& point, const std::string& text);
  // Text with its top-left corner at a pixel position.
  void TextAt(QPointF pixel, const std::string& text);
  double TextHeight() const;

  void ScaleBar(const std::string& unitName);
  void AxesTriad();
  // The scale bar's length for a view size: a seventh of it, to one significant figure.
  static double ScaleBarLength(double viewSize);

 private:
  QColor Ink(TColour colour) const;

  int FWidth = 1;
  int FHeight = 1;
  TVector FCentre{0.0, 0.0, 0.0};
  double FViewSize = 1.0;
  double FAzimuth = 0.0;
  double FElevation = 0.0;
  int FPenFactor = 1;
  int FColourMode = cmNormal;
  TColour FBackground = 0xFFFFFF;
  QPainter* FPainter = nullptr;
};

}  // namespace umbrinex
