#include "bend/LoadCaseResults.h"

#include "bend/Bend.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

void TBendResults::EnsureCalculated()
{
  if (FStatus != TResultsStatus::NotCalculated) return;
  FOwner.CheckItemValues();
  Calculate();
  FStatus = TResultsStatus::Calculated;
}

void CheckLoadCaseCanBeDisplayed(const TBend& bend)
{
  if (!bend.AnyStateIncluded(bend.SelectedLoadCase()))
    throw EBendResultCannotBeDisplayed(
        "Cannot display results for this load case because no states are included.");
}

void CheckDesignChartCanBeDisplayed(const TBend& bend)
{
  if (!bend.AnyLoadCaseActive())
    throw EBendResultCannotBeDisplayed(
        "Cannot display design chart results because there are no active load cases.");
}

TLoadCaseResults::TLoadCaseResults(TBend& owner) : TBendResults(owner)
{
  for (int s = 0; s < StateCount; ++s) FSolutions[static_cast<std::size_t>(s)] = New<TBendStiffener>(owner, s);
}

TLoadCaseResults::~TLoadCaseResults() = default;

void TLoadCaseResults::SetStiffnessFactor(double k)
{
  if (k == FStiffnessFactor) return;
  Invalidate();
  FStiffnessFactor = k;
}

void TLoadCaseResults::SetLengthFactor(double lambda)
{
  if (lambda == FLengthFactor) return;
  Invalidate();
  FLengthFactor = lambda;
}

void TLoadCaseResults::SetTension(double tension)
{
  if (tension == FTension) return;
  Invalidate();
  FTension = tension;
  FLoadCase = -1;
}

void TLoadCaseResults::SetAngle(double angle)
{
  if (angle == FAngle) return;
  Invalidate();
  FAngle = angle;
  FLoadCase = -1;
}

void TLoadCaseResults::SelectLoadCase(int i)
{
  if (i != FLoadCase) Invalidate();
  FLoadCase = i;
  if (i != -1 && i < Owner().LoadCaseCount()) {
    FTension = Owner().LoadCaseTension(i);
    FAngle = Owner().LoadCaseAngle(i);
  }
}

void TLoadCaseResults::SetLoadCase(int i, double stiffnessFactor, double lengthFactor)
{
  SetLengthFactor(lengthFactor);
  SetStiffnessFactor(stiffnessFactor);
  // Through Undefined, so that the case is solved again even when it was current.
  SetTension(Undefined);
  SetAngle(Undefined);
  SelectLoadCase(i);
  EnsureCalculated();
}

void TLoadCaseResults::SetAdHoc(double angle, double tension)
{
  SetLengthFactor(1.0);
  SetStiffnessFactor(1.0);
  SetTension(tension);
  SetAngle(angle);
  SelectLoadCase(-1);
  EnsureCalculated();
}

bool TLoadCaseResults::StateCounts(int state) const
{
  return FLoadCase == -1 || (FLoadCase < Owner().LoadCaseCount() && Owner().StateIncluded(FLoadCase, state));
}

void TLoadCaseResults::Calculate()
{
  for (int s = 0; s < StateCount; ++s)
    if (StateCounts(s)) Solution(s).Solve(Undefined, FAngle, FTension, FStiffnessFactor, FLengthFactor);
}

bool TLoadCaseResults::CurvatureWithin(double x) const
{
  for (int s = 0; s < StateCount; ++s) {
    if (!StateCounts(s)) continue;
    const TBendStiffener& solution = Solution(s);
    for (int i = 1; i <= solution.NumOfStations(); ++i)
      if (solution.C(i) > x) return false;
  }
  return true;
}

void TLoadCaseResults::ResetResults()
{
  for (auto& solution : FSolutions) solution->InvalidateStations();
}

}  // namespace umbrinex
