#include "framework/data/DataItemRegister.h"

#include <limits>

#include "framework/data/DataAccess.h"
#include "framework/data/Units.h"
#include "framework/data/ValueStrings.h"
#include "framework/data/Variant.h"

namespace umbrinex {

void TDataItemRegister::RegisterEnum(std::uint8_t& field, const TAbstractValueStrings& valueStrings, int varNum)
{
  FRecords.push_back({TKind::Enumeration, varNum, &field, dmDimensionless, &valueStrings, nullptr});
}

void TDataItemRegister::RegisterBoolean(bool& field, int varNum)
{
  FRecords.push_back({TKind::Boolean, varNum, &field, dmDimensionless, &BooleanValueStrings(), nullptr});
}

void TDataItemRegister::RegisterSmallInt(std::int16_t& field, int varNum)
{
  FRecords.push_back({TKind::SmallInt, varNum, &field, dmDimensionless, nullptr, nullptr});
}

void TDataItemRegister::RegisterInteger(std::int32_t& field, int varNum)
{
  FRecords.push_back({TKind::Integer, varNum, &field, dmDimensionless, nullptr, nullptr});
}

void TDataItemRegister::RegisterString(std::string& field, int varNum)
{
  FRecords.push_back({TKind::String, varNum, &field, dmDimensionless, nullptr, nullptr});
}

void TDataItemRegister::RegisterReal(double& field, const TDimension& dimension, int varNum)
{
  FRecords.push_back({TKind::Real, varNum, &field, dimension, nullptr, nullptr});
}

void TDataItemRegister::RegisterVector(TVector& field, const TDimension& dimension, int varNum)
{
  FRecords.push_back({TKind::Vector, varNum, &field, dimension, nullptr, nullptr});
}

void TDataItemRegister::RegisterSubObject(IDataItemAccess& object)
{
  FRecords.push_back({TKind::SubObject, NoVarNum, nullptr, dmDimensionless, nullptr, &object});
  if (IUnitsListener* listener = object.UnitsListener()) {
    if (TUnits* units = FOwner.GetUnits()) units->RemoveListener(listener);
  }
}

bool TDataItemRegister::Answers(const TRecord& r, int varNum) const
{
  if (r.VarNum == NoVarNum || varNum == NoVarNum) return false;
  if (r.Kind == TKind::Vector) return varNum >= r.VarNum && varNum <= r.VarNum + 2;
  return varNum == r.VarNum;
}

bool TDataItemRegister::DescribeItem(int varNum, TItemInfo& info) const
{
  for (const TRecord& r : FRecords) {
    if (r.Kind == TKind::SubObject) {
      if (r.SubObject->DescribeItem(varNum, info)) return true;
    } else if (Answers(r, varNum)) {
      info.Dimension = r.Dimension;
      return true;
    }
  }
  return false;
}

namespace {
int StoredOrdinal(const void* field, bool isBoolean)
{
  return isBoolean ? (*static_cast<const bool*>(field) ? 1 : 0) : *static_cast<const std::uint8_t*>(field);
}
}  // namespace

void EnumerationToVariant(int ordinal, const TAbstractValueStrings& names, TVariant& value, TVarType representation)
{
  if (representation == vtText || representation == vtEnum) {
    value = ordinal >= 0 && ordinal < names.Count() ? names.Name(ordinal) : std::string();
  } else if (representation == vtList) {
    IListTarget* list = value.ToList();
    if (list == nullptr) return;
    list->Clear();
    for (int i = 0; i < names.Count(); ++i) {
      if (names.Name(i).empty()) continue;
      list->Add(names.Name(i), i);
      if (i != ordinal) continue;
      if (list->MultiSelect()) list->SetMarked(list->Count() - 1, true);
      else list->SetSelectedIndex(list->Count() - 1);
    }
  } else {
    value = ordinal;
  }
}

int EnumerationFromVariant(const TAbstractValueStrings& names, const TVariant& value, TVarType representation)
{
  std::int64_t ordinal = -1;
  if (representation == vtList) {
    const IListTarget* list = value.ToList();
    if (list == nullptr || list->SelectedIndex() < 0) return -1;
    ordinal = list->DataAt(list->SelectedIndex());
    if (ordinal > 255) return -1;
  } else if (value.IsText()) {
    ordinal = names.IndexOf(value.ToText());
  } else {
    ordinal = value.ToInteger().value_or(-1);
  }
  if (ordinal < 0 || ordinal >= names.Count() || names.Name(static_cast<int>(ordinal)).empty()) return -1;
  return static_cast<int>(ordinal);
}

bool TDataItemRegister::GetItem(int varNum, int index, TAccessStatus& status, TVariant& value,
                                TVarType representation)
{
  for (const TRecord& r : FRecords) {
    if (r.Kind == TKind::SubObject) {
      bool found = false;
      r.SubObject->GetValue(varNum, index, found, status, value, representation);
      if (found) return true;
      continue;
    }
    if (!Answers(r, varNum)) continue;
    switch (r.Kind) {
      case TKind::Enumeration:
      case TKind::Boolean:
        EnumerationToVariant(StoredOrdinal(r.Field, r.Kind == TKind::Boolean), *r.ValueStrings, value, representation);
        break;
      case TKind::SmallInt:
        value = int{*static_cast<const std::int16_t*>(r.Field)};
        break;
      case TKind::Integer:
        value = int{*static_cast<const std::int32_t*>(r.Field)};
        break;
      case TKind::String:
        value = *static_cast<const std::string*>(r.Field);
        break;
      case TKind::Real:
        value = *static_cast<const double*>(r.Field);
        break;
      case TKind::Vector:
        value = (*static_cast<const TVector*>(r.Field))[static_cast<std::size_t>(varNum - r.VarNum)];
        break;
      case TKind::SubObject:
        break;
    }
    return true;
  }
  return false;
}

void TDataItemRegister::SetField(const TRecord& r, int varNum, TAccessStatus& status, const TVariant& value)
{
  switch (r.Kind) {
    case TKind::SmallInt: {
      const auto v = value.ToInteger();
      if (!v || *v < std::numeric_limits<std::int16_t>::min() || *v > std::numeric_limits<std::int16_t>::max())
        return status.Set(acInvalidValue);
      *static_cast<std::int16_t*>(r.Field) = static_cast<std::int16_t>(*v);
      return;
    }
    case TKind::Integer: {
      const auto v = value.ToInteger();
      if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
        return status.Set(acInvalidValue);
      *static_cast<std::int32_t*>(r.Field) = static_cast<std::int32_t>(*v);
      return;
    }
    case TKind::String:
      *static_cast<std::string*>(r.Field) = value.ToText();
      return;
    case TKind::Real:
    case TKind::Vector: {
      const auto v = value.ToReal();
      if (!v) return status.Set(acInvalidValue);
      if (r.Kind == TKind::Real) *static_cast<double*>(r.Field) = *v;
      else (*static_cast<TVector*>(r.Field))[static_cast<std::size_t>(varNum - r.VarNum)] = *v;
      return;
    }
    default:
      return;
  }
}

bool TDataItemRegister::SetItem(int varNum, int index, TAccessStatus& status, const TVariant& value,
                                TVarType representation)
{
  for (const TRecord& r : FRecords) {
    if (r.Kind == TKind::SubObject) {
      bool found = false;
      r.SubObject->SetValue(varNum, index, found, status, value, representation);
      if (found) return true;
      continue;
    }
    if (!Answers(r, varNum)) continue;
    if (r.Kind == TKind::Enumeration || r.Kind == TKind::Boolean) {
      const int ordinal = EnumerationFromVariant(*r.ValueStrings, value, representation);
      if (ordinal < 0) status.Set(acInvalidValue);
      else if (r.Kind == TKind::Boolean) *static_cast<bool*>(r.Field) = ordinal != 0;
      else *static_cast<std::uint8_t*>(r.Field) = static_cast<std::uint8_t>(ordinal);
    } else {
      SetField(r, varNum, status, value);
    }
    return true;
  }
  return false;
}

void TDataItemRegister::UnitsChanged(const IScaleValue& scale)
{
  for (const TRecord& r : FRecords) {
    switch (r.Kind) {
      case TKind::Real:
        scale.Apply(*static_cast<double*>(r.Field), r.Dimension);
        break;
      case TKind::Vector:
        for (double& component : *static_cast<TVector*>(r.Field)) scale.Apply(component, r.Dimension);
        break;
      case TKind::SubObject:
        if (IUnitsListener* listener = r.SubObject->UnitsListener()) listener->UnitsChanged(scale);
        break;
      default:
        break;
    }
  }
}

void TDataItemRegister::AssignFields(const TDataItemRegister& source)
{
  const std::size_t n = std::min(FRecords.size(), source.FRecords.size());
  for (std::size_t i = 0; i < n; ++i) {
    const TRecord& to = FRecords[i];
    const TRecord& from = source.FRecords[i];
    if (to.Kind != from.Kind) continue;
    switch (to.Kind) {
      case TKind::Enumeration:
        *static_cast<std::uint8_t*>(to.Field) = *static_cast<const std::uint8_t*>(from.Field);
        break;
      case TKind::Boolean:
        *static_cast<bool*>(to.Field) = *static_cast<const bool*>(from.Field);
        break;
      case TKind::SmallInt:
        *static_cast<std::int16_t*>(to.Field) = *static_cast<const std::int16_t*>(from.Field);
        break;
      case TKind::Integer:
        *static_cast<std::int32_t*>(to.Field) = *static_cast<const std::int32_t*>(from.Field);
        break;
      case TKind::String:
        *static_cast<std::string*>(to.Field) = *static_cast<const std::string*>(from.Field);
        break;
      case TKind::Real:
        *static_cast<double*>(to.Field) = *static_cast<const double*>(from.Field);
        break;
      case TKind::Vector:
        *static_cast<TVector*>(to.Field) = *static_cast<const TVector*>(from.Field);
        break;
      case TKind::SubObject:
        break;  // sub-objects are copied by the classes that own them
    }
  }
}

}  // namespace umbrinex
