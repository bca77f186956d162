// The design's data written out as the forms show it, without a window:
// the default design well under 50 ms, one with a thousand load cases under
// a second.

#include <benchmark/benchmark.h>

#include "bend/Bend.h"
#include "presentation/DataForms.h"

namespace umbrinex {
namespace {

void BM_ExportData(benchmark::State& state)
{
  auto bend = New<TBend>();
  if (state.range(0) > 0) bend->SetInteger(vnNumberOfLoadCases, 0, static_cast<int>(state.range(0)));
  std::size_t size = 0;
  for (auto _ : state) size = DesignDataText(*bend, "Umbrinex").size();
  state.SetLabel(std::to_string(size) + " characters");
}
BENCHMARK(BM_ExportData)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace umbrinex
