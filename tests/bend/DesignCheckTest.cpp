#include "bend/DesignCheck.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "bend/Accuracy.h"
#include "bend/Bend.h"
#include "bend/ConvergedResults.h"
#include "bend/DesignChartResults.h"
#include "bend/LoadCaseResults.h"
#include "framework/data/Progress.h"

namespace umbrinex {
namespace {

// The figures quoted for the default design carry four significant digits.
constexpr double kQuoted = 5e-4;

class DesignCheck : public ::testing::Test {
 protected:
  void Set(int varNum, const TVariant& value, TVarType representation = vtReal, int index = 0)
  {
    TAccessStatus status;
    bend->SetValue(varNum, index, status, value, representation);
    ASSERT_EQ(status.Code, acOk) << status.Text();
  }
  std::unique_ptr<TBend> bend = New<TBend>();
};

TEST_F(DesignCheck, TheDefaultDesignFailsOnTheDesignChartsBaseRatio)
{
  const TDesignCheck check = CheckDesign(*bend);
  ASSERT_EQ(check.Cases.size(), 10u);
  EXPECT_EQ(check.Verdict, TCheckResult::Fail);
  const TDesignCheckCase* governing = check.GoverningCase();
  ASSERT_NE(governing, nullptr);
  EXPECT_EQ(governing->LoadCase, 3);
  EXPECT_EQ(governing->State, 0);
  EXPECT_NEAR(governing->MinBendRadius, 1.84, 0.005);
  EXPECT_EQ(governing->Position, 0.0);
  EXPECT_FALSE(governing->OnCable);
  EXPECT_EQ(governing->ABR, 2.5);

  bend->DesignChartResults().EnsureCalculated();
  EXPECT_EQ(governing->Ratio, bend->DesignChartResults().BaseRatio) << "the same rule, to the last bit";
  EXPECT_NEAR(governing->Ratio, 0.7366, kQuoted * 0.7366);
  for (const TDesignCheckCase& c : check.Cases) {
    EXPECT_GE(c.Ratio, governing->Ratio);
    EXPECT_EQ(c.Result, c.Ratio >= 1.0 ? TCheckResult::Pass : TCheckResult::Fail);
  }
  // Load case 1 bends the cable hardest where it leaves the tip.
  EXPECT_TRUE(check.Cases[0].OnCable);
  EXPECT_EQ(check.Cases[0].Position, 2.0);
  EXPECT_EQ(check.Cases[2].Result, TCheckResult::Pass);
}

TEST_F(DesignCheck, ALongerStifferConePasses)
{
  Set(vnActiveLength, 4.0);
  Set(vnRootDiameter, 0.35);
  const TDesignCheck check = CheckDesign(*bend);
  EXPECT_EQ(check.Verdict, TCheckResult::Pass);
  EXPECT_GT(check.GoverningCase()->Ratio, 1.0);
  bend->DesignChartResults().EnsureCalculated();
  EXPECT_EQ(check.GoverningCase()->Ratio, bend->DesignChartResults().BaseRatio);
}

TEST_F(DesignCheck, ALoadCaseWithoutStatesIsNotCheckedAndOwnABRsCount)
{
  bend->SetStateIncluded(3, 0, false);
  bend->SetStateIncluded(3, 1, false);
  bend->SetStateIncluded(4, 1, false);
  Set(vnLoadCaseABR, 1.5, vtReal, 4);
  const TDesignCheck check = CheckDesign(*bend);
  ASSERT_EQ(check.Cases.size(), 8u);
  const TDesignCheckCase& unchecked = check.Cases[6];
  EXPECT_EQ(unchecked.LoadCase, 3);
  EXPECT_EQ(unchecked.State, -1);
  EXPECT_EQ(unchecked.Result, TCheckResult::NotChecked);
  EXPECT_EQ(unchecked.Ratio, Undefined);
  const TDesignCheckCase& own = check.Cases[7];
  EXPECT_EQ(own.LoadCase, 4);
  EXPECT_EQ(own.ABR, 1.5);
  EXPECT_EQ(own.Ratio, own.MinBendRadius / 1.5);
  EXPECT_EQ(own.Result, TCheckResult::Pass);
  // Load case 3, State 1 governs now.
  EXPECT_EQ(check.GoverningCase()->LoadCase, 2);
  EXPECT_EQ(check.Verdict, TCheckResult::Fail);

  for (int i = 0; i < bend->LoadCaseCount(); ++i)
    for (int s = 0; s < 2; ++s) bend->SetStateIncluded(i, s, false);
  const TDesignCheck nothing = CheckDesign(*bend);
  EXPECT_EQ(nothing.Cases.size(), 5u);
  EXPECT_EQ(nothing.GoverningCase(), nullptr);
  EXPECT_EQ(nothing.Verdict, TCheckResult::NotChecked);
  EXPECT_STREQ(CheckResultText(nothing.Verdict), "NOT CHECKED");
}

TEST_F(DesignCheck, CheckingLeavesTheModelsLoadCaseResultsAlone)
{
  TLoadCaseResults& cases = bend->LoadCaseResults();
  cases.SetLoadCase(1);
  const double moment = cases.Solution(0).M(1);
  CheckDesign(*bend);
  EstimateAccuracy(*bend);
  EXPECT_EQ(cases.LoadCase(), 1);
  EXPECT_EQ(cases.Status(), TResultsStatus::Calculated);
  EXPECT_EQ(cases.Solution(0).M(1), moment);
  EXPECT_EQ(cases.Solution(0).NumOfStations(), 47) << "the model's stations are not refined";
}

TEST_F(DesignCheck, AZeroTensionCaseBendsNothingAndPasses)
{
  Set(vnLoadCaseTension, 0.0, vtReal, 0);
  const TDesignCheck check = CheckDesign(*bend);
  EXPECT_EQ(check.Cases[0].MinBendRadius, Infinity);
  EXPECT_EQ(check.Cases[0].Position, 0.0) << "every station is a minimum: the root is the first";
  EXPECT_EQ(check.Cases[0].Result, TCheckResult::Pass);
}

TEST_F(DesignCheck, ASolveErrorPropagates)
{
  Set(vnLinearity, "Non-Linear", vtText);
  EXPECT_THROW(CheckDesign(*bend), EBendStiffenerError);
}

// ---- the discretisation error ----

TEST(Extrapolation, OrderOneLimitsAndSpecialValues)
{
  struct TCase {
    double Coarse, Fine, Extrapolated, RelativeError;
  };
  const TCase cases[] = {
      {2.0, 1.5, 1.0, 1.0},  // error halves with the interval: 1.0 is the limit, 2.0 twice it
      {-2.0, -1.5, -1.0, -1.0},
      {3.0, 3.0, 3.0, 0.0},
      {0.0, 0.0, 0.0, 0.0},
      {1.0, 0.5, 0.0, Infinity},
      {Infinity, Infinity, Infinity, 0.0},
      {1.0, Infinity, Undefined, Undefined},
      {Undefined, 2.0, Undefined, Undefined},
  };
  for (const TCase& c : cases) {
    const TErrorEstimate estimate = Extrapolate(c.Coarse, c.Fine);
    EXPECT_EQ(estimate.Value, c.Coarse);
    EXPECT_TRUE(testing::IsClose(c.Extrapolated, estimate.Extrapolated)) << c.Coarse << " " << c.Fine;
    EXPECT_TRUE(testing::IsClose(c.RelativeError, estimate.RelativeError)) << c.Coarse << " " << c.Fine;
  }
}

class BareCable : public DesignCheck {
 protected:
  // A stiffener with the bore's own diameter adds no stiffness.
  void SetUp() override
  {
    Set(vnRootDiameter, 0.15);
    Set(vnTipDiameter, 0.15);
  }
  // √(2·EI·T·(1 − cos α)) of a clamped cable under tension T at angle α.
  double ExactRootMoment(int loadCase, int state) const
  {
    const double alpha = bend->LoadCaseAngle(loadCase) * M_PI / 180.0;
    return std::sqrt(2.0 * bend->CableStiffness(state) * bend->LoadCaseTension(loadCase) * (1.0 - std::cos(alpha)));
  }
};

TEST_F(BareCable, TheExtrapolatedRootMomentIsTheClosedFormAndTheEstimateTheTrueError)
{
  const TAccuracy accuracy = EstimateAccuracy(*bend);
  int checked = 0;
  for (const TLoadCaseAccuracy& c : accuracy.LoadCases) {
    for (const TStateAccuracy& s : c.States) {
      const double exact = ExactRootMoment(c.LoadCase, s.State);
      const TErrorEstimate& m = s.RootMoment;
      EXPECT_NEAR(m.Extrapolated, exact, 1e-4 * exact) << "load case " << c.LoadCase + 1;
      const double trueError = (m.Value - exact) / exact;
      EXPECT_GT(trueError * m.RelativeError, 0.0) << "the same sign";
      EXPECT_LE(std::fabs(m.RelativeError), 2.0 * std::fabs(trueError));
      EXPECT_GE(std::fabs(m.RelativeError), 0.5 * std::fabs(trueError));
      EXPECT_EQ(s.RootShear.RelativeError, 0.0) << "the root shear is exact at any interval";
      ++checked;
    }
  }
  EXPECT_EQ(checked, 10);
}

// Successive differences of a scheme of order p shrink by 2^p per halving.
double ObservedOrder(double v0, double v1, double v2)
{
  return std::log2((v0 - v1) / (v1 - v2));
}

// The observed order of a quantity over five levels of halving: it must tend
// to the scheme's order, the deviation (the next term of the error) at
// least halving from level to level.
void ExpectOrderOne(const std::vector<std::vector<TStateSummary>>& levels, std::size_t item,
                    double TStateSummary::*quantity)
{
  auto at = [&](std::size_t level) { return levels[level][item].*quantity; };
  double deviation = Infinity;
  for (std::size_t level = 0; level + 2 < levels.size(); ++level) {
    const double next = std::fabs(ObservedOrder(at(level), at(level + 1), at(level + 2)) - SchemeOrder);
    EXPECT_LT(next, 0.6 * deviation) << "item " << item << " level " << level;
    deviation = next;
  }
  EXPECT_LT(deviation, 0.03) << "item " << item;
}

std::vector<std::vector<TStateSummary>> FiveLevels(TBend& bend)
{
  std::vector<std::vector<TStateSummary>> levels;
  for (int halvings = 0; halvings < 5; ++halvings) levels.push_back(SolveIncludedStates(bend, halvings));
  return levels;
}

TEST_F(BareCable, TheSchemeIsOfOrderOne)
{
  const auto levels = FiveLevels(*bend);
  for (std::size_t k = 0; k < levels[0].size(); ++k) ExpectOrderOne(levels, k, &TStateSummary::RootMoment);
}

TEST_F(DesignCheck, TheSchemeIsOfOrderOneForTheDefaultCone)
{
  const auto levels = FiveLevels(*bend);
  // Load case 4 in both states: the governing radius stays at the root.
  for (std::size_t k : {6u, 7u}) {
    ExpectOrderOne(levels, k, &TStateSummary::RootMoment);
    ExpectOrderOne(levels, k, &TStateSummary::MinBendRadius);
  }
}

TEST_F(DesignCheck, ExtrapolatedRootMomentsConvergeAsTheIntervalsHalve)
{
  std::vector<std::vector<TStateSummary>> levels;
  for (int halvings = 0; halvings <= 3; ++halvings) levels.push_back(SolveIncludedStates(*bend, halvings));
  ASSERT_EQ(levels[0].size(), 10u);
  for (std::size_t k = 0; k < levels[0].size(); ++k) {
    double previousChange = Infinity;
    double previous = Undefined;
    for (int level = 1; level <= 3; ++level) {
      const double limit = Extrapolate(levels[static_cast<std::size_t>(level) - 1][k].RootMoment,
                                       levels[static_cast<std::size_t>(level)][k].RootMoment)
                               .Extrapolated;
      if (previous != Undefined) {
        const double change = std::fabs(limit - previous) / limit;
        EXPECT_LT(change, previousChange / 2.0) << "case " << k << " level " << level;
        EXPECT_LT(change, 2e-5);
        previousChange = change;
      }
      previous = limit;
    }
  }
}

TEST_F(DesignCheck, TheDefaultGoverningRatioIsJustWithinTheWarningLimit)
{
  const std::vector<TStateSummary> coarse = SolveIncludedStates(*bend, 0);
  const TDesignCheck check = CheckDesign(*bend, coarse);
  const TAccuracy accuracy = EstimateAccuracy(*bend, coarse, SolveIncludedStates(*bend, 1));
  // The radius is too small at 0.05 m stations, so the ratio is too.
  EXPECT_NEAR(GoverningRatioError(check, accuracy), -0.009, 0.001);
  EXPECT_EQ(AccuracyWarning(check, accuracy), "");

  Set(vnStationIntervalStiffener, 0.1);
  const TDesignCheck coarser = CheckDesign(*bend);
  const std::string warning = AccuracyWarning(coarser, EstimateAccuracy(*bend));
  EXPECT_EQ(warning.rfind("WARNING.  The estimated discretisation error of the governing MBR/ABR (Load Case ", 0), 0u)
      << warning;
}

TEST_F(DesignCheck, ConvergedResultsStopBelowTheirTolerance)
{
  const TConvergedResults converged = SolveConverged(*bend);
  EXPECT_TRUE(converged.Converged);
  EXPECT_LT(converged.Change, DefaultConvergenceTolerance);
  EXPECT_GE(converged.Halvings, 2);
  EXPECT_EQ(converged.StiffenerInterval, 0.05 / (1 << converged.Halvings));
  ASSERT_EQ(converged.States.size(), 10u);
  EXPECT_FALSE(Progress().Active());
  // Close to an extrapolation of far finer intervals.
  const std::vector<TStateSummary> fine5 = SolveIncludedStates(*bend, 5);
  const std::vector<TStateSummary> fine6 = SolveIncludedStates(*bend, 6);
  for (std::size_t k = 0; k < fine5.size(); ++k) {
    const double limit = Extrapolate(fine5[k].RootMoment, fine6[k].RootMoment).Extrapolated;
    EXPECT_NEAR(converged.States[k].RootMoment, limit, 2e-4 * limit) << k;
  }
  // The converged design still fails, on a slightly larger ratio.
  const TDesignCheck check = CheckDesign(*bend, converged.States);
  EXPECT_EQ(check.Verdict, TCheckResult::Fail);
  EXPECT_NEAR(check.GoverningCase()->Ratio, 0.7433, 5e-4);
}

TEST_F(DesignCheck, AnUnreachableToleranceEndsAtTheStationLimit)
{
  Set(vnStationIntervalStiffener, 0.2);
  Set(vnStationIntervalCable, 0.1);
  const TConvergedResults converged = SolveConverged(*bend, 0.0);
  EXPECT_FALSE(converged.Converged);
  EXPECT_EQ(converged.Halvings, MaxHalvings(*bend));
  EXPECT_GT(converged.Halvings, 2);
}

TEST_F(DesignCheck, ConvergedResultsCanBeCancelled)
{
  int checks = 0;
  auto previous = SetProcessPendingEvents([&] {
    if (++checks == 3) Progress().RequestCancel();
  });
  EXPECT_THROW(SolveConverged(*bend), ESilentAbort);
  SetProcessPendingEvents(previous);
  EXPECT_FALSE(Progress().Active());
}

}  // namespace
}  // namespace umbrinex
