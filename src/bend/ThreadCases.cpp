#include "bend/ThreadCases.h"

#include <algorithm>
#include <cmath>

#include "bend/Bend.h"
#include "bend/BendStiffener.h"
#include "bend/LoadCaseResults.h"

namespace umbrinex {

int ThreadsWithinMemory(const TBend& bend, int threads, int halvings)
{
  const double perSet = StateCount * BytesPerStation * EstimatedStations(bend, halvings);
  const double fit = std::floor(ThreadCasesMemoryBudget / perSet);
  return std::max(1, fit < threads ? static_cast<int>(fit) : threads);
}

TThreadCases::TThreadCases(TBend& bend, int threads, TLoadCaseResults* shared)
{
  threads = ThreadsWithinMemory(bend, std::max(threads, 1), 0);
  if (threads == 1 && shared != nullptr) {
    FCases.push_back(shared);
    return;
  }
  for (int worker = 0; worker < threads; ++worker) {
    FOwn.push_back(std::make_unique<TLoadCaseResults>(bend));
    FCases.push_back(FOwn.back().get());
  }
}

TThreadCases::~TThreadCases() = default;

void TThreadCases::SetRefinement(int halvings)
{
  if (!FOwn.empty()) {
    const auto keep = static_cast<std::size_t>(ThreadsWithinMemory(FOwn.front()->Owner(), Threads(), halvings));
    if (keep < FOwn.size()) {
      FCases.resize(keep);
      FOwn.resize(keep);
    }
  }
  // Never a shared set: the model's solutions stay on the design's stations.
  for (const auto& cases : FOwn)
    for (int s = 0; s < StateCount; ++s) cases->Solution(s).SetRefinement(halvings);
}

}  // namespace umbrinex
