#pragma once
// How sure are we: the discretisation error of the reported root moments,
// root shears and smallest bend radii.
//
// The shot and the final pass step from station to station with the
// explicit (forward Euler) rule, so a result at station interval h differs
// from the exact one by C·h + O(h²): the scheme is of order one. Solving
// again at h/2 and extrapolating (Richardson, L. F., 1911, for order p = 1:
// v∞ ≈ v(h/2) + (v(h/2) − v(h)) / (2^p − 1) = 2·v(h/2) − v(h)) estimates the
// exact value, and with it the error of the value at the design's own
// intervals. The tests check the order numerically.
//
// Like the design check, the results are plain data laid out as the batch
// program's JSON shows them.

#include <string>
#include <vector>

#include "bend/DesignCheck.h"

namespace umbrinex {

class TBend;

// Order of the stepping scheme.
inline constexpr int SchemeOrder = 1;
// Above this estimated relative error of the ratio that decides the verdict,
// the engineer is warned.
inline constexpr double AccuracyWarningLimit = 0.01;

struct TErrorEstimate {
  double Value = 0.0;         // at the coarser intervals (the design's own)
  double Extrapolated = 0.0;  // the estimated limit of ever finer intervals
  // (Value − Extrapolated) / |Extrapolated|: positive when the value lies
  // above its limit. Special values that do not change give 0; special
  // values that do give Undefined, as do their limits.
  double RelativeError = 0.0;
};

// The estimate from values at intervals h and h/2.
TErrorEstimate Extrapolate(double coarse, double fine);

struct TStateAccuracy {
  int State = 0;  // 0-based
  TErrorEstimate RootMoment;
  TErrorEstimate RootShear;
  TErrorEstimate MinBendRadius;
};

struct TLoadCaseAccuracy {
  int LoadCase = 0;                    // 0-based
  std::vector<TStateAccuracy> States;  // the included ones; empty when none
};

struct TAccuracy {
  std::vector<TLoadCaseAccuracy> LoadCases;  // every load case, in order
  // The stations of one solution at the design's steps and at half of them.
  TStationCounts Coarse;
  TStationCounts Fine;
  // Why no estimate was made, when none was: the values then stand with
  // Undefined estimates, never with an error of 0 they have not earned.
  std::string NotEstimated;

  const TStateAccuracy* Find(int loadCase, int state) const;
};

// The estimates from the summaries of one refinement and the next. Where
// the finer one is missing or has the same stations, nothing is estimated.
TAccuracy EstimateAccuracy(const TBend& bend, const std::vector<TStateSummary>& coarse,
                           const std::vector<TStateSummary>& fine);
// Solves at half the steps of the given solutions, unless that needs more
// stations than a solution holds (MaxStations), and estimates.
TAccuracy EstimateAccuracy(TBend& bend, const std::vector<TStateSummary>& coarse);
// Solves at the design's intervals and at half of them.
TAccuracy EstimateAccuracy(TBend& bend);

// The estimated relative error of the governing ratio, the one that decides
// the verdict (the ABR is exact, so it is the bend radius's); Undefined when
// nothing was checked.
double GoverningRatioError(const TDesignCheck& check, const TAccuracy& accuracy);
// The warning when that error exceeds AccuracyWarningLimit, or when no
// estimate was made; empty otherwise.
std::string AccuracyWarning(const TDesignCheck& check, const TAccuracy& accuracy);

}  // namespace umbrinex
