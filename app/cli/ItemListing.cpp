// The --items listing: every data item the design answers, with its rows.

#include <cstdlib>
#include <ostream>
#include <vector>

#include "bend/Bend.h"
#include "cli/Cli.h"
#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"
#include "framework/data/ValueText.h"

namespace umbrinex {

namespace {

// The units items, answered by the model's units object.
constexpr int FirstUnitsItem = 2;
constexpr int LastUnitsItem = FirstUnitsItem + TUnits::ItemCount - 1;

bool TextLike(TVarType type)
{
  return type != vtInt && type != vtCard && type != vtLong && type != vtReal;
}

void ListItem(TBend& bend, int varNum, int row, const TItemInfo& info, std::ostream& out)
{
  const TVar* descriptor = TBend::Vars().TryFind(varNum);
  const TVarType type = info.Type != vtNull ? info.Type : vtText;
  const TVarType representation = TextLike(type) ? vtText : type;
  TAccessStatus status;
  TVariant value;
  bend.GetValue(varNum, row > 0 ? row - 1 : 0, status, value, representation);
  if (status.Code != acOk && status.Code != acReadOnly) return;

  const bool numeric = value.Kind() == TVariant::TKind::Integer || value.Kind() == TVariant::TKind::Real;
  const std::string text =
      numeric ? ValueToText(value, representation == vtText ? vtReal : representation) : value.ToText();
  out << varNum;
  if (row > 0) out << ':' << row;
  // Texts come from the design file or the command line: no control
  // character of theirs reaches the terminal.
  out << '\t' << (descriptor ? descriptor->Name : std::string()) << '\t' << VisibleText(text) << '\t'
      << bend.Units().ExpandUnitNames(UnitPlaceholders(info.Dimension)) << '\n';
}

}  // namespace

std::string UnitPlaceholders(const TDimension& dimension)
{
  if (dimension.IsTemperature != 0) return "\u00B0T";
  struct TFactor {
    const char* Name;
    int Power;
  };
  const TFactor factors[] = {
      {"FF", dimension.Force}, {"MM", dimension.Mass}, {"LL", dimension.Length}, {"TT", dimension.Time}};
  std::string numerator, denominator;
  for (const TFactor& factor : factors) {
    if (factor.Power == 0) continue;
    std::string& part = factor.Power > 0 ? numerator : denominator;
    const int power = std::abs(factor.Power);
    if (!part.empty()) part += '.';
    part += factor.Name;
    if (power > 1) part.append(1, '^').append(std::to_string(power));
  }
  if (denominator.empty()) return numerator;
  return (numerator.empty() ? "1" : numerator) + "/" + denominator;
}

void ListItems(TBend& bend, std::ostream& out)
{
  std::vector<int> varNums;
  for (int varNum = FirstUnitsItem; varNum <= LastUnitsItem; ++varNum) varNums.push_back(varNum);
  const TVarList& vars = TBend::Vars();
  for (int i = 0; i < vars.Count(); ++i) varNums.push_back(vars[i].VarNum);
  for (const int varNum : varNums) {
    TItemInfo info;
    bend.DescribeItem(varNum, info);
    if (info.CountVarNum == 0) {
      ListItem(bend, varNum, 0, info, out);
      continue;
    }
    const auto rows = static_cast<int>(bend.GetInteger(info.CountVarNum));
    for (int row = 1; row <= rows; ++row) ListItem(bend, varNum, row, info, out);
  }
}

}  // namespace umbrinex
