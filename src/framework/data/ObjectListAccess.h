#pragma once
// The item protocol both object lists answer over their TObjectListCore: the
// item count and the current item as data items. What the two lists do
// differently (what deleting an item may refuse, what a new count may
// raise, whether a change is announced) stays with each list.

#include <algorithm>
#include <cstdint>

#include "framework/data/DataAccess.h"
#include "framework/data/ObjectList.h"

namespace umbrinex {

// Reads the count or the current item: the current item is its position as
// a number (vtCard, vtLong), its name as text, or the items in a list
// control. False for any other item.
template <class TItem>
bool ReadListItem(const TObjectListCore<TItem>& list, int varNum, int countItem, int currentItem,
                  TAccessStatus& status, TVariant& value, TVarType representation)
{
  if (varNum == countItem) {
    value = list.Count();
    return true;
  }
  if (varNum != currentItem) return false;
  switch (representation) {
    case vtCard:
    case vtLong:
      value = list.CurrentIndex();
      break;
    case vtText:
      value = list.Current() ? list.Current()->Name() : std::string();
      break;
    case vtList:
      if (IListTarget* target = value.ToList()) list.FillListControl(*target, list.Current());
      break;
    default:
      status.Set(acInvalidType);
      break;
  }
  return true;
}

// The current item chosen in a list control.
template <class TItem>
void SelectListItem(TObjectListCore<TItem>& list, TAccessStatus& status, const TVariant& value)
{
  TItem* item = list.SelectedItem(value);
  if (item == nullptr) return status.Set(acInvalidValue);
  list.SetCurrent(item);
}

// A write of the count: vtDelete deletes and vtInsertBefore inserts the
// item at the index; a number sets the count, clamped to -1..INT32_MAX.
// The numbers are vtInt, vtCard, vtSpin and vtLong (what a counter's spin
// arrows write); anyNumber takes every other representation as a number
// too. The edit supplies Insert(index), Delete(index, status) and
// SetCount(n, status); the last two return false when they refused, with
// the reason in the status. True when the count was edited.
template <class TItem, class TEdit>
bool WriteListCount(const TObjectListCore<TItem>& list, int index, TAccessStatus& status, const TVariant& value,
                    TVarType representation, bool anyNumber, TEdit&& edit)
{
  switch (representation) {
    case vtDelete:
      if (index < 0 || index >= list.Count()) return status.Set(acInvalidIndex), false;
      return edit.Delete(index, status);
    case vtInsertBefore:
      if (index < 0 || index > list.Count()) return status.Set(acInvalidIndex), false;
      edit.Insert(index);
      return true;
    case vtInt:
    case vtCard:
    case vtLong:
    case vtSpin:
      anyNumber = true;
      [[fallthrough]];
    default: {
      if (!anyNumber) return status.Set(acInvalidType), false;
      const auto n = value.ToInteger();
      if (!n) return status.Set(acInvalidValue), false;
      return edit.SetCount(static_cast<int>(std::clamp<std::int64_t>(*n, -1, INT32_MAX)), status);
    }
  }
}

}  // namespace umbrinex
