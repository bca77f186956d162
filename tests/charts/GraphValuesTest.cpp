#include <gtest/gtest.h>

#include "charts/ChartEngine.h"
#include "charts/GraphValues.h"
#include "framework/data/Progress.h"
#include "presentation/SpreadSheet.h"

namespace umbrinex {
namespace {

TEST(ColumnLetters, RunFromAToZThenContinueWithTwoAndThreeLetters)
{
  const std::pair<int, const char*> cases[] = {{0, "A"},   {25, "Z"},  {26, "AA"},  {27, "AB"},
                                               {51, "AZ"}, {52, "BA"}, {701, "ZZ"}, {702, "AAA"}};
  for (const auto& [index, letters] : cases) EXPECT_EQ(ColumnLetters(index), letters) << index;
}

class GraphValues : public ::testing::Test {
 protected:
  GraphValues()
  {
    engine.SetCaption("Curvature Chart");
    engine.SetAxisTitle(0, "Arc Length (m)");
    engine.SetAxisTitle(1, "Curvature (m^{-1})");
  }
  TCurve& AddCurve(const std::string& name, int points, bool shareX = true)
  {
    TCurve& curve = engine.AddCurve();
    curve.Name = name;
    curve.SetPointCount(points, shareX);
    for (int k = 0; k < points; ++k) curve.SetPoint(k, 0.5 * k, 10.0 * engine.CurveCount() + k);
    return curve;
  }
  bool Available() const { return TChartEngineList({const_cast<TChartEngine*>(&engine)}).ValuesAvailable(); }
  std::string Text(int row, int col) { return sheet.GetCellValue(row, col).ToText(); }
  double Number(int row, int col) { return sheet.GetCellValue(row, col).ToReal().value_or(-1.0); }

  TChartEngine engine;
  TWorkbook workbook;
  TSpreadSheet sheet{workbook};
};

TEST_F(GraphValues, NeedCurvesOfOneLengthOnSharedX)
{
  EXPECT_FALSE(Available()) << "no curves";
  AddCurve("State 1", 0);
  EXPECT_FALSE(Available()) << "no points";
  engine.ClearCurves();
  AddCurve("State 1", 3);
  AddCurve("State 2", 3);
  EXPECT_TRUE(Available());
  engine.Curve(1).SetPointCount(2, true);
  EXPECT_FALSE(Available()) << "different point counts";
  engine.Curve(1).SetPointCount(3, false);
  EXPECT_FALSE(Available()) << "X values of its own";
  EXPECT_FALSE(TChartEngineList().ValuesAvailable());
}

TEST_F(GraphValues, AreWrittenBelowTheHeaderWithAColumnDescriptionEach)
{
  AddCurve("State 1", 3);
  AddCurve("State 2", 3).ValueHook = [](double y) { return -y; };
  sheet.SetCellValue(40, 9, TVariant("left over"));
  EXPECT_EQ(TChartEngineList({&engine}).WriteValues(sheet, {"Umbrinex"}), "Curvature Chart (values)");
  EXPECT_TRUE(sheet.GetCellValue(40, 9).IsEmpty()) << "the sheet is cleared first";
  EXPECT_EQ(Text(1, 1), "Umbrinex");
  EXPECT_TRUE(sheet.GetCellValue(2, 1).IsEmpty());
  EXPECT_EQ(Text(3, 1), "Column A: Arc Length (m)");
  EXPECT_EQ(Text(4, 1), "Column B: Curvature (m^{-1}), State 1");
  EXPECT_EQ(Text(5, 1), "Column C: Curvature (m^{-1}), State 2");
  // One empty row, then the headings and a row per point.
  EXPECT_EQ(Text(7, 1), "Arc Length (m)");
  EXPECT_EQ(Text(7, 3), "State 2");
  EXPECT_EQ(Number(10, 1), 1.0);
  EXPECT_EQ(Number(10, 2), 12.0);
  EXPECT_EQ(Number(10, 3), -22.0) << "through the curve's value hook";
  EXPECT_EQ(sheet.ColumnWidth(1), 18 * 256) << "wide enough for its heading";
  EXPECT_FALSE(Progress().Active());
}

TEST_F(GraphValues, OfASingleCurveAreHeadedByTheAxisTitle)
{
  AddCurve("Angle Limit", 2);
  TChartEngineList({&engine}).WriteValues(sheet, {});
  EXPECT_EQ(Text(3, 1), "Column B: Curvature (m^{-1})");
  EXPECT_EQ(Text(5, 2), "Curvature (m^{-1})");
}

TEST_F(GraphValues, DescribeColumnsBeyondZWithTwoLetters)
{
  for (int i = 0; i < 30; ++i) AddCurve("Curve " + std::to_string(i + 1), 1);
  TChartEngineList({&engine}).WriteValues(sheet, {"Title"});
  EXPECT_EQ(Text(3 + 26, 1), "Column AA: Curvature (m^{-1}), Curve 26");
  EXPECT_EQ(Text(3 + 30, 1), "Column AE: Curvature (m^{-1}), Curve 30");
}

TEST_F(GraphValues, ShowBuildingTableOnTheProgressDisplay)
{
  struct TOwner : IProgressOwner {
    std::vector<std::string> Texts;
    void ProgressTextChanged(const std::string& text) override { Texts.push_back(text); }
  } owner;
  AddCurve("State 1", 5);
  TChartEngineList({&engine}).WriteValues(sheet, {}, &owner);
  EXPECT_EQ(owner.Texts, std::vector<std::string>{"Building Table"});
}

}  // namespace
}  // namespace umbrinex
