#pragma once
// Does the design pass: for every included load case and state, the cable's
// smallest bend radius against the load case's allowable bend radius, and
// one verdict for the design. The governing ratio is the design chart's base
// ratio, found by the same rule (the first minimum in the order load case,
// state, station), so the two always agree to the last bit.
//
// The results are plain data, laid out as the batch program's JSON shows
// them, so that any front end can hand them on as they are.

#include <string>
#include <vector>

#include "numerics/ParallelFor.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

class TBend;
class TBendStiffener;

// Stations of one solution on the stiffener and on the cable (the cable's
// first station, at the tip, included).
struct TStationCounts {
  int Stiffener = 0;
  int Cable = 0;
  bool operator==(const TStationCounts&) const = default;
};

// Below this many stations a segment is too coarse for its results to be
// more than a rough guess: the design check says so.
inline constexpr int MinSegmentStations = 5;

// What the design check and the error estimates read of one solved load
// case and state.
struct TStateSummary {
  int LoadCase = 0;  // 0-based
  int State = 0;     // 0-based
  double RootMoment = 0.0;
  double RootShear = 0.0;
  // The smallest 1/|κ| over the stations (Infinity when nothing bends), the
  // arc length of the first station where it occurs, and whether that
  // station is on the cable beyond the stiffener's last station (the cable's
  // first station, at the tip, included).
  double MinBendRadius = Infinity;
  double Position = 0.0;
  bool OnCable = false;
  // The stations the solution actually stepped over.
  TStationCounts Stations;
};

// The smallest 1/|κ| of a solved solution, where the design check and the
// scan of a load history take it: the first minimum from the root on.
struct TSmallestBendRadius {
  double Radius = Infinity;
  double Position = 0.0;
  bool OnCable = false;
};
TSmallestBendRadius SmallestBendRadius(const TBendStiffener& solution);

// Solves every included load case and state with factors 1 on stations
// 2^halvings times as dense as the design's, on every thread and on
// solutions of its own (the model's load case results are not touched), and
// returns them in the order load case, state; work too small to gain from
// threads (a few hundred microseconds) stays on one. poll is handed to
// ParallelFor for progress and cancellation; it may be empty. Solve errors
// propagate.
std::vector<TStateSummary> SolveIncludedStates(TBend& bend, int halvings = 0, const TParallelPoll& poll = {});

// At most how many stations one solution has on stations 2^halvings times
// as dense as the design's (EstimatedStations of the solution).
double StationsPerSolve(const TBend& bend, int halvings);

enum class TCheckResult { Pass, Fail, NotChecked };

struct TDesignCheckCase {
  int LoadCase = 0;  // 0-based
  int State = -1;    // 0-based; -1 for a load case that includes no state
  double MinBendRadius = Undefined;
  double Position = Undefined;  // arc length
  bool OnCable = false;
  double ABR = Undefined;    // the load case's own, or the design's for "~"
  double Ratio = Undefined;  // MinBendRadius / ABR
  TCheckResult Result = TCheckResult::NotChecked;
};

struct TDesignCheck {
  // One entry per included state of every load case, and one marked not
  // checked for each load case that includes no state.
  std::vector<TDesignCheckCase> Cases;
  // Index in Cases of the smallest ratio (the first of equals); -1 when no
  // load case includes a state.
  int Governing = -1;
  // Pass when every ratio is at least 1; not checked when nothing was.
  TCheckResult Verdict = TCheckResult::NotChecked;
  // What the verdict should be read with: a segment with fewer than
  // MinSegmentStations stations, for one.
  std::vector<std::string> Warnings;

  const TDesignCheckCase* GoverningCase() const
  {
    return Governing < 0 ? nullptr : &Cases[static_cast<std::size_t>(Governing)];
  }
};

// The check of solved summaries (SolveIncludedStates at any refinement).
TDesignCheck CheckDesign(const TBend& bend, const std::vector<TStateSummary>& summaries);
// Solves the design at its own station intervals and checks it.
TDesignCheck CheckDesign(TBend& bend);

// "PASS", "FAIL" or "NOT CHECKED".
const char* CheckResultText(TCheckResult result);

}  // namespace umbrinex
