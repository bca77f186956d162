#include <gtest/gtest.h>

#include <random>

#include "GridTestSupport.h"
#include "framework/grid/DataTextPort.h"

namespace umbrinex::testing {
namespace {

using GridPaste = TGridFixture;

TGridClipboard TextOnly(std::string text)
{
  return TGridClipboard{std::move(text), {}};
}

TEST_F(GridPaste, CopiesTheDisplayTextsOfTheSelectionRowByRow)
{
  Grid.MoveTo(0, Row(0));
  Grid.MoveTo(2, Row(1), true);
  EXPECT_EQ(Grid.Copy().Text, "1\t10.000\t0.500\n2\t20.000\t1.500\n");
}

TEST_F(GridPaste, ThreeRowsAtTheLastOfTenAskToGrowTheTableToTwelve)
{
  Grid.MoveTo(1, Row(9));
  Messages.Answers = {maNo};
  EXPECT_FALSE(Grid.Paste(TextOnly("1\n2\n3\n")).Changed());
  ASSERT_EQ(Messages.Texts.size(), 1u);
  EXPECT_EQ(Messages.Texts[0],
            "To paste the data form the clipboard this table needs to have 12 rows.  Do you want the number of rows "
            "to be increased to this value before pasting?\n\nIf you answer No then nothing will be pasted.");
  EXPECT_EQ(Sample.Table.RowCount(), 10) << "No pastes nothing";
  EXPECT_EQ(Tension(9), 100.0);

  Messages.Answers = {maYes};
  EXPECT_TRUE(Grid.Paste(TextOnly("1\n2\n3\n")).Changed());
  ASSERT_EQ(Sample.Table.RowCount(), 12);
  EXPECT_EQ(Tension(9), 1.0);
  EXPECT_EQ(Tension(10), 2.0);
  EXPECT_EQ(Tension(11), 3.0);
}

TEST_F(GridPaste, GrowingPastTheCountersLimitPastesNothing)
{
  Grid.MoveTo(1, Row(9));
  const TGridOutcome outcome = Grid.Paste(TextOnly(std::string(15, '\n').insert(0, "7")));
  // Refused at once with the table's limit, without first offering a
  // growth that the counter would refuse.
  EXPECT_EQ(outcome.HintText(), "Cannot paste 15 rows here.  The table would need 24 rows and can have at most 20.");
  EXPECT_TRUE(Messages.Texts.empty());
  EXPECT_EQ(Sample.Table.RowCount(), 10);
  EXPECT_EQ(Tension(9), 100.0);

  // Up to the limit the growth is offered.
  Grid.MoveTo(1, Row(5));
  Messages.Answers = {maNo};
  Grid.Paste(TextOnly(std::string(14, '\n').insert(0, "7")));
  EXPECT_EQ(Messages.Texts.size(), 1u);
}

TEST_F(GridPaste, AnIndexColumnIsLeftAsItIsInBothFormats)
{
  for (const bool withTable : {true, false}) {
    SetRows(10);
    Grid.MoveTo(0, Row(0));
    Grid.MoveTo(2, Row(1), true);
    TGridClipboard clipboard = Grid.Copy();
    if (!withTable) clipboard.Table.clear();
    Grid.MoveTo(0, Row(5));
    EXPECT_TRUE(Grid.Paste(clipboard).Changed()) << withTable;
    EXPECT_EQ(Tension(5), 10.0) << withTable;
    EXPECT_EQ(Free(5), 0.5) << withTable;
    EXPECT_EQ(Tension(6), 20.0) << withTable;
    EXPECT_EQ(Free(6), 1.5) << withTable;
    EXPECT_EQ(Grid.CellText(0, Row(5)), "6") << withTable;
  }
}

TEST_F(GridPaste, RefusedCellsGiveOneHintAndTheOthersAreStored)
{
  Grid.MoveTo(1, Row(0));
  const TGridOutcome outcome = Grid.Paste(TextOnly("5\t-1\nx\t2\n"));
  EXPECT_EQ(outcome.HintText(), "Some errors occurred whilst pasting.  Please check your data.");
  EXPECT_EQ(outcome.Cell, (TGridCoord{1, Row(0)}));
  EXPECT_EQ(Tension(0), 5.0);
  EXPECT_EQ(Free(0), 0.5) << "-1 is below the column's minimum";
  EXPECT_EQ(Tension(1), 20.0);
  EXPECT_EQ(Free(1), 2.0);
  EXPECT_EQ(Sample.Batches, 1);
  EXPECT_EQ(Sample.BatchesEnded, 1);
  EXPECT_TRUE(Messages.Texts.empty());
}

TEST_F(GridPaste, RefusedCellsArePickedOutUntilTheCurrentCellMoves)
{
  Grid.MoveTo(1, Row(0));
  Grid.Paste(TextOnly("5\t-1\nx\t2\n3\t-4\n"));
  const std::vector<TGridCoord> refused{{2, Row(0)}, {1, Row(1)}, {2, Row(2)}};
  EXPECT_EQ(Grid.MarkedCells(), refused);
  EXPECT_EQ(Grid.Current(), refused.front());
  EXPECT_TRUE(Grid.IsMarked(1, Row(1)));
  EXPECT_FALSE(Grid.IsMarked(1, Row(0))) << "5 was stored";
  Grid.MoveTo(1, Row(4));
  EXPECT_TRUE(Grid.MarkedCells().empty());

  // A clean paste picks out nothing.
  Grid.Paste(TextOnly("1\t2\n"));
  EXPECT_TRUE(Grid.MarkedCells().empty());

  // Filling is pasting cell by cell: its refusals are picked out too.
  Sample.Table.SetCell(0, vnTension, 500.0);
  Grid.MoveTo(1, Row(0));
  Grid.MoveTo(2, Row(0), true);
  EXPECT_TRUE(Grid.Fill(TFillDirection::Right).Refused());
  EXPECT_EQ(Grid.MarkedCells(), (std::vector<TGridCoord>{{2, Row(0)}}));
}

TEST_F(GridPaste, FillDownAndRightCopyTheFirstRowOrColumn)
{
  Grid.MoveTo(1, Row(0));
  Grid.MoveTo(2, Row(3), true);
  Grid.Fill(TFillDirection::Down);
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(Tension(row), 10.0);
    EXPECT_EQ(Free(row), 0.5);
  }
  EXPECT_EQ(Tension(4), 50.0);
  Grid.Fill(TFillDirection::Left);
  EXPECT_EQ(Tension(2), 0.5) << "from the right column";
  Grid.MoveTo(1, Row(5));
  Grid.MoveTo(2, Row(6), true);
  Grid.Fill(TFillDirection::Up);
  EXPECT_EQ(Tension(5), 70.0);
  EXPECT_EQ(Free(5), 6.5);
}

// One row of every kind of cell, and a grid showing it.
class GridMixedRow : public TGridFixture {
 protected:
  void SetUp() override
  {
    TGridFixture::SetUp();
    Row.SetFixedRows(0);
    Row.SetRowsShown(1);
    Row.Columns().front().VarType = vtIndex;
    Row.AddColumn(vnLabel, vtText);
    Row.AddColumn(vnLevel, vtInt);
    Row.AddColumn(vnFlag, vtBool);
    Row.AddColumn(vnShape, vtEnum);
    Row.AddColumn(vnColour, vtColour);
    Row.AddColumn(vnTension, vtReal);
    Row.AddColumn(0, vtSpin);
    Row.AddColumn(vnShape, vtList);
    Row.SetDataObject(&Sample);
    Row.MoveTo(0, 0);
    Row.MoveTo(Row.ColCount() - 1, 0, true);
    Sample.Label = "a label";
    Sample.Level = -7;
    Sample.Flag = true;
    Sample.Shape = 2;
    Sample.Table.SetCell(0, vnTension, 1.0 / 3.0);
  }
  TGridCore Row;
};

TEST_F(GridMixedRow, ThePrivateFormatDecodesToTheSameCells)
{
  const TGridClipboard clipboard = Row.Copy();
  std::vector<TClipboardCell> cells;
  std::string error;
  ASSERT_TRUE(DecodeCells(clipboard.Table, cells, error)) << error;
  std::vector<TClipboardCell> expected{
      TClipboardCell::OfText("a label"),
      TClipboardCell::OfInteger(-7),
      TClipboardCell::OfBoolean(true),
      TClipboardCell::OfInteger(2),
      TClipboardCell::OfInteger(0x00FF8040, TCellDisplay::Colour),
      TClipboardCell::OfReal(1.0 / 3.0),
      TClipboardCell::OfText("Hexagonal"),
  };
  expected.back().EndOfRow = true;
  EXPECT_EQ(cells, expected);
  EXPECT_EQ(EncodeCells(cells), clipboard.Table);
  EXPECT_EQ(clipboard.Text, "1\ta label\t-7\tyes\tHexagonal\t00FF8040\t0.333\tHexagonal\n");

  // Pasted back over changed values, every cell takes its copied value.
  Sample.Label = "changed";
  Sample.Level = 3;
  Sample.Flag = false;
  Sample.Shape = 0;
  Sample.Colour = 0;
  Sample.Table.SetCell(0, vnTension, 9.0);
  EXPECT_TRUE(Row.Paste(clipboard).Changed());
  EXPECT_EQ(Sample.Label, "a label");
  EXPECT_EQ(Sample.Level, -7);
  EXPECT_TRUE(Sample.Flag);
  EXPECT_EQ(Sample.Shape, 2);
  EXPECT_EQ(Sample.Colour, 0x00FF8040);
  EXPECT_EQ(Tension(0), 1.0 / 3.0);
}

TEST_F(GridMixedRow, TextPasteLeavesEnumerationsAndColoursAlone)
{
  Sample.Colour = 1;
  EXPECT_TRUE(Row.Paste(TextOnly("9\tnew\t4\tno\tSquare\t00000002\t2.5\tSquare\n")).Changed());
  EXPECT_EQ(Sample.Label, "new");
  EXPECT_EQ(Sample.Level, 4);
  EXPECT_FALSE(Sample.Flag);
  EXPECT_EQ(Sample.Colour, 1);
  EXPECT_EQ(Tension(0), 2.5);
  EXPECT_EQ(Sample.Shape, 1) << "the list column takes the name";
}

TEST_F(GridMixedRow, RecordsOfAnUnknownKindAreSkippedByTheirLength)
{
  std::vector<TClipboardCell> cells{TClipboardCell::OfText("x"), TClipboardCell::OfInteger(5)};
  cells[0].Kind = 9;  // from a newer writer: it still takes its column
  cells[1].EndOfRow = true;
  std::vector<TClipboardCell> decoded;
  std::string error;
  const std::vector<std::uint8_t> bytes = EncodeCells(cells);
  ASSERT_TRUE(DecodeCells(bytes, decoded, error)) << error;
  ASSERT_EQ(decoded.size(), 2u);
  EXPECT_FALSE(decoded[0].HasValue());
  EXPECT_TRUE(Row.Paste(TGridClipboard{"", bytes}).Changed());
  EXPECT_EQ(Sample.Label, "a label");
  EXPECT_EQ(Sample.Level, 5);
}

TEST_F(GridMixedRow, EveryTruncationOfTheTableIsRefusedAndChangesNothing)
{
  const std::vector<std::uint8_t> whole = Row.Copy().Table;
  Sample.Label = "kept";
  Sample.Level = 11;
  // An empty table is no table: there is nothing to paste.
  for (std::size_t size = 1; size < whole.size(); ++size) {
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    std::vector<TClipboardCell> cells;
    std::string error;
    EXPECT_FALSE(DecodeCells(cut, cells, error)) << size;
    EXPECT_FALSE(error.empty());
    const TGridOutcome outcome = Row.Paste(TGridClipboard{"", cut});
    EXPECT_TRUE(outcome.Refused()) << size;
    EXPECT_EQ(outcome.HintText(), error);
    ASSERT_EQ(Sample.Label, "kept") << size;
    ASSERT_EQ(Sample.Level, 11) << size;
  }
}

TEST_F(GridMixedRow, HostileTablesAreRefusedOrPastedWithoutHarm)
{
  // A length that claims more than there is, a value of the wrong size, and
  // random damage of a valid table.
  std::vector<std::uint8_t> longString = EncodeCells({TClipboardCell::OfText("abc")});
  longString[9] = 0xFF;
  std::vector<std::uint8_t> shortInteger = EncodeCells({TClipboardCell::OfInteger(1)});
  shortInteger[9] = 2;
  for (const auto& bytes : {longString, shortInteger}) {
    std::vector<TClipboardCell> cells;
    std::string error;
    EXPECT_FALSE(DecodeCells(bytes, cells, error));
    EXPECT_TRUE(cells.empty());
  }
  const std::vector<std::uint8_t> whole = Row.Copy().Table;
  std::mt19937 random(20240611);
  for (int trial = 0; trial < 5000; ++trial) {
    std::vector<std::uint8_t> bytes = whole;
    const int changes = 1 + static_cast<int>(random() % 4);
    for (int k = 0; k < changes; ++k) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
    if (random() % 3 == 0) bytes.resize(random() % (bytes.size() + 1));
    Row.MoveTo(0, 0);
    Row.Paste(TGridClipboard{"", bytes});  // any outcome but a crash
  }
  EXPECT_EQ(Sample.Batches, Sample.BatchesEnded);
}

TEST_F(GridPaste, RendersTitlesAndRowsAsFixedPitchText)
{
  SetRows(2);
  Grid.Column(0).Title(1).Caption = "";
  Grid.Column(2).Title(0).Caption = "Both";
  Grid.Column(2).Title(0).SetExtent(2);
  Grid.Column(1).Title(0).Caption = "";
  Grid.Column(2).Title(1).Caption = "Free";
  TDataTextPort port;
  Grid.RenderAsText(port, 1, 1, {40, 80, 80}, 8.0);
  // Columns of 6, 12 and 12 characters (pixels / 8 × 1.2) with a blank
  // between; "Both" is centred over the last two.
  EXPECT_EQ(port.Lines(),
            (std::vector<std::string>{" No.             Both", "           (kN)         Free",
                                      "     1       10.000        0.500", "     2       20.000        1.500"}));
}

TEST(DataTextPort, WritesCharactersOverBlanksAndAddsLines)
{
  TDataTextPort port;
  port.WriteAt(3, 2, "abc");
  port.WriteAt(4, 2, "Ω");
  port.WriteAt(1, 1, "x");
  EXPECT_EQ(port.Lines(), (std::vector<std::string>{"x", "  aΩc"}));
  EXPECT_EQ(port.Text(), "x\n  aΩc\n");
}

}  // namespace
}  // namespace umbrinex::testing
