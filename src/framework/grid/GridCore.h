#pragma once
// The rules of the data grid without a window: every cell is a data item (a
// column names a VarNum and a type, a row is the item's index), read and
// written through the data object the grid is bound to. The grid holds no
// data of its own; it knows how cells are addressed, shown, typed into,
// committed, cycled, inserted and deleted, copied, pasted and filled, and
// how they are written as text. The widget on top only paints and routes
// keys and the mouse.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/data/DataTypes.h"
#include "framework/data/VarList.h"
#include "framework/data/Variant.h"
#include "framework/grid/GridClipboard.h"
#include "framework/grid/GridColumns.h"
#include "numerics/Errors.h"

namespace umbrinex {

class TDataObject;
class TDataTextPort;

class ETessanControlError : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

enum TScrollStyle : std::uint8_t { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };

// Where the grid is being drawn: on the screen, for the printer, or as text.
enum TGridOutputMode : std::uint8_t { omScreen = 0, omPrinting = 1, omExporting = 2 };

enum class TFillDirection { Down, Up, Right, Left };

// A cell in grid coordinates: rows count the title rows.
struct TGridCoord {
  int Col = 0;
  int Row = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
};

// What an action did: nothing (code 0), a change (code 1), or a refusal
// (above 1) to be shown in the hint under Cell.
struct TGridOutcome {
  TAccessStatus Status;
  TGridCoord Cell;
  bool Changed() const { return Status.Code == acOk; }
  bool Refused() const { return Status.Code > acOk; }
  // The hint's text: the message, or the code's default message.
  std::string HintText() const { return Status.Text(); }
};

// What a copy puts on the clipboard: tab-separated text and the table in
// the private format.
struct TGridClipboard {
  std::string Text;
  std::vector<std::uint8_t> Table;  // empty when the clipboard holds no table
};

// A cell as read for painting.
struct TCellRead {
  TAccessStatus Status;
  TVariant Value;
  bool HasValue() const { return Status.Code == acOk || Status.Code == acReadOnly; }
};

class TGridCore {
 public:
  TGridCore();
  ~TGridCore();
  TGridCore(const TGridCore&) = delete;
  TGridCore& operator=(const TGridCore&) = delete;

  // ---- properties ----
  std::vector<TColumn>& Columns() { return FColumns; }
  const std::vector<TColumn>& Columns() const { return FColumns; }
  TColumn& Column(int col) { return FColumns.at(static_cast<std::size_t>(col)); }
  const TColumn& Column(int col) const { return FColumns.at(static_cast<std::size_t>(col)); }
  // Appends a column for an item.
  TColumn& AddColumn(int varNum, TVarType type);
  int ColCount() const { return static_cast<int>(FColumns.size()); }

  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int rows);  // 0..9
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int cols) { FFixedCols = cols < 0 ? 0 : cols; }
  int RowsShown() const { return FRowsShown; }
  void SetRowsShown(int rows);  // values below FixedRows are ignored
  double DesignRowHeight = 1.2;
  // Data rows of a grid that has no Counter.
  int FixedDataRows() const { return FFixedDataRows; }
  void SetFixedDataRows(int rows) { FFixedDataRows = rows < 1 ? 1 : rows; }
  bool GridZeroBased = false;
  bool EnableInsertDeleteRow = true;
  bool AllowRangeSelect = true;
  bool HideSelection = true;
  bool EditingAllowed = true;
  TScrollStyle ScrollBars = ssBoth;
  TGridOutputMode OutputMode = omScreen;

  // The grid whose first column holds this grid's row count.
  TGridCore* Counter() const { return FCounter; }
  void SetCounter(TGridCore* counter);
  // The grids that use this one as Counter.
  const std::vector<TGridCore*>& Dependents() const { return FDependents; }

  TDataObject* DataObject() const { return FDataObject; }
  void SetDataObject(TDataObject* dataObject);

  // Raised after every successful change: the column, the new value (the
  // new row count for insertions and deletions) and the data row.
  std::function<void(int col, const TVariant& value, int dataRow)> OnEditDone;
  // Raised by Invalidate, for the window to repaint and lay out again.
  std::function<void()> OnInvalidate;
  // Marks the layout invalid here and in every grid that counts on this one.
  void Invalidate();

  // ---- rows ----
  // The count the Counter reads (0 possible), or FixedDataRows without one.
  int CountedRows() const;
  // Data rows of the grid: never fewer than one, so that an empty table
  // still has a row (of no height) to put the current cell in.
  int DataRowCount() const;
  int RowCount() const { return FFixedRows + DataRowCount(); }
  int DataIndex(int row) const { return row - FFixedRows; }
  // A data row the table really has (not the placeholder of an empty one).
  bool IsCountedRow(int row) const;

  // ---- cells ----
  TCellRead ReadCell(int col, int row) const;
  // The text a cell shows, and the text its editor starts with.
  std::string CellText(int col, int row) const;
  std::string EditText(int col, int row) const;
  // The cell can take a change: the column is editable, the object is not
  // read-only, the item answers code 1. CanEdit also wants editing allowed
  // and no range selected.
  bool CellEditable(int col, int row) const;
  bool CanEdit(int col, int row) const;
  // The descriptor a column validates with: the data object's own when it
  // has one for the VarNum, else one built from the column.
  TVar EffectiveDescriptor(int col) const;
  bool HasDescriptor(int col) const;
  // The help topic of a column: the descriptor's, an index column's
  // neighbour to the right, a spin column's neighbour to the left.
  int HelpContext(int col) const;

  // ---- selection ----
  TGridCoord Current() const { return FCurrent; }
  TGridCoord Anchor() const { return FAnchor; }
  // Moves the current cell, extending the range from the anchor when asked
  // (and allowed); title rows and fixed columns cannot be selected.
  void MoveTo(int col, int row, bool extend = false);
  TGridRect Selection() const;
  bool RangeSelected() const;
  // Cells picked out after a paste that some cells refused: they show as
  // selected until the current cell moves. The first becomes current.
  const std::vector<TGridCoord>& MarkedCells() const { return FMarked; }
  bool IsMarked(int col, int row) const;
  void MarkCells(std::vector<TGridCoord> cells);
  // The cell Tab (forward) or Shift+Tab goes to: the next or previous cell,
  // in reading order, of the columns a user types into; none past the first
  // or last such cell.
  std::optional<TGridCoord> TabTarget(bool forward) const;

  // ---- editing ----
  // The pending edit: the text being typed into the current cell.
  void BeginEdit(const std::string& text);
  void SetEditText(const std::string& text) { FPendingText = text; }
  bool HasPendingEdit() const { return FPending; }
  const std::string& PendingText() const { return FPendingText; }
  TGridCoord PendingCell() const { return FPendingCell; }
  // Commits the pending edit; on a refusal the pending edit stays, so that
  // the editor keeps the rejected text.
  TGridOutcome CommitEdit();
  void CancelEdit() { FPending = false; }

  // Reads text with the column's type and stores it.
  TGridOutcome Commit(int col, int row, const std::string& text);
  // Stores a value with the column's validation.
  TGridOutcome SetCell(int col, int row, const TVariant& value, TVarType representation);
  // The next or previous value of an enumeration, boolean or counted cell.
  TGridOutcome Cycle(int col, int row, bool up);
  // A spin cell steps the column to its left.
  TGridOutcome Spin(int col, int row, bool up);
  // Fills a drop-down list with the cell's choices; false for no list.
  bool FillList(int col, int row, IListTarget& list) const;
  // Stores the list's selection.
  TGridOutcome CommitList(int col, int row, IListTarget& list);

  // ---- rows of a counted table ----
  TGridOutcome InsertRow();
  TGridOutcome DeleteRow();

  // ---- clipboard ----
  // The selection; empty when the table has no rows.
  TGridClipboard Copy() const;
  // Pastes the table when there is one, else the text, at the selection.
  TGridOutcome Paste(const TGridClipboard& clipboard);
  TGridOutcome Fill(TFillDirection direction);

  // ---- text ----
  // A title's caption with the unit names of the data object put in.
  std::string TitleText(int col, int titleRow) const;
  // Writes every row at a 1-based column and line of the port. columnWidths
  // are the columns' widths in pixels, charWidth the width of a character.
  void RenderAsText(TDataTextPort& port, int column, int line, const std::vector<int>& columnWidths,
                    double charWidth) const;

 private:
  TGridOutcome Report(std::uint8_t code, std::string message, TGridCoord cell) const;
  TGridOutcome InsertOrDelete(bool insert);
  TGridOutcome CycleValue(int col, int row, bool up, const TColumn& column);
  TGridOutcome CycleByList(int col, int row, bool up);
  void AfterChange(int col, int row, const TVariant& value);
  TClipboardCell RecordOf(int col, int row) const;
  // Applies one record; true when the cell refused it or raised.
  bool ApplyRecord(int col, int row, const TClipboardCell& cell);
  bool GrowForPaste(int rows, TGridOutcome& outcome);
  // The most rows the Counter's item takes (at most 65535).
  std::int64_t CounterMaximum() const;
  // These add the cells that refused their values to refused.
  void PasteTable(const std::vector<TClipboardCell>& cells, std::vector<TGridCoord>& refused);
  void PasteText(const std::vector<std::string>& lines, std::vector<TGridCoord>& refused);
  void FillCells(TFillDirection direction, std::vector<TGridCoord>& refused);

  std::vector<TColumn> FColumns;
  int FFixedRows = 1;
  int FFixedCols = 0;
  int FRowsShown = 5;
  int FFixedDataRows = 1;
  TGridCore* FCounter = nullptr;
  std::vector<TGridCore*> FDependents;
  TDataObject* FDataObject = nullptr;
  TGridCoord FCurrent;
  TGridCoord FAnchor;
  std::vector<TGridCoord> FMarked;
  bool FPending = false;
  std::string FPendingText;
  TGridCoord FPendingCell;
  // Above 0 while a paste or fill runs: the grid repaints once at its end.
  int FQuiet = 0;
};

// Whether a column of this type takes part in the private clipboard format
// and in the text (spin and pen style columns have no text).
bool InClipboardTable(TVarType type);
bool InClipboardText(TVarType type);

}  // namespace umbrinex
