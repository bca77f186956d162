#include <benchmark/benchmark.h>

#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "bend/LoadCaseResults.h"
#include "bend/PerformanceChartResults.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

void Set(TBend& bend, int varNum, const TVariant& value, TVarType representation)
{
  TAccessStatus status;
  bend.SetValue(varNum, 0, status, value, representation);
}

// One solve of load case 4, State 1, as a view of the load case asks for it.
void BM_SolveLinear(benchmark::State& state)
{
  auto bend = New<TBend>();
  TBendStiffener& solution = bend->LoadCaseResults().Solution(0);
  for (auto _ : state) solution.Solve(Undefined, 29.0, 31.0, 1.0, 1.0);
}
BENCHMARK(BM_SolveLinear);

// The same solve with stiffener station intervals giving about 40, 400 and
// 4000 stations: the time should grow linearly.
void BM_SolveLinearStations(benchmark::State& state)
{
  auto bend = New<TBend>();
  Set(*bend, vnStationIntervalStiffener, 2.0 / static_cast<double>(state.range(0)), vtReal);
  TBendStiffener& solution = bend->LoadCaseResults().Solution(0);
  for (auto _ : state) solution.Solve(Undefined, 29.0, 31.0, 1.0, 1.0);
  state.counters["stations"] = solution.NumOfStations();
}
BENCHMARK(BM_SolveLinearStations)->Arg(40)->Arg(400)->Arg(4000);

void BM_DesignChartLinear(benchmark::State& state)
{
  auto bend = New<TBend>();
  for (auto _ : state) {
    bend->DesignChartResults().Invalidate();
    bend->DesignChartResults().EnsureCalculated();
  }
}
BENCHMARK(BM_DesignChartLinear)->Unit(benchmark::kMillisecond);

void BM_PerformanceChartLinear(benchmark::State& state)
{
  auto bend = New<TBend>();
  for (auto _ : state) {
    bend->PerformanceChartResults().Invalidate();
    bend->PerformanceChartResults().EnsureCalculated();
  }
}
BENCHMARK(BM_PerformanceChartLinear)->Unit(benchmark::kMillisecond);

void BM_DesignChartNonLinear(benchmark::State& state)
{
  auto bend = New<TBend>();
  Set(*bend, vnStiffenerDefinition, "User Defined", vtText);
  Set(*bend, vnLinearity, "Non-Linear", vtText);
  for (auto _ : state) {
    bend->DesignChartResults().Invalidate();
    bend->DesignChartResults().EnsureCalculated();
  }
}
BENCHMARK(BM_DesignChartNonLinear)->Unit(benchmark::kMillisecond);

// The walk over every value of a design that comes before its first
// calculation after a change: the default design's tables, and tables of
// 1000 load cases, circles and moulds.
void BM_CheckItemValues(benchmark::State& state)
{
  auto bend = New<TBend>();
  const int rows = static_cast<int>(state.range(0));
  for (int varNum : {vnNumberOfLoadCases, vnNumberOfCircles, vnNumberOfDiameters}) Set(*bend, varNum, rows, vtInt);
  for (auto _ : state) {
    bend->InvalidateResults();
    bend->CheckItemValues();
  }
}
BENCHMARK(BM_CheckItemValues)->Arg(5)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace umbrinex
