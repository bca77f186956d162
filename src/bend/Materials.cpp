#include "bend/Materials.h"

#include <stdexcept>

#include "bend/Bend.h"
#include "bend/BendItemTable.h"
#include "framework/data/TextUtils.h"

namespace umbrinex {

const TValueStrings& StressSpecifierNames()
{
  static const TValueStrings names = {"Normalised", "Dimensional"};
  return names;
}

namespace {
// Curve items of the selected state map onto the table's count and columns.
int CurveColumn(int varNum)
{
  switch (varNum) {
    case vnCurveStrain: return vnStrainColumn;
    case vnCurveStressOverE: return vnStressOverEColumn;
    case vnCurveStress: return vnStressColumn;
    default: return varNum;
  }
}
}  // namespace

std::size_t TBendStiffenerMaterial::Checked(int state)
{
  if (state < 0 || state >= StateCount) throw std::out_of_range("State index out of range");
  return static_cast<std::size_t>(state);
}

TBendStiffenerMaterial::TBendStiffenerMaterial(TNamedObject* owner) : TModelObject(owner)
{
  for (auto& curve : FCurves)
    curve = std::make_unique<TTable>(vnCurveNumberOfPoints,
                                     std::vector<TTableColumn>{ItemColumn(vnCurveStrain, vnStrainColumn),
                                                               ItemColumn(vnCurveStressOverE, vnStressOverEColumn),
                                                               ItemColumn(vnCurveStress, vnStressColumn)});
}

TBendStiffenerMaterial::~TBendStiffenerMaterial()
{
  TBend* bend = Bend();
  if (bend == nullptr || bend->Destroying()) return;
  // The second material replaces the first, the first replaces any other;
  // by now this material may already have left the list.
  TBendStiffenerMaterial* replacement = nullptr;
  const TBendStiffenerMaterialsList& list = bend->Materials();
  for (int i = 0; i < list.Count() && replacement == nullptr; ++i)
    if (list.Material(i) != this) replacement = list.Material(i);
  bend->ReplaceMaterial(this, replacement);
}

TBend* TBendStiffenerMaterial::Bend() const { return dynamic_cast<TBend*>(Model()); }

void TBendStiffenerMaterial::SetDefaults()
{
  TModelObject::SetDefaults();
  SetName("Material 1");
  FLinearE = {100000.0, 150000.0};
  FStressSpecifier = {ssNormalised, ssNormalised};
  FCurrentState = 0;
  for (int s = 0; s < StateCount; ++s) {
    TTable& curve = Curve(s);
    curve.SetRowCount(3);
    const double values[] = {-0.3, 0.0, 1.0};
    for (int row = 0; row < 3; ++row) {
      curve.SetCell(row, vnStrainColumn, values[row]);
      curve.SetCell(row, vnStressOverEColumn, values[row]);
    }
    RecomputeDerived(s);
  }
}

void TBendStiffenerMaterial::RegisterDataItems(TDataItemRegister& reg)
{
  reg.RegisterInteger(FCurrentState, vnCurrentState);
  for (double& e : FLinearE) reg.RegisterReal(e, BendItem(vnLinearE).Dimension, NoVarNum);
  for (auto& curve : FCurves) reg.RegisterSubObject(*curve);
}

void TBendStiffenerMaterial::SetLinearE(int state, double e)
{
  FLinearE[Checked(state)] = e;
  RecomputeDerived(state);
}

void TBendStiffenerMaterial::SetStressSpecifier(int state, TStressSpecifier specifier)
{
  FStressSpecifier[Checked(state)] = specifier;
  RecomputeDerived(state);
}

void TBendStiffenerMaterial::RecomputeDerived(int state)
{
  TTable& curve = Curve(state);
  const double e = LinearE(state);
  for (int row = 0; row < curve.RowCount(); ++row) {
    if (StressSpecifier(state) == ssNormalised)
      curve.SetCell(row, vnStressColumn, curve.Cell(row, vnStressOverEColumn) * e);
    else
      curve.SetCell(row, vnStressOverEColumn, curve.Cell(row, vnStressColumn) / e);
  }
}

void TBendStiffenerMaterial::CheckCurve(int state) const
{
  const TTable& curve = Curve(state);
  if (curve.HasDuplicateIndexValues())
    throw EBendStiffenerError(Format(
        "The stress-strain data for material '%s', state %d, is not valid.  The strain values must be unique",
        Name().c_str(), state + 1));
  if (!curve.IsSorted(0))
    throw EBendStiffenerError(Format(
        "The stress-strain data for material '%s', State %d, is not valid.  It must be given in order of increasing "
        "strain",
        Name().c_str(), state + 1));
}

bool TBendStiffenerMaterial::InUse() const
{
  const TBend* bend = Bend();
  if (bend == nullptr) return false;
  return bend->Material() == this || bend->Profile().Uses(this);
}

void TBendStiffenerMaterial::Assign(const TEngineDataObject& source)
{
  const auto* other = dynamic_cast<const TBendStiffenerMaterial*>(&source);
  if (other == nullptr) return TModelObject::Assign(source);
  FLinearE = other->FLinearE;
  for (int s = 0; s < StateCount; ++s) Curve(s).Assign(other->Curve(s));
}

void TBendStiffenerMaterial::UnitsChanged(const IScaleValue& scale)
{
  TModelObject::UnitsChanged(scale);
  for (int s = 0; s < StateCount; ++s) RecomputeDerived(s);
}

void TBendStiffenerMaterial::ResetResults()
{
  TModelObject::ResetResults();
  if (Model() != nullptr) Model()->ResetResults();
}

void TBendStiffenerMaterial::PrepareAccess(int varNum)
{
  TModelObject::PrepareAccess(varNum);
  if (varNum == vnCurrentState) {
    // Which state the form shows is no change to the design.
    SetChangeEffects(false, false, false);
  } else if (varNum == vnCurveStressOverE || varNum == vnCurveStress) {
    // The derived column follows from the entered one and cannot be typed.
    const bool entered = (StressSpecifier(FCurrentState) == ssNormalised) == (varNum == vnCurveStressOverE);
    SetEditable(entered);
  }
}

bool TBendStiffenerMaterial::DescribeOwnItem(int varNum, TItemInfo& info)
{
  if (varNum == vnLinearE) {
    info.Dimension = BendItem(vnLinearE).Dimension;
    return true;
  }
  if (IsCurveItem(varNum)) return Curve(FCurrentState).DescribeItem(CurveColumn(varNum), info);
  return varNum == vnStressSpecifier;
}

void TBendStiffenerMaterial::GetItem(int varNum, int index, TAccessStatus& status, TVariant& value,
                                     TVarType representation)
{
  if (varNum == vnLinearE) {
    value = LinearE(FCurrentState);
  } else if (varNum == vnStressSpecifier) {
    EnumerationToVariant(FStressSpecifier[Checked(FCurrentState)], StressSpecifierNames(), value, representation);
  } else if (IsCurveItem(varNum)) {
    bool found = false;
    Curve(FCurrentState).GetValue(CurveColumn(varNum), index, found, status, value, representation);
  } else {
    TModelObject::GetItem(varNum, index, status, value, representation);
  }
}

void TBendStiffenerMaterial::SetItem(int varNum, int index, TAccessStatus& status, const TVariant& value,
                                     TVarType representation)
{
  if (varNum == vnLinearE) {
    const auto e = value.ToReal();
    if (!e) return status.Set(acInvalidValue);
    SetLinearE(FCurrentState, *e);
  } else if (varNum == vnStressSpecifier) {
    const int ordinal = EnumerationFromVariant(StressSpecifierNames(), value, representation);
    if (ordinal < 0) return status.Set(acInvalidValue);
    SetStressSpecifier(FCurrentState, static_cast<TStressSpecifier>(ordinal));
  } else if (IsCurveItem(varNum)) {
    bool found = false;
    Curve(FCurrentState).SetValue(CurveColumn(varNum), index, found, status, value, representation);
    if (status.Code == acOk) RecomputeDerived(FCurrentState);
  } else if (varNum == vnCurrentState) {
    const auto s = value.ToInteger();
    if (!s || *s < 0 || *s >= StateCount) return status.Set(acInvalidValue);
    FCurrentState = static_cast<std::int32_t>(*s);
  } else {
    TModelObject::SetItem(varNum, index, status, value, representation);
  }
}

// ---- TBendStiffenerMaterialsList ----

TBendStiffenerMaterialsList::TBendStiffenerMaterialsList(TNamedObject* owner)
    : TModelObjectList(owner, [](TNamedObject* o) -> std::unique_ptr<TModelObject> {
        return New<TBendStiffenerMaterial>(o);
      })
{
}

void TBendStiffenerMaterialsList::CheckAllCurves(TLinearity linearity) const
{
  if (linearity != lnNonLinear) return;
  for (int i = 0; i < Count(); ++i)
    for (int s = 0; s < StateCount; ++s) Material(i)->CheckCurve(s);
}

}  // namespace umbrinex
