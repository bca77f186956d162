#pragma once
// The response of the stiffener to a load history: every tension and angle
// of the history solved as a load case of its own, in every state asked
// for. A row's numbers are those of a single run of that tension and angle
// as a load case, bit for bit: each solve starts afresh from the root
// moment that bends the root section to the allowable bend radius, so
// nothing carries over from one row to the next, whichever thread solves it.

#include <functional>
#include <optional>
#include <vector>

#include "bend/ThreadCases.h"
#include "numerics/ParallelFor.h"

namespace umbrinex {

class TBend;

// What one state of one row gives.
struct TScanResponse {
  double RootMoment = 0.0;
  double RootShear = 0.0;
  // The smallest 1/|κ| over the stations, the arc length of the first
  // station where it occurs and whether that station lies on the cable
  // beyond the stiffener (the tip station counts as the cable's), as the
  // design check finds them.
  double MinBendRadius = 0.0;
  double Position = 0.0;
  bool OnCable = false;
  // MinBendRadius over the design's allowable bend radius.
  double Ratio = 0.0;
  // The largest outer-fibre polymer strain, tensile or compressive, as a
  // magnitude; 0 where nothing of the stiffener bends.
  double MaxStrain = 0.0;
};

// The states (0-based) a scan solves: the one asked for (1-based, as the
// user numbers them), else every state that some load case of the design
// includes. Raises EBendStiffenerError when that leaves none, or for a
// state the design does not have.
std::vector<int> ScanStates(const TBend& bend, std::optional<int> state);

// Called on the worker thread that solved a row, with its responses, one
// per state in the order of States(): the place to turn them into output
// while the other workers go on solving.
using TScanRowDone = std::function<void(int row, int worker, const TScanResponse* responses)>;

class TLoadHistoryScan {
 public:
  // Solutions of its own for each thread (at most threads, fewer where the
  // design's stations would take too much memory); the model's load case
  // results are left alone. The design must not change while the scan
  // lives.
  TLoadHistoryScan(TBend& bend, std::vector<int> states, int threads);

  const std::vector<int>& States() const { return FStates; }
  int Threads() const { return FCases.Threads(); }

  // Solves rows 0 to count − 1 of the tensions and angles (degrees) in the
  // design's units; responses, when given, gets count · States().size()
  // entries, row by row and within a row state by state. Work of fewer
  // rows than make threads worth it stays on one thread. poll, as
  // ParallelFor has it, may cancel; solve errors propagate as ParallelFor
  // raises them, the first failed row's.
  void Solve(const double* tension, const double* angle, int count, TScanResponse* responses,
             const TScanRowDone& done = {}, const TParallelPoll& poll = {});

 private:
  TBend& FBend;
  std::vector<int> FStates;
  TThreadCases FCases;
  // Responses of the row each worker solves last, when the caller keeps none.
  std::vector<std::vector<TScanResponse>> FScratch;
};

}  // namespace umbrinex
