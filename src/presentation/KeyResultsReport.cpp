#include "bend/Bend.h"
#include "bend/KeyResults.h"
#include "bend/LoadCaseResults.h"
#include "framework/data/TextUtils.h"
#include "presentation/ReportSupport.h"
#include "presentation/Reports.h"

namespace umbrinex {

namespace {

void CableDataTable(const TBend& bend, TExportTable& table)
{
  table.SetColumnCount(4);
  table.AddRow({"Cable Data:", "Bend stiffness (FF.LL^2)", StateName(0), bend.CableStiffness(0)});
  table.SetCellBold(0, 0, true);
  table.AddRow({{}, "Bend stiffness (FF.LL^2)", StateName(1), bend.CableStiffness(1)});
  table.AddRow({{}, "Bend stiffener ID (LL)", {}, bend.StiffenerID()});
  table.AddRow({{}, "Default ABR (LL)", {}, bend.AllowableBendRadius()});
}

void LoadCasesTable(const TBend& bend, TExportTable& table)
{
  table.SetColumnCount(6);
  table.AddHeading("Load Cases:", 0, 0, 0, THorizontalAlignment::Left);
  const char* captions[] = {"Tension (FF)", "Angle (deg)", "ABR", "State 1", "State 2"};
  for (int col = 1; col <= 5; ++col) table.AddHeading(captions[col - 1], 0, col, col, THorizontalAlignment::Right);
  for (int i = 0; i < bend.LoadCaseCount(); ++i) {
    auto inclusion = [&](int state) { return bend.StateIncluded(i, state) ? "Included" : "Not Included"; };
    table.AddRow(
        {i + 1, bend.LoadCaseTension(i), bend.LoadCaseAngle(i), bend.LoadCaseABR(i), inclusion(0), inclusion(1)});
  }
}

std::string MaterialName(const TBendStiffenerMaterial* material)
{
  return material ? material->Name() : "";
}

void StiffenerDataTable(const TBend& bend, TExportTable& table)
{
  const bool userDefined = bend.StiffenerDefinition() == sdUserDefined;
  table.AddHeading(
      std::string("Bend Stiffener Data: Definition = ") + (userDefined ? "User Defined" : "Stiffness Power Law"), 0, 0,
      0, THorizontalAlignment::Left);
  if (userDefined) {
    table.SetColumnCount(4);
    table.AddHeading("Point Number", 1, 0, 0, THorizontalAlignment::Right);
    table.AddHeading("Arc Length (LL)", 1, 1, 1, THorizontalAlignment::Right);
    table.AddHeading("Diameter (LL)", 1, 2, 2, THorizontalAlignment::Right);
    table.AddHeading("Material", 1, 3, 3, THorizontalAlignment::Left);
    const TUserDefinedStiffener& profile = bend.Profile();
    for (int i = 0; i < profile.Count(); ++i) {
      const TUserDefinedStiffenerPoint& point = profile.Point(i);
      table.AddRow({i + 1, point.ArcLength, point.Diameter});
      // The last point ends the stiffener: no segment, no material.
      if (i + 1 < profile.Count()) table.SetCell(i, 3, MaterialName(point.Material));
    }
  } else {
    table.SetColumnCount(3);
    table.AddRow({{}, "Length (LL)", bend.ActiveLength()});
    table.AddRow({{}, "Root Diameter (LL)", bend.RootDiameter()});
    table.AddRow({{}, "Tip Diameter (LL)", bend.TipDiameter()});
    table.AddRow({{}, "Shape Power", bend.ShapePower()});
    table.AddRow({{}, "Material", MaterialName(bend.Material())});
  }
}

void KeyEventRow(TExportTable& table, const char* name, const TKeyEvent& event, int highlightedCol)
{
  const int row = table.RowCount();
  table.AddRow({name, Format("State %d, Load Case %d", event.StateNumber + 1, event.LoadCaseNumber + 1),
                event.RootMoment, event.RootShear});
  table.SetCellFill(row, highlightedCol, HighlightFill);
}

void KeyResultsTable(TKeyResults& results, TExportTable& table)
{
  table.SetColumnCount(4);
  auto boxRow = [&](int row) { table.AddBodyBorder(row, 0, row, 3, BoxStyle); };
  table.AddRow({"KEY RESULTS:", "Volume (LL^3) =", results.Owner().LoadCaseResults().Solution(0).Volume()});
  table.SetCellBold(0, 0, true);
  table.SetCellFill(0, 2, HighlightFill);
  boxRow(0);
  table.AddRow({"Maximum Bend Moment and Shear at the Root of the flexible section:"});
  table.SetCellBold(1, 0, true);
  boxRow(1);
  table.AddRow({"Extreme Event", "Case", "Root Moment (FF.LL)", "Root Shear Force (FF)"});
  for (int col = 0; col < 4; ++col) table.SetCellBold(2, col, true);
  boxRow(2);
  if (results.HasEvents()) {
    KeyEventRow(table, "Max Root Moment", results.FMaxRootMomentEvent, 2);
    KeyEventRow(table, "Max Root Shear", results.FMaxRootShearEvent, 3);
  } else {
    table.AddRow({"Max Root Moment", "No active load cases"});
    table.AddRow({"Max Root Shear", "No active load cases"});
  }
  table.AddBodyBorder(3, 0, 4, 3, BoxStyle);
}

}  // namespace

void WriteToSheet(TKeyResults& results, TSpreadSheet& sheet)
{
  results.EnsureCalculated();
  const TBend& bend = results.Owner();
  sheet.NameSheet("Key Results");
  HeaderBlock(bend, sheet, sheet.SheetName());

  TExportTable table;
  CableDataTable(bend, table);
  WriteReportTable(table, bend, sheet);
  table.Clear();
  LoadCasesTable(bend, table);
  WriteReportTable(table, bend, sheet);
  table.Clear();
  StiffenerDataTable(bend, table);
  WriteReportTable(table, bend, sheet);
  table.Clear();
  KeyResultsTable(results, table);
  WriteReportTable(table, bend, sheet);

  constexpr int keyColumnWidth = 20 * 256;
  for (int col = 1; col <= 4; ++col) sheet.SetColumnWidth(col, keyColumnWidth);
}

}  // namespace umbrinex
