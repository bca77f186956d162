#include "bend/DesignCheck.h"

#include <algorithm>
#include <cmath>

#include "bend/Bend.h"
#include "bend/LoadCaseResults.h"
#include "bend/ThreadCases.h"

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
  TStateSummary summary{item.LoadCase, item.State, solution.M(1), solution.Shear(1)};
  // Strict comparison from the root on: the first minimum remains, as in
  // the design chart.
  for (int k = 1; k <= solution.NumOfStations(); ++k) {
    const double radius = SafeDivide(1.0, std::fabs(solution.C(k)));
    if (k == 1 || radius < summary.MinBendRadius) {
      summary.MinBendRadius = radius;
      summary.Position = solution.ArcLength(k);
      summary.OnCable = k > solution.NumOfStiffenerStations();
    }
  }
  return summary;
}

}  // namespace

double StationsPerSolve(const TBend& bend, int halvings)
{
  const double stations =
      bend.StiffenerLength() / bend.StiffenerStationInterval() + bend.CableLength() / bend.CableStationInterval() + 4.0;
  return std::ldexp(stations, halvings);
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
