// Item access of the bend model: the fields it registers as the storage of
// their items, and the items it serves itself rather than through its
// register (the cable stiffness rows, the material choices, the profile
// points, the load case count and state flags).

#include <algorithm>

#include "bend/Bend.h"
#include "bend/BendItemTable.h"
#include "framework/data/Variant.h"

namespace umbrinex {

namespace {

bool IsLoadCaseItem(int varNum) { return varNum >= vnNumberOfLoadCases && varNum <= vnState2Included; }

}  // namespace

void TBend::RegisterDataItems(TDataItemRegister& reg)
{
  TModel::RegisterDataItems(reg);
  // The fields' dimensions and choices are those their items declare.
  auto real = [&](double& field, int varNum) { reg.RegisterReal(field, BendItem(varNum).Dimension, varNum); };
  auto choice = [&](std::uint8_t& field, int varNum) { reg.RegisterEnum(field, BendItem(varNum).Choices(), varNum); };
  reg.RegisterString(FProject, vnProject);
  reg.RegisterString(FClient, vnClient);
  reg.RegisterString(FDesigner, vnDesigner);
  reg.RegisterSubObject(FCableStiffness);
  real(FAllowableBendRadius, vnAllowableBendRadius);
  real(FStiffenerID, vnStiffenerID);
  choice(FStiffenerDefinition, vnStiffenerDefinition);
  real(FActiveLength, vnActiveLength);
  real(FRootDiameter, vnRootDiameter);
  real(FTipDiameter, vnTipDiameter);
  real(FShapePower, vnShapePower);
  reg.RegisterSubObject(FLoadCases);
  reg.RegisterInteger(FSelectedLoadCase, vnSelectedLoadCase);
  real(FStationInterval[0], vnStationIntervalStiffener);
  real(FStationInterval[1], vnStationIntervalCable);
  real(FCableLength, vnCableLength);
  real(FOutputInterval[0], vnOutputIntervalStiffener);
  real(FOutputInterval[1], vnOutputIntervalCable);
  choice(FLinearity, vnLinearity);
  real(FLengthFactors.Min, vnLengthFactorMin);
  real(FLengthFactors.Max, vnLengthFactorMax);
  reg.RegisterInteger(FLengthFactors.Count, vnLengthFactorCount);
  real(FStiffnessFactors.Min, vnStiffnessFactorMin);
  real(FStiffnessFactors.Max, vnStiffnessFactorMax);
  reg.RegisterInteger(FStiffnessFactors.Count, vnStiffnessFactorCount);
  real(FTensions.Min, vnTensionMin);
  real(FTensions.Max, vnTensionMax);
  reg.RegisterInteger(FTensions.Count, vnTensionCount);
  real(FAngles.Min, vnAngleMin);
  real(FAngles.Max, vnAngleMax);
  real(FAngles.Accuracy, vnAngleAccuracy);
  reg.RegisterSubObject(FCircles);
  reg.RegisterSubObject(FMouldDiameters);
}

void TBend::Redirect(TDataObject*& target, int& varNum, int& /*index*/)
{
  if (varNum < vnLinearE || varNum > vnStressSpecifier) return;
  target = FMaterials.get();
  if (varNum == vnNumberOfTypes) varNum = vnItemCount;
  else if (varNum == vnMaterialName) varNum = vnName;
  else if (varNum == vnSelectedMaterial) varNum = vnCurrentItem;
}

bool TBend::DescribeOwnItem(int varNum, TItemInfo& info)
{
  // The items held in fields, tables and materials are described by what
  // holds them; those this model serves itself, by their declaration.
  const TBendItem* item = FindBendItem(varNum);
  if (item == nullptr || item->Holder != TItemHolder::Model) return false;
  info.Dimension = item->Dimension;
  info.CountVarNum = item->CountVarNum;
  return true;
}

void TBend::PrepareAccess(int varNum)
{
  TModel::PrepareAccess(varNum);
  if (varNum == vnSelectedLoadCase) {
    // Choosing the load case shown changes nothing in the design.
    SetChangeEffects(false, false, false);
    SetEditable(true);
  }
}

void TBend::AfterSet(int varNum, TAccessStatus& status)
{
  TModel::AfterSet(varNum, status);
  if (status.Code == acOk && IsLoadCaseItem(varNum)) SendNotification(TModelNotification::LoadCasesChanged, 0, this);
}

void TBend::GetMaterialItem(TBendStiffenerMaterial* material, TAccessStatus& status, TVariant& value,
                            TVarType representation) const
{
  if (representation == vtText) {
    value = material ? material->Name() : std::string();
  } else if (representation == vtList) {
    if (FMaterials->Count() == 0) return status.Set(acListEmpty);
    if (IListTarget* list = value.ToList()) FMaterials->FillListControl(*list, material);
  } else {
    status.Set(acInvalidType);
  }
}

TBendStiffenerMaterial* TBend::MaterialFromVariant(TAccessStatus& status, const TVariant& value,
                                                   TVarType representation) const
{
  TBendStiffenerMaterial* material = nullptr;
  if (representation == vtText) {
    material = FMaterials->FindMaterial(value.ToText());
  } else if (representation == vtList) {
    if (FMaterials->Count() == 0) {
      status.Set(acListEmpty);
      return nullptr;
    }
    material = static_cast<TBendStiffenerMaterial*>(FMaterials->SelectedItem(value));
  } else {
    status.Set(acInvalidType);
    return nullptr;
  }
  if (material == nullptr) status.Set(acInvalidValue);
  return material;
}

void TBend::GetItem(int varNum, int index, TAccessStatus& status, TVariant& value, TVarType representation)
{
  const bool pointItem = varNum >= vnPointArcLength && varNum <= vnPointMaterial;
  if (pointItem && (index < 0 || index >= FProfile->Count())) return status.Set(acInvalidIndex);
  const bool stateItem = varNum == vnState1Included || varNum == vnState2Included;
  if (stateItem && (index < 0 || index >= LoadCaseCount())) return status.Set(acInvalidIndex);

  switch (varNum) {
    case vnCableBendStiffness1:
    case vnCableBendStiffness2:
      value = CableStiffness(varNum - vnCableBendStiffness1);
      return;
    case vnShapePower:
      if (StiffenerDefinition() != sdPowerLaw) return status.Set(acNotApplicable);
      break;
    case vnMaterial:
      return GetMaterialItem(FMaterial, status, value, representation);
    case vnNumberOfPoints:
      value = FProfile->Count();
      return;
    case vnPointArcLength:
      value = FProfile->Point(index).ArcLength;
      return;
    case vnPointDiameter:
      value = FProfile->Point(index).Diameter;
      return;
    case vnPointMaterial:
      if (index == FProfile->Count() - 1) {
        // The last point ends the stiffener: it has no material to choose.
        value = std::string();
        return status.Set(acReadOnly);
      }
      return GetMaterialItem(FProfile->Point(index).Material, status, value, representation);
    case vnState1Included:
    case vnState2Included:
      return EnumerationToVariant(StateIncluded(index, varNum - vnState1Included) ? 1 : 0, BooleanValueStrings(), value,
                                  representation);
    default:
      break;
  }
  TModel::GetItem(varNum, index, status, value, representation);
}

void TBend::SetItem(int varNum, int index, TAccessStatus& status, const TVariant& value, TVarType representation)
{
  switch (varNum) {
    case vnCableBendStiffness1:
    case vnCableBendStiffness2: {
      const auto v = value.ToReal();
      if (!v) return status.Set(acInvalidValue);
      FCableStiffness.SetCell(varNum - vnCableBendStiffness1, vnCableStiffnessColumn, *v);
      return;
    }
    case vnMaterial:
      if (TBendStiffenerMaterial* material = MaterialFromVariant(status, value, representation)) {
        if (FMaterial == nullptr || material->Name() != FMaterial->Name()) FMaterial = material;
      }
      return;
    case vnNumberOfPoints:
      return SetPointCount(index, status, value, representation);
    case vnPointArcLength:
    case vnPointDiameter: {
      const auto v = value.ToReal();
      if (!v) return status.Set(acInvalidValue);
      auto& point = FProfile->Point(index);
      (varNum == vnPointArcLength ? point.ArcLength : point.Diameter) = *v;
      return;
    }
    case vnPointMaterial:
      if (TBendStiffenerMaterial* material = MaterialFromVariant(status, value, representation))
        FProfile->Point(index).Material = material;
      return;
    case vnNumberOfLoadCases:
      return SetLoadCaseCount(index, status, value, representation);
    case vnState1Included:
    case vnState2Included: {
      if (index < 0 || index >= LoadCaseCount()) return status.Set(acInvalidIndex);
      const int flag = EnumerationFromVariant(BooleanValueStrings(), value, representation);
      if (flag < 0) return status.Set(acInvalidValue);
      SetStateIncluded(index, varNum - vnState1Included, flag != 0);
      return;
    }
    case vnSelectedLoadCase: {
      const auto v = value.ToInteger();
      if (!v) return status.Set(acInvalidValue);
      if (*v < 0 || *v >= LoadCaseCount()) return status.Set(acInvalidIndex);
      FSelectedLoadCase = static_cast<std::int32_t>(*v);
      return;
    }
    default:
      break;
  }
  TModel::SetItem(varNum, index, status, value, representation);
}

void TBend::SetPointCount(int index, TAccessStatus& status, const TVariant& value, TVarType representation)
{
  if (representation == vtDelete) {
    if (index < 0 || index >= FProfile->Count()) return status.Set(acInvalidIndex);
    FProfile->DeleteItem(index);
  } else if (representation == vtInsertBefore) {
    if (index < 0 || index > FProfile->Count()) return status.Set(acInvalidIndex);
    FProfile->InsertItem(index);
  } else {
    const auto n = value.ToInteger();
    if (!n || *n < 0 || *n > 1000000) return status.Set(acInvalidValue);
    FProfile->SetCount(static_cast<int>(*n));
  }
}

void TBend::SetLoadCaseCount(int index, TAccessStatus& status, const TVariant& value, TVarType representation)
{
  if (representation == vtInsertBefore) {
    // A new load case copies its neighbour; averaging would mix the state flags.
    if (index < 0 || index > LoadCaseCount()) return status.Set(acInvalidIndex);
    FLoadCases.InsertRow(index);
  } else {
    bool found = false;
    FLoadCases.SetValue(vnNumberOfLoadCases, index, found, status, value, representation);
  }
  FSelectedLoadCase = std::min(FSelectedLoadCase, std::max(0, LoadCaseCount() - 1));
}

}  // namespace umbrinex
