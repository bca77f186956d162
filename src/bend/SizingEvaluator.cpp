#include "bend/SizingEvaluator.h"

#include <algorithm>
#include <cmath>

#include "bend/Bend.h"
#include "bend/BendStiffener.h"
#include "bend/LoadCaseResults.h"
#include "bend/Profile.h"
#include "bend/ThreadCases.h"
#include "framework/data/Variant.h"
#include "numerics/Errors.h"
#include "numerics/ParallelFor.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

namespace {

// Below this many station steps in all, starting threads costs more than
// they save.
constexpr double MinParallelStations = 20000.0;

int ItemOf(TSizingVariable variable)
{
  switch (variable) {
    case TSizingVariable::Length: return vnActiveLength;
    case TSizingVariable::RootDiameter: return vnRootDiameter;
    case TSizingVariable::TipDiameter: return vnTipDiameter;
    case TSizingVariable::ShapePower: return vnShapePower;
    default: return 0;
  }
}

}  // namespace

TSizingEvaluator::TSizingEvaluator(TBend& bend, const TSizingRequest& request)
    : FBend(bend), FRequest(request), FModified(bend.Modified())
{
  const TUserDefinedStiffener& profile = bend.Profile();
  for (int i = 0; i < profile.Count(); ++i) {
    FArcLengths.push_back(profile.Point(i).ArcLength);
    FDiameters.push_back(profile.Point(i).Diameter);
  }
  for (const TSizingBounds& bounds : request.Variables) {
    const int item = ItemOf(bounds.Variable);
    FStart.push_back(item != 0 ? bend.GetReal(item) : 1.0);
  }
  for (int i = 0; i < bend.LoadCaseCount(); ++i)
    for (int s = 0; s < StateCount; ++s)
      if (bend.StateIncluded(i, s)) FItems.push_back({i, s});
  if (FItems.empty()) throw EUmbrinexError("No load case includes a state: there is nothing to size the stiffener for.");
  FRatios.resize(FItems.size());
  FStrains.resize(FItems.size());
  const int count = static_cast<int>(FItems.size());
  const bool worthThreads = count * EstimatedStations(bend, 0) >= MinParallelStations;
  FCases = std::make_unique<TThreadCases>(bend, worthThreads ? std::min(CalculationThreads(), count) : 1);
}

TSizingEvaluator::~TSizingEvaluator() = default;

void TSizingEvaluator::SetItem(int varNum, int row, double value)
{
  TAccessStatus status;
  FBend.SetValue(varNum, row, status, TVariant(value), vtReal);
  if (status.Code != acOk) throw EUmbrinexError(status.Text());
}

void TSizingEvaluator::Set(const std::vector<double>& values)
{
  for (std::size_t v = 0; v < values.size(); ++v) {
    const TSizingVariable variable = FRequest.Variables[v].Variable;
    if (const int item = ItemOf(variable); item != 0) {
      SetItem(item, 0, values[v]);
      continue;
    }
    // A scale multiplies every point's arc length or diameter as it was.
    const bool lengths = variable == TSizingVariable::LengthScale;
    const std::vector<double>& base = lengths ? FArcLengths : FDiameters;
    for (std::size_t k = 0; k < base.size(); ++k)
      SetItem(lengths ? vnPointArcLength : vnPointDiameter, static_cast<int>(k), base[k] * values[v]);
  }
}

void TSizingEvaluator::Solve(TSizingPoint& point)
{
  const int count = static_cast<int>(FItems.size());
  // The shape changed: every solution lays its stations out again.
  for (int worker = 0; worker < FCases->Threads(); ++worker)
    for (int state = 0; state < StateCount; ++state) (*FCases)[worker].Solution(state).InvalidateStations();
  ParallelFor(
      count, FCases->Threads(),
      [&](int item, int worker) {
        const TCaseState& at = FItems[static_cast<std::size_t>(item)];
        TBendStiffener& solution = (*FCases)[worker].Solution(at.State);
        solution.Solve(Undefined, FBend.LoadCaseAngle(at.LoadCase), FBend.LoadCaseTension(at.LoadCase), 1.0, 1.0);
        double radius = Infinity, strain = 0.0;
        for (int k = 1; k <= solution.NumOfStations(); ++k) radius = std::min(radius, 1.0 / std::fabs(solution.C(k)));
        for (int k = 1; k <= solution.NumOfStiffenerStations(); ++k)
          strain = std::max(strain, std::fabs(solution.MaxTensileStrain(k)));
        FRatios[static_cast<std::size_t>(item)] = radius / FBend.LoadCaseABR(at.LoadCase);
        FStrains[static_cast<std::size_t>(item)] = strain;
      },
      [](int) {});
  // The first smallest ratio, in the order load case, state.
  std::size_t governing = 0;
  for (std::size_t i = 1; i < FItems.size(); ++i)
    if (FRatios[i] < FRatios[governing]) governing = i;
  point.Ratio = FRatios[governing];
  point.LoadCase = FItems[governing].LoadCase + 1;
  point.State = FItems[governing].State + 1;
  point.MaxStrain = *std::max_element(FStrains.begin(), FStrains.end());
  point.Volume = (*FCases)[0].Solution(FItems[0].State).Volume();
  point.Length = FBend.StiffenerLength();
  point.Solved = true;
}

TSizingPoint TSizingEvaluator::Evaluate(const std::vector<double>& values)
{
  TSizingPoint point;
  Evaluate(values, point);
  return point;
}

void TSizingEvaluator::Evaluate(const std::vector<double>& values, TSizingPoint& point)
{
  ++FEvaluations;
  point.Values.assign(values.begin(), values.end());
  point.Error.clear();
  try {
    Set(values);
    Solve(point);
  } catch (const ESilentAbort&) {
    throw;
  } catch (const std::exception& e) {
    // A shape the model refuses or cannot solve passes nothing.
    point.Solved = false;
    point.Ratio = point.Volume = point.Length = point.MaxStrain = 0.0;
    point.LoadCase = point.State = 0;
    point.Error = e.what();
  }
}

void TSizingEvaluator::Restore()
{
  Set(FStart);
  FBend.SetModified(FModified);
}

}  // namespace umbrinex
