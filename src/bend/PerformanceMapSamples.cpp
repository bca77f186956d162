#include "bend/PerformanceMapSamples.h"

#include <algorithm>
#include <vector>

#include "bend/Bend.h"
#include "bend/LoadCaseResults.h"
#include "bend/ThreadCases.h"
#include "framework/data/Progress.h"
#include "numerics/ParallelFor.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

std::string SamplePerformanceMap(TBend& bend, int count, std::mt19937_64& random,
                                 const std::function<void(const TMapSample&)>& onSample)
{
  count = std::max(count, 0);
  const TAngleRange& angles = bend.AngleRanges();
  const TRange& tensions = bend.TensionRanges();
  // Drawn up front, in the order the one-thread loop draws them.
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  std::vector<TMapSample> samples(static_cast<std::size_t>(count));
  for (TMapSample& sample : samples) {
    sample.Angle = angles.Min + uniform(random) * (angles.Max - angles.Min);
    sample.Tension = tensions.Min + uniform(random) * (tensions.Max - tensions.Min);
  }
  std::vector<std::string> errors(static_cast<std::size_t>(count));
  const double curvatureLimit = SafeDivide(1.0, bend.AllowableBendRadius());
  TThreadCases cases(bend, std::min(CalculationThreads(), std::max(count, 1)), &bend.LoadCaseResults());

  auto solve = [&](int j, int worker) {
    TMapSample& sample = samples[static_cast<std::size_t>(j)];
    TLoadCaseResults& results = cases[worker];
    try {
      results.SetAdHoc(sample.Angle, sample.Tension);
    } catch (const ESilentAbort&) {
      throw;
    } catch (const EUmbrinexError& error) {
      sample.Outcome = TSampleOutcome::Failed;
      errors[static_cast<std::size_t>(j)] = error.what();
      return;
    }
    if (results.Status() != TResultsStatus::Calculated) return;
    sample.Outcome = results.CurvatureWithin(curvatureLimit) ? TSampleOutcome::Within : TSampleOutcome::Exceeds;
  };

  const int every = bend.Linearity() == lnLinear ? 50 : 10;
  std::string lastError;
  int handedOn = 0;
  auto handOn = [&](int finished) {
    // Between the updates only a wait with nothing new looks for a cancel,
    // so that the interface stays alive while the threads solve.
    if (finished == handedOn) Progress().Check();
    for (; handedOn < finished; ++handedOn) {
      if (handedOn % every == 0) Progress().Update(handedOn);
      const TMapSample& sample = samples[static_cast<std::size_t>(handedOn)];
      if (sample.Outcome == TSampleOutcome::Failed) lastError = errors[static_cast<std::size_t>(handedOn)];
      onSample(sample);
    }
  };
  ParallelFor(count, cases.Threads(), solve, handOn);
  return lastError;
}

}  // namespace umbrinex
