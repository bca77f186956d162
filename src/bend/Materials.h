#pragma once
// Stiffener materials: per state a linear modulus and a stress-strain curve.
// The user enters one column of the curve (stress / E or stress, chosen per
// state by the stress specifier) and the other follows from LinearE.

#include <array>
#include <memory>

#include "bend/BendVarNums.h"
#include "framework/data/Model.h"
#include "framework/data/Table.h"

namespace umbrinex {

class TBend;

class TBendStiffenerMaterial : public TModelObject {
 public:
  explicit TBendStiffenerMaterial(TNamedObject* owner);
  ~TBendStiffenerMaterial() override;

  double LinearE(int state) const { return FLinearE[Checked(state)]; }
  void SetLinearE(int state, double e);
  const TTable& Curve(int state) const { return *FCurves[Checked(state)]; }
  TTable& Curve(int state) { return *FCurves[Checked(state)]; }
  TStressSpecifier StressSpecifier(int state) const
  {
    return static_cast<TStressSpecifier>(FStressSpecifier[Checked(state)]);
  }
  void SetStressSpecifier(int state, TStressSpecifier specifier);
  int CurrentState() const { return FCurrentState; }

  // Makes the derived column of a state agree with the entered one.
  void RecomputeDerived(int state);
  // Raises EBendStiffenerError when the curve of a state is not usable.
  void CheckCurve(int state) const;
  // Used by the power law shape or by a segment of the profile.
  bool InUse() const;
  bool CanDelete() const override { return !InUse(); }
  void Assign(const TEngineDataObject& source) override;
  void SetDefaults() override;
  void ResetResults() override;
  // The entered column and E are converted separately; the derived column is
  // worked out again so that it stays what a reload of the design gives.
  void UnitsChanged(const IScaleValue& scale) override;
  TBend* Bend() const;

  int FileTypeCode() const override { return tcBend; }
  void ReadTag(ITaggedFile& file, int tag, int sub) override;

 protected:
  void WriteTags(ITaggedFile& file) override;
  void RegisterDataItems(TDataItemRegister& reg) override;
  bool DescribeOwnItem(int varNum, TItemInfo& info) override;
  void PrepareAccess(int varNum) override;
  void GetItem(int varNum, int index, TAccessStatus& status, TVariant& value, TVarType representation) override;
  void SetItem(int varNum, int index, TAccessStatus& status, const TVariant& value,
               TVarType representation) override;

 private:
  static std::size_t Checked(int state);
  bool IsCurveItem(int varNum) const { return varNum >= vnCurveNumberOfPoints && varNum <= vnCurveStress; }

  std::array<double, StateCount> FLinearE{};
  std::array<std::unique_ptr<TTable>, StateCount> FCurves;
  std::array<std::uint8_t, StateCount> FStressSpecifier{};
  std::int32_t FCurrentState = 0;
  // The state the next state tag of a file read fills.
  int FReadState = -1;
};

// The materials of a design: never empty while the model is in use.
class TBendStiffenerMaterialsList : public TModelObjectList {
 public:
  explicit TBendStiffenerMaterialsList(TNamedObject* owner);

  TBendStiffenerMaterial* Material(int i) const { return static_cast<TBendStiffenerMaterial*>(Item(i)); }
  TBendStiffenerMaterial* FindMaterial(const std::string& name) const
  {
    return static_cast<TBendStiffenerMaterial*>(FindByName(name));
  }
  bool CopyOnInsert() const override { return true; }
  // For non-linear calculations: every curve of every material, used or not.
  void CheckAllCurves(TLinearity linearity) const;
  // Empties the list whatever is in use (new design).
  void RemoveAll() { DestroyItems(); }
};

const TValueStrings& StressSpecifierNames();

}  // namespace umbrinex
