// The --items listing: every data item the design answers, with its rows.

#include "cli/ItemListing.h"

#include <cstdlib>
#include <ostream>

#include "bend/Bend.h"
#include "cli/Cli.h"
#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"
#include "framework/data/ValueText.h"

namespace umbrinex {

namespace {

bool TextLike(TVarType type)
{
  return type != vtInt && type != vtCard && type != vtLong && type != vtReal;
}

// The units items come first: they decide the unit of every other value.
std::vector<int> ListedVarNums(TBend& bend)
{
  std::vector<int> varNums;
  const int units = bend.Units().BaseVarNum();
  for (int varNum = units; varNum < units + TUnits::ItemCount; ++varNum) varNums.push_back(varNum);
  const TVarList& vars = TBend::Vars();
  for (int i = 0; i < vars.Count(); ++i) varNums.push_back(vars[i].VarNum);
  return varNums;
}

}  // namespace

std::string TListedItem::Item() const
{
  return Row > 0 ? std::to_string(VarNum) + ':' + std::to_string(Row) : std::to_string(VarNum);
}

std::string UnitPlaceholders(const TDimension& dimension)
{
  if (dimension.IsTemperature != 0) return "\u00B0T";
  if (dimension.IsAngle != 0) return "deg";
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

std::optional<TListedItem> ListedItem(TBend& bend, int varNum, int row, TAccessStatus& status)
{
  TItemInfo info;
  bend.DescribeItem(varNum, info);
  const TVarType type = info.Type != vtNull ? info.Type : vtText;
  const TVarType representation = TextLike(type) ? vtText : type;
  TListedItem item;
  bend.GetValue(varNum, row > 0 ? row - 1 : 0, status, item.Value, representation);
  if (status.Code != acOk && status.Code != acReadOnly) return std::nullopt;

  const TVariant::TKind kind = item.Value.Kind();
  const bool numeric = kind == TVariant::TKind::Integer || kind == TVariant::TKind::Real;
  item.Text =
      numeric ? ValueToText(item.Value, representation == vtText ? vtReal : representation) : item.Value.ToText();
  if (!numeric) item.Value = item.Text;
  item.VarNum = varNum;
  item.Row = row;
  item.Name = info.Name;
  item.Unit = bend.Units().ExpandChoiceNames(UnitPlaceholders(info.Dimension));
  item.ReadOnly = status.Code == acReadOnly;
  return item;
}

std::vector<TListedItem> ListedItems(TBend& bend)
{
  std::vector<TListedItem> items;
  TAccessStatus status;
  for (const int varNum : ListedVarNums(bend)) {
    TItemInfo info;
    bend.DescribeItem(varNum, info);
    const int rows = info.CountVarNum == 0 ? 0 : static_cast<int>(bend.GetInteger(info.CountVarNum));
    for (int row = info.CountVarNum == 0 ? 0 : 1; row <= rows; ++row)
      if (auto item = ListedItem(bend, varNum, row, status)) items.push_back(std::move(*item));
  }
  return items;
}

std::vector<TItemName> ListedItemNames(TBend& bend)
{
  std::vector<TItemName> names;
  for (const int varNum : ListedVarNums(bend)) {
    TItemInfo info;
    bend.DescribeItem(varNum, info);
    if (!info.Name.empty()) names.push_back({std::move(info.Name), varNum});
  }
  return names;
}

std::optional<int> ListedVarNum(TBend& bend, std::string_view name)
{
  for (const TItemName& item : ListedItemNames(bend))
    if (item.Name == name) return item.VarNum;
  return std::nullopt;
}

void ListItems(TBend& bend, std::ostream& out)
{
  out << "Item\tName\tValue\tUnit\n";
  for (const TListedItem& item : ListedItems(bend))
    // Texts come from the design file or the command line: no control
    // character of theirs reaches the terminal.
    out << item.Item() << '\t' << item.Name << '\t' << VisibleText(item.Text) << '\t' << item.Unit << '\n';
}

}  // namespace umbrinex
