#include "framework/grid/GridCore.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "framework/data/DataAccess.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

TGridCore::TGridCore()
{
  FColumns.emplace_back();
}

TGridCore::~TGridCore()
{
  SetCounter(nullptr);
  for (TGridCore* dependent : FDependents) dependent->FCounter = nullptr;
}

TColumn& TGridCore::AddColumn(int varNum, TVarType type)
{
  TColumn& column = FColumns.emplace_back();
  column.VarNum = varNum;
  column.VarType = type;
  return column;
}

void TGridCore::SetFixedRows(int rows)
{
  FFixedRows = std::clamp(rows, 0, 9);
  FRowsShown = std::max(FRowsShown, FFixedRows);
  FCurrent.Row = std::max(FCurrent.Row, FFixedRows);
  FAnchor = FCurrent;
}

void TGridCore::SetRowsShown(int rows)
{
  if (rows >= FFixedRows) FRowsShown = rows;
}

void TGridCore::SetCounter(TGridCore* counter)
{
  if (counter == this) throw ETessanControlError("Cannot set 'Counter' property equal to 'Self'");
  if (FCounter) std::erase(FCounter->FDependents, this);
  FCounter = counter;
  if (FCounter) FCounter->FDependents.push_back(this);
  Invalidate();
}

void TGridCore::SetDataObject(TDataObject* dataObject)
{
  FDataObject = dataObject;
  FPending = false;
  Invalidate();
}

void TGridCore::Invalidate()
{
  if (OnInvalidate) OnInvalidate();
  for (TGridCore* dependent : FDependents) dependent->Invalidate();
}

// ---- rows ----

int TGridCore::CountedRows() const
{
  if (!FCounter) return FFixedDataRows;
  TDataObject* object = FCounter->FDataObject;
  if (!object || FCounter->FColumns.empty()) return 1;
  TAccessStatus status;
  TVariant value;
  object->GetValue(FCounter->FColumns.front().VarNum, 0, status, value, vtCard);
  if (status.Code != acOk && status.Code != acReadOnly) return 1;
  const std::int64_t count = std::clamp<std::int64_t>(value.ToInteger().value_or(0), 0, 65535);
  return static_cast<int>(count) + (GridZeroBased ? 1 : 0);
}

int TGridCore::DataRowCount() const
{
  return std::max(CountedRows(), 1);
}

bool TGridCore::IsCountedRow(int row) const
{
  const int index = DataIndex(row);
  return index >= 0 && index < CountedRows();
}

// ---- cells ----

namespace {

std::string IndexLetters(int index)
{
  std::string letters;
  for (int n = index + 1; n > 0; n = (n - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  return letters;
}

std::string HexText(std::int64_t value, int digits)
{
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%0*X", std::clamp(digits, 1, 8), static_cast<unsigned>(value));
  return buffer;
}

std::string CardinalText(std::int64_t value)
{
  if (value == CardinalUndefined) return "?";
  if (value == CardinalDefault) return "~";
  return std::to_string(value);
}

TVarType ReadRepresentation(TVarType type)
{
  return type == vtList ? vtText : type;
}

}  // namespace

TCellRead TGridCore::ReadCell(int col, int row) const
{
  TCellRead read;
  const TColumn& column = Column(col);
  if (!FDataObject || !IsCountedRow(row) || column.VarType == vtSpin || column.IsIndex()) {
    read.Status.Code = acNotApplicable;
    return read;
  }
  FDataObject->GetValue(column.VarNum, DataIndex(row), read.Status, read.Value, ReadRepresentation(column.VarType));
  return read;
}

std::string TGridCore::CellText(int col, int row) const
{
  const TColumn& column = Column(col);
  if (!IsCountedRow(row)) return {};
  if (column.VarType == vtIndex) return std::to_string(DataIndex(row) + (GridZeroBased ? 0 : 1));
  if (column.VarType == vtLetteredIndex) return IndexLetters(DataIndex(row));
  if (column.VarType == vtSpin || column.VarType == vtPenStyle) return {};
  const TCellRead read = ReadCell(col, row);
  if (!read.HasValue()) return {};
  if (read.Value.IsText()) return read.Value.ToText();
  const std::int64_t integer = read.Value.ToInteger().value_or(0);
  switch (column.VarType) {
    case vtReal:
      return Trim(FormatReal(column.FieldWidth, column.FieldWidth2, frAll, read.Value.ToReal().value_or(Undefined)));
    case vtCard:
    case vtEnum:
      return CardinalText(integer);
    case vtBool:
      return integer != 0 ? "yes" : " no";
    case vtHex:
      return HexText(integer, column.FieldWidth);
    case vtColour:
      return HexText(integer, 8);
    case vtInt:
    case vtLong:
      return std::to_string(integer);
    default:
      return read.Value.ToText();
  }
}

std::string TGridCore::EditText(int col, int row) const
{
  const TColumn& column = Column(col);
  if (column.VarType != vtReal) return Trim(CellText(col, row));
  const TCellRead read = ReadCell(col, row);
  if (!read.HasValue()) return {};
  return Trim(FormatReal(0, FreePrecision, frAll, read.Value.ToReal().value_or(Undefined)));
}

bool TGridCore::CellEditable(int col, int row) const
{
  if (col < 0 || col >= ColCount() || row < FFixedRows || row >= RowCount()) return false;
  const TColumn& column = Column(col);
  if (!FDataObject || !column.Editable || FDataObject->IsReadOnlyObject() || column.IsIndex()) return false;
  if (column.VarType == vtSpin) {
    // A spin cell changes its neighbour to the left.
    return col > 0 && CellEditable(col - 1, row);
  }
  return ReadCell(col, row).Status.Code == acOk;
}

bool TGridCore::CanEdit(int col, int row) const
{
  return EditingAllowed && !RangeSelected() && CellEditable(col, row);
}

bool TGridCore::HasDescriptor(int col) const
{
  const TVarList* vars = FDataObject ? FDataObject->GetVarList() : nullptr;
  return vars && vars->TryFind(Column(col).VarNum);
}

TVar TGridCore::EffectiveDescriptor(int col) const
{
  const TColumn& column = Column(col);
  if (const TVarList* vars = FDataObject ? FDataObject->GetVarList() : nullptr)
    if (const TVar* descriptor = vars->TryFind(column.VarNum)) return *descriptor;
  TVar built;
  built.VarNum = column.VarNum;
  built.VarType = column.VarType;
  built.HasRange = column.Min() < column.Max();
  built.Min = column.Min();
  built.Max = column.Max();
  built.AllowDefault = column.AllowDefault;
  built.AllowInfinity = column.AllowInfinity;
  built.AllowUndefined = column.AllowUndefined;
  built.HelpContext = column.HelpContext;
  return built;
}

int TGridCore::HelpContext(int col) const
{
  if (col < 0 || col >= ColCount()) return 0;
  const TColumn& column = Column(col);
  if (column.IsIndex() && col + 1 < ColCount()) return HelpContext(col + 1);
  if (column.VarType == vtSpin && col > 0) return HelpContext(col - 1);
  if (HasDescriptor(col)) {
    const int topic = EffectiveDescriptor(col).HelpContext;
    if (topic > 0) return topic;
  }
  return column.HelpContext;
}

// ---- selection ----

void TGridCore::MoveTo(int col, int row, bool extend)
{
  col = std::clamp(col, std::min(FFixedCols, ColCount() - 1), ColCount() - 1);
  row = std::clamp(row, std::min(FFixedRows, RowCount() - 1), RowCount() - 1);
  FCurrent = {col, row};
  if (!extend || !AllowRangeSelect) FAnchor = FCurrent;
  FMarked.clear();
}

bool TGridCore::IsMarked(int col, int row) const
{
  return std::find(FMarked.begin(), FMarked.end(), TGridCoord{col, row}) != FMarked.end();
}

void TGridCore::MarkCells(std::vector<TGridCoord> cells)
{
  if (cells.empty()) return;
  MoveTo(cells.front().Col, cells.front().Row);
  FMarked = std::move(cells);
}

std::optional<TGridCoord> TGridCore::TabTarget(bool forward) const
{
  // Columns a user types into; row numbers and spin buttons are passed by.
  std::vector<int> columns;
  for (int col = FFixedCols; col < ColCount(); ++col) {
    const TColumn& column = Column(col);
    if (column.Editable && column.VarType != vtIndex && column.VarType != vtLetteredIndex && column.VarType != vtSpin)
      columns.push_back(col);
  }
  if (columns.empty()) return std::nullopt;
  const int width = static_cast<int>(columns.size());
  // Cells in reading order: row by row, the typed columns of each.
  auto at = std::find(columns.begin(), columns.end(), FCurrent.Col);
  int position = (FCurrent.Row - FFixedRows) * width;
  if (at != columns.end()) {
    position += static_cast<int>(at - columns.begin()) + (forward ? 1 : -1);
  } else {
    // From a column outside them: the next typed column to its right or left.
    const auto next = std::upper_bound(columns.begin(), columns.end(), FCurrent.Col);
    position += static_cast<int>(next - columns.begin()) - (forward ? 0 : 1);
  }
  const int rows = CountedRows() > 0 ? DataRowCount() : 0;
  if (position < 0 || position >= rows * width) return std::nullopt;
  return TGridCoord{columns[static_cast<std::size_t>(position % width)], FFixedRows + position / width};
}

TGridRect TGridCore::Selection() const
{
  TGridRect r;
  r.Left = std::min(FAnchor.Col, FCurrent.Col);
  r.Right = std::max(FAnchor.Col, FCurrent.Col);
  r.Top = std::min(FAnchor.Row, FCurrent.Row);
  r.Bottom = std::max(FAnchor.Row, FCurrent.Row);
  // Rows may have gone since the selection was made.
  r.Bottom = std::min(r.Bottom, RowCount() - 1);
  r.Top = std::min(r.Top, r.Bottom);
  return r;
}

bool TGridCore::RangeSelected() const
{
  return !(FAnchor == FCurrent);
}

bool InClipboardTable(TVarType type)
{
  return type != vtIndex && type != vtLetteredIndex && type != vtSpin;
}

bool InClipboardText(TVarType type)
{
  return type != vtSpin && type != vtPenStyle;
}

}  // namespace umbrinex
