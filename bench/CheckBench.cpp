// The threaded calculations against one thread, and the cost of the design
// check with its error estimate. The argument of the threaded benchmarks is
// the number of threads, 0 for the default (one per core).

#include <benchmark/benchmark.h>

#include <random>

#include "bend/Accuracy.h"
#include "bend/Bend.h"
#include "bend/ConvergedResults.h"
#include "bend/DesignChartResults.h"
#include "bend/DesignCheck.h"
#include "bend/PerformanceChartResults.h"
#include "bend/PerformanceMapSamples.h"
#include "framework/data/Progress.h"
#include "numerics/ParallelFor.h"

namespace umbrinex {
namespace {

void Set(TBend& bend, int varNum, const TVariant& value, TVarType representation)
{
  TAccessStatus status;
  bend.SetValue(varNum, 0, status, value, representation);
}

class TThreads {
 public:
  explicit TThreads(const benchmark::State& state) { SetCalculationThreads(static_cast<int>(state.range(0))); }
  ~TThreads() { SetCalculationThreads(0); }
  TThreads(const TThreads&) = delete;
  TThreads& operator=(const TThreads&) = delete;
};

void ThreadArguments(benchmark::internal::Benchmark* benchmark)
{
  benchmark->Arg(1)->Arg(0)->ArgName("threads")->Unit(benchmark::kMillisecond)->UseRealTime();
}

// The design chart at 0.005 m stiffener stations: 401 stations per solve,
// 260 solves.
void BM_DesignChartFineStations(benchmark::State& state)
{
  const TThreads threads(state);
  auto bend = New<TBend>();
  Set(*bend, vnStationIntervalStiffener, 0.005, vtReal);
  for (auto _ : state) {
    bend->DesignChartResults().Invalidate();
    bend->DesignChartResults().EnsureCalculated();
  }
  state.counters["threads"] = CalculationThreads();
}
BENCHMARK(BM_DesignChartFineStations)->Apply(ThreadArguments);

void BM_PerformanceChartThreads(benchmark::State& state)
{
  const TThreads threads(state);
  auto bend = New<TBend>();
  for (auto _ : state) {
    bend->PerformanceChartResults().Invalidate();
    bend->PerformanceChartResults().EnsureCalculated();
  }
}
BENCHMARK(BM_PerformanceChartThreads)->Apply(ThreadArguments);

void BM_PerformanceMapThreads(benchmark::State& state)
{
  const TThreads threads(state);
  auto bend = New<TBend>();
  std::mt19937_64 random(1);
  for (auto _ : state) {
    bend->StartProgress(1000);
    SamplePerformanceMap(*bend, 1000, random, [](const TMapSample& sample) { benchmark::DoNotOptimize(sample); });
    Progress().Stop();
  }
}
BENCHMARK(BM_PerformanceMapThreads)->Apply(ThreadArguments);

void BM_ConvergedThreads(benchmark::State& state)
{
  const TThreads threads(state);
  auto bend = New<TBend>();
  for (auto _ : state) benchmark::DoNotOptimize(SolveConverged(*bend, 1e-7));
}
BENCHMARK(BM_ConvergedThreads)->Apply(ThreadArguments);

// What --accuracy adds to the key results: the design check and the
// error estimates, sharing the solution at the design's own intervals.
void BM_CheckAndAccuracy(benchmark::State& state)
{
  const TThreads threads(state);
  auto bend = New<TBend>();
  for (auto _ : state) {
    const std::vector<TStateSummary> coarse = SolveIncludedStates(*bend, 0);
    const TDesignCheck check = CheckDesign(*bend, coarse);
    const TAccuracy accuracy = EstimateAccuracy(*bend, coarse, SolveIncludedStates(*bend, 1));
    benchmark::DoNotOptimize(AccuracyWarning(check, accuracy));
  }
}
BENCHMARK(BM_CheckAndAccuracy)->Arg(1)->Arg(0)->ArgName("threads")->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace umbrinex
