#pragma once
// The chart engine sits between a graph builder and the drawing: it keeps
// the curves, decides the axis ranges, increments and ticks, collects the
// data extents (infinite values stand at ±1e200 and never widen a range),
// and calls its builder when the graph must be built again.
//
// TChart holds everything the drawing shows besides the curves (axes,
// reference lines, points, legend, colours). It is a plain value, so a copy
// taken before a change is all it takes to restore the display (Cancel in
// the properties dialog).

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "charts/ChartItems.h"
#include "charts/Curve.h"
#include "charts/GraphAxis.h"
#include "framework/data/NamedObjects.h"

namespace umbrinex {

class TNotifier;

// Request flags of a builder call; a new graph asks for titles, data and
// ranges together.
enum TRequestFlags : int {
  rfAlways = 1,  // in a change notice: rebuild whatever the notice is about
  rfTitles = 2,
  rfData = 4,
  rfRanges = 8,
  rfAll = rfTitles | rfData | rfRanges,
  rfAddPoints = 16,  // the performance map adds points to those it has
};

// Points plotted for infinite values, and the bounds of an empty extent.
inline constexpr double PlotInfinity = 1e200;
inline constexpr double NoDataMinimum = 1e307;

struct TChart {
  TChart();

  std::array<TGraphAxis, 2> Axes;
  TInterceptList Intercepts;
  std::vector<TChartPoint> Points;
  // Title of copies, prints and files.
  std::string HeaderText;
  bool Monochrome = false;
  bool Zoomed = false;
  bool HideLegendWithFewerThanTwoCurves = false;
  bool OfferLegendPage = true;
  bool OfferInterceptsPage = true;
  TColour BackColour = clWindow;
  TColour PanelColour = clButtonFace;
  int AxisPenWidth = 1;
  int FramePenWidth = 1;
  int LegendAlignment = laRight;
  bool LegendVisible = true;
  TFontSetting LegendFont;
};

class TChartEngine {
 public:
  using TBuilder = std::function<void(TChartEngine&, int flags)>;

  // The data objects are those whose change and deletion notices concern
  // the graph (here the bend model).
  explicit TChartEngine(TBuilder builder = {}, std::vector<TNamedObject*> dataObjects = {});
  ~TChartEngine();
  TChartEngine(const TChartEngine&) = delete;
  TChartEngine& operator=(const TChartEngine&) = delete;

  TChart& Chart() { return FChart; }
  const TChart& Chart() const { return FChart; }

  // ---- curves ----
  // A curve with a preference takes its style and follows it; one without
  // takes a solid pen in the next colour of the palette.
  TCurve& AddCurve(TCurveKind kind = TCurveKind::Plain, const TCurveStyle* preference = nullptr);
  void DeleteCurve(int index);
  int CurveCount() const { return static_cast<int>(FCurves.size()); }
  TCurve& Curve(int index) { return *FCurves.at(static_cast<std::size_t>(index)); }
  const TCurve& Curve(int index) const { return *FCurves.at(static_cast<std::size_t>(index)); }
  // Deletes every curve and the points, and the status line about them.
  void ClearCurves();
  // The centre of band curves: the last reference curve, or nullptr.
  const TCurve* ReferenceCurve() const;

  // ---- points and reference lines ----
  std::vector<TChartPoint>& Points() { return FChart.Points; }
  TChartPoint& AddPoint(double x, double y);
  TInterceptList& Intercepts() { return FChart.Intercepts; }

  // ---- status line ----
  // What the graph leaves out and the user should know of, shown on a line
  // below the graph; empty when everything is shown. Cleared with the curves.
  const std::string& StatusText() const { return FStatusText; }
  void SetStatusText(std::string text) { FStatusText = std::move(text); }

  // ---- titles ----
  void SetAxisTitle(int axis, const std::string& text) { FChart.Axes[Checked(axis)].Title = text; }
  const std::string& AxisTitle(int axis) const { return FChart.Axes[Checked(axis)].Title; }
  void SetCaption(const std::string& text);
  const std::string& Caption() const { return FCaption; }

  // ---- ranges ----
  // Undefined for any of the three means automatic: from the data extent,
  // rounded out to the increment, which is the nice step of the range.
  void SetAxisRange(int axis, double increment, double minimum, double maximum);
  double DataMinimum(int axis) const { return FDataMin[Checked(axis)]; }
  double DataMaximum(int axis) const { return FDataMax[Checked(axis)]; }
  // Pushes the curve values into their series and updates the data extents;
  // without fullRescan only points beyond those already pushed are added.
  void Refresh(bool fullRescan = true);
  // The legend is hidden while the graph asks for it with fewer than two
  // curves; otherwise it follows the user's setting.
  void ApplyLegendRule();

  // ---- building ----
  // Calls the builder. A cancelled build leaves an incomplete graph: the
  // engine is marked not drawn, the window is closed and the abort passes on.
  void Rebuild(int flags);
  void UndoZoom();
  // The user zoomed to this rectangle in data values.
  void Zoom(double xMin, double xMax, double yMin, double yMax);
  bool Drawn() const { return FDrawn; }

  // A notice from the object bus: a deleted data object closes the graph; a
  // change of one (or any change with rfAlways) rebuilds with its flags.
  void HandleNotice(TObjectMessage message, const TNamedObject* sender, int flags);
  // Curves that follow a curve style take it again.
  void ApplyCurvePreferences();
  // The graph follows the user's fonts and curve styles as they change.
  void SettingsChanged(TGraphSettingsChange change);

  // Told after every refresh, rebuild or display change: the widget repaints.
  std::function<void()> OnChanged;
  // Told after every Refresh.
  std::function<void()> OnDataChanged;
  // The graph is to close (its window goes).
  std::function<void()> OnClose;
  std::function<void(const std::string&)> OnCaptionChanged;
  void Changed() const
  {
    if (OnChanged) OnChanged();
  }

 private:
  static std::size_t Checked(int axis) { return axis == 0 ? 0 : 1; }
  void Extend(int axis, double v);
  void PushCurve(TCurve& curve, bool fullRescan);

  TChart FChart;
  std::vector<std::unique_ptr<TCurve>> FCurves;
  std::array<double, 2> FDataMin{NoDataMinimum, NoDataMinimum};
  std::array<double, 2> FDataMax{-NoDataMinimum, -NoDataMinimum};
  std::string FCaption;
  std::string FStatusText;
  TBuilder FBuilder;
  std::vector<TNamedObject*> FDataObjects;
  std::unique_ptr<TNotifier> FNotifier;
  int FSettingsListener = 0;
  int FNextColour = 0;
  bool FDrawn = false;
};

// The colours given in turn to curves without a curve style.
TColour PaletteColour(int index);

}  // namespace umbrinex
