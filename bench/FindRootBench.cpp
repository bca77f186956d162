#include <benchmark/benchmark.h>

#include "numerics/ExtraMaths.h"

namespace {

class TSquareMinusFour final : public umbrinex::TFindRootProblem {
 public:
  double CalcY(double x) override { return x * x - 4.0; }
};

// The cost of the finder itself: the function is as cheap as a function gets, so the figure is the
// overhead a shot or a section solve pays per solve.
void BM_FindRootSquare(benchmark::State& state)
{
  TSquareMinusFour problem;
  umbrinex::TFindRoot finder(&problem);
  for (auto _ : state) {
    finder.SetX(1.0);
    benchmark::DoNotOptimize(finder.Solve());
    benchmark::DoNotOptimize(finder.X());
  }
  state.counters["iterations"] = finder.Iteration();
}
BENCHMARK(BM_FindRootSquare);

}  // namespace
