#include "bend/KeyResults.h"

#include <cmath>

#include "bend/Bend.h"
#include "bend/LoadCaseResults.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

bool TKeyResults::HasEvents() const { return FMaxRootMomentEvent.RootMoment != Undefined; }

void TKeyResults::Calculate()
{
  FMaxRootMomentEvent.RootMoment = Undefined;
  FMaxRootShearEvent.RootShear = Undefined;
  const TBend& bend = Owner();
  for (int i = 0; i < bend.LoadCaseCount(); ++i) {
    FLoadCases.SelectLoadCase(i);
    FLoadCases.SetLoadCase(i);
    for (int s = 0; s < StateCount; ++s) {
      if (!bend.StateIncluded(i, s)) continue;
      const TBendStiffener& solution = FLoadCases.Solution(s);
      const TKeyEvent event{s, i, solution.M(1), solution.Shear(1)};
      // Strict comparisons: among equal magnitudes the first case remains.
      if (FMaxRootMomentEvent.RootMoment == Undefined ||
          std::fabs(event.RootMoment) > std::fabs(FMaxRootMomentEvent.RootMoment))
        FMaxRootMomentEvent = event;
      if (FMaxRootShearEvent.RootShear == Undefined ||
          std::fabs(FMaxRootShearEvent.RootShear) < std::fabs(event.RootShear))
        FMaxRootShearEvent = event;
    }
  }
}

}  // namespace umbrinex
