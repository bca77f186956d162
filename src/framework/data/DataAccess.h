#pragma once
// Data objects: every value a user sees or changes is a numbered data item
// on a data object, read and written through GetValue and SetValue with a
// VarNum, an index (the row) and a requested representation. The same call
// tells the caller whether the item applies, whether it may be changed and
// why a change was refused; refusals are statuses, never exceptions.

#include <functional>
#include <memory>
#include <vector>

#include "framework/data/DataItemRegister.h"
#include "framework/data/DataTypes.h"
#include "framework/data/NamedObjects.h"
#include "framework/data/ValueStrings.h"
#include "framework/data/VarList.h"
#include "framework/data/Variant.h"

namespace umbrinex {

class TDataObject : public TNamedObject, public IDataItemAccess {
 public:
  explicit TDataObject(TNamedObject* owner);
  ~TDataObject() override;

  // The item protocol.
  void GetValue(int varNum, int index, TAccessStatus& status, TVariant& value, TVarType representation);
  void SetValue(int varNum, int index, TAccessStatus& status, const TVariant& value, TVarType representation);
  // IDataItemAccess: the same, for objects registered inside another.
  void GetValue(int varNum, int index, bool& found, TAccessStatus& status, TVariant& value,
                TVarType representation) override;
  void SetValue(int varNum, int index, bool& found, TAccessStatus& status, const TVariant& value,
                TVarType representation) override;
  IUnitsListener* UnitsListener() override { return this; }

  // What the item is: its descriptor's type, the dimension of its values and
  // the item counting its rows, followed along the same redirections as its
  // value. False when no object answers the item now.
  bool DescribeItem(int varNum, TItemInfo& info) override;

  // Convenience forms; they discard the status.
  std::int64_t GetInteger(int varNum, int index = 0);
  std::string GetText(int varNum, int index = 0);
  std::int64_t GetCardinal(int varNum, int index = 0);
  double GetReal(int varNum, int index = 0);
  void SetInteger(int varNum, int index, std::int64_t value);
  void SetCardinal(int varNum, int index, std::int64_t value);

  // The descriptor list of this object's class (by default its owner's).
  virtual const TVarList* GetVarList() const;
  virtual bool IsReadOnlyObject() const { return false; }
  virtual bool InBatchUpdate() const { return false; }
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}

  void UnitsChanged(const IScaleValue& scale) override;
  void AfterConstruction() override;

  bool Editable() const { return FEditable; }
  int CurrentVarNum() const { return FCurrentVarNum; }
  TDataItemRegister& Register() { return FRegister; }
  const TDataItemRegister& ConstRegister() const { return FRegister; }

  // Called after every change made through SetValue, so that the active
  // form re-reads its controls.
  static void SetRepaintHook(std::function<void()> hook);

 protected:
  virtual void SaveAccessState();
  virtual void RestoreAccessState();
  virtual void RegisterDataItems(TDataItemRegister& /*reg*/) {}
  // Hands an item to another object, possibly renumbered; target nullptr
  // means that no object answers it now.
  virtual void Redirect(TDataObject*& /*target*/, int& /*varNum*/, int& /*index*/) {}
  // What this object knows of an item it serves itself (outside its
  // register), asked before the item is redirected; false to go on.
  virtual bool DescribeOwnItem(int /*varNum*/, TItemInfo& /*info*/) { return false; }
  virtual void PrepareAccess(int varNum);
  virtual void BeforeGet(int /*varNum*/) {}
  virtual void AfterGet(int /*varNum*/, TVariant& /*value*/, TAccessStatus& /*status*/) {}
  virtual void BeforeSet(int /*varNum*/, const TVariant& /*value*/) {}
  virtual void AfterSet(int /*varNum*/, TAccessStatus& /*status*/) {}
  virtual void GetItem(int varNum, int index, TAccessStatus& status, TVariant& value, TVarType representation);
  virtual void SetItem(int varNum, int index, TAccessStatus& status, const TVariant& value,
                       TVarType representation);

  void SetEditable(bool editable) { FEditable = editable; }

 private:
  // Restores the access state when an access ends, also by an exception.
  class TAccessScope;
  TDataObject* ResolveTarget(int& varNum, int& index);

  TDataItemRegister FRegister;
  bool FEditable = false;
  int FCurrentVarNum = -1;
  struct TSavedState {
    bool Editable;
    int CurrentVarNum;
  };
  std::vector<TSavedState> FStateStack;
};

}  // namespace umbrinex
