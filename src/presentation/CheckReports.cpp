#include "presentation/CheckReports.h"

#include "bend/Accuracy.h"
#include "bend/Bend.h"
#include "bend/BendStiffener.h"
#include "bend/ConvergedResults.h"
#include "bend/DesignCheck.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "presentation/ReportSupport.h"

namespace umbrinex {

namespace {

constexpr auto Right = THorizontalAlignment::Right;

// Figures shown: ratios and radii to four decimals, as the design chart's
// base ratio is quoted; errors in per cent to three.
constexpr int RatioDigits = 4;
constexpr int LengthDigits = 4;
constexpr int PercentDigits = 3;

// Text columns are headed on the left, number columns on the right.
struct TColumn {
  const char* Caption;
  bool Text = false;
};

void Headings(TExportTable& table, const std::vector<TColumn>& columns)
{
  table.SetColumnCount(static_cast<int>(columns.size()));
  for (int col = 0; col < table.ColumnCount(); ++col) {
    const TColumn& column = columns[static_cast<std::size_t>(col)];
    table.AddHeading(column.Caption, 0, col, col, column.Text ? THorizontalAlignment::Left : Right);
  }
}

// Lines of text, each running on over the empty cells to its right, so
// they leave the first column as wide as the tables make it.
void Lines(const TBend& bend, TSpreadSheet& sheet, const std::vector<std::string>& lines, int boldLine = -1)
{
  const int width = sheet.ColumnWidth(1);
  TExportTable table;
  table.SetColumnCount(1);
  for (const std::string& line : lines) table.AddRow({line});
  if (boldLine >= 0) table.SetCellBold(boldLine, 0, true);
  WriteReportTable(table, bend, sheet);
  sheet.SetColumnWidth(1, width);
}

void Title(const TBend& bend, TSpreadSheet& sheet, const std::string& title)
{
  Lines(bend, sheet, {title}, 0);
}

std::string Number(double value, int digits)
{
  return FormatGeneral(value, digits);
}

void CheckRow(TExportTable& table, const TDesignCheckCase& c)
{
  if (c.State < 0) {
    table.AddRow({c.LoadCase + 1, "none", {}, {}, {}, c.ABR, {}, CheckResultText(c.Result)});
    return;
  }
  table.AddRow({c.LoadCase + 1, StateName(c.State), c.MinBendRadius, c.Position, c.OnCable ? "cable" : "stiffener",
                c.ABR, c.Ratio, CheckResultText(c.Result)});
}

void VerdictLines(const TBend& bend, const TDesignCheck& check, TSpreadSheet& sheet)
{
  std::vector<std::string> lines;
  if (const TDesignCheckCase* governing = check.GoverningCase())
    lines.push_back(Format("Governing: %s, MBR/ABR %.4f", CheckCaseText(*governing).c_str(), governing->Ratio));
  lines.push_back(std::string("Verdict: ") + CheckResultText(check.Verdict));
  const int verdictLine = static_cast<int>(lines.size()) - 1;
  lines.insert(lines.end(), check.Warnings.begin(), check.Warnings.end());
  Lines(bend, sheet, lines, verdictLine);
}

std::string IntervalsText(double stiffener, double cable)
{
  return "stiffener " + Number(stiffener, 6) + " LL, cable " + Number(cable, 6) + " LL";
}

std::string StationsText(const TStationCounts& stations)
{
  return Format("%d stations on the stiffener, %d on the cable", stations.Stiffener, stations.Cable);
}

void EstimateRows(TExportTable& table, int loadCase, const TStateAccuracy& s)
{
  const struct {
    const char* Caption;
    const TErrorEstimate& Estimate;
  } rows[] = {{"Root Moment (FF.LL)", s.RootMoment},
              {"Root Shear (FF)", s.RootShear},
              {"Min. Bend Radius (LL)", s.MinBendRadius}};
  for (const auto& row : rows) {
    const double error = row.Estimate.RelativeError;
    table.AddRow({loadCase + 1, StateName(s.State), row.Caption, row.Estimate.Value, row.Estimate.Extrapolated,
                  error == Undefined ? TVariant(error) : TVariant(100.0 * error)});
  }
}

}  // namespace

std::string CheckCaseText(const TDesignCheckCase& c)
{
  if (c.State < 0) return Format("Load Case %d", c.LoadCase + 1);
  return Format("Load Case %d, %s", c.LoadCase + 1, StateName(c.State).c_str());
}

std::string VerdictText(const TDesignCheck& check)
{
  const TDesignCheckCase* governing = check.GoverningCase();
  if (governing == nullptr) return "NOT CHECKED.  No load case includes a state.";
  return Format("%s.  The smallest MBR/ABR is %.4f, in %s.", CheckResultText(check.Verdict), governing->Ratio,
                CheckCaseText(*governing).c_str());
}

void WriteDesignCheck(const TBend& bend, const TDesignCheck& check, TSpreadSheet& sheet, const std::string& title)
{
  Title(bend, sheet, title);
  TExportTable table;
  Headings(table, {{"Load Case"},
                   {"State", true},
                   {"Min. Bend Radius (LL)"},
                   {"Position (LL)"},
                   {"On", true},
                   {"ABR (LL)"},
                   {"MBR/ABR"},
                   {"Result", true}});
  table.SetColumnDigits(2, LengthDigits);
  table.SetColumnDigits(3, LengthDigits);
  table.SetColumnDigits(5, LengthDigits);
  table.SetColumnDigits(6, RatioDigits);
  for (const TDesignCheckCase& c : check.Cases) CheckRow(table, c);
  if (check.Governing >= 0) table.SetCellFill(check.Governing, 6, HighlightFill);
  WriteReportTable(table, bend, sheet);
  VerdictLines(bend, check, sheet);
}

void WriteAccuracy(const TBend& bend, const TDesignCheck& check, const TAccuracy& accuracy, TSpreadSheet& sheet)
{
  Title(bend, sheet, "Discretisation Error");
  // The steps the solutions took, which an interval longer than its segment
  // is not.
  std::string stations = "Station steps: " + IntervalsText(StiffenerStep(bend, 0), CableStep(bend, 0)) + " (" +
                         StationsText(accuracy.Coarse) + "); ";
  if (accuracy.Fine.Stiffener > 0)
    stations += "estimated from a second solution at half of them (" + StationsText(accuracy.Fine) +
                "; the stepping is of order one).";
  else
    stations += "no second solution at half of them.";
  Lines(bend, sheet, {stations});

  TExportTable table;
  Headings(table,
           {{"Load Case"}, {"State", true}, {"Quantity", true}, {"Value"}, {"Extrapolated"}, {"Rel. Error (%)"}});
  table.SetColumnDigits(3, 6);
  table.SetColumnDigits(4, 6);
  table.SetColumnDigits(5, PercentDigits);
  for (const TLoadCaseAccuracy& c : accuracy.LoadCases)
    for (const TStateAccuracy& s : c.States) EstimateRows(table, c.LoadCase, s);
  WriteReportTable(table, bend, sheet);

  std::vector<std::string> lines;
  const double error = GoverningRatioError(check, accuracy);
  if (error != Undefined)
    lines.push_back(Format("Governing MBR/ABR (%s): estimated relative error %.3f %%.",
                           CheckCaseText(*check.GoverningCase()).c_str(), 100.0 * error));
  const std::string warning = AccuracyWarning(check, accuracy);
  if (!warning.empty()) lines.push_back(warning);
  if (!lines.empty()) Lines(bend, sheet, lines, warning.empty() ? -1 : static_cast<int>(lines.size()) - 1);
}

void WriteConverged(const TBend& bend, const TConvergedResults& converged, TSpreadSheet& sheet)
{
  Title(bend, sheet, "Converged Results");
  std::vector<std::string> lines = {
      Format("%s after %d halvings of the station intervals, the finest %s (%s).",
             converged.Converged ? "Converged" : "Not converged", converged.Halvings,
             IntervalsText(converged.StiffenerInterval, converged.CableInterval).c_str(),
             StationsText(converged.Stations).c_str()),
      "Largest relative change of the extrapolated root moments at the last halving: " + Number(converged.Change, 3) +
          " (tolerance " + Number(converged.Tolerance, 3) + ")."};
  if (!converged.NotRefined.empty())
    lines.push_back("WARNING.  " + converged.NotRefined +
                    (converged.Halvings == 0 ? "  The values below are the design's own, not "
                                               "freed of the discretisation error."
                                             : "  The values below are the best extrapolation "
                                               "reached before it."));
  else if (!converged.Converged)
    lines.push_back(
        "WARNING.  The station limit came before the tolerance: the values below are the best "
        "extrapolation reached.");
  Lines(bend, sheet, lines, converged.Converged ? -1 : 2);

  TExportTable table;
  Headings(table,
           {{"Load Case"}, {"State", true}, {"Root Moment (FF.LL)"}, {"Root Shear (FF)"}, {"Min. Bend Radius (LL)"}});
  for (int col = 2; col <= 4; ++col) table.SetColumnDigits(col, 6);
  for (const TStateSummary& s : converged.States)
    table.AddRow({s.LoadCase + 1, StateName(s.State), s.RootMoment, s.RootShear, s.MinBendRadius});
  WriteReportTable(table, bend, sheet);
  WriteDesignCheck(bend, CheckDesign(bend, converged.States), sheet, "Design Check of the Converged Results");
}

}  // namespace umbrinex
