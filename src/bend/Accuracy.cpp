#include "bend/Accuracy.h"

#include <cmath>

#include "bend/Bend.h"
#include "bend/BendStiffener.h"
#include "framework/data/TextUtils.h"

namespace umbrinex {

namespace {

// 2^p − 1: what the step from h to h/2 is worth of the remaining error.
constexpr double RichardsonDivisor = static_cast<double>((1 << SchemeOrder) - 1);

TStateAccuracy StateAccuracy(const TStateSummary& coarse, const TStateSummary& fine)
{
  return {coarse.State, Extrapolate(coarse.RootMoment, fine.RootMoment), Extrapolate(coarse.RootShear, fine.RootShear),
          Extrapolate(coarse.MinBendRadius, fine.MinBendRadius)};
}

// The values with nothing to say of their error.
TStateAccuracy NoEstimate(const TStateSummary& coarse)
{
  auto value = [](double v) { return TErrorEstimate{v, Undefined, Undefined}; };
  return {coarse.State, value(coarse.RootMoment), value(coarse.RootShear), value(coarse.MinBendRadius)};
}

}  // namespace

TErrorEstimate Extrapolate(double coarse, double fine)
{
  if (coarse == fine) return {coarse, fine, 0.0};
  if (IsSpecial(coarse) || IsSpecial(fine) || !std::isfinite(coarse) || !std::isfinite(fine))
    return {coarse, Undefined, Undefined};
  const double extrapolated = fine + (fine - coarse) / RichardsonDivisor;
  return {coarse, extrapolated, SafeDivide(coarse - extrapolated, std::fabs(extrapolated))};
}

const TStateAccuracy* TAccuracy::Find(int loadCase, int state) const
{
  for (const TLoadCaseAccuracy& c : LoadCases)
    if (c.LoadCase == loadCase)
      for (const TStateAccuracy& s : c.States)
        if (s.State == state) return &s;
  return nullptr;
}

TAccuracy EstimateAccuracy(const TBend& bend, const std::vector<TStateSummary>& coarse,
                           const std::vector<TStateSummary>& fine)
{
  TAccuracy accuracy;
  for (int i = 0; i < bend.LoadCaseCount(); ++i) accuracy.LoadCases.push_back({i, {}});
  if (!coarse.empty()) accuracy.Coarse = coarse.front().Stations;
  if (!fine.empty()) accuracy.Fine = fine.front().Stations;
  // A halving that leaves the stations as they were compares a solution
  // with itself: its "error" of 0 would vouch for any design.
  const bool estimated = !fine.empty() && accuracy.Fine != accuracy.Coarse;
  if (!coarse.empty() && !estimated && !fine.empty())
    accuracy.NotEstimated = Format(
        "Halving the station intervals left the %d stations on the stiffener and the %d on "
        "the cable as they were: there is no estimate of the discretisation error.",
        accuracy.Coarse.Stiffener, accuracy.Coarse.Cable);
  for (std::size_t k = 0; k < coarse.size(); ++k) {
    const int i = coarse[k].LoadCase;
    if (i < 0 || i >= bend.LoadCaseCount()) continue;
    const bool pair = estimated && k < fine.size() && fine[k].Stations != coarse[k].Stations;
    accuracy.LoadCases[static_cast<std::size_t>(i)].States.push_back(pair ? StateAccuracy(coarse[k], fine[k])
                                                                          : NoEstimate(coarse[k]));
  }
  return accuracy;
}

TAccuracy EstimateAccuracy(TBend& bend, const std::vector<TStateSummary>& coarse)
{
  const double needed = EstimatedStations(bend, 1);
  if (coarse.empty() || needed <= MaxStations) return EstimateAccuracy(bend, coarse, SolveIncludedStates(bend, 1));
  TAccuracy accuracy = EstimateAccuracy(bend, coarse, {});
  accuracy.NotEstimated = Format(
      "Half the station intervals would need %.0f stations, more than the %d a solution "
      "holds: there is no estimate of the discretisation error.",
      std::ceil(needed), MaxStations);
  return accuracy;
}

TAccuracy EstimateAccuracy(TBend& bend)
{
  return EstimateAccuracy(bend, SolveIncludedStates(bend, 0));
}

double GoverningRatioError(const TDesignCheck& check, const TAccuracy& accuracy)
{
  const TDesignCheckCase* governing = check.GoverningCase();
  if (governing == nullptr) return Undefined;
  const TStateAccuracy* state = accuracy.Find(governing->LoadCase, governing->State);
  return state ? state->MinBendRadius.RelativeError : Undefined;
}

std::string AccuracyWarning(const TDesignCheck& check, const TAccuracy& accuracy)
{
  if (!accuracy.NotEstimated.empty() && check.GoverningCase() != nullptr) return "WARNING.  " + accuracy.NotEstimated;
  const double error = GoverningRatioError(check, accuracy);
  if (error == Undefined || !(std::fabs(error) > AccuracyWarningLimit)) return {};
  const TDesignCheckCase& governing = *check.GoverningCase();
  return Format(
      "WARNING.  The estimated discretisation error of the governing MBR/ABR (Load Case %d, State %d) is %.2f %%, "
      "more than %.0f %%.  Smaller station intervals give a more accurate ratio.",
      governing.LoadCase + 1, governing.State + 1, 100.0 * error, 100.0 * AccuracyWarningLimit);
}

}  // namespace umbrinex
