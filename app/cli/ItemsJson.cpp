// The item listing as JSON, for tools that edit designs through --set.

#include "bend/Bend.h"
#include "cli/Cli.h"
#include "cli/ItemListing.h"

namespace umbrinex {

nlohmann::ordered_json ItemValueJson(const TListedItem& item)
{
  switch (item.Value.Kind()) {
    case TVariant::TKind::Integer:
      return *item.Value.ToInteger();
    case TVariant::TKind::Real:
      return JsonNumber(*item.Value.ToReal());
    default:
      return item.Text;
  }
}

nlohmann::ordered_json ItemsJson(TBend& bend)
{
  nlohmann::ordered_json items = nlohmann::ordered_json::array();
  for (const TListedItem& item : ListedItems(bend)) {
    items.push_back({{"item", item.Item()},
                     {"varnum", item.VarNum},
                     {"row", item.Row > 0 ? nlohmann::ordered_json(item.Row) : nlohmann::ordered_json()},
                     {"name", item.Name},
                     {"value", ItemValueJson(item)},
                     {"unit", item.Unit},
                     {"read_only", item.ReadOnly}});
  }
  return {{"items", std::move(items)}};
}

}  // namespace umbrinex
