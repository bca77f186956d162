#include <benchmark/benchmark.h>

#include <cmath>
#include <sstream>

#include "bend/Bend.h"
#include "bend/LoadHistoryScan.h"
#include "framework/data/TextUtils.h"
#include "persistence/HistoryCsv.h"

namespace umbrinex {
namespace {

// A sea state of tension and angle at the hang-off, 0.1 s apart.
void History(int rows, std::vector<double>& tension, std::vector<double>& angle)
{
  for (int i = 0; i < rows; ++i) {
    const double t = 0.1 * i;
    tension.push_back(60.0 + 40.0 * std::sin(0.7 * t) + 10.0 * std::sin(3.1 * t));
    angle.push_back(20.0 + 15.0 * std::sin(0.31 * t + 1.0));
  }
}

// A block of the history through the default design in both states, on 1
// and 2 threads: items/s is rows a second.
void BM_ScanHistory(benchmark::State& state)
{
  auto bend = New<TBend>();
  std::vector<double> tension, angle;
  History(8192, tension, angle);
  TLoadHistoryScan scan(*bend, ScanStates(*bend, std::nullopt), static_cast<int>(state.range(0)));
  std::vector<TScanResponse> responses(tension.size() * 2);
  for (auto _ : state) scan.Solve(tension.data(), angle.data(), static_cast<int>(tension.size()), responses.data());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(tension.size()));
}
BENCHMARK(BM_ScanHistory)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading a history of 100,000 rows from CSV text: items/s is rows a second.
void BM_ReadHistoryCsv(benchmark::State& state)
{
  auto bend = New<TBend>();
  std::vector<double> tension, angle;
  History(100000, tension, angle);
  std::string text = "time (s),tension (kN),angle (deg)\n";
  for (std::size_t i = 0; i < tension.size(); ++i)
    text += ShortestNumberText(0.1 * static_cast<double>(i)) + "," + ShortestNumberText(tension[i]) + "," +
            ShortestNumberText(angle[i]) + "\n";
  for (auto _ : state) {
    std::istringstream in(text);
    THistoryReader reader(in, *bend);
    THistoryBlock block;
    do reader.Read(8192, block);
    while (block.Count() > 0);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(tension.size()));
}
BENCHMARK(BM_ReadHistoryCsv)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace umbrinex
