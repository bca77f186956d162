#include "bend/PerformanceChartResults.h"

#include "bend/Bend.h"
#include "bend/LoadCaseResults.h"
#include "bend/ThreadCases.h"
#include "framework/data/Progress.h"
#include "numerics/ParallelFor.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

TPerformanceChartResults::TPerformanceChartResults(TBend& owner, TLoadCaseResults& loadCases)
    : TBendResults(owner),
      FLoadCases(loadCases),
      FLimits(std::make_unique<TTable>(
          NoVarNum, std::vector<TTableColumn>{{pcTension, 0.0, dmForce}, {pcAngleLimit, 0.0, dmDimensionless}}))
{
}

double AngleLimit(TLoadCaseResults& cases, double tension)
{
  const TBend& bend = cases.Owner();
  const TAngleRange& angles = bend.AngleRanges();
  const double limit = 1.0 / bend.AllowableBendRadius();
  // Refine by tenths: each level starts at the best angle so far and takes
  // at most ten steps of a tenth of the previous step; the first level uses
  // tenths of the maximum angle, not of the range.
  double best = angles.Min;
  double step = angles.Max;
  do {
    step /= 10.0;
    // A step below half the spacing of doubles at the best angle no longer
    // moves it, and no finer step will: the limit is as exact as a double
    // can say, whatever accuracy was asked for.
    if (best + step == best) break;
    for (double angle = best + step; angle <= angles.Max + 1e-10;) {
      CheckForCancel();
      cases.SetAdHoc(angle, tension);
      if (!cases.CurvatureWithin(limit)) break;
      best = angle;
      const double next = angle + step;
      // Where the angle crosses a power of two the spacing of doubles
      // doubles, and the step may stop moving it within a level.
      if (next == angle) break;
      angle = next;
    }
  } while (step > angles.Accuracy);
  return best;
}

void TPerformanceChartResults::Calculate()
{
  const TRange& tensions = Owner().TensionRanges();
  const int n = std::max(0, tensions.Count);
  FLimits->SetRowCount(n);
  const double last = n > 1 ? static_cast<double>(n - 1) * (n - 1) : 1.0;
  // Tensions are spaced quadratically, denser at the low end.
  auto tension = [&](int a) {
    return tensions.Min + (tensions.Max - tensions.Min) * (static_cast<double>(a) * a) / last;
  };
  std::vector<double> limits(static_cast<std::size_t>(n));
  TThreadCases cases(Owner(), std::min(CalculationThreads(), std::max(n, 1)), &FLoadCases);
  TProgressGuard guard;
  Owner().StartProgress(n);
  int nextRow = 0;
  ParallelFor(
      n, cases.Threads(),
      [&](int a, int worker) { limits[static_cast<std::size_t>(a)] = AngleLimit(cases[worker], tension(a)); },
      [&](int finished) {
        // The progress moves to a row once every row before it is done.
        const int before = nextRow;
        while (nextRow < n && finished >= nextRow) Progress().Update(nextRow++);
        if (nextRow == before) Progress().Check();
      });
  for (int a = 0; a < n; ++a) {
    FLimits->SetCell(a, pcTension, tension(a));
    FLimits->SetCell(a, pcAngleLimit, Infinity);
    const double angle = limits[static_cast<std::size_t>(a)];
    if (FLimits->Cell(a, pcAngleLimit) > angle) FLimits->SetCell(a, pcAngleLimit, angle);
  }
  Progress().Stop();
}

}  // namespace umbrinex
