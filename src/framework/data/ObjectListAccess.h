#pragma once
// The item protocol both object lists answer over their TObjectListCore: the
// item count and the current item as data items, and the members of
// TObjectListOf (Model.h) built on it. Only Model.cpp includes this: it
// instantiates TObjectListOf for the two lists, and what each does
// differently comes from the list (see TObjectListOf).

#include <algorithm>
#include <cstdint>
#include <string>

#include "framework/data/DataAccess.h"
#include "framework/data/Model.h"
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

// ---- TObjectListOf ----

template <class TObject, class TList>
void TObjectListOf<TObject, TList>::InsertItem(int position)
{
  FList.InsertNew(position, this, Self().CopyOnInsert() && !(this->Model() && this->Model()->Loading()));
}

template <class TObject, class TList>
void TObjectListOf<TObject, TList>::SetCount(int n)
{
  const int target = std::max(n, 0);
  if (!FList.OwnsItems()) {
    while (Count() > target) FList.Remove(Count() - 1).release();
    while (Count() < target) FList.AppendEmpty();
    return;
  }
  for (int i = Count() - 1; i >= 0 && Count() > target; --i) Self().DeleteItem(i);
  while (Count() < target) InsertItem(Count());
  if (Count() != target)
    throw EModelObjectListError(Format("Cannot delete any more %ss - they are all in use.", ItemTypeName().c_str()));
}

template <class TObject, class TList>
std::string TObjectListOf<TObject, TList>::ItemTypeName() const
{
  return TypeName(Count() > 0 && Item(0) != nullptr ? Item(0)->TypeCode() : tcObject);
}

template <class TObject, class TList>
void TObjectListOf<TObject, TList>::Redirect(TDataObject*& target, int& varNum, int& index)
{
  if (varNum == vnCurrentItem || varNum == vnItemCount) return;
  if (TList::ItemsByIndex || varNum == vnName) {
    target = Item(index);
    index = 0;
  } else {
    target = CurrentItem();
  }
}

template <class TObject, class TList>
void TObjectListOf<TObject, TList>::PrepareAccess(int varNum)
{
  TObject::PrepareAccess(varNum);
  if (varNum == vnCurrentItem) {
    // Choosing what is shown changes nothing in the model.
    this->SetChangeEffects(false, false, false);
    this->SetEditable(true);
  }
}

template <class TObject, class TList>
void TObjectListOf<TObject, TList>::GetItem(int varNum, int index, TAccessStatus& status, TVariant& value,
                                            TVarType representation)
{
  if (!ReadListItem(FList, varNum, vnItemCount, vnCurrentItem, status, value, representation))
    TObject::GetItem(varNum, index, status, value, representation);
}

template <class TObject, class TList>
void TObjectListOf<TObject, TList>::SetItem(int varNum, int index, TAccessStatus& status, const TVariant& value,
                                            TVarType representation)
{
  if (varNum == vnItemCount)
    WriteCount(index, status, value, representation);
  else if (varNum != vnCurrentItem)
    TObject::SetItem(varNum, index, status, value, representation);
  else if (representation == vtList)
    SelectListItem(FList, status, value);
  else
    Self().ChooseCurrentItem(status, value, representation);
}

template <class TObject, class TList>
void TObjectListOf<TObject, TList>::WriteCount(int index, TAccessStatus& status, const TVariant& value,
                                               TVarType representation)
{
  struct TEdit {
    TList& List;
    void Insert(int position) { List.InsertItem(position); }
    bool Delete(int position, TAccessStatus& status)
    {
      if (List.RefusesToDelete(position, status)) return false;
      List.DeleteItem(position);
      return true;
    }
    bool SetCount(int n, TAccessStatus& status)
    {
      try {
        List.SetCount(n);
      } catch (const EModelObjectListError& e) {
        return status.Set(acNotAllowed, e.what()), false;
      }
      return true;
    }
  };
  if (!WriteListCount(FList, index, status, value, representation, TList::AnyNumberCounts, TEdit{Self()})) return;
  if (TList::AnnouncesCountChanges) this->SendNotification(TModelNotification::ObjectListChanged, 0, this);
}

}  // namespace umbrinex
