// Reports printed as text: the sheets the reports write, laid out in
// aligned columns the way a spreadsheet shows them.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "cli/Cli.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "presentation/Workbook.h"

namespace umbrinex {

namespace {

constexpr int ColumnGap = 2;

// The decimals a number format asks for: "0.0###" has one that is always
// shown and three more when they are not zero.
struct TDecimals {
  int Fixed = 0;
  int Optional = 0;
};

TDecimals DecimalsOf(std::string_view mantissa)
{
  TDecimals decimals;
  const std::size_t point = mantissa.find('.');
  if (point == std::string_view::npos) return decimals;
  for (const char c : mantissa.substr(point + 1)) {
    if (c == '0')
      ++decimals.Fixed;
    else if (c == '#')
      ++decimals.Optional;
  }
  return decimals;
}

std::string Printed(const char* format, int decimals, double value)
{
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, decimals, value);
  return buffer;
}

std::string FixedText(double value, const TDecimals& decimals)
{
  std::string text = Printed("%.*f", decimals.Fixed + decimals.Optional, value);
  for (int dropped = 0; dropped < decimals.Optional && text.back() == '0'; ++dropped) text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

// "2.50E+06" from printf becomes "2.50E+6": the exponent of a format such
// as "E+###" shows only the digits it needs.
std::string ScientificText(double value, const TDecimals& decimals)
{
  std::string text = Printed("%.*E", decimals.Fixed, value);
  const std::size_t e = text.find('E');
  std::size_t firstDigit = e + 2;
  while (firstDigit + 1 < text.size() && text[firstDigit] == '0') ++firstDigit;
  return text.substr(0, e + 2) + text.substr(firstDigit);
}

struct TPlacedCell {
  std::string Text;
  bool Number = false;
  THorizontalAlignment Alignment = THorizontalAlignment::General;
};

TPlacedCell PlacedCell(const TCell& cell)
{
  TPlacedCell placed;
  placed.Alignment = cell.Format.Alignment;
  if (const auto* number = std::get_if<double>(&cell.Value)) {
    placed.Text = FormatCellNumber(*number, cell.Format.NumberFormat);
    placed.Number = true;
  } else if (const auto* text = std::get_if<std::string>(&cell.Value)) {
    // Texts of the design reach the terminal: none may steer it.
    placed.Text = VisibleText(*text);
  } else if (const auto* flag = std::get_if<bool>(&cell.Value)) {
    placed.Text = *flag ? "TRUE" : "FALSE";
    placed.Number = true;
  }
  return placed;
}

int Length(const std::string& text)
{
  return static_cast<int>(CharLength(text));
}

class TSheetLayout {
 public:
  explicit TSheetLayout(const TSheet& sheet) : FRows(sheet.LastRow()), FCols(sheet.LastCol())
  {
    FCells.resize(static_cast<std::size_t>(FRows) * static_cast<std::size_t>(FCols));
    for (int row = 1; row <= FRows; ++row)
      for (int col = 1; col <= FCols; ++col) At(row, col) = PlacedCell(sheet.Cell(row, col));
    MeasureColumns();
  }

  std::string Text() const
  {
    std::string text;
    for (int row = 1; row <= FRows; ++row) text += Line(row) + "\n";
    return text;
  }

 private:
  TPlacedCell& At(int row, int col) { return FCells[Index(row, col)]; }
  const TPlacedCell& At(int row, int col) const { return FCells[Index(row, col)]; }
  std::size_t Index(int row, int col) const
  {
    return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(FCols) + static_cast<std::size_t>(col - 1);
  }

  // A left-aligned text with an empty cell to its right runs on over it, so
  // it does not widen its column.
  bool Spills(int row, int col) const
  {
    const TPlacedCell& cell = At(row, col);
    if (cell.Number || cell.Alignment == THorizontalAlignment::Right || cell.Alignment == THorizontalAlignment::Centre)
      return false;
    return col < FCols && At(row, col + 1).Text.empty();
  }

  // The last column of a heading centred across a run of empty cells.
  int SpanEnd(int row, int col) const
  {
    int end = col;
    while (end < FCols && At(row, end + 1).Text.empty() &&
           At(row, end + 1).Alignment == THorizontalAlignment::CentreAcross)
      ++end;
    return end;
  }

  void MeasureColumns()
  {
    FWidths.assign(static_cast<std::size_t>(FCols) + 1, 0);
    for (int row = 1; row <= FRows; ++row)
      for (int col = 1; col <= FCols; ++col) {
        const TPlacedCell& cell = At(row, col);
        if (cell.Text.empty() || cell.Alignment == THorizontalAlignment::CentreAcross || Spills(row, col)) continue;
        FWidths[static_cast<std::size_t>(col)] = std::max(FWidths[static_cast<std::size_t>(col)], Length(cell.Text));
      }
    FStarts.assign(static_cast<std::size_t>(FCols) + 2, 0);
    for (int col = 1; col <= FCols; ++col)
      FStarts[static_cast<std::size_t>(col) + 1] =
          FStarts[static_cast<std::size_t>(col)] + FWidths[static_cast<std::size_t>(col)] + ColumnGap;
  }

  int Start(int col) const { return FStarts[static_cast<std::size_t>(col)]; }

  // Where a cell's text begins, within the column or the span it covers.
  int Position(int row, int col) const
  {
    const TPlacedCell& cell = At(row, col);
    int last = col;
    THorizontalAlignment alignment = cell.Alignment;
    if (alignment == THorizontalAlignment::CentreAcross) {
      last = SpanEnd(row, col);
      alignment = THorizontalAlignment::Centre;
    }
    const int room = Start(last + 1) - ColumnGap - Start(col) - Length(cell.Text);
    if (room <= 0) return Start(col);
    if (alignment == THorizontalAlignment::Centre) return Start(col) + room / 2;
    if (alignment == THorizontalAlignment::Right || (alignment == THorizontalAlignment::General && cell.Number))
      return Start(col) + room;
    return Start(col);
  }

  std::string Line(int row) const
  {
    std::string line;
    int used = 0;
    for (int col = 1; col <= FCols; ++col) {
      const TPlacedCell& cell = At(row, col);
      if (cell.Text.empty()) continue;
      // A text that ran on too far pushes the next one along by a blank.
      const int position = std::max(Position(row, col), used == 0 ? 0 : used + 1);
      line.append(static_cast<std::size_t>(position - used), ' ');
      line += cell.Text;
      used = position + Length(cell.Text);
    }
    return line;
  }

  int FRows;
  int FCols;
  std::vector<TPlacedCell> FCells;
  std::vector<int> FWidths;
  std::vector<int> FStarts;
};

}  // namespace

std::string FormatCellNumber(double value, const std::string& numberFormat)
{
  if (!std::isfinite(value)) return RealToText(value);
  if (numberFormat.empty() || SameText(numberFormat, "General")) return RealToText(value);
  const std::size_t e = numberFormat.find_first_of("Ee");
  const TDecimals decimals = DecimalsOf(std::string_view(numberFormat).substr(0, e));
  if (e != std::string::npos) return ScientificText(value, decimals);
  return FixedText(value, decimals);
}

std::string SheetText(const TSheet& sheet)
{
  if (sheet.LastRow() == 0) return {};
  return TSheetLayout(sheet).Text();
}

std::string WorkbookReportText(const TWorkbook& workbook)
{
  std::string text;
  for (int i = 0; i < workbook.SheetCount(); ++i) {
    const TSheet& sheet = workbook.Sheet(i);
    if (i > 0) text += "\n";
    const auto* title = std::get_if<std::string>(&sheet.Cell(1, 1).Value);
    if (title == nullptr || *title != sheet.Name()) text += VisibleText(sheet.Name()) + "\n";
    text += SheetText(sheet);
  }
  return text;
}

}  // namespace umbrinex
