#include <benchmark/benchmark.h>

#include "framework/data/Table.h"

namespace {

using umbrinex::TTable;

constexpr int kRows = 1000;

// Argument 0 asks for the same index value every time, as the analysis does
// when it reads several columns at one station; argument 1 moves it on every
// call, so that each call searches the table.
void BM_TableInterpolate(benchmark::State& state)
{
  const bool moving = state.range(0) != 0;
  TTable table(1, {{2, 0.0, umbrinex::dmLength}, {3, 0.0, umbrinex::dmLength}});
  table.SetRowCount(kRows);
  for (int row = 0; row < kRows; ++row) {
    table.SetCell(row, 2, row * 0.5);
    table.SetCell(row, 3, row * row * 0.25);
  }
  double x = 123.4;
  for (auto _ : state) {
    benchmark::DoNotOptimize(table.Interpolate(3, x));
    if (moving) {
      x += 0.37;
      if (x > kRows * 0.5) x -= kRows * 0.5;
    }
  }
  state.SetLabel(moving ? "moving" : "cached");
}
BENCHMARK(BM_TableInterpolate)->ArgName("moving")->Arg(0)->Arg(1);

}  // namespace
