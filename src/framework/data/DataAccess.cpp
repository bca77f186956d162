#include "framework/data/DataAccess.h"

namespace umbrinex {

namespace {
std::function<void()>& RepaintHook()
{
  static std::function<void()> hook;
  return hook;
}
}  // namespace

void TDataObject::SetRepaintHook(std::function<void()> hook) { RepaintHook() = std::move(hook); }

class TDataObject::TAccessScope {
 public:
  TAccessScope(TDataObject& target, int callerVarNum, int resolvedVarNum) : FTarget(target)
  {
    FTarget.SaveAccessState();
    FTarget.FCurrentVarNum = callerVarNum;
    FTarget.PrepareAccess(resolvedVarNum);
  }
  ~TAccessScope() { FTarget.RestoreAccessState(); }
  TAccessScope(const TAccessScope&) = delete;
  TAccessScope& operator=(const TAccessScope&) = delete;

 private:
  TDataObject& FTarget;
};

TDataObject::TDataObject(TNamedObject* owner) : TNamedObject(owner), FRegister(*this) {}

TDataObject::~TDataObject() = default;

void TDataObject::AfterConstruction()
{
  RegisterDataItems(FRegister);
  TNamedObject::AfterConstruction();
}

TDataObject* TDataObject::ResolveTarget(int& varNum, int& index)
{
  TDataObject* target = this;
  while (target != nullptr) {
    TDataObject* before = target;
    const int varNumBefore = varNum;
    const int indexBefore = index;
    target->Redirect(target, varNum, index);
    if (target == before && varNum == varNumBefore && index == indexBefore) break;
  }
  return target;
}

bool TDataObject::DescribeItem(int varNum, TItemInfo& info)
{
  if (const TVarList* vars = GetVarList()) {
    if (const TVar* descriptor = vars->TryFind(varNum)) {
      info.Name = descriptor->Name;
      info.Type = descriptor->VarType;
    }
  }
  if (DescribeOwnItem(varNum, info)) return true;
  int resolvedVarNum = varNum;
  int resolvedIndex = 0;
  TDataObject* target = ResolveTarget(resolvedVarNum, resolvedIndex);
  if (target == nullptr) return false;
  if (target != this) {
    // Name and type stay those of the item as the caller numbers it.
    const TItemInfo caller = info;
    const bool found = target->DescribeItem(resolvedVarNum, info);
    if (!caller.Name.empty()) info.Name = caller.Name;
    if (caller.Type != vtNull) info.Type = caller.Type;
    return found;
  }
  return FRegister.DescribeItem(varNum, info);
}

void TDataObject::GetValue(int varNum, int index, TAccessStatus& status, TVariant& value, TVarType representation)
{
  int resolvedVarNum = varNum;
  int resolvedIndex = index;
  TDataObject* target = ResolveTarget(resolvedVarNum, resolvedIndex);
  status.Message.clear();
  if (target == nullptr) {
    status.Code = acNotApplicable;
    return;
  }
  TAccessScope scope(*target, varNum, resolvedVarNum);
  status.Code = target->FEditable ? acOk : acReadOnly;
  target->BeforeGet(resolvedVarNum);
  target->GetItem(resolvedVarNum, resolvedIndex, status, value, representation);
  target->AfterGet(resolvedVarNum, value, status);
}

void TDataObject::SetValue(int varNum, int index, TAccessStatus& status, const TVariant& value,
                           TVarType representation)
{
  // A read first: an item that is missing or read-only cannot be changed.
  // The read gets no list target, so a list control keeps its selection.
  TVariant discarded;
  GetValue(varNum, index, status, discarded, representation);
  if (status.Code != acOk) {
    status.Set(acChangeNotAllowed);
    return;
  }
  if (const TVarList* vars = GetVarList()) {
    if (const TVar* descriptor = vars->TryFind(varNum)) {
      status = Validate(*descriptor, value, representation);
      if (status.Code != acValid) return;
    }
  }
  int resolvedVarNum = varNum;
  int resolvedIndex = index;
  TDataObject* target = ResolveTarget(resolvedVarNum, resolvedIndex);
  if (target == nullptr) {
    status.Set(acNotApplicable);
    return;
  }
  TAccessScope scope(*target, varNum, resolvedVarNum);
  if (!target->FEditable) {
    status.Set(acChangeNotAllowed);
    return;
  }
  status.Set(acOk);
  target->BeforeSet(resolvedVarNum, value);
  target->SetItem(resolvedVarNum, resolvedIndex, status, value, representation);
  target->AfterSet(resolvedVarNum, status);
  if (status.Code == acOk && RepaintHook()) RepaintHook()();
}

void TDataObject::GetValue(int varNum, int index, bool& found, TAccessStatus& status, TVariant& value,
                           TVarType representation)
{
  GetValue(varNum, index, status, value, representation);
  found = status.Code != acUnrecognised && status.Code != acNotApplicable;
}

void TDataObject::SetValue(int varNum, int index, bool& found, TAccessStatus& status, const TVariant& value,
                           TVarType representation)
{
  TAccessStatus probe;
  TVariant discarded;
  GetValue(varNum, index, probe, discarded, representation);
  found = probe.Code != acUnrecognised && probe.Code != acNotApplicable;
  if (found) SetValue(varNum, index, status, value, representation);
}

std::int64_t TDataObject::GetInteger(int varNum, int index)
{
  TAccessStatus status;
  TVariant value;
  GetValue(varNum, index, status, value, vtLong);
  return value.ToInteger().value_or(0);
}

std::string TDataObject::GetText(int varNum, int index)
{
  TAccessStatus status;
  TVariant value;
  GetValue(varNum, index, status, value, vtText);
  return value.ToText();
}

std::int64_t TDataObject::GetCardinal(int varNum, int index)
{
  TAccessStatus status;
  TVariant value;
  GetValue(varNum, index, status, value, vtCard);
  return value.ToInteger().value_or(0);
}

double TDataObject::GetReal(int varNum, int index)
{
  TAccessStatus status;
  TVariant value;
  GetValue(varNum, index, status, value, vtReal);
  return value.ToReal().value_or(0.0);
}

void TDataObject::SetInteger(int varNum, int index, std::int64_t value)
{
  TAccessStatus status;
  SetValue(varNum, index, status, TVariant(value), vtLong);
}

void TDataObject::SetCardinal(int varNum, int index, std::int64_t value)
{
  TAccessStatus status;
  SetValue(varNum, index, status, TVariant(value), vtCard);
}

const TVarList* TDataObject::GetVarList() const
{
  if (const auto* owner = dynamic_cast<const TDataObject*>(Owner())) return owner->GetVarList();
  return nullptr;
}

void TDataObject::SaveAccessState() { FStateStack.push_back({FEditable, FCurrentVarNum}); }

void TDataObject::RestoreAccessState()
{
  if (FStateStack.empty()) return;
  FEditable = FStateStack.back().Editable;
  FCurrentVarNum = FStateStack.back().CurrentVarNum;
  FStateStack.pop_back();
}

void TDataObject::PrepareAccess(int /*varNum*/) { FEditable = true; }

void TDataObject::GetItem(int varNum, int index, TAccessStatus& status, TVariant& value, TVarType representation)
{
  if (!FRegister.GetItem(varNum, index, status, value, representation)) status.Code = acUnrecognised;
}

void TDataObject::SetItem(int varNum, int index, TAccessStatus& status, const TVariant& value,
                          TVarType representation)
{
  if (!FRegister.SetItem(varNum, index, status, value, representation)) status.Code = acUnrecognised;
}

void TDataObject::UnitsChanged(const IScaleValue& scale)
{
  TNamedObject::UnitsChanged(scale);
  FRegister.UnitsChanged(scale);
}

}  // namespace umbrinex
