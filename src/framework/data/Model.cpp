#include "framework/data/Model.h"

#include <algorithm>

#include "framework/data/ObjectListAccess.h"
#include "framework/data/Units.h"

namespace umbrinex {

std::string TypeName(int typeCode)
{
  switch (typeCode) {
    case tcModel:
      return "Model";
    case tcBend:
      return "Bend";
    default:
      return "Object";
  }
}

// ---- TEngineDataObject ----

TEngineDataObject::TEngineDataObject(TNamedObject* owner) : TDataObject(owner)
{
  if (auto* engineOwner = dynamic_cast<TEngineDataObject*>(owner)) FModel = engineOwner->Model();
  FOwningModelObject = FindOwner<TModelObject>();
  if (FOwningModelObject != nullptr) FOwningModelObject->AddDependant(this);
}

TEngineDataObject::~TEngineDataObject()
{
  if (FOwningModelObject != nullptr) FOwningModelObject->RemoveDependant(this);
}

void TEngineDataObject::Assign(const TEngineDataObject& source)
{
  Register().AssignFields(source.ConstRegister());
}

void TEngineDataObject::NotifyDataChanged()
{
  SendNotification(TModelNotification::DataChanged, 0, this);
  if (OnChange) OnChange(*this);
}

void TEngineDataObject::SendNotification(TModelNotification id, int value, TNamedObject* object) const
{
  if (FModel != nullptr) FModel->Deliver(id, value, object);
}

void TEngineDataObject::CheckChanged()
{
  if (FModel != nullptr && !InBatchUpdate()) FModel->MarkChanged();
}

bool TEngineDataObject::InBatchUpdate() const
{
  return FModel != nullptr && FModel->BatchDepth() > 0;
}

void TEngineDataObject::BeginUpdate()
{
  if (FModel != nullptr) FModel->ChangeBatchDepth(+1);
  CheckChanged();
}

void TEngineDataObject::EndUpdate()
{
  if (FModel != nullptr) FModel->ChangeBatchDepth(-1);
  CheckChanged();
}

void TEngineDataObject::NameChanged()
{
  SendNotification(TModelNotification::ObjectNameChanged, 0, this);
  // Names read from a file are resolved into references once the whole
  // file is read; telling every object of each name on the way would make
  // reading quadratic in the number of named objects.
  if (FModel == nullptr || !FModel->Loading()) Broadcast(ckNameChanged);
}

void TEngineDataObject::SaveAccessState()
{
  TDataObject::SaveAccessState();
  FEffectsStack.push_back({ResetsResults, SetsModified, Notifies});
}

void TEngineDataObject::RestoreAccessState()
{
  if (!FEffectsStack.empty()) {
    SetChangeEffects(FEffectsStack.back().ResetsResults, FEffectsStack.back().SetsModified,
                     FEffectsStack.back().Notifies);
    FEffectsStack.pop_back();
  }
  TDataObject::RestoreAccessState();
}

void TEngineDataObject::PrepareAccess(int varNum)
{
  TDataObject::PrepareAccess(varNum);
  SetChangeEffects(true, true, true);
  if (varNum == vnName) {
    // A new name marks the design modified but leaves the results standing.
    ResetsResults = false;
    Notifies = false;
  } else if (varNum == vnDescription) {
    SetEditable(false);
  }
}

void TEngineDataObject::AfterSet(int /*varNum*/, TAccessStatus& status)
{
  if (status.Code != acOk) return;
  if (ResetsResults) {
    if (auto* self = dynamic_cast<TModelObject*>(this))
      self->ResetResults();
    else if (FOwningModelObject != nullptr)
      FOwningModelObject->ResetResults();
  }
  if (ResetsResults || Notifies) {
    NotifyDataChanged();
    CheckChanged();
  }
  if (SetsModified && FModel != nullptr) FModel->SetModified(true);
}

void TEngineDataObject::GetItem(int varNum, int index, TAccessStatus& status, TVariant& value, TVarType representation)
{
  if (varNum == vnName)
    value = Name();
  else if (varNum == vnDescription)
    value = DescriptiveText();
  else
    TDataObject::GetItem(varNum, index, status, value, representation);
}

void TEngineDataObject::SetItem(int varNum, int index, TAccessStatus& status, const TVariant& value,
                                TVarType representation)
{
  if (varNum != vnName) return TDataObject::SetItem(varNum, index, status, value, representation);
  try {
    SetName(value.ToText());
  } catch (const EUniqueNameError& e) {
    status.Set(acNotAllowed, e.what());
  }
}

// ---- TEngineDataObjectList ----

template class TObjectListOf<TEngineDataObject, TEngineDataObjectList>;

void TEngineDataObjectList::DeleteItem(int position)
{
  if (position >= 0 && position < Count()) Core().Remove(position);
}

void TEngineDataObjectList::ChooseCurrentItem(TAccessStatus& status, const TVariant& value, TVarType representation)
{
  if (representation == vtText) {
    TEngineDataObject* item = FindByName(value.ToText());
    if (item == nullptr) return status.Set(acInvalidValue);
    SetCurrentItem(item);
  } else {
    const auto i = value.ToInteger();
    if (!i) return status.Set(acInvalidValue);
    SetCurrentItem(*i >= 0 && *i < Count() ? Item(static_cast<int>(*i)) : nullptr);
  }
}

// ---- TModelObject ----

TModelObject::TModelObject(TNamedObject* owner) : TEngineDataObject(owner) {}

TModelObject::~TModelObject()
{
  // A model going down is no longer a TModel here: compare addresses only.
  TModel* model = Model();
  const bool isModel = static_cast<const void*>(model) == static_cast<const void*>(this);
  if (model != nullptr && !isModel && !model->Destroying()) {
    SendNotification(TModelNotification::ObjectRemoved, 0, this);
    NotifyDataChanged();
  }
  if (TModelObjectList* list = ListOwner()) list->Forget(this);
  for (TEngineDataObject* dependant : FDependants) dependant->FOwningModelObject = nullptr;
}

void TModelObject::AfterConstruction()
{
  TEngineDataObject::AfterConstruction();
  if (Model() == nullptr || !Model()->Loading()) MarkChanged();
  NotifyDataChanged();
  SendNotification(TModelNotification::ObjectAdded, 0, this);
}

TModelObjectList* TModelObject::ListOwner() const
{
  return dynamic_cast<TModelObjectList*>(Owner());
}

TModelObject* TModelObject::Previous() const
{
  const TModelObjectList* list = ListOwner();
  return list ? list->Item(list->IndexOf(this) - 1) : nullptr;
}

TModelObject* TModelObject::Next() const
{
  const TModelObjectList* list = ListOwner();
  if (list == nullptr) return nullptr;
  const int i = list->IndexOf(this);
  return i < 0 ? nullptr : list->Item(i + 1);
}

void TModelObject::ResetResults()
{
  if (!FCalculated) return;
  FCalculated = false;
  // A reset may free dependants' results; walk a copy in case the list moves.
  const std::vector<TEngineDataObject*> dependants = FDependants;
  for (TEngineDataObject* dependant : dependants)
    if (auto* object = dynamic_cast<TModelObject*>(dependant)) object->ResetResults();
}

void TModelObject::MarkChanged()
{
  if (!FCalculated) SetCalculated();
}

void TModelObject::SetCalculated()
{
  FCalculated = true;
}

void TModelObject::WriteData(ITaggedFile& file)
{
  // Object header: the type code, the name, a zero byte and the flag byte.
  file.BeginTag(0, 0);
  file.WriteByte(static_cast<std::uint8_t>(FileTypeCode()));
  file.WriteString(Name());
  file.WriteByte(0);
  file.WriteByte(0);
  file.EndTag();
  WriteTags(file);
}

void TModelObject::RemoveDependant(TEngineDataObject* dependant)
{
  FDependants.erase(std::remove(FDependants.begin(), FDependants.end(), dependant), FDependants.end());
}

// ---- TModelObjectList ----

template class TObjectListOf<TModelObject, TModelObjectList>;

bool TModelObjectList::DeleteItem(int position)
{
  TModelObject* item = Item(position);
  if (item == nullptr) return false;
  if (Core().OwnsItems() && !item->CanDelete()) return false;
  Core().Remove(position);
  return true;
}

void TModelObjectList::WriteData(ITaggedFile& file)
{
  for (int i = 0; i < Count(); ++i)
    if (Item(i)) Item(i)->WriteData(file);
}

void TModelObjectList::BeforeWrite()
{
  for (int i = 0; i < Count(); ++i)
    if (Item(i)) Item(i)->BeforeWrite();
}

void TModelObjectList::ResolveNames()
{
  for (int i = 0; i < Count(); ++i)
    if (Item(i)) Item(i)->ResolveNames();
}

void TModelObjectList::AfterRead(bool olderFormat)
{
  for (int i = 0; i < Count(); ++i)
    if (Item(i)) Item(i)->AfterRead(olderFormat);
}

bool TModelObjectList::RefusesToDelete(int position, TAccessStatus& status) const
{
  const TModelObject* item = Item(position);
  if (item == nullptr) return status.Set(acInvalidIndex), true;
  if (item->CanDelete()) return false;
  status.Set(acNotAllowed, Format("This %s is in use and cannot be deleted.", TypeName(item->TypeCode()).c_str()));
  return true;
}

void TModelObjectList::ChooseCurrentItem(TAccessStatus& status, const TVariant& value, TVarType representation)
{
  if (representation != vtCard && representation != vtLong) return status.Set(acInvalidType);
  const auto i = value.ToInteger();
  if (!i || *i < 0 || *i >= Count()) return status.Set(acInvalidIndex);
  SetCurrentItem(Item(static_cast<int>(*i)));
}

// ---- TModel ----

const std::vector<std::string>& TModel::ReservedNames()
{
  static const std::vector<std::string> names = {"Environment", "Sea",     "Free",     "Fixed",
                                                 "Anchored",    "Draught", "Direction"};
  return names;
}

TModel::TModel(TNamedObject* owner)
    : TModelObject(owner),
      FUnits(std::make_unique<TUnits>(2)),
      FNameManager(std::make_unique<TNameManager>(false, ReservedNames()))
{
  SetModel(this);
  FUnits->OnChange = [this](TUnits&) { Broadcast(ckUnitsChanged); };
}

TModel::~TModel()
{
  BeginDestruction();
  StopListeningToUnits();
}

void TModel::BeginDestruction()
{
  FDestroying = true;
  FNotificationTarget = nullptr;
}

void TModel::RegisterDataItems(TDataItemRegister& reg)
{
  reg.RegisterSubObject(*FUnits);
}

void TModel::ClearModel()
{
  FFileName.clear();
  ResetResults();
  SetDefaults();
  SetModified(false);
  Deliver(TModelNotification::ModelReset, 0, this);
}

void TModel::SetState(std::uint8_t state)
{
  if (state == FState) return;
  FState = state;
  Deliver(TModelNotification::ModelStateChanged, state, this);
}

void TModel::Deliver(TModelNotification id, int value, TNamedObject* object)
{
  if (FNotificationTarget != nullptr && !FDestroying) FNotificationTarget->ModelNotification(id, value, object);
}

void TModel::ResetResults()
{
  TModelObject::ResetResults();
  SetState(0);
}

void TModel::MarkChanged()
{
  if (FState == 0) SetState(1);
}

void TModel::SetCalculated()
{
  // Resets the whole model; the model's own MarkChanged only moves State,
  // so this does not come back here.
  TModelObject::SetCalculated();
  ResetResults();
  MarkChanged();
  NotifyDataChanged();
  Deliver(TModelNotification::ModelReset, 0, this);
}

}  // namespace umbrinex
