#include <gtest/gtest.h>

#include <ostream>

#include "TestSupport.h"
#include "charts/ChartEngine.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

constexpr double Auto = Undefined;

struct TStepCase {
  double A, B, Step;
  int MinorTicks;
};

void PrintTo(const TStepCase& c, std::ostream* out)
{
  *out << c.A << " to " << c.B;
}

class NiceSteps : public ::testing::TestWithParam<TStepCase> {};

TEST_P(NiceSteps, GiveTheStepAndItsMinorTicks)
{
  const TStepCase& c = GetParam();
  const double step = NiceStep(c.A, c.B);
  EXPECT_CLOSE(c.Step, step, 1e-12);
  EXPECT_EQ(MinorTicksForStep(step), c.MinorTicks);
}

INSTANTIATE_TEST_SUITE_P(Ranges, NiceSteps,
                         ::testing::Values(TStepCase{0.0, 7.3, 1.0, 9},    // d = 73: ten times p = 0.1
                                           TStepCase{0.0, 1e-3, 2e-4, 1},  // d = 100
                                           TStepCase{0.0, 1.0, 0.2, 1},    // d = 10
                                           TStepCase{0.0, 30.0, 5.0, 4},   // d = 30
                                           TStepCase{50.0, 0.0, 10.0, 9},  // order does not matter
                                           TStepCase{0.0, 80.0, 20.0, 1},  // d = 80
                                           TStepCase{3.0, 3.0, 0.0, 1}));  // empty range

TEST(TickLabels, ShowAtMostFiveDecimalsWithoutTrailingZeros)
{
  EXPECT_EQ(FormatTickLabel(0.1 + 0.2), "0.3");
  EXPECT_EQ(FormatTickLabel(8.0), "8");
  EXPECT_EQ(FormatTickLabel(-2.5), "-2.5");
  EXPECT_EQ(FormatTickLabel(0.000012), "0.00001");
  EXPECT_EQ(FormatTickLabel(-1e-9), "0");
}

TEST(LogarithmicLabels, UseDecadesAndHalvesOverAboutOneDecadePerStep)
{
  // NiceStep(0, 3) = 0.5
  const std::vector<double> labels = LogLabelValues(1.0, 1000.0);
  const std::vector<double> expected = {1, 5, 10, 50, 100, 500, 1000, 5000};
  ASSERT_EQ(labels.size(), expected.size());
  for (std::size_t i = 0; i < labels.size(); ++i) EXPECT_CLOSE(expected[i], labels[i]);
}

TEST(LogarithmicLabels, StepWholeMultiplesOfTheExponentOverWideRanges)
{
  // NiceStep(0, 10) = 2: every second decade.
  const std::vector<double> labels = LogLabelValues(1.0, 1e10);
  ASSERT_EQ(labels.size(), 6u);
  EXPECT_CLOSE(1e4, labels[2]);
  EXPECT_TRUE(LogLabelValues(0.0, 10.0).empty()) << "a range from 0 has no logarithm";
}

class Engine : public ::testing::Test {
 protected:
  // A curve through (x, y) pairs on its own X.
  TCurve& AddCurve(const std::vector<std::pair<double, double>>& points, bool shareX = false)
  {
    TCurve& curve = engine.AddCurve();
    curve.SetPointCount(static_cast<int>(points.size()), shareX);
    for (std::size_t k = 0; k < points.size(); ++k)
      curve.SetPoint(static_cast<int>(k), points[k].first, points[k].second);
    return curve;
  }
  const TGraphAxis& Axis(int axis) { return engine.Chart().Axes[static_cast<std::size_t>(axis)]; }
  void AutoRanges()
  {
    engine.SetAxisRange(0, Auto, Auto, Auto);
    engine.SetAxisRange(1, Auto, Auto, Auto);
  }

  TChartEngine engine;
};

TEST_F(Engine, AutomaticRangeIsRoundedOutToTheNiceStep)
{
  AddCurve({{0.0, 0.0}, {7.3, 7.3}});
  engine.Refresh();
  AutoRanges();
  EXPECT_EQ(Axis(1).Minimum, 0.0);
  EXPECT_EQ(Axis(1).Maximum, 8.0);
  EXPECT_EQ(Axis(1).Increment, 1.0);
  EXPECT_EQ(Axis(1).MinorTickCount, 9);
}

TEST_F(Engine, SmallRangeKeepsABoundThatIsAlreadyAMultipleOfTheStep)
{
  AddCurve({{0.0, 0.0}, {1e-3, 1e-3}});
  engine.Refresh();
  AutoRanges();
  EXPECT_CLOSE(2e-4, Axis(0).Increment, 1e-12);
  EXPECT_EQ(Axis(0).MinorTickCount, 1);
  EXPECT_EQ(Axis(0).Minimum, 0.0);
  EXPECT_CLOSE(1e-3, Axis(0).Maximum, 1e-12) << "not moved out to 1.2e-3 by rounding noise";
  EXPECT_EQ(Axis(0).MajorTicks().size(), 6u);
}

TEST_F(Engine, GraphWithoutDataGetsMinusTenToTen)
{
  engine.Refresh();
  AutoRanges();
  for (int axis = 0; axis < 2; ++axis) {
    EXPECT_EQ(Axis(axis).Minimum, -10.0);
    EXPECT_EQ(Axis(axis).Maximum, 10.0);
    EXPECT_EQ(Axis(axis).Increment, 5.0);
  }
}

TEST_F(Engine, DegenerateRangeIsWidenedByTenOrByADecade)
{
  AddCurve({{5.0, 5.0}});
  engine.Refresh();
  engine.SetAxisRange(0, 1.0, Auto, Auto);
  EXPECT_EQ(Axis(0).Minimum, -5.0);
  EXPECT_EQ(Axis(0).Maximum, 15.0);
  EXPECT_EQ(Axis(0).Increment, 5.0) << "a widened range takes an automatic increment";

  engine.Chart().Axes[1].Logarithmic = true;
  engine.SetAxisRange(1, Auto, Auto, Auto);
  EXPECT_CLOSE(0.5, Axis(1).Minimum);
  EXPECT_CLOSE(50.0, Axis(1).Maximum);
  EXPECT_FALSE(Axis(1).LabelValues.empty());
}

TEST_F(Engine, GivenBoundsAreSwappedAndKeptUnrounded)
{
  AddCurve({{0.0, 0.0}, {7.3, 7.3}});
  engine.Refresh();
  engine.SetAxisRange(0, 0.5, 7.1, 0.3);
  EXPECT_EQ(Axis(0).Minimum, 0.3);
  EXPECT_EQ(Axis(0).Maximum, 7.1);
  EXPECT_EQ(Axis(0).Increment, 0.5);
}

TEST_F(Engine, MissingMaximumBelowAGivenMinimumCollapsesAndIsWidened)
{
  AddCurve({{0.0, 0.0}, {7.3, 7.3}});
  engine.Refresh();
  engine.SetAxisRange(1, Auto, 10.0, Auto);
  EXPECT_EQ(Axis(1).Minimum, 0.0);
  EXPECT_EQ(Axis(1).Maximum, 20.0);
}

TEST_F(Engine, InfiniteValuesStandAtTheEdgeWithoutWideningTheRange)
{
  AddCurve({{0.0, 0.0}, {1.0, 2.0}}, true);
  TCurve& infinite = AddCurve({{0.0, Infinity}, {1.0, -Infinity}}, true);
  engine.Refresh();
  AutoRanges();
  EXPECT_EQ(Axis(1).Minimum, 0.0);
  EXPECT_EQ(Axis(1).Maximum, 2.0);
  const TSeries& series = infinite.Series(0);
  EXPECT_EQ(series.Y[0], PlotInfinity);
  EXPECT_EQ(series.Y[1], -PlotInfinity);
  EXPECT_TRUE(series.Infinite[0] && series.Infinite[1]);
}

TEST_F(Engine, OnlyVisibleCurvesAndMarkersAndIncludedLinesScale)
{
  AddCurve({{0.0, 0.0}, {1.0, 1.0}});
  AddCurve({{0.0, 0.0}, {100.0, 100.0}}).Visible = false;
  engine.AddPoint(-3.0, 0.5);
  TIntercept& included = engine.Intercepts().Add();
  included.Value = 4.0;
  TIntercept& infinite = engine.Intercepts().Add();
  infinite.Value = Infinity;
  TIntercept& excluded = engine.Intercepts().Add();
  excluded.Value = 9.0;
  excluded.IncludeInRange = false;
  engine.Refresh();
  EXPECT_EQ(engine.DataMinimum(0), -3.0);
  EXPECT_EQ(engine.DataMaximum(0), 1.0);
  EXPECT_EQ(engine.DataMaximum(1), 4.0);
}

TEST_F(Engine, PartialRefreshPushesOnlyNewPoints)
{
  TCurve& curve = AddCurve({{0.0, 0.0}, {1.0, 1.0}});
  engine.Refresh();
  curve.SetPointCount(3, false);
  curve.SetPoint(2, 2.0, 5.0);
  curve.SetY(0, -7.0);  // already pushed: stays as drawn until a full rescan
  engine.Refresh(false);
  EXPECT_EQ(curve.Series(0).Count(), 3);
  EXPECT_EQ(curve.Series(0).Y[0], 0.0);
  EXPECT_EQ(engine.DataMaximum(1), 5.0);
  engine.Refresh(true);
  EXPECT_EQ(engine.DataMinimum(1), -7.0);
}

TEST_F(Engine, CurvesSharingXWriteOneStorage)
{
  TCurve& first = AddCurve({{1.0, 10.0}, {2.0, 20.0}});
  TCurve& second = engine.AddCurve();
  second.SetPointCount(2, true);
  second.SetX(1, 3.0);
  EXPECT_EQ(first.X(1), 3.0);
  EXPECT_TRUE(second.SharesXWith(first));
  second.SetPointCount(2, false);
  EXPECT_FALSE(second.SharesXWith(first));
}

TEST_F(Engine, MirroredAndBandCurvesDrawTwoSeries)
{
  TCurve& reference = engine.AddCurve(TCurveKind::Reference);
  reference.SetPointCount(1, false);
  reference.SetPoint(0, 0.0, 10.0);
  TCurve& mirrored = engine.AddCurve(TCurveKind::Mirrored);
  mirrored.SetPointCount(1, true);
  mirrored.SetY(0, -3.0);
  TCurve& band = engine.AddCurve(TCurveKind::Band);
  band.BandWidth = 2.0;
  band.SetPointCount(1, true);
  band.SetY(0, 4.0);  // a variance: the band is 10 ± 2·√4
  engine.Refresh();
  EXPECT_EQ(mirrored.Series(0).Y[0], 3.0);
  EXPECT_EQ(mirrored.Series(1).Y[0], -3.0);
  EXPECT_EQ(band.Series(0).Y[0], 6.0);
  EXPECT_EQ(band.Series(1).Y[0], 14.0);
  EXPECT_EQ(band.LegendText(), "\u00B1 2 Std. Dev.");
}

TEST_F(Engine, LegendHidesWithFewerThanTwoCurvesOnlyWhenAsked)
{
  GraphSettings().LegendVisible = true;
  AddCurve({{0.0, 0.0}});
  EXPECT_TRUE(engine.Chart().LegendVisible);
  engine.Chart().HideLegendWithFewerThanTwoCurves = true;
  engine.ApplyLegendRule();
  EXPECT_FALSE(engine.Chart().LegendVisible);
  AddCurve({{0.0, 0.0}});
  EXPECT_TRUE(engine.Chart().LegendVisible);
  engine.DeleteCurve(1);
  EXPECT_FALSE(engine.Chart().LegendVisible);
}

TEST_F(Engine, CurvesWithoutAStyleTakeThePaletteInTurnAndStyledOnesFollowTheirStyle)
{
  TCurveStyle style{0x123456, 3, psDash};
  EXPECT_EQ(engine.AddCurve().Pen.Colour, PaletteColour(0));
  TCurve& styled = engine.AddCurve(TCurveKind::Plain, &style);
  EXPECT_EQ(engine.AddCurve().Pen.Colour, PaletteColour(1));
  EXPECT_EQ(styled.Pen, (TPen{3, psDash, 0x123456}));
  style.Colour = 0x654321;
  engine.ApplyCurvePreferences();
  EXPECT_EQ(styled.Pen.Colour, 0x654321u);
}

TEST_F(Engine, FontsAndCurveStylesFollowTheSettingsAsTheyChange)
{
  const TGraphSettings saved = GraphSettings();
  TCurve& curve = engine.AddCurve(TCurveKind::Plain, &GraphSettings().StateCurves[0]);
  GraphSettings().StateCurves[0].Colour = 0x00FF00;
  GraphSettings().YAxisLabelFont.Size = 12;
  NotifyGraphSettingsChanged(TGraphSettingsChange::AxisFonts);
  EXPECT_EQ(Axis(1).LabelFont.Size, 12);
  EXPECT_EQ(curve.Pen.Colour, clRed) << "not before the curve styles are announced";
  NotifyGraphSettingsChanged(TGraphSettingsChange::Curves);
  EXPECT_EQ(curve.Pen.Colour, 0x00FF00u);
  GraphSettings() = saved;
}

TEST_F(Engine, ClearingCurvesAlsoClearsThePoints)
{
  AddCurve({{0.0, 0.0}});
  engine.AddPoint(1.0, 1.0);
  engine.ClearCurves();
  EXPECT_EQ(engine.CurveCount(), 0);
  EXPECT_TRUE(engine.Points().empty());
}

class Building : public ::testing::Test {
 protected:
  Building()
      : engine(
            [this](TChartEngine& e, int flags) {
              requests.push_back(flags);
              if (abort) throw ESilentAbort();
              if (flags & rfRanges) {
                e.SetAxisRange(0, Auto, 0.0, 10.0);
                e.SetAxisRange(1, Auto, 0.0, 10.0);
              }
            },
            {&model})
  {
    engine.OnClose = [this] { ++closed; };
  }

  TNamedObject model{nullptr};
  TNamedObject other{nullptr};
  std::vector<int> requests;
  bool abort = false;
  int closed = 0;
  TChartEngine engine;
};

TEST_F(Building, ZoomSetsNiceRangesAndUndoZoomRestoresTheDefaults)
{
  engine.Rebuild(rfAll);
  engine.Zoom(1.0, 3.0, 7.3, 0.0);
  const TGraphAxis& y = engine.Chart().Axes[1];
  EXPECT_EQ(y.Minimum, 0.0);
  EXPECT_EQ(y.Maximum, 7.3);
  EXPECT_EQ(y.Increment, 1.0);
  EXPECT_TRUE(engine.Chart().Zoomed);
  engine.UndoZoom();
  EXPECT_EQ(requests.back(), rfRanges);
  EXPECT_FALSE(engine.Chart().Zoomed);
  EXPECT_EQ(y.Maximum, 10.0);
}

TEST_F(Building, LogarithmicAxisIgnoresAZoomReachingZero)
{
  engine.Rebuild(rfAll);
  engine.Chart().Axes[0].Logarithmic = true;
  engine.Zoom(-1.0, 5.0, 1.0, 2.0);
  EXPECT_EQ(engine.Chart().Axes[0].Maximum, 10.0);
  EXPECT_EQ(engine.Chart().Axes[1].Maximum, 2.0);
}

TEST_F(Building, CancelledRebuildClosesTheGraphAndPassesTheAbortOn)
{
  engine.Rebuild(rfAll);
  EXPECT_TRUE(engine.Drawn());
  abort = true;
  EXPECT_THROW(engine.Rebuild(rfData), ESilentAbort);
  EXPECT_FALSE(engine.Drawn());
  EXPECT_EQ(closed, 1);
}

TEST_F(Building, NoticesRebuildForTheirDataObjectsOrWhenFlaggedForAll)
{
  engine.HandleNotice(TObjectMessage::Changed, &model, rfData);
  engine.HandleNotice(TObjectMessage::Changed, &other, rfData);
  engine.HandleNotice(TObjectMessage::Changed, &other, rfAlways | rfTitles);
  EXPECT_EQ(requests, (std::vector<int>{rfData, rfAlways | rfTitles}));
  engine.HandleNotice(TObjectMessage::Destroyed, &other, 0);
  EXPECT_EQ(closed, 0);
  engine.HandleNotice(TObjectMessage::Destroyed, &model, 0);
  EXPECT_EQ(closed, 1);
}

TEST(Intercepts, AddedLinesTakeTheFirstFreeNumber)
{
  TInterceptList lines;
  lines.Add().Label = lines.FreeName();
  lines.Add().Label = lines.FreeName();
  EXPECT_EQ(lines.Item(1).Label, "Intercept2");
  lines.Delete(0);
  EXPECT_EQ(lines.FreeName(), "Intercept1");
  EXPECT_FALSE(lines.BuiltIn(0).Active) << "the built-in lines at 0 are off until asked for";
}

}  // namespace
}  // namespace umbrinex
