#pragma once
// The model object framework. A model is a tree of data objects rooted in a
// TModel. What happens after an item changes is decided here: results are
// discarded, the model hears that its data changed, and the design is marked
// modified; each object narrows this per item in PrepareAccess.
//
// Who owns what: the model owns its units, its name manager and every object
// below it; lists own their items when OwnsItems is set. Objects never own
// their owner, and the notification target (the main window) is borrowed:
// whoever destroys a model first clears its target.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/data/DataAccess.h"
#include "framework/data/NamedObjects.h"
#include "framework/data/ObjectList.h"
#include "framework/data/TaggedFileInterface.h"

namespace umbrinex {

class TModel;
class TModelObject;
class TUnits;

// VarNums every engine data object and list answers.
inline constexpr int vnName = 1001;
inline constexpr int vnDescription = 1004;
inline constexpr int vnCurrentItem = 9961;
inline constexpr int vnItemCount = 9962;

// Type codes of the classes, and the type name shown in messages.
inline constexpr int tcObject = 0;
inline constexpr int tcModel = 33;
inline constexpr int tcBend = 39;
std::string TypeName(int typeCode);

enum class TModelNotification {
  ModelReset,
  ObjectListChanged,
  ObjectNameChanged,
  DataChanged,
  ObjectAdded,
  ObjectRemoved,
  ModelStateChanged,
  LoadCasesChanged,
  AddPerformancePoints,
};

// The value of a model reset that put earlier values of the same design
// back (Cancel, Undo, Redo): the design is still the one of its file.
inline constexpr int ResetRestoresValues = 1;

// The one receiver of a model's notifications, normally the main window.
// Notifications are delivered synchronously, before the sender goes on.
class IModelNotificationTarget {
 public:
  virtual void ModelNotification(TModelNotification id, int value, TNamedObject* object) = 0;

 protected:
  ~IModelNotificationTarget() = default;
};

class EModelObjectListError : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

// A data object that belongs to a model and whose changes have consequences.
class TEngineDataObject : public TDataObject {
 public:
  explicit TEngineDataObject(TNamedObject* owner);
  ~TEngineDataObject() override;

  TModel* Model() const { return FModel; }
  TModelObject* OwningModelObject() const { return FOwningModelObject; }
  virtual int TypeCode() const { return tcObject; }
  // The text of item 1004.
  virtual std::string DescriptiveText() const { return {}; }
  // Copies the values of another object of the same class: every registered
  // field; classes with more to copy extend it.
  virtual void Assign(const TEngineDataObject& source);

  // The data-changed step: the model hears of it and OnChange is raised.
  void NotifyDataChanged();
  void SendNotification(TModelNotification id, int value, TNamedObject* object) const;
  // Marks the model changed unless a batch of changes is open.
  virtual void CheckChanged();
  bool InBatchUpdate() const override;
  void BeginUpdate() override;
  void EndUpdate() override;
  void NameChanged() override;

  std::function<void(TEngineDataObject&)> OnChange;

 protected:
  void SaveAccessState() override;
  void RestoreAccessState() override;
  void PrepareAccess(int varNum) override;
  void AfterSet(int varNum, TAccessStatus& status) override;
  void GetItem(int varNum, int index, TAccessStatus& status, TVariant& value, TVarType representation) override;
  void SetItem(int varNum, int index, TAccessStatus& status, const TVariant& value, TVarType representation) override;

  // What a change of the item being accessed sets off; PrepareAccess of a
  // class narrows these per item.
  bool ResetsResults = true;
  bool SetsModified = true;
  bool Notifies = true;
  void SetChangeEffects(bool resetsResults, bool setsModified, bool notifies)
  {
    ResetsResults = resetsResults;
    SetsModified = setsModified;
    Notifies = notifies;
  }
  // Only a model sets itself as its own model.
  void SetModel(TModel* model) { FModel = model; }

 private:
  TModel* FModel = nullptr;
  TModelObject* FOwningModelObject = nullptr;
  struct TSavedEffects {
    bool ResetsResults, SetsModified, Notifies;
  };
  std::vector<TSavedEffects> FEffectsStack;
  friend class TModelObject;
};

// An object list: an ordered list of child objects with a current item,
// which is also the data object that answers the list's own items, the
// count (vnItemCount) and the current item (vnCurrentItem), and passes the
// other items on to one of its items. TObject is what the list is and
// holds; TList, the list class made from it, says where the two kinds of
// list differ, privately to this template (ObjectListAccess.h):
//   ItemsByIndex            every other item reaches the item at the index;
//                           otherwise only vnName does, and the rest reach
//                           the current item
//   AnyNumberCounts         a count in any representation is a number, not
//                           only in vtInt, vtCard, vtSpin and vtLong
//   AnnouncesCountChanges   a written count sends ObjectListChanged
//   RefusesToDelete(position, status)   whether a written count may not
//                           delete the item, with the reason in the status
//   ChooseCurrentItem(status, value, representation)   a write of the
//                           current item other than from a list control
// CopyOnInsert and DeleteItem, which each list declares virtual, are its
// subclasses' to change.
template <class TObject, class TList>
class TObjectListOf : public TObject {
 public:
  using TItemFactory = typename TObjectListCore<TObject>::TItemFactory;
  TObjectListOf(TNamedObject* owner, TItemFactory itemClass, bool ownsItems = true)
      : TObject(owner), FList(ownsItems, std::move(itemClass))
  {
  }
  ~TObjectListOf() override { FList.DestroyAll(); }

  int Count() const { return FList.Count(); }
  TObject* Item(int i) const { return FList.Item(i); }
  int IndexOf(const TObject* item) const { return FList.IndexOf(item); }
  TObject* CurrentItem() const { return FList.Current(); }
  void SetCurrentItem(TObject* item) { FList.SetCurrent(item); }
  TObject* FindByName(const std::string& name) const { return FList.FindByName(name); }
  void FillListControl(IListTarget& list, const TObject* selected) const { FList.FillListControl(list, selected); }

  // Makes an item at the position and makes it current: a copy of its
  // neighbour when CopyOnInsert says so and no file is being read.
  virtual void InsertItem(int position);
  // Deletes from the end and appends until there are n items (none for a
  // negative n). Raises EModelObjectListError when items that cannot be
  // deleted keep the count above n.
  void SetCount(int n);

 protected:
  void Redirect(TDataObject*& target, int& varNum, int& index) override;
  void PrepareAccess(int varNum) override;
  void GetItem(int varNum, int index, TAccessStatus& status, TVariant& value, TVarType representation) override;
  void SetItem(int varNum, int index, TAccessStatus& status, const TVariant& value, TVarType representation) override;

  TObjectListCore<TObject>& Core() { return FList; }
  const TObjectListCore<TObject>& Core() const { return FList; }

 private:
  TList& Self() { return static_cast<TList&>(*this); }
  void WriteCount(int index, TAccessStatus& status, const TVariant& value, TVarType representation);
  std::string ItemTypeName() const;

  TObjectListCore<TObject> FList;
};

// A data object that owns an ordered list of child data objects with a
// current item, such as the points of a profile. Items are reached through
// the list's VarNums with the item's position as the index.
class TEngineDataObjectList : public TObjectListOf<TEngineDataObject, TEngineDataObjectList> {
 public:
  using TObjectListOf::TObjectListOf;

  virtual bool CopyOnInsert() const { return true; }
  virtual void DeleteItem(int position);

 private:
  // Where this list differs (see TObjectListOf): a count is read from any
  // representation, no item is refused and no change is announced.
  friend class TObjectListOf<TEngineDataObject, TEngineDataObjectList>;
  static constexpr bool ItemsByIndex = true;
  static constexpr bool AnyNumberCounts = true;
  static constexpr bool AnnouncesCountChanges = false;
  bool RefusesToDelete(int /*position*/, TAccessStatus& /*status*/) const { return false; }
  // The item of a name as text, else of a position as any number; a
  // position outside the list leaves no item current.
  void ChooseCurrentItem(TAccessStatus& status, const TVariant& value, TVarType representation);
};

extern template class TObjectListOf<TEngineDataObject, TEngineDataObjectList>;

// A named, listed object of the model, such as a stiffener material.
class TModelObject : public TEngineDataObject {
 public:
  explicit TModelObject(TNamedObject* owner);
  ~TModelObject() override;

  class TModelObjectList* ListOwner() const;
  TModelObject* Previous() const;
  TModelObject* Next() const;
  bool Calculated() const { return FCalculated; }

  virtual bool CanDelete() const { return true; }
  virtual int FileTypeCode() const { return 0; }
  // Discards what was derived from this object's data.
  virtual void ResetResults();
  virtual void MarkChanged();
  virtual void SetCalculated();

  void AfterConstruction() override;

  // ---- data files ----
  // The object header (tag 0), then the object's own tags.
  virtual void WriteData(ITaggedFile& file);
  // One tag of the object's own, just entered by the reader.
  virtual void ReadTag(ITaggedFile& /*file*/, int /*tag*/, int /*sub*/) {}
  // Names of referenced objects are stored as texts before writing, and
  // turned back into objects after a whole file has been read.
  virtual void BeforeWrite() {}
  virtual void ResolveNames() {}
  // Fix-ups after a read; olderFormat for files of the previous version.
  virtual void AfterRead(bool /*olderFormat*/) {}

  // The copy a data form keeps for Cancel: the object as its own tags, the
  // type code of the object that wrote them, and the model's state then.
  struct TCopyBuffer {
    std::vector<std::uint8_t> Bytes;
    int TypeCode = 0;
    std::uint8_t ModelState = 0;
  };
  TCopyBuffer& CopyBuffer() { return FCopyBuffer; }

 protected:
  virtual void WriteTags(ITaggedFile& /*file*/) {}

 private:
  void AddDependant(TEngineDataObject* dependant) { FDependants.push_back(dependant); }
  void RemoveDependant(TEngineDataObject* dependant);
  friend class TEngineDataObject;

  bool FCalculated = false;
  std::vector<TEngineDataObject*> FDependants;
  TCopyBuffer FCopyBuffer;
};

// A named list of model objects with a current item, such as the materials.
// Item 1001 reaches the item at the index; other items reach the current one.
class TModelObjectList : public TObjectListOf<TModelObject, TModelObjectList> {
 public:
  using TObjectListOf::TObjectListOf;

  // The item a list control's selection names, when it is one of this list's.
  TModelObject* SelectedItem(const TVariant& value) const { return Core().SelectedItem(value); }

  bool CanDelete() const override { return false; }
  virtual bool CopyOnInsert() const { return false; }
  // Deletes the item unless it cannot be deleted; true when it went.
  virtual bool DeleteItem(int position);
  // Called by an item that is being destroyed.
  void Forget(const TModelObject* item) { Core().Forget(item); }

  void WriteData(ITaggedFile& file) override;
  void BeforeWrite() override;
  void ResolveNames() override;
  void AfterRead(bool olderFormat) override;

  // Frees every item, from the last to the first.
  void DestroyItems() { Core().DestroyAll(); }

 private:
  // Where this list differs (see TObjectListOf): a count only as a number,
  // items in use are not deleted, and a written count is announced.
  friend class TObjectListOf<TModelObject, TModelObjectList>;
  static constexpr bool ItemsByIndex = false;
  static constexpr bool AnyNumberCounts = false;
  static constexpr bool AnnouncesCountChanges = true;
  bool RefusesToDelete(int position, TAccessStatus& status) const;
  // The item at a position as vtCard or vtLong, which must be in the list.
  void ChooseCurrentItem(TAccessStatus& status, const TVariant& value, TVarType representation);
};

extern template class TObjectListOf<TModelObject, TModelObjectList>;

// The root of a model: its units, its names, the model-wide state and the
// notifications to the one receiver.
class TModel : public TModelObject {
 public:
  // Names the model reserves for the objects of the shared framework.
  static const std::vector<std::string>& ReservedNames();

  explicit TModel(TNamedObject* owner = nullptr);
  ~TModel() override;

  TUnits& Units() const { return *FUnits; }
  TNameManager& NameManager() const { return *FNameManager; }
  TNameManager* GetNameManager() const override { return FNameManager.get(); }
  TUnits* GetUnits() const override { return FUnits.get(); }
  int TypeCode() const override { return tcModel; }

  // Nested file reads in progress: new list items are then not copied from
  // their neighbours and new model objects do not mark the model changed.
  bool Loading() const { return FLoadingDepth > 0; }
  int LoadingDepth() const { return FLoadingDepth; }
  void BeginLoading() { ++FLoadingDepth; }
  void EndLoading()
  {
    if (FLoadingDepth > 0) --FLoadingDepth;
  }
  // 0 after results have been reset, 1 once data has changed since.
  std::uint8_t State() const { return FState; }
  void SetState(std::uint8_t state);
  bool Modified() const { return FModified; }
  void SetModified(bool modified) { FModified = modified; }
  int BatchDepth() const { return FBatchDepth; }
  void ChangeBatchDepth(int delta) { FBatchDepth = std::max(0, FBatchDepth + delta); }
  bool Destroying() const { return FDestroying; }

  void SetNotificationTarget(IModelNotificationTarget* target) { FNotificationTarget = target; }
  IModelNotificationTarget* NotificationTarget() const { return FNotificationTarget; }
  void Deliver(TModelNotification id, int value, TNamedObject* object);

  void ResetResults() override;
  void MarkChanged() override;
  void SetCalculated() override;

  // The file the design was last read from or saved to.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& fileName) { FFileName = fileName; }
  // A new design: no file, results reset, every default, not modified.
  virtual void ClearModel();
  // A list of the model is about to lose its items and get them back from a
  // copy: objects that refer to its items note them by position first, and
  // take the items at those positions afterwards.
  virtual void ListItemsRestoring(const TModelObjectList& /*list*/) {}
  virtual void ListItemsRestored(const TModelObjectList& /*list*/) {}

 protected:
  void RegisterDataItems(TDataItemRegister& reg) override;
  // Subclasses call this first in their destructors, so that objects going
  // down with the model do not notify or react.
  void BeginDestruction();

 private:
  // Declared first so that they outlive every object the model owns.
  std::unique_ptr<TUnits> FUnits;
  std::unique_ptr<TNameManager> FNameManager;
  int FLoadingDepth = 0;
  std::uint8_t FState = 0;
  bool FModified = false;
  int FBatchDepth = 0;
  bool FDestroying = false;
  IModelNotificationTarget* FNotificationTarget = nullptr;
  std::string FFileName;
};

}  // namespace umbrinex
