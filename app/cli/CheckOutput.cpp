// The design check, the discretisation error and the converged results, as
// text sections and as JSON. The design check and the error estimate share
// the solution at the design's own intervals.

#include <optional>

#include "bend/Accuracy.h"
#include "bend/Bend.h"
#include "bend/ConvergedResults.h"
#include "bend/DesignCheck.h"
#include "cli/Cli.h"
#include "presentation/CheckReports.h"
#include "presentation/Workbook.h"

namespace umbrinex {

namespace {

using TJson = nlohmann::ordered_json;

// The solutions of one run, each made once, when first needed.
class TCheckSolutions {
 public:
  explicit TCheckSolutions(TBend& bend) : FBend(bend) {}

  const TDesignCheck& Check()
  {
    if (!FCheck) FCheck = CheckDesign(FBend, Coarse());
    return *FCheck;
  }
  const TAccuracy& Accuracy()
  {
    if (!FAccuracy) FAccuracy = EstimateAccuracy(FBend, Coarse());
    return *FAccuracy;
  }

 private:
  const std::vector<TStateSummary>& Coarse()
  {
    if (!FCoarse) FCoarse = SolveIncludedStates(FBend, 0);
    return *FCoarse;
  }

  TBend& FBend;
  std::optional<std::vector<TStateSummary>> FCoarse;
  std::optional<TDesignCheck> FCheck;
  std::optional<TAccuracy> FAccuracy;
};

TJson CheckCaseJson(const TDesignCheckCase& c)
{
  const bool checked = c.State >= 0;
  auto value = [&](double x) { return checked ? JsonNumber(x) : TJson(nullptr); };
  return {{"load_case", c.LoadCase + 1},
          {"state", checked ? TJson(c.State + 1) : TJson(nullptr)},
          {"min_bend_radius", value(c.MinBendRadius)},
          {"position", value(c.Position)},
          {"on", checked ? TJson(c.OnCable ? "cable" : "stiffener") : TJson(nullptr)},
          {"abr", JsonNumber(c.ABR)},
          {"ratio", value(c.Ratio)},
          {"result", CheckResultText(c.Result)}};
}

TJson EstimateJson(const TErrorEstimate& e)
{
  return {{"value", JsonNumber(e.Value)},
          {"extrapolated", JsonNumber(e.Extrapolated)},
          {"relative_error", JsonNumber(e.RelativeError)}};
}

TJson StationsJson(const TStationCounts& stations)
{
  return {{"stiffener", stations.Stiffener}, {"cable", stations.Cable}};
}

// One report written on a workbook of its own and printed as text; the
// sheet is named after the report's title, which is then not repeated.
template <typename TWrite>
std::string ReportText(const char* title, TWrite write)
{
  TWorkbook workbook;
  TSpreadSheet sheet(workbook);
  sheet.NameSheet(title);
  write(sheet);
  return WorkbookReportText(workbook);
}

}  // namespace

nlohmann::ordered_json DesignCheckJson(const TDesignCheck& check)
{
  TJson cases = TJson::array();
  for (const TDesignCheckCase& c : check.Cases) cases.push_back(CheckCaseJson(c));
  TJson governing = nullptr;
  if (const TDesignCheckCase* g = check.GoverningCase())
    governing = {{"load_case", g->LoadCase + 1}, {"state", g->State + 1}, {"ratio", JsonNumber(g->Ratio)}};
  return {{"verdict", CheckResultText(check.Verdict)},
          {"governing", std::move(governing)},
          {"cases", std::move(cases)},
          {"warnings", check.Warnings}};
}

nlohmann::ordered_json AccuracyJson(const TDesignCheck& check, const TAccuracy& accuracy)
{
  TJson cases = TJson::array();
  for (const TLoadCaseAccuracy& c : accuracy.LoadCases) {
    TJson states = TJson::array();
    for (const TStateAccuracy& s : c.States)
      states.push_back({{"state", s.State + 1},
                        {"root_moment", EstimateJson(s.RootMoment)},
                        {"root_shear", EstimateJson(s.RootShear)},
                        {"min_bend_radius", EstimateJson(s.MinBendRadius)}});
    cases.push_back({{"number", c.LoadCase + 1}, {"states", std::move(states)}});
  }
  TJson warnings = TJson::array();
  if (const std::string warning = AccuracyWarning(check, accuracy); !warning.empty()) warnings.push_back(warning);
  const double error = GoverningRatioError(check, accuracy);
  return {{"stations", StationsJson(accuracy.Coarse)},
          {"half_step_stations", accuracy.Fine.Stiffener > 0 ? StationsJson(accuracy.Fine) : TJson(nullptr)},
          {"load_cases", std::move(cases)},
          {"governing_ratio_error", error == Undefined ? TJson(nullptr) : JsonNumber(error)},
          {"warnings", std::move(warnings)}};
}

nlohmann::ordered_json ConvergedJson(const TBend& bend, const TConvergedResults& converged)
{
  TJson cases = TJson::array();
  for (int i = 0; i < bend.LoadCaseCount(); ++i) {
    TJson states = TJson::array();
    for (const TStateSummary& s : converged.States)
      if (s.LoadCase == i)
        states.push_back({{"state", s.State + 1},
                          {"root_moment", JsonNumber(s.RootMoment)},
                          {"root_shear", JsonNumber(s.RootShear)},
                          {"min_bend_radius", JsonNumber(s.MinBendRadius)}});
    cases.push_back({{"number", i + 1}, {"states", std::move(states)}});
  }
  return {{"converged", converged.Converged},
          {"halvings", converged.Halvings},
          {"station_interval", JsonNumber(converged.StiffenerInterval)},
          {"cable_station_interval", JsonNumber(converged.CableInterval)},
          {"stations", StationsJson(converged.Stations)},
          {"not_refined", converged.NotRefined.empty() ? TJson(nullptr) : TJson(converged.NotRefined)},
          {"change", JsonNumber(converged.Change)},
          {"tolerance", JsonNumber(converged.Tolerance)},
          {"load_cases", std::move(cases)},
          {"design_check", DesignCheckJson(CheckDesign(bend, converged.States))}};
}

void AddCheckJson(TBend& bend, const TReportChoice& choice, nlohmann::ordered_json& json)
{
  TCheckSolutions solutions(bend);
  if (choice.Key || !choice.Any()) json["design_check"] = DesignCheckJson(solutions.Check());
  if (choice.Accuracy) json["accuracy"] = AccuracyJson(solutions.Check(), solutions.Accuracy());
  if (choice.Converged) json["converged"] = ConvergedJson(bend, SolveConverged(bend, choice.Tolerance));
}

std::string DesignCheckText(TBend& bend)
{
  const TDesignCheck check = CheckDesign(bend);
  return ReportText("Design Check", [&](TSpreadSheet& sheet) { WriteDesignCheck(bend, check, sheet); });
}

std::string AccuracyAndConvergedText(TBend& bend, const TReportChoice& choice)
{
  std::string text;
  if (choice.Accuracy) {
    TCheckSolutions solutions(bend);
    text += ReportText("Discretisation Error", [&](TSpreadSheet& sheet) {
      WriteAccuracy(bend, solutions.Check(), solutions.Accuracy(), sheet);
    });
  }
  if (choice.Converged) {
    if (!text.empty()) text += '\n';
    const TConvergedResults converged = SolveConverged(bend, choice.Tolerance);
    text += ReportText("Converged Results", [&](TSpreadSheet& sheet) { WriteConverged(bend, converged, sheet); });
  }
  return text;
}

}  // namespace umbrinex
