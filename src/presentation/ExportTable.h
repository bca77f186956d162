#pragma once
// TExportTable: a staged table that a report fills row by row and then
// writes onto the active sheet in one pass, one empty row below whatever the
// sheet already holds. Headings form a block of their own above the body;
// rows and columns of both are 0-based here and offset only by WriteTo.
// Captions may carry unit placeholders (LL, FF, FF.LL^2, ...), replaced with
// the model's unit names when the table is written.

#include <optional>
#include <string>
#include <vector>

#include "framework/data/Variant.h"
#include "numerics/Errors.h"
#include "presentation/SpreadSheet.h"

namespace umbrinex {

class TUnits;

class EExportTableError : public EUmbrinexError {
 public:
  explicit EExportTableError(const std::string& detail) : EUmbrinexError("Export table error: " + detail) {}
};

// What WriteTo reports to a running progress display: the number of rows
// to come, then one step per row written.
class IRowProgress {
 public:
  virtual ~IRowProgress() = default;
  virtual void SetTotal(int rows) = 0;
  virtual void StepRow() = 0;
};

// The number format a written value gets from a digits count: "0" for an
// integer, a fixed or scientific format with that many digits for a real,
// empty ("keep the default") for anything else or for no digits.
std::string NumberFormatFor(const TVariant& value, int digits);

class TExportTable {
 public:
  // Rows are allocated in blocks of this many, so long station tables grow
  // in a few steps.
  static constexpr int RowBlock = 1024;

  struct THeading {
    std::string Text;
    int Row = 0;
    int FirstCol = 0;
    int LastCol = 0;
    THorizontalAlignment Alignment = THorizontalAlignment::Left;
    TColour Fill = NoColour;
  };
  struct TBorder {
    int Row1 = 0;
    int Col1 = 0;
    int Row2 = 0;
    int Col2 = 0;
    int Style = 2;
  };
  struct TStagedCell {
    TVariant Value;  // empty, text, integer or real
    int Digits = 0;  // 0: the column's
    bool Bold = false;
    bool Italic = false;
    std::optional<TColour> FontColour;
    std::optional<TColour> Fill;
  };

  // Removes rows, columns, headings, borders and separators; the minimum
  // column width and body centring are settings of the table and stay.
  void Clear();

  int ColumnCount() const { return static_cast<int>(FColumnTextWidths.size()); }
  void SetColumnCount(int count);
  void AddColumn() { SetColumnCount(ColumnCount() + 1); }
  int RowCount() const { return static_cast<int>(FRows.size()); }
  int RowCapacity() const { return FCapacity; }
  int HeadingRowCount() const { return FHeadingRowCount; }

  void AddHeading(std::string text, int row, int firstCol, int lastCol,
                  THorizontalAlignment alignment = THorizontalAlignment::Left, TColour fill = NoColour);
  void AddHeadingBorder(int row1, int col1, int row2, int col2, int style);
  void AddBodyBorder(int row1, int col1, int row2, int col2, int style);
  // A vertical line after column m (1-based), through headings and body.
  void AddSeparator(int m) { FSeparators.push_back(m); }
  void AddSeparatorHere() { AddSeparator(ColumnCount()); }

  int ColumnTextWidth(int col) const { return FColumnTextWidths.at(static_cast<std::size_t>(col)); }
  void SetColumnTextWidth(int col, int characters) { FColumnTextWidths.at(static_cast<std::size_t>(col)) = characters; }
  void SetColumnDigits(int col, int digits) { FColumnDigits.at(static_cast<std::size_t>(col)) = digits; }
  int MinColumnWidth() const { return FMinColumnWidth; }
  void SetMinColumnWidth(int characters) { FMinColumnWidth = characters; }
  void SetCentreBody(bool on) { FCentreBody = on; }

  // Appends a row whose first cells take the values; the rest stay empty.
  // More values than columns raise EExportTableError.
  void AddRow(const std::vector<TVariant>& values = {});

  // A cell outside the rows and columns so far is a programming error and
  // throws std::out_of_range.
  const TStagedCell& Cell(int row, int col) const;
  void SetCell(int row, int col, TVariant value) { MutableCell(row, col).Value = std::move(value); }
  void SetCellDigits(int row, int col, int digits) { MutableCell(row, col).Digits = digits; }
  void SetCellBold(int row, int col, bool on) { MutableCell(row, col).Bold = on; }
  void SetCellItalic(int row, int col, bool on) { MutableCell(row, col).Italic = on; }
  void SetCellFontColour(int row, int col, TColour colour) { MutableCell(row, col).FontColour = colour; }
  void SetCellFill(int row, int col, TColour colour) { MutableCell(row, col).Fill = colour; }

  // Writes the table on the sheet's active sheet; see the file comment. The
  // column text widths grow to fit the body's texts, and sheet columns only
  // ever widen.
  void WriteTo(const TUnits& units, TSpreadSheet& sheet, IRowProgress* progress = nullptr);

 private:
  TStagedCell& MutableCell(int row, int col);
  int StartOffset(TSpreadSheet& sheet) const;
  void WriteHeadings(const TUnits& units, TSpreadSheet& sheet, int offset) const;
  void WriteBody(const TUnits& units, TSpreadSheet& sheet, int firstRow, IRowProgress* progress);
  void WriteCell(const TUnits& units, TSpreadSheet& sheet, int row, int col, const TStagedCell& cell);
  void WriteBorders(TSpreadSheet& sheet, int offset) const;
  void WidenColumns(TSpreadSheet& sheet) const;

  std::vector<THeading> FHeadings;
  std::vector<TBorder> FHeadingBorders;
  int FHeadingRowCount = 0;
  int FCapacity = 0;
  std::vector<int> FColumnTextWidths;
  std::vector<std::vector<TStagedCell>> FRows;
  std::vector<TBorder> FBodyBorders;
  std::vector<int> FSeparators;
  std::vector<int> FColumnDigits;
  int FMinColumnWidth = 12;
  bool FCentreBody = false;
};

}  // namespace umbrinex
