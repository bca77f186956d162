#pragma once
// The program's own in-memory workbook: named sheets of typed, formatted
// cells. Reports write on it through TSpreadSheet, the table window shows it,
// and WorkbookFiles saves it. The model knows nothing of limits, special
// values or selections kept for the user: those rules live in TSpreadSheet.
//
// Rows and columns are numbered from 1. Storage is dense per written row, so
// a sheet costs memory in proportion to what was written on it, and reading a
// cell that was never written gives a blank cell.

#include <array>
#include <compare>
#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "framework/data/Colour.h"

namespace umbrinex {

enum class THorizontalAlignment : std::uint8_t { General, Left, Centre, Right, CentreAcross };

// Sides of a cell's border. Line styles use the common spreadsheet numbering
// (0 none, 1 thin, 2 medium, 3 dashed, ... 13), which the .xlsx file keeps.
enum TBorderSide : std::uint8_t { bsLeft = 0, bsTop = 1, bsRight = 2, bsBottom = 3 };
inline constexpr int MaxBorderStyle = 13;

// The workbook's font size is fixed rather than configurable; 11 points on
// 15-point rows is what spreadsheet programs open a new sheet with.
inline constexpr int DefaultFontSize = 11;       // points
inline constexpr int DefaultRowHeight = 300;     // twips (1/20 point)
inline constexpr int DefaultColumnWidth = 2158;  // 1/256 of a character: 8.43
inline constexpr const char* DefaultNumberFormatText = "0.0###";

struct TCellFormat {
  std::string NumberFormat = DefaultNumberFormatText;
  bool Bold = false;
  bool Italic = false;
  TColour FontColour = NoColour;
  int FontSize = DefaultFontSize;
  TColour Fill = NoColour;
  THorizontalAlignment Alignment = THorizontalAlignment::General;
  std::array<std::uint8_t, 4> Borders{};  // line style per TBorderSide

  friend auto operator<=>(const TCellFormat&, const TCellFormat&) = default;
};

// Empty, number, text or boolean.
using TCellValue = std::variant<std::monostate, double, std::string, bool>;

struct TCell {
  TCellValue Value;
  TCellFormat Format;

  // Neither a value nor a format of its own: not part of the used area.
  bool IsBlank() const;
};

// Corners of a block of cells; a range whose second corner lies above or to
// the left of the first holds no cells.
struct TCellRange {
  int Row1 = 1;
  int Col1 = 1;
  int Row2 = 1;
  int Col2 = 1;

  bool IsEmpty() const { return Row2 < Row1 || Col2 < Col1; }
};

class TSheet {
 public:
  explicit TSheet(std::string name) : FName(std::move(name)) {}

  const std::string& Name() const { return FName; }
  void SetName(std::string name) { FName = std::move(name); }

  const TCell& Cell(int row, int col) const;
  // The cell for writing, created when needed.
  TCell& At(int row, int col);
  // Clears the values of the written cells in the range; formats stay.
  void ClearValues(const TCellRange& range);

  // The last row and column holding a non-blank cell; 0 on a blank sheet.
  int LastRow() const;
  int LastCol() const;

  int ColumnWidth(int col) const;  // 1/256 of a character
  void SetColumnWidth(int col, int width);
  int RowHeight(int row) const;  // twips
  void SetRowHeight(int row, int height);
  // Only the widths and heights set differ from the defaults.
  const std::map<int, int>& ColumnWidths() const { return FColumnWidths; }
  const std::map<int, int>& RowHeights() const { return FRowHeights; }

  // The user's selection in the table window, kept with the sheet.
  TCellRange Selection;

 private:
  std::string FName;
  std::vector<std::vector<TCell>> FRows;
  std::map<int, int> FColumnWidths;
  std::map<int, int> FRowHeights;
};

// Sheets are addressed by 0-based index; an index outside the workbook is a
// programming error and throws std::out_of_range.
class TWorkbook {
 public:
  TWorkbook();  // one sheet, "Sheet1"

  int SheetCount() const { return static_cast<int>(FSheets.size()); }
  // At least one sheet. Sheets are added and removed at the end; new sheets
  // get the first free name "Sheet<n>", n counting from their position.
  void SetSheetCount(int count);
  TSheet& Sheet(int index);
  const TSheet& Sheet(int index) const;
  // True when another sheet than the one at index has this name; names are
  // compared without regard to case, as spreadsheet files require.
  bool HasSheetNamed(const std::string& name, int exceptIndex = -1) const;

  int ActiveIndex() const { return FActive; }
  void SetActiveIndex(int index);
  TSheet& ActiveSheet() { return Sheet(FActive); }
  const TSheet& ActiveSheet() const { return Sheet(FActive); }
  // Replaces the active sheet by a blank one of the same name.
  void ResetActiveSheet();

  // Whether a view should redraw as the workbook changes; switched off while
  // a long table is written.
  bool Repaint() const { return FRepaint; }
  void SetRepaint(bool on) { FRepaint = on; }

 private:
  std::vector<TSheet> FSheets;
  int FActive = 0;
  bool FRepaint = true;
};

}  // namespace umbrinex
