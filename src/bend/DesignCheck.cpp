#include "bend/DesignCheck.h"

#include <algorithm>
#include <cmath>

#include "bend/Bend.h"
#include "bend/BendStiffener.h"
#include "bend/LoadCaseResults.h"
#include "bend/ThreadCases.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"

namespace umbrinex {

namespace {

// Below this many station steps in all, starting threads costs more than
// they save.
constexpr double MinParallelStations = 20000.0;

struct TCaseState {
  int LoadCase;
  int State;
};

std::vector<TCaseState> IncludedStates(const TBend& bend)
{
  std::vector<TCaseState> included;
  for (int i = 0; i < bend.LoadCaseCount(); ++i)
    for (int s = 0; s < StateCount; ++s)
      if (bend.StateIncluded(i, s)) included.push_back({i, s});
  return included;
}

TStateSummary Summarise(const TBendStiffener& solution, TCaseState item)
{
  TStateSummary summary;
  summary.LoadCase = item.LoadCase;
  summary.State = item.State;
  summary.RootMoment = solution.M(1);
  summary.RootShear = solution.Shear(1);
  summary.Stations = {solution.NumOfStiffenerStations(), solution.NumOfCableStations()};
  const TSmallestBendRadius smallest = SmallestBendRadius(solution);
  summary.MinBendRadius = smallest.Radius;
  summary.Position = smallest.Position;
  summary.OnCable = smallest.OnCable;
  return summary;
}

// The interval that puts MinSegmentStations stations on a segment: one
// fewer steps than stations.
double IntervalFor(double length)
{
  return length / (MinSegmentStations - 1);
}

std::vector<std::string> SparseStationWarnings(const TBend& bend, TStationCounts stations)
{
  std::vector<std::string> warnings;
  const struct {
    int Count;
    const char* Segment;
    int Item;
    double Length;
  } segments[] = {{stations.Stiffener, "stiffener", vnStationIntervalStiffener, bend.StiffenerLength()},
                  {stations.Cable, "cable", vnStationIntervalCable, bend.CableLength()}};
  for (const auto& segment : segments)
    if (segment.Count < MinSegmentStations)
      warnings.push_back(
          Format("WARNING.  Only %d stations lie on the %s: with fewer than %d the results are no more "
                 "than a rough guess.  A station interval on the %s (item %d) of at most %s gives at least %d.",
                 segment.Count, segment.Segment, MinSegmentStations, segment.Segment, segment.Item,
                 RealToText(IntervalFor(segment.Length)).c_str(), MinSegmentStations));
  return warnings;
}

}  // namespace

TSmallestBendRadius SmallestBendRadius(const TBendStiffener& solution)
{
  TSmallestBendRadius smallest;
  // Strict comparison from the root on: the first minimum remains, as in
  // the design chart.
  for (int k = 1; k <= solution.NumOfStations(); ++k) {
    const double radius = SafeDivide(1.0, std::fabs(solution.C(k)));
    if (k == 1 || radius < smallest.Radius) {
      smallest.Radius = radius;
      smallest.Position = solution.ArcLength(k);
      smallest.OnCable = k > solution.NumOfStiffenerStations();
    }
  }
  return smallest;
}

double StationsPerSolve(const TBend& bend, int halvings)
{
  return EstimatedStations(bend, halvings);
}

std::vector<TStateSummary> SolveIncludedStates(TBend& bend, int halvings, const TParallelPoll& poll)
{
  const std::vector<TCaseState> items = IncludedStates(bend);
  const int count = static_cast<int>(items.size());
  std::vector<TStateSummary> summaries(items.size());
  const bool worthThreads = count * StationsPerSolve(bend, halvings) >= MinParallelStations;
  TThreadCases cases(bend, worthThreads ? std::min(CalculationThreads(), count) : 1);
  cases.SetRefinement(halvings);
  ParallelFor(
      count, cases.Threads(),
      [&](int item, int worker) {
        const TCaseState& at = items[static_cast<std::size_t>(item)];
        TBendStiffener& solution = cases[worker].Solution(at.State);
        solution.Solve(Undefined, bend.LoadCaseAngle(at.LoadCase), bend.LoadCaseTension(at.LoadCase), 1.0, 1.0);
        summaries[static_cast<std::size_t>(item)] = Summarise(solution, at);
      },
      [&](int finished) {
        if (poll) poll(finished);
      });
  return summaries;
}

TDesignCheck CheckDesign(const TBend& bend, const std::vector<TStateSummary>& summaries)
{
  TDesignCheck check;
  auto next = summaries.begin();
  for (int i = 0; i < bend.LoadCaseCount(); ++i) {
    const double abr = bend.LoadCaseABR(i);
    if (next == summaries.end() || next->LoadCase != i) {
      TDesignCheckCase notChecked;
      notChecked.LoadCase = i;
      notChecked.ABR = abr;
      check.Cases.push_back(notChecked);
      continue;
    }
    for (; next != summaries.end() && next->LoadCase == i; ++next) {
      TDesignCheckCase entry{i, next->State, next->MinBendRadius, next->Position, next->OnCable, abr};
      entry.Ratio = SafeDivide(entry.MinBendRadius, abr);
      entry.Result = entry.Ratio >= 1.0 ? TCheckResult::Pass : TCheckResult::Fail;
      const TDesignCheckCase* governing = check.GoverningCase();
      if (governing == nullptr || entry.Ratio < governing->Ratio)
        check.Governing = static_cast<int>(check.Cases.size());
      check.Cases.push_back(entry);
    }
  }
  if (const TDesignCheckCase* governing = check.GoverningCase()) check.Verdict = governing->Result;
  // Every solution of one refinement has the same stations.
  if (!summaries.empty()) check.Warnings = SparseStationWarnings(bend, summaries.front().Stations);
  return check;
}

TDesignCheck CheckDesign(TBend& bend)
{
  return CheckDesign(bend, SolveIncludedStates(bend));
}

const char* CheckResultText(TCheckResult result)
{
  switch (result) {
    case TCheckResult::Pass:
      return "PASS";
    case TCheckResult::Fail:
      return "FAIL";
    case TCheckResult::NotChecked:
      break;
  }
  return "NOT CHECKED";
}

}  // namespace umbrinex
