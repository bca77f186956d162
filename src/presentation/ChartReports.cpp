#include <cmath>

#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "bend/PerformanceChartResults.h"
#include "framework/data/TextUtils.h"
#include "presentation/ReportSupport.h"
#include "presentation/Reports.h"

namespace umbrinex {

namespace {

constexpr auto Centre = THorizontalAlignment::Centre;

// Chart reports own the workbook: one sheet, named after the chart.
void StartChartSheet(const TBend& bend, TSpreadSheet& sheet, const char* name)
{
  sheet.SetSheetCount(1);
  sheet.SelectSheet(0);
  sheet.NameSheet(name);
  HeaderBlock(bend, sheet, "");
}

void DesignChartRows(const TDesignChartEntry& entry, int lengthFactors, TExportTable& table)
{
  const TTable& values = *entry.Values;
  const int first = table.RowCount();
  table.AddRow({entry.KFactor, "MBR/ABR"});
  table.AddRow({{}, "Position"});
  table.AddRow({{}, "Load Case No."});
  for (int g = 0; g < lengthFactors && g < values.RowCount(); ++g) {
    table.SetCell(first, g + 2, values.Cell(g, dcRatio));
    table.SetCell(first + 1, g + 2, values.Cell(g, dcPosition));
    table.SetCell(first + 2, g + 2, static_cast<int>(std::lround(values.Cell(g, dcLoadCase))) + 1);
  }
}

}  // namespace

void WriteToSheet(TDesignChartResults& results, TSpreadSheet& sheet)
{
  results.EnsureCalculated();
  const TBend& bend = results.Owner();
  StartChartSheet(bend, sheet, "Design Chart Results");

  const std::vector<TDesignChartEntry>& entries = results.FDesignChartValues;
  const int lengthFactors = entries.empty() ? 0 : entries.front().Values->RowCount();
  TExportTable table;
  table.SetMinColumnWidth(10);
  table.SetColumnCount(2 + lengthFactors);
  table.AddHeading("Stiffness", 0, 0, 0, Centre);
  table.AddHeading("Factor", 1, 0, 0, Centre);
  table.AddSeparator(1);
  for (int g = 0; g < lengthFactors; ++g)
    table.AddHeading(Format("%.3g", entries.front().Values->Cell(g, dcLengthFactor)), 1, g + 2, g + 2, Centre);
  if (lengthFactors > 0) table.AddHeading("Length Factor", 0, 2, lengthFactors + 1, Centre);
  for (std::size_t k = 0; k < entries.size(); ++k) {
    if (k > 0) table.AddRow();
    DesignChartRows(entries[k], lengthFactors, table);
  }
  WriteReportTable(table, bend, sheet);
  sheet.SelectSheet(0);
}

void WriteToSheet(TPerformanceChartResults& results, TSpreadSheet& sheet)
{
  results.EnsureCalculated();
  const TBend& bend = results.Owner();
  StartChartSheet(bend, sheet, "Performance Chart Results");

  TExportTable table;
  table.SetColumnCount(2);
  table.AddHeading("Tension", 0, 0, 0, Centre);
  table.AddHeading("(FF)", 1, 0, 0, Centre);
  table.AddHeading("Angle Limit", 0, 1, 1, Centre);
  table.AddHeading("(deg)", 1, 1, 1, Centre);
  table.SetColumnDigits(0, 3);
  table.SetColumnDigits(1, 1);
  const TTable& limits = results.FPerformanceLimits();
  for (int a = 0; a < limits.RowCount(); ++a) table.AddRow({limits.Cell(a, pcTension), limits.Cell(a, pcAngleLimit)});
  WriteReportTable(table, bend, sheet);
  sheet.SelectSheet(0);
}

}  // namespace umbrinex
