#include "bend/StandardDiameters.h"

#include <cmath>

#include "bend/Bend.h"
#include "framework/data/Messages.h"
#include "framework/data/Units.h"

namespace umbrinex {

namespace {

// The power law cone's outside diameter at x from the root. The root is taken
// as given rather than through the formula, so that a mould of exactly the
// root diameter is never lost to rounding.
double ConeDiameter(const TBend& bend, double x)
{
  const double dr = bend.RootDiameter();
  if (x == 0.0) return dr;
  const double dt4 = std::pow(bend.TipDiameter(), 4);
  const double d4 = dt4 + (std::pow(dr, 4) - dt4) * std::pow(1.0 - x / bend.ActiveLength(), bend.ShapePower());
  return std::sqrt(std::sqrt(d4));
}

}  // namespace

void TStandardDiameters::Clear()
{
  StandardPointCount = 0;
  StandardPositions.clear();
  StandardMouldIndices.clear();
  StandardDiameters.clear();
}

void TStandardDiameters::Compute(TBend& bend)
{
  if (bend.StandardDiametersValid() || bend.StiffenerDefinition() == sdUserDefined) return;
  Clear();
  bend.CheckItemValues();
  TTable& moulds = bend.MouldDiameters();
  moulds.Sort(soAscending);
  if (moulds.HasDuplicateIndexValues()) {
    ShowWarning(
        "The mould diameters table must have unique entries in order to calculate the standard diameters shape.");
    return;
  }
  if (moulds.RowCount() == 0) {
    ShowWarning(
        "The mould diameters table must contain at least 1 diameter in order to calculate the standard diameters "
        "shape.");
    return;
  }

  // The rules of thumb below are in metres, the model in its own units.
  auto length = [&bend](double metres) { return bend.Units().FromSI(dmLength, metres); };
  auto mould = [&moulds](int j) { return moulds.Cell(j, vnMouldDiameter); };
  const double activeLength = bend.ActiveLength();
  const double tolerance = length(0.0005);

  // The root land: the smallest mould that covers the root, or the largest
  // there is.
  int index = moulds.RowCount() - 1;
  while (index > 0 && mould(index - 1) >= ConeDiameter(bend, 0.0)) --index;
  const double rootMould = mould(index);
  const double rootLand =
      rootMould > length(0.357) ? length(0.2) : (rootMould > length(0.257) ? length(0.15) : length(0.1));
  std::vector<double>& positions = StandardPositions;
  std::vector<int>& indices = StandardMouldIndices;
  positions = {0.0, rootLand};
  indices = {index, index};

  while (activeLength - tolerance > positions.back()) {
    const double previous = positions.back();
    double position = previous + length(0.05);
    index = indices.back();
    if (index > 0) {
      // Step down one mould when the next smaller one still covers the cone
      // at the end of the taper.
      const double taper = mould(index) - mould(index - 1) > length(0.015) ? length(0.2) : length(0.1);
      if (previous + taper <= activeLength && ConeDiameter(bend, previous + taper) - tolerance < mould(index - 1)) {
        position = previous + taper;
        --index;
      }
    }
    positions.push_back(position);
    indices.push_back(index);
    // A land needs only its two ends: the new point takes the place of the
    // middle one.
    const std::size_t q = positions.size();
    if (q >= 3 && indices[q - 1] == indices[q - 2] && indices[q - 2] == indices[q - 3]) {
      positions[q - 2] = positions[q - 1];
      positions.pop_back();
      indices.pop_back();
    }
  }

  StandardPointCount = static_cast<int>(positions.size());
  for (int j : indices) StandardDiameters.push_back(mould(j));
  bend.SetStandardDiametersValid(true);
}

bool TStandardDiameters::Apply(TBend& bend)
{
  Compute(bend);
  if (!bend.StandardDiametersValid()) return false;
  const TTable& moulds = bend.MouldDiameters();
  if (moulds.Cell(0, vnMouldDiameter) > bend.TipDiameter() ||
      moulds.Cell(moulds.RowCount() - 1, vnMouldDiameter) < bend.RootDiameter()) {
    if (!AskQuestion(
            "Warning: The stiffener diameters go beyond the range of mould diameters.  Do you still want to use the "
            "standard diameters?"))
      return false;
  }

  TUserDefinedStiffener& profile = bend.Profile();
  profile.SetCount(0);
  profile.SetCount(StandardPointCount);
  for (int k = 0; k < StandardPointCount; ++k) {
    TUserDefinedStiffenerPoint& point = profile.Point(k);
    point.ArcLength = StandardPositions[static_cast<std::size_t>(k)];
    point.Diameter = StandardDiameters[static_cast<std::size_t>(k)];
    point.Material = k + 1 < StandardPointCount ? bend.Material() : nullptr;
    point.MaterialName.clear();
  }
  return true;
}

}  // namespace umbrinex
