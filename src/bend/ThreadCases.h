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

// What the sets of one run may take together, in bytes: a run on fine
// stations gets fewer threads rather than more memory than a desktop has.
inline constexpr double ThreadCasesMemoryBudget = 1024.0 * 1024.0 * 1024.0;
// Bytes one station takes in one solution: thirteen arrays of eight bytes.
inline constexpr double BytesPerStation = 13 * 8;

// How many of the given threads fit in the budget, each with a set of two
// solutions on stations 2^halvings times as dense as the design's (at least
// one, which does not depend on the budget).
int ThreadsWithinMemory(const TBend& bend, int threads, int halvings);

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
  // only sets of its own are refined, never a shared one. Sets beyond the
  // memory budget of the finer stations are let go first.
  void SetRefinement(int halvings);

 private:
  std::vector<TLoadCaseResults*> FCases;
  std::vector<std::unique_ptr<TLoadCaseResults>> FOwn;
};

}  // namespace umbrinex
