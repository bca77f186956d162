#include "framework/data/NamedObjects.h"

#include <algorithm>

#include "framework/data/ObjectBus.h"
#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"

namespace umbrinex {

// ---- TNamedObject ----

TNamedObject::TNamedObject(TNamedObject* owner) : FOwner(owner) {}

TNamedObject::~TNamedObject()
{
  if (FListenedUnits != nullptr) FListenedUnits->RemoveListener(this);
  if (FOwner != nullptr) {
    if (TNameManager* names = FOwner->GetNameManager(); names != nullptr && names->FindObject(FName) == this)
      names->RemoveName(FName);
  }
}

void TNamedObject::AfterConstruction()
{
  if (TUnits* units = GetUnits()) {
    units->AddListener(this);
    FListenedUnits = units;
  }
  SetDefaults();
  ConvertDefaults();
}

void TNamedObject::StopListeningToUnits()
{
  if (FListenedUnits != nullptr) FListenedUnits->RemoveListener(this);
  FListenedUnits = nullptr;
}

TNameManager* TNamedObject::GetNameManager() const { return FOwner ? FOwner->GetNameManager() : nullptr; }

TUnits* TNamedObject::GetUnits() const { return FOwner ? FOwner->GetUnits() : nullptr; }

void TNamedObject::ConvertDefaults()
{
  if (TUnits* units = GetUnits()) UnitsChanged(units->FromSIScale());
}

std::string TNamedObject::ExpandUnitNames(const std::string& text) const
{
  if (TUnits* units = GetUnits()) return units->ExpandUnitNames(text);
  return text;
}

void TNamedObject::SetName(const std::string& newName)
{
  TNameManager* names = GetNameManager();
  if (names == nullptr) {
    // Objects outside a model keep whatever name they are given.
    FName = Trim(newName);
    NameChanged();
    return;
  }
  if (!FName.empty() && names->FindObject(FName) == this) {
    names->Rename(FName, newName);
  } else {
    names->AddName(names->MakeUniqueName(newName, false), this);
  }
}

void TNamedObject::AdoptStoredName(const std::string& storedName)
{
  TNameManager* names = GetNameManager();
  if (names == nullptr) {
    FName = Trim(storedName);
    return;
  }
  if (!FName.empty() && names->FindObject(FName) == this) names->RemoveName(FName);
  FName.clear();
  const std::string registered = names->MakeUniqueName(storedName, false);
  names->AddName(registered, this);
  if (registered != storedName) names->Changes().Add(storedName, registered);
}

TNotifier& TNamedObject::Notifier()
{
  if (!FNotifier) {
    FNotifier = std::make_unique<TNotifier>(
        this, [this](TObjectMessage id, TNamedObject* sender, int value) { ReceiveNotification(id, sender, value); });
  }
  return *FNotifier;
}

void TNamedObject::Broadcast(int kind) { Notifier().Broadcast(TObjectMessage::Changed, kind); }

// ---- TNameChanges ----

std::string TNameChanges::Translate(const std::string& name) const
{
  const auto it = FChanges.find(name);
  return it == FChanges.end() ? name : it->second;
}

// ---- TNameManager ----

namespace {
// The texts of the special values can never be names.
const char* const FixedReservedWords[] = {"~", "?", "Infinity", "Inf", "Infin", "Infinite"};
constexpr std::size_t ShortNameLength = 10;
}  // namespace

TNameManager::TNameManager(bool allowLongNames, std::vector<std::string> reserved)
    : FReserved(std::move(reserved)), FAllowLongNames(allowLongNames)
{
}

int TNameManager::Check(const std::string& name) const
{
  const std::string trimmed = Trim(name);
  if (trimmed.empty()) return 1;
  for (const char* word : FixedReservedWords)
    if (SameText(trimmed, word)) return 2;
  if (std::find(FReserved.begin(), FReserved.end(), trimmed) != FReserved.end()) return 2;
  if (FNames.count(trimmed) != 0) return 3;
  return 0;
}

void TNameManager::AddName(const std::string& name, TNamedObject* object)
{
  const std::string trimmed = Trim(name);
  switch (Check(trimmed)) {
    case 0:
      break;
    case 1:
      throw EUniqueNameError("Invalid name - cannot be blank.");
    case 2:
      throw EUniqueNameError("Invalid name - that name is reserved.");
    case 3:
      throw EUniqueNameError("Invalid name - that name has already been used.");
    default:
      throw EUniqueNameError("Invalid name.");
  }
  FNames.emplace(trimmed, object);
  if (IsLong(trimmed)) ++FLongNames;
  if (object != nullptr) {
    object->FName = trimmed;
    object->NameChanged();
  }
}

void TNameManager::RemoveName(const std::string& name)
{
  const std::string trimmed = Trim(name);
  if (FNames.erase(trimmed) != 0 && IsLong(trimmed)) --FLongNames;
}

void TNameManager::Rename(const std::string& oldName, const std::string& newName)
{
  const std::string oldTrimmed = Trim(oldName);
  const std::string newTrimmed = Trim(newName);
  if (oldTrimmed == newTrimmed) return;
  TNamedObject* object = FindObject(oldTrimmed);
  AddName(newTrimmed, object);
  // AddName has registered the new name; the old entry goes only now, so a
  // refused name leaves everything as it was.
  if (FNames.erase(oldTrimmed) != 0 && IsLong(oldTrimmed)) --FLongNames;
}

std::string TNameManager::MakeUniqueName(const std::string& base, bool limitTo10) const
{
  std::string stem = Trim(base);
  if (limitTo10 && CharLength(stem) > ShortNameLength) stem = LeftChars(stem, ShortNameLength);
  if (Check(stem) == 0) return stem;
  while (!stem.empty() && stem.back() >= '0' && stem.back() <= '9') stem.pop_back();
  for (long n = 1;; ++n) {
    std::string candidate = stem + std::to_string(n);
    if (limitTo10 && CharLength(candidate) > ShortNameLength && !stem.empty()) {
      stem = LeftChars(stem, CharLength(stem) - 1);
      n = 0;
      continue;
    }
    if (Check(candidate) == 0) return candidate;
  }
}

TNamedObject* TNameManager::FindObject(const std::string& name) const
{
  const auto it = FNames.find(Trim(name));
  return it == FNames.end() ? nullptr : it->second;
}

bool TNameManager::IsLong(const std::string& name)
{
  return CharLength(name) > ShortNameLength;
}

}  // namespace umbrinex
