#include "presentation/Workbook.h"

#include <algorithm>
#include <stdexcept>

#include "framework/data/TextUtils.h"

namespace umbrinex {

bool TCell::IsBlank() const
{
  static const TCellFormat plain;
  return std::holds_alternative<std::monostate>(Value) && Format == plain;
}

// ---------------------------------------------------------------------------
// TSheet

const TCell& TSheet::Cell(int row, int col) const
{
  static const TCell blank;
  if (row < 1 || col < 1 || row > static_cast<int>(FRows.size())) return blank;
  const std::vector<TCell>& cells = FRows[static_cast<std::size_t>(row - 1)];
  return col > static_cast<int>(cells.size()) ? blank : cells[static_cast<std::size_t>(col - 1)];
}

TCell& TSheet::At(int row, int col)
{
  if (row < 1 || col < 1) throw std::out_of_range("Cell row and column start at 1");
  if (row > static_cast<int>(FRows.size())) FRows.resize(static_cast<std::size_t>(row));
  std::vector<TCell>& cells = FRows[static_cast<std::size_t>(row - 1)];
  if (col > static_cast<int>(cells.size())) cells.resize(static_cast<std::size_t>(col));
  return cells[static_cast<std::size_t>(col - 1)];
}

void TSheet::ClearValues(const TCellRange& range)
{
  // Only cells already written are visited, so clearing the whole sheet
  // costs no more than what the sheet holds.
  const int lastRow = std::min(range.Row2, static_cast<int>(FRows.size()));
  for (int row = std::max(range.Row1, 1); row <= lastRow; ++row) {
    std::vector<TCell>& cells = FRows[static_cast<std::size_t>(row - 1)];
    const int lastCol = std::min(range.Col2, static_cast<int>(cells.size()));
    for (int col = std::max(range.Col1, 1); col <= lastCol; ++col)
      cells[static_cast<std::size_t>(col - 1)].Value = std::monostate{};
  }
}

namespace {

// 1-based position of the last non-blank cell of a row, 0 when there is none.
int LastUsedCol(const std::vector<TCell>& cells)
{
  for (auto i = cells.size(); i > 0; --i)
    if (!cells[i - 1].IsBlank()) return static_cast<int>(i);
  return 0;
}

}  // namespace

int TSheet::LastRow() const
{
  for (auto i = FRows.size(); i > 0; --i)
    if (LastUsedCol(FRows[i - 1]) > 0) return static_cast<int>(i);
  return 0;
}

int TSheet::LastCol() const
{
  int last = 0;
  for (const std::vector<TCell>& cells : FRows) last = std::max(last, LastUsedCol(cells));
  return last;
}

int TSheet::ColumnWidth(int col) const
{
  const auto found = FColumnWidths.find(col);
  return found == FColumnWidths.end() ? DefaultColumnWidth : found->second;
}

void TSheet::SetColumnWidth(int col, int width)
{
  FColumnWidths[col] = std::max(width, 0);
}

int TSheet::RowHeight(int row) const
{
  const auto found = FRowHeights.find(row);
  return found == FRowHeights.end() ? DefaultRowHeight : found->second;
}

void TSheet::SetRowHeight(int row, int height)
{
  FRowHeights[row] = std::max(height, 0);
}

// ---------------------------------------------------------------------------
// TWorkbook

TWorkbook::TWorkbook()
{
  FSheets.emplace_back("Sheet1");
}

void TWorkbook::SetSheetCount(int count)
{
  count = std::max(count, 1);
  if (count < SheetCount()) FSheets.erase(FSheets.begin() + count, FSheets.end());
  while (SheetCount() < count) {
    std::string name = Format("Sheet%d", SheetCount() + 1);
    for (int n = SheetCount() + 2; HasSheetNamed(name); ++n) name = Format("Sheet%d", n);
    FSheets.emplace_back(std::move(name));
  }
  FActive = std::min(FActive, count - 1);
}

TSheet& TWorkbook::Sheet(int index)
{
  return FSheets.at(static_cast<std::size_t>(index));
}

const TSheet& TWorkbook::Sheet(int index) const
{
  return FSheets.at(static_cast<std::size_t>(index));
}

bool TWorkbook::HasSheetNamed(const std::string& name, int exceptIndex) const
{
  for (int i = 0; i < SheetCount(); ++i)
    if (i != exceptIndex && SameText(Sheet(i).Name(), name)) return true;
  return false;
}

void TWorkbook::SetActiveIndex(int index)
{
  static_cast<void>(Sheet(index));  // range check
  FActive = index;
}

void TWorkbook::ResetActiveSheet()
{
  ActiveSheet() = TSheet(ActiveSheet().Name());
}

}  // namespace umbrinex
