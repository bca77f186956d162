#pragma once
// The static large-deflection solution of stiffener and cable for one
// tension, load angle and property state.
//
// The cable is clamped along the stiffener axis at the root; far away it
// lines up with the tension. Inside the stiffener the section stiffness is
// the cable's plus the stiffener's, beyond the tip the cable's alone. The
// unknown root moment M0 is found by shooting: each shot integrates
// equilibrium from the root to the tip, and M0 is right when the state at
// the tip lies on the bare cable's first integral of the elastica,
//   ½·EI_c·κ² = T·(1 − cos θ),
// the condition for the cable's angle to the tension to decay to zero at
// infinite distance. A final pass then fills every station, the cable
// stations in closed form from that same integral.

#include <vector>

#include "framework/data/Model.h"
#include "numerics/ExtraMaths.h"

namespace umbrinex {

class TBend;
class TBendStiffenerMaterial;

// The most stations one solution holds, stiffener and cable together. Its
// arrays take about a hundred bytes a station, and a chart gives every
// thread two solutions of its own, so a design at the limit takes some
// twenty megabytes a solution; a design beyond it is refused with the item
// to change rather than left to exhaust the machine.
inline constexpr int MaxStations = 200000;

// The station steps a solution uses on stiffener and cable, the design's
// intervals divided by 2^halvings; an interval longer than its segment
// counts as the segment's length, the one step it takes, so that every
// halving adds stations.
double StiffenerStep(const TBend& bend, int halvings);
double CableStep(const TBend& bend, int halvings);
// An upper bound of the stations one solution has at those steps (the
// station generation may use fewer).
double EstimatedStations(const TBend& bend, int halvings);

class TBendStiffener : public TEngineDataObject, private TFindRootProblem {
 public:
  TBendStiffener(TBend& bend, int stateIndex);

  int StateIndex() const { return FStateIndex; }
  // Raises EBendStiffenerError with the first fault of the design's shape or,
  // for a non-linear calculation, of its stress-strain curves.
  void CheckData() const;
  // Builds the stations from the model unless they are already valid.
  void GenerateStations();
  void InvalidateStations() { FStationsValid = false; }
  bool StationsValid() const { return FStationsValid; }
  // Station intervals of the design divided by 2^halvings, for estimates of
  // the discretisation error; 0, the design's own, unless set.
  void SetRefinement(int halvings);
  int Refinement() const { return FRefinement; }

  // Validates, generates the stations (refusing more than MaxStations with
  // the item to blame), solves the root moment and fills the
  // arrays. Pass Undefined as the initial root moment to start from the one
  // that bends the root section to the allowable bend radius.
  void Solve(double initialRootMoment, double angleDegrees, double tension, double stiffnessFactor,
             double lengthFactor);
  // Volume of the stiffener over the stations (cable stations add nothing).
  double Volume();

  // Section response of a stiffener station for a non-linear material:
  // the moment carried at curvature kappa, and the curvature carrying m.
  double SectionMoment(int i, double kappa) const;
  double SectionCurvature(int i, double m);

  // ---- station data and results, stations 1..N ----
  int NumOfStations() const { return FNumOfStations; }
  int NumOfStiffenerStations() const { return FNumOfStiffenerStations; }
  int NumOfCableStations() const { return FNumOfCableStations; }
  int LastShotStation() const { return FLastShotStation; }
  double ArcLength(int i) const { return FArcLength[At(i)]; }
  double Diameter(int i) const { return FDiameter[At(i)]; }
  double StiffenerEI(int i) const { return FStiffenerEI[At(i)]; }
  double StiffenerE(int i) const { return FStiffenerE[At(i)]; }
  const TBendStiffenerMaterial* StationMaterial(int i) const { return FStationMaterial[At(i)]; }
  double C(int i) const { return FC[At(i)]; }
  double M(int i) const { return FM[At(i)]; }
  double Shear(int i) const { return FShear[At(i)]; }
  double X(int i) const { return FX[At(i)]; }
  double Y(int i) const { return FY[At(i)]; }
  double Theta(int i) const { return FTheta[At(i)]; }
  double MaxTensileStrain(int i) const { return FMaxTensileStrain[At(i)]; }
  double MaxCompressiveStrain(int i) const { return FMaxCompressiveStrain[At(i)]; }
  // The eight result arrays whole (index 0 included), in the order a data
  // file stores them: C, M, Shear, X, Y, Theta, MaxTensileStrain,
  // MaxCompressiveStrain. Empty before the first solve.
  static constexpr int ResultArrayCount = 8;
  const std::vector<double>& ResultArray(int k) const
  {
    static constexpr std::vector<double> TBendStiffener::*arrays[ResultArrayCount] = {
        &TBendStiffener::FC,
        &TBendStiffener::FM,
        &TBendStiffener::FShear,
        &TBendStiffener::FX,
        &TBendStiffener::FY,
        &TBendStiffener::FTheta,
        &TBendStiffener::FMaxTensileStrain,
        &TBendStiffener::FMaxCompressiveStrain};
    return this->*arrays[k];
  }

  double Tension() const { return FTension; }
  double Angle() const { return FAngle; }  // radians
  double StiffnessFactor() const { return FStiffnessFactor; }
  double LengthFactor() const { return FLengthFactor; }
  double RootMoment() const { return FRootMoment; }
  const TFindRoot& RootFinder() const { return FRootFinder; }
  TBend& Bend() const { return FBend; }

 private:
  static std::size_t At(int i) { return static_cast<std::size_t>(i); }
  void CheckStationCounts() const;
  void ResizeSolution();
  // The shot: the residual of the tip state for a trial root moment.
  double CalcY(double rootMoment) override;
  void FinalPass(double rootMoment);
  void StationCurvature(int i);
  void SetStrains(int i);
  double Step(int i) const { return FLengthFactor * (FArcLength[At(i)] - FArcLength[At(i - 1)]); }

  TBend& FBend;
  int FStateIndex;
  double FTension = 0.0;
  double FAngle = 0.0;
  double FStiffnessFactor = 1.0;
  double FLengthFactor = 1.0;
  double FRootMoment;
  TFindRoot FRootFinder;
  // Model values taken once per solve, so that a shot reads no model data.
  double FCableEI = 0.0;
  double FAllowableBendRadius = 0.0;
  bool FNonLinear = false;
  long long FStepsSinceCancelCheck = 0;

  bool FStationsValid = false;
  int FRefinement = 0;
  int FNumOfStiffenerStations = 0;
  int FNumOfCableStations = 0;
  int FNumOfStations = 0;
  int FLastShotStation = 0;
  // Index 0 is unused: stations count from 1.
  std::vector<double> FArcLength, FStiffenerEI, FDiameter, FStiffenerE;
  std::vector<const TBendStiffenerMaterial*> FStationMaterial;
  std::vector<double> FC, FM, FShear, FX, FY, FTheta, FMaxTensileStrain, FMaxCompressiveStrain;
};

}  // namespace umbrinex
