#include "presentation/ExportTable.h"

#include <algorithm>
#include <cmath>

#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

std::string NumberFormatFor(const TVariant& value, int digits)
{
  if (value.Kind() == TVariant::TKind::Integer) return "0";
  if (value.Kind() != TVariant::TKind::Real || digits <= 0) return {};
  // Scientific where fixed decimals would show nothing of a small value or
  // too many figures of a large one; zero and values not above tiny stay fixed.
  const double magnitude = std::fabs(value.ToReal().value_or(0.0));
  const bool scientific = magnitude >= 1e6 || (magnitude > Tiny && magnitude <= std::pow(10.0, 1 - digits));
  if (scientific) return "0." + std::string(static_cast<std::size_t>(digits - 1), '0') + "E+###";
  return "0." + std::string(static_cast<std::size_t>(digits), '0');
}

// ---------------------------------------------------------------------------
// Staging

void TExportTable::Clear()
{
  FHeadings.clear();
  FHeadingBorders.clear();
  FHeadingRowCount = 0;
  FRows.clear();
  FBodyBorders.clear();
  FSeparators.clear();
  SetColumnCount(0);
}

void TExportTable::SetColumnCount(int count)
{
  const auto n = static_cast<std::size_t>(std::max(count, 0));
  FColumnTextWidths.resize(n, 0);
  FColumnDigits.resize(n, 0);
  for (std::vector<TStagedCell>& row : FRows) row.resize(n);
}

void TExportTable::AddHeading(std::string text, int row, int firstCol, int lastCol, THorizontalAlignment alignment,
                              TColour fill)
{
  FHeadings.push_back({std::move(text), row, firstCol, lastCol, alignment, fill});
  FHeadingRowCount = std::max(FHeadingRowCount, row + 1);
}

void TExportTable::AddHeadingBorder(int row1, int col1, int row2, int col2, int style)
{
  FHeadingBorders.push_back({row1, col1, row2, col2, style});
}

void TExportTable::AddBodyBorder(int row1, int col1, int row2, int col2, int style)
{
  FBodyBorders.push_back({row1, col1, row2, col2, style});
}

void TExportTable::AddRow(const std::vector<TVariant>& values)
{
  if (static_cast<int>(values.size()) > ColumnCount())
    throw EExportTableError(
        "The number of entries passed to AddRow is greater than the number of columns in the table.");
  const int requested = RowCount() + 1;
  if (requested > FCapacity) {
    FCapacity = (requested / RowBlock + 1) * RowBlock;
    FRows.reserve(static_cast<std::size_t>(FCapacity));
  }
  std::vector<TStagedCell>& row = FRows.emplace_back(static_cast<std::size_t>(ColumnCount()));
  for (std::size_t i = 0; i < values.size(); ++i) row[i].Value = values[i];
}

const TExportTable::TStagedCell& TExportTable::Cell(int row, int col) const
{
  return FRows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col));
}

TExportTable::TStagedCell& TExportTable::MutableCell(int row, int col)
{
  return FRows.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col));
}

// ---------------------------------------------------------------------------
// Writing

namespace {

// Repainting stays off for the whole write and comes back on however it ends.
class TRepaintPause {
 public:
  explicit TRepaintPause(TSpreadSheet& sheet) : FSheet(sheet) { FSheet.SetRepaint(false); }
  ~TRepaintPause() { FSheet.SetRepaint(true); }
  TRepaintPause(const TRepaintPause&) = delete;
  TRepaintPause& operator=(const TRepaintPause&) = delete;

 private:
  TSpreadSheet& FSheet;
};

}  // namespace

void TExportTable::WriteTo(const TUnits& units, TSpreadSheet& sheet, IRowProgress* progress)
{
  const int offset = StartOffset(sheet);
  TRepaintPause pause(sheet);
  if (progress != nullptr) progress->SetTotal(RowCount());
  WriteHeadings(units, sheet, offset);
  WriteBody(units, sheet, offset + FHeadingRowCount + 1, progress);
  WriteBorders(sheet, offset);
  WidenColumns(sheet);
}

// The row above the table: 0 on an empty sheet, otherwise the last used row
// plus one, so that one empty row separates the table from what is there.
int TExportTable::StartOffset(TSpreadSheet& sheet) const
{
  const int lastRow = sheet.LastRow();
  if (lastRow > 1) return lastRow + 1;
  const int lastCol = sheet.LastCol();
  for (int col = 1; col <= lastCol; ++col)
    if (!sheet.GetCellValue(1, col).IsEmpty()) return 2;
  return 0;
}

void TExportTable::WriteHeadings(const TUnits& units, TSpreadSheet& sheet, int offset) const
{
  for (const THeading& heading : FHeadings) {
    const int row = offset + heading.Row + 1;
    sheet.SetCellValue(row, heading.FirstCol + 1, units.ExpandUnitNames(heading.Text));
    if (heading.FirstCol == heading.LastCol)
      sheet.SetAlignment({row, heading.FirstCol + 1, row, heading.FirstCol + 1}, heading.Alignment);
    else
      sheet.CentreAcross(row, heading.FirstCol + 1, heading.LastCol + 1);
    sheet.SetFill({row, heading.FirstCol + 1, row, heading.LastCol + 1}, heading.Fill);
  }
  if (FHeadingRowCount > 0) sheet.SetBold({offset + 1, 1, offset + FHeadingRowCount, ColumnCount()}, true);
}

void TExportTable::WriteBody(const TUnits& units, TSpreadSheet& sheet, int firstRow, IRowProgress* progress)
{
  if (FCentreBody)
    sheet.SetAlignment({firstRow, 1, firstRow + RowCount() - 1, ColumnCount()}, THorizontalAlignment::Centre);
  for (int i = 0; i < RowCount(); ++i) {
    for (int j = 0; j < ColumnCount(); ++j) WriteCell(units, sheet, firstRow + i, j, Cell(i, j));
    if (progress != nullptr) progress->StepRow();
  }
}

void TExportTable::WriteCell(const TUnits& units, TSpreadSheet& sheet, int row, int col, const TStagedCell& cell)
{
  const int sheetCol = col + 1;
  if (cell.Value.IsText()) {
    const std::string text = units.ExpandUnitNames(cell.Value.ToText());
    int& width = FColumnTextWidths[static_cast<std::size_t>(col)];
    width = std::max(width, (static_cast<int>(CharLength(text)) * 7 + 3) / 6);
    sheet.SetCellValue(row, sheetCol, text);
  } else {
    sheet.SetCellValue(row, sheetCol, cell.Value);
  }
  if (sheet.IsNumberCell(row, sheetCol)) {
    const int digits = cell.Digits > 0 ? cell.Digits : FColumnDigits[static_cast<std::size_t>(col)];
    const std::string format = NumberFormatFor(cell.Value, digits);
    if (!format.empty()) sheet.SetNumberFormat({row, sheetCol, row, sheetCol}, format);
  }
  const TCellRange here{row, sheetCol, row, sheetCol};
  if (cell.Bold) sheet.SetBold(here, true);
  if (cell.Italic) sheet.SetItalic(here, true);
  if (cell.FontColour) sheet.SetFontColour(here, *cell.FontColour);
  if (cell.Fill) sheet.SetFill(here, *cell.Fill);
}

void TExportTable::WriteBorders(TSpreadSheet& sheet, int offset) const
{
  constexpr int boxStyle = 2;
  const int h = FHeadingRowCount;
  const int columns = ColumnCount();
  auto draw = [&](const TBorder& border, int rowOffset) {
    sheet.SetOutline({border.Row1 + rowOffset, border.Col1 + 1, border.Row2 + rowOffset, border.Col2 + 1},
                     border.Style);
  };
  if (h > 0) {
    for (const TBorder& border : FHeadingBorders) draw(border, offset + 1);
    sheet.SetOutline({offset + 1, 1, offset + h, columns}, boxStyle);
  }
  for (const TBorder& border : FBodyBorders) draw(border, offset + h + 1);
  sheet.SetOutline({offset + h + 1, 1, offset + h + RowCount(), columns}, boxStyle);
  for (const int m : FSeparators)
    if (m > 0 && m < columns) sheet.SetOutline({offset + 1, 1, offset + h + RowCount(), m}, boxStyle);
}

void TExportTable::WidenColumns(TSpreadSheet& sheet) const
{
  for (int k = 1; k <= ColumnCount(); ++k) {
    const int characters = std::max(FMinColumnWidth, FColumnTextWidths[static_cast<std::size_t>(k - 1)]);
    sheet.SetColumnWidth(k, std::max(sheet.ColumnWidth(k), characters * 256));
  }
}

}  // namespace umbrinex
