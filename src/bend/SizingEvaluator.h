#pragma once
// What one sizing evaluation does: put the variables' values into the
// design, solve every included load case and state on solution objects kept
// for the whole search (so that no evaluation allocates once the stations
// have their room), and read off the volume, the governing MBR/ABR and the
// largest polymer strain. The design's own values come back with Restore.

#include <memory>
#include <vector>

#include "bend/Sizing.h"

namespace umbrinex {

class TThreadCases;

class TSizingEvaluator {
 public:
  TSizingEvaluator(TBend& bend, const TSizingRequest& request);
  ~TSizingEvaluator();
  TSizingEvaluator(const TSizingEvaluator&) = delete;
  TSizingEvaluator& operator=(const TSizingEvaluator&) = delete;

  // The variables' values in the design as it was.
  const std::vector<double>& Start() const { return FStart; }
  TSizingPoint Evaluate(const std::vector<double>& values);
  // The same into a point of the same variables, which keeps its room.
  void Evaluate(const std::vector<double>& values, TSizingPoint& point);
  int Evaluations() const { return FEvaluations; }
  // The design's values, and its modified mark, as they were.
  void Restore();

 private:
  void Set(const std::vector<double>& values);
  void SetItem(int varNum, int row, double value);
  void Solve(TSizingPoint& point);

  struct TCaseState {
    int LoadCase, State;
  };
  TBend& FBend;
  const TSizingRequest& FRequest;
  bool FModified;
  std::vector<double> FStart;
  // A profile's arc lengths and diameters as they were, for the scales.
  std::vector<double> FArcLengths, FDiameters;
  std::vector<TCaseState> FItems;
  std::vector<double> FRatios, FStrains;
  std::unique_ptr<TThreadCases> FCases;
  int FEvaluations = 0;
};

}  // namespace umbrinex
