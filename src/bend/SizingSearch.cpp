// The search of the sizing: COBYLA in the unit box of the bounds, minimising
// the objective relative to the design's own, under the MBR/ABR constraint
// (and the strain limit); then a bisection towards the constraint from the
// best passing shape, so that the sized design passes with little to spare.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <exception>

#include <nlopt.hpp>

#include "bend/Bend.h"
#include "bend/Sizing.h"
#include "bend/SizingEvaluator.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "numerics/Errors.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

namespace {

// The search ends when no variable moves by more than this share of its
// range, or after this many evaluations of one run.
constexpr double UnitTolerance = 1e-5;
constexpr int MaxEvaluationsPerRun = 400;
// The sized shape passes by no more than this share of the target, or the
// bisection has halved this many times.
constexpr double Spare = 2e-4;
constexpr int Bisections = 40;
// The first step of the compass search, in units of the range.
constexpr double PolishStep = 1.0 / 64.0;
// Evaluations of the global search per variable.
constexpr int GlobalEvaluationsPerVariable = 300;

class TSearch {
 public:
  TSearch(TBend& bend, const TSizingRequest& request, const std::function<void(int)>& poll)
      : FBend(bend), FRequest(request), FPoll(poll), FEvaluator(bend, request)
  {
    for (const TSizingBounds& bounds : request.Variables) {
      FLower.push_back(*bounds.Lower);
      FUpper.push_back(*bounds.Upper);
    }
  }

  TSizingEvaluator& Evaluator() { return FEvaluator; }

  std::vector<double> Values(const std::vector<double>& unit) const
  {
    std::vector<double> values(unit.size());
    for (std::size_t i = 0; i < unit.size(); ++i)
      values[i] = FLower[i] + std::clamp(unit[i], 0.0, 1.0) * (FUpper[i] - FLower[i]);
    return values;
  }
  std::vector<double> Unit(const std::vector<double>& values) const
  {
    std::vector<double> unit(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
      unit[i] = FUpper[i] > FLower[i] ? std::clamp((values[i] - FLower[i]) / (FUpper[i] - FLower[i]), 0.0, 1.0) : 0.0;
    return unit;
  }

  double Objective(const TSizingPoint& point) const
  {
    return FRequest.Objective == TSizingObjective::Volume ? point.Volume : point.Length;
  }
  bool Passes(const TSizingPoint& point) const
  {
    return point.Solved && point.Ratio >= FRequest.Target &&
           (!FRequest.MaxStrain || point.MaxStrain <= *FRequest.MaxStrain);
  }

  // Evaluates a point of the unit box, remembering the best passing shape
  // and the shape of the best ratio.
  const TSizingPoint& At(const std::vector<double>& unit)
  {
    if (FPoll) FPoll(FEvaluator.Evaluations());
    FValues = Values(unit);
    FEvaluator.Evaluate(FValues, FLast);
    FLastUnit = unit;
    if (Passes(FLast) && (!FBest || Objective(FLast) < Objective(*FBest))) {
      FBest = FLast;
      FBestUnit = unit;
    }
    if (FLast.Solved && (!FClosest || FLast.Ratio > FClosest->Ratio)) FClosest = FLast;
    return FLast;
  }

  void SetReference(double reference) { FReference = reference > 0.0 ? reference : 1.0; }

  // One run of an NLopt method over the unit box from a start, with the
  // initial step of a local method.
  void Optimise(nlopt::algorithm algorithm, const std::vector<double>& startUnit, double step, int evaluations)
  {
    const unsigned n = static_cast<unsigned>(startUnit.size());
    nlopt::opt opt(algorithm, n);
    opt.set_lower_bounds(std::vector<double>(n, 0.0));
    opt.set_upper_bounds(std::vector<double>(n, 1.0));
    opt.set_xtol_abs(UnitTolerance);
    opt.set_maxeval(evaluations);
    if (step > 0.0) opt.set_initial_step(step);
    opt.set_min_objective(&TSearch::ObjectiveOf, this);
    opt.add_inequality_constraint(&TSearch::RatioConstraint, this, 0.0);
    if (FRequest.MaxStrain) opt.add_inequality_constraint(&TSearch::StrainConstraint, this, 0.0);
    std::vector<double> x = startUnit;
    double minimum = 0.0;
    try {
      opt.optimize(x, minimum);
    } catch (const nlopt::forced_stop&) {
      // A cancel or an error of the program's own, thrown again below.
    } catch (const nlopt::roundoff_limited&) {
      // As far as the numbers go: the best point so far stands.
    } catch (const std::runtime_error&) {
      // NLopt's own failures leave the best point so far as well.
    }
    if (FError) std::rethrow_exception(std::exchange(FError, nullptr));
    FOptimum = x;
  }

  // From the best passing shape towards the optimiser's end point (when
  // that was better but failed), keeping the last shape that passes.
  void Bisect()
  {
    if (!FBest || FOptimum.empty()) return;
    std::vector<double> pass = FBestUnit, fail = FOptimum;
    const TSizingPoint& end = At(fail);
    if (Passes(end)) return;
    for (int i = 0; i < Bisections && FBest->Ratio > FRequest.Target * (1.0 + Spare); ++i) {
      std::vector<double> middle(pass.size());
      for (std::size_t k = 0; k < pass.size(); ++k) middle[k] = 0.5 * (pass[k] + fail[k]);
      if (Passes(At(middle)))
        pass = middle;
      else
        fail = middle;
    }
  }

  // A compass search from the best passing shape: each variable a step up
  // and down, a move kept when the shape passes and weighs less, the step
  // halved when no move helps. It crosses the steps that the stations and
  // a change of the governing case put into the ratio, where a method that
  // models the functions stalls.
  void Polish()
  {
    if (!FBest) return;
    for (double step = PolishStep; step >= UnitTolerance; step /= 2.0) {
      for (bool moved = true; moved;) {
        moved = false;
        for (std::size_t k = 0; k < FBestUnit.size(); ++k)
          for (const double sign : {-1.0, 1.0}) {
            std::vector<double> unit = FBestUnit;
            unit[k] = std::clamp(unit[k] + sign * step, 0.0, 1.0);
            if (unit[k] == FBestUnit[k]) continue;
            const double before = Objective(*FBest);
            At(unit);
            moved = moved || Objective(*FBest) < before;
          }
      }
    }
  }

  const std::vector<double>& BestUnit() const { return FBestUnit; }

  const std::optional<TSizingPoint>& Best() const { return FBest; }
  const std::optional<TSizingPoint>& Closest() const { return FClosest; }

 private:
  template <class F>
  static double Guarded(void* data, F&& f)
  {
    auto* search = static_cast<TSearch*>(data);
    try {
      return f(*search);
    } catch (...) {
      search->FError = std::current_exception();
      throw nlopt::forced_stop();
    }
  }
  // The point NLopt asks about, evaluated once however many functions ask.
  const TSizingPoint& Asked(const std::vector<double>& x)
  {
    if (x != FLastUnit || FLast.Values.empty()) At(x);
    return FLast;
  }
  static double ObjectiveOf(const std::vector<double>& x, std::vector<double>& /*grad*/, void* data)
  {
    return Guarded(data, [&](TSearch& s) {
      const TSizingPoint& p = s.Asked(x);
      // A shape that cannot be solved weighs more than any that can.
      return p.Solved ? s.Objective(p) / s.FReference : 10.0;
    });
  }
  static double RatioConstraint(const std::vector<double>& x, std::vector<double>& /*grad*/, void* data)
  {
    return Guarded(data, [&](TSearch& s) {
      const TSizingPoint& p = s.Asked(x);
      return p.Solved ? (s.FRequest.Target - p.Ratio) / s.FRequest.Target : 1.0;
    });
  }
  static double StrainConstraint(const std::vector<double>& x, std::vector<double>& /*grad*/, void* data)
  {
    return Guarded(data, [&](TSearch& s) {
      const TSizingPoint& p = s.Asked(x);
      return p.Solved ? p.MaxStrain / *s.FRequest.MaxStrain - 1.0 : 1.0;
    });
  }

  TBend& FBend;
  const TSizingRequest& FRequest;
  const std::function<void(int)>& FPoll;
  TSizingEvaluator FEvaluator;
  std::vector<double> FLower, FUpper;
  double FReference = 1.0;
  TSizingPoint FLast;
  std::vector<double> FValues;
  std::vector<double> FLastUnit;
  std::optional<TSizingPoint> FBest, FClosest;
  std::vector<double> FBestUnit, FOptimum;
  std::exception_ptr FError;
};

// The smallest mould diameter at least d; d itself when none is.
double MouldAbove(const TBend& bend, double d)
{
  double found = Infinity;
  for (int j = 0; j < bend.MouldDiameterCount(); ++j)
    if (const double mould = bend.MouldDiameter(j); mould >= d && mould < found) found = mould;
  return std::isfinite(found) ? found : d;
}

std::string DescribeValues(TBend& bend, const TSizingRequest& request, const TSizingPoint& point)
{
  std::string text;
  const std::string unit = bend.ExpandUnitNames("LL");
  for (std::size_t i = 0; i < request.Variables.size(); ++i) {
    const TSizingVariable variable = request.Variables[i].Variable;
    std::string name = SizingVariableName(variable);
    std::replace(name.begin(), name.end(), '-', ' ');
    text += (i ? ", " : "") + name + " " + Format("%.3f", point.Values[i]);
    if (variable == TSizingVariable::Length || variable == TSizingVariable::RootDiameter ||
        variable == TSizingVariable::TipDiameter)
      text += " " + unit;
  }
  return text;
}

std::string InfeasibleMessage(TBend& bend, const TSizingRequest& request, const std::optional<TSizingPoint>& closest)
{
  std::string what = "No stiffener within the bounds keeps every load case within its ABR";
  if (request.Target != 1.0) what += " times " + RealToText(request.Target);
  if (request.MaxStrain) what += " and its strain within " + RealToText(*request.MaxStrain);
  if (!closest) return what + ": no shape within the bounds could be solved.";
  return what + ": the best reaches MBR/ABR " + Format("%.2f", closest->Ratio) + " (Load Case " +
         std::to_string(closest->LoadCase) + ", State " + std::to_string(closest->State) + ") at " +
         DescribeValues(bend, request, *closest) + ".";
}

}  // namespace

TSizingResult SizeStiffener(TBend& bend, const TSizingRequest& asked, const std::function<void(int)>& poll)
{
  const auto started = std::chrono::steady_clock::now();
  const TSizingRequest request = CompleteSizingRequest(bend, asked);
  TSizingResult result;
  for (const TSizingBounds& bounds : request.Variables)
    result.Variables.push_back({bounds.Variable, *bounds.Lower, *bounds.Upper});
  TSearch search(bend, request, poll);
  try {
    result.Before = search.Evaluator().Evaluate(search.Evaluator().Start());
    if (!result.Before.Solved) throw EUmbrinexError(result.Before.Error);
    search.SetReference(search.Objective(result.Before));
    const std::vector<double> start = search.Unit(search.Evaluator().Start());
    const int n = static_cast<int>(start.size());
    // From the design as it is; then over the whole box, deterministically
    // (DIRECT), which also finds a passing region the first run missed;
    // then from the best shape found, down to the constraint.
    search.Optimise(nlopt::LN_COBYLA, start, 0.1, MaxEvaluationsPerRun);
    search.Optimise(nlopt::GN_ORIG_DIRECT_L, start, 0.0, GlobalEvaluationsPerVariable * n);
    if (search.Best()) search.Optimise(nlopt::LN_COBYLA, search.BestUnit(), 0.02, MaxEvaluationsPerRun);
    search.Bisect();
    search.Polish();
    result.Sized = search.Best().has_value();
    if (result.Sized) {
      result.After = *search.Best();
      if (request.Moulds) {
        std::vector<double> rounded = result.After.Values;
        for (std::size_t i = 0; i < rounded.size(); ++i)
          if (request.Variables[i].Variable == TSizingVariable::RootDiameter ||
              request.Variables[i].Variable == TSizingVariable::TipDiameter)
            rounded[i] = MouldAbove(bend, rounded[i]);
        result.Rounded = search.Evaluator().Evaluate(rounded);
      }
    } else {
      result.After = search.Closest().value_or(result.Before);
      result.Message = InfeasibleMessage(bend, request, search.Closest());
    }
  } catch (...) {
    search.Evaluator().Restore();
    throw;
  }
  search.Evaluator().Restore();
  result.Evaluations = search.Evaluator().Evaluations();
  result.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return result;
}

}  // namespace umbrinex
