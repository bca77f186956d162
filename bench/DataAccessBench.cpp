#include <benchmark/benchmark.h>

#include "framework/data/ValueText.h"

namespace {

void BM_RealToText(benchmark::State& state)
{
  double v = 1234.56789;
  for (auto _ : state) {
    benchmark::DoNotOptimize(umbrinex::RealToText(v));
    v += 0.001;
  }
}
BENCHMARK(BM_RealToText);

}  // namespace
