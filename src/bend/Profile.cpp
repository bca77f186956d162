#include "bend/Profile.h"

#include "bend/Bend.h"
#include "bend/BendItemTable.h"
#include "framework/data/Messages.h"
#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"

namespace umbrinex {

void TUserDefinedStiffenerPoint::RegisterDataItems(TDataItemRegister& reg)
{
  // Reached through the bend model's items; registered so that unit changes
  // reach them.
  reg.RegisterReal(ArcLength, BendItem(vnPointArcLength).Dimension, NoVarNum);
  reg.RegisterReal(Diameter, BendItem(vnPointDiameter).Dimension, NoVarNum);
}

void TUserDefinedStiffenerPoint::Assign(const TEngineDataObject& source)
{
  TEngineDataObject::Assign(source);
  if (const auto* other = dynamic_cast<const TUserDefinedStiffenerPoint*>(&source)) {
    Material = other->Material;
    MaterialName = other->MaterialName;
  }
}

TUserDefinedStiffener::TUserDefinedStiffener(TNamedObject* owner)
    : TEngineDataObjectList(owner, [](TNamedObject* o) -> std::unique_ptr<TEngineDataObject> {
        return New<TUserDefinedStiffenerPoint>(o);
      })
{
}

TBend* TUserDefinedStiffener::Bend() const { return dynamic_cast<TBend*>(Model()); }

void TUserDefinedStiffener::SetDefaults()
{
  TEngineDataObjectList::SetDefaults();
  while (Count() > 0) TEngineDataObjectList::DeleteItem(Count() - 1);
  TBend* bend = Bend();
  TBendStiffenerMaterial* first = bend ? bend->Materials().Material(0) : nullptr;
  const TUnits* units = GetUnits();
  const TDimension& arcLength = BendItem(vnPointArcLength).Dimension;
  const TDimension& diameter = BendItem(vnPointDiameter).Dimension;
  struct TDefaultPoint {
    double ArcLength, Diameter;
  };
  const TDefaultPoint points[] = {{0.0, 0.181}, {0.2, 0.156}, {0.3, 0.156}};
  for (int i = 0; i < 3; ++i) {
    TEngineDataObjectList::InsertItem(i);
    TUserDefinedStiffenerPoint& p = Point(i);
    p.ArcLength = units ? units->FromSI(arcLength, points[i].ArcLength) : points[i].ArcLength;
    p.Diameter = units ? units->FromSI(diameter, points[i].Diameter) : points[i].Diameter;
    p.Material = i < 2 ? first : nullptr;
  }
}

TProfileValue TUserDefinedStiffener::ProfileAt(double s) const
{
  const int n = Count();
  int k = 0;
  while (k + 1 < n && Point(k + 1).ArcLength < s) ++k;
  const TUserDefinedStiffenerPoint& a = Point(k);
  if (k + 1 >= n) return {a.Diameter, a.Material};
  const TUserDefinedStiffenerPoint& b = Point(k + 1);
  double f = (s - a.ArcLength) / (b.ArcLength - a.ArcLength);
  if (f < 0.0) f = 0.0;
  if (f > 1.0) f = 1.0;
  return {a.Diameter + (b.Diameter - a.Diameter) * f, a.Material};
}

void TUserDefinedStiffener::Check(double stiffenerID) const
{
  if (Count() < 2) throw EBendStiffenerError("In the stiffener shape definition there must be at least 2 points.");
  const char* tooThin = "In the stiffener shape definition no stiffener diameter may be less than the cable diameter.";
  for (int i = 0; i + 1 < Count(); ++i) {
    if (!(Point(i + 1).ArcLength > Point(i).ArcLength))
      throw EBendStiffenerError("In the stiffener shape definition the arc lengths must be strictly increasing.");
    if (Point(i).Diameter < stiffenerID) throw EBendStiffenerError(tooThin);
  }
  if (LastPoint().Diameter < stiffenerID) throw EBendStiffenerError(tooThin);
}

bool TUserDefinedStiffener::Uses(const TBendStiffenerMaterial* material) const
{
  for (int i = 0; i + 1 < Count(); ++i)
    if (Point(i).Material == material) return true;
  return false;
}

void TUserDefinedStiffener::ReplaceMaterial(const TBendStiffenerMaterial* old, TBendStiffenerMaterial* replacement)
{
  for (int i = 0; i < Count(); ++i)
    if (Point(i).Material == old) Point(i).Material = replacement;
}

void TUserDefinedStiffener::InsertItem(int position)
{
  const int n = Count();
  const bool atEnd = (position == n || position == n - 1) && n >= 2 && LastPoint().Material == nullptr;
  if (atEnd) LastPoint().Material = Point(n - 2).Material;
  TEngineDataObjectList::InsertItem(position);
  if (atEnd) LastPoint().Material = nullptr;
}

void TUserDefinedStiffener::DeleteItem(int position)
{
  const int n = Count();
  const bool last = position == n - 1 && n >= 2 && LastPoint().Material == nullptr;
  TEngineDataObjectList::DeleteItem(position);
  if (last) LastPoint().Material = nullptr;
}

void TUserDefinedStiffener::BeforeWrite()
{
  for (int i = 0; i + 1 < Count(); ++i) {
    TUserDefinedStiffenerPoint& p = Point(i);
    p.MaterialName = p.Material ? p.Material->Name() : std::string();
  }
}

void TUserDefinedStiffener::ResolveNames()
{
  TBend* bend = Bend();
  if (bend == nullptr) return;
  // A damaged file may name a missing material at every one of a thousand
  // points, each name as long as a text can be: a few warnings say it.
  int missing = 0;
  for (int i = 0; i + 1 < Count(); ++i) {
    TUserDefinedStiffenerPoint& p = Point(i);
    p.Material = bend->ResolveMaterialName(p.MaterialName, &missing);
  }
  if (missing > TBend::MissingNamesShown)
    ShowWarning(Format("... and %d more such warnings", missing - TBend::MissingNamesShown));
}

}  // namespace umbrinex
