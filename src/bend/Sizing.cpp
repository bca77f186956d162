#include "bend/Sizing.h"

#include <algorithm>
#include <cmath>

#include "bend/Bend.h"
#include "bend/BendStiffener.h"
#include "bend/SizingEvaluator.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "numerics/Errors.h"

namespace umbrinex {

namespace {

constexpr TSizingVariable AllVariables[] = {TSizingVariable::Length,      TSizingVariable::RootDiameter,
                                            TSizingVariable::TipDiameter, TSizingVariable::ShapePower,
                                            TSizingVariable::LengthScale, TSizingVariable::DiameterScale};

bool IsScale(TSizingVariable v) { return v == TSizingVariable::LengthScale || v == TSizingVariable::DiameterScale; }
bool IsDiameter(TSizingVariable v) { return v == TSizingVariable::RootDiameter || v == TSizingVariable::TipDiameter; }

double CurrentValue(const TBend& bend, TSizingVariable variable)
{
  switch (variable) {
    case TSizingVariable::Length: return bend.ActiveLength();
    case TSizingVariable::RootDiameter: return bend.RootDiameter();
    case TSizingVariable::TipDiameter: return bend.TipDiameter();
    case TSizingVariable::ShapePower: return bend.ShapePower();
    default: return 1.0;
  }
}

std::string Named(TSizingVariable variable) { return std::string("'") + SizingVariableName(variable) + "'"; }

}  // namespace

const char* SizingVariableName(TSizingVariable variable)
{
  switch (variable) {
    case TSizingVariable::Length: return "length";
    case TSizingVariable::RootDiameter: return "root-diameter";
    case TSizingVariable::TipDiameter: return "tip-diameter";
    case TSizingVariable::ShapePower: return "shape-power";
    case TSizingVariable::LengthScale: return "length-scale";
    case TSizingVariable::DiameterScale: return "diameter-scale";
  }
  return "";
}

std::optional<TSizingVariable> SizingVariableNamed(const std::string& name)
{
  for (const TSizingVariable variable : AllVariables)
    if (SameText(name, SizingVariableName(variable))) return variable;
  return std::nullopt;
}

const char* SizingObjectiveName(TSizingObjective objective)
{
  return objective == TSizingObjective::Volume ? "volume" : "length";
}

TSizingRequest CompleteSizingRequest(const TBend& bend, const TSizingRequest& request)
{
  TSizingRequest complete = request;
  const bool profile = bend.StiffenerDefinition() == sdUserDefined;
  if (complete.Variables.empty()) {
    if (profile)
      complete.Variables = {{TSizingVariable::LengthScale, {}, {}}, {TSizingVariable::DiameterScale, {}, {}}};
    else
      complete.Variables = {{TSizingVariable::Length, {}, {}}, {TSizingVariable::RootDiameter, {}, {}}};
  }
  if (!(complete.Target > 0.0) || !std::isfinite(complete.Target))
    throw EUmbrinexError("The target MBR/ABR must be a number above 0.");
  if (complete.MaxStrain && (!(*complete.MaxStrain > 0.0) || !std::isfinite(*complete.MaxStrain)))
    throw EUmbrinexError("The strain limit must be a number above 0.");
  const double bore = bend.StiffenerID();
  for (std::size_t i = 0; i < complete.Variables.size(); ++i) {
    TSizingBounds& bounds = complete.Variables[i];
    const std::string name = Named(bounds.Variable);
    for (std::size_t j = 0; j < i; ++j)
      if (complete.Variables[j].Variable == bounds.Variable) throw EUmbrinexError("The variable " + name + " is named twice.");
    if (IsScale(bounds.Variable) != profile)
      throw EUmbrinexError("The variable " + name + (profile ? " belongs to the stiffness power law" : " scales a user-defined profile") +
                           "; this design's stiffener is " +
                           (profile ? "a user-defined profile." : "defined by the stiffness power law."));
    const double current = CurrentValue(bend, bounds.Variable);
    // By default from half to three times the value as it is, a diameter
    // never below the stiffener ID.
    const double lowest = IsDiameter(bounds.Variable) ? bore : 0.0;
    if (!bounds.Lower) bounds.Lower = std::max(lowest, current * 0.5);
    if (!bounds.Upper) bounds.Upper = std::max(*bounds.Lower, current * 3.0);
    if (!std::isfinite(*bounds.Lower) || !std::isfinite(*bounds.Upper) || *bounds.Lower <= 0.0)
      throw EUmbrinexError("The bounds of " + name + " must be numbers above 0.");
    if (*bounds.Lower > *bounds.Upper)
      throw EUmbrinexError("The bounds of " + name + " are the wrong way round: the lower, " + RealToText(*bounds.Lower) +
                           ", is above the upper, " + RealToText(*bounds.Upper) + ".");
    if (IsDiameter(bounds.Variable) && *bounds.Lower < bore)
      throw EUmbrinexError("The lower bound of " + name + ", " + RealToText(*bounds.Lower) +
                           ", is below the stiffener ID (item " + std::to_string(vnStiffenerID) + "), " +
                           RealToText(bore) + ".");
  }
  return complete;
}

double StiffenerVolume(TBend& bend)
{
  TBendStiffener solution(bend, 0);
  return solution.Volume();
}

void ApplySizing(TBend& bend, const TSizingRequest& request, const TSizingPoint& point)
{
  TSizingEvaluator evaluator(bend, request);
  const TSizingPoint applied = evaluator.Evaluate(point.Values);
  if (!applied.Error.empty()) {
    evaluator.Restore();
    throw EUmbrinexError(applied.Error);
  }
}

}  // namespace umbrinex
