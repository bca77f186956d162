// Reads arbitrary bytes as a CSV table of load cases, imported into a
// design, and as a load history. Any outcome but an import or a clean
// refusal (a crash, a hang, an exception other than the reader's, a leak,
// a design changed by a refused table) is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "bend/Bend.h"
#include "persistence/BendFile.h"
#include "persistence/HistoryCsv.h"
#include "persistence/LoadCaseCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  using namespace umbrinex;
  const std::string text(reinterpret_cast<const char*>(data), size);
  auto bend = New<TBend>();
  const auto before = SaveToMemory(*bend);
  try {
    std::istringstream in(text);
    ApplyLoadCases(*bend, ReadLoadCasesCsv(in, *bend));
    if (bend->LoadCaseCount() < 1 || bend->LoadCaseCount() > 1000) std::abort();
  } catch (const ECsvError&) {
    if (SaveToMemory(*bend) != before) std::abort();
  }
  try {
    std::istringstream in(text);
    THistoryReader reader(in, *bend);
    THistoryBlock block;
    do {
      reader.Read(64, block);
      for (int i = 0; i < block.Count(); ++i)
        if (!(block.Tension[static_cast<std::size_t>(i)] >= 0.0)) std::abort();
    } while (block.Count() > 0);
  } catch (const ECsvError&) {
  }
  return 0;
}
