#pragma once
// The solutions of one load case, one per state, switched between the
// design's load cases or to an ad hoc tension and angle.

#include <array>
#include <memory>

#include "bend/BendResults.h"
#include "bend/BendStiffener.h"
#include "bend/BendVarNums.h"

namespace umbrinex {

class TLoadCaseResults : public TBendResults {
 public:
  explicit TLoadCaseResults(TBend& owner);
  ~TLoadCaseResults() override;

  TBendStiffener& Solution(int state) const { return *FSolutions.at(static_cast<std::size_t>(state)); }
  double StiffnessFactor() const { return FStiffnessFactor; }
  double LengthFactor() const { return FLengthFactor; }
  double Tension() const { return FTension; }
  double Angle() const { return FAngle; }  // degrees
  int LoadCase() const { return FLoadCase; }

  // A changed value invalidates; a changed tension or angle makes the case ad hoc.
  void SetStiffnessFactor(double k);
  void SetLengthFactor(double lambda);
  void SetTension(double tension);
  void SetAngle(double angle);
  void SelectLoadCase(int i);
  // Solves load case i every time it is called.
  void SetLoadCase(int i, double stiffnessFactor = 1.0, double lengthFactor = 1.0);
  // Solves both states for a tension and angle unless they are already solved.
  void SetAdHoc(double angle, double tension);
  // True when a state counts: every state for an ad hoc case, else the included ones.
  bool StateCounts(int state) const;
  // Every counted state's signed curvature is at most x at every station.
  bool CurvatureWithin(double x) const;
  // The model's data changed: the stations must be generated again.
  void ResetResults();

 protected:
  void Calculate() override;

 private:
  std::array<std::unique_ptr<TBendStiffener>, StateCount> FSolutions;
  double FStiffnessFactor = 1.0;
  double FLengthFactor = 1.0;
  double FTension = 1.0;
  double FAngle = 1.0;
  int FLoadCase = -1;
};

}  // namespace umbrinex
