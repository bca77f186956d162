#pragma once
// Rows of doubles under a fixed set of columns. Every column is a data item
// of its own (the row is the item's index) and the row count is one more, so
// a table registered in its owner's item register is edited by the data grid
// like any other item, row insertion and deletion included. Column 0 is the
// index column: tables are sorted by it and interpolated along it.

#include <cstddef>
#include <string>
#include <vector>

#include "framework/data/DataTypes.h"
#include "framework/data/Dimension.h"
#include "numerics/Errors.h"

namespace umbrinex {

class ETableError : public EUmbrinexError {
 public:
  explicit ETableError(const std::string& detail) : EUmbrinexError("Table error:  " + detail) {}
};

struct TTableColumn {
  int VarNum = 0;
  double Default = 0.0;  // the cell value of the first row of an empty table
  TDimension Dimension;
};

// Sort orders of Sort and IsSorted.
inline constexpr int soAscending = 0;
inline constexpr int soDescending = 1;

// Rows are addressed by a 0-based index. A row outside the valid range in
// Cell, SetCell, InsertRow or DeleteRow is a programming error and throws
// std::out_of_range; item access reports it as code 5 instead. An unknown
// column VarNum throws ETableError.
//
// A table is identified by its address once its owner has registered it, so
// it cannot be copied or moved; Assign copies the contents of another table.
class TTable final : public IDataItemAccess, public IUnitsListener {
 public:
  // countVarNum is the VarNum of the row-count item, -1 for none.
  TTable(int countVarNum, std::vector<TTableColumn> columns);
  TTable(const TTable&) = delete;
  TTable& operator=(const TTable&) = delete;
  ~TTable() = default;

  // Copies the columns and rows; the row-count VarNum stays this table's own.
  void Assign(const TTable& source);

  int RowCount() const { return FRowCount; }
  int ColumnCount() const { return static_cast<int>(FColumns.size()); }
  int CountVarNum() const { return FCountVarNum; }
  const TTableColumn& Column(int i) const { return FColumns.at(static_cast<std::size_t>(i)); }
  // The column of varNum, -1 when the table has no such column.
  int ColumnIndex(int varNum) const;

  double Cell(int row, int varNum) const;
  void SetCell(int row, int varNum, double value);

  // Appended rows copy the last row, or take the defaults in an empty table;
  // a negative n empties the table.
  void SetRowCount(int n);
  void Clear() { SetRowCount(0); }
  // position is 0..RowCount. The new row copies the row it pushes down, or
  // the row before it when appended, or takes the defaults when it is alone.
  void InsertRow(int position);
  // As InsertRow, then puts a midpoint between the neighbours so that the
  // grid's "insert" gives a usable new value rather than a duplicate.
  void InsertInterpolatedRow(int position);
  void DeleteRow(int position);

  // Order soAscending or soDescending by the index column; other orders do
  // nothing. Not stable: rows with equal index values may change order.
  void Sort(int order);
  // True for other orders and for fewer than two rows. Equal neighbours count as sorted.
  bool IsSorted(int order) const;
  bool HasDuplicateIndexValues() const;

  // Value of column varNum at index value x, linear between rows and
  // extrapolated along the first or last segment. Infinite index values and
  // cells are interpolated in the reciprocal sense, so a column may run to
  // Infinity at an end of the table. An empty table gives Undefined.
  // Repeated calls at the same x (one per column, typically) reuse the
  // segment found for the previous call.
  double Interpolate(int varNum, double x) const;
  // As Interpolate without the segment cache: it writes nothing, so several
  // threads may interpolate one table at the same time.
  double InterpolateUncached(int varNum, double x) const;

  // Item access. On success the status is left as the caller prepared it
  // (the data object has already set code 1 or 3); only failures set a code.
  void GetValue(int varNum, int index, bool& found, TAccessStatus& status, TVariant& value,
                TVarType representation) override;
  void SetValue(int varNum, int index, bool& found, TAccessStatus& status, const TVariant& value,
                TVarType representation) override;
  IUnitsListener* UnitsListener() override { return this; }
  bool DescribeItem(int varNum, TItemInfo& info) override;

  void UnitsChanged(const IScaleValue& scale) override;

 private:
  // The segment of the index column that x falls in, and where in it.
  struct TLookup {
    int Row = 0;  // lower row of the segment
    double Fraction = 0.0;
  };

  int CheckedColumn(int varNum) const;
  void CheckRow(int row, int rowLimit) const;
  double& At(int row, int column) { return FCells[Offset(row, column)]; }
  double At(int row, int column) const { return FCells[Offset(row, column)]; }
  std::size_t Offset(int row, int column) const
  {
    return static_cast<std::size_t>(row) * FColumns.size() + static_cast<std::size_t>(column);
  }
  double IndexValue(int row) const { return At(row, 0); }

  void SetCountItem(int index, TAccessStatus& status, const TVariant& value, TVarType representation);
  void SetRowItem(int varNum, int index, TAccessStatus& status, const TVariant& value);
  bool ValidRow(int index) const { return index >= 0 && index < FRowCount; }

  void AverageNeighbours(int row);
  void SwapRows(int a, int b);
  void QuickSort(int low, int high, bool descending);
  const TLookup& Locate(double x) const;
  TLookup Lookup(double x) const;
  double InterpolateAt(int varNum, double x, bool cached) const;
  int FindSegment(double x) const;
  void Changed() { FCacheValid = false; }

  int FCountVarNum;
  std::vector<TTableColumn> FColumns;
  bool FConsecutiveVarNums = false;
  int FRowCount = 0;
  std::vector<double> FCells;  // row after row, ColumnCount cells each

  // Interpolating several columns at one argument is the common pattern, so
  // the segment found for the last argument is kept. Every change of cells,
  // rows or units drops it.
  mutable bool FCacheValid = false;
  mutable double FCacheArgument = 0.0;
  mutable TLookup FCacheLookup;
};

}  // namespace umbrinex
