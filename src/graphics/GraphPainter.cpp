#include "graphics/GraphPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

#include "charts/ChartEngine.h"
#include "charts/MonochromeStyles.h"
#include "framework/data/TextUtils.h"
#include "graphics/QtColours.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

QFont MakeFont(const TFontSetting& setting, double dpi, double scale)
{
  QFont font(QString::fromStdString(setting.Name));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(setting.Size * dpi / 72.0 * scale))));
  font.setBold(setting.Bold);
  font.setItalic(setting.Italic);
  font.setUnderline(setting.Underline);
  font.setStrikeOut(setting.Strikeout);
  return font;
}

QPointF ValueAt(const TChart& chart, const TChartLayout& layout, const QPointF& pixel)
{
  const QRectF& plot = layout.Plot;
  const double fx = (pixel.x() - plot.left()) / plot.width();
  const double fy = (plot.bottom() - pixel.y()) / plot.height();
  return {chart.Axes[0].ValueAt(fx), chart.Axes[1].ValueAt(fy)};
}

namespace {

// Titles, names and labels may hold texts of the design, whose control
// characters neither a screen nor an SVG file can carry: drawn as escapes.
QString Shown(const std::string& text) { return QString::fromStdString(VisibleText(text)); }

constexpr double Margin = 8.0;
constexpr double Gap = 3.0;
constexpr double LegendSample = 20.0;

// Axis titles such as "Curvature (m^{-1})" show their exponents raised.
struct TRun {
  QString Text;
  bool Raised = false;
};

std::vector<TRun> TitleRuns(const std::string& title)
{
  std::vector<TRun> runs(1);
  const QString text = Shown(title);
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'^' && i + 1 < text.size()) {
      qsizetype end = i + 1;
      QString raised;
      if (text[end] == u'{') {
        const qsizetype close = text.indexOf(u'}', end);
        if (close < 0) {
          runs.back().Text += text[i];
          continue;
        }
        raised = text.mid(end + 1, close - end - 1);
        end = close + 1;
      } else {
        if (text[end] == u'-' || text[end] == u'+') ++end;
        while (end < text.size() && (text[end].isDigit() || text[end] == u'.')) ++end;
        raised = text.mid(i + 1, end - i - 1);
      }
      if (raised.isEmpty()) {
        runs.back().Text += text[i];
        continue;
      }
      runs.push_back({raised, true});
      runs.emplace_back();
      i = end - 1;
    } else {
      runs.back().Text += text[i];
    }
  }
  return runs;
}

QFont RaisedFont(const QFont& font)
{
  QFont small = font;
  small.setPixelSize(std::max(1, font.pixelSize() * 3 / 4));
  return small;
}

double RunsWidth(const std::vector<TRun>& runs, const QFont& font)
{
  const QFontMetricsF normal(font), raised(RaisedFont(font));
  double width = 0.0;
  for (const TRun& run : runs) width += (run.Raised ? raised : normal).horizontalAdvance(run.Text);
  return width;
}

void DrawRuns(QPainter& p, const std::vector<TRun>& runs, const QFont& font, QPointF baseline)
{
  const QFont small = RaisedFont(font);
  const double lift = QFontMetricsF(font).ascent() * 0.4;
  for (const TRun& run : runs) {
    const QFont& f = run.Raised ? small : font;
    p.setFont(f);
    p.drawText(QPointF(baseline.x(), baseline.y() - (run.Raised ? lift : 0.0)), run.Text);
    baseline.rx() += QFontMetricsF(f).horizontalAdvance(run.Text);
  }
}

// Liang-Barsky clipping in doubles: infinite values sit at ±1e200 and must
// reach the painter as points on the plot's edge.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, const QRectF& r)
{
  double t0 = 0.0, t1 = 1.0;
  const double dx = x1 - x0, dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - r.left(), r.right() - x0, y0 - r.top(), r.bottom() - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const double ax = x0 + t0 * dx, ay = y0 + t0 * dy;
  x1 = x0 + t1 * dx;
  y1 = y0 + t1 * dy;
  x0 = ax;
  y0 = ay;
  return true;
}

class TChartPainter {
 public:
  TChartPainter(QPainter& painter, const TChartEngine& engine, const TPaintOptions& options)
      : p(painter), FEngine(engine), c(engine.Chart()), o(options)
  {
  }

  TChartLayout Paint(const QRectF& area);

 private:
  struct TLegendEntry {
    QString Text;
    const TCurve* Curve;
    int Style;     // as the curve is drawn
    QRectF Place;  // within the legend box
  };

  QColor Ink(TColour colour) const { return o.Monochrome ? QColor(Qt::black) : ToQColor(colour); }
  QFont Font(const TFontSetting& setting) const { return MakeFont(setting, o.Dpi, o.FontScale); }
  QPen Pen(TColour colour, int width, int style) const;
  double X(double v) const { return L.Plot.left() + c.Axes[0].Fraction(v) * L.Plot.width(); }
  double Y(double v) const { return L.Plot.bottom() - c.Axes[1].Fraction(v) * L.Plot.height(); }

  QRectF PlaceHeader(QRectF r);
  QRectF PlaceLegend(QRectF r);
  void PlacePlot(QRectF r);
  void DrawGrid();
  void DrawAxes();
  void DrawIntercept(const TIntercept& line);
  void DrawCurves();
  void DrawMarker(const TChartPoint& point);
  void DrawLegend();

  QPainter& p;
  const TChartEngine& FEngine;
  const TChart& c;
  const TPaintOptions& o;
  TChartLayout L;
  std::vector<TLegendEntry> FLegend;
  // The pen style each curve is drawn with: its own, or in monochrome one
  // that tells it from the others.
  std::vector<int> FCurveStyles;
  double FTitleLeft = 0.0;
};

QPen TChartPainter::Pen(TColour colour, int width, int style) const
{
  QPen pen(Ink(colour), std::max(1, width) * o.PenScale, ToQtPenStyle(style));
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

QRectF TChartPainter::PlaceHeader(QRectF r)
{
  if (!o.Output || o.Header.empty()) return r;
  // Two lines, the header and an empty one, in the size of the X axis title.
  TFontSetting setting = c.Axes[0].TitleFont;
  const QFont font = Font(setting);
  const QFontMetricsF metrics(font);
  p.setFont(font);
  p.setPen(Ink(setting.Colour));
  const QRectF line(r.left(), r.top(), r.width(), metrics.height());
  p.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, Shown(o.Header));
  r.setTop(r.top() + 2.0 * metrics.height());
  return r;
}

QRectF TChartPainter::PlaceLegend(QRectF r)
{
  if (!c.LegendVisible) return r;
  for (int i = 0; i < FEngine.CurveCount(); ++i) {
    const TCurve& curve = FEngine.Curve(i);
    if (!curve.InLegend || !curve.Visible) continue;
    const int style = FCurveStyles[static_cast<std::size_t>(i)];
    FLegend.push_back({Shown(curve.LegendText()), &curve, style, {}});
  }
  if (FLegend.empty()) return r;
  const QFontMetricsF metrics(Font(c.LegendFont));
  const double rowHeight = metrics.height() + 1.0;
  const bool horizontal = c.LegendAlignment == laTop || c.LegendAlignment == laBottom;
  // Entries are placed relative to the box: in rows as wide as the chart
  // allows above or below it, in one column beside it.
  double width = 0.0, x = Gap, y = Gap;
  for (TLegendEntry& entry : FLegend) {
    const double w = LegendSample + Gap + metrics.horizontalAdvance(entry.Text) + 2 * Gap;
    if (horizontal && x > Gap && x + w > r.width()) {
      x = Gap;
      y += rowHeight;
    }
    entry.Place = QRectF(x, y, w, rowHeight);
    width = std::max(width, x + w + Gap);
    if (horizontal)
      x += w + Gap;
    else
      y += rowHeight;
  }
  const double height = (horizontal ? y + rowHeight : y) + Gap;
  switch (c.LegendAlignment) {
    case laLeft:
      L.Legend = QRectF(r.left(), r.top(), width, height);
      r.setLeft(r.left() + width + 2 * Margin);
      break;
    case laTop:
      L.Legend = QRectF(r.center().x() - width / 2.0, r.top(), width, height);
      r.setTop(r.top() + height + Margin);
      break;
    case laBottom:
      L.Legend = QRectF(r.center().x() - width / 2.0, r.bottom() - height, width, height);
      r.setBottom(r.bottom() - height - Margin);
      break;
    default:
      L.Legend = QRectF(r.right() - width, r.top(), width, height);
      r.setRight(r.right() - width - 2 * Margin);
      break;
  }
  return r;
}

void TChartPainter::PlacePlot(QRectF r)
{
  const TGraphAxis& ax = c.Axes[0];
  const TGraphAxis& ay = c.Axes[1];
  const QFontMetricsF xLabels(Font(ax.LabelFont)), yLabels(Font(ay.LabelFont));
  double yLabelWidth = 0.0;
  for (double v : ay.MajorTicks())
    yLabelWidth = std::max(yLabelWidth, yLabels.horizontalAdvance(QString::fromStdString(ay.LabelText(v))));
  double xLabelWidth = 0.0;
  for (double v : ax.MajorTicks())
    xLabelWidth = std::max(xLabelWidth, xLabels.horizontalAdvance(QString::fromStdString(ax.LabelText(v))));
  const double xTitle = ax.Title.empty() ? 0.0 : QFontMetricsF(Font(ax.TitleFont)).height() + Gap;
  const double yTitle = ay.Title.empty() ? 0.0 : QFontMetricsF(Font(ay.TitleFont)).height() + Gap;
  const double ticks = std::max(ax.TickLength, ax.MinorTickLength);
  const double left = r.left() + yTitle + yLabelWidth + Gap + std::max(ay.TickLength, ay.MinorTickLength);
  const double bottom = r.bottom() - xTitle - xLabels.height() - Gap - ticks;
  const double top = r.top() + yLabels.height() / 2.0;
  const double right = r.right() - xLabelWidth / 2.0;
  L.Plot = QRectF(QPointF(left, top), QPointF(std::max(left + 1.0, right), std::max(top + 1.0, bottom)));
}

void TChartPainter::DrawGrid()
{
  QPen grid(Ink(c.Axes[0].GridColour), 0, Qt::DotLine);
  for (int a = 0; a < 2; ++a) {
    const TGraphAxis& axis = c.Axes[static_cast<std::size_t>(a)];
    grid.setColor(Ink(axis.GridColour));
    p.setPen(grid);
    for (double v : axis.MajorTicks()) {
      if (a == 0)
        p.drawLine(QPointF(X(v), L.Plot.top()), QPointF(X(v), L.Plot.bottom()));
      else
        p.drawLine(QPointF(L.Plot.left(), Y(v)), QPointF(L.Plot.right(), Y(v)));
    }
  }
}

void TChartPainter::DrawAxes()
{
  const QRectF& plot = L.Plot;
  for (int a = 0; a < 2; ++a) {
    const TGraphAxis& axis = c.Axes[static_cast<std::size_t>(a)];
    const QFont labelFont = Font(axis.LabelFont);
    const QFontMetricsF metrics(labelFont);
    p.setPen(Pen(clWindowText, axis.MinorTickPenWidth, psSolid));
    for (double v : axis.MinorTicks()) {
      if (a == 0)
        p.drawLine(QPointF(X(v), plot.bottom()), QPointF(X(v), plot.bottom() + axis.MinorTickLength));
      else
        p.drawLine(QPointF(plot.left() - axis.MinorTickLength, Y(v)), QPointF(plot.left(), Y(v)));
    }
    // Labels that would run into the previous one are left out.
    double lastEdge = -1e300;
    for (double v : axis.MajorTicks()) {
      const QString text = QString::fromStdString(axis.LabelText(v));
      const double w = metrics.horizontalAdvance(text);
      p.setPen(Pen(clWindowText, axis.TickPenWidth, psSolid));
      if (a == 0) {
        p.drawLine(QPointF(X(v), plot.bottom()), QPointF(X(v), plot.bottom() + axis.TickLength));
        if (X(v) - w / 2.0 < lastEdge + Gap) continue;
        lastEdge = X(v) + w / 2.0;
        p.setFont(labelFont);
        p.setPen(Ink(axis.LabelFont.Colour));
        const double top = plot.bottom() + std::max(axis.TickLength, axis.MinorTickLength) + Gap;
        p.drawText(QPointF(X(v) - w / 2.0, top + metrics.ascent()), text);
      } else {
        p.drawLine(QPointF(plot.left() - axis.TickLength, Y(v)), QPointF(plot.left(), Y(v)));
        if (-Y(v) - metrics.height() / 2.0 < lastEdge) continue;
        lastEdge = -Y(v) + metrics.height() / 2.0;
        p.setFont(labelFont);
        p.setPen(Ink(axis.LabelFont.Colour));
        const double right = plot.left() - std::max(axis.TickLength, axis.MinorTickLength) - Gap;
        p.drawText(QPointF(right - w, Y(v) - metrics.height() / 2.0 + metrics.ascent()), text);
      }
    }
    if (axis.Title.empty()) continue;
    const QFont titleFont = Font(axis.TitleFont);
    const std::vector<TRun> runs = TitleRuns(axis.Title);
    const double width = RunsWidth(runs, titleFont);
    const QFontMetricsF titleMetrics(titleFont);
    p.setPen(Ink(axis.TitleFont.Colour));
    if (a == 0) {
      const double baseline = L.Plot.bottom() + std::max(axis.TickLength, axis.MinorTickLength) + Gap +
                              metrics.height() + Gap + titleMetrics.ascent();
      DrawRuns(p, runs, titleFont, QPointF(plot.center().x() - width / 2.0, baseline));
    } else {
      p.save();
      p.translate(FTitleLeft + titleMetrics.ascent(), plot.center().y() + width / 2.0);
      p.rotate(-90.0);
      DrawRuns(p, runs, titleFont, QPointF(0.0, 0.0));
      p.restore();
    }
  }
  p.setPen(Pen(clWindowText, c.AxisPenWidth, psSolid));
  p.drawLine(plot.bottomLeft(), plot.bottomRight());
  p.drawLine(plot.bottomLeft(), plot.topLeft());
}

void TChartPainter::DrawIntercept(const TIntercept& line)
{
  if (!line.Active || line.Style == psClear) return;
  const TGraphAxis& axis = c.Axes[line.Axis == 0 ? 0 : 1];
  double v = line.Value;
  // An infinite value stands at the edge it tends to.
  if (v >= Infinity) v = axis.Maximum;
  if (v <= -Infinity) v = axis.Minimum;
  if (v < std::min(axis.Minimum, axis.Maximum) || v > std::max(axis.Minimum, axis.Maximum)) return;
  p.setPen(Pen(line.Colour, line.Width, line.Style));
  const QFont font = Font(c.Axes[line.Axis == 0 ? 0 : 1].LabelFont);
  const QFontMetricsF metrics(font);
  const QString label = Shown(line.Label);
  if (line.Axis == 0) {
    p.drawLine(QPointF(X(v), L.Plot.top()), QPointF(X(v), L.Plot.bottom()));
    p.setFont(font);
    p.setPen(Ink(line.Colour));
    p.drawText(QPointF(X(v) + Gap, L.Plot.top() + metrics.ascent() + Gap), label);
  } else {
    p.drawLine(QPointF(L.Plot.left(), Y(v)), QPointF(L.Plot.right(), Y(v)));
    p.setFont(font);
    p.setPen(Ink(line.Colour));
    const double top = Y(v) - metrics.descent() - 1.0 < L.Plot.top() + metrics.ascent()
                           ? Y(v) + metrics.ascent() + 1.0
                           : Y(v) - metrics.descent() - 1.0;
    p.drawText(QPointF(L.Plot.right() - metrics.horizontalAdvance(label) - Gap, top), label);
  }
}

void TChartPainter::DrawCurves()
{
  p.save();
  p.setClipRect(L.Plot.adjusted(-1.0, -1.0, 1.0, 1.0));
  for (int i = 0; i < FEngine.CurveCount(); ++i) {
    const TCurve& curve = FEngine.Curve(i);
    if (!curve.Visible || curve.Pen.Style == psClear) continue;
    p.setPen(Pen(curve.Pen.Colour, curve.Pen.Width, FCurveStyles[static_cast<std::size_t>(i)]));
    for (int s = 0; s < curve.SeriesCount(); ++s) {
      const TSeries& series = curve.Series(s);
      // Runs of connected segments go out as one polyline, so that dashes
      // and joins continue along the curve.
      QPolygonF run;
      for (int k = 1; k < series.Count(); ++k) {
        double x0 = X(series.X[k - 1]), y0 = Y(series.Y[k - 1]);
        double x1 = X(series.X[k]), y1 = Y(series.Y[k]);
        if (!ClipSegment(x0, y0, x1, y1, L.Plot)) {
          if (run.size() > 1) p.drawPolyline(run);
          run.clear();
          continue;
        }
        if (run.isEmpty() || run.back() != QPointF(x0, y0)) {
          if (run.size() > 1) p.drawPolyline(run);
          run.clear();
          run << QPointF(x0, y0);
        }
        run << QPointF(x1, y1);
      }
      if (run.size() > 1) p.drawPolyline(run);
    }
  }
  p.restore();
}

void TChartPainter::DrawMarker(const TChartPoint& point)
{
  const double x = X(point.X), y = Y(point.Y);
  const double h = point.Size;
  if (!L.Plot.adjusted(-h, -h, h, h).contains(x, y)) return;
  const QColor colour = Ink(point.Colour);
  QPen outline(colour, o.PenScale);
  p.setPen(outline);
  p.setBrush(colour);
  switch (point.Style) {
    case TPointStyle::Rectangle:
      p.drawRect(QRectF(x - h, y - h, 2 * h, 2 * h));
      break;
    case TPointStyle::Circle:
      p.drawEllipse(QPointF(x, y), h, h);
      break;
    case TPointStyle::Triangle:
      p.drawPolygon(QPolygonF({QPointF(x, y - h), QPointF(x + h, y + h), QPointF(x - h, y + h)}));
      break;
    case TPointStyle::DownTriangle:
      p.drawPolygon(QPolygonF({QPointF(x, y + h), QPointF(x + h, y - h), QPointF(x - h, y - h)}));
      break;
    case TPointStyle::Diamond:
      p.drawPolygon(QPolygonF({QPointF(x, y - h), QPointF(x + h, y), QPointF(x, y + h), QPointF(x - h, y)}));
      break;
    case TPointStyle::SmallDot:
      p.drawEllipse(QPointF(x, y), std::max(0.5, h / 2.0), std::max(0.5, h / 2.0));
      break;
    case TPointStyle::Star:
      p.drawLine(QPointF(x - h, y - h), QPointF(x + h, y + h));
      p.drawLine(QPointF(x - h, y + h), QPointF(x + h, y - h));
      [[fallthrough]];
    case TPointStyle::Cross:
      p.drawLine(QPointF(x - h, y), QPointF(x + h, y));
      p.drawLine(QPointF(x, y - h), QPointF(x, y + h));
      break;
    case TPointStyle::DiagonalCross:
      p.drawLine(QPointF(x - h, y - h), QPointF(x + h, y + h));
      p.drawLine(QPointF(x - h, y + h), QPointF(x + h, y - h));
      break;
  }
  p.setBrush(Qt::NoBrush);
  if (point.Label.empty()) return;
  const QFont font = Font(c.Axes[0].LabelFont);
  const QFontMetricsF metrics(font);
  const QString label = Shown(point.Label);
  p.setFont(font);
  p.setPen(Ink(c.Axes[0].LabelFont.Colour));
  p.drawText(QPointF(x - metrics.horizontalAdvance(label) / 2.0, y - point.ArrowLength() - metrics.descent()), label);
}

void TChartPainter::DrawLegend()
{
  if (FLegend.empty()) return;
  p.setPen(QPen(Ink(clWindowText), 0));
  p.setBrush(o.Output ? QColor(Qt::white) : ToQColor(c.BackColour));
  p.drawRect(L.Legend);
  p.setBrush(Qt::NoBrush);
  const QFont font = Font(c.LegendFont);
  const QFontMetricsF metrics(font);
  for (const TLegendEntry& entry : FLegend) {
    const QRectF place = entry.Place.translated(L.Legend.topLeft());
    const double middle = place.center().y();
    if (entry.Style != psClear) {
      p.setPen(Pen(entry.Curve->Pen.Colour, entry.Curve->Pen.Width, entry.Style));
      p.drawLine(QPointF(place.left(), middle), QPointF(place.left() + LegendSample, middle));
    }
    p.setFont(font);
    p.setPen(Ink(c.LegendFont.Colour));
    p.drawText(QPointF(place.left() + LegendSample + Gap, middle - metrics.height() / 2.0 + metrics.ascent()),
               entry.Text);
  }
}

TChartLayout TChartPainter::Paint(const QRectF& area)
{
  if (o.Monochrome) {
    FCurveStyles = MonochromeCurveStyles(FEngine);
  } else {
    for (int i = 0; i < FEngine.CurveCount(); ++i) FCurveStyles.push_back(FEngine.Curve(i).Pen.Style);
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.fillRect(area, o.Output ? QColor(Qt::white) : ToQColor(c.PanelColour));
  QRectF r = area.adjusted(Margin, Margin, -Margin, -Margin);
  r = PlaceHeader(r);
  r = PlaceLegend(r);
  FTitleLeft = r.left();
  PlacePlot(r);
  p.fillRect(L.Plot, o.Output ? QColor(Qt::white) : ToQColor(c.BackColour));
  DrawGrid();
  for (int axis = 0; axis < 2; ++axis) DrawIntercept(c.Intercepts.BuiltIn(axis));
  for (int i = 0; i < c.Intercepts.Count(); ++i) DrawIntercept(c.Intercepts.Item(i));
  DrawCurves();
  for (const TChartPoint& point : c.Points) DrawMarker(point);
  DrawAxes();
  DrawLegend();
  p.restore();
  return L;
}

}  // namespace

TChartLayout PaintChart(QPainter& painter, const TChartEngine& engine, const QRectF& area, const TPaintOptions& options)
{
  return TChartPainter(painter, engine, options).Paint(area);
}

}  // namespace umbrinex
