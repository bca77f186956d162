#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "bend/Bend.h"
#include "bend/BendVarNums.h"
#include "bend/LoadCaseResults.h"
#include "presentation/Reports.h"
#include "presentation/SpreadSheet.h"
#include "presentation/Workbook.h"
#include "presentation/WorkbookFiles.h"

namespace umbrinex {
namespace {

// A load case report of one state at 10,000 stiffener stations, laid out and
// written to .xlsx: the largest report an engineer is likely to ask for.
void BM_LoadCaseReportTenThousandStationsXlsx(benchmark::State& state)
{
  auto bend = New<TBend>();
  TAccessStatus status;
  bend->SetValue(vnStationIntervalStiffener, 0, status, TVariant(2.0 / 10000), vtReal);
  bend->SetValue(vnOutputIntervalStiffener, 0, status, TVariant(1e-9), vtReal);
  bend->SetStateIncluded(0, 1, false);
  bend->LoadCaseResults().SetLoadCase(0);
  const auto file =
      std::filesystem::temp_directory_path() / ("umbrinex-bench-stations-" + std::to_string(::getpid()) + ".xlsx");
  for (auto _ : state) {
    TWorkbook workbook;
    TSpreadSheet sheet(workbook);
    WriteToSheet(bend->LoadCaseResults(), sheet);
    SaveWorkbookXlsx(workbook, file.string());
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_LoadCaseReportTenThousandStationsXlsx)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace umbrinex
