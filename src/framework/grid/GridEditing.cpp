// Changing cells: typed text, cycling, spin buttons, drop-down lists, and
// inserting and deleting rows of a counted table.

#include <algorithm>
#include <cmath>

#include "framework/data/DataAccess.h"
#include "framework/data/Messages.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "framework/grid/GridCore.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

namespace {

// The text rules of a column's type. False with the refusal in status when
// the text is no number of that type.
bool ReadTypedText(TVarType type, const std::string& text, TVariant& value, TVarType& representation,
                   TAccessStatus& status)
{
  representation = type;
  TTextError error = TTextError::None;
  std::int32_t integer = 0;
  switch (type) {
    case vtReal: {
      double real = 0.0;
      error = TextToReal(text, real);
      value = real;
      break;
    }
    case vtInt:
      error = TextToSmallInt(text, integer);
      value = integer;
      break;
    case vtCard:
      error = TextToCardinal(text, integer);
      value = integer;
      break;
    case vtLong:
      error = TextToLong(text, integer);
      value = integer;
      break;
    case vtHex:
      error = TextToHex(text, integer);
      value = integer;
      break;
    case vtBool:
    case vtEnum:
    case vtList:
      // Chosen by name (or one of its patterns), as the user sees them.
      value = Trim(text);
      representation = vtText;
      break;
    default:
      value = text;
      break;
  }
  switch (error) {
    case TTextError::None:
      return true;
    case TTextError::OutOfRange:
      status.Set(acInvalidValue, "Number out of range");
      return false;
    case TTextError::Negative:
      status.Set(acInvalidValue, "Positive number expected");
      return false;
    case TTextError::NotANumber:
      status.Set(acInvalidValue);
      return false;
  }
  return false;
}

std::int64_t RoundedLimit(double limit)
{
  return std::llround(std::clamp(limit, -2147483648.0, 2147483647.0));
}

bool IsCycledInteger(TVarType type)
{
  return type == vtInt || type == vtCard || type == vtEnum || type == vtLong || type == vtHex;
}

// Pen styles a vtPenStyle cell offers, in the order of their numbers.
constexpr const char* PenStyleNames[] = {"Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot", "Clear"};

}  // namespace

TGridOutcome TGridCore::Report(std::uint8_t code, std::string message, TGridCoord cell) const
{
  TGridOutcome outcome;
  outcome.Status.Set(code, std::move(message));
  outcome.Cell = cell;
  return outcome;
}

void TGridCore::AfterChange(int col, int row, const TVariant& value)
{
  if (OnEditDone) OnEditDone(col, value, DataIndex(row));
  if (FQuiet == 0) Invalidate();
}

void TGridCore::BeginEdit(const std::string& text)
{
  FPending = true;
  FPendingCell = FCurrent;
  FPendingText = text;
}

TGridOutcome TGridCore::CommitEdit()
{
  if (!FPending) return {};
  TGridOutcome outcome = Commit(FPendingCell.Col, FPendingCell.Row, FPendingText);
  if (!outcome.Refused()) FPending = false;
  return outcome;
}

TGridOutcome TGridCore::Commit(int col, int row, const std::string& text)
{
  if (!CellEditable(col, row)) return Report(acChangeNotAllowed, {}, {col, row});
  TVariant value;
  TVarType representation = vtNull;
  TAccessStatus status;
  if (!ReadTypedText(Column(col).VarType, text, value, representation, status))
    return Report(status.Code, status.Message, {col, row});
  try {
    return SetCell(col, row, value, representation);
  } catch (const EValueStringNotFound& e) {
    // A name that matches no choice: the message lists the choices.
    return Report(acInvalidValue, e.what(), {col, row});
  }
}

TGridOutcome TGridCore::SetCell(int col, int row, const TVariant& value, TVarType representation)
{
  if (!FDataObject) return {};
  const TGridCoord cell{col, row};
  // Without a descriptor of the object's own, the column's limits hold.
  if (!HasDescriptor(col)) {
    const TAccessStatus check = Validate(EffectiveDescriptor(col), value, representation);
    if (check.Code != acValid) return Report(check.Code, check.Message, cell);
  }
  TAccessStatus status;
  FDataObject->SetValue(Column(col).VarNum, DataIndex(row), status, value, representation);
  if (status.Code != acOk) return Report(status.Code, status.Message, cell);
  AfterChange(col, row, value);
  return Report(acOk, {}, cell);
}

// ---- cycling ----

TGridOutcome TGridCore::Cycle(int col, int row, bool up)
{
  if (!CellEditable(col, row)) return {};
  const TColumn& column = Column(col);
  if (column.VarType == vtBool) {
    const TCellRead read = ReadCell(col, row);
    return SetCell(col, row, TVariant(read.Value.ToInteger().value_or(0) != 0 ? 0 : 1), vtLong);
  }
  if (!IsCycledInteger(column.VarType)) return {};
  const TVar limits = EffectiveDescriptor(col);
  // An enumeration without limits cycles through the names it offers.
  if (column.VarType == vtEnum && !(limits.HasRange && limits.Min < limits.Max)) return CycleByList(col, row, up);
  return CycleValue(col, row, up, column);
}

TGridOutcome TGridCore::CycleValue(int col, int row, bool up, const TColumn& column)
{
  const TVar limits = EffectiveDescriptor(col);
  const std::int64_t min = RoundedLimit(limits.Min);
  const std::int64_t max = RoundedLimit(limits.Max);
  const bool wraps = column.VarType == vtEnum;
  TAccessStatus status;
  TVariant value;
  const bool cardinal = column.VarType == vtCard || column.VarType == vtEnum;
  FDataObject->GetValue(column.VarNum, DataIndex(row), status, value, cardinal ? vtCard : vtLong);
  const std::int64_t v = value.ToInteger().value_or(0);
  std::int64_t next = 0;
  if (cardinal && v == CardinalDefault) {
    next = up ? min : max;
  } else if (up) {
    next = limits.AllowDefault && v == max ? CardinalDefault : v + 1;
    if (wraps && next != CardinalDefault && next > max) next = min;
  } else {
    next = limits.AllowDefault && v == min ? CardinalDefault : v - 1;
    if (wraps && next != CardinalDefault && next < min) next = max;
  }
  return SetCell(col, row, TVariant(next), vtLong);
}

TGridOutcome TGridCore::CycleByList(int col, int row, bool up)
{
  TStringListTarget list;
  if (!FillList(col, row, list) || list.Count() == 0) return {};
  const int count = list.Count();
  const int selected = list.SelectedIndex();
  const int next = selected < 0 ? 0 : (selected + (up ? 1 : count - 1)) % count;
  return SetCell(col, row, TVariant(static_cast<std::int64_t>(list.DataAt(next))), vtLong);
}

TGridOutcome TGridCore::Spin(int col, int row, bool up)
{
  if (col <= 0 || col >= ColCount() || Column(col).VarType != vtSpin) return {};
  if (!IsCycledInteger(Column(col - 1).VarType)) return {};
  return Cycle(col - 1, row, up);
}

// ---- drop-down lists ----

bool TGridCore::FillList(int col, int row, IListTarget& list) const
{
  if (!FDataObject || !IsCountedRow(row)) return false;
  const TColumn& column = Column(col);
  if (column.VarType == vtPenStyle) {
    list.Clear();
    for (std::size_t i = 0; i < std::size(PenStyleNames); ++i) list.Add(PenStyleNames[i], static_cast<TListData>(i));
    TAccessStatus status;
    TVariant value;
    FDataObject->GetValue(column.VarNum, DataIndex(row), status, value, vtLong);
    list.SetSelectedIndex(static_cast<int>(value.ToInteger().value_or(-1)));
    return true;
  }
  if (column.VarType != vtList && column.VarType != vtEnum) return false;
  TAccessStatus status;
  TVariant target(&list);
  FDataObject->GetValue(column.VarNum, DataIndex(row), status, target, vtList);
  return status.Code == acOk || status.Code == acReadOnly;
}

TGridOutcome TGridCore::CommitList(int col, int row, IListTarget& list)
{
  if (!CellEditable(col, row)) return {};
  const TColumn& column = Column(col);
  if (column.VarType == vtPenStyle) return SetCell(col, row, TVariant(list.SelectedIndex()), vtLong);
  return SetCell(col, row, TVariant(&list), vtList);
}

// ---- rows ----

std::int64_t TGridCore::CounterMaximum() const
{
  if (!FCounter || FCounter->FColumns.empty()) return 65535;
  const TVar limits = FCounter->EffectiveDescriptor(0);
  return limits.Max < 65535 ? RoundedLimit(limits.Max) : 65535;
}

TGridOutcome TGridCore::InsertRow()
{
  return InsertOrDelete(true);
}

TGridOutcome TGridCore::DeleteRow()
{
  return InsertOrDelete(false);
}

TGridOutcome TGridCore::InsertOrDelete(bool insert)
{
  if (!FCounter || !EnableInsertDeleteRow || FPending) return {};
  const TGridRect selection = Selection();
  if (selection.Top != selection.Bottom)
    return Report(acNotAllowed,
                  Format("Can only %s a row when a single row is selected.", insert ? "insert" : "delete"), FCurrent);
  TDataObject* object = FCounter->FDataObject;
  if (!object || FCounter->FColumns.empty()) return {};
  const int countVarNum = FCounter->FColumns.front().VarNum;
  TAccessStatus status;
  TVariant value;
  object->GetValue(countVarNum, 0, status, value, vtCard);
  if (status.Code != acOk) return Report(acChangeNotAllowed, {}, FCurrent);
  const std::int64_t count = value.ToInteger().value_or(0);
  const TVar limits = FCounter->EffectiveDescriptor(0);
  const std::int64_t minimum = limits.Min > 0 ? RoundedLimit(limits.Min) : 0;
  const std::int64_t maximum = CounterMaximum();
  const int dataRow = DataIndex(FCurrent.Row);
  std::int64_t newCount = 0;
  if (insert) {
    if (count >= maximum)
      return Report(acNotAllowed, "Cannot insert another row.  The table is already full.", FCurrent);
    newCount = count + 1;
    object->SetValue(countVarNum, dataRow, status, TVariant(newCount), vtInsertBefore);
  } else {
    if (count <= minimum)
      return Report(acNotAllowed,
                    Format("Cannot delete this row.  There must be at least %lld row%s in the table.",
                           static_cast<long long>(minimum), minimum == 1 ? "" : "s"),
                    FCurrent);
    if (!AskQuestion("Delete this row?")) return {};
    newCount = count - 1;
    object->SetValue(countVarNum, dataRow, status, TVariant(newCount), vtDelete);
  }
  if (status.Code != acOk) return Report(status.Code, status.Message, FCurrent);
  if (OnEditDone) OnEditDone(FCurrent.Col, TVariant(newCount), dataRow);
  FCounter->Invalidate();
  MoveTo(FCurrent.Col, FCurrent.Row);
  return Report(acOk, {}, FCurrent);
}

}  // namespace umbrinex
