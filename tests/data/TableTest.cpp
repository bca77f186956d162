#include "framework/data/Table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/data/Variant.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

constexpr int kCount = 99;
constexpr int kX = 100;  // index column, a length
constexpr int kY = 101;  // a length
constexpr int kZ = 102;  // dimensionless

TTable MakeTable()
{
  return TTable(kCount, {{kX, 0.0, dmLength}, {kY, 5.0, dmLength}, {kZ, 7.0, dmDimensionless}});
}

// Rows of {x, y}; z keeps its default.
void Fill(TTable& table, const std::vector<std::pair<double, double>>& rows)
{
  table.SetRowCount(static_cast<int>(rows.size()));
  for (int row = 0; row < table.RowCount(); ++row) {
    table.SetCell(row, kX, rows[static_cast<std::size_t>(row)].first);
    table.SetCell(row, kY, rows[static_cast<std::size_t>(row)].second);
  }
}

std::vector<double> ColumnValues(const TTable& table, int varNum)
{
  std::vector<double> values;
  for (int row = 0; row < table.RowCount(); ++row) values.push_back(table.Cell(row, varNum));
  return values;
}

template <typename F>
std::string ErrorMessage(F&& action)
{
  try {
    action();
  } catch (const ETableError& e) {
    return e.what();
  }
  return "no ETableError";
}

// Scales lengths by a factor, leaving the special values alone as the units do.
class TLengthScale final : public IScaleValue {
 public:
  explicit TLengthScale(double factor) : FFactor(factor) {}
  void Apply(double& value, const TDimension& dimension) const override
  {
    if (!IsSpecial(value)) value *= std::pow(FFactor, dimension.Length);
  }

 private:
  double FFactor;
};

TEST(TableRows, RowCountOfAnEmptyTableFillsNewRowsWithTheColumnDefaults)
{
  TTable table = MakeTable();
  table.SetRowCount(3);
  ASSERT_EQ(table.RowCount(), 3);
  EXPECT_EQ(ColumnValues(table, kX), (std::vector<double>{0, 0, 0}));
  EXPECT_EQ(ColumnValues(table, kY), (std::vector<double>{5, 5, 5}));
  EXPECT_EQ(ColumnValues(table, kZ), (std::vector<double>{7, 7, 7}));
}

TEST(TableRows, GrowingCopiesTheLastRowAndShrinkingKeepsTheFirstRows)
{
  TTable table = MakeTable();
  Fill(table, {{1, 10}, {2, 20}});
  table.SetRowCount(4);
  EXPECT_EQ(ColumnValues(table, kX), (std::vector<double>{1, 2, 2, 2}));
  EXPECT_EQ(ColumnValues(table, kY), (std::vector<double>{10, 20, 20, 20}));
  table.SetRowCount(1);
  EXPECT_EQ(ColumnValues(table, kY), (std::vector<double>{10}));
  table.SetRowCount(-3);
  EXPECT_EQ(table.RowCount(), 0);
  Fill(table, {{1, 10}});
  table.Clear();
  EXPECT_EQ(table.RowCount(), 0);
}

TEST(TableRows, InsertRowCopiesThePushedDownRowOrWhenAppendingTheRowBefore)
{
  TTable table = MakeTable();
  Fill(table, {{1, 10}, {2, 20}});
  table.InsertRow(1);
  EXPECT_EQ(ColumnValues(table, kY), (std::vector<double>{10, 20, 20}));
  table.InsertRow(3);
  table.SetCell(3, kY, 40);
  table.InsertRow(0);
  EXPECT_EQ(ColumnValues(table, kY), (std::vector<double>{10, 10, 20, 20, 40}));
}

TEST(TableRows, InsertedRowGetsTheMidpointOfItsNeighbours)
{
  struct TCase {
    int Position;
    std::vector<double> X;
    std::vector<double> Y;
  };
  const TCase cases[] = {
      {0, {0, 5, 10, 20}, {0, 50, 100, 200}},    // midpoint between the old first two rows
      {1, {0, 5, 10, 20}, {0, 50, 100, 200}},    // the new row itself
      {2, {0, 10, 15, 20}, {0, 100, 150, 200}},  // the new row itself
      {3, {0, 10, 15, 20}, {0, 100, 150, 200}},  // midpoint between the old last two rows
  };
  for (const TCase& c : cases) {
    TTable table = MakeTable();
    Fill(table, {{0, 0}, {10, 100}, {20, 200}});
    table.InsertInterpolatedRow(c.Position);
    EXPECT_EQ(ColumnValues(table, kX), c.X) << "position " << c.Position;
    EXPECT_EQ(ColumnValues(table, kY), c.Y) << "position " << c.Position;
  }
}

TEST(TableRows, InsertingIntoTablesOfNoneOrOneRowAddsNoMidpoint)
{
  TTable table = MakeTable();
  table.InsertInterpolatedRow(0);
  EXPECT_EQ(ColumnValues(table, kY), (std::vector<double>{5}));
  table.SetCell(0, kY, 8);
  table.InsertInterpolatedRow(1);
  EXPECT_EQ(ColumnValues(table, kY), (std::vector<double>{8, 8}));
}

TEST(TableRows, RowsOutsideTheTableAreRefused)
{
  TTable table = MakeTable();
  Fill(table, {{0, 0}, {10, 100}});
  EXPECT_THROW(table.Cell(2, kY), std::out_of_range);
  EXPECT_THROW(table.SetCell(-1, kY, 1), std::out_of_range);
  EXPECT_THROW(table.InsertRow(3), std::out_of_range);
  EXPECT_THROW(table.DeleteRow(2), std::out_of_range);
  table.DeleteRow(0);
  EXPECT_EQ(ColumnValues(table, kY), (std::vector<double>{100}));
}

TEST(TableColumns, VarNumsMapToColumnsWhetherConsecutiveOrNot)
{
  const TTable consecutive = MakeTable();
  const TTable scattered(-1, {{300, 0, dmLength}, {120, 0, dmLength}, {301, 0, dmLength}});
  EXPECT_EQ(consecutive.ColumnIndex(kZ), 2);
  EXPECT_EQ(consecutive.ColumnIndex(kX - 1), -1);
  EXPECT_EQ(consecutive.ColumnIndex(kZ + 1), -1);
  EXPECT_EQ(scattered.ColumnIndex(120), 1);
  EXPECT_EQ(scattered.ColumnIndex(301), 2);
  EXPECT_EQ(scattered.ColumnIndex(302), -1);
}

TEST(TableColumns, UnknownColumnsAndTheIndexColumnRaiseTableErrors)
{
  TTable table = MakeTable();
  Fill(table, {{0, 0}, {10, 100}});
  const std::string unknown = "Table error:  Column ID 555 does not exist.";
  EXPECT_EQ(ErrorMessage([&] { table.Cell(0, 555); }), unknown);
  EXPECT_EQ(ErrorMessage([&] { table.SetCell(0, 555, 1); }), unknown);
  EXPECT_EQ(ErrorMessage([&] { table.Interpolate(555, 1); }), unknown);
  EXPECT_EQ(ErrorMessage([&] { table.Interpolate(kX, 1); }), "Table error:  Cannot interpolate the index column.");
}

TEST(TableInterpolate, IsLinearInsideAndExtrapolatesAlongTheEndSegments)
{
  TTable table = MakeTable();
  Fill(table, {{0, 0}, {10, 100}, {20, 400}});
  const std::pair<double, double> cases[] = {
      {5, 50}, {10, 100}, {15, 250}, {0, 0}, {20, 400}, {-10, -100}, {30, 700},
  };
  for (const auto& [x, y] : cases) EXPECT_DOUBLE_EQ(table.Interpolate(kY, x), y) << "x = " << x;
  EXPECT_EQ(table.Interpolate(kZ, 12), 7);
}

TEST(TableInterpolate, WithoutTheCacheEveryValueIsTheSame)
{
  TTable table = MakeTable();
  Fill(table, {{0, 0}, {10, 100}, {20, 400}});
  // Alternating arguments, as the section response asks for ±strain: the
  // cached lookup is reused for repeats, the uncached one never stores it.
  for (const double x : {5.0, -5.0, 5.0, 15.0, 15.0, 30.0, -10.0, 20.0})
    EXPECT_EQ(table.InterpolateUncached(kY, x), table.Interpolate(kY, x)) << "x = " << x;
  EXPECT_EQ(ErrorMessage([&] { table.InterpolateUncached(kX, 1); }),
            "Table error:  Cannot interpolate the index column.");
  TTable empty = MakeTable();
  EXPECT_EQ(empty.InterpolateUncached(kY, 3), Undefined);
}

TEST(TableInterpolate, OneRowIsConstantAndNoRowsAreUndefined)
{
  TTable table = MakeTable();
  EXPECT_EQ(table.Interpolate(kY, 3), Undefined);
  Fill(table, {{2, 30}});
  EXPECT_EQ(table.Interpolate(kY, -100), 30);
  EXPECT_EQ(table.Interpolate(kY, 100), 30);
}

// At a repeated index value the first of the equal rows answers, and below
// them the zero-width end segment stays flat.
TEST(TableInterpolate, DuplicateIndexValuesGiveAStepInsteadOfADivisionByZero)
{
  TTable table = MakeTable();
  Fill(table, {{1, 10}, {1, 20}, {2, 40}});
  EXPECT_TRUE(table.HasDuplicateIndexValues());
  EXPECT_EQ(table.Interpolate(kY, 1), 10);
  EXPECT_EQ(table.Interpolate(kY, 0), 10);
  EXPECT_EQ(table.Interpolate(kY, 1.5), 30);
  Fill(table, {{1, 10}, {2, 20}, {1, 30}});
  EXPECT_TRUE(table.HasDuplicateIndexValues());  // unsorted: the equal rows need not be neighbours
  table.SetCell(2, kX, 3);
  EXPECT_FALSE(table.HasDuplicateIndexValues());
}

TEST(TableInterpolate, InfiniteIndexValuesAndCellsAreApproachedReciprocally)
{
  struct TCase {
    const char* Name;
    std::vector<std::pair<double, double>> Rows;
    double X;
    double Expected;
  };
  const TCase cases[] = {
      {"index up to Infinity", {{1, 10}, {Infinity, 0}}, 4, 2.5},
      {"index at Infinity", {{1, 10}, {Infinity, 0}}, Infinity, 0},
      {"index from minus Infinity", {{MinusInfinity, 0}, {-1, 10}}, -4, 2.5},
      {"infinite lower cell", {{0, Infinity}, {1, 2}}, 0.5, 4},
      {"infinite lower cell at its row", {{0, Infinity}, {1, 2}}, 0, Infinity},
      {"infinite upper cell", {{0, 2}, {1, Infinity}}, 0.5, 4},
      {"infinite upper cell at its row", {{0, 2}, {1, Infinity}}, 1, Infinity},
  };
  for (const TCase& c : cases) {
    TTable table = MakeTable();
    Fill(table, c.Rows);
    EXPECT_DOUBLE_EQ(table.Interpolate(kY, c.X), c.Expected) << c.Name;
  }
}

TEST(TableInterpolate, EveryChangeOfTheTableDropsTheRememberedSegment)
{
  const std::pair<const char*, std::function<void(TTable&)>> changes[] = {
      {"SetCell", [](TTable& t) { t.SetCell(1, kX, 5); }},
      {"SetValue",
       [](TTable& t) {
         bool found = false;
         TAccessStatus status;
         t.SetValue(kX, 1, found, status, TVariant(5.0), vtReal);
       }},
      {"DeleteRow", [](TTable& t) { t.DeleteRow(0); }},
      {"InsertInterpolatedRow", [](TTable& t) { t.InsertInterpolatedRow(1); }},
      {"SetRowCount", [](TTable& t) { t.SetRowCount(1); }},
      {"Sort", [](TTable& t) { t.Sort(soDescending); }},
      {"UnitsChanged", [](TTable& t) { t.UnitsChanged(TLengthScale(2)); }},
      {"Assign",
       [](TTable& t) {
         TTable other = MakeTable();
         Fill(other, {{0, 1}, {4, 2}});
         t.Assign(other);
       }},
  };
  for (const auto& [name, change] : changes) {
    TTable table = MakeTable();
    Fill(table, {{0, 0}, {10, 100}, {20, 400}});
    table.Interpolate(kY, 5);
    change(table);
    TTable fresh = MakeTable();
    fresh.Assign(table);
    EXPECT_EQ(table.Interpolate(kY, 5), fresh.Interpolate(kY, 5)) << name;
  }
}

TEST(TableSort, SortsWholeRowsInBothOrders)
{
  for (const int order : {soAscending, soDescending}) {
    TTable table = MakeTable();
    std::mt19937 random(17);
    std::uniform_int_distribution<int> value(0, 40);  // plenty of repeated index values
    table.SetRowCount(300);
    for (int row = 0; row < table.RowCount(); ++row) {
      const double x = value(random);
      table.SetCell(row, kX, x);
      table.SetCell(row, kY, 3 * x);
    }
    table.Sort(order);
    EXPECT_TRUE(table.IsSorted(order)) << "order " << order;
    EXPECT_FALSE(table.IsSorted(1 - order)) << "order " << order;
    for (int row = 0; row < table.RowCount(); ++row) ASSERT_EQ(table.Cell(row, kY), 3 * table.Cell(row, kX));
  }
}

TEST(TableSort, OtherOrdersChangeNothingAndCountAsSorted)
{
  TTable table = MakeTable();
  Fill(table, {{3, 0}, {1, 0}, {2, 0}});
  table.Sort(2);
  EXPECT_EQ(ColumnValues(table, kX), (std::vector<double>{3, 1, 2}));
  EXPECT_TRUE(table.IsSorted(2));
  EXPECT_FALSE(table.IsSorted(soAscending));
  EXPECT_FALSE(table.IsSorted(soDescending));
  Fill(table, {{3, 0}});
  EXPECT_TRUE(table.IsSorted(soAscending));
  EXPECT_TRUE(table.IsSorted(soDescending));
}

TEST(TableItems, TheCountItemReadsTheRowCountAndSetsItByNumber)
{
  TTable table = MakeTable();
  bool found = false;
  TAccessStatus status;
  for (const TVarType representation : {vtInt, vtCard, vtLong, vtSpin}) {
    table.SetValue(kCount, 0, found, status, TVariant(4), representation);
    EXPECT_EQ(table.RowCount(), 4) << int{representation};
    table.Clear();
  }
  table.SetValue(kCount, 0, found, status, TVariant("2"), vtLong);
  TVariant value;
  table.GetValue(kCount, 0, found, status, value, vtLong);
  EXPECT_TRUE(found);
  EXPECT_EQ(value, TVariant(2));
  EXPECT_EQ(status.Code, acValid);  // success leaves the caller's code alone
}

TEST(TableItems, TheCountItemDeletesAndInsertsRowsAtTheIndex)
{
  TTable table = MakeTable();
  Fill(table, {{0, 0}, {10, 100}, {20, 400}});
  bool found = false;
  TAccessStatus status;
  table.SetValue(kCount, 0, found, status, TVariant(), vtInsertBefore);
  EXPECT_EQ(ColumnValues(table, kX), (std::vector<double>{0, 5, 10, 20}));
  table.SetValue(kCount, 2, found, status, TVariant(), vtDelete);
  EXPECT_EQ(ColumnValues(table, kX), (std::vector<double>{0, 5, 20}));
  EXPECT_EQ(status.Code, acValid);
}

TEST(TableItems, RefusedAccessesReportACodeAndChangeNothing)
{
  struct TCase {
    const char* Name;
    bool Set;
    int VarNum;
    int Index;
    TVariant Value;
    TVarType Representation;
    std::uint8_t Code;
  };
  const TCase cases[] = {
      {"read row -1", false, kY, -1, {}, vtReal, acInvalidIndex},
      {"read row RowCount", false, kY, 2, {}, vtReal, acInvalidIndex},
      {"write row -1", true, kY, -1, TVariant(1.0), vtReal, acInvalidIndex},
      {"write row RowCount", true, kY, 2, TVariant(1.0), vtReal, acInvalidIndex},
      {"write text", true, kY, 0, TVariant("abc"), vtText, acInvalidValue},
      {"delete row -1", true, kCount, -1, {}, vtDelete, acInvalidIndex},
      {"delete row RowCount", true, kCount, 2, {}, vtDelete, acInvalidIndex},
      {"insert before row -1", true, kCount, -1, {}, vtInsertBefore, acInvalidIndex},
      {"insert beyond the end", true, kCount, 3, {}, vtInsertBefore, acInvalidIndex},
      {"insert after", true, kCount, 0, {}, vtInsertAfter, acInvalidType},
      {"count as real", true, kCount, 0, TVariant(3.0), vtReal, acInvalidType},
      {"count as text", true, kCount, 0, TVariant("3"), vtText, acInvalidType},
      {"count not a number", true, kCount, 0, TVariant("many"), vtLong, acInvalidValue},
  };
  for (const TCase& c : cases) {
    TTable table = MakeTable();
    Fill(table, {{0, 0}, {10, 100}});
    bool found = false;
    TAccessStatus status;
    TVariant value = c.Value;
    if (c.Set) {
      table.SetValue(c.VarNum, c.Index, found, status, c.Value, c.Representation);
    } else {
      table.GetValue(c.VarNum, c.Index, found, status, value, c.Representation);
    }
    EXPECT_TRUE(found) << c.Name;
    EXPECT_EQ(status.Code, c.Code) << c.Name;
    EXPECT_EQ(ColumnValues(table, kX), (std::vector<double>{0, 10})) << c.Name;
    EXPECT_EQ(ColumnValues(table, kY), (std::vector<double>{0, 100})) << c.Name;
  }
}

TEST(TableItems, CellsAreReadAndWrittenAsDoublesAndOtherVarNumsAreNotFound)
{
  TTable table = MakeTable();
  Fill(table, {{0, 0}, {10, 100}});
  bool found = false;
  TAccessStatus status;
  table.SetValue(kY, 1, found, status, TVariant("Infinity"), vtText);
  EXPECT_EQ(table.Cell(1, kY), Infinity);
  TVariant value;
  table.GetValue(kX, 1, found, status, value, vtText);
  EXPECT_EQ(value, TVariant(10.0));
  table.GetValue(kZ + 1, 0, found, status, value, vtReal);
  EXPECT_FALSE(found);
  table.SetValue(kCount - 1, 0, found, status, TVariant(1), vtLong);
  EXPECT_FALSE(found);
  EXPECT_EQ(status.Code, acValid);
}

TEST(TableItems, ATableWithoutACountItemDoesNotAnswerVarNumMinusOne)
{
  TTable table(-1, {{kX, 0, dmLength}, {kY, 0, dmLength}});
  bool found = true;
  TAccessStatus status;
  TVariant value;
  table.GetValue(-1, 0, found, status, value, vtLong);
  EXPECT_FALSE(found);
}

TEST(TableUnits, UnitChangeRescalesCellsAndDefaultsByTheirDimension)
{
  TTable table = MakeTable();
  Fill(table, {{1, 10}, {2, Infinity}});
  table.UnitsChanged(TLengthScale(1000));
  EXPECT_EQ(ColumnValues(table, kX), (std::vector<double>{1000, 2000}));
  EXPECT_EQ(ColumnValues(table, kY), (std::vector<double>{10000, Infinity}));
  EXPECT_EQ(ColumnValues(table, kZ), (std::vector<double>{7, 7}));
  table.Clear();
  table.SetRowCount(1);
  EXPECT_EQ(table.Cell(0, kY), 5000);
  EXPECT_EQ(table.Cell(0, kZ), 7);
}

TEST(TableAssign, CopiesColumnsAndRowsButKeepsItsOwnCountItem)
{
  TTable source(50, {{200, 1, dmLength}, {300, 2, dmForce}});
  source.SetRowCount(2);
  source.SetCell(1, 300, 9);
  TTable target = MakeTable();
  target.Assign(source);
  EXPECT_EQ(target.CountVarNum(), kCount);
  ASSERT_EQ(target.ColumnCount(), 2);
  EXPECT_EQ(target.Column(1).Dimension, dmForce);
  EXPECT_EQ(target.ColumnIndex(300), 1);
  EXPECT_EQ(ColumnValues(target, 300), (std::vector<double>{2, 9}));
}

}  // namespace
}  // namespace umbrinex
