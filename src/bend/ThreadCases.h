#pragma once
// Load case results for every thread of a parallel calculation (ParallelFor).
// A solve writes into its solution objects, so two threads never share one;
// each thread gets a set of its own, made on the calling thread before the
// run, so that no solve allocates more than its stations once.

#include <memory>
#include <vector>

namespace umbrinex {

class TBend;
class TLoadCaseResults;

class TThreadCases {
 public:
  // With one thread and a shared set (the model's own load case results),
  // that set serves, so that a one-thread run is the loop it has always been
  // and leaves it switched as before. Otherwise every thread gets a set of
  // its own and the shared one is left alone.
  TThreadCases(TBend& bend, int threads, TLoadCaseResults* shared = nullptr);
  ~TThreadCases();
  TThreadCases(const TThreadCases&) = delete;
  TThreadCases& operator=(const TThreadCases&) = delete;

  int Threads() const { return static_cast<int>(FCases.size()); }
  TLoadCaseResults& operator[](int worker) const { return *FCases.at(static_cast<std::size_t>(worker)); }
  // Stations of every solution 2^halvings times as dense as the design's;
  // only sets of its own are refined, never a shared one.
  void SetRefinement(int halvings);

 private:
  std::vector<TLoadCaseResults*> FCases;
  std::vector<std::unique_ptr<TLoadCaseResults>> FOwn;
};

}  // namespace umbrinex
