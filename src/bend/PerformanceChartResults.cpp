#include "bend/PerformanceChartResults.h"

#include "bend/Bend.h"
#include "bend/LoadCaseResults.h"
#include "framework/data/Progress.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

TPerformanceChartResults::TPerformanceChartResults(TBend& owner, TLoadCaseResults& loadCases)
    : TBendResults(owner),
      FLoadCases(loadCases),
      FLimits(std::make_unique<TTable>(
          NoVarNum, std::vector<TTableColumn>{{pcTension, 0.0, dmForce}, {pcAngleLimit, 0.0, dmDimensionless}}))
{
}

double TPerformanceChartResults::AngleLimit(double tension)
{
  const TAngleRange& angles = Owner().AngleRanges();
  const double limit = 1.0 / Owner().AllowableBendRadius();
  // Refine by tenths: each level starts at the best angle so far and takes
  // at most ten steps of a tenth of the previous step; the first level uses
  // tenths of the maximum angle, not of the range.
  double best = angles.Min;
  double step = angles.Max;
  do {
    step /= 10.0;
    for (double angle = best + step; angle <= angles.Max + 1e-10; angle += step) {
      Progress().Check();
      FLoadCases.SetAdHoc(angle, tension);
      if (!FLoadCases.CurvatureWithin(limit)) break;
      best = angle;
    }
  } while (step > angles.Accuracy);
  return best;
}

void TPerformanceChartResults::Calculate()
{
  const TRange& tensions = Owner().TensionRanges();
  const int n = std::max(0, tensions.Count);
  FLimits->SetRowCount(n);
  TProgressGuard guard;
  Owner().StartProgress(n);
  const double last = n > 1 ? static_cast<double>(n - 1) * (n - 1) : 1.0;
  for (int a = 0; a < n; ++a) {
    Progress().Update(a);
    // Tensions are spaced quadratically, denser at the low end.
    const double tension = tensions.Min + (tensions.Max - tensions.Min) * (static_cast<double>(a) * a) / last;
    FLimits->SetCell(a, pcTension, tension);
    FLimits->SetCell(a, pcAngleLimit, Infinity);
    const double angle = AngleLimit(tension);
    if (FLimits->Cell(a, pcAngleLimit) > angle) FLimits->SetCell(a, pcAngleLimit, angle);
  }
  Progress().Stop();
}

}  // namespace umbrinex
