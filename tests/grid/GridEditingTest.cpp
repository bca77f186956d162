#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "framework/grid/GridLayout.h"

namespace umbrinex::testing {
namespace {

using GridRows = TGridFixture;

TEST_F(GridRows, ACounterReadingZeroGivesOneRowOfNoHeightAndNoCells)
{
  Sample.Table.SetRowCount(0);
  EXPECT_EQ(Grid.CountedRows(), 0);
  EXPECT_EQ(Grid.DataRowCount(), 1);
  EXPECT_EQ(Grid.RowCount(), 3);
  const TGridLayout layout = LayoutGrid(Grid, TGridMetrics{});
  EXPECT_EQ(layout.RowHeight(Row(0)), 0);
  EXPECT_GT(layout.RowHeight(0), 0) << "title rows keep their height";
  for (int col = 0; col < Grid.ColCount(); ++col) EXPECT_EQ(Grid.CellText(col, Row(0)), "");
  EXPECT_TRUE(Grid.Copy().Text.empty()) << "nothing to copy from an empty table";
}

TEST_F(GridRows, GridZeroBasedShowsOneMoreRowAndIndexesFromZero)
{
  Grid.GridZeroBased = true;
  EXPECT_EQ(Grid.DataRowCount(), 11);
  EXPECT_EQ(Grid.CellText(0, Row(0)), "0");
  Grid.GridZeroBased = false;
  EXPECT_EQ(Grid.CellText(0, Row(0)), "1");
  Grid.Columns().front().VarType = vtLetteredIndex;
  EXPECT_EQ(Grid.CellText(0, Row(2)), "C");
}

TEST_F(GridRows, DeletingTheOnlyRowOfATableThatNeedsOneIsRefusedWithoutAsking)
{
  SetRows(1);
  Grid.MoveTo(1, Row(0));
  const TGridOutcome outcome = Grid.DeleteRow();
  EXPECT_EQ(outcome.Status.Code, acNotAllowed);
  EXPECT_EQ(outcome.HintText(), "Cannot delete this row.  There must be at least 1 row in the table.");
  EXPECT_TRUE(Messages.Texts.empty());
  EXPECT_EQ(Sample.Table.RowCount(), 1);
}

TEST_F(GridRows, WithoutADescriptorTheCounterColumnsMinimumHoldsInThePlural)
{
  Sample.Described = false;
  Counter.Columns().front().SetMin(2.0);
  Counter.Columns().front().SetMax(5.0);
  SetRows(2);
  Grid.MoveTo(1, Row(1));
  EXPECT_EQ(Grid.DeleteRow().HintText(), "Cannot delete this row.  There must be at least 2 rows in the table.");
  SetRows(5);
  EXPECT_EQ(Grid.InsertRow().HintText(), "Cannot insert another row.  The table is already full.");
}

TEST_F(GridRows, DeleteAsksAndRemovesTheCurrentRowOnlyOnYes)
{
  Grid.MoveTo(1, Row(3));
  Messages.Answers = {maNo};
  EXPECT_FALSE(Grid.DeleteRow().Changed());
  EXPECT_EQ(Messages.Texts, std::vector<std::string>{"Delete this row?"});
  EXPECT_EQ(Sample.Table.RowCount(), 10);

  int editedRows = -1;
  Grid.OnEditDone = [&](int, const TVariant& value, int) { editedRows = static_cast<int>(*value.ToInteger()); };
  Messages.Answers = {maYes};
  EXPECT_TRUE(Grid.DeleteRow().Changed());
  EXPECT_EQ(Sample.Table.RowCount(), 9);
  EXPECT_EQ(editedRows, 9);
  EXPECT_EQ(Tension(3), 50.0) << "row 4 went, row 5 moved up";
}

TEST_F(GridRows, InsertAddsARowBeforeTheCurrentOneUntilTheTableIsFull)
{
  Grid.MoveTo(1, Row(2));
  EXPECT_TRUE(Grid.InsertRow().Changed());
  EXPECT_EQ(Sample.Table.RowCount(), 11);
  EXPECT_EQ(Tension(3), 30.0);
  SetRows(20);
  const TGridOutcome full = Grid.InsertRow();
  EXPECT_EQ(full.HintText(), "Cannot insert another row.  The table is already full.");
  EXPECT_EQ(Sample.Table.RowCount(), 20);
}

TEST_F(GridRows, InsertAndDeleteNeedASingleRow)
{
  Grid.MoveTo(1, Row(1));
  Grid.MoveTo(1, Row(3), true);
  EXPECT_EQ(Grid.InsertRow().HintText(), "Can only insert a row when a single row is selected.");
  EXPECT_EQ(Grid.DeleteRow().HintText(), "Can only delete a row when a single row is selected.");
  EXPECT_EQ(Sample.Table.RowCount(), 10);
  Grid.EnableInsertDeleteRow = false;
  Grid.MoveTo(1, Row(1));
  EXPECT_FALSE(Grid.InsertRow().Changed());
}

TEST_F(GridRows, ACounterCannotCountItself)
{
  try {
    Counter.SetCounter(&Counter);
    FAIL() << "a grid cannot be its own counter";
  } catch (const ETessanControlError& e) {
    EXPECT_STREQ(e.what(), "Cannot set 'Counter' property equal to 'Self'");
  }
}

using GridTabbing = TGridFixture;

TEST_F(GridTabbing, TabGoesThroughTheTypedCellsRowByRowAndStopsAtTheEnds)
{
  using TTarget = std::optional<TGridCoord>;
  Grid.MoveTo(1, Row(0));
  EXPECT_EQ(Grid.TabTarget(true), (TTarget{{2, Row(0)}}));
  EXPECT_EQ(Grid.TabTarget(false), std::nullopt) << "before the first cell the grid is left";
  Grid.MoveTo(2, Row(0));
  EXPECT_EQ(Grid.TabTarget(true), (TTarget{{1, Row(1)}})) << "the row number column is passed by";
  Grid.MoveTo(1, Row(1));
  EXPECT_EQ(Grid.TabTarget(false), (TTarget{{2, Row(0)}}));
  Grid.MoveTo(0, Row(3));
  EXPECT_EQ(Grid.TabTarget(true), (TTarget{{1, Row(3)}}));
  EXPECT_EQ(Grid.TabTarget(false), (TTarget{{2, Row(2)}}));
  Grid.MoveTo(2, Row(9));
  EXPECT_EQ(Grid.TabTarget(true), std::nullopt) << "after the last cell the grid is left";

  // A column that cannot be typed into is passed by as well.
  Grid.Column(2).Editable = false;
  Grid.MoveTo(1, Row(0));
  EXPECT_EQ(Grid.TabTarget(true), (TTarget{{1, Row(1)}}));

  // A count with its spin buttons, and an empty table, have no cell to go to.
  Counter.MoveTo(0, 0);
  EXPECT_EQ(Counter.TabTarget(true), std::nullopt);
  SetRows(0);
  Grid.Invalidate();
  Grid.MoveTo(1, Row(0));
  EXPECT_EQ(Grid.TabTarget(true), std::nullopt);
}

using GridCommit = TGridFixture;

TEST_F(GridCommit, InfinityWhereItIsNotAllowedIsRefusedAndTheValueStays)
{
  Grid.MoveTo(1, Row(0));
  Grid.BeginEdit("inf");
  const TGridOutcome outcome = Grid.CommitEdit();
  EXPECT_EQ(outcome.Status.Code, acNotAllowed);
  EXPECT_EQ(outcome.HintText(), "Infinity not allowed");
  EXPECT_EQ(outcome.Cell, (TGridCoord{1, Row(0)}));
  EXPECT_EQ(Tension(0), 10.0);
  EXPECT_TRUE(Grid.HasPendingEdit()) << "the editor keeps the rejected text";
  EXPECT_EQ(Grid.PendingText(), "inf");
  Grid.SetEditText("12.5");
  EXPECT_TRUE(Grid.CommitEdit().Changed());
  EXPECT_FALSE(Grid.HasPendingEdit());
  EXPECT_EQ(Tension(0), 12.5);
}

TEST_F(GridCommit, ShowsTheFieldWidthAndEditsInFullPrecision)
{
  Sample.Table.SetCell(0, vnTension, 123.4567);
  Grid.Column(1).FieldWidth = 8;
  Grid.Column(1).FieldWidth2 = 3;
  EXPECT_EQ(Grid.CellText(1, Row(0)), "123.457");
  EXPECT_EQ(Grid.EditText(1, Row(0)), "123.4567");
  Sample.Table.SetCell(0, vnTension, 12345.68);
  EXPECT_EQ(Grid.CellText(1, Row(0)), "12.346E3");
  EXPECT_EQ(Grid.Commit(1, Row(0), Grid.EditText(1, Row(0))).Status.Code, acOk);
  EXPECT_EQ(Tension(0), 12345.68) << "the edit text reads back as the same value";
}

struct TTypedTextCase {
  TVarType Type;
  int VarNum;
  const char* Text;
  const char* Hint;
};

class GridTypedText : public TGridFixture, public ::testing::WithParamInterface<TTypedTextCase> {};

TEST_P(GridTypedText, RefusesTextThatIsNoNumberOfTheColumnsType)
{
  Grid.Column(2).VarType = GetParam().Type;
  Grid.Column(2).VarNum = GetParam().VarNum;
  const TGridOutcome outcome = Grid.Commit(2, Row(0), GetParam().Text);
  EXPECT_TRUE(outcome.Refused());
  EXPECT_EQ(outcome.HintText(), GetParam().Hint);
}

INSTANTIATE_TEST_SUITE_P(ReadErrorsAndColumnLimits, GridTypedText,
                         ::testing::Values(TTypedTextCase{vtInt, vnSmall, "40000", "Number out of range"},
                                           TTypedTextCase{vtCard, vnLevel, "-5", "Positive number expected"},
                                           TTypedTextCase{vtReal, vnFree, "abc", "Invalid value"},
                                           TTypedTextCase{vtReal, vnFree, "250", "Must be in the range 0 to 100"},
                                           TTypedTextCase{vtReal, vnFree, "~", "Default Value not allowed"},
                                           TTypedTextCase{vtBool, vnFlag, "maybe",
                                                          "'maybe' not found.  Possible values are: \nNo\nYes"}));

TEST_F(GridCommit, AColumnsAllowFlagsOpenItsOwnValidation)
{
  Grid.Column(2).AllowDefault = true;
  EXPECT_TRUE(Grid.Commit(2, Row(0), "~").Changed());
  EXPECT_TRUE(IsDefault(Free(0)));
  EXPECT_EQ(Grid.CellText(2, Row(0)), "~");
}

TEST_F(GridCommit, NothingCanBeEditedWhereTheItemIsNotChangeable)
{
  EXPECT_FALSE(Grid.CanEdit(0, Row(0))) << "index column";
  EXPECT_FALSE(Grid.CanEdit(1, 0)) << "title row";
  EXPECT_TRUE(Grid.CanEdit(1, Row(0)));
  Grid.Column(1).Editable = false;
  EXPECT_FALSE(Grid.CanEdit(1, Row(0)));
  EXPECT_EQ(Grid.Commit(1, Row(0), "5").Status.Code, acChangeNotAllowed);
  EXPECT_EQ(Tension(0), 10.0);
  Grid.MoveTo(2, Row(0));
  Grid.MoveTo(2, Row(1), true);
  EXPECT_FALSE(Grid.CanEdit(2, Row(1))) << "not while a range is selected";
}

class GridCycling : public TGridFixture {
 protected:
  // Cycles the value cell n times and returns the texts seen.
  std::vector<std::string> CycleTexts(int n, bool up)
  {
    std::vector<std::string> texts{Grid.CellText(1, Row(0))};
    for (int i = 0; i < n; ++i) {
      EXPECT_TRUE(Grid.Cycle(1, Row(0), up).Changed());
      texts.push_back(Grid.CellText(1, Row(0)));
    }
    return texts;
  }
  void UseLevelColumn(bool allowDefault)
  {
    TColumn& column = Grid.Column(1);
    column.VarNum = vnLevel;
    column.VarType = vtEnum;
    column.SetMin(0);
    column.SetMax(2);
    column.AllowDefault = allowDefault;
    Grid.SetCounter(nullptr);
  }
};

TEST_F(GridCycling, AnEnumerationWrapsFromItsMaximumToItsMinimum)
{
  UseLevelColumn(false);
  EXPECT_EQ(CycleTexts(3, true), (std::vector<std::string>{"0", "1", "2", "0"}));
  EXPECT_EQ(CycleTexts(3, false), (std::vector<std::string>{"0", "2", "1", "0"}));
}

TEST_F(GridCycling, AllowDefaultPutsTheDefaultBetweenMaximumAndMinimum)
{
  UseLevelColumn(true);
  EXPECT_EQ(CycleTexts(4, true), (std::vector<std::string>{"0", "1", "2", "~", "0"}));
  EXPECT_EQ(CycleTexts(4, false), (std::vector<std::string>{"0", "~", "2", "1", "0"}));
}

TEST_F(GridCycling, NamedEnumerationsAndBooleansCycleThroughTheirChoices)
{
  Grid.SetCounter(nullptr);
  Grid.Column(1).VarNum = vnShape;
  Grid.Column(1).VarType = vtEnum;
  EXPECT_EQ(CycleTexts(3, true), (std::vector<std::string>{"Round", "Square", "Hexagonal", "Round"}));
  Grid.Column(1).VarNum = vnFlag;
  Grid.Column(1).VarType = vtBool;
  EXPECT_EQ(CycleTexts(2, true), (std::vector<std::string>{" no", "yes", " no"}));
}

TEST_F(GridCycling, TheSpinColumnStepsTheCountAndStopsAtItsLimit)
{
  EXPECT_TRUE(Counter.Spin(1, 0, true).Changed());
  EXPECT_EQ(Sample.Table.RowCount(), 11);
  EXPECT_EQ(Grid.DataRowCount(), 11) << "the counted grid follows its counter";
  SetRows(20);
  const TGridOutcome over = Counter.Spin(1, 0, true);
  EXPECT_EQ(over.HintText(), "Must be in the range 1 to 20");
  EXPECT_EQ(Sample.Table.RowCount(), 20);
  EXPECT_TRUE(Counter.Spin(1, 0, false).Changed());
  EXPECT_EQ(Sample.Table.RowCount(), 19);
}

TEST_F(GridCycling, ADropDownListFillsWithTheChoicesAndStoresTheSelection)
{
  Grid.SetCounter(nullptr);
  Grid.Column(1).VarNum = vnShape;
  Grid.Column(1).VarType = vtList;
  TStringListTarget list;
  ASSERT_TRUE(Grid.FillList(1, Row(0), list));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.SelectedIndex(), 0);
  list.SetSelectedIndex(2);
  EXPECT_TRUE(Grid.CommitList(1, Row(0), list).Changed());
  EXPECT_EQ(Sample.Shape, 2);
  EXPECT_EQ(Grid.CellText(1, Row(0)), "Hexagonal");

  Grid.Column(1).VarNum = vnLevel;
  Grid.Column(1).VarType = vtPenStyle;
  ASSERT_TRUE(Grid.FillList(1, Row(0), list));
  EXPECT_EQ(list.Count(), 6);
  list.SetSelectedIndex(3);
  EXPECT_TRUE(Grid.CommitList(1, Row(0), list).Changed());
  EXPECT_EQ(Sample.Level, 3);
}

TEST(GridColumns, LimitsBeyondTheDoublesOfTheFilesAreInfiniteOrTiny)
{
  TColumn column;
  column.SetMax(1e31);
  column.SetMin(-1e31);
  EXPECT_EQ(column.Max(), Infinity);
  EXPECT_EQ(column.Min(), MinusInfinity);
  column.SetMin(1e-21);
  EXPECT_EQ(column.Min(), Tiny);
}

}  // namespace
}  // namespace umbrinex::testing
