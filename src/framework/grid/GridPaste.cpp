// Copying a range of cells, pasting it back in the private format or as
// text, and filling a range from one of its edges. Refusals while pasting
// are not reported cell by cell: one hint at the end says that some cells
// did not take their values.

#include <string_view>

#include "framework/data/DataAccess.h"
#include "framework/data/Messages.h"
#include "framework/data/TextUtils.h"
#include "framework/grid/GridCore.h"

namespace umbrinex {

namespace {

constexpr const char* PasteErrorsText = "Some errors occurred whilst pasting.  Please check your data.";

TCellDisplay DisplayOf(TVarType type)
{
  if (type == vtColour) return TCellDisplay::Colour;
  if (type == vtPenStyle) return TCellDisplay::PenStyle;
  return TCellDisplay::Ordinary;
}

// Text lines; a line break at the very end starts no line of its own.
std::vector<std::string> SplitLines(std::string_view text)
{
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

std::vector<std::string> SplitFields(std::string_view line)
{
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.emplace_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

// Changes made cell by cell count as one batch of the data object, and the
// grid repaints once at the end.
class TPasteBatch {
 public:
  TPasteBatch(TDataObject& object, int& quiet) : FObject(object), FQuiet(quiet)
  {
    FObject.BeginUpdate();
    ++FQuiet;
  }
  ~TPasteBatch()
  {
    --FQuiet;
    FObject.EndUpdate();
  }
  TPasteBatch(const TPasteBatch&) = delete;
  TPasteBatch& operator=(const TPasteBatch&) = delete;

 private:
  TDataObject& FObject;
  int& FQuiet;
};

}  // namespace

TClipboardCell TGridCore::RecordOf(int col, int row) const
{
  const TColumn& column = Column(col);
  const TCellDisplay display = DisplayOf(column.VarType);
  if (!FDataObject || !IsCountedRow(row)) return TClipboardCell::Empty(display);
  // Enumerations travel as their ordinal, lists as their text.
  TVarType representation = column.VarType;
  if (column.VarType == vtEnum) representation = vtCard;
  if (column.VarType == vtList) representation = vtText;
  TAccessStatus status;
  TVariant value;
  FDataObject->GetValue(column.VarNum, DataIndex(row), status, value, representation);
  if (status.Code != acOk && status.Code != acReadOnly) return TClipboardCell::Empty(display);
  if (value.IsText()) return TClipboardCell::OfText(value.ToText(), display);
  switch (column.VarType) {
    case vtReal:
      return TClipboardCell::OfReal(value.ToReal().value_or(0.0));
    case vtBool:
      return TClipboardCell::OfBoolean(value.ToInteger().value_or(0) != 0);
    case vtInt:
    case vtCard:
    case vtEnum:
    case vtLong:
    case vtHex:
    case vtColour:
    case vtPenStyle:
      return TClipboardCell::OfInteger(static_cast<std::int32_t>(value.ToInteger().value_or(0)), display);
    default:
      return TClipboardCell::OfText(value.ToText(), display);
  }
}

TGridClipboard TGridCore::Copy() const
{
  TGridClipboard clipboard;
  if (CountedRows() == 0) return clipboard;
  const TGridRect selection = Selection();
  std::vector<TClipboardCell> cells;
  for (int row = selection.Top; row <= selection.Bottom; ++row) {
    std::string line;
    for (int col = selection.Left; col <= selection.Right; ++col)
      if (InClipboardText(Column(col).VarType)) line.append(CellText(col, row)).append("\t");
    if (!line.empty()) line.pop_back();
    clipboard.Text.append(line).append("\n");
    const std::size_t first = cells.size();
    for (int col = selection.Left; col <= selection.Right; ++col)
      if (InClipboardTable(Column(col).VarType)) cells.push_back(RecordOf(col, row));
    if (cells.size() > first) cells.back().EndOfRow = true;
  }
  if (!cells.empty()) clipboard.Table = EncodeCells(cells);
  return clipboard;
}

bool TGridCore::ApplyRecord(int col, int row, const TClipboardCell& cell)
{
  const TColumn& column = Column(col);
  if (cell.Display != static_cast<std::uint32_t>(DisplayOf(column.VarType)) || !cell.HasValue()) return false;
  if (!CellEditable(col, row)) return false;
  try {
    TGridOutcome outcome;
    switch (cell.KnownKind()) {
      case TCellKind::String:
        outcome = Commit(col, row, cell.Text);
        break;
      case TCellKind::Integer:
      case TCellKind::Boolean: {
        if (column.VarType == vtList) return true;  // a list takes a name only
        const TVariant value(cell.KnownKind() == TCellKind::Integer ? cell.Integer : (cell.Boolean ? 1 : 0));
        outcome = SetCell(col, row, value, column.VarType == vtEnum ? vtCard : column.VarType);
        break;
      }
      case TCellKind::Double:
        if (column.VarType == vtList) return true;
        outcome = SetCell(col, row, TVariant(cell.Real), column.VarType);
        break;
      default:
        return false;
    }
    return outcome.Refused();
  } catch (const ESilentAbort&) {
    throw;
  } catch (const std::exception&) {
    return true;
  }
}

bool TGridCore::GrowForPaste(int rows, TGridOutcome& outcome)
{
  if (!FCounter) return true;
  const long long needed = static_cast<long long>(DataIndex(Selection().Top)) + rows;
  if (CountedRows() >= needed) return true;
  // A table that cannot grow that far is not offered the growth it would
  // then refuse.
  const long long maximum = CounterMaximum() + (GridZeroBased ? 1 : 0);
  if (needed > maximum) {
    outcome = Report(acNotAllowed,
                     Format("Cannot paste %d rows here.  The table would need %lld rows and can have at most %lld.",
                            rows, needed, maximum),
                     FCurrent);
    return false;
  }
  if (!AskQuestion(Format("To paste the data form the clipboard this table needs to have %lld rows.  Do you want the "
                          "number of rows to be increased to this value before pasting?%s%sIf you answer No then "
                          "nothing will be pasted.",
                          needed, LineBreak, LineBreak)))
    return false;
  const long long counterValue = needed - (GridZeroBased ? 1 : 0);
  outcome = FCounter->SetCell(0, FCounter->FixedRows(), TVariant(static_cast<std::int64_t>(counterValue)),
                              FCounter->Column(0).VarType);
  if (!outcome.Refused()) return true;
  outcome.Cell = FCurrent;
  return false;
}

TGridOutcome TGridCore::Paste(const TGridClipboard& clipboard)
{
  if (!FDataObject || FColumns.empty()) return {};
  const TGridRect selection = Selection();
  const TGridCoord topLeft{selection.Left, selection.Top};
  std::vector<TClipboardCell> cells;
  std::vector<std::string> lines;
  const bool table = !clipboard.Table.empty();
  int rows = 0;
  if (table) {
    std::string error;
    if (!DecodeCells(clipboard.Table, cells, error)) return Report(acNotAllowed, error, topLeft);
    rows = ClipboardRowCount(cells);
  } else {
    lines = SplitLines(clipboard.Text);
    rows = static_cast<int>(lines.size());
  }
  if (rows == 0) return {};
  TGridOutcome grown;
  if (!GrowForPaste(rows, grown)) return grown;
  std::vector<TGridCoord> refused;
  {
    TPasteBatch batch(*FDataObject, FQuiet);
    table ? PasteTable(cells, refused) : PasteText(lines, refused);
  }
  Invalidate();
  if (!refused.empty()) {
    // The refused cells are picked out, so that the user sees which ones.
    MarkCells(std::move(refused));
    return Report(acNotAllowed, PasteErrorsText, topLeft);
  }
  return Report(acOk, {}, topLeft);
}

void TGridCore::PasteTable(const std::vector<TClipboardCell>& cells, std::vector<TGridCoord>& refused)
{
  const TGridRect selection = Selection();
  int row = selection.Top;
  int col = selection.Left;
  for (const TClipboardCell& cell : cells) {
    if (row >= RowCount()) break;
    while (col < ColCount() && !InClipboardTable(Column(col).VarType)) ++col;
    // Records for columns beyond the grid are read and dropped.
    if (col < ColCount()) {
      if (ApplyRecord(col, row, cell)) refused.push_back({col, row});
      ++col;
    }
    if (cell.EndOfRow) {
      ++row;
      col = selection.Left;
    }
  }
}

void TGridCore::PasteText(const std::vector<std::string>& lines, std::vector<TGridCoord>& refused)
{
  const TGridRect selection = Selection();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int row = selection.Top + static_cast<int>(i);
    if (row >= RowCount()) break;
    int col = selection.Left;
    for (const std::string& field : SplitFields(lines[i])) {
      while (col < ColCount() && !InClipboardText(Column(col).VarType)) ++col;
      if (col >= ColCount()) break;
      const TVarType type = Column(col).VarType;
      // These take a field but keep their value: a name or a number typed
      // elsewhere says nothing reliable about them.
      const bool kept = type == vtEnum || type == vtIndex || type == vtLetteredIndex || type == vtColour;
      if (!kept && CellEditable(col, row)) {
        bool refusedHere = true;
        try {
          refusedHere = Commit(col, row, field).Refused();
        } catch (const ESilentAbort&) {
          throw;
        } catch (const std::exception&) {
        }
        if (refusedHere) refused.push_back({col, row});
      }
      ++col;
    }
  }
}

TGridOutcome TGridCore::Fill(TFillDirection direction)
{
  if (!FDataObject) return {};
  const TGridRect selection = Selection();
  std::vector<TGridCoord> refused;
  {
    TPasteBatch batch(*FDataObject, FQuiet);
    FillCells(direction, refused);
  }
  Invalidate();
  if (refused.empty()) return {};
  MarkCells(std::move(refused));
  return Report(acNotAllowed, PasteErrorsText, {selection.Left, selection.Top});
}

void TGridCore::FillCells(TFillDirection direction, std::vector<TGridCoord>& refused)
{
  const TGridRect s = Selection();
  if (direction == TFillDirection::Down || direction == TFillDirection::Up) {
    const int source = direction == TFillDirection::Down ? s.Top : s.Bottom;
    std::vector<TClipboardCell> records;
    for (int col = s.Left; col <= s.Right; ++col) records.push_back(RecordOf(col, source));
    for (int row = s.Top; row <= s.Bottom; ++row) {
      if (row == source) continue;
      for (int col = s.Left; col <= s.Right; ++col)
        if (InClipboardTable(Column(col).VarType) && ApplyRecord(col, row, records[std::size_t(col - s.Left)]))
          refused.push_back({col, row});
    }
    return;
  }
  const int source = direction == TFillDirection::Right ? s.Left : s.Right;
  if (!InClipboardTable(Column(source).VarType)) return;
  for (int row = s.Top; row <= s.Bottom; ++row) {
    const TClipboardCell record = RecordOf(source, row);
    for (int col = s.Left; col <= s.Right; ++col)
      if (col != source && InClipboardTable(Column(col).VarType) && ApplyRecord(col, row, record))
        refused.push_back({col, row});
  }
}

}  // namespace umbrinex
