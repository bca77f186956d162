// Where the analysis meets the limits of doubles, of memory and of the
// user's patience: searches that must end, designs too fine to hold, and
// estimates that must not be claimed where they were not made.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "Watchdog.h"
#include "bend/Accuracy.h"
#include "bend/Bend.h"
#include "bend/BendErrors.h"
#include "bend/BendStiffener.h"
#include "bend/ConvergedResults.h"
#include "bend/DesignCheck.h"
#include "bend/LoadCaseResults.h"
#include "bend/PerformanceChartResults.h"
#include "bend/ThreadCases.h"
#include "framework/data/Progress.h"
#include "numerics/ParallelFor.h"

namespace umbrinex {
namespace {

using namespace std::chrono_literals;

class AnalysisLimits : public ::testing::Test {
 protected:
  ~AnalysisLimits() override { SetCalculationThreads(0); }
  void Set(int varNum, double value)
  {
    TAccessStatus status;
    bend->SetValue(varNum, 0, status, value, vtReal);
    ASSERT_EQ(status.Code, acOk) << status.Text();
  }
  std::vector<double> AngleLimits()
  {
    TPerformanceChartResults& chart = bend->PerformanceChartResults();
    chart.Invalidate();
    chart.EnsureCalculated();
    std::vector<double> limits;
    for (int a = 0; a < chart.FPerformanceLimits().RowCount(); ++a)
      limits.push_back(chart.FPerformanceLimits().Cell(a, pcAngleLimit));
    return limits;
  }
  std::string SolveError()
  {
    try {
      bend->LoadCaseResults().SetLoadCase(0);
    } catch (const EBendStiffenerError& e) {
      return e.what();
    }
    return {};
  }
  std::unique_ptr<TBend> bend = New<TBend>();
};

TEST_F(AnalysisLimits, AnAngleAccuracyFinerThanADoubleEndsTheSearchAtTheLastStepThatMovesTheAngle)
{
  const std::vector<double> coarse = AngleLimits();
  Set(vnAngleAccuracy, 1e-15);
  for (const int threads : {1, 2}) {
    SetCalculationThreads(threads);
    const testing::TWatchdog watchdog(30s, "the performance chart at an angle accuracy of 1e-15");
    const std::vector<double> fine = AngleLimits();
    ASSERT_EQ(fine.size(), coarse.size());
    for (std::size_t a = 0; a < fine.size(); ++a) {
      // The finer search starts where the coarse one ended and cannot get
      // a whole coarse step further.
      EXPECT_GE(fine[a], coarse[a]) << "row " << a;
      EXPECT_LT(fine[a], coarse[a] + 0.01) << "row " << a;
    }
    // No tension, no curvature: the whole range, and the slack of 1e-10
    // the search allows beyond its end.
    EXPECT_NEAR(fine[0], 90.0, 2e-10);
  }
}

TEST_F(AnalysisLimits, ALongPerformanceChartOnWorkerThreadsStopsPromptlyWhenCancelled)
{
  // Fine stations and a non-linear material make every row of the chart
  // take several seconds, so that a cancel that waits for the rows under
  // way shows.
  Set(vnStationIntervalStiffener, 0.00002);
  for (const auto& [varNum, value] :
       {std::pair{vnLinearity, int{lnNonLinear}}, std::pair{vnStiffenerDefinition, int{sdUserDefined}}}) {
    TAccessStatus status;
    bend->SetValue(varNum, 0, status, std::int64_t{value}, vtLong);
    ASSERT_EQ(status.Code, acOk) << status.Text();
  }
  SetCalculationThreads(2);
  const auto start = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point requested{};
  auto previous = SetProcessPendingEvents([&] {
    if (requested == std::chrono::steady_clock::time_point{} && std::chrono::steady_clock::now() - start > 300ms) {
      requested = std::chrono::steady_clock::now();
      Progress().RequestCancel();
    }
  });
  {
    const testing::TWatchdog watchdog(60s, "the cancelled performance chart");
    EXPECT_THROW(AngleLimits(), ESilentAbort);
  }
  SetProcessPendingEvents(previous);
  ASSERT_NE(requested, std::chrono::steady_clock::time_point{});
  // A few solves at most, even in a sanitizer build (it went on for 13 s).
  EXPECT_LT(std::chrono::steady_clock::now() - requested, 4000ms) << "the rows under way give up within a solve";
  EXPECT_FALSE(Progress().Active());
  EXPECT_EQ(bend->PerformanceChartResults().Status(), TResultsStatus::NotCalculated);
}

TEST_F(AnalysisLimits, TooManyStationsAreRefusedNamingTheItemTheCountAndTheMaximum)
{
  Set(vnActiveLength, 1e6);
  std::string message = SolveError();
  EXPECT_EQ(message.rfind("Invalid number of stations specified.  ", 0), 0u) << message;
  EXPECT_NE(message.find("station interval on the stiffener (item 21070) of 0.05"), std::string::npos) << message;
  EXPECT_NE(message.find("active length, item 21021) of 1000000"), std::string::npos) << message;
  EXPECT_NE(message.find("needs 20000009 stations"), std::string::npos) << message;
  EXPECT_NE(message.find("at most 200000."), std::string::npos) << message;

  Set(vnActiveLength, 2.0);
  Set(vnCableLength, 50000.0);
  message = SolveError();
  EXPECT_NE(message.find("station interval on the cable (item 21071)"), std::string::npos) << message;
  EXPECT_NE(message.find("the cable length (item 21072) of 50000 needs 1000045 stations"), std::string::npos)
      << message;

  // Just within the limit a design still solves.
  Set(vnCableLength, 0.2);
  Set(vnStationIntervalStiffener, 2.0 / (MaxStations - 20));
  EXPECT_EQ(SolveError(), "");
  EXPECT_LE(bend->LoadCaseResults().Solution(0).NumOfStations(), MaxStations);
}

TEST_F(AnalysisLimits, ThreadsAtTheStationLimitStayWithinTheMemoryBudget)
{
  EXPECT_EQ(ThreadsWithinMemory(*bend, 256, 0), 256) << "the default design is small";
  Set(vnStationIntervalStiffener, 2.0 / (MaxStations - 20));
  const int threads = ThreadsWithinMemory(*bend, 256, 0);
  EXPECT_GE(threads, 2);
  EXPECT_LE(threads * StateCount * BytesPerStation * MaxStations, ThreadCasesMemoryBudget);
  EXPECT_EQ(ThreadsWithinMemory(*bend, 256, 10), 1) << "never fewer than one";

  TThreadCases cases(*bend, 256);
  EXPECT_EQ(cases.Threads(), threads);
  cases.SetRefinement(1);
  EXPECT_EQ(cases.Threads(), ThreadsWithinMemory(*bend, 256, 1));
}

TEST_F(AnalysisLimits, StationIntervalsLongerThanTheirSegmentsStillHalve)
{
  Set(vnStationIntervalStiffener, 100.0);
  Set(vnStationIntervalCable, 100.0);
  const std::vector<TStateSummary> coarse = SolveIncludedStates(*bend, 0);
  const std::vector<TStateSummary> fine = SolveIncludedStates(*bend, 1);
  ASSERT_FALSE(coarse.empty());
  EXPECT_EQ(coarse.front().Stations, (TStationCounts{2, 2}));
  EXPECT_EQ(fine.front().Stations, (TStationCounts{3, 3}));
  const TAccuracy accuracy = EstimateAccuracy(*bend, coarse, fine);
  EXPECT_EQ(accuracy.NotEstimated, "");
  const TDesignCheck check = CheckDesign(*bend, coarse);
  EXPECT_GT(std::fabs(GoverningRatioError(check, accuracy)), AccuracyWarningLimit);

  ASSERT_EQ(check.Warnings.size(), 2u);
  EXPECT_EQ(check.Warnings[0].rfind("WARNING.  Only 2 stations lie on the stiffener: with fewer than 5 ", 0), 0u)
      << check.Warnings[0];
  EXPECT_NE(check.Warnings[0].find("(item 21070) of at most 0.5 gives at least 5."), std::string::npos);
  EXPECT_NE(check.Warnings[1].find("(item 21071) of at most 0.05 gives at least 5."), std::string::npos);
  EXPECT_TRUE(CheckDesign(*bend, SolveIncludedStates(*bend, 2)).Warnings.empty()) << "5 and 5 stations";
}

TEST_F(AnalysisLimits, AHalvingThatChangesNoStationGivesNoEstimate)
{
  const std::vector<TStateSummary> coarse = SolveIncludedStates(*bend, 0);
  const TAccuracy same = EstimateAccuracy(*bend, coarse, coarse);
  EXPECT_NE(same.NotEstimated, "");
  for (const TLoadCaseAccuracy& c : same.LoadCases)
    for (const TStateAccuracy& s : c.States) {
      EXPECT_EQ(s.RootMoment.RelativeError, Undefined);
      EXPECT_EQ(s.MinBendRadius.RelativeError, Undefined);
      EXPECT_NE(s.RootMoment.Value, Undefined) << "the values stay";
    }
  const TDesignCheck check = CheckDesign(*bend, coarse);
  EXPECT_EQ(GoverningRatioError(check, same), Undefined);
  EXPECT_EQ(AccuracyWarning(check, same), "WARNING.  " + same.NotEstimated);
}

TEST_F(AnalysisLimits, NoEstimateWhereHalfTheIntervalsExceedTheStationLimit)
{
  TAccessStatus status;
  bend->SetValue(vnNumberOfLoadCases, 0, status, std::int64_t{1}, vtLong);
  ASSERT_EQ(status.Code, acOk);
  Set(vnStationIntervalStiffener, 2.0 / (MaxStations * 0.75));
  const TAccuracy accuracy = EstimateAccuracy(*bend);
  EXPECT_NE(accuracy.NotEstimated.find("more than the 200000 a solution holds"), std::string::npos)
      << accuracy.NotEstimated;
  EXPECT_EQ(accuracy.Fine, TStationCounts{});
  const TConvergedResults converged = SolveConverged(*bend);
  EXPECT_FALSE(converged.Converged);
  EXPECT_EQ(converged.Halvings, 0);
  EXPECT_NE(converged.NotRefined, "");
}

}  // namespace
}  // namespace umbrinex
