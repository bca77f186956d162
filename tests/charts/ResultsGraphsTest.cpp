#include <gtest/gtest.h>

#include <algorithm>

#include "TestSupport.h"
#include "bend/Bend.h"
#include "bend/BendVarNums.h"
#include "bend/LoadCaseResults.h"
#include "charts/GraphValues.h"
#include "charts/ResultsGraphs.h"
#include "framework/data/Progress.h"
#include "framework/data/Units.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

// Stations of the default design: 41 along the stiffener, 47 in all.
constexpr int TipStation = 41;
constexpr int Stations = 47;

class ResultsGraphs : public ::testing::Test {
 protected:
  void SetUp() override { bend = New<TBend>(); }
  void TearDown() override { GraphSettings() = saved; }

  TChartEngine& Build(TResultsGraph graph)
  {
    engine = std::make_unique<TChartEngine>(ResultsGraphBuilder(*bend, graph));
    ConfigureResultsGraph(*engine, graph);
    engine->Rebuild(rfAll);
    return *engine;
  }
  std::vector<std::string> CurveNames() const
  {
    std::vector<std::string> names;
    for (int i = 0; i < engine->CurveCount(); ++i) names.push_back(engine->Curve(i).Name);
    return names;
  }
  bool ValuesAvailable() const { return TChartEngineList({engine.get()}).ValuesAvailable(); }
  void Set(int varNum, const TVariant& value, int index = 0, TVarType representation = vtReal)
  {
    TAccessStatus status;
    bend->SetValue(varNum, index, status, value, representation);
    ASSERT_EQ(status.Code, acOk) << status.Text();
  }
  void ExcludeAllStates()
  {
    for (int i = 0; i < bend->LoadCaseCount(); ++i)
      for (int s = 0; s < StateCount; ++s) bend->SetStateIncluded(i, s, false);
  }
  std::string CannotDisplay(TResultsGraph graph)
  {
    try {
      Build(graph);
    } catch (const EBendResultCannotBeDisplayed& e) {
      EXPECT_EQ(engine->CurveCount(), 0) << "nothing is drawn";
      return e.what();
    }
    return "(shown)";
  }

  std::unique_ptr<TBend> bend;
  std::unique_ptr<TChartEngine> engine;
  TGraphSettings saved = GraphSettings();
};

TEST_F(ResultsGraphs, CurvatureChartShowsEachStateWithItsTipAndTheAbrLine)
{
  TChartEngine& e = Build(TResultsGraph::CurvatureChart);
  EXPECT_EQ(CurveNames(), (std::vector<std::string>{"State 1", "State 2"}));
  EXPECT_EQ(e.Curve(0).Pen.Colour, clRed);
  EXPECT_EQ(e.Curve(1).Pen.Colour, clBlue);
  EXPECT_EQ(e.Curve(1).PointCount(), Stations);
  EXPECT_TRUE(ValuesAvailable());
  ASSERT_EQ(e.Points().size(), 2u);
  for (const TChartPoint& tip : e.Points()) {
    EXPECT_EQ(tip.X, 2.0);
    EXPECT_EQ(tip.Style, TPointStyle::Diamond);
    EXPECT_EQ(tip.Size, 3);
  }
  EXPECT_EQ(e.Points()[1].Colour, clBlue);
  ASSERT_EQ(e.Intercepts().Count(), 1);
  const TIntercept& abr = e.Intercepts().Item(0);
  EXPECT_EQ(abr.Label, "ABR");
  EXPECT_CLOSE(1.0 / 2.5, abr.Value);
  EXPECT_EQ(abr.Colour, clMagenta);
  EXPECT_EQ(e.AxisTitle(0), "Arc Length (m)");
  EXPECT_EQ(e.AxisTitle(1), "Curvature (m^{-1})  (T=2.5, A=68)");
  EXPECT_EQ(e.Chart().Axes[0].Maximum, 2.2) << "the analysed length";
  EXPECT_GE(e.Chart().Axes[1].Maximum, 0.4) << "the ABR line is in range";
}

TEST_F(ResultsGraphs, LoadCaseWithOnlyState2ShowsOneCurveInItsStyle)
{
  bend->SetStateIncluded(0, 0, false);
  for (TResultsGraph graph : {TResultsGraph::CurvatureChart, TResultsGraph::DeflectionChart}) {
    TChartEngine& e = Build(graph);
    EXPECT_EQ(CurveNames(), std::vector<std::string>{"State 2"});
    EXPECT_EQ(e.Curve(0).Pen.Colour, clBlue);
    EXPECT_EQ(e.Points().at(0).Colour, clBlue);
  }
  EXPECT_TRUE(ValuesAvailable()) << "a single deflection curve has a values table";
}

TEST_F(ResultsGraphs, AZeroAbrThatOnlyAFileCanGiveIsRefusedBeforeTheChartIsBuilt)
{
  // The item refuses 0 at entry; the chart is never drawn from it.
  bend->LoadCases().SetCell(0, vnLoadCaseABR, 0.0);
  EXPECT_THROW(Build(TResultsGraph::CurvatureChart), EBendDataError);
}

TEST_F(ResultsGraphs, StrainChartHasFourCurvesStoppingAtTheTip)
{
  TChartEngine& e = Build(TResultsGraph::StrainChart);
  EXPECT_EQ(CurveNames(), (std::vector<std::string>{"State 1, compressive", "State 1, tensile", "State 2, compressive",
                                                    "State 2, tensile"}));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(e.Curve(i).PointCount(), TipStation);
    EXPECT_EQ(e.Curve(i).X(TipStation - 1), 2.0);
  }
  EXPECT_EQ(e.Curve(2).Pen.Colour, clBlue);
  EXPECT_EQ(e.Points().size(), 4u);
  EXPECT_EQ(e.AxisTitle(1), "Max. Strain  (T=2.5, A=68)");
}

TEST_F(ResultsGraphs, DeflectionCurvesKeepTheirOwnCoordinatesSoTwoStatesHaveNoValuesTable)
{
  TChartEngine& e = Build(TResultsGraph::DeflectionChart);
  ASSERT_EQ(e.CurveCount(), 2);
  EXPECT_FALSE(e.Curve(1).SharesXWith(e.Curve(0)));
  const TBendStiffener& state2 = bend->LoadCaseResults().Solution(1);
  EXPECT_EQ(e.Curve(1).X(Stations - 1), state2.X(Stations));
  EXPECT_NE(e.Curve(0).Y(Stations - 1), e.Curve(1).Y(Stations - 1));
  EXPECT_FALSE(ValuesAvailable());
}

TEST_F(ResultsGraphs, LoadCaseGraphsRefuseALoadCaseWithoutStates)
{
  bend->SetStateIncluded(0, 0, false);
  bend->SetStateIncluded(0, 1, false);
  for (TResultsGraph graph :
       {TResultsGraph::CurvatureChart, TResultsGraph::DeflectionChart, TResultsGraph::StrainChart})
    EXPECT_EQ(CannotDisplay(graph), "Cannot display results for this load case because no states are included.");
  ExcludeAllStates();
  EXPECT_EQ(CannotDisplay(TResultsGraph::DesignChart),
            "Cannot display design chart results because there are no active load cases.");
}

TEST_F(ResultsGraphs, DesignChartListsTheStiffnessFactorsUnderALineFreeHeading)
{
  TChartEngine& e = Build(TResultsGraph::DesignChart);
  EXPECT_EQ(CurveNames(), (std::vector<std::string>{"Kfac (Droot)", "0.80 (0.238)", "1.00 (0.250)", "1.20 (0.260)",
                                                    "1.40 (0.269)", "1.60 (0.278)"}));
  EXPECT_EQ(e.Curve(0).PointCount(), 0);
  EXPECT_EQ(e.Curve(0).Pen.Style, psClear);
  for (int i = 1; i < e.CurveCount(); ++i) {
    EXPECT_EQ(e.Curve(i).Pen.Width, i == 2 ? 2 : 1) << e.Curve(i).Name;
    EXPECT_EQ(e.Curve(i).PointCount(), 5);
  }
  ASSERT_EQ(e.Points().size(), 1u);
  const TChartPoint& base = e.Points()[0];
  EXPECT_EQ(base.X, 1.0);
  EXPECT_NEAR(base.Y, 0.7366, 5e-4);
  EXPECT_EQ(base.Colour, clRed) << "0.7366 < 1";
  EXPECT_EQ(base.Size, 5);
  EXPECT_EQ(e.Chart().Axes[0].Minimum, 0.8);
  EXPECT_EQ(e.Chart().Axes[0].Maximum, 1.6);
  EXPECT_EQ(e.Chart().LegendAlignment, laRight);
  e.Rebuild(rfData);
  ASSERT_EQ(e.Intercepts().Count(), 2) << "rebuilding reuses the lines";
  EXPECT_EQ(e.Intercepts().Item(0).Label, "Ratio=1");
  EXPECT_EQ(e.Intercepts().Item(0).Axis, 1);
  EXPECT_EQ(e.Intercepts().Item(1).Label, "Factor=1");
  EXPECT_EQ(e.Intercepts().Item(1).Axis, 0);
}

TEST_F(ResultsGraphs, DesignChartDrawsOnlyAFactorWithinATenThousandthOfOneThick)
{
  Set(vnStiffnessFactorMin, 1.00005);
  Set(vnStiffnessFactorMax, 1.0002);
  Set(vnStiffnessFactorCount, 2, 0, vtInt);
  TChartEngine& e = Build(TResultsGraph::DesignChart);
  ASSERT_EQ(e.CurveCount(), 3);
  EXPECT_EQ(e.Curve(1).Pen.Width, 2);
  EXPECT_EQ(e.Curve(2).Pen.Width, 1);
}

TEST_F(ResultsGraphs, PerformanceChartMarksEachLoadCaseAgainstTheEnvelope)
{
  TChartEngine& e = Build(TResultsGraph::PerformanceChart);
  ASSERT_EQ(e.CurveCount(), 1);
  EXPECT_EQ(e.Curve(0).PointCount(), 31);
  EXPECT_EQ(e.Curve(0).Y(30), 50.0) << "tension on Y";
  EXPECT_FALSE(e.Chart().LegendVisible) << "one curve hides the legend";
  ASSERT_EQ(e.Points().size(), 5u);
  for (int i = 0; i < 5; ++i) {
    const TChartPoint& point = e.Points()[static_cast<std::size_t>(i)];
    EXPECT_EQ(point.Label, std::to_string(i + 1));
    EXPECT_EQ(point.X, bend->LoadCaseAngle(i));
    // Only load case 2 (5 at 42°) keeps within the ABR.
    EXPECT_EQ(point.Colour, i == 1 ? clGreenPass : clRed) << "load case " << i + 1;
  }
  EXPECT_EQ(e.Chart().Axes[0].Maximum, 90.0);
  EXPECT_EQ(e.Chart().Axes[1].Maximum, 50.0);

  GraphSettings().ShowLoadCaseLabels = false;
  e.Rebuild(rfData);
  EXPECT_TRUE(std::all_of(e.Points().begin(), e.Points().end(), [](const TChartPoint& p) { return p.Label.empty(); }));
}

TEST_F(ResultsGraphs, PerformanceChartSaysWhichLoadCasesLieBeyondItsRanges)
{
  EXPECT_EQ(Build(TResultsGraph::PerformanceChart).StatusText(), "") << "every load case of the default design shows";

  Set(vnLoadCaseTension, 80.0, 3);
  EXPECT_EQ(Build(TResultsGraph::PerformanceChart).StatusText(),
            "Load Case 4 (T=80, A=29) lies above the chart's tension range (0 to 50 kN) and is not shown.");
  ASSERT_EQ(engine->Points().size(), 5u) << "the point is still there for a zoom or a wider range";
  Set(vnLoadCaseTension, 60.5, 4);
  EXPECT_EQ(Build(TResultsGraph::PerformanceChart).StatusText(),
            "Load Cases 4 and 5 lie above the chart's tension range (0 to 50 kN) and are not shown.");

  Set(vnLoadCaseTension, 31.0, 3);
  Set(vnLoadCaseTension, 42.0, 4);
  Set(vnAngleMax, 45.0);
  EXPECT_EQ(Build(TResultsGraph::PerformanceChart).StatusText(),
            "Load Cases 1 and 3 lie outside the chart's ranges (tensions 0 to 50 kN, angles 0 to 45 deg) and are "
            "not shown.");
  Set(vnLoadCaseAngle, 50.0, 1);
  EXPECT_EQ(Build(TResultsGraph::PerformanceChart).StatusText(),
            "Load Cases 1, 2 and 3 lie outside the chart's ranges (tensions 0 to 50 kN, angles 0 to 45 deg) and are "
            "not shown.");
  // A change of the design that brings them back clears the line.
  Set(vnAngleMax, 90.0);
  engine->Rebuild(rfData);
  EXPECT_EQ(engine->StatusText(), "");
}

class PerformanceMap : public ResultsGraphs {
 protected:
  int Count(int size) const
  {
    return static_cast<int>(std::count_if(engine->Points().begin(), engine->Points().end(),
                                          [size](const TChartPoint& p) { return p.Size == size; }));
  }
};

TEST_F(PerformanceMap, EachAddPointsAddsTheLoadCasesAndUpTo1000SamplesOnTop)
{
  Build(TResultsGraph::PerformanceMap);
  EXPECT_EQ(bend->PerformanceMapState(), pmBuilt);
  EXPECT_EQ(Count(5), 5);
  EXPECT_GT(Count(2), 900);
  for (const TChartPoint& p : engine->Points()) {
    if (p.Size != 2) continue;
    EXPECT_EQ(p.Colour == clGreenPass, p.Style == TPointStyle::Cross) << "green crosses pass, red diagonal ones fail";
  }
  engine->Rebuild(rfAll);
  EXPECT_EQ(Count(5), 5) << "a built map is not sampled again";
  AddPerformancePoints(*engine);
  AddPerformancePoints(*engine);
  EXPECT_EQ(Count(5), 15);
  EXPECT_LE(Count(2), 3000);
  EXPECT_GT(Count(2), 2700);
}

TEST_F(PerformanceMap, CancelKeepsThePointsSampledSoFar)
{
  int updates = 0;
  auto previous = SetProcessPendingEvents([&] {
    if (++updates == 3) Progress().RequestCancel();
  });
  EXPECT_NO_THROW(Build(TResultsGraph::PerformanceMap));
  SetProcessPendingEvents(previous);
  EXPECT_FALSE(Progress().Active());
  EXPECT_EQ(bend->PerformanceMapState(), pmBuilt);
  EXPECT_GT(Count(2), 0);
  EXPECT_LE(Count(2), 100) << "updates come every 50 linear samples";
}

TEST_F(PerformanceMap, MapWithoutASuccessfulSampleFailsWithTheLastError)
{
  ExcludeAllStates();
  Set(vnLinearity, 1, 0, vtInt);
  try {
    Build(TResultsGraph::PerformanceMap);
    ADD_FAILURE() << "no sample can be solved";
  } catch (const EBendStiffenerError& e) {
    EXPECT_STREQ(e.what(), "Cannot do non-linear analysis with Power Law shape definition.");
  }
  EXPECT_EQ(bend->PerformanceMapState(), pmFailed);
  engine->Rebuild(rfAll);
  EXPECT_TRUE(engine->Points().empty()) << "a failed map stays empty";
}

TEST_F(PerformanceMap, EveryThreadMayBeTheFirstToCheckTheItemValues)
{
  // Each new map starts with the values unchecked, and every thread of the
  // map asks for the check at once; the failing shape makes each sample
  // end right after it.
  ExcludeAllStates();
  Set(vnLinearity, 1, 0, vtInt);
  for (int run = 0; run < 30; ++run) {
    bend->ResetResults();
    bend->SetPerformanceMapState(pmNotBuilt);
    EXPECT_THROW(Build(TResultsGraph::PerformanceMap), EBendStiffenerError);
  }
}

TEST_F(ResultsGraphs, DiameterShowsStandardDiametersOnlyForAPowerLawWhenAsked)
{
  TChartEngine& e = Build(TResultsGraph::Diameter);
  EXPECT_EQ(CurveNames(), std::vector<std::string>{"Power Law Diameter"});
  EXPECT_EQ(e.Curve(0).Y(0), 0.25);
  EXPECT_EQ(e.Points().size(), 1u) << "the tip";

  GraphSettings().ShowStandardDiameters = true;
  e.Rebuild(rfData);
  EXPECT_EQ(CurveNames(), (std::vector<std::string>{"Power Law Diameter", "Standard Diameters"}));
  EXPECT_FALSE(e.Curve(1).SharesXWith(e.Curve(0)));
  ASSERT_GE(e.Points().size(), 3u);
  EXPECT_EQ(e.Points()[1].Label, "0.256") << "the end of the root land";
  EXPECT_EQ(e.Points()[1].Style, TPointStyle::SmallDot);
  EXPECT_EQ(e.Points()[1].Colour, e.Curve(1).Pen.Colour);

  Set(vnStiffenerDefinition, 0, 0, vtInt);
  e.Rebuild(rfData);
  EXPECT_EQ(CurveNames(), std::vector<std::string>{"User Defined Diameter"});
}

TEST_F(ResultsGraphs, StiffnessShowsBothStatesWhateverTheLoadCasesInclude)
{
  ExcludeAllStates();
  TChartEngine& e = Build(TResultsGraph::Stiffness);
  EXPECT_EQ(CurveNames(), (std::vector<std::string>{"State 1", "State 2"}));
  EXPECT_GT(e.Curve(0).Y(0), e.Curve(0).Y(TipStation - 1));
  EXPECT_EQ(e.Curve(0).Y(Stations - 1), 0.0) << "the bare cable carries no stiffener";
  EXPECT_EQ(e.AxisTitle(1), bend->Units().ExpandUnitNames("Stiffness (FF.LL^2)"));
}

TEST_F(ResultsGraphs, MaterialGraphShowsTheCurrentStateAsEnteredOrNormalised)
{
  TChartEngine& e = Build(TResultsGraph::Material);
  const std::string name = bend->Materials().Material(0)->Name();
  EXPECT_EQ(e.Caption(), "Properties of material " + name + ", state 1");
  EXPECT_EQ(e.AxisTitle(1), "Stress / E");
  EXPECT_EQ(e.Curve(0).PointCount(), bend->Materials().Material(0)->Curve(0).RowCount());
  bend->Materials().Material(0)->SetStressSpecifier(0, ssDimensional);
  e.Rebuild(rfTitles);
  EXPECT_NE(e.AxisTitle(1).find("Stress ("), std::string::npos);
}

}  // namespace
}  // namespace umbrinex
