#include "graphics/ViewPort.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPen>
#include <QString>
#include <cmath>

#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "graphics/QtColours.h"
#include "numerics/MathConstants.h"

namespace umbrinex {

namespace {

double Radians(double degrees) { return degrees * Pi / 180.0; }

double Normalised(double degrees, double low)
{
  double d = std::fmod(degrees - low, 360.0);
  if (d < 0) d += 360.0;
  return d + low;
}

// Screen axes of the projection: column and row directions per world unit.
struct TAxes {
  TVector Column, Row;
};

TAxes ScreenAxes(double azimuth, double elevation)
{
  const double az = Radians(azimuth), el = Radians(elevation);
  return {{-std::sin(az), std::cos(az), 0.0},
          {std::sin(el) * std::cos(az), std::sin(el) * std::sin(az), -std::cos(el)}};
}

double Dot(const TVector& a, const TVector& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

}  // namespace

void TViewPort::SetSize(int width, int height)
{
  if (Drawing()) return;
  FWidth = std::max(1, width);
  FHeight = std::max(1, height);
}

void TViewPort::SetViewCentre(const TVector& centre)
{
  if (!Drawing()) FCentre = centre;
}

void TViewPort::SetViewSize(double length)
{
  if (!Drawing() && length > 0.0) FViewSize = length;
}

void TViewPort::SetAzimuth(double degrees)
{
  if (!Drawing()) FAzimuth = Normalised(degrees, 0.0);
}

void TViewPort::SetElevation(double degrees)
{
  if (!Drawing()) FElevation = Normalised(degrees, -180.0);
}

QPointF TViewPort::Project(const TVector& p) const
{
  const TAxes axes = ScreenAxes(FAzimuth, FElevation);
  const double s = Scale();
  return {FWidth / 2.0 + s * (Dot(axes.Column, p) - Dot(axes.Column, FCentre)),
          FHeight / 2.0 + s * (Dot(axes.Row, p) - Dot(axes.Row, FCentre))};
}

TVector TViewPort::Unproject(const QPointF& point) const
{
  const TAxes axes = ScreenAxes(FAzimuth, FElevation);
  const double s = Scale();
  const double u = (point.x() - FWidth / 2.0) / s + Dot(axes.Column, FCentre);
  const double v = (point.y() - FHeight / 2.0) / s + Dot(axes.Row, FCentre);
  const double a = axes.Column[0], b = axes.Column[1], c = axes.Row[0], d = axes.Row[1];
  const double det = a * d - b * c;
  if (std::fabs(det) < 1e-12) return FCentre;
  return {(u * d - b * v) / det, (a * v - c * u) / det, 0.0};
}

void TViewPort::BeginDraw(QPainter& painter)
{
  FPainter = &painter;
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(std::max(1, FHeight / 30));
  painter.setFont(font);
  painter.setBrush(Qt::NoBrush);
  painter.setRenderHint(QPainter::Antialiasing, true);
}

void TViewPort::EndDraw() { FPainter = nullptr; }

QColor TViewPort::Ink(TColour colour) const
{
  if (FColourMode == cmBlack) return Qt::black;
  if (FColourMode == cmGrey) return ToQColor(0x808080);
  return ToQColor(colour);
}

void TViewPort::SetPen(const TDrawingPenStyle& pen)
{
  QPen qpen(Ink(pen.Colour));
  qpen.setStyle(ToQtPenStyle(pen.Style));
  qpen.setWidthF(std::max(1, pen.Width) * FPenFactor);
  FPainter->setPen(qpen);
}

void TViewPort::Line(const TVector& p, const TVector& q) { FPainter->drawLine(Project(p), Project(q)); }

void TViewPort::Polyline(const std::vector<TVector>& points)
{
  QPolygonF polygon;
  polygon.reserve(static_cast<int>(points.size()));
  for (const TVector& p : points) polygon << Project(p);
  FPainter->drawPolyline(polygon);
}

void TViewPort::Mark(const TVector& point)
{
  const QPointF c = Project(point);
  FPainter->drawLine(QPointF(c.x() - 4, c.y()), QPointF(c.x() + 5, c.y()));
  FPainter->drawLine(QPointF(c.x(), c.y() - 4), QPointF(c.x(), c.y() + 5));
}

void TViewPort::Circle(const TVector& centre, const TVector& axis, int segments, double radius)
{
  if (segments < 3 || !(radius > 0.0)) return;
  // Two unit vectors spanning the plane normal to the axis.
  const double length = std::sqrt(Dot(axis, axis));
  const TVector n = length > 0 ? TVector{axis[0] / length, axis[1] / length, axis[2] / length} : TVector{0, 0, 1};
  const TVector helper = std::fabs(n[0]) < 0.9 ? TVector{1, 0, 0} : TVector{0, 1, 0};
  TVector u{n[1] * helper[2] - n[2] * helper[1], n[2] * helper[0] - n[0] * helper[2], n[0] * helper[1] - n[1] * helper[0]};
  const double ul = std::sqrt(Dot(u, u));
  for (double& x : u) x /= ul;
  const TVector v{n[1] * u[2] - n[2] * u[1], n[2] * u[0] - n[0] * u[2], n[0] * u[1] - n[1] * u[0]};
  std::vector<TVector> points;
  points.reserve(static_cast<std::size_t>(segments) + 1);
  for (int k = 0; k <= segments; ++k) {
    const double a = 2.0 * Pi * k / segments;
    const double cu = radius * std::cos(a), sv = radius * std::sin(a);
    points.push_back({centre[0] + cu * u[0] + sv * v[0], centre[1] + cu * u[1] + sv * v[1],
                      centre[2] + cu * u[2] + sv * v[2]});
  }
  Polyline(points);
}

double TViewPort::TextHeight() const { return QFontMetricsF(FPainter->font()).boundingRect(QStringLiteral("A")).height(); }

void TViewPort::TextAt(QPointF pixel, const std::string& text)
{
  const QFontMetricsF metrics(FPainter->font());
  // Texts of the design may hold control characters, which neither a screen
  // nor an SVG file can carry: they are drawn as escapes.
  FPainter->drawText(QPointF(pixel.x(), pixel.y() + metrics.ascent()), QString::fromStdString(VisibleText(text)));
}

void TViewPort::Text(const TVector& point, const std::string& text) { TextAt(Project(point), text); }

double TViewPort::ScaleBarLength(double viewSize)
{
  const double x = viewSize / 7.0;
  if (!(x > 0.0) || !std::isfinite(x)) return 0.0;
  double exponent = std::floor(std::log10(x));
  double mantissa = std::round(x / std::pow(10.0, exponent));
  if (mantissa >= 10.0) {
    mantissa = 1.0;
    exponent += 1.0;
  }
  return mantissa * std::pow(10.0, exponent);
}

void TViewPort::ScaleBar(const std::string& unitName)
{
  const double b = ScaleBarLength(FViewSize) * Scale();
  const double x0 = FWidth * 7 / 10;
  const double y0 = FHeight / 24;
  const double y1 = FHeight / 20;
  FPainter->drawLine(QPointF(x0, y0), QPointF(x0, y1));
  FPainter->drawLine(QPointF(x0, y1), QPointF(x0 + b, y1));
  FPainter->drawLine(QPointF(x0 + b, y0), QPointF(x0 + b, y1 + 1));
  TextAt(QPointF(x0, y1 + 2), FormatGeneral(ScaleBarLength(FViewSize), 15) + " " + unitName);
}

void TViewPort::AxesTriad()
{
  const TVector origin = Unproject(QPointF(0.9 * FWidth, 0.1 * FHeight));
  const TAxes axes = ScreenAxes(FAzimuth, FElevation);
  // The viewing direction is the world direction that projects to a point.
  const TVector& c = axes.Column;
  const TVector& r = axes.Row;
  const TVector view{c[1] * r[2] - c[2] * r[1], c[2] * r[0] - c[0] * r[2], c[0] * r[1] - c[1] * r[0]};
  const double length = FViewSize / 15.0;
  const char* names[] = {"X", "Y", "Z"};
  for (int k = 0; k < 3; ++k) {
    TVector axis{0, 0, 0};
    axis[static_cast<std::size_t>(k)] = 1.0;
    // An axis within a degree of the viewing direction would be a dot.
    if (std::fabs(Dot(axis, view)) > std::cos(Radians(1.0)) * std::sqrt(Dot(view, view))) continue;
    const TVector end{origin[0] + length * axis[0], origin[1] + length * axis[1], origin[2] + length * axis[2]};
    Line(origin, end);
    Text(end, names[k]);
  }
}

}  // namespace umbrinex
