#pragma once
// The stepped "standard diameter" profile that a mould can make from a
// stiffness power law cone: cylindrical lands at mould diameters joined by
// short tapers, each land covering the smooth profile within a small
// tolerance. It can be drawn over the smooth cone and can replace the design
// as user-defined profile points.

#include <vector>

namespace umbrinex {

class TBend;

class TStandardDiameters {
 public:
  // Point k (0-based) lies at StandardPositions[k] from the root and has the
  // diameter of mould table row StandardMouldIndices[k].
  int StandardPointCount = 0;
  std::vector<double> StandardPositions;
  std::vector<int> StandardMouldIndices;
  std::vector<double> StandardDiameters;

  // Sorts the model's mould table ascending and builds the profile, unless
  // the model says the profile is still valid or the shape is user-defined.
  // A mould table that is empty or has duplicates is reported as a warning
  // and leaves the profile invalid.
  void Compute(TBend& bend);

  // Computes and writes the profile into the model's user-defined profile,
  // after asking whether to go on when the cone leaves the range of the
  // moulds. False when nothing was written. Switching the definition to
  // "User Defined" and invalidating results is left to the caller, which
  // does it through the data item so that the usual change reactions follow.
  bool Apply(TBend& bend);

 private:
  void Clear();
};

}  // namespace umbrinex
