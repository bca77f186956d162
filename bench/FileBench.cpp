#include <benchmark/benchmark.h>

#include <filesystem>

#include "bend/Bend.h"
#include "persistence/BendFile.h"

namespace umbrinex {
namespace {

std::string BenchFile()
{
  return (std::filesystem::temp_directory_path() / "umbrinex-bench-default.mxd").string();
}

void BM_SaveDefault(benchmark::State& state)
{
  auto bend = New<TBend>();
  const std::string name = BenchFile();
  for (auto _ : state) SaveToFile(*bend, name);
}
BENCHMARK(BM_SaveDefault)->Unit(benchmark::kMicrosecond);

void BM_LoadDefault(benchmark::State& state)
{
  auto bend = New<TBend>();
  const std::string name = BenchFile();
  SaveToFile(*bend, name);
  for (auto _ : state) LoadFromFile(*bend, name);
}
BENCHMARK(BM_LoadDefault)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace umbrinex
