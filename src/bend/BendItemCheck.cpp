// The values of a design checked against their items' own descriptors before
// anything is calculated from them. Entry refuses such values one by one; a
// damaged or hand-made file can still bring them in (a NaN interval, an
// infinite tension, a negative count), and a result calculated from them
// would look as confident as any other. The design stays open as read, so
// that the user can correct what the message names.

#include <cmath>
#include <mutex>

#include "bend/Bend.h"
#include "bend/BendItemTable.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "framework/data/VarList.h"
#include "framework/data/Variant.h"

namespace umbrinex {

namespace {

// The shape definition not chosen has no say in the results.
bool ShapeItemApplies(const TBend& bend, int varNum)
{
  if (varNum >= vnActiveLength && varNum <= vnShapePower) return bend.StiffenerDefinition() == sdPowerLaw;
  if (varNum >= vnNumberOfPoints && varNum <= vnPointMaterial) return bend.StiffenerDefinition() == sdUserDefined;
  return true;
}

std::string ValueText(const TVariant& value)
{
  if (value.Kind() == TVariant::TKind::Real) return RealToText(*value.ToReal());
  return value.ToText();
}

// Where a refused value is: what the message calls it, and its item as
// VarNum or VarNum:ROW.
struct TPlace {
  std::string Caption;
  std::string Item;
};

// Raises the error naming the item, where to find it and its value, with
// the message entry would have given. The place is described only then:
// a sound design costs no texts.
template <typename Describe>
void Check(const TVar& descriptor, const TVariant& value, Describe describe)
{
  const TAccessStatus status = Validate(descriptor, value, descriptor.VarType == vtReal ? vtReal : vtLong);
  if (status.Code == acValid) return;
  const TPlace place = describe();
  std::string reason = status.Text();
  if (!reason.empty() && reason.back() != '.') reason += '.';
  std::string text = VisibleText(place.Caption);
  if (!text.empty()) text[0] = UpperCase(text.substr(0, 1))[0];
  throw EBendDataError(
      Format("%s (item %s) is %s.  %s", text.c_str(), place.Item.c_str(), ValueText(value).c_str(), reason.c_str()));
}

// What the message calls an item of a material: its caption, the row
// (from 1) of a curve item, the material and the state.
std::string MaterialCaption(int varNum, int row, const TBendStiffenerMaterial& material, int materialNumber, int s)
{
  const char* caption = BendItem(varNum).Caption;
  return (row > 0 ? Format(caption, row) : std::string(caption)) + Format(" of material %d ('", materialNumber) +
         material.Name() + Format("'), State %d", s + 1);
}

void CheckMaterial(const TBendStiffenerMaterial& material, int materialNumber)
{
  const TVarList& vars = TBend::Vars();
  for (int s = 0; s < StateCount; ++s) {
    Check(vars.Find(vnLinearE), material.LinearE(s), [&] {
      return TPlace{MaterialCaption(vnLinearE, 0, material, materialNumber, s), std::to_string(vnLinearE)};
    });
    const TTable& curve = material.Curve(s);
    Check(vars.Find(vnCurveNumberOfPoints), static_cast<std::int64_t>(curve.RowCount()), [&] {
      return TPlace{MaterialCaption(vnCurveNumberOfPoints, 0, material, materialNumber, s),
                    std::to_string(vnCurveNumberOfPoints)};
    });
    struct TColumn {
      const TVar& Descriptor;
      int Column;
    };
    const TColumn columns[] = {{vars.Find(vnCurveStrain), vnStrainColumn},
                               {vars.Find(vnCurveStressOverE), vnStressOverEColumn},
                               {vars.Find(vnCurveStress), vnStressColumn}};
    for (int row = 0; row < curve.RowCount(); ++row)
      for (const TColumn& column : columns)
        Check(column.Descriptor, curve.Cell(row, column.Column), [&] {
          return TPlace{MaterialCaption(column.Descriptor.VarNum, row + 1, material, materialNumber, s),
                        Format("%d:%d", column.Descriptor.VarNum, row + 1)};
        });
  }
}

}  // namespace

void TBend::CheckItemValues() const
{
  if (FItemValuesChecked) return;
  // The threads of a chart may all come here first; the access protocol
  // below keeps state in the model, so one thread checks at a time.
  static std::mutex checking;
  const std::lock_guard lock(checking);
  if (FItemValuesChecked) return;
  // Reading an item changes nothing, but goes through the access protocol,
  // which is not const.
  auto& self = const_cast<TBend&>(*this);
  const TVarList& vars = Vars();
  // The materials' items are checked material by material below.
  for (const TBendItem& item : BendItems()) {
    if (item.Caption == nullptr || item.Holder == TItemHolder::Materials) continue;
    if (!ShapeItemApplies(*this, item.VarNum)) continue;
    const TVar& descriptor = vars.Find(item.VarNum);
    const int countItem = item.CountVarNum;
    const int rows = countItem == 0 ? 1 : static_cast<int>(self.GetInteger(countItem));
    for (int row = 0; row < rows; ++row) {
      TAccessStatus status;
      TVariant value;
      self.GetValue(item.VarNum, row, status, value, descriptor.VarType == vtReal ? vtReal : vtLong);
      if (status.Code != acOk && status.Code != acReadOnly) continue;
      Check(descriptor, value, [&] {
        if (countItem == 0) return TPlace{item.Caption, std::to_string(item.VarNum)};
        return TPlace{Format(item.Caption, row + 1), Format("%d:%d", item.VarNum, row + 1)};
      });
    }
  }
  Check(vars.Find(vnNumberOfTypes), static_cast<std::int64_t>(FMaterials->Count()), [] {
    return TPlace{BendItem(vnNumberOfTypes).Caption, std::to_string(vnNumberOfTypes)};
  });
  for (int m = 0; m < FMaterials->Count(); ++m) CheckMaterial(*FMaterials->Material(m), m + 1);
  FItemValuesChecked = true;
}

}  // namespace umbrinex
