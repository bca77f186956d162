#include "charts/GraphValues.h"

#include <algorithm>
#include <functional>

#include "charts/ChartEngine.h"
#include "framework/data/Progress.h"
#include "presentation/SpreadSheet.h"

namespace umbrinex {

std::string ColumnLetters(int index)
{
  const std::string letter(1, static_cast<char>('A' + index % 26));
  return index > 25 ? ColumnLetters(index / 26 - 1) + letter : letter;
}

bool TChartEngineList::ValuesAvailable() const
{
  if (FEngines.empty()) return false;
  int curves = 0;
  int points = -1;
  for (const TChartEngine* engine : FEngines)
    for (int c = 0; c < engine->CurveCount(); ++c) {
      const TCurve& curve = engine->Curve(c);
      if (!curve.SharesXWith(engine->Curve(0))) return false;
      if (points >= 0 && curve.PointCount() != points) return false;
      points = curve.PointCount();
      ++curves;
    }
  // One engine per list here, so any list is compatible with itself.
  return curves > 0 && points > 0;
}

namespace {

struct TValueColumn {
  std::string ShortName;
  std::string LongName;
  std::function<double(int)> Value;
};

std::vector<TValueColumn> ValueColumns(const std::vector<TChartEngine*>& engines)
{
  std::vector<TValueColumn> columns;
  const TChartEngine& first = *engines.front();
  const TCurve& xCurve = first.Curve(0);
  const std::string xTitle = first.AxisTitle(0);
  columns.push_back({xTitle, xTitle, [&xCurve](int k) { return xCurve.X(k); }});
  for (const TChartEngine* engine : engines) {
    const bool several = engine->CurveCount() > 1;
    const std::string& yTitle = engine->AxisTitle(1);
    for (int c = 0; c < engine->CurveCount(); ++c) {
      const TCurve& curve = engine->Curve(c);
      columns.push_back({several ? curve.Name : yTitle, several ? yTitle + ", " + curve.Name : yTitle,
                         [&curve](int k) { return curve.ValueHook ? curve.ValueHook(curve.Y(k)) : curve.Y(k); }});
    }
  }
  return columns;
}

// The table as a staged table writes it: a bold, centred heading row boxed
// apart from the body, a line after the X column and columns wide enough
// for their headings. The titles are already in the user's units.
void WriteTable(TSpreadSheet& sheet, const std::vector<TValueColumn>& columns, int rowCount, bool stepProgress)
{
  const int n = static_cast<int>(columns.size());
  const int top = sheet.LastRow() + 2;
  for (int j = 0; j < n; ++j) sheet.SetCellValue(top, j + 1, TVariant(columns[static_cast<std::size_t>(j)].ShortName));
  sheet.SetBold({top, 1, top, n}, true);
  sheet.SetAlignment({top, 1, top, n}, THorizontalAlignment::Centre);
  TProgress& progress = Progress();
  for (int k = 0; k < rowCount; ++k) {
    for (int j = 0; j < n; ++j)
      sheet.SetCellValue(top + 1 + k, j + 1, TVariant(columns[static_cast<std::size_t>(j)].Value(k)));
    if (stepProgress) progress.Update(k + 1);
  }
  const int bottom = top + rowCount;
  sheet.SetOutline({top, 1, top, n}, 2);
  sheet.SetOutline({top + 1, 1, bottom, n}, 2);
  if (n > 1) sheet.SetOutline({top, 1, bottom, 1}, 2);
  for (int j = 0; j < n; ++j) {
    const int textWidth = static_cast<int>(columns[static_cast<std::size_t>(j)].ShortName.size()) * 4 / 3;
    const int width = std::max(12, textWidth) * 256;
    if (sheet.ColumnWidth(j + 1) < width) sheet.SetColumnWidth(j + 1, width);
  }
}

}  // namespace

std::string TChartEngineList::WriteValues(TSpreadSheet& sheet, const std::vector<std::string>& headerLines,
                                          IProgressOwner* progressOwner) const
{
  sheet.ClearSheet();
  int row = 1;
  for (const std::string& line : headerLines) sheet.SetCellValue(row++, 1, TVariant(line));
  const std::string caption = FEngines.size() == 1 ? FEngines.front()->Caption() + " (values)" : "Graph Values";
  if (FEngines.empty() || FEngines.front()->CurveCount() == 0) return caption;

  const std::vector<TValueColumn> columns = ValueColumns(FEngines);
  ++row;
  for (std::size_t j = 0; j < columns.size(); ++j)
    sheet.SetCellValue(row++, 1, TVariant("Column " + ColumnLetters(static_cast<int>(j)) + ": " + columns[j].LongName));

  const int points = FEngines.front()->Curve(0).PointCount();
  if (points > 0) {
    TProgress& progress = Progress();
    const bool ownRun = !progress.Active();
    TProgressGuard guard;
    if (ownRun) {
      progress.SetStageCount(1);
      progress.SetStageText("Building Table");
      progress.SetMaxCounter(points);
      progress.Start(progressOwner);
    }
    WriteTable(sheet, columns, points, ownRun);
    if (ownRun) progress.Stop();
  }
  return caption;
}

}  // namespace umbrinex
