#pragma once
// The performance chart: for each tension of the analysis range, the largest
// load angle at which the cable's curvature stays within 1/ABR in both states.

#include <memory>

#include "bend/BendResults.h"
#include "framework/data/Table.h"

namespace umbrinex {

class TLoadCaseResults;

// Columns of the limits table.
enum TPerformanceColumn : int { pcTension = 0, pcAngleLimit = 1 };

class TPerformanceChartResults : public TBendResults {
 public:
  TPerformanceChartResults(TBend& owner, TLoadCaseResults& loadCases);

  TTable& FPerformanceLimits() const { return *FLimits; }

 protected:
  // The rows are solved on every thread (ParallelFor); with one thread on
  // the model's load case results, which are left on the last ad hoc case.
  void Calculate() override;

 private:
  TLoadCaseResults& FLoadCases;
  std::unique_ptr<TTable> FLimits;
};

// The largest angle within the curvature limit at one tension, searched on
// the given load case results.
double AngleLimit(TLoadCaseResults& cases, double tension);

}  // namespace umbrinex
