#pragma once
// Named objects: every data object of a model has an owner, may have a name,
// and finds the model's name register and units through its owner chain.

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/data/Dimension.h"
#include "numerics/Errors.h"

namespace umbrinex {

class TUnits;
class TNameManager;
class TNotifier;

class EUniqueNameError : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

// Messages on the object bus.
enum class TObjectMessage { Changed, Destroyed };
// Kinds of a Changed message.
enum TObjectChangeKind { ckNameChanged = 2, ckUnitsChanged = 3 };

class TNamedObject : public IUnitsListener {
 public:
  explicit TNamedObject(TNamedObject* owner);
  TNamedObject(const TNamedObject&) = delete;
  TNamedObject& operator=(const TNamedObject&) = delete;
  virtual ~TNamedObject();

  TNamedObject* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }

  // Handler of this object's notifier on the object bus.
  virtual void ReceiveNotification(TObjectMessage /*id*/, TNamedObject* /*sender*/, int /*value*/) {}
  virtual TNameManager* GetNameManager() const;
  // Called after the name manager has given the object a name.
  virtual void NameChanged() {}
  virtual TUnits* GetUnits() const;
  // Default values, written in the SI reference units.
  virtual void SetDefaults() {}
  // Converts the SI defaults into the model's current units.
  virtual void ConvertDefaults();
  virtual std::string ExpandUnitNames(const std::string& text) const;
  void UnitsChanged(const IScaleValue& /*scale*/) override {}

  // Gives the object a name through the name manager: a registered object is
  // renamed (errors leave the old name), a new one gets a unique name.
  void SetName(const std::string& newName);
  // Takes a name read from a file: registered unique, with the change noted.
  void AdoptStoredName(const std::string& storedName);

  // The nearest owner (starting with Owner) of class T, or nullptr.
  template <class T>
  T* FindOwner() const
  {
    for (TNamedObject* o = FOwner; o != nullptr; o = o->FOwner)
      if (auto* t = dynamic_cast<T*>(o)) return t;
    return nullptr;
  }

  // This object's entry on the object bus, made the first time it is needed.
  TNotifier& Notifier();
  void Broadcast(int kind);

  // The steps after the language-level construction: objects are made by
  // New<T>(), which runs them once the most derived constructor has finished.
  virtual void AfterConstruction();

 private:
  friend class TNameManager;
  TNamedObject* FOwner;
  std::string FName;
  TUnits* FListenedUnits = nullptr;
  std::unique_ptr<TNotifier> FNotifier;

 protected:
  // The model stops listening to its own units before it destroys them.
  void StopListeningToUnits();
};

// Makes a named object and runs its construction steps.
template <class T, class... Args>
std::unique_ptr<T> New(Args&&... args)
{
  auto object = std::make_unique<T>(std::forward<Args>(args)...);
  object->AfterConstruction();
  return object;
}

// Names changed while a file was read, so that references can be mended.
class TNameChanges {
 public:
  void Add(const std::string& oldName, const std::string& newName) { FChanges[oldName] = newName; }
  std::string Translate(const std::string& name) const;
  void Clear() { FChanges.clear(); }
  bool Empty() const { return FChanges.empty(); }

 private:
  std::map<std::string, std::string> FChanges;
};

// Keeps the names of a model unique.
class TNameManager {
 public:
  TNameManager(bool allowLongNames, std::vector<std::string> reserved);

  // After trimming: 1 blank, 2 reserved, 3 in use, 0 acceptable.
  int Check(const std::string& name) const;
  void AddName(const std::string& name, TNamedObject* object);
  void RemoveName(const std::string& name);
  void Rename(const std::string& oldName, const std::string& newName);
  std::string MakeUniqueName(const std::string& base, bool limitTo10) const;
  TNamedObject* FindObject(const std::string& name) const;

  bool HasLongNames() const { return FLongNames > 0; }
  bool AllowLongNames() const { return FAllowLongNames; }
  TNameChanges& Changes() { return FChanges; }

 private:
  static bool IsLong(const std::string& name);

  std::map<std::string, TNamedObject*> FNames;
  std::vector<std::string> FReserved;
  bool FAllowLongNames;
  // Kept as names come and go: a walk over every name on each change made
  // reading a file of many materials quadratic.
  std::size_t FLongNames = 0;
  TNameChanges FChanges;
};

}  // namespace umbrinex
