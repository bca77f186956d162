#include <algorithm>
#include <array>
#include <utility>

#include "bend/Bend.h"
#include "bend/ProgramInfo.h"
#include "framework/data/Clock.h"
#include "framework/data/Progress.h"
#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"
#include "presentation/ReportSupport.h"
#include "presentation/Reports.h"

namespace umbrinex {

namespace {

bool SheetIsEmpty(TSpreadSheet& sheet)
{
  if (sheet.LastRow() > 1) return false;
  for (int col = 1; col <= sheet.LastCol(); ++col)
    if (!sheet.GetCellValue(1, col).IsEmpty()) return false;
  return true;
}

// Counts the rows a staged table writes on the analysis progress display,
// which also lets the user cancel a long write.
class TProgressRows final : public IRowProgress {
 public:
  void SetTotal(int rows) override
  {
    Progress().SetMaxCounter(std::max(rows, 1));
    FRow = 0;
  }
  void StepRow() override { Progress().Update(++FRow); }

 private:
  int FRow = 0;
};

}  // namespace

std::string RunLine()
{
  return std::string(ApplicationTitle) + " run at " + TimeAndDateText();
}

std::string ShortenedFileName(const std::string& fileName)
{
  std::vector<std::size_t> separators;
  for (std::size_t i = 0; i < fileName.size(); ++i)
    if (fileName[i] == '/') separators.push_back(i);
  if (separators.size() <= 3) return fileName;
  const std::size_t innerFolders = separators[separators.size() - 3] + 1;
  return fileName.substr(0, separators.front() + 1) + ".../" + fileName.substr(innerFolders);
}

void HeaderBlock(const TBend& bend, TSpreadSheet& sheet, const std::string& title)
{
  // The block leaves one empty row below an earlier report on the sheet.
  int a = SheetIsEmpty(sheet) ? 1 : sheet.LastRow() + 2;
  if (!title.empty()) {
    sheet.SetRowHeight(a, sheet.RowHeight(a) * 4 / 3);
    sheet.SetBold({a, 1, a, 1}, true);
    sheet.SetFontSize({a, 1, a, 1}, sheet.DefaultFontSize() * 4 / 3);
    sheet.SetCellValue(a, 1, title);
    ++a;
  }
  sheet.SetCellValue(a + 1, 1, RunLine());
  sheet.SetCellValue(a + 2, 1, "File:");
  sheet.SetCellValue(a + 2, 2, bend.FileName().empty() ? std::string("(none)") : ShortenedFileName(bend.FileName()));
  sheet.SetCellValue(a + 3, 1, "Project:");
  sheet.SetCellValue(a + 3, 2, bend.Project());
  sheet.SetCellValue(a + 4, 1, "Client:");
  sheet.SetCellValue(a + 4, 2, bend.Client());
  sheet.SetCellValue(a + 5, 1, "Designer:");
  sheet.SetCellValue(a + 5, 2, bend.Designer());
}

std::string StateName(int state)
{
  return Format("State %d", state + 1);
}

void WriteReportTable(TExportTable& table, const TBend& bend, TSpreadSheet& sheet)
{
  TProgressRows rows;
  table.WriteTo(bend.Units(), sheet, Progress().Active() ? &rows : nullptr);
}

}  // namespace umbrinex
