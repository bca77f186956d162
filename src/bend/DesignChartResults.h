#pragma once
// The design chart: for every stiffness factor K and length factor λ of the
// analysis ranges, the smallest ratio of the cable's bend radius to the load
// case's allowable bend radius over all load cases and included states.

#include <memory>
#include <vector>

#include "bend/BendResults.h"
#include "framework/data/Table.h"

namespace umbrinex {

class TLoadCaseResults;

// Columns of a stiffness factor's values table.
enum TDesignChartColumn : int { dcLengthFactor = 0, dcRatio = 1, dcPosition = 2, dcLoadCase = 3 };

struct TDesignChartEntry {
  double KFactor = 0.0;
  // Root diameter giving the same root stiffness: (K·Dr⁴ + (1 − K)·ID⁴)^¼.
  double DRoot = 0.0;
  std::unique_ptr<TTable> Values;
};

// The governing station of one (K, λ) point.
struct TDesignPoint {
  double Ratio;
  double Position;  // arc length over stiffener length
  int LoadCase;     // -1 when no case was evaluated
};

class TDesignChartResults : public TBendResults {
 public:
  TDesignChartResults(TBend& owner, TLoadCaseResults& loadCases) : TBendResults(owner), FLoadCases(loadCases) {}

  double BaseRatio = 0.0;
  std::vector<TDesignChartEntry> FDesignChartValues;

 protected:
  // The points are solved on every thread (ParallelFor); with one thread on
  // the model's load case results, which are left on the last load case.
  void Calculate() override;

 private:
  TLoadCaseResults& FLoadCases;
};

// Solves every load case at (K, λ) on the given load case results and finds
// the smallest MBR/ABR: the first minimum in the order load case, state,
// station.
TDesignPoint EvaluateDesignPoint(TLoadCaseResults& cases, double stiffnessFactor, double lengthFactor);

std::unique_ptr<TTable> MakeDesignChartTable();

}  // namespace umbrinex
