// Results as JSON for scripts. States and load cases are numbered from 1 as
// users see them; the special values are their texts, as on the sheets.

#include <cmath>

#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "bend/KeyResults.h"
#include "bend/LoadCaseResults.h"
#include "bend/PerformanceChartResults.h"
#include "cli/Cli.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

nlohmann::ordered_json JsonNumber(double value)
{
  if (IsInfinite(value) || value == Undefined || IsDefault(value) || value == NotApplicable || !std::isfinite(value))
    return RealToText(value);
  return value;
}

std::string JsonText(const nlohmann::ordered_json& json)
{
  // The dump escapes only the C0 controls. The others can stand only inside
  // strings, where \uXXXX is their JSON form.
  return EscapeSteeringCharacters(json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
}

namespace {

using TJson = nlohmann::ordered_json;

TJson Number(double value)
{
  return JsonNumber(value);
}

TJson KeyEvent(const TKeyResults& results, const TKeyEvent& event)
{
  if (!results.HasEvents()) return nullptr;
  return {{"state", event.StateNumber + 1},
          {"load_case", event.LoadCaseNumber + 1},
          {"root_moment", Number(event.RootMoment)},
          {"root_shear", Number(event.RootShear)}};
}

TJson KeyResultsJson(TKeyResults& results)
{
  results.EnsureCalculated();
  // The volume the key results report prints, of the stiffener at the
  // design's stations.
  return {{"max_root_moment", KeyEvent(results, results.FMaxRootMomentEvent)},
          {"max_root_shear", KeyEvent(results, results.FMaxRootShearEvent)},
          {"volume", Number(results.Owner().LoadCaseResults().Solution(0).Volume())}};
}

template <typename TValueOf>
TJson StationArray(const TBendStiffener& solution, TValueOf valueOf)
{
  TJson values = TJson::array();
  for (int i = 1; i <= solution.NumOfStations(); ++i) values.push_back(Number(valueOf(i)));
  return values;
}

TJson StationsJson(const TBendStiffener& s)
{
  const int n1 = s.NumOfStiffenerStations();
  // Beyond the stiffener there is no stiffener section to strain.
  auto strain = [&](int i, double value) { return i <= n1 ? value : 0.0; };
  return {{"n_stiffener_stations", n1},
          {"arc_length", StationArray(s, [&](int i) { return s.ArcLength(i); })},
          {"diameter", StationArray(s, [&](int i) { return s.Diameter(i); })},
          {"stiffness", StationArray(s, [&](int i) { return s.StiffenerEI(i); })},
          {"curvature", StationArray(s, [&](int i) { return s.C(i); })},
          {"moment", StationArray(s, [&](int i) { return s.M(i); })},
          {"shear", StationArray(s, [&](int i) { return s.Shear(i); })},
          {"tensile_strain", StationArray(s, [&](int i) { return strain(i, s.MaxTensileStrain(i)); })},
          {"compressive_strain", StationArray(s, [&](int i) { return strain(i, s.MaxCompressiveStrain(i)); })},
          {"theta", StationArray(s, [&](int i) { return s.Theta(i); })},
          {"x", StationArray(s, [&](int i) { return s.X(i); })},
          {"y", StationArray(s, [&](int i) { return s.Y(i); })}};
}

TJson StateJson(const TBendStiffener& solution, int state, bool withStations)
{
  double maxCurvature = 0.0;
  for (int i = 1; i <= solution.NumOfStations(); ++i) maxCurvature = std::max(maxCurvature, std::fabs(solution.C(i)));
  TJson json = {{"state", state + 1},
                {"root_moment", Number(solution.M(1))},
                {"root_shear", Number(solution.Shear(1))},
                {"max_curvature", Number(maxCurvature)},
                {"min_bend_radius", Number(SafeDivide(1.0, maxCurvature))}};
  if (withStations) json["stations"] = StationsJson(solution);
  return json;
}

// Every load case; the chosen one (1-based, 0 for none) with its stations.
TJson LoadCasesJson(TBend& bend, int chosen)
{
  TJson cases = TJson::array();
  TLoadCaseResults& results = bend.LoadCaseResults();
  for (int i = 0; i < bend.LoadCaseCount(); ++i) {
    TJson states = TJson::array();
    if (bend.AnyStateIncluded(i)) {
      results.SetLoadCase(i);
      for (int state = 0; state < StateCount; ++state)
        if (bend.StateIncluded(i, state)) states.push_back(StateJson(results.Solution(state), state, i + 1 == chosen));
    }
    cases.push_back({{"number", i + 1},
                     {"tension", Number(bend.LoadCaseTension(i))},
                     {"angle", Number(bend.LoadCaseAngle(i))},
                     {"abr", Number(bend.LoadCaseABR(i))},
                     {"states", std::move(states)}});
  }
  return cases;
}

TJson DesignChartJson(TDesignChartResults& results)
{
  results.EnsureCalculated();
  TJson factors = TJson::array();
  for (const TDesignChartEntry& entry : results.FDesignChartValues) {
    TJson points = TJson::array();
    const TTable& values = *entry.Values;
    for (int g = 0; g < values.RowCount(); ++g)
      points.push_back({{"length_factor", Number(values.Cell(g, dcLengthFactor))},
                        {"mbr_abr", Number(values.Cell(g, dcRatio))},
                        {"position", Number(values.Cell(g, dcPosition))},
                        {"load_case", std::lround(values.Cell(g, dcLoadCase)) + 1}});
    factors.push_back({{"stiffness_factor", Number(entry.KFactor)},
                       {"root_diameter", Number(entry.DRoot)},
                       {"points", std::move(points)}});
  }
  return {{"base_ratio", Number(results.BaseRatio)}, {"factors", std::move(factors)}};
}

TJson PerformanceChartJson(TPerformanceChartResults& results)
{
  results.EnsureCalculated();
  TJson rows = TJson::array();
  const TTable& limits = results.FPerformanceLimits();
  for (int a = 0; a < limits.RowCount(); ++a)
    rows.push_back(
        {{"tension", Number(limits.Cell(a, pcTension))}, {"angle_limit", Number(limits.Cell(a, pcAngleLimit))}});
  return rows;
}

}  // namespace

nlohmann::ordered_json ResultsJson(TBend& bend, const TReportChoice& choice)
{
  TJson json = TJson::object();
  const bool key = choice.Key || !choice.Any();
  if (key) json["key_results"] = KeyResultsJson(bend.KeyResults());
  if (key || choice.LoadCase > 0) json["load_cases"] = LoadCasesJson(bend, choice.LoadCase);
  if (choice.DesignChart) json["design_chart"] = DesignChartJson(bend.DesignChartResults());
  if (choice.PerformanceChart) json["performance_chart"] = PerformanceChartJson(bend.PerformanceChartResults());
  AddCheckJson(bend, choice, json);
  return json;
}

}  // namespace umbrinex
