#include <gtest/gtest.h>

#include <cmath>

#include "BendTestSupport.h"
#include "TestSupport.h"
#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "bend/KeyResults.h"
#include "bend/LoadCaseResults.h"
#include "bend/PerformanceChartResults.h"
#include "framework/data/Progress.h"
#include "numerics/ParallelFor.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

// The figures quoted for the default design carry four significant digits.
constexpr double kQuoted = 5e-4;

class Analysis : public ::testing::Test {
 protected:
  void SetUp() override { bend = New<TBend>(); }
  TLoadCaseResults& Cases() { return bend->LoadCaseResults(); }
  void Set(int varNum, const TVariant& value, TVarType representation = vtReal, int index = 0)
  {
    TAccessStatus status;
    bend->SetValue(varNum, index, status, value, representation);
    ASSERT_EQ(status.Code, acOk) << status.Text();
  }
  std::unique_ptr<TBend> bend;
};

TEST_F(Analysis, StationsAccumulateByRepeatedAddition)
{
  TBendStiffener& solution = Cases().Solution(0);
  solution.GenerateStations();
  EXPECT_EQ(solution.NumOfStiffenerStations(), 41);
  EXPECT_EQ(solution.NumOfCableStations(), 6);
  EXPECT_EQ(solution.NumOfStations(), 47);
  EXPECT_EQ(solution.ArcLength(41), 2.0);
  EXPECT_EQ(solution.ArcLength(42), 2.0) << "the first cable station repeats the tip";
  EXPECT_LT(solution.ArcLength(46), 2.2);
  EXPECT_GT(solution.ArcLength(46), 2.2 - 2e-15);
  EXPECT_EQ(solution.ArcLength(47), 2.2);
  EXPECT_EQ(solution.Diameter(1), 0.25);
  EXPECT_EQ(solution.Diameter(47), 0.15);
  EXPECT_EQ(solution.StiffenerEI(44), 0.0);
}

TEST_F(Analysis, ALengthThatIsNoMultipleOfTheIntervalEndsWithAShortStep)
{
  Set(vnActiveLength, 1.98);
  TBendStiffener& solution = Cases().Solution(0);
  solution.GenerateStations();
  const int n1 = solution.NumOfStiffenerStations();
  EXPECT_EQ(solution.ArcLength(n1), 1.98);
  EXPECT_NEAR(solution.ArcLength(n1) - solution.ArcLength(n1 - 1), 0.03, 1e-12);
}

TEST_F(Analysis, LoadCase1RootMomentsMatchTheReferenceValues)
{
  Cases().SetLoadCase(0);
  const TBendStiffener& s1 = Cases().Solution(0);
  const TBendStiffener& s2 = Cases().Solution(1);
  EXPECT_NEAR(s1.M(1), 5.039, kQuoted * 5.039);
  EXPECT_NEAR(s2.M(1), 5.974, kQuoted * 5.974);
  EXPECT_LE(s1.RootFinder().Iteration(), 8);
  for (const TBendStiffener* s : {&s1, &s2}) EXPECT_NEAR(s->Shear(1), -2.5 * std::sin(68.0 * M_PI / 180.0), 1e-12);
  EXPECT_NEAR(s1.Shear(1), -2.318, 5e-4);
  // The angle falls towards zero along the cable, without overshooting.
  const int n = s1.NumOfStations();
  EXPECT_GE(s1.Theta(n), 0.0);
  EXPECT_LT(s1.Theta(n), s1.Theta(s1.NumOfStiffenerStations()));
}

TEST_F(Analysis, LoadCase4HasItsLargestCurvatureAtTheRoot)
{
  Cases().SetLoadCase(3);
  const TBendStiffener& s = Cases().Solution(0);
  EXPECT_NEAR(s.M(1), 10.69, kQuoted * 10.69);
  int largest = 1;
  for (int i = 1; i <= s.NumOfStations(); ++i)
    if (s.C(i) > s.C(largest)) largest = i;
  EXPECT_EQ(largest, 1);
  EXPECT_NEAR(s.C(1), 0.5430, kQuoted * 0.5430);
  // The converged shot leaves the tip on the bare cable's first integral.
  const int tip = s.NumOfStiffenerStations() + 1;
  const double ei = bend->CableStiffness(0);
  EXPECT_NEAR(0.5 * ei * s.C(tip) * s.C(tip), 31.0 * (1.0 - std::cos(s.Theta(tip))), 1e-6);
}

TEST_F(Analysis, ZeroTensionOrAngleIsStraightAndLoadFree)
{
  Cases().SetAdHoc(0.0, 0.0);
  for (int state = 0; state < 2; ++state) {
    const TBendStiffener& s = Cases().Solution(state);
    EXPECT_EQ(s.RootMoment(), 0.0);
    for (int i = 1; i <= s.NumOfStations(); ++i) {
      EXPECT_EQ(s.C(i), 0.0);
      EXPECT_EQ(s.M(i), 0.0);
      EXPECT_EQ(s.Shear(i), 0.0);
      EXPECT_EQ(s.Y(i), 0.0);
    }
    EXPECT_NEAR(s.X(s.NumOfStations()), 2.2, 1e-12);
  }
  Cases().SetAdHoc(30.0, 0.0);
  EXPECT_EQ(Cases().Solution(0).M(5), 0.0);
  EXPECT_EQ(Cases().Solution(0).RootFinder().Iteration(), 0) << "no root is searched";
}

TEST_F(Analysis, LengthFactorScalesTheStepsButNotTheStations)
{
  Cases().SetLoadCase(3, 1.0, 2.0);
  const TBendStiffener& s = Cases().Solution(0);
  EXPECT_EQ(s.ArcLength(41), 2.0);
  double along = 0.0;
  for (int i = 2; i <= 41; ++i) along += std::hypot(s.X(i) - s.X(i - 1), s.Y(i) - s.Y(i - 1));
  EXPECT_NEAR(along, 4.0, 1e-9);
}

TEST_F(Analysis, AStateNotIncludedKeepsItsEarlierArrays)
{
  Cases().SetLoadCase(0);
  const double earlier = Cases().Solution(0).M(1);
  bend->SetStateIncluded(3, 0, false);
  Cases().SetLoadCase(3);
  EXPECT_EQ(Cases().Solution(0).M(1), earlier);
  EXPECT_NE(Cases().Solution(1).M(1), Cases().Solution(1).RootMoment() + 1.0);
  EXPECT_NEAR(Cases().Solution(1).M(1), 12.83, kQuoted * 12.83);
  EXPECT_FALSE(Cases().StateCounts(0));
}

TEST_F(Analysis, SetLoadCaseAlwaysSolvesButSetAdHocOnlyOnChange)
{
  Cases().SetLoadCase(1);
  Cases().Solution(0).InvalidateStations();
  Cases().SetLoadCase(1);
  EXPECT_TRUE(Cases().Solution(0).StationsValid()) << "the second call solved again";
  Cases().SetAdHoc(40.0, 10.0);
  Cases().Solution(0).InvalidateStations();
  Cases().SetAdHoc(40.0, 10.0);
  EXPECT_FALSE(Cases().Solution(0).StationsValid()) << "the same ad hoc case is not solved again";
}

TEST_F(Analysis, FailedResultsStayFailedUntilInvalidated)
{
  bend->MarkResultsFailed();
  bend->KeyResults().EnsureCalculated();
  EXPECT_EQ(bend->KeyResults().Status(), TResultsStatus::Failed);
  EXPECT_EQ(bend->PerformanceMapState(), pmFailed);
  bend->InvalidateResults();
  bend->KeyResults().EnsureCalculated();
  EXPECT_EQ(bend->KeyResults().Status(), TResultsStatus::Calculated);
}

TEST_F(Analysis, KeyResultsFindTheGoverningEvents)
{
  TKeyResults& key = bend->KeyResults();
  key.EnsureCalculated();
  EXPECT_EQ(key.FMaxRootMomentEvent.StateNumber, 1);
  EXPECT_EQ(key.FMaxRootMomentEvent.LoadCaseNumber, 3);
  EXPECT_NEAR(key.FMaxRootMomentEvent.RootMoment, 12.83, kQuoted * 12.83);
  EXPECT_NEAR(key.FMaxRootMomentEvent.RootShear, -15.03, kQuoted * 15.03);
  EXPECT_EQ(key.FMaxRootShearEvent.StateNumber, 0);
  EXPECT_EQ(key.FMaxRootShearEvent.LoadCaseNumber, 4);
  EXPECT_NEAR(key.FMaxRootShearEvent.RootMoment, 9.692, kQuoted * 9.692);
  EXPECT_NEAR(key.FMaxRootShearEvent.RootShear, -42.0 * std::sin(22.0 * M_PI / 180.0), 1e-12);
}

TEST_F(Analysis, WithoutActiveLoadCasesNothingCanBeShown)
{
  EXPECT_NO_THROW(CheckLoadCaseCanBeDisplayed(*bend));
  for (int i = 0; i < bend->LoadCaseCount(); ++i)
    for (int s = 0; s < 2; ++s) bend->SetStateIncluded(i, s, false);
  bend->KeyResults().EnsureCalculated();
  EXPECT_FALSE(bend->KeyResults().HasEvents());
  try {
    CheckLoadCaseCanBeDisplayed(*bend);
    FAIL();
  } catch (const EBendResultCannotBeDisplayed& e) {
    EXPECT_STREQ(e.what(), "Cannot display results for this load case because no states are included.");
  }
  try {
    CheckDesignChartCanBeDisplayed(*bend);
    FAIL();
  } catch (const EBendResultCannotBeDisplayed& e) {
    EXPECT_STREQ(e.what(), "Cannot display design chart results because there are no active load cases.");
  }
}

TEST_F(Analysis, DesignChartReproducesTheReferencePoints)
{
  TDesignChartResults& chart = bend->DesignChartResults();
  chart.EnsureCalculated();
  EXPECT_NEAR(chart.BaseRatio, 0.7366, kQuoted * 0.7366);
  ASSERT_EQ(chart.FDesignChartValues.size(), 5u);
  const TDesignChartEntry& unit = chart.FDesignChartValues[1];
  EXPECT_NEAR(unit.KFactor, 1.0, 1e-15);
  EXPECT_NEAR(unit.DRoot, 0.25, 1e-12);
  EXPECT_EQ(unit.Values->Cell(1, dcRatio), chart.BaseRatio);
  EXPECT_EQ(unit.Values->Cell(1, dcPosition), 0.0);
  EXPECT_EQ(unit.Values->Cell(1, dcLoadCase), 3.0);
  const TTable& k12 = *chart.FDesignChartValues[2].Values;
  EXPECT_NEAR(k12.Cell(0, dcLengthFactor), 0.8, 1e-15);
  EXPECT_NEAR(k12.Cell(0, dcRatio), 0.718, 5e-4);
  EXPECT_EQ(k12.Cell(0, dcPosition), 1.0);
  EXPECT_EQ(k12.Cell(0, dcLoadCase), 0.0);
  EXPECT_FALSE(Progress().Active());
}

TEST_F(Analysis, CancellingTheDesignChartLeavesItNotCalculated)
{
  // One thread: the checks come point by point, so the seventh falls in the
  // middle of the chart (threads check by time; see ParallelChartsTest).
  SetCalculationThreads(1);
  int checks = 0;
  auto previous = SetProcessPendingEvents([&] {
    if (++checks == 7) Progress().RequestCancel();
  });
  EXPECT_THROW(bend->DesignChartResults().EnsureCalculated(), ESilentAbort);
  SetProcessPendingEvents(previous);
  SetCalculationThreads(0);
  EXPECT_EQ(bend->DesignChartResults().Status(), TResultsStatus::NotCalculated);
  EXPECT_FALSE(Progress().Active());
  EXPECT_NO_THROW(bend->DesignChartResults().EnsureCalculated());
}

TEST_F(Analysis, PerformanceChartReproducesTheReferenceRows)
{
  TPerformanceChartResults& chart = bend->PerformanceChartResults();
  chart.EnsureCalculated();
  const TTable& limits = chart.FPerformanceLimits();
  ASSERT_EQ(limits.RowCount(), 31);
  EXPECT_EQ(limits.Cell(0, pcTension), 0.0);
  EXPECT_EQ(limits.Cell(0, pcAngleLimit), 90.0);
  EXPECT_NEAR(limits.Cell(1, pcTension), 50.0 / 900.0, 1e-15);
  EXPECT_NEAR(limits.Cell(5, pcTension), 50.0 * 25.0 / 900.0, 1e-12);
  EXPECT_NEAR(limits.Cell(5, pcAngleLimit), 65.57, 0.01);
  EXPECT_EQ(limits.Cell(30, pcTension), 50.0);
  EXPECT_NEAR(limits.Cell(30, pcAngleLimit), 16.16, 0.01);
}

TEST_F(Analysis, NonLinearDefaultProfileBendsSlightlyLessThanLinear)
{
  Set(vnStiffenerDefinition, "User Defined", vtText);
  Cases().SetLoadCase(3);
  const double linear = Cases().Solution(0).C(1);
  Set(vnLinearity, "Non-Linear", vtText);
  Cases().SetLoadCase(3);
  const double nonLinear = Cases().Solution(0).C(1);
  EXPECT_LT(nonLinear, linear);
  EXPECT_GT(nonLinear, 0.98 * linear);
}

TEST_F(Analysis, StripSumExceedsTheExactSecondMomentByAlmostOnePercent)
{
  // A linear material (stress / E = strain): the section moment divided by
  // K·E·κ is the strip sum, to be compared with π·(D⁴ − ID⁴)/64.
  Set(vnStiffenerDefinition, "User Defined", vtText);
  Set(vnPointDiameter, 0.25, vtReal, 0);
  TBendStiffener& s = Cases().Solution(0);
  s.GenerateStations();
  const double kappa = 0.01;
  const double e = s.StiffenerE(1);
  const double sum = (s.SectionMoment(1, kappa) - 0.0) / (e * kappa);
  const double exact = M_PI * (std::pow(0.25, 4) - std::pow(0.15, 4)) / 64.0;
  EXPECT_NEAR(sum / exact - 1.0, 0.007, 0.002);
}

TEST_F(Analysis, AFlatStressStrainCurveInterruptsTheRootSolve)
{
  Set(vnStiffenerDefinition, "User Defined", vtText);
  Set(vnLinearity, "Non-Linear", vtText);
  testing::FlattenStressStrainCurve(bend->Materials().Material(0)->Curve(0));
  EXPECT_NO_THROW(Cases().SetLoadCase(0));
  try {
    Cases().SetLoadCase(4);
    FAIL() << "the solve must fail";
  } catch (const EBendStiffenerError& e) {
    EXPECT_STREQ(e.what(), "Interrupted.");
  }
  EXPECT_EQ(Cases().Status(), TResultsStatus::NotCalculated);
}

TEST_F(Analysis, PowerLawRefusesNonLinearBeforeComputingAnything)
{
  Set(vnLinearity, "Non-Linear", vtText);
  try {
    Cases().SetLoadCase(0);
    FAIL();
  } catch (const EBendStiffenerError& e) {
    EXPECT_STREQ(e.what(), "Cannot do non-linear analysis with Power Law shape definition.");
  }
  EXPECT_FALSE(Cases().Solution(0).StationsValid());
}

TEST_F(Analysis, ACableWithoutStiffenerHasTheClosedFormRootMoment)
{
  // A stiffener with the bore's own diameter adds no stiffness: the root
  // moment is that of a bare clamped cable, √(2·EI·T·(1 − cos α)).
  Set(vnRootDiameter, 0.15);
  Set(vnTipDiameter, 0.15);
  Set(vnStationIntervalStiffener, 0.001);
  Cases().SetLoadCase(1);
  const double expected = std::sqrt(2.0 * 3.0 * 5.0 * (1.0 - std::cos(42.0 * M_PI / 180.0)));
  EXPECT_NEAR(Cases().Solution(0).M(1), expected, 2e-3 * expected);
}

TEST_F(Analysis, AUniformStiffenerHasTheVolumeOfATube)
{
  Set(vnRootDiameter, 0.2);
  Set(vnTipDiameter, 0.2);
  TBendStiffener& s = Cases().Solution(0);
  s.GenerateStations();
  const double tube = M_PI / 4 * (0.2 * 0.2 - 0.15 * 0.15) * 2.0;
  EXPECT_NEAR(s.Volume(), tube, 1e-12 * tube);
}

TEST_F(Analysis, VolumeOfTheDefaultConeIsCloseToTheSmoothConesIntegral)
{
  TBendStiffener& s = Cases().Solution(0);
  s.GenerateStations();
  // The stiffness power law with power 2: D^4 = Dt^4 + (1 - x/L)^2 (Dr^4 - Dt^4),
  // integrated finely as a smooth solid of revolution less the bore.
  double smooth = 0.0;
  const int steps = 20000;
  for (int j = 0; j < steps; ++j) {
    const double x = (j + 0.5) * 2.0 / steps;
    const double d = std::pow(std::pow(0.16, 4) + std::pow(1 - x / 2, 2) * (std::pow(0.25, 4) - std::pow(0.16, 4)), 0.25);
    smooth += M_PI / 4 * (d * d - 0.15 * 0.15) * 2.0 / steps;
  }
  EXPECT_NEAR(s.Volume(), smooth, 1e-3 * smooth);
}

// At a small angle the bend is linear: a tensioned beam of stiffness EI1 over
// the stiffener's length L, clamped at the root, joined to a semi-infinite
// cable of stiffness EI2. With phi the angle between the cable and the load,
// EI phi'' = T phi in each part, phi(0) = alpha, phi and the moment continuous
// at L, phi decaying beyond; the root moment is then
//   M0 = alpha sqrt(EI1 T) (k1 sinh(L/l1) + k2 cosh(L/l1)) / (k1 cosh(L/l1) + k2 sinh(L/l1))
// with k = sqrt(EI) and l1 = sqrt(EI1 / T).
TEST_F(Analysis, AUniformStiffenerAtASmallAngleFollowsLinearBeamTheory)
{
  const double d = 0.2, bore = 0.15, length = 2.0, e = 100000.0, cableEI = 3.0;
  const double tension = 10.0, alphaDegrees = 1.0;
  Set(vnRootDiameter, d);
  Set(vnTipDiameter, d);
  Set(vnStationIntervalStiffener, 0.001);
  Cases().SetAdHoc(alphaDegrees, tension);

  const double ei1 = cableEI + e * M_PI * (std::pow(d, 4) - std::pow(bore, 4)) / 64.0;
  const double k1 = std::sqrt(ei1), k2 = std::sqrt(cableEI);
  const double ratio = length / std::sqrt(ei1 / tension);
  const double alpha = alphaDegrees * M_PI / 180.0;
  const double expected = alpha * std::sqrt(ei1 * tension) * (k1 * std::sinh(ratio) + k2 * std::cosh(ratio)) /
                          (k1 * std::cosh(ratio) + k2 * std::sinh(ratio));
  // The scheme's first-order error at 1 mm stations and the neglected
  // alpha^2 terms are each near 0.001 %.
  EXPECT_NEAR(std::fabs(Cases().Solution(0).RootMoment()), expected, 1e-4 * expected);
}

}  // namespace
}  // namespace umbrinex
