// One step of a parametric study as a script runs it: enter a new active
// length as text, then the results the batch program prints by default (key
// results and every load case). The Python module adds its own cost to this.

#include <benchmark/benchmark.h>

#include "bend/Bend.h"
#include "cli/Cli.h"

namespace umbrinex {
namespace {

void BM_LengthSweepStep(benchmark::State& state)
{
  auto bend = New<TBend>();
  const TReportChoice key{.Key = true};
  int step = 0;
  for (auto _ : state) {
    EnterItemText(*bend, vnActiveLength, 0, std::to_string(1.0 + 0.02 * (step++ % 100)));
    benchmark::DoNotOptimize(ResultsJson(*bend, key));
  }
}
BENCHMARK(BM_LengthSweepStep)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace umbrinex
