#include "charts/ResultsGraphs.h"

#include <chrono>
#include <cmath>
#include <random>

#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "bend/LoadCaseResults.h"
#include "bend/PerformanceChartResults.h"
#include "bend/PerformanceMapSamples.h"
#include "framework/data/BusyCursor.h"
#include "framework/data/Progress.h"
#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

namespace {

const std::string StateNames[StateCount] = {"State 1", "State 2"};

void SetTitles(const TBend& bend, TChartEngine& engine, const std::string& x, const std::string& y)
{
  engine.SetAxisTitle(0, bend.Units().ExpandUnitNames(x));
  engine.SetAxisTitle(1, bend.Units().ExpandUnitNames(y));
}

void AutomaticRanges(TChartEngine& engine)
{
  engine.SetAxisRange(0, Undefined, Undefined, Undefined);
  engine.SetAxisRange(1, Undefined, Undefined, Undefined);
}

const TCurveStyle* StateStyle(int state)
{
  return &GraphSettings().StateCurves[static_cast<std::size_t>(state)];
}

void AddTipMarker(TChartEngine& engine, double x, double y, TColour colour)
{
  TChartPoint& tip = engine.AddPoint(x, y);
  tip.Style = TPointStyle::Diamond;
  tip.Size = 3;
  tip.Colour = colour;
}

// One curve of a station quantity over stations first..last.
template <typename Value>
TCurve& AddStationCurve(TChartEngine& engine, const std::string& name, const TCurveStyle* style, bool shareX, int first,
                        int last, Value&& value)
{
  TCurve& curve = engine.AddCurve(TCurveKind::Plain, style);
  curve.Name = name;
  const int n = std::max(0, last - first + 1);
  curve.SetPointCount(n, shareX);
  for (int k = 0; k < n; ++k) {
    const auto [x, y] = value(first + k);
    curve.SetPoint(k, x, y);
  }
  return curve;
}

// ---- load case graphs ----

enum class TLoadCaseQuantity { Curvature, Deflection, Strain };

void AddStateCurves(TChartEngine& engine, const TBendStiffener& solution, int state, TLoadCaseQuantity quantity)
{
  const TCurveStyle* style = StateStyle(state);
  const int n = solution.NumOfStations();
  const int tip = solution.NumOfStiffenerStations();
  const std::string& name = StateNames[state];
  switch (quantity) {
    case TLoadCaseQuantity::Curvature:
      AddStationCurve(engine, name, style, true, 1, n, [&](int i) {
        return std::pair{solution.ArcLength(i), solution.C(i)};
      });
      AddTipMarker(engine, solution.ArcLength(tip), solution.C(tip), style->Colour);
      break;
    case TLoadCaseQuantity::Deflection:
      AddStationCurve(engine, name, style, false, 1, n, [&](int i) { return std::pair{solution.X(i), solution.Y(i)}; });
      AddTipMarker(engine, solution.X(tip), solution.Y(tip), style->Colour);
      break;
    case TLoadCaseQuantity::Strain:
      AddStationCurve(engine, name + ", compressive", style, true, 1, tip, [&](int i) {
        return std::pair{solution.ArcLength(i), solution.MaxCompressiveStrain(i)};
      });
      AddTipMarker(engine, solution.ArcLength(tip), solution.MaxCompressiveStrain(tip), style->Colour);
      AddStationCurve(engine, name + ", tensile", style, true, 1, tip, [&](int i) {
        return std::pair{solution.ArcLength(i), solution.MaxTensileStrain(i)};
      });
      AddTipMarker(engine, solution.ArcLength(tip), solution.MaxTensileStrain(tip), style->Colour);
      break;
  }
}

// The curvature chart's line at 1/ABR of the selected load case; a zero ABR
// puts it at Infinity, at the top edge of the plot.
void SetAbrLine(const TBend& bend, TChartEngine& engine)
{
  TInterceptList& lines = engine.Intercepts();
  TIntercept& line = lines.Count() > 0 ? lines.Item(0) : lines.Add();
  line.Axis = 1;
  line.Value = SafeDivide(1.0, bend.LoadCaseABR(bend.SelectedLoadCase()));
  line.Label = "ABR";
  line.Colour = clMagenta;
  line.Active = true;
  line.IncludeInRange = true;
}

void LoadCaseGraph(TBend& bend, TChartEngine& engine, int flags, TLoadCaseQuantity quantity)
{
  CheckLoadCaseCanBeDisplayed(bend);
  if (flags & rfTitles) {
    static const char* const titles[3][2] = {
        {"Arc Length (LL)", "Curvature (LL^{-1})  "}, {"X (LL)", "Y (LL)  "}, {"Arc Length (LL)", "Max. Strain  "}};
    const auto& pair = titles[static_cast<int>(quantity)];
    SetTitles(bend, engine, pair[0], pair[1] + bend.SelectedLoadCaseCaption());
  }
  if (flags & rfData) {
    engine.ClearCurves();
    {
      TBusyCursor busy;
      TLoadCaseResults& results = bend.LoadCaseResults();
      const int loadCase = bend.SelectedLoadCase();
      results.SetLoadCase(loadCase);
      if (results.Status() == TResultsStatus::Calculated)
        for (int s = 0; s < StateCount; ++s)
          if (bend.StateIncluded(loadCase, s)) AddStateCurves(engine, results.Solution(s), s, quantity);
    }
    if (quantity == TLoadCaseQuantity::Curvature) SetAbrLine(bend, engine);
    engine.Refresh(true);
  }
  if (flags & rfRanges) {
    if (quantity == TLoadCaseQuantity::Curvature) {
      engine.SetAxisRange(0, Undefined, 0.0, bend.AnalysedLength());
      engine.SetAxisRange(1, Undefined, Undefined, Undefined);
    } else {
      AutomaticRanges(engine);
    }
  }
}

// ---- performance chart and map ----

void SetPerformanceTitles(const TBend& bend, TChartEngine& engine)
{
  SetTitles(bend, engine, "Angle (deg)", "Tension (FF)");
}

void SetPerformanceRanges(const TBend& bend, TChartEngine& engine)
{
  engine.SetAxisRange(0, Undefined, bend.AngleRanges().Min, bend.AngleRanges().Max);
  engine.SetAxisRange(1, Undefined, bend.TensionRanges().Min, bend.TensionRanges().Max);
}

// The status line of a performance graph when load cases lie beyond its
// ranges, where the user would otherwise look for them in vain.
std::string OutsideRangesText(const TBend& bend, const std::vector<int>& outside, bool allAboveTensions)
{
  if (outside.empty()) return {};
  const TUnits& units = bend.Units();
  const TRange& t = bend.TensionRanges();
  const TAngleRange& a = bend.AngleRanges();
  std::string cases;
  if (outside.size() == 1) {
    cases = bend.LoadCaseCaption(outside.front()) + " lies";
  } else {
    cases = "Load Cases ";
    for (std::size_t k = 0; k < outside.size(); ++k)
      cases += (k == 0 ? "" : k + 1 == outside.size() ? " and " : ", ") + std::to_string(outside[k] + 1);
    cases += " lie";
  }
  const std::string tensions = Format("%g to %g %s", t.Min, t.Max, units.ExpandUnitNames("FF").c_str());
  const std::string where = allAboveTensions ? " above the chart's tension range (" + tensions + ")"
                                             : " outside the chart's ranges (tensions " + tensions +
                                                   Format(", angles %g to %g deg)", a.Min, a.Max);
  return cases + where + (outside.size() == 1 ? " and is not shown." : " and are not shown.");
}

// A point per load case with a state, green when it keeps within 1/ABR.
void AddLoadCasePoints(TBend& bend, TChartEngine& engine)
{
  TLoadCaseResults& results = bend.LoadCaseResults();
  const TRange& t = bend.TensionRanges();
  const TAngleRange& a = bend.AngleRanges();
  std::vector<int> outside;
  bool allAboveTensions = true;
  for (int i = 0; i < bend.LoadCaseCount(); ++i) {
    if (!bend.AnyStateIncluded(i)) continue;
    results.SetLoadCase(i);
    if (results.Status() != TResultsStatus::Calculated) continue;
    const double angle = bend.LoadCaseAngle(i), tension = bend.LoadCaseTension(i);
    TChartPoint& point = engine.AddPoint(angle, tension);
    point.Size = 5;
    point.Colour = results.CurvatureWithin(SafeDivide(1.0, bend.LoadCaseABR(i))) ? clGreenPass : clRed;
    if (GraphSettings().ShowLoadCaseLabels) point.Label = Format("%d", i + 1);
    const bool angleInside = angle >= a.Min && angle <= a.Max;
    if (angleInside && tension >= t.Min && tension <= t.Max) continue;
    outside.push_back(i);
    allAboveTensions = allAboveTensions && angleInside && tension > t.Max;
  }
  engine.SetStatusText(OutsideRangesText(bend, outside, allAboveTensions));
}

// Samples ad hoc cases at random over the performance chart's ranges; a
// sample that fails to solve is left out, and a cancel keeps what is done.
void SamplePerformanceMap(TBend& bend, TChartEngine& engine)
{
  bend.SetPerformanceMapState(pmBuilt);
  AddLoadCasePoints(bend, engine);
  TBusyCursor busy;
  TProgress& progress = Progress();
  bend.StartProgress(PerformanceMapSamples);
  std::mt19937_64 random(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  std::string lastError;
  bool cancelled = false;
  try {
    lastError = umbrinex::SamplePerformanceMap(bend, PerformanceMapSamples, random, [&](const TMapSample& sample) {
      if (sample.Outcome != TSampleOutcome::Within && sample.Outcome != TSampleOutcome::Exceeds) return;
      TChartPoint& point = engine.AddPoint(sample.Angle, sample.Tension);
      point.Size = 2;
      const bool within = sample.Outcome == TSampleOutcome::Within;
      point.Style = within ? TPointStyle::Cross : TPointStyle::DiagonalCross;
      point.Colour = within ? clGreenPass : clRed;
    });
  } catch (const ESilentAbort&) {
    cancelled = true;
  }
  if (progress.Active()) progress.Stop();
  if (!cancelled && static_cast<int>(engine.Points().size()) <= bend.LoadCaseCount()) {
    bend.SetPerformanceMapState(pmFailed);
    throw EBendStiffenerError(lastError);
  }
}

}  // namespace

void CurvatureGraph(TBend& bend, TChartEngine& engine, int flags)
{
  LoadCaseGraph(bend, engine, flags, TLoadCaseQuantity::Curvature);
}

void DeflectionGraph(TBend& bend, TChartEngine& engine, int flags)
{
  LoadCaseGraph(bend, engine, flags, TLoadCaseQuantity::Deflection);
}

void StrainGraph(TBend& bend, TChartEngine& engine, int flags)
{
  LoadCaseGraph(bend, engine, flags, TLoadCaseQuantity::Strain);
}

void DesignChartGraph(TBend& bend, TChartEngine& engine, int flags)
{
  CheckDesignChartCanBeDisplayed(bend);
  if (flags & rfTitles) SetTitles(bend, engine, "Length Factor", "Rmin / ABR");
  TDesignChartResults& results = bend.DesignChartResults();
  if (flags & rfData) {
    engine.ClearCurves();
    // The lines are found again by their labels, so that rebuilding does
    // not pile up copies of them.
    for (const auto& [label, axis] : {std::pair{"Ratio=1", 1}, std::pair{"Factor=1", 0}}) {
      TIntercept* found = engine.Intercepts().Find(label);
      TIntercept& line = found ? *found : engine.Intercepts().Add();
      line.Axis = axis;
      line.Value = 1.0;
      line.Label = label;
      line.Colour = clMagenta;
      line.Active = true;
      line.IncludeInRange = true;
    }
    {
      TBusyCursor busy;
      results.EnsureCalculated();
    }
    if (results.Status() == TResultsStatus::Calculated) {
      // The heading of the legend's list: a name without a line.
      TCurve& heading = engine.AddCurve();
      heading.Name = "Kfac (Droot)";
      heading.Pen.Style = psClear;
      heading.SetPointCount(0, true);
      for (const TDesignChartEntry& entry : results.FDesignChartValues) {
        TCurve& curve = engine.AddCurve();
        curve.Name = Format("%.2f (%.3f)", entry.KFactor, entry.DRoot);
        if (std::fabs(entry.KFactor - 1.0) < 0.0001) curve.Pen.Width = 2;
        const TTable& values = *entry.Values;
        curve.SetPointCount(values.RowCount(), true);
        for (int g = 0; g < values.RowCount(); ++g)
          curve.SetPoint(g, values.Cell(g, dcLengthFactor), values.Cell(g, dcRatio));
      }
      TChartPoint& base = engine.AddPoint(1.0, results.BaseRatio);
      base.Size = 5;
      base.Colour = results.BaseRatio >= 1.0 ? clGreenPass : clRed;
    }
    engine.Refresh(true);
  }
  if (flags & rfRanges) {
    engine.SetAxisRange(0, Undefined, bend.LengthFactorRanges().Min, bend.LengthFactorRanges().Max);
    if (results.Status() == TResultsStatus::Calculated)
      engine.SetAxisRange(1, Undefined, Undefined, Undefined);
    else
      engine.SetAxisRange(1, Undefined, 0.0, 1.0);
  }
}

namespace {

// The geometry of both states without load: the diameter and stiffness
// graphs show the stiffener itself.
bool SolveUnloaded(TBend& bend)
{
  TBusyCursor busy;
  TLoadCaseResults& results = bend.LoadCaseResults();
  results.SetAdHoc(0.0, 0.0);
  return results.Status() == TResultsStatus::Calculated;
}

void AddStandardDiameters(TBend& bend, TChartEngine& engine)
{
  if (bend.StiffenerDefinition() != sdPowerLaw || !GraphSettings().ShowStandardDiameters) return;
  TStandardDiameters& profile = bend.StandardDiameters();
  profile.Compute(bend);
  const int m = profile.StandardPointCount;
  if (!bend.StandardDiametersValid() || m == 0) return;
  TCurve& curve = engine.AddCurve();
  curve.Name = "Standard Diameters";
  curve.SetPointCount(m, false);
  for (int k = 0; k < m; ++k) {
    const auto i = static_cast<std::size_t>(k);
    curve.SetPoint(k, profile.StandardPositions[i], profile.StandardDiameters[i]);
    // The end of each land carries its diameter.
    if (k == m - 1 || profile.StandardMouldIndices[i] != profile.StandardMouldIndices[i + 1]) {
      TChartPoint& point = engine.AddPoint(profile.StandardPositions[i], profile.StandardDiameters[i]);
      point.Style = TPointStyle::SmallDot;
      point.Size = 1;
      point.Colour = curve.Pen.Colour;
      point.Label = Format("%.3g", profile.StandardDiameters[i]);
    }
  }
}

}  // namespace

void DiameterGraph(TBend& bend, TChartEngine& engine, int flags)
{
  if (flags & rfTitles) SetTitles(bend, engine, "Arc Length (LL)", "Diameter (LL)");
  if (flags & rfData) {
    engine.ClearCurves();
    if (SolveUnloaded(bend)) {
      const TBendStiffener& solution = bend.LoadCaseResults().Solution(0);
      const std::string name =
          bend.StiffenerDefinition() == sdUserDefined ? "User Defined Diameter" : "Power Law Diameter";
      AddStationCurve(engine, name, nullptr, true, 1, solution.NumOfStations(), [&](int i) {
        return std::pair{solution.ArcLength(i), solution.Diameter(i)};
      });
      const int tip = solution.NumOfStiffenerStations();
      AddTipMarker(engine, solution.ArcLength(tip), solution.Diameter(tip), StateStyle(0)->Colour);
    }
    AddStandardDiameters(bend, engine);
    engine.Refresh(true);
  }
  if (flags & rfRanges) AutomaticRanges(engine);
}

void StiffnessGraph(TBend& bend, TChartEngine& engine, int flags)
{
  if (flags & rfTitles) SetTitles(bend, engine, "Arc Length (LL)", "Stiffness (FF.LL^2)");
  if (flags & rfData) {
    engine.ClearCurves();
    if (SolveUnloaded(bend))
      for (int s = 0; s < StateCount; ++s) {
        const TBendStiffener& solution = bend.LoadCaseResults().Solution(s);
        AddStationCurve(engine, StateNames[s], StateStyle(s), true, 1, solution.NumOfStations(), [&](int i) {
          return std::pair{solution.ArcLength(i), solution.StiffenerEI(i)};
        });
        const int tip = solution.NumOfStiffenerStations();
        AddTipMarker(engine, solution.ArcLength(tip), solution.StiffenerEI(tip), StateStyle(s)->Colour);
      }
    engine.Refresh(true);
  }
  if (flags & rfRanges) AutomaticRanges(engine);
}

void PerformanceChartGraph(TBend& bend, TChartEngine& engine, int flags)
{
  if (flags & rfTitles) SetPerformanceTitles(bend, engine);
  if (flags & rfData) {
    engine.ClearCurves();
    TCurve& limit = engine.AddCurve();
    limit.Name = "Angle Limit";
    TBusyCursor busy;
    AddLoadCasePoints(bend, engine);
    TPerformanceChartResults& results = bend.PerformanceChartResults();
    results.EnsureCalculated();
    if (results.Status() == TResultsStatus::Calculated) {
      const TTable& table = results.FPerformanceLimits();
      limit.SetPointCount(table.RowCount(), true);
      for (int a = 0; a < table.RowCount(); ++a)
        limit.SetPoint(a, table.Cell(a, pcAngleLimit), table.Cell(a, pcTension));
    }
    engine.Refresh(true);
  }
  if (flags & rfRanges) SetPerformanceRanges(bend, engine);
}

void PerformanceMapGraph(TBend& bend, TChartEngine& engine, int flags)
{
  if (flags & rfTitles) SetPerformanceTitles(bend, engine);
  if (flags & rfData) {
    const bool addPoints = (flags & rfAddPoints) || bend.AddingPerformancePoints();
    switch (bend.PerformanceMapState()) {
      case pmNotBuilt:
        engine.ClearCurves();
        SamplePerformanceMap(bend, engine);
        break;
      case pmFailed:
        engine.ClearCurves();
        break;
      default:
        if (addPoints) SamplePerformanceMap(bend, engine);
        break;
    }
    engine.Refresh(true);
  }
  if (flags & rfRanges) SetPerformanceRanges(bend, engine);
}

void AddPerformancePoints(TChartEngine& engine)
{
  engine.Rebuild(rfData | rfAddPoints);
}

void MaterialGraph(TBend& bend, TChartEngine& engine, int flags)
{
  auto* material = static_cast<TBendStiffenerMaterial*>(bend.Materials().CurrentItem());
  if (!material) return;
  const int state = material->CurrentState();
  const bool dimensional = material->StressSpecifier(state) == ssDimensional;
  if (flags & rfTitles) {
    engine.SetCaption(Format("Properties of material %s, state %d", material->Name().c_str(), state + 1));
    SetTitles(bend, engine, "Strain", dimensional ? "Stress (FF/LL^2)" : "Stress / E");
  }
  if (flags & rfData) {
    engine.ClearCurves();
    const TTable& table = material->Curve(state);
    TCurve& curve = engine.AddCurve();
    curve.Name = material->Name();
    curve.SetPointCount(table.RowCount(), true);
    for (int k = 0; k < table.RowCount(); ++k)
      curve.SetPoint(k, table.Cell(k, vnStrainColumn),
                     table.Cell(k, dimensional ? vnStressColumn : vnStressOverEColumn));
    engine.Refresh(true);
  }
  if (flags & rfRanges) AutomaticRanges(engine);
}

// ---- the graphs by name ----

namespace {
struct TGraphEntry {
  TResultsGraph Graph;
  const char* Name;
  void (*Builder)(TBend&, TChartEngine&, int);
};
constexpr TGraphEntry Graphs[] = {
    {TResultsGraph::Diameter, "Diameter", DiameterGraph},
    {TResultsGraph::Stiffness, "Stiffness", StiffnessGraph},
    {TResultsGraph::DesignChart, "Design Chart", DesignChartGraph},
    {TResultsGraph::PerformanceChart, "Performance Chart", PerformanceChartGraph},
    {TResultsGraph::PerformanceMap, "Performance Map", PerformanceMapGraph},
    {TResultsGraph::DeflectionChart, "Deflection Chart", DeflectionGraph},
    {TResultsGraph::CurvatureChart, "Curvature Chart", CurvatureGraph},
    {TResultsGraph::StrainChart, "Strain Chart", StrainGraph},
    {TResultsGraph::Material, "Material", MaterialGraph},
};
const TGraphEntry& Entry(TResultsGraph graph)
{
  return Graphs[static_cast<int>(graph)];
}
}  // namespace

std::string ResultsGraphName(TResultsGraph graph)
{
  return Entry(graph).Name;
}

std::optional<TResultsGraph> FindResultsGraph(const std::string& name)
{
  for (const TGraphEntry& entry : Graphs)
    if (name == entry.Name) return entry.Graph;
  return std::nullopt;
}

bool IsLoadCaseGraph(TResultsGraph graph)
{
  return graph == TResultsGraph::DeflectionChart || graph == TResultsGraph::CurvatureChart ||
         graph == TResultsGraph::StrainChart;
}

TChartEngine::TBuilder ResultsGraphBuilder(TBend& bend, TResultsGraph graph)
{
  auto* builder = Entry(graph).Builder;
  return [&bend, builder](TChartEngine& engine, int flags) { builder(bend, engine, flags); };
}

void ConfigureResultsGraph(TChartEngine& engine, TResultsGraph graph)
{
  TChart& chart = engine.Chart();
  chart.LegendAlignment = graph == TResultsGraph::DesignChart ? laRight : laTop;
  chart.HideLegendWithFewerThanTwoCurves =
      graph == TResultsGraph::PerformanceChart || graph == TResultsGraph::PerformanceMap;
  chart.OfferLegendPage = false;
  chart.OfferInterceptsPage = false;
  engine.SetCaption(graph == TResultsGraph::Material ? std::string() : ResultsGraphName(graph));
  engine.ApplyLegendRule();
}

}  // namespace umbrinex
