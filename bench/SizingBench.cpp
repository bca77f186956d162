// Sizing the stiffener: the default design on length and root diameter
// (under a second on two cores), and the non-linear example on both scales
// of its profile, each checked against a brute-force 60 x 60 grid of the
// same bounds: no passing shape of the grid may weigh more than half a
// percent less than the sized one.

#include <filesystem>

#include <benchmark/benchmark.h>

#include "bend/Bend.h"
#include "bend/DesignCheck.h"
#include "bend/Sizing.h"
#include "framework/data/Variant.h"
#include "persistence/BendFile.h"

namespace umbrinex {
namespace {

struct TCase {
  const char* File;  // in Examples/, or empty for the default design
  TSizingVariable First, Second;
  double Bounds[4];
};

const TCase Cases[] = {
    {"", TSizingVariable::Length, TSizingVariable::RootDiameter, {1.0, 6.0, 0.2, 0.6}},
    {"Power Cable Non-Linear.mxd", TSizingVariable::LengthScale, TSizingVariable::DiameterScale, {0.5, 2.0, 0.9, 2.0}},
};

std::unique_ptr<TBend> Open(const TCase& c)
{
  std::unique_ptr<TBend> bend = New<TBend>();
  if (*c.File) LoadFromFile(*bend, (std::filesystem::path(UMBRINEX_EXAMPLES_DIR) / c.File).string());
  return bend;
}

TSizingRequest RequestOf(const TCase& c)
{
  TSizingRequest request;
  request.Variables = {{c.First, c.Bounds[0], c.Bounds[1]}, {c.Second, c.Bounds[2], c.Bounds[3]}};
  return request;
}

void BM_SizeStiffener(benchmark::State& state)
{
  const TCase& c = Cases[state.range(0)];
  std::unique_ptr<TBend> bend = Open(c);
  TSizingResult result;
  for (auto _ : state) result = SizeStiffener(*bend, RequestOf(c));
  if (!result.Sized) return state.SkipWithError(result.Message.c_str());
  state.counters["evaluations"] = result.Evaluations;
  state.counters["ratio"] = result.After.Ratio;
  state.counters["volume"] = result.After.Volume;
}
BENCHMARK(BM_SizeStiffener)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// The grid evaluates each shape as a user would: the values entered, the
// design checked, the volume read.
void BM_SizingAgainstGrid(benchmark::State& state)
{
  const TCase& c = Cases[state.range(0)];
  for (auto _ : state) {
    std::unique_ptr<TBend> bend = Open(c);
    const TSizingRequest request = RequestOf(c);
    const TSizingResult result = SizeStiffener(*bend, request);
    if (!result.Sized) return state.SkipWithError(result.Message.c_str());
    double best = 1e300;
    for (int i = 0; i < 60; ++i)
      for (int j = 0; j < 60; ++j) {
        TSizingPoint point;
        point.Values = {c.Bounds[0] + (c.Bounds[1] - c.Bounds[0]) * i / 59.0,
                        c.Bounds[2] + (c.Bounds[3] - c.Bounds[2]) * j / 59.0};
        std::unique_ptr<TBend> shape = Open(c);
        try {
          ApplySizing(*shape, request, point);
          if (CheckDesign(*shape).Verdict == TCheckResult::Pass) best = std::min(best, StiffenerVolume(*shape));
        } catch (const std::exception&) {
          // A shape the model refuses passes nothing.
        }
      }
    state.counters["sized_volume"] = result.After.Volume;
    state.counters["grid_best_volume"] = best;
    if (best < result.After.Volume * (1.0 - 0.005)) state.SkipWithError("the grid found a lighter passing shape");
  }
}
BENCHMARK(BM_SizingAgainstGrid)->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace umbrinex
