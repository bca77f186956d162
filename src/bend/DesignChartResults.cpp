#include "bend/DesignChartResults.h"

#include <cmath>

#include "bend/Bend.h"
#include "bend/LoadCaseResults.h"
#include "bend/ThreadCases.h"
#include "framework/data/Progress.h"
#include "numerics/ParallelFor.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

std::unique_ptr<TTable> MakeDesignChartTable()
{
  return std::make_unique<TTable>(NoVarNum, std::vector<TTableColumn>{{dcLengthFactor, 1.0, dmDimensionless},
                                                                      {dcRatio, 0.0, dmDimensionless},
                                                                      {dcPosition, 0.0, dmDimensionless},
                                                                      {dcLoadCase, 0.0, dmDimensionless}});
}

TDesignPoint EvaluateDesignPoint(TLoadCaseResults& cases, double stiffnessFactor, double lengthFactor)
{
  TDesignPoint point{Infinity, Undefined, -1};
  const TBend& bend = cases.Owner();
  for (int i = 0; i < bend.LoadCaseCount(); ++i) {
    CheckForCancel();
    cases.SetLoadCase(i, stiffnessFactor, lengthFactor);
    const double abr = bend.LoadCaseABR(i);
    for (int s = 0; s < StateCount; ++s) {
      if (!bend.StateIncluded(i, s)) continue;
      const TBendStiffener& solution = cases.Solution(s);
      const double tip = solution.ArcLength(solution.NumOfStiffenerStations());
      for (int k = 1; k <= solution.NumOfStations(); ++k) {
        const double ratio = SafeDivide(SafeDivide(1.0, std::fabs(solution.C(k))), abr);
        if (ratio < point.Ratio) point = {ratio, solution.ArcLength(k) / tip, i};
      }
    }
  }
  return point;
}

void TDesignChartResults::Calculate()
{
  const TBend& bend = Owner();
  const TRange& kRange = bend.StiffnessFactorRanges();
  const TRange& lRange = bend.LengthFactorRanges();
  const int nK = std::max(0, kRange.Count);
  const int nL = std::max(0, lRange.Count);
  FDesignChartValues.clear();
  FDesignChartValues.resize(static_cast<std::size_t>(nK));
  for (auto& entry : FDesignChartValues) entry.Values = MakeDesignChartTable();
  auto stiffnessFactor = [&](int i) { return kRange.Min + (kRange.Max - kRange.Min) * i / std::max(1, nK - 1); };
  auto lengthFactor = [&](int g) { return lRange.Min + (lRange.Max - lRange.Min) * g / std::max(1, nL - 1); };

  // Point 0 is the design itself; then row after row of stiffness factors.
  const int count = 1 + nK * nL;
  std::vector<TDesignPoint> points(static_cast<std::size_t>(count));
  TThreadCases cases(Owner(), std::min(CalculationThreads(), count), &FLoadCases);
  TProgressGuard guard;
  Owner().StartProgress(nK);
  int nextRow = 0;
  ParallelFor(
      count, cases.Threads(),
      [&](int item, int worker) {
        const double k = item == 0 ? 1.0 : stiffnessFactor((item - 1) / nL);
        const double lambda = item == 0 ? 1.0 : lengthFactor((item - 1) % nL);
        points[static_cast<std::size_t>(item)] = EvaluateDesignPoint(cases[worker], k, lambda);
      },
      [&](int finished) {
        // The progress moves to a row once everything before it is done.
        const int before = nextRow;
        while (nextRow < nK && finished >= 1 + nextRow * nL) Progress().Update(nextRow++);
        if (nextRow == before) Progress().Check();
      });

  BaseRatio = points[0].Ratio;
  const double dr4 = std::pow(bend.StiffenerRootDiameter(), 4);
  const double id4 = std::pow(bend.StiffenerID(), 4);
  for (int i = 0; i < nK; ++i) {
    TDesignChartEntry& entry = FDesignChartValues[static_cast<std::size_t>(i)];
    const double k = stiffnessFactor(i);
    entry.KFactor = k;
    entry.DRoot = std::sqrt(std::sqrt(k * dr4 + (1.0 - k) * id4));
    entry.Values->SetRowCount(nL);
    for (int g = 0; g < nL; ++g) {
      const TDesignPoint& point = points[static_cast<std::size_t>(1 + i * nL + g)];
      entry.Values->SetCell(g, dcLengthFactor, lengthFactor(g));
      entry.Values->SetCell(g, dcRatio, point.Ratio);
      entry.Values->SetCell(g, dcPosition, point.Position);
      entry.Values->SetCell(g, dcLoadCase, point.LoadCase);
    }
  }
  Progress().Stop();
}

}  // namespace umbrinex
