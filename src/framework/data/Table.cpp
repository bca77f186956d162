#include "framework/data/Table.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

#include "framework/data/TextUtils.h"
#include "framework/data/Variant.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

namespace {

bool AreConsecutive(const std::vector<TTableColumn>& columns)
{
  for (std::size_t i = 1; i < columns.size(); ++i) {
    if (std::int64_t{columns[i].VarNum} != std::int64_t{columns[i - 1].VarNum} + 1) return false;
  }
  return true;
}

// Whether a comes strictly before b in the sort order.
bool Before(double a, double b, bool descending)
{
  return descending ? a > b : a < b;
}

// Where x lies between two index values, 0 at lower and 1 at upper. Against
// an infinite end the fraction runs in the reciprocal of x, so that it still
// reaches that end only at Infinity.
double SegmentFraction(double lower, double upper, double x)
{
  if (upper == Infinity) return 1.0 - SafeDivide(lower, x);
  if (lower == MinusInfinity) return SafeDivide(upper, x);
  if (std::fabs(upper - lower) < Tiny) return 0.0;
  return (x - lower) / (upper - lower);
}

// The column value at fraction f of a segment. An infinite end is
// approached hyperbolically rather than along a straight line, which would
// give Infinity everywhere in the segment.
double Blend(double lower, double upper, double f)
{
  if (IsInfinite(lower)) return SafeDivide(upper, f);
  if (IsInfinite(upper)) return SafeDivide(lower, 1.0 - f);
  return lower + (upper - lower) * f;
}

}  // namespace

TTable::TTable(int countVarNum, std::vector<TTableColumn> columns)
    : FCountVarNum(countVarNum), FColumns(std::move(columns)), FConsecutiveVarNums(AreConsecutive(FColumns))
{
}

void TTable::Assign(const TTable& source)
{
  if (&source == this) return;
  FColumns = source.FColumns;
  FConsecutiveVarNums = source.FConsecutiveVarNums;
  FRowCount = source.FRowCount;
  FCells = source.FCells;
  Changed();
}

int TTable::ColumnIndex(int varNum) const
{
  if (FColumns.empty()) return -1;
  if (FConsecutiveVarNums) {
    const std::int64_t i = std::int64_t{varNum} - FColumns.front().VarNum;
    return i >= 0 && i < ColumnCount() ? static_cast<int>(i) : -1;
  }
  for (int i = 0; i < ColumnCount(); ++i) {
    if (FColumns[static_cast<std::size_t>(i)].VarNum == varNum) return i;
  }
  return -1;
}

int TTable::CheckedColumn(int varNum) const
{
  const int column = ColumnIndex(varNum);
  if (column < 0) throw ETableError(Format("Column ID %d does not exist.", varNum));
  return column;
}

void TTable::CheckRow(int row, int rowLimit) const
{
  if (row < 0 || row >= rowLimit) {
    throw std::out_of_range(Format("Table row %d is outside 0..%d.", row, rowLimit - 1));
  }
}

double TTable::Cell(int row, int varNum) const
{
  const int column = CheckedColumn(varNum);
  CheckRow(row, FRowCount);
  return At(row, column);
}

void TTable::SetCell(int row, int varNum, double value)
{
  const int column = CheckedColumn(varNum);
  CheckRow(row, FRowCount);
  At(row, column) = value;
  Changed();
}

void TTable::SetRowCount(int n)
{
  n = std::max(n, 0);
  if (n < FRowCount) {
    FRowCount = n;
    FCells.resize(Offset(n, 0));
    Changed();
  }
  FCells.reserve(Offset(n, 0));
  while (FRowCount < n) InsertRow(FRowCount);
}

void TTable::InsertRow(int position)
{
  CheckRow(position, FRowCount + 1);
  const auto start = FCells.begin() + static_cast<std::ptrdiff_t>(Offset(position, 0));
  FCells.insert(start, FColumns.size(), 0.0);
  ++FRowCount;
  Changed();
  if (FRowCount == 1) {
    for (int column = 0; column < ColumnCount(); ++column) At(0, column) = Column(column).Default;
    return;
  }
  const int source = position == FRowCount - 1 ? position - 1 : position + 1;
  for (int column = 0; column < ColumnCount(); ++column) At(position, column) = At(source, column);
}

void TTable::InsertInterpolatedRow(int position)
{
  InsertRow(position);
  // At either end the new row is a copy of the old end row, so the midpoint
  // goes between the old end row and its neighbour instead.
  if (FRowCount >= 3) AverageNeighbours(std::clamp(position, 1, FRowCount - 2));
}

void TTable::AverageNeighbours(int row)
{
  for (int column = 0; column < ColumnCount(); ++column) {
    At(row, column) = (At(row - 1, column) + At(row + 1, column)) / 2.0;
  }
  Changed();
}

void TTable::DeleteRow(int position)
{
  CheckRow(position, FRowCount);
  const auto start = FCells.begin() + static_cast<std::ptrdiff_t>(Offset(position, 0));
  FCells.erase(start, start + static_cast<std::ptrdiff_t>(FColumns.size()));
  --FRowCount;
  Changed();
}

void TTable::SwapRows(int a, int b)
{
  const auto rowA = FCells.begin() + static_cast<std::ptrdiff_t>(Offset(a, 0));
  const auto rowB = FCells.begin() + static_cast<std::ptrdiff_t>(Offset(b, 0));
  std::swap_ranges(rowA, rowA + static_cast<std::ptrdiff_t>(FColumns.size()), rowB);
}

void TTable::Sort(int order)
{
  if (order != soAscending && order != soDescending) return;
  if (FRowCount > 1) QuickSort(0, FRowCount - 1, order == soDescending);
  Changed();
}

// Hoare partitioning around the middle row's index value. The pivot value
// is copied because swapping moves the pivot row. Recursing into the smaller
// part only keeps the stack depth logarithmic.
void TTable::QuickSort(int low, int high, bool descending)
{
  while (low < high) {
    const double pivot = IndexValue(low + (high - low) / 2);
    int i = low;
    int j = high;
    while (i <= j) {
      while (Before(IndexValue(i), pivot, descending)) ++i;
      while (Before(pivot, IndexValue(j), descending)) --j;
      if (i <= j) SwapRows(i++, j--);
    }
    if (j - low < high - i) {
      QuickSort(low, j, descending);
      low = i;
    } else {
      QuickSort(i, high, descending);
      high = j;
    }
  }
}

bool TTable::IsSorted(int order) const
{
  if (order != soAscending && order != soDescending) return true;
  for (int row = 1; row < FRowCount; ++row) {
    const double previous = IndexValue(row - 1);
    const double next = IndexValue(row);
    if (!(order == soAscending ? next >= previous : next <= previous)) return false;
  }
  return true;
}

bool TTable::HasDuplicateIndexValues() const
{
  for (int row = 1; row < FRowCount; ++row) {
    for (int other = 0; other < row; ++other) {
      if (IndexValue(row) == IndexValue(other)) return true;
    }
  }
  return false;
}

double TTable::Interpolate(int varNum, double x) const
{
  return InterpolateAt(varNum, x, true);
}

double TTable::InterpolateUncached(int varNum, double x) const
{
  return InterpolateAt(varNum, x, false);
}

double TTable::InterpolateAt(int varNum, double x, bool cached) const
{
  const int column = CheckedColumn(varNum);
  if (column == 0) throw ETableError("Cannot interpolate the index column.");
  if (FRowCount == 0) return Undefined;
  if (FRowCount == 1) return At(0, column);
  const TLookup lookup = cached ? Locate(x) : Lookup(x);
  return Blend(At(lookup.Row, column), At(lookup.Row + 1, column), lookup.Fraction);
}

const TTable::TLookup& TTable::Locate(double x) const
{
  if (FCacheValid && x == FCacheArgument) return FCacheLookup;
  FCacheLookup = Lookup(x);
  FCacheArgument = x;
  FCacheValid = true;
  return FCacheLookup;
}

TTable::TLookup TTable::Lookup(double x) const
{
  const int row = FindSegment(x);
  return {row, SegmentFraction(IndexValue(row), IndexValue(row + 1), x)};
}

// The lower row m of the segment that holds x; below the first and from the
// last index value on, the end segments extrapolate. An x equal to an
// interior index value lands at the end of the segment below it, which gives
// the same value, except among equal index values, where it settles on the
// first of them.
int TTable::FindSegment(double x) const
{
  const int last = FRowCount - 1;
  if (x < IndexValue(0)) return 0;
  if (x >= IndexValue(last)) return last - 1;
  int low = 0;
  int high = last;
  while (high - low > 1) {
    const int middle = (low + high) / 2;
    if (x <= IndexValue(middle)) {
      high = middle;
    } else {
      low = middle;
    }
  }
  return low;
}

void TTable::GetValue(int varNum, int index, bool& found, TAccessStatus& status, TVariant& value,
                      TVarType /*representation*/)
{
  found = true;
  if (FCountVarNum >= 0 && varNum == FCountVarNum) {
    value = TVariant(FRowCount);
    return;
  }
  const int column = ColumnIndex(varNum);
  if (column < 0) {
    found = false;
  } else if (!ValidRow(index)) {
    status.Set(acInvalidIndex);
  } else {
    value = TVariant(At(index, column));
  }
}

bool TTable::DescribeItem(int varNum, TItemInfo& info)
{
  if (FCountVarNum >= 0 && varNum == FCountVarNum) {
    info.Dimension = dmDimensionless;
    return true;
  }
  const int column = ColumnIndex(varNum);
  if (column < 0) return false;
  info.Dimension = Column(column).Dimension;
  info.CountVarNum = std::max(FCountVarNum, 0);
  return true;
}

void TTable::SetValue(int varNum, int index, bool& found, TAccessStatus& status, const TVariant& value,
                      TVarType representation)
{
  found = true;
  if (FCountVarNum >= 0 && varNum == FCountVarNum) {
    SetCountItem(index, status, value, representation);
  } else if (ColumnIndex(varNum) >= 0) {
    SetRowItem(varNum, index, status, value);
  } else {
    found = false;
  }
}

void TTable::SetCountItem(int index, TAccessStatus& status, const TVariant& value, TVarType representation)
{
  switch (representation) {
    case vtInt:
    case vtCard:
    case vtLong:
    case vtSpin: {
      const auto n = value.ToInteger();
      if (!n || *n > std::numeric_limits<int>::max()) {
        status.Set(acInvalidValue);
      } else {
        SetRowCount(static_cast<int>(std::max<std::int64_t>(*n, -1)));
      }
      return;
    }
    case vtDelete:
      if (ValidRow(index)) {
        DeleteRow(index);
      } else {
        status.Set(acInvalidIndex);
      }
      return;
    case vtInsertBefore:
      if (index >= 0 && index <= FRowCount) {
        InsertInterpolatedRow(index);
      } else {
        status.Set(acInvalidIndex);
      }
      return;
    default:
      status.Set(acInvalidType);
  }
}

void TTable::SetRowItem(int varNum, int index, TAccessStatus& status, const TVariant& value)
{
  if (!ValidRow(index)) {
    status.Set(acInvalidIndex);
    return;
  }
  const auto number = value.ToReal();
  if (!number) {
    status.Set(acInvalidValue);
    return;
  }
  SetCell(index, varNum, *number);
}

void TTable::UnitsChanged(const IScaleValue& scale)
{
  for (int column = 0; column < ColumnCount(); ++column) {
    TTableColumn& description = FColumns[static_cast<std::size_t>(column)];
    scale.Apply(description.Default, description.Dimension);
    for (int row = 0; row < FRowCount; ++row) scale.Apply(At(row, column), description.Dimension);
  }
  Changed();
}

}  // namespace umbrinex
