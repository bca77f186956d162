#include "bend/ConvergedResults.h"

#include <algorithm>
#include <cmath>

#include "bend/Accuracy.h"
#include "bend/Bend.h"
#include "bend/BendStiffener.h"
#include "framework/data/Progress.h"
#include "framework/data/TextUtils.h"

namespace umbrinex {

namespace {

std::vector<TStateSummary> Extrapolated(const std::vector<TStateSummary>& coarse,
                                        const std::vector<TStateSummary>& fine)
{
  std::vector<TStateSummary> limits = fine;
  for (std::size_t k = 0; k < limits.size() && k < coarse.size(); ++k) {
    limits[k].RootMoment = Extrapolate(coarse[k].RootMoment, fine[k].RootMoment).Extrapolated;
    limits[k].RootShear = Extrapolate(coarse[k].RootShear, fine[k].RootShear).Extrapolated;
    limits[k].MinBendRadius = Extrapolate(coarse[k].MinBendRadius, fine[k].MinBendRadius).Extrapolated;
  }
  return limits;
}

double RelativeChange(double before, double after)
{
  if (before == after) return 0.0;
  if (IsSpecial(before) || IsSpecial(after) || after == 0.0) return Infinity;
  return std::fabs(after - before) / std::fabs(after);
}

double LargestMomentChange(const std::vector<TStateSummary>& before, const std::vector<TStateSummary>& after)
{
  double change = 0.0;
  for (std::size_t k = 0; k < before.size() && k < after.size(); ++k)
    change = std::max(change, RelativeChange(before[k].RootMoment, after[k].RootMoment));
  return change;
}

}  // namespace

int MaxHalvings(const TBend& bend)
{
  const double stations = StationsPerSolve(bend, 0);
  if (!std::isfinite(stations) || stations <= 0.0) return 0;
  int halvings = 0;
  while (halvings < 30 && StationsPerSolve(bend, halvings + 1) <= MaxRefinedStations) ++halvings;
  return halvings;
}

TConvergedResults SolveConverged(TBend& bend, double tolerance)
{
  TConvergedResults result;
  result.Tolerance = tolerance;
  const int maxHalvings = MaxHalvings(bend);
  TProgressGuard guard;
  bend.StartProgress(maxHalvings + 1);
  const auto check = [](int) { Progress().Check(); };
  std::vector<TStateSummary> coarse = SolveIncludedStates(bend, 0, check);
  std::vector<TStateSummary> limits;
  for (int halvings = 1; halvings <= maxHalvings; ++halvings) {
    Progress().Update(halvings);
    std::vector<TStateSummary> fine = SolveIncludedStates(bend, halvings, check);
    if (!fine.empty() && !coarse.empty() && fine.front().Stations == coarse.front().Stations) {
      // The same stations again would "converge" on the first error.
      result.NotRefined = Format("Halving %d of the station intervals left the stations as they were.", halvings);
      break;
    }
    std::vector<TStateSummary> next = Extrapolated(coarse, fine);
    if (!limits.empty()) result.Change = LargestMomentChange(limits, next);
    limits = std::move(next);
    coarse = std::move(fine);
    result.Halvings = halvings;
    if (result.Change < tolerance) {
      result.Converged = true;
      break;
    }
  }
  if (maxHalvings == 0)
    result.NotRefined = Format(
        "Half the station intervals would need more than the %d stations a refined solution "
        "may have.",
        MaxRefinedStations);
  // Without a single halving there is nothing to extrapolate.
  result.States = limits.empty() ? coarse : limits;
  result.StiffenerInterval = StiffenerStep(bend, result.Halvings);
  result.CableInterval = CableStep(bend, result.Halvings);
  if (!coarse.empty()) result.Stations = coarse.front().Stations;
  Progress().Stop();
  return result;
}

}  // namespace umbrinex
