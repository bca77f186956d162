#include "presentation/SpreadSheet.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "numerics/ReservedDoubles.h"
#include "presentation/WorkbookFiles.h"

namespace umbrinex {

namespace {

// The text a number is shown with instead of its digits, if any. A NaN or a
// true infinity cannot be a result, so it shows as undefined.
std::optional<std::string> SpecialText(double value)
{
  if (IsInfinite(value) || value == Undefined || IsDefault(value) || value == NotApplicable || !std::isfinite(value))
    return RealToText(value);
  return std::nullopt;
}

TVariant ToVariant(const TCellValue& value)
{
  if (const auto* number = std::get_if<double>(&value)) return *number;
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* flag = std::get_if<bool>(&value)) return *flag;
  return {};
}

}  // namespace

std::optional<TCellRange> TSpreadSheet::Clamp(TCellRange range)
{
  if (range.IsEmpty() || range.Row1 < 1 || range.Col1 < 1) return std::nullopt;
  if (range.Row2 <= MaxRows && range.Col2 <= MaxCols) return range;
  if (!FTruncationShown) {
    FTruncationShown = true;
    if (OnInformation)
      OnInformation(
          Format("The spreadsheet can contain at most %d rows and %d columns.  Some cells will have to be "
                 "truncated.",
                 MaxRows, MaxCols));
  }
  if (range.Row1 > MaxRows || range.Col1 > MaxCols) return std::nullopt;
  range.Row2 = std::min(range.Row2, MaxRows);
  range.Col2 = std::min(range.Col2, MaxCols);
  return range;
}

template <typename Action>
void TSpreadSheet::ForEachCell(const TCellRange& range, Action&& action)
{
  const std::optional<TCellRange> clamped = Clamp(range);
  if (!clamped) return;
  TSheet& sheet = FWorkbook.ActiveSheet();
  for (int row = clamped->Row1; row <= clamped->Row2; ++row)
    for (int col = clamped->Col1; col <= clamped->Col2; ++col) action(sheet.At(row, col));
}

// ---------------------------------------------------------------------------
// Cells

void TSpreadSheet::SetCellValue(int row, int col, const TVariant& value)
{
  ForEachCell({row, col, row, col}, [&](TCell& cell) {
    switch (value.Kind()) {
      case TVariant::TKind::Empty:
        cell.Value = std::monostate{};
        return;
      case TVariant::TKind::Boolean:
        cell.Value = value.ToInteger().value_or(0) != 0;
        return;
      case TVariant::TKind::Integer:
      case TVariant::TKind::Real:
        break;
      default:
        cell.Value = value.ToText();
        return;
    }
    const double number = value.ToReal().value_or(Undefined);
    if (const std::optional<std::string> text = SpecialText(number)) {
      cell.Value = *text;
      cell.Format.Alignment = THorizontalAlignment::Right;
    } else {
      cell.Value = number;
      cell.Format.NumberFormat = DefaultNumberFormat;
    }
  });
}

TVariant TSpreadSheet::GetCellValue(int row, int col)
{
  if (!Clamp({row, col, row, col})) return {};
  return ToVariant(FWorkbook.ActiveSheet().Cell(row, col).Value);
}

bool TSpreadSheet::IsNumberCell(int row, int col)
{
  return GetCellValue(row, col).Kind() == TVariant::TKind::Real;
}

// ---------------------------------------------------------------------------
// Formats

void TSpreadSheet::SetNumberFormat(const TCellRange& range, const std::string& format)
{
  ForEachCell(range, [&](TCell& cell) { cell.Format.NumberFormat = format; });
}

void TSpreadSheet::SetAlignment(const TCellRange& range, THorizontalAlignment alignment)
{
  ForEachCell(range, [&](TCell& cell) { cell.Format.Alignment = alignment; });
}

void TSpreadSheet::CentreAcross(int row, int col1, int col2)
{
  SetAlignment({row, col1, row, col2}, THorizontalAlignment::CentreAcross);
}

void TSpreadSheet::SetBold(const TCellRange& range, bool on)
{
  ForEachCell(range, [&](TCell& cell) { cell.Format.Bold = on; });
}

void TSpreadSheet::SetItalic(const TCellRange& range, bool on)
{
  ForEachCell(range, [&](TCell& cell) { cell.Format.Italic = on; });
}

void TSpreadSheet::SetFontColour(const TCellRange& range, TColour colour)
{
  if (colour != NoColour) ForEachCell(range, [&](TCell& cell) { cell.Format.FontColour = colour; });
}

void TSpreadSheet::SetFontSize(const TCellRange& range, int points)
{
  ForEachCell(range, [&](TCell& cell) { cell.Format.FontSize = points; });
}

void TSpreadSheet::SetFill(const TCellRange& range, TColour colour)
{
  if (colour != NoColour) ForEachCell(range, [&](TCell& cell) { cell.Format.Fill = colour; });
}

void TSpreadSheet::SetOutline(const TCellRange& range, int style)
{
  const std::optional<TCellRange> box = Clamp(range);
  if (!box) return;
  const auto line = static_cast<std::uint8_t>(std::clamp(style, 0, MaxBorderStyle));
  TSheet& sheet = FWorkbook.ActiveSheet();
  for (int col = box->Col1; col <= box->Col2; ++col) {
    sheet.At(box->Row1, col).Format.Borders[bsTop] = line;
    sheet.At(box->Row2, col).Format.Borders[bsBottom] = line;
  }
  for (int row = box->Row1; row <= box->Row2; ++row) {
    sheet.At(row, box->Col1).Format.Borders[bsLeft] = line;
    sheet.At(row, box->Col2).Format.Borders[bsRight] = line;
  }
}

// ---------------------------------------------------------------------------
// Sizes and sheets

int TSpreadSheet::LastRow()
{
  return std::max(FWorkbook.ActiveSheet().LastRow(), 1);
}

int TSpreadSheet::LastCol()
{
  return std::max(FWorkbook.ActiveSheet().LastCol(), 1);
}

int TSpreadSheet::ColumnWidth(int col)
{
  return Clamp({1, col, 1, col}) ? FWorkbook.ActiveSheet().ColumnWidth(col) : 0;
}

void TSpreadSheet::SetColumnWidth(int col, int width)
{
  if (Clamp({1, col, 1, col})) FWorkbook.ActiveSheet().SetColumnWidth(col, width);
}

int TSpreadSheet::RowHeight(int row)
{
  return Clamp({row, 1, row, 1}) ? FWorkbook.ActiveSheet().RowHeight(row) : 0;
}

void TSpreadSheet::SetRowHeight(int row, int height)
{
  if (Clamp({row, 1, row, 1})) FWorkbook.ActiveSheet().SetRowHeight(row, height);
}

void TSpreadSheet::NameSheet(const std::string& name)
{
  const std::string base = Trim(name);
  std::string candidate = base;
  for (int counter = 2; FWorkbook.HasSheetNamed(candidate); ++counter)
    candidate = Format("%s (%d)", base.c_str(), counter);
  FWorkbook.ActiveSheet().SetName(candidate);
}

// ---------------------------------------------------------------------------
// Table-window commands

void TSpreadSheet::SelectAll()
{
  FWorkbook.ActiveSheet().Selection = {1, 1, MaxRows, MaxCols};
}

void TSpreadSheet::ClearSelection()
{
  TSheet& sheet = FWorkbook.ActiveSheet();
  sheet.ClearValues(sheet.Selection);
}

std::string TSpreadSheet::CopyAsGeneral() const
{
  // A whole-sheet selection is cut to the used area, not 16384 empty lines.
  const TSheet& sheet = FWorkbook.ActiveSheet();
  TCellRange range = sheet.Selection;
  range.Row2 = std::min(range.Row2, std::max(sheet.LastRow(), range.Row1));
  range.Col2 = std::min(range.Col2, std::max(sheet.LastCol(), range.Col1));
  return RangeText(sheet, range);
}

std::string TSpreadSheet::CutAsGeneral()
{
  std::string text = CopyAsGeneral();
  ClearSelection();
  return text;
}

void TSpreadSheet::Paste(const std::string& text)
{
  const TCellRange& selection = FWorkbook.ActiveSheet().Selection;
  const int firstRow = selection.Row1;
  const int firstCol = selection.Col1;
  std::istringstream lines(text);
  std::string line;
  for (int row = firstRow; std::getline(lines, line); ++row) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    std::string field;
    for (int col = firstCol; std::getline(fields, field, '\t'); ++col) {
      double number = 0.0;
      if (field.empty())
        SetCellValue(row, col, TVariant());
      else if (TextToReal(field, number) == TTextError::None)
        SetCellValue(row, col, number);
      else
        SetCellValue(row, col, field);
    }
  }
}

void TSpreadSheet::SaveAs(const std::string& fileName) const
{
  const bool text = fileName.size() >= 4 && SameText(std::string_view(fileName).substr(fileName.size() - 4), ".txt");
  if (text)
    SaveWorkbookText(FWorkbook, fileName);
  else
    SaveWorkbookXlsx(FWorkbook, fileName);
}

}  // namespace umbrinex
