#include "bend/BendStiffener.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "bend/Bend.h"
#include "framework/data/Progress.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "numerics/MathConstants.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

namespace {

// π/64: the second moment of area of a circle is π·D⁴/64.
constexpr double PiOver64 = 0.04908738521234052;
// Root-moment solve: the relative step factor and the residual tolerance.
constexpr double RootStepFactor = 5e-10;
constexpr double RootTolerance = 5e-9;
// Section solve of a non-linear station.
constexpr int SectionMaxIterations = 20;
constexpr double SectionStepFactor = 5e-10;
constexpr double SectionToleranceFactor = 5e-9;
// A shot looks for a cancel after about this many station steps (a
// non-linear station counts as many steps as its section has strips), so
// that a solve on fine stations can be stopped, while the shots of an
// ordinary design never spend time on it.
constexpr long long CancelCheckSteps = 1000000;

// Stations a segment of the given length needs at the given step, not
// counting the station it starts with.
double SegmentSteps(double length, double step)
{
  return length > 0.0 && step > 0.0 ? length / step : 0.0;
}

// Why a design needs more stations than a solution may hold, naming the
// item most to blame and the figures.
std::string TooManyStationsText(const TBend& bend, int halvings, double stations)
{
  const double stiffenerSteps = SegmentSteps(bend.StiffenerLength(), StiffenerStep(bend, halvings));
  const double cableSteps = SegmentSteps(bend.CableLength(), CableStep(bend, halvings));
  const bool stiffener = stiffenerSteps >= cableSteps;
  std::string lengthText;
  if (!stiffener)
    lengthText = Format("the cable length (item %d)", vnCableLength);
  else if (bend.StiffenerDefinition() == sdPowerLaw)
    lengthText = Format("the stiffener length (the active length, item %d)", vnActiveLength);
  else
    lengthText = Format("the stiffener length (the arc length of the last profile point, item %d:%d)", vnPointArcLength,
                        bend.Profile().Count());
  const std::string halved = halvings > 0 ? Format(" (halved %d times)", halvings) : std::string();
  return Format(
      "Invalid number of stations specified.  The station interval on the %s (item %d) of %s%s over %s of %s "
      "needs %.0f stations; a solution holds at most %d.",
      stiffener ? "stiffener" : "cable", stiffener ? vnStationIntervalStiffener : vnStationIntervalCable,
      RealToText(stiffener ? bend.StiffenerStationInterval() : bend.CableStationInterval()).c_str(), halved.c_str(),
      lengthText.c_str(), RealToText(stiffener ? bend.StiffenerLength() : bend.CableLength()).c_str(),
      std::ceil(stations), MaxStations);
}

double DegreesToRadians(double degrees) { return IsSpecial(degrees) ? degrees : degrees * Pi / 180.0; }

// Area of a disc of radius r above the line at height y from its centre.
double AreaAbove(double y, double r)
{
  if (y >= r) return 0.0;
  if (y <= -r) return Pi * r * r;
  const double f = std::fabs(y) / r;
  const double e = std::acos(f > 1.0 ? 1.0 : f) - f * std::sqrt(1.0 - f * f);
  return y >= 0.0 ? r * r * e : r * r * (Pi - e);
}

double AreaBetween(double a, double b, double r) { return std::fabs(AreaAbove(b, r) - AreaAbove(a, r)); }

// The curvature at which one station's section carries a given moment.
class TSectionProblem final : public TFindRootProblem {
 public:
  TSectionProblem(const TBendStiffener& solution, int station, double moment)
      : FSolution(solution), FStation(station), FMoment(moment)
  {
  }
  double CalcY(double kappa) override { return FSolution.SectionMoment(FStation, kappa) - FMoment; }

 private:
  const TBendStiffener& FSolution;
  int FStation;
  double FMoment;
};

}  // namespace

TBendStiffener::TBendStiffener(TBend& bend, int stateIndex)
    : TEngineDataObject(&bend), FBend(bend), FStateIndex(stateIndex), FRootMoment(Undefined), FRootFinder(this)
{
  FRootFinder.SetMaxIterations(200);
  FRootFinder.SetTolerance(RootTolerance);
  FRootFinder.SetMinDampingFactor(1.0);
  FRootFinder.SetMaxDampingFactor(1.0);
}

// ---- stations ----

double StiffenerStep(const TBend& bend, int halvings)
{
  // Halving by a power of two is exact: no halving keeps the design's steps.
  return std::ldexp(std::min(bend.StiffenerStationInterval(), bend.StiffenerLength()), -halvings);
}

double CableStep(const TBend& bend, int halvings)
{
  return std::ldexp(std::min(bend.CableStationInterval(), bend.CableLength()), -halvings);
}

double EstimatedStations(const TBend& bend, int halvings)
{
  // The two first stations, a last one on each segment that rounding may
  // leave short of its end, and one to spare.
  return SegmentSteps(bend.StiffenerLength(), StiffenerStep(bend, halvings)) +
         SegmentSteps(bend.CableLength(), CableStep(bend, halvings)) + 5.0;
}

void TBendStiffener::GenerateStations()
{
  if (FStationsValid) return;
  const double length = FBend.StiffenerLength();
  const double total = length + FBend.CableLength();
  const double stiffenerStep = StiffenerStep(FBend, FRefinement);
  const double cableStep = CableStep(FBend, FRefinement);
  // Refused before anything is allocated: the arrays of one solution take
  // about a hundred bytes a station, and every thread of a chart has two.
  const double estimate = EstimatedStations(FBend, FRefinement);
  if (!(estimate <= MaxStations)) throw EBendStiffenerError(TooManyStationsText(FBend, FRefinement, estimate));
  const double id4 = std::pow(FBend.StiffenerID(), 4);
  const bool powerLaw = FBend.StiffenerDefinition() == sdPowerLaw;
  const TBendStiffenerMaterial* lawMaterial = FBend.Material();
  const double lawE = lawMaterial ? lawMaterial->LinearE(FStateIndex) : 0.0;

  const auto capacity = static_cast<std::size_t>(estimate) + 1;
  for (auto* v : {&FArcLength, &FStiffenerEI, &FDiameter, &FStiffenerE}) {
    v->assign(1, 0.0);
    v->reserve(capacity);
  }
  FStationMaterial.assign(1, nullptr);
  FStationMaterial.reserve(capacity);
  auto add = [&](double s, double d, double ei, double e, const TBendStiffenerMaterial* material) {
    FArcLength.push_back(s);
    FDiameter.push_back(d);
    FStiffenerEI.push_back(ei);
    FStiffenerE.push_back(e);
    FStationMaterial.push_back(material);
  };

  // Positions accumulate by repeated addition, as the stations have always
  // been laid out; a station that falls short of the end by rounding is
  // followed by one more at the end.
  FNumOfStiffenerStations = 0;
  bool last = false;
  while (!last && FNumOfStiffenerStations < MaxStations) {
    double s = FNumOfStiffenerStations == 0 ? 0.0 : FArcLength.back() + stiffenerStep;
    if (s >= length || std::isnan(s)) {
      s = length;
      last = true;
    }
    ++FNumOfStiffenerStations;
    if (powerLaw) {
      add(s, FBend.PowerLawDiameter(s, lawE), FBend.PowerLawStiffness(s, lawE), 0.0, nullptr);
    } else {
      const TProfileValue p = FBend.Profile().ProfileAt(s);
      const double e = p.Material ? p.Material->LinearE(FStateIndex) : 0.0;
      add(s, p.Diameter, (std::pow(p.Diameter, 4) - id4) * e * PiOver64, e, p.Material);
    }
  }
  FNumOfCableStations = 0;
  last = false;
  while (!last && FNumOfCableStations < MaxStations) {
    double s = FNumOfCableStations == 0 ? FArcLength.back() : FArcLength.back() + cableStep;
    if (s >= total || std::isnan(s)) {
      s = total;
      last = true;
    }
    ++FNumOfCableStations;
    add(s, FBend.StiffenerID(), 0.0, 0.0, nullptr);
  }
  FNumOfStations = FNumOfStiffenerStations + FNumOfCableStations;
  // A run cut off by the limit is refused by the station count check.
  if (!last) FNumOfCableStations = 0;
  ResizeSolution();
  FStationsValid = true;
}

void TBendStiffener::ResizeSolution()
{
  const auto size = At(FNumOfStations + 1);
  for (auto* v : {&FC, &FM, &FShear, &FX, &FY, &FTheta, &FMaxTensileStrain, &FMaxCompressiveStrain})
    v->assign(size, 0.0);
}

void TBendStiffener::CheckData() const
{
  FBend.CheckItemValues();
  if (FBend.StiffenerDefinition() == sdUserDefined) FBend.Profile().Check(FBend.StiffenerID());
  else FBend.CheckPowerLawShape();
  FBend.Materials().CheckAllCurves(FBend.Linearity());
}

void TBendStiffener::CheckStationCounts() const
{
  if (FNumOfStiffenerStations < 2 || FNumOfCableStations < 2 || FNumOfStiffenerStations >= MaxStations)
    throw EBendStiffenerError("Invalid number of stations specified.");
}

void TBendStiffener::SetRefinement(int halvings)
{
  if (halvings == FRefinement) return;
  FRefinement = halvings;
  FStationsValid = false;
}

double TBendStiffener::Volume()
{
  GenerateStations();
  const double c = FBend.StiffenerID() / 2.0;
  double volume = 0.0;
  for (int i = 2; i <= FNumOfStations; ++i) {
    const double a = Diameter(i) / 2.0;
    const double b = Diameter(i - 1) / 2.0;
    volume += Pi * (ArcLength(i) - ArcLength(i - 1)) * ((a * a + b * b + a * b) / 3.0 - c * c);
  }
  return volume;
}

// ---- solve ----

void TBendStiffener::Solve(double initialRootMoment, double angleDegrees, double tension, double stiffnessFactor,
                           double lengthFactor)
{
  CheckData();
  GenerateStations();
  CheckStationCounts();

  FLengthFactor = lengthFactor;
  FStiffnessFactor = stiffnessFactor;
  FTension = tension;
  FAngle = DegreesToRadians(angleDegrees);
  FCableEI = FBend.CableStiffness(FStateIndex);
  FAllowableBendRadius = FBend.AllowableBendRadius();
  FNonLinear = FBend.Linearity() == lnNonLinear;

  if (FTension <= Tiny || FAngle <= Tiny) {
    // Nothing bends: no shot runs, and every stiffener station counts as
    // reached so that the final pass draws the straight line.
    FRootMoment = 0.0;
    FLastShotStation = FNumOfStiffenerStations + 1;
    FinalPass(0.0);
    return;
  }
  const double rootEI = FCableEI + FStiffnessFactor * StiffenerEI(1);
  double m0 = initialRootMoment;
  if (m0 == Undefined) m0 = rootEI / FAllowableBendRadius;
  FRootFinder.SetDelta(rootEI * RootStepFactor / FAllowableBendRadius);
  FRootFinder.SetX(m0);
  FRootFinder.Solve();
  FRootMoment = FRootFinder.X();
  switch (FRootFinder.Status()) {
    case rsConverged:
      FinalPass(FRootMoment);
      return;
    case rsInterrupted:
      throw EBendStiffenerError("Interrupted.");
    case rsNotConverged:
      throw EBendStiffenerError("Not converged.");
    case rsSingular:
      throw EBendStiffenerError("Singular Jacobian.");
    case rsMathsError:
      throw EBendStiffenerError("Maths error");
    default:
      throw EBendStiffenerError("Unknown error.");
  }
}

double TBendStiffener::CalcY(double rootMoment)
{
  const double t = FTension;
  FM[1] = rootMoment;
  FTheta[1] = FAngle;
  FShear[1] = -t * std::sin(FAngle);
  StationCurvature(1);
  const int tip = FNumOfStiffenerStations + 1;
  FStepsSinceCancelCheck += static_cast<long long>(tip) * (FNonLinear ? FBend.SectionStrips() : 1);
  if (FStepsSinceCancelCheck >= CancelCheckSteps) {
    FStepsSinceCancelCheck = 0;
    CheckForCancel();
  }
  for (int i = 2; i <= tip; ++i) {
    const double ds = Step(i);
    FM[At(i)] = FM[At(i - 1)] + FShear[At(i - 1)] * ds;
    FTheta[At(i)] = FTheta[At(i - 1)] - FC[At(i - 1)] * ds;
    FShear[At(i)] = -t * std::sin(FTheta[At(i)]);
    StationCurvature(i);
    // A moment that turns negative: M0 too small. An angle that turns
    // negative: M0 too large.
    if (FM[At(i)] < 0.0) {
      FLastShotStation = i;
      return std::cos(FTheta[At(i)]) - 1.0;
    }
    if (FTheta[At(i)] < 0.0) {
      FLastShotStation = i;
      return FM[At(i)] * FM[At(i)] / (2.0 * FCableEI * t);
    }
  }
  FLastShotStation = tip;
  const double kappa = FC[At(tip)];
  return FCableEI * kappa * kappa / (2.0 * t) + std::cos(FTheta[At(tip)]) - 1.0;
}

void TBendStiffener::FinalPass(double rootMoment)
{
  const double t = FTension;
  const double alpha = FAngle;
  FX[1] = 0.0;
  FY[1] = 0.0;
  FM[1] = rootMoment;
  FTheta[1] = alpha;
  FShear[1] = -t * std::sin(alpha);
  StationCurvature(1);
  for (int i = 2; i <= FNumOfStations; ++i) {
    const std::size_t k = At(i);
    const double ds = Step(i);
    FX[k] = FX[k - 1] + std::cos(alpha - FTheta[k - 1]) * ds;
    FY[k] = FY[k - 1] + std::sin(alpha - FTheta[k - 1]) * ds;
    FTheta[k] = FTheta[k - 1] - FC[k - 1] * ds;
    // Beyond the last shot the angle settles on zero rather than overshoot.
    if (i > FLastShotStation && FTheta[k] * FTheta[k - 1] < 0.0) FTheta[k] = 0.0;
    FShear[k] = -t * std::sin(FTheta[k]);
    if (i <= FLastShotStation) {
      FM[k] = FM[k - 1] + FShear[k - 1] * ds;
      StationCurvature(i);
    } else if (i > FNumOfStiffenerStations) {
      // Bare cable: the first integral of the elastica in closed form.
      double kappa = std::sqrt((1.0 - std::cos(FTheta[k])) * 2.0 * t / FCableEI);
      if (FTheta[k] < 0.0) kappa = -kappa;
      FC[k] = kappa;
      FM[k] = FCableEI * kappa;
      SetStrains(i);
    } else {
      FTheta[k] = FC[k] = FM[k] = FMaxTensileStrain[k] = FMaxCompressiveStrain[k] = 0.0;
    }
  }
}

void TBendStiffener::StationCurvature(int i)
{
  const std::size_t k = At(i);
  if (!FNonLinear || i > FNumOfStiffenerStations) FC[k] = FM[k] / (FCableEI + FStiffnessFactor * FStiffenerEI[k]);
  else FC[k] = SectionCurvature(i, FM[k]);
  SetStrains(i);
}

void TBendStiffener::SetStrains(int i)
{
  const std::size_t k = At(i);
  FMaxTensileStrain[k] = FDiameter[k] / 2.0 * FC[k];
  FMaxCompressiveStrain[k] = -FMaxTensileStrain[k];
}

// ---- section response of non-linear stations ----

double TBendStiffener::SectionMoment(int i, double kappa) const
{
  const int strips = FBend.SectionStrips();
  const double outer = Diameter(i) / 2.0;
  const double inner = FBend.StiffenerID() / 2.0;
  const double h = Diameter(i) / strips;
  const TBendStiffenerMaterial* material = StationMaterial(i);
  double sum = 0.0;
  if (material != nullptr) {
    const TTable& curve = material->Curve(FStateIndex);
    double y0 = 0.0;
    // The upper strips and their mirror images below the neutral axis,
    // which stays at the centre of the section.
    for (int j = 0; j < strips / 2; ++j) {
      const double y1 = y0 + h;
      const double ym = y0 + h / 2.0;
      const double area = AreaBetween(y0, y1, outer) - AreaBetween(y0, y1, inner);
      const double strain = kappa * ym;
      // Uncached: the solutions of several threads read one curve at once.
      sum += (curve.InterpolateUncached(vnStressOverEColumn, strain) -
              curve.InterpolateUncached(vnStressOverEColumn, -strain)) *
             area * ym;
      y0 = y1;
    }
  }
  return FCableEI * kappa + FStiffnessFactor * StiffenerE(i) * sum;
}

double TBendStiffener::SectionCurvature(int i, double m)
{
  const double rootEI = FCableEI + FStiffnessFactor * StiffenerEI(1);
  TSectionProblem problem(*this, i, m);
  TFindRoot finder(&problem);
  finder.SetMaxIterations(SectionMaxIterations);
  finder.SetMinDampingFactor(1.0);
  finder.SetMaxDampingFactor(1.0);
  finder.SetDelta(SectionStepFactor * FAllowableBendRadius);
  finder.SetTolerance(rootEI * SectionToleranceFactor / FAllowableBendRadius);
  finder.SetX(i == 1 ? m / rootEI : FC[At(i - 1)]);
  if (finder.Solve() != rsConverged) FRootFinder.Interrupt();
  return finder.X();
}

}  // namespace umbrinex
