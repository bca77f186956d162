#include "framework/data/VarList.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "framework/data/Variant.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

TVar& TVarList::AddRanged(int varNum, TVarType type, double min, double max, unsigned allow, std::string name,
                          TAltStrings alternatives, int helpContext)
{
  TVar& v = AddUnranged(varNum, type, allow, std::move(name), std::move(alternatives), helpContext);
  v.HasRange = true;
  v.Min = min;
  v.Max = max;
  return v;
}

TVar& TVarList::AddUnranged(int varNum, TVarType type, unsigned allow, std::string name, TAltStrings alternatives,
                            int helpContext)
{
  TVar v;
  v.Name = std::move(name);
  v.Alternatives = std::move(alternatives);
  v.VarNum = varNum;
  v.HelpContext = helpContext;
  v.VarType = type;
  v.AllowDefault = (allow & afDefault) != 0;
  v.AllowInfinity = (allow & afInfinity) != 0;
  v.AllowUndefined = (allow & afUndefined) != 0;
  FVars.push_back(std::move(v));
  return FVars.back();
}

void TVarList::AddFrom(const TVarList& other) { FVars.insert(FVars.end(), other.FVars.begin(), other.FVars.end()); }

const TVar* TVarList::TryFind(int varNum) const
{
  for (const TVar& v : FVars)
    if (v.VarNum == varNum) return &v;
  return nullptr;
}

const TVar& TVarList::Find(int varNum) const
{
  if (const TVar* v = TryFind(varNum)) return *v;
  throw EVarListError(Format("VarNum %d not found.", varNum));
}

TVar& TVarList::Find(int varNum) { return const_cast<TVar&>(static_cast<const TVarList&>(*this).Find(varNum)); }

namespace {

TAccessStatus Valid() { return {}; }

TAccessStatus Invalid(std::uint8_t code, std::string message)
{
  TAccessStatus s;
  s.Set(code, std::move(message));
  return s;
}

// Integer limits of a representation.
void RepresentationLimits(TVarType representation, double& low, double& high)
{
  switch (representation) {
    case vtInt:
      low = -32768;
      high = 32767;
      break;
    case vtCard:
      low = 0;
      high = 65535;
      break;
    default:
      low = INT32_MIN;
      high = INT32_MAX;
      break;
  }
}

std::string IntegerText(std::int64_t v, TVarType representation)
{
  if (representation == vtHex) return Format("%08X", static_cast<unsigned>(static_cast<std::uint32_t>(v)));
  return std::to_string(v);
}

TAccessStatus ValidateInteger(const TVar& d, const TVariant& value, TVarType representation)
{
  const auto v = value.ToInteger();
  if (!v) return Invalid(acInvalidValue, {});
  if (d.AllowDefault && *v == CardinalDefault) return Valid();
  if (!d.HasRange) return Valid();
  double low = 0, high = 0;
  RepresentationLimits(representation, low, high);
  // Round the limits first, then clip them to what the representation holds.
  const auto min = static_cast<std::int64_t>(std::clamp(std::nearbyint(d.Min), low, high));
  const auto max = static_cast<std::int64_t>(std::clamp(std::nearbyint(d.Max), low, high));
  if (*v < min || *v > max)
    return Invalid(acInvalidValue, "Must be in the range " + IntegerText(min, representation) + " to " +
                                       IntegerText(max, representation));
  return Valid();
}

std::string LimitText(double v) { return Trim(RealToText(v)); }

TAccessStatus ValidateReal(const TVar& d, const TVariant& value)
{
  const auto read = value.ToReal();
  if (!read) return Valid();  // unreadable text is refused when it is stored
  const double v = *read;
  if (IsDefault(v)) return d.AllowDefault ? Valid() : Invalid(acNotAllowed, "Default Value not allowed");
  if (v == Infinity) return d.AllowInfinity ? Valid() : Invalid(acNotAllowed, "Infinity not allowed");
  if (v == Undefined) return d.AllowUndefined ? Valid() : Invalid(acNotAllowed, "Undefined not allowed");
  // No entry gives these; a damaged file or a calculation can. Beyond the
  // special values a number is one the program cannot hold, whatever the
  // range says.
  if (std::isnan(v)) return Invalid(acInvalidValue, "Not a number");
  if (v != NotApplicable && std::fabs(v) > Infinity) return Invalid(acInvalidValue, "Number out of range");
  if (!d.HasRange || (v >= d.Min && v <= d.Max)) return Valid();
  std::string message;
  if (d.Max == Infinity) {
    if (d.Min == Tiny) message = "Must be positive";
    else if (d.Min == 0.0) message = "Cannot be negative.";
    else message = "Must be at least " + LimitText(d.Min);
  } else if (d.Min == MinusInfinity) {
    message = "Cannot be greater than " + LimitText(d.Max);
  } else if (d.Min == Tiny) {
    message = "Must be positive and not greater than " + LimitText(d.Max);
  } else {
    message = "Must be in the range " + LimitText(d.Min) + " to " + LimitText(d.Max);
  }
  return Invalid(acInvalidValue, std::move(message));
}

TAccessStatus ValidateText(const TVariant& value)
{
  if (value.IsText() && CharLength(value.ToText()) > MaxTextLength)
    return Invalid(acInvalidValue, Format("Texts cannot be longer than %zu characters", MaxTextLength));
  return Valid();
}

TAccessStatus ValidateEnum(const TVar& d, const TVariant& value, TVarType representation)
{
  // A name typed for an enumeration is matched by the value strings instead.
  if (representation != vtEnum || value.IsText()) return Valid();
  const auto v = value.ToInteger();
  if (!v || *v < 0 || (d.HasRange && static_cast<double>(*v) > d.Max)) return Invalid(acInvalidValue, {});
  return Valid();
}

}  // namespace

TAccessStatus Validate(const TVar& descriptor, const TVariant& value, TVarType representation)
{
  switch (descriptor.VarType) {
    case vtInt:
    case vtCard:
    case vtLong:
    case vtHex:
      return ValidateInteger(descriptor, value, representation);
    case vtReal:
    case vtVariable:
      return ValidateReal(descriptor, value);
    case vtEnum:
      return ValidateEnum(descriptor, value, representation);
    case vtText:
    case vtName:
      return ValidateText(value);
    default:
      return Valid();
  }
}

}  // namespace umbrinex
