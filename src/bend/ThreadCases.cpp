#include "bend/ThreadCases.h"

#include <algorithm>

#include "bend/Bend.h"
#include "bend/LoadCaseResults.h"

namespace umbrinex {

TThreadCases::TThreadCases(TBend& bend, int threads, TLoadCaseResults* shared)
{
  threads = std::max(threads, 1);
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
  // Never a shared set: the model's solutions stay on the design's stations.
  for (const auto& cases : FOwn)
    for (int s = 0; s < StateCount; ++s) cases->Solution(s).SetRefinement(halvings);
}

}  // namespace umbrinex
