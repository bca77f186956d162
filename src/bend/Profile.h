#pragma once
// The user-defined stiffener profile: points of arc length, outside diameter
// and the material of the segment that starts at the point. The last point
// ends the stiffener and has no material.

#include <string>

#include "framework/data/Model.h"

namespace umbrinex {

class TBend;
class TBendStiffenerMaterial;

class TUserDefinedStiffenerPoint : public TEngineDataObject {
 public:
  explicit TUserDefinedStiffenerPoint(TNamedObject* owner) : TEngineDataObject(owner) {}

  double ArcLength = 0.0;
  double Diameter = 0.0;
  TBendStiffenerMaterial* Material = nullptr;
  // The material's name, kept only across writing and reading.
  std::string MaterialName;

  void Assign(const TEngineDataObject& source) override;

 protected:
  void RegisterDataItems(TDataItemRegister& reg) override;
};

struct TProfileValue {
  double Diameter;
  TBendStiffenerMaterial* Material;
};

class TUserDefinedStiffener : public TEngineDataObjectList {
 public:
  explicit TUserDefinedStiffener(TNamedObject* owner);

  TUserDefinedStiffenerPoint& Point(int i) const { return static_cast<TUserDefinedStiffenerPoint&>(*Item(i)); }
  TUserDefinedStiffenerPoint& LastPoint() const { return Point(Count() - 1); }

  // Diameter and material at arc length s, interpolating between points.
  TProfileValue ProfileAt(double s) const;
  // Raises EBendStiffenerError with the first fault of the profile.
  void Check(double stiffenerID) const;
  // True when a segment of the profile uses the material.
  bool Uses(const TBendStiffenerMaterial* material) const;
  void ReplaceMaterial(const TBendStiffenerMaterial* old, TBendStiffenerMaterial* replacement);
  void BeforeWrite();
  void ResolveNames();

  // Inserting and deleting keep the last point without material.
  void InsertItem(int position) override;
  void DeleteItem(int position) override;
  void SetDefaults() override;
  TBend* Bend() const;
};

}  // namespace umbrinex
