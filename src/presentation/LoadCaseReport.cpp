#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

#include "bend/Bend.h"
#include "bend/LoadCaseResults.h"
#include "framework/data/Units.h"
#include "numerics/ReservedDoubles.h"
#include "presentation/ReportSupport.h"
#include "presentation/Reports.h"

namespace umbrinex {

namespace {

struct TStationColumn {
  const char* Line1;
  const char* Line2;
  int Width;
  int Digits;
};

// A group of columns under one title, with a vertical line before it.
void AddBlock(TExportTable& table, const char* title, std::initializer_list<TStationColumn> columns)
{
  table.AddSeparatorHere();
  const int first = table.ColumnCount();
  for (const TStationColumn& column : columns) {
    const int col = table.ColumnCount();
    table.AddColumn();
    table.AddHeading(column.Line1, 1, col, col, THorizontalAlignment::Centre);
    if (*column.Line2 != '\0') table.AddHeading(column.Line2, 2, col, col, THorizontalAlignment::Centre);
    const int longest = std::max(
        {column.Width, static_cast<int>(std::strlen(column.Line1)), static_cast<int>(std::strlen(column.Line2))});
    table.SetColumnTextWidth(col, longest + 2);
    table.SetColumnDigits(col, column.Digits);
  }
  if (*title != '\0') table.AddHeading(title, 0, first, table.ColumnCount() - 1, THorizontalAlignment::Centre);
}

void StationColumns(TExportTable& table)
{
  AddBlock(table, "Arc", {{"Length", "(LL)", 6, 3}});
  AddBlock(table, "", {{"Diameter", "(LL)", 5, 3}});
  AddBlock(table, "", {{"Stiffness", "(FF.LL^2)", 7, 3}});
  AddBlock(table, "Bending", {{"Curvature", "(1/LL)", 5, 3}, {"Radius", "(LL)", 7, 3}, {"Moment", "(FF.LL)", 7, 3}});
  AddBlock(table, "Shear", {{"Force", "(FF)", 7, 3}});
  AddBlock(table, "Max. Strain", {{"Tensile", "", 7, 3}, {"Comp.", "", 7, 3}});
  AddBlock(table, "", {{"Alpha", "(deg)", 6, 2}});
  AddBlock(table, "Centre Line", {{"X", "(LL)", 6, 3}, {"Y", "(LL)", 6, 3}});
  AddBlock(table, "Upper Edge", {{"X", "(LL)", 6, 3}, {"Y", "(LL)", 6, 3}});
  AddBlock(table, "Lower Edge", {{"X", "(LL)", 6, 3}, {"Y", "(LL)", 6, 3}});
}

constexpr int StationColumnCount = 16;

std::array<double, StationColumnCount> StationValues(const TBendStiffener& solution, int i)
{
  const bool onStiffener = i <= solution.NumOfStiffenerStations();
  const double theta = solution.Theta(i);
  const double x = solution.X(i);
  const double y = solution.Y(i);
  const double halfD = solution.Diameter(i) / 2.0;
  // Alpha is the centre line's turn from the stiffener axis at the root
  // (theta is measured from the tension); the edges lie half a diameter
  // either side of the centre line, square to it.
  double alphaDegrees = theta;
  double upperX = Undefined, upperY = Undefined, lowerX = Undefined, lowerY = Undefined;
  if (!IsSpecial(theta)) {
    const double alpha = solution.Angle() - theta;
    alphaDegrees = alpha * 180.0 / std::numbers::pi;
    upperX = x - halfD * std::sin(alpha);
    upperY = y + halfD * std::cos(alpha);
    lowerX = x + halfD * std::sin(alpha);
    lowerY = y - halfD * std::cos(alpha);
  }
  return {solution.ArcLength(i),
          solution.Diameter(i),
          solution.StiffenerEI(i),
          solution.C(i),
          SafeDivide(1.0, solution.C(i)),
          solution.M(i),
          solution.Shear(i),
          onStiffener ? solution.MaxTensileStrain(i) : 0.0,
          onStiffener ? solution.MaxCompressiveStrain(i) : 0.0,
          alphaDegrees,
          x,
          y,
          upperX,
          upperY,
          lowerX,
          lowerY};
}

// Thins the stations to about one per output interval: a station is kept
// when the next one would lie farther from the target arc length. The root,
// both sides of the tip and the cable's end are always kept.
void StationRows(const TBendStiffener& solution, TExportTable& table)
{
  const TBend& bend = solution.Bend();
  const int n1 = solution.NumOfStiffenerStations();
  const int n = solution.NumOfStations();
  double spacing = bend.StiffenerOutputInterval();
  double target = 0.0;
  for (int i = 1; i <= n; ++i) {
    const bool always = i == 1 || i == n1 || i == n1 + 1 || i == n;
    const double s = solution.ArcLength(i);
    if (!always && !(std::fabs(s - target) < std::fabs(solution.ArcLength(i + 1) - target))) continue;
    const int row = table.RowCount();
    table.AddRow();
    const std::array<double, StationColumnCount> values = StationValues(solution, i);
    for (int col = 0; col < StationColumnCount; ++col) table.SetCell(row, col, values[static_cast<std::size_t>(col)]);
    if (i == n1) {
      spacing = bend.CableOutputInterval();
      table.AddBodyBorder(0, 0, table.RowCount() - 1, table.ColumnCount() - 1, BoxStyle);
    }
    target = s + spacing;
  }
}

}  // namespace

void StiffenerResultsTable(TBendStiffener& solution, TSpreadSheet& sheet)
{
  const TBend& bend = solution.Bend();
  const int r = sheet.LastRow() + 2;
  sheet.SetCellValue(r, 1, "Volume of Bend Stiffener  =");
  sheet.SetCellValue(r, 4, solution.Volume());
  sheet.SetNumberFormat({r, 4, r, 4}, "0.00000");
  sheet.SetCellValue(r, 5, bend.Units().ExpandUnitNames("LL^3"));

  TExportTable table;
  table.SetMinColumnWidth(8);
  StationColumns(table);
  StationRows(solution, table);
  WriteReportTable(table, bend, sheet);
}

void WriteToSheet(TLoadCaseResults& results, TSpreadSheet& sheet)
{
  const TBend& bend = results.Owner();
  const int loadCase = bend.SelectedLoadCase();
  results.SetLoadCase(loadCase);
  int count = 0;
  for (int state = 0; state < StateCount; ++state) {
    if (!bend.StateIncluded(loadCase, state)) continue;
    ++count;
    sheet.SetSheetCount(count);
    sheet.SelectSheet(count - 1);
    sheet.NameSheet(StateName(state));
    HeaderBlock(bend, sheet, bend.LoadCaseCaption(loadCase) + " " + StateName(state));
    StiffenerResultsTable(results.Solution(state), sheet);
  }
  sheet.SelectSheet(0);
}

}  // namespace umbrinex
