#include "charts/ChartEngine.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "framework/data/ObjectBus.h"
#include "numerics/Errors.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

TColour PaletteColour(int index)
{
  // Strong colours that read on white paper and differ in grey as well.
  static constexpr TColour palette[] = {0x0000FF, 0x008000, 0xFF0000, 0x00A0A0, 0x800080,
                                        0x808000, 0x000080, 0x404040, 0x0080FF, 0xFF8000};
  return palette[static_cast<std::size_t>(index) % std::size(palette)];
}

TChart::TChart()
{
  const TGraphSettings& settings = GraphSettings();
  for (int axis = 0; axis < 2; ++axis) {
    Axes[static_cast<std::size_t>(axis)].TitleFont = settings.CaptionFont(axis);
    Axes[static_cast<std::size_t>(axis)].LabelFont = settings.LabelFont(axis);
  }
  LegendAlignment = settings.LegendAlignment;
  LegendVisible = settings.LegendVisible;
  LegendFont = settings.LegendFont;
}

TChartEngine::TChartEngine(TBuilder builder, std::vector<TNamedObject*> dataObjects)
    : FBuilder(std::move(builder)), FDataObjects(std::move(dataObjects))
{
  if (!FDataObjects.empty())
    FNotifier = std::make_unique<TNotifier>(nullptr, [this](TObjectMessage message, TNamedObject* sender, int kind) {
      HandleNotice(message, sender, kind);
    });
  FSettingsListener = AddGraphSettingsListener([this](TGraphSettingsChange change) { SettingsChanged(change); });
}

TChartEngine::~TChartEngine()
{
  RemoveGraphSettingsListener(FSettingsListener);
}

// ---- curves ----

TCurve& TChartEngine::AddCurve(TCurveKind kind, const TCurveStyle* preference)
{
  auto& curve = FCurves.emplace_back(std::make_unique<TCurve>(*this, kind, preference));
  if (!preference) curve->Pen.Colour = PaletteColour(FNextColour++);
  ApplyLegendRule();
  return *curve;
}

void TChartEngine::DeleteCurve(int index)
{
  FCurves.erase(FCurves.begin() + index);
  if (FCurves.empty()) FNextColour = 0;
  ApplyLegendRule();
}

void TChartEngine::ClearCurves()
{
  FCurves.clear();
  FNextColour = 0;
  FChart.Points.clear();
  FStatusText.clear();
  ApplyLegendRule();
}

const TCurve* TChartEngine::ReferenceCurve() const
{
  for (auto it = FCurves.rbegin(); it != FCurves.rend(); ++it)
    if ((*it)->Kind() == TCurveKind::Reference) return it->get();
  return nullptr;
}

void TChartEngine::ApplyCurvePreferences()
{
  for (auto& curve : FCurves) curve->ApplyPreference();
  Changed();
}

void TChartEngine::SettingsChanged(TGraphSettingsChange change)
{
  const TGraphSettings& settings = GraphSettings();
  switch (change) {
    case TGraphSettingsChange::Curves:
      for (auto& curve : FCurves) curve->ApplyPreference();
      break;
    case TGraphSettingsChange::AxisFonts:
      for (std::size_t a = 0; a < 2; ++a) {
        FChart.Axes[a].TitleFont = settings.CaptionFont(static_cast<int>(a));
        FChart.Axes[a].LabelFont = settings.LabelFont(static_cast<int>(a));
      }
      break;
    case TGraphSettingsChange::Legend:
      FChart.LegendFont = settings.LegendFont;
      ApplyLegendRule();
      break;
    case TGraphSettingsChange::Switches:
      break;
  }
  Changed();
}

void TChartEngine::ApplyLegendRule()
{
  if (FChart.HideLegendWithFewerThanTwoCurves && CurveCount() < 2)
    FChart.LegendVisible = false;
  else
    FChart.LegendVisible = GraphSettings().LegendVisible;
}

TChartPoint& TChartEngine::AddPoint(double x, double y)
{
  TChartPoint& point = FChart.Points.emplace_back();
  point.X = x;
  point.Y = y;
  return point;
}

void TChartEngine::SetCaption(const std::string& text)
{
  FCaption = text;
  if (OnCaptionChanged) OnCaptionChanged(text);
}

// ---- extents ----

void TChartEngine::Extend(int axis, double v)
{
  const auto a = Checked(axis);
  FDataMin[a] = std::min(FDataMin[a], v);
  FDataMax[a] = std::max(FDataMax[a], v);
}

void TChartEngine::PushCurve(TCurve& curve, bool fullRescan)
{
  const TCurve* reference = curve.Kind() == TCurveKind::Band ? ReferenceCurve() : nullptr;
  const bool scales = curve.CountsForScaling && curve.Visible;
  for (int s = 0; s < curve.SeriesCount(); ++s) {
    TSeries& series = curve.Series(s);
    if (fullRescan) series.Clear();
    for (int k = series.Count(); k < curve.PointCount(); ++k) {
      double y = curve.Y(k);
      switch (curve.Kind()) {
        case TCurveKind::Mirrored:
          y = s == 0 ? std::fabs(y) : -std::fabs(y);
          break;
        case TCurveKind::Band: {
          const double r = reference && k < reference->PointCount() ? reference->Y(k) : 0.0;
          const double sd = std::sqrt(y);
          y = s == 0 ? r - curve.BandWidth * sd : r + curve.BandWidth * sd;
          break;
        }
        default:
          break;
      }
      const bool infinite = std::fabs(y) >= Infinity;
      if (infinite) y = y > 0.0 ? PlotInfinity : -PlotInfinity;
      const double x = curve.X(k);
      series.Put(k, x, y, infinite);
      if (scales) {
        Extend(0, x);
        if (!infinite) Extend(1, y);
      }
    }
  }
}

void TChartEngine::Refresh(bool fullRescan)
{
  if (fullRescan) {
    FDataMin = {NoDataMinimum, NoDataMinimum};
    FDataMax = {-NoDataMinimum, -NoDataMinimum};
  }
  for (auto& curve : FCurves) PushCurve(*curve, fullRescan);
  for (const TChartPoint& point : FChart.Points) {
    Extend(0, point.X);
    Extend(1, point.Y);
  }
  // An infinite line (the ABR line of a zero ABR) is drawn at the edge of
  // the plot like an infinite point, and for the same reason scales nothing.
  for (int i = 0; i < FChart.Intercepts.Count(); ++i) {
    const TIntercept& line = FChart.Intercepts.Item(i);
    if (line.Axis == 1 && line.Active && line.IncludeInRange && std::fabs(line.Value) < Infinity) Extend(1, line.Value);
  }
  if (OnDataChanged) OnDataChanged();
  Changed();
}

// ---- ranges ----

void TChartEngine::SetAxisRange(int axis, double increment, double minimum, double maximum)
{
  const auto a = Checked(axis);
  TGraphAxis& target = FChart.Axes[a];
  bool autoMin = minimum == Undefined;
  bool autoMax = maximum == Undefined;
  bool autoIncrement = increment == Undefined;
  if (!autoMin && !autoMax && minimum > maximum) std::swap(minimum, maximum);
  if (autoMin) minimum = FDataMin[a] == NoDataMinimum ? 0.0 : FDataMin[a];
  if (autoMax) maximum = FDataMax[a] == -NoDataMinimum ? 0.0 : FDataMax[a];
  if (maximum < minimum) {
    maximum = minimum;
    autoMax = true;
  }
  double m = std::max(std::fabs(minimum), maximum);
  if (m < Tiny) m = 1.0;
  if (std::fabs(maximum - minimum) < 1e-6 * m) {
    if (target.Logarithmic) {
      minimum /= 10.0;
      maximum *= 10.0;
    } else {
      minimum -= 10.0;
      maximum += 10.0;
    }
    autoMin = autoMax = autoIncrement = true;
  }
  if (autoIncrement) {
    increment = NiceStep(minimum, maximum);
    target.MinorTickCount = MinorTicksForStep(increment);
  }
  if (!target.Logarithmic && increment > 0.0) {
    // A bound that is a multiple of the increment but for rounding noise
    // stays where it is rather than moving out by a whole step.
    const double tolerance = 1e-9;
    auto nearZero = [increment](double v) { return std::fabs(v) < increment / 2.0 ? 0.0 : v; };
    if (autoMin) minimum = nearZero(std::floor(minimum / increment + tolerance) * increment);
    if (autoMax) maximum = nearZero(std::ceil(maximum / increment - tolerance) * increment);
  }
  target.Minimum = minimum;
  target.Maximum = maximum;
  target.Increment = increment;
  target.LabelValues = target.Logarithmic ? LogLabelValues(minimum, maximum) : std::vector<double>{};
  Changed();
}

void TChartEngine::Zoom(double xMin, double xMax, double yMin, double yMax)
{
  const double bounds[2][2] = {{std::min(xMin, xMax), std::max(xMin, xMax)},
                               {std::min(yMin, yMax), std::max(yMin, yMax)}};
  for (std::size_t a = 0; a < 2; ++a) {
    TGraphAxis& axis = FChart.Axes[a];
    const double lo = bounds[a][0];
    const double hi = bounds[a][1];
    if (axis.Logarithmic && !(lo > 0.0)) continue;
    if (!(hi > lo)) continue;
    axis.Minimum = lo;
    axis.Maximum = hi;
    axis.Increment = NiceStep(lo, hi);
    axis.MinorTickCount = MinorTicksForStep(axis.Increment);
    if (axis.Logarithmic) axis.LabelValues = LogLabelValues(lo, hi);
  }
  FChart.Zoomed = true;
  Changed();
}

// ---- building ----

void TChartEngine::Rebuild(int flags)
{
  try {
    if (FBuilder) FBuilder(*this, flags);
    FDrawn = true;
  } catch (const ESilentAbort&) {
    FDrawn = false;
    if (OnClose) OnClose();
    throw;
  }
  if (flags & rfRanges) FChart.Zoomed = false;
  Changed();
}

void TChartEngine::UndoZoom()
{
  Rebuild(rfRanges);
}

void TChartEngine::HandleNotice(TObjectMessage message, const TNamedObject* sender, int flags)
{
  const bool ours = std::find(FDataObjects.begin(), FDataObjects.end(), sender) != FDataObjects.end();
  if (message == TObjectMessage::Destroyed) {
    if (ours && OnClose) OnClose();
    return;
  }
  if (ours || (flags & rfAlways)) Rebuild(flags);
}

}  // namespace umbrinex
