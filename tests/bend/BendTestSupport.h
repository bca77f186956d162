#pragma once
// Designs the analysis tests share.

#include "bend/Bend.h"

namespace umbrinex::testing {

// A stress-strain curve (stress / E against strain) that rises steeply to
// 0.01 and stays flat beyond: the section's tangent stiffness collapses to
// the cable's, and in a non-linear calculation the inner curvature solve of
// the default design's load case 5 cannot converge in its twenty iterations.
inline void FlattenStressStrainCurve(TTable& curve)
{
  const double strains[] = {-1.0, -0.0001, 0.0, 0.0001, 1.0};
  const double stressOverE[] = {-0.01, -0.01, 0.0, 0.01, 0.01};
  curve.SetRowCount(5);
  for (int row = 0; row < 5; ++row) {
    curve.SetCell(row, vnStrainColumn, strains[row]);
    curve.SetCell(row, vnStressOverEColumn, stressOverE[row]);
  }
}

}  // namespace umbrinex::testing
