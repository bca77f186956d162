// --size: the sizing of the stiffener from the command line (and from
// Python, which reads the same words): the request from the options, the
// before/after table, the JSON object, and the run with its --out file.

#include <cmath>
#include <ostream>
#include <sstream>

#include "bend/Bend.h"
#include "cli/Cli.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"

namespace umbrinex {

namespace {

using TJson = nlohmann::ordered_json;

std::vector<std::string> Split(const std::string& text, char separator)
{
  std::vector<std::string> parts;
  std::string part;
  for (std::istringstream in(text); std::getline(in, part, separator);)
    if (!Trim(part).empty()) parts.push_back(Trim(part));
  return parts;
}

std::string VariableNames()
{
  std::string names;
  for (const auto v : {TSizingVariable::Length, TSizingVariable::RootDiameter, TSizingVariable::TipDiameter,
                       TSizingVariable::ShapePower, TSizingVariable::LengthScale, TSizingVariable::DiameterScale})
    names += std::string(names.empty() ? "" : ", ") + SizingVariableName(v);
  return names;
}

TSizingVariable VariableNamed(const std::string& name)
{
  if (const std::optional<TSizingVariable> variable = SizingVariableNamed(name)) return *variable;
  throw EUsageError("'" + name + "' is not a sizing variable; the variables are " + VariableNames() + ".");
}

std::optional<double> BoundNumber(const std::string& text, const std::string& bound)
{
  if (Trim(text).empty()) return std::nullopt;
  std::size_t used = 0;
  double value = 0.0;
  try {
    value = std::stod(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || !std::isfinite(value)) throw EUsageError("'" + text + "' in " + bound + " is not a number.");
  return value;
}

TSizingBounds& VariableIn(TSizingRequest& request, TSizingVariable variable)
{
  for (TSizingBounds& bounds : request.Variables)
    if (bounds.Variable == variable) return bounds;
  return request.Variables.emplace_back(TSizingBounds{variable, {}, {}});
}

TJson PointJson(const TSizingRequest& request, const TSizingPoint& point)
{
  TJson variables = TJson::array();
  for (std::size_t i = 0; i < point.Values.size(); ++i)
    variables.push_back({{"name", SizingVariableName(request.Variables[i].Variable)}, {"value", JsonNumber(point.Values[i])}});
  return {{"variables", variables},
          {"volume", JsonNumber(point.Volume)},
          {"governing", {{"load_case", point.LoadCase}, {"state", point.State}, {"ratio", JsonNumber(point.Ratio)}}}};
}

std::string Fixed(double value, int decimals) { return std::isfinite(value) ? Format("%.*f", decimals, value) : "-"; }

std::string Governing(const TSizingPoint& point)
{
  if (!point.Solved) return "not solved";
  return Fixed(point.Ratio, 4) + " (Load Case " + std::to_string(point.LoadCase) + ", State " +
         std::to_string(point.State) + ")";
}

}  // namespace

TSizingRequest SizingRequestFrom(const TSizingWords& words)
{
  TSizingRequest request;
  for (const std::string& name : Split(words.Vary, ',')) {
    const TSizingVariable variable = VariableNamed(name);
    for (const TSizingBounds& bounds : request.Variables)
      if (bounds.Variable == variable) throw EUsageError("The variable '" + name + "' is named twice.");
    request.Variables.push_back({variable, {}, {}});
  }
  const bool varied = !request.Variables.empty();
  for (const std::string& bound : Split(words.Bounds, ',')) {
    const std::size_t equals = bound.find('='), colon = bound.find(':', equals == std::string::npos ? 0 : equals);
    if (equals == std::string::npos || colon == std::string::npos)
      throw EUsageError("'" + bound + "' is not a bound; a bound reads NAME=LOWER:UPPER, for example length=1:6.");
    const TSizingVariable variable = VariableNamed(Trim(bound.substr(0, equals)));
    if (varied && std::none_of(request.Variables.begin(), request.Variables.end(),
                               [&](const TSizingBounds& b) { return b.Variable == variable; }))
      throw EUsageError("The bound '" + bound + "' is of a variable that --vary does not name.");
    TSizingBounds& bounds = VariableIn(request, variable);
    bounds.Lower = BoundNumber(Trim(bound.substr(equals + 1, colon - equals - 1)), "'" + bound + "'");
    bounds.Upper = BoundNumber(Trim(bound.substr(colon + 1)), "'" + bound + "'");
  }
  request.Target = words.Target;
  request.MaxStrain = words.MaxStrain;
  if (SameText(words.Objective, "volume"))
    request.Objective = TSizingObjective::Volume;
  else if (SameText(words.Objective, "length"))
    request.Objective = TSizingObjective::Length;
  else
    throw EUsageError("The objective is 'volume' or 'length', not '" + words.Objective + "'.");
  request.Moulds = words.Moulds;
  return request;
}

nlohmann::ordered_json SizingJson(const TSizingRequest& request, const TSizingResult& result)
{
  TJson variables = TJson::array();
  for (std::size_t i = 0; i < result.Variables.size(); ++i)
    variables.push_back({{"name", SizingVariableName(result.Variables[i].Variable)},
                         {"before", JsonNumber(result.Before.Values[i])},
                         {"after", JsonNumber(result.After.Values[i])},
                         {"lower", JsonNumber(result.Variables[i].Lower)},
                         {"upper", JsonNumber(result.Variables[i].Upper)}});
  TJson json = {{"status", result.Sized ? "sized" : "infeasible"},
                {"objective", SizingObjectiveName(request.Objective)},
                {"target", JsonNumber(request.Target)},
                {"variables", variables},
                {"volume", {{"before", JsonNumber(result.Before.Volume)}, {"after", JsonNumber(result.After.Volume)}}},
                {"governing",
                 {{"load_case", result.After.LoadCase},
                  {"state", result.After.State},
                  {"ratio", JsonNumber(result.After.Ratio)}}}};
  if (request.MaxStrain)
    json["max_strain"] = {{"limit", JsonNumber(*request.MaxStrain)},
                          {"before", JsonNumber(result.Before.MaxStrain)},
                          {"after", JsonNumber(result.After.MaxStrain)}};
  if (result.Rounded) json["moulds"] = PointJson(request, *result.Rounded);
  if (!result.Message.empty()) json["message"] = result.Message;
  json["evaluations"] = result.Evaluations;
  json["seconds"] = JsonNumber(result.Seconds);
  return json;
}

std::string SizingText(TBend& bend, const TSizingRequest& request, const TSizingResult& result)
{
  std::ostringstream out;
  const std::string length = bend.ExpandUnitNames("LL");
  out << "Sizing the stiffener: least " << SizingObjectiveName(request.Objective) << ", MBR/ABR at least "
      << RealToText(request.Target);
  if (request.MaxStrain) out << ", strain at most " << RealToText(*request.MaxStrain);
  out << "\n\n";
  const auto row = [&](const std::string& name, const std::string& lower, const std::string& upper,
                       const std::string& before, const std::string& after) {
    out << Format("%-22s %10s %10s %14s %14s", name.c_str(), lower.c_str(), upper.c_str(), before.c_str(),
                  after.c_str());
    out << '\n';
  };
  row("", "lower", "upper", "before", result.Sized ? "after" : "best reached");
  for (std::size_t i = 0; i < result.Variables.size(); ++i) {
    const TSizingVariable variable = result.Variables[i].Variable;
    const bool inLength = variable == TSizingVariable::Length || variable == TSizingVariable::RootDiameter ||
                          variable == TSizingVariable::TipDiameter;
    row(std::string(SizingVariableName(variable)) + (inLength ? " (" + length + ")" : ""),
        Fixed(result.Variables[i].Lower, 4), Fixed(result.Variables[i].Upper, 4), Fixed(result.Before.Values[i], 4),
        Fixed(result.After.Values[i], 4));
  }
  row("volume (" + bend.ExpandUnitNames("LL^3") + ")", "", "", Fixed(result.Before.Volume, 6),
      Fixed(result.After.Volume, 6));
  if (request.MaxStrain) row("max strain", "", "", Fixed(result.Before.MaxStrain, 5), Fixed(result.After.MaxStrain, 5));
  out << "\nGoverning MBR/ABR before: " << Governing(result.Before) << '\n';
  out << "Governing MBR/ABR " << (result.Sized ? "after" : "at best") << ":  " << Governing(result.After) << '\n';
  if (result.Rounded) {
    out << "\nRounded up to the mould diameters:";
    for (std::size_t i = 0; i < result.Rounded->Values.size(); ++i)
      out << (i ? ", " : " ") << SizingVariableName(result.Variables[i].Variable) << " "
          << Fixed(result.Rounded->Values[i], 4);
    out << "\n  volume " << Fixed(result.Rounded->Volume, 6) << ", governing MBR/ABR " << Governing(*result.Rounded);
    if (!result.Rounded->Solved || result.Rounded->Ratio < request.Target) out << ": below the target";
    out << '\n';
  }
  out << "\nEvaluations: " << result.Evaluations << ", time: " << Fixed(result.Seconds, 3) << " s\n";
  return out.str();
}

}  // namespace umbrinex
