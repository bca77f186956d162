#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "framework/grid/GridLayout.h"

namespace umbrinex::testing {
namespace {

using GridLayout = TGridFixture;

TGridMetrics Metrics(int clientWidth)
{
  TGridMetrics m;
  m.CharWidth = 7.0;
  m.CharHeight = 15.0;
  m.ClientWidth = clientWidth;
  m.BorderWidth = 2;
  m.GridLineWidth = 1;
  m.ScrollBarWidth = 17;
  m.ScrollBarHeight = 17;
  return m;
}

TEST_F(GridLayout, SharesTheWidthInProportionWhenEverythingFits)
{
  Grid.ScrollBars = ssVertical;
  Grid.Column(0).Width = 5;
  Grid.Column(1).Width = 10;
  Grid.Column(2).Width = 10;
  // 10 rows and 2 title rows are more than the 6 shown: a vertical bar.
  const TGridLayout layout = LayoutGrid(Grid, Metrics(300));
  EXPECT_TRUE(layout.VerticalScrollBar);
  EXPECT_FALSE(layout.HorizontalScrollBar);
  // 300 - 17 - 3 lines = 280, shared 5 : 10 : 10.
  EXPECT_EQ(layout.ColumnWidths, (std::vector<int>{56, 112, 112}));
  EXPECT_EQ(layout.TotalWidth(), 283);
  // Borders, 6 rows of round(15 × 1.2) = 18 and 5 lines.
  EXPECT_EQ(layout.ControlHeight, 4 + 6 * 18 + 5);
  EXPECT_EQ(layout.RowHeight(0), 18);
  EXPECT_EQ(layout.RowHeight(11), 18) << "rows below the shown ones repeat their heights";
}

TEST_F(GridLayout, KeepsNaturalWidthsBehindAHorizontalScrollBar)
{
  Grid.ScrollBars = ssBoth;
  const TGridLayout layout = LayoutGrid(Grid, Metrics(120));
  EXPECT_TRUE(layout.HorizontalScrollBar);
  EXPECT_EQ(layout.ColumnWidths, (std::vector<int>{70, 70, 70}));
  EXPECT_EQ(layout.ControlHeight, 4 + 17 + 6 * 18 + 5);
}

TEST_F(GridLayout, AOneCellFieldHasNoBarsAndOneRow)
{
  TGridCore field;
  field.SetFixedRows(0);
  field.SetRowsShown(1);
  field.ScrollBars = ssNone;
  field.Column(0).VarNum = vnTension;
  field.Column(0).VarType = vtReal;
  field.Column(0).Margin = 1;
  field.SetDataObject(&Sample);
  const TGridLayout layout = LayoutGrid(field, Metrics(73));
  EXPECT_EQ(layout.ColumnWidths, (std::vector<int>{72}));
  EXPECT_EQ(layout.ControlHeight, 4 + 18);
  EXPECT_EQ(field.CellText(0, 0), "10.000");
}

TEST_F(GridLayout, RowsShownBelowTheTitleRowsAreIgnored)
{
  Grid.SetRowsShown(1);
  EXPECT_EQ(Grid.RowsShown(), 6);
  Grid.SetRowsShown(2);
  EXPECT_EQ(Grid.RowsShown(), 2);
}

}  // namespace
}  // namespace umbrinex::testing
