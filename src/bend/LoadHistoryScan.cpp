#include "bend/LoadHistoryScan.h"

#include <algorithm>
#include <cmath>

#include "bend/Bend.h"
#include "bend/BendErrors.h"
#include "bend/BendStiffener.h"
#include "bend/DesignCheck.h"
#include "bend/LoadCaseResults.h"
#include "framework/data/TextUtils.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

namespace {

// Below this many station steps in all, starting threads costs more than
// they save.
constexpr double MinParallelStations = 20000.0;

TScanResponse Respond(const TBendStiffener& solution, double allowableBendRadius)
{
  TScanResponse response;
  response.RootMoment = solution.M(1);
  response.RootShear = solution.Shear(1);
  const TSmallestBendRadius smallest = SmallestBendRadius(solution);
  response.MinBendRadius = smallest.Radius;
  response.Position = smallest.Position;
  response.OnCable = smallest.OnCable;
  response.Ratio = SafeDivide(response.MinBendRadius, allowableBendRadius);
  for (int k = 1; k <= solution.NumOfStiffenerStations(); ++k)
    response.MaxStrain = std::max(
        {response.MaxStrain, std::fabs(solution.MaxTensileStrain(k)), std::fabs(solution.MaxCompressiveStrain(k))});
  return response;
}

}  // namespace

std::vector<int> ScanStates(const TBend& bend, std::optional<int> state)
{
  if (state) {
    if (*state < 1 || *state > StateCount)
      throw EBendStiffenerError(Format("State %d does not exist: the states are numbered 1 to %d.", *state, StateCount));
    return {*state - 1};
  }
  std::vector<int> states;
  for (int s = 0; s < StateCount; ++s)
    for (int i = 0; i < bend.LoadCaseCount(); ++i)
      if (bend.StateIncluded(i, s)) {
        states.push_back(s);
        break;
      }
  if (states.empty())
    throw EBendStiffenerError("No load case of the design includes a state: name the state to scan.");
  return states;
}

TLoadHistoryScan::TLoadHistoryScan(TBend& bend, std::vector<int> states, int threads)
    : FBend(bend), FStates(std::move(states)), FCases(bend, threads)
{
  FScratch.resize(static_cast<std::size_t>(FCases.Threads()), std::vector<TScanResponse>(FStates.size()));
}

void TLoadHistoryScan::Solve(const double* tension, const double* angle, int count, TScanResponse* responses,
                             const TScanRowDone& done, const TParallelPoll& poll)
{
  FBend.CheckItemValues();
  const std::size_t states = FStates.size();
  const double stations = static_cast<double>(count) * static_cast<double>(states) * EstimatedStations(FBend, 0);
  const int threads = stations >= MinParallelStations ? std::min(FCases.Threads(), std::max(count, 1)) : 1;
  const double abr = FBend.AllowableBendRadius();
  ParallelFor(
      count, threads,
      [&](int row, int worker) {
        TScanResponse* out = responses != nullptr ? responses + static_cast<std::size_t>(row) * states
                                                  : FScratch[static_cast<std::size_t>(worker)].data();
        for (std::size_t k = 0; k < states; ++k) {
          TBendStiffener& solution = FCases[worker].Solution(FStates[k]);
          solution.Solve(Undefined, angle[row], tension[row], 1.0, 1.0);
          out[k] = Respond(solution, abr);
        }
        if (done) done(row, worker, out);
      },
      [&](int finished) {
        if (poll) poll(finished);
      });
}

}  // namespace umbrinex
