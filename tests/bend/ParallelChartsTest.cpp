// The charts and the performance map spread their solves over threads; the
// results, the progress a user sees and the handling of errors and Cancel
// must be those of the one-thread run.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "BendTestSupport.h"
#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "bend/DesignCheck.h"
#include "bend/LoadCaseResults.h"
#include "bend/PerformanceChartResults.h"
#include "bend/PerformanceMapSamples.h"
#include "framework/data/Progress.h"
#include "numerics/ParallelFor.h"

namespace umbrinex {
namespace {

std::uint64_t Bits(double x)
{
  return std::bit_cast<std::uint64_t>(x);
}

// Every cell of a table, as bit patterns.
std::vector<std::uint64_t> TableBits(const TTable& table)
{
  std::vector<std::uint64_t> bits;
  for (int row = 0; row < table.RowCount(); ++row)
    for (int col = 0; col < table.ColumnCount(); ++col) bits.push_back(Bits(table.Cell(row, table.Column(col).VarNum)));
  return bits;
}

class TPercentRecorder : public IProgressOwner {
 public:
  void ProgressChanged(int percent) override { Percents.push_back(percent); }
  std::vector<int> Percents;
};

class ParallelCharts : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override
  {
    if (GetParam()) {
      // A user-defined shape solved non-linearly: every shot interpolates
      // the stress-strain curve that all threads share.
      Set(vnStiffenerDefinition, "User Defined", vtText);
      Set(vnLinearity, "Non-Linear", vtText);
    }
    previousOwner = SetDefaultProgressOwner(&recorder);
  }
  void TearDown() override
  {
    SetDefaultProgressOwner(previousOwner);
    SetCalculationThreads(0);
  }
  void Set(int varNum, const TVariant& value, TVarType representation)
  {
    TAccessStatus status;
    bend->SetValue(varNum, 0, status, value, representation);
    ASSERT_EQ(status.Code, acOk) << status.Text();
  }
  struct TDesignRun {
    std::uint64_t BaseRatio;
    std::vector<std::vector<std::uint64_t>> Tables;
    std::vector<int> Percents;
  };
  TDesignRun DesignChart(int threads)
  {
    SetCalculationThreads(threads);
    recorder.Percents.clear();
    TDesignChartResults& chart = bend->DesignChartResults();
    chart.Invalidate();
    chart.EnsureCalculated();
    TDesignRun run{Bits(chart.BaseRatio), {}, recorder.Percents};
    for (const TDesignChartEntry& entry : chart.FDesignChartValues) {
      run.Tables.push_back(TableBits(*entry.Values));
      run.Tables.back().push_back(Bits(entry.KFactor));
      run.Tables.back().push_back(Bits(entry.DRoot));
    }
    return run;
  }
  std::pair<std::vector<std::uint64_t>, std::vector<int>> PerformanceChart(int threads)
  {
    SetCalculationThreads(threads);
    recorder.Percents.clear();
    TPerformanceChartResults& chart = bend->PerformanceChartResults();
    chart.Invalidate();
    chart.EnsureCalculated();
    return {TableBits(chart.FPerformanceLimits()), recorder.Percents};
  }

  std::unique_ptr<TBend> bend = New<TBend>();
  TPercentRecorder recorder;
  IProgressOwner* previousOwner = nullptr;
};

TEST_P(ParallelCharts, TheDesignChartIsTheOneThreadChartBitForBit)
{
  const TDesignRun one = DesignChart(1);
  ASSERT_EQ(one.Tables.size(), 5u);
  for (const int threads : {2, 3}) {
    const TDesignRun more = DesignChart(threads);
    EXPECT_EQ(more.BaseRatio, one.BaseRatio) << threads;
    EXPECT_EQ(more.Tables, one.Tables) << threads;
    EXPECT_EQ(more.Percents, one.Percents) << "the same progress, step by step";
  }
  EXPECT_FALSE(Progress().Active());
}

TEST_P(ParallelCharts, ThePerformanceChartIsTheOneThreadChartBitForBit)
{
  if (GetParam()) GTEST_SKIP() << "the non-linear chart takes long; the design chart covers the shared curves";
  const auto one = PerformanceChart(1);
  ASSERT_EQ(one.first.size(), 62u);
  const auto two = PerformanceChart(2);
  EXPECT_EQ(two.first, one.first);
  EXPECT_EQ(two.second, one.second);
}

TEST_P(ParallelCharts, TheMapsSamplesAreTheOneThreadSamples)
{
  auto sample = [&](int threads) {
    SetCalculationThreads(threads);
    std::mt19937_64 random(12345);
    std::vector<std::uint64_t> seen;
    bend->StartProgress(200);
    SamplePerformanceMap(*bend, 200, random, [&](const TMapSample& s) {
      seen.insert(seen.end(), {Bits(s.Angle), Bits(s.Tension), static_cast<std::uint64_t>(s.Outcome)});
    });
    Progress().Stop();
    return seen;
  };
  const std::vector<std::uint64_t> one = sample(1);
  ASSERT_EQ(one.size(), 600u);
  EXPECT_EQ(sample(2), one);
}

std::string CalculationName(const ::testing::TestParamInfo<bool>& calculation)
{
  return calculation.param ? "NonLinear" : "Linear";
}
INSTANTIATE_TEST_SUITE_P(Calculations, ParallelCharts, ::testing::Values(false, true), CalculationName);

class Threads : public ::testing::Test {
 protected:
  void TearDown() override { SetCalculationThreads(0); }
  std::unique_ptr<TBend> bend = New<TBend>();
};

TEST_F(Threads, RefinedSolutionsAreTheOneThreadSolutions)
{
  // Six halvings: enough stations for the solves to go to the threads.
  auto refined = [&](int threads) {
    SetCalculationThreads(threads);
    std::vector<std::uint64_t> bits;
    for (const TStateSummary& s : SolveIncludedStates(*bend, 6))
      bits.insert(bits.end(), {Bits(s.RootMoment), Bits(s.RootShear), Bits(s.MinBendRadius), Bits(s.Position)});
    return bits;
  };
  const std::vector<std::uint64_t> one = refined(1);
  ASSERT_EQ(one.size(), 40u);
  EXPECT_EQ(refined(2), one);
}

TEST_F(Threads, CancellingAThreadedChartLeavesItNotCalculated)
{
  SetCalculationThreads(2);
  int checks = 0;
  auto previous = SetProcessPendingEvents([&] {
    if (++checks == 3) Progress().RequestCancel();
  });
  EXPECT_THROW(bend->DesignChartResults().EnsureCalculated(), ESilentAbort);
  checks = 0;
  EXPECT_THROW(bend->PerformanceChartResults().EnsureCalculated(), ESilentAbort);
  SetProcessPendingEvents(previous);
  EXPECT_EQ(bend->DesignChartResults().Status(), TResultsStatus::NotCalculated);
  EXPECT_EQ(bend->PerformanceChartResults().Status(), TResultsStatus::NotCalculated);
  EXPECT_FALSE(Progress().Active());
  EXPECT_NO_THROW(bend->DesignChartResults().EnsureCalculated());
}

TEST_F(Threads, AThreadedChartFailsWithTheOneThreadError)
{
  TAccessStatus status;
  bend->SetValue(vnStiffenerDefinition, 0, status, "User Defined", vtText);
  bend->SetValue(vnLinearity, 0, status, "Non-Linear", vtText);
  testing::FlattenStressStrainCurve(bend->Materials().Material(0)->Curve(0));
  for (const int threads : {1, 2}) {
    SetCalculationThreads(threads);
    try {
      bend->DesignChartResults().EnsureCalculated();
      FAIL() << threads;
    } catch (const EBendStiffenerError& e) {
      EXPECT_STREQ(e.what(), "Interrupted.") << threads;
    }
    EXPECT_EQ(bend->DesignChartResults().Status(), TResultsStatus::NotCalculated);
    EXPECT_FALSE(Progress().Active());
  }
}

TEST_F(Threads, OnlyTheOneThreadRunSwitchesTheModelsLoadCaseResults)
{
  TLoadCaseResults& cases = bend->LoadCaseResults();
  cases.SetLoadCase(1);
  SetCalculationThreads(2);
  bend->DesignChartResults().EnsureCalculated();
  EXPECT_EQ(cases.LoadCase(), 1) << "the threads solve on sets of their own";
  EXPECT_EQ(cases.StiffnessFactor(), 1.0);
  SetCalculationThreads(1);
  bend->DesignChartResults().Invalidate();
  bend->DesignChartResults().EnsureCalculated();
  EXPECT_EQ(cases.LoadCase(), 4) << "left on the last load case with the last factors";
  EXPECT_EQ(cases.StiffnessFactor(), 1.6);
}

}  // namespace
}  // namespace umbrinex
