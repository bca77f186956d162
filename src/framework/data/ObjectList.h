#pragma once
// The ordered list of child objects with a current item that both kinds of
// object list share: owned or borrowed items, the rule for the new current
// item after a deletion, and lookup by name.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/data/TextUtils.h"
#include "framework/data/Variant.h"

namespace umbrinex {

class TNamedObject;

template <class TItem>
class TObjectListCore {
 public:
  // Makes an item with the list as its owner (the "item class").
  using TItemFactory = std::function<std::unique_ptr<TItem>(TNamedObject* owner)>;

  TObjectListCore(bool ownsItems, TItemFactory factory) : FOwnsItems(ownsItems), FFactory(std::move(factory)) {}
  TObjectListCore(const TObjectListCore&) = delete;
  TObjectListCore& operator=(const TObjectListCore&) = delete;
  ~TObjectListCore() { DestroyAll(); }

  int Count() const { return static_cast<int>(FItems.size()); }
  TItem* Item(int i) const { return (i >= 0 && i < Count()) ? FItems[static_cast<std::size_t>(i)] : nullptr; }
  int IndexOf(const TItem* item) const
  {
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
  }
  bool OwnsItems() const { return FOwnsItems; }
  TItem* Current() const { return FCurrent; }
  int CurrentIndex() const { return FCurrent ? IndexOf(FCurrent) : -1; }
  void SetCurrent(TItem* item) { FCurrent = item; }
  std::unique_ptr<TItem> Make(TNamedObject* owner) const { return FFactory(owner); }

  // Inserts at position (0..Count) and makes the item current.
  void Insert(int position, std::unique_ptr<TItem> item)
  {
    TItem* raw = item.release();
    FItems.insert(FItems.begin() + std::clamp(position, 0, Count()), raw);
    FCurrent = raw;
  }
  // Makes an item at position (clamped to 0..Count) and makes it current;
  // copyNeighbour gives it the contents of the item it goes before, or of
  // the last item when it goes at the end.
  void InsertNew(int position, TNamedObject* owner, bool copyNeighbour)
  {
    position = std::clamp(position, 0, Count());
    std::unique_ptr<TItem> item = Make(owner);
    if (copyNeighbour && Count() > 0) item->Assign(*Item(std::min(position, Count() - 1)));
    Insert(position, std::move(item));
  }
  // A borrowed list grows with empty places.
  void AppendEmpty() { FItems.push_back(nullptr); }

  // Unlinks the item at position; the current item moves to the next item,
  // or the previous when it was the last, or none when it was the only one.
  // Returns the item when the list owns it, for the caller to free.
  std::unique_ptr<TItem> Remove(int position)
  {
    TItem* item = FItems[static_cast<std::size_t>(position)];
    if (item != nullptr && item == FCurrent) {
      if (position + 1 < Count()) FCurrent = FItems[static_cast<std::size_t>(position + 1)];
      else if (position > 0) FCurrent = FItems[static_cast<std::size_t>(position - 1)];
      else FCurrent = nullptr;
    }
    FItems.erase(FItems.begin() + position);
    return std::unique_ptr<TItem>(FOwnsItems ? item : nullptr);
  }

  // Forgets an item that is being destroyed by someone else.
  void Forget(const TItem* item)
  {
    if (const int i = IndexOf(item); i >= 0) Remove(i).release();
  }

  // The first item whose name equals the trimmed name exactly.
  TItem* FindByName(const std::string& name) const
  {
    const std::string trimmed = Trim(name);
    for (TItem* item : FItems)
      if (item != nullptr && item->Name() == trimmed) return item;
    return nullptr;
  }

  // Fills a list control with every item's name, selecting one of them.
  void FillListControl(IListTarget& list, const TItem* selected) const
  {
    list.Clear();
    for (int i = 0; i < Count(); ++i) {
      list.Add(Item(i) ? Item(i)->Name() : std::string(), reinterpret_cast<TListData>(Item(i)));
      if (selected != nullptr && Item(i) == selected) list.SetSelectedIndex(i);
    }
  }

  // The item a list control's selection names, when it is one of this list's.
  TItem* SelectedItem(const TVariant& value) const
  {
    const IListTarget* list = value.ToList();
    if (list == nullptr || list->SelectedIndex() < 0) return nullptr;
    const auto data = list->DataAt(list->SelectedIndex());
    for (TItem* item : FItems)
      if (item != nullptr && reinterpret_cast<TListData>(item) == data) return item;
    return nullptr;
  }

  // Frees owned items from the last to the first.
  void DestroyAll()
  {
    FCurrent = nullptr;
    while (!FItems.empty()) {
      TItem* item = FItems.back();
      FItems.pop_back();
      if (FOwnsItems) delete item;
    }
  }

 private:
  std::vector<TItem*> FItems;
  TItem* FCurrent = nullptr;
  bool FOwnsItems;
  TItemFactory FFactory;
};

}  // namespace umbrinex
