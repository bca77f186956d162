#pragma once
// Results freed of the discretisation error: the station intervals are
// halved again and again, each level extrapolated with the one before
// (Accuracy.h), until the extrapolated root moments of every included load
// case and state settle within a tolerance.

#include <string>
#include <vector>

#include "bend/DesignCheck.h"

namespace umbrinex {

class TBend;

inline constexpr double DefaultConvergenceTolerance = 1e-4;
// No level is solved with more stations than this in one solution: finer
// levels would cost memory and time out of proportion to what they add.
inline constexpr int MaxRefinedStations = 100000;

struct TConvergedResults {
  // False when the station limit came before the tolerance.
  bool Converged = false;
  // Halvings of the finest level solved, its station steps (those actually
  // stepped, never longer than the segment) and its stations.
  int Halvings = 0;
  double StiffenerInterval = 0.0;
  double CableInterval = 0.0;
  TStationCounts Stations;
  // Why the values are not freed of the discretisation error, when no
  // halving could be made or one changed nothing; empty otherwise.
  std::string NotRefined;
  // The largest relative change of an extrapolated root moment from the
  // level before to the finest (Infinity before the third level).
  double Change = Infinity;
  double Tolerance = DefaultConvergenceTolerance;
  // The extrapolated root moments, root shears and smallest bend radii, with
  // the position of that radius at the finest level, in the order of
  // SolveIncludedStates; they give a design check of their own.
  std::vector<TStateSummary> States;
};

// Refines until the change falls below tolerance (at least three levels).
// The running progress display counts the levels against the station
// limit, and every wait for the threads checks it for a cancel, which ends
// the calculation with the silent abort. Solve errors propagate.
TConvergedResults SolveConverged(TBend& bend, double tolerance = DefaultConvergenceTolerance);

// Halvings of the design's intervals that keep a solution within
// MaxRefinedStations.
int MaxHalvings(const TBend& bend);

}  // namespace umbrinex
