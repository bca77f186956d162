#pragma once
// The data items of a design as the item listing shows them: every item the
// design answers now, row by row, with its name, value and unit. The text
// listing, its JSON form and the scripting module all read this one list.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "framework/data/DataTypes.h"
#include "framework/data/Variant.h"

namespace umbrinex {

class TBend;

struct TListedItem {
  int VarNum = 0;
  int Row = 0;  // from 1; 0 for an item without rows
  std::string Name;
  // An integer or real for numeric items, otherwise the text a user types.
  TVariant Value;
  std::string Text;
  std::string Unit;  // the current unit names, empty when dimensionless
  bool ReadOnly = false;

  // "VarNum" or "VarNum:ROW", as --set takes it.
  std::string Item() const;
};

// One item, or nothing when no object answers it or the row does not exist;
// then status says why.
std::optional<TListedItem> ListedItem(TBend& bend, int varNum, int row, TAccessStatus& status);
// Every item of the design with all its rows: the units first, then the
// design's items in VarNum order.
std::vector<TListedItem> ListedItems(TBend& bend);

// Every name the listing can give ("ActiveLength", "LoadCase.Tension"), with
// its item, in the listing's order, whether or not the design answers the
// item now.
struct TItemName {
  std::string Name;
  int VarNum = 0;
};
std::vector<TItemName> ListedItemNames(TBend& bend);
// The VarNum of the item of that name (case counts), or nothing.
std::optional<int> ListedVarNum(TBend& bend, std::string_view name);

// An item's value for JSON: numbers as numbers, the special values and
// everything else as their texts.
nlohmann::ordered_json ItemValueJson(const TListedItem& item);
// {"items": [{"item", "varnum", "row", "name", "value", "unit", "read_only"}...]}
nlohmann::ordered_json ItemsJson(TBend& bend);

}  // namespace umbrinex
