// The values of a design checked against their items' own descriptors before
// anything is calculated from them. Entry refuses such values one by one; a
// damaged or hand-made file can still bring them in (a NaN interval, an
// infinite tension, a negative count), and a result calculated from them
// would look as confident as any other. The design stays open as read, so
// that the user can correct what the message names.

#include <cmath>
#include <mutex>

#include "bend/Bend.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "framework/data/VarList.h"
#include "framework/data/Variant.h"

namespace umbrinex {

namespace {

// What the message calls an item; "%d" takes the 1-based row of a table
// item. Items without a caption here (texts, choices, lists) are not checked.
struct TCaption {
  int VarNum;
  const char* Text;
};
constexpr TCaption ItemCaptions[] = {
    {vnCableBendStiffness1, "the cable bend stiffness of State 1"},
    {vnCableBendStiffness2, "the cable bend stiffness of State 2"},
    {vnAllowableBendRadius, "the allowable bend radius"},
    {vnStiffenerID, "the stiffener ID"},
    {vnActiveLength, "the active length"},
    {vnRootDiameter, "the root diameter"},
    {vnTipDiameter, "the tip diameter"},
    {vnShapePower, "the shape power"},
    {vnNumberOfPoints, "the number of profile points"},
    {vnPointArcLength, "the arc length of profile point %d"},
    {vnPointDiameter, "the diameter of profile point %d"},
    {vnNumberOfLoadCases, "the number of load cases"},
    {vnLoadCaseTension, "the tension of load case %d"},
    {vnLoadCaseAngle, "the angle of load case %d"},
    {vnLoadCaseABR, "the ABR of load case %d"},
    {vnStationIntervalStiffener, "the station interval on the stiffener"},
    {vnStationIntervalCable, "the station interval on the cable"},
    {vnCableLength, "the cable length"},
    {vnOutputIntervalStiffener, "the output interval on the stiffener"},
    {vnOutputIntervalCable, "the output interval on the cable"},
    {vnLengthFactorMin, "the minimum length factor"},
    {vnLengthFactorMax, "the maximum length factor"},
    {vnLengthFactorCount, "the number of length factors"},
    {vnStiffnessFactorMin, "the minimum stiffness factor"},
    {vnStiffnessFactorMax, "the maximum stiffness factor"},
    {vnStiffnessFactorCount, "the number of stiffness factors"},
    {vnTensionMin, "the minimum tension"},
    {vnTensionMax, "the maximum tension"},
    {vnTensionCount, "the number of tensions"},
    {vnAngleMin, "the minimum angle"},
    {vnAngleMax, "the maximum angle"},
    {vnAngleAccuracy, "the angle accuracy"},
    {vnNumberOfCircles, "the number of drawing circles"},
    {vnCircleX, "the centre x of drawing circle %d"},
    {vnCircleY, "the centre y of drawing circle %d"},
    {vnCircleDiameter, "the diameter of drawing circle %d"},
    {vnNumberOfDiameters, "the number of mould diameters"},
    {vnMouldDiameter, "mould diameter %d"},
};

const char* ItemCaption(int varNum)
{
  for (const TCaption& caption : ItemCaptions)
    if (caption.VarNum == varNum) return caption.Text;
  return nullptr;
}

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

void CheckMaterial(const TBendStiffenerMaterial& material, int materialNumber)
{
  const TVarList& vars = TBend::Vars();
  auto of = [&](int s) {
    return Format(" of material %d ('", materialNumber) + material.Name() + Format("'), State %d", s + 1);
  };
  for (int s = 0; s < StateCount; ++s) {
    Check(vars.Find(vnLinearE), material.LinearE(s), [&] { return TPlace{"the linear E" + of(s), "21040"}; });
    const TTable& curve = material.Curve(s);
    Check(vars.Find(vnCurveNumberOfPoints), static_cast<std::int64_t>(curve.RowCount()), [&] {
      return TPlace{"the number of stress-strain points" + of(s), "21041"};
    });
    struct TColumn {
      const TVar& Descriptor;
      int Column;
      const char* Caption;
    };
    const TColumn columns[] = {{vars.Find(vnCurveStrain), vnStrainColumn, "the strain"},
                               {vars.Find(vnCurveStressOverE), vnStressOverEColumn, "the stress / E"},
                               {vars.Find(vnCurveStress), vnStressColumn, "the stress"}};
    for (int row = 0; row < curve.RowCount(); ++row)
      for (const TColumn& column : columns)
        Check(column.Descriptor, curve.Cell(row, column.Column), [&] {
          return TPlace{Format("%s at stress-strain point %d", column.Caption, row + 1) + of(s),
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
  for (int i = 0; i < vars.Count(); ++i) {
    const TVar& descriptor = vars[i];
    const char* caption = ItemCaption(descriptor.VarNum);
    if (caption == nullptr || !ShapeItemApplies(*this, descriptor.VarNum)) continue;
    TItemInfo info;
    self.DescribeItem(descriptor.VarNum, info);
    const int countItem = info.CountVarNum;
    const int rows = countItem == 0 ? 1 : static_cast<int>(self.GetInteger(countItem));
    for (int row = 0; row < rows; ++row) {
      TAccessStatus status;
      TVariant value;
      self.GetValue(descriptor.VarNum, row, status, value, descriptor.VarType == vtReal ? vtReal : vtLong);
      if (status.Code != acOk && status.Code != acReadOnly) continue;
      Check(descriptor, value, [&] {
        if (countItem == 0) return TPlace{caption, std::to_string(descriptor.VarNum)};
        return TPlace{Format(caption, row + 1), Format("%d:%d", descriptor.VarNum, row + 1)};
      });
    }
  }
  Check(vars.Find(vnNumberOfTypes), static_cast<std::int64_t>(FMaterials->Count()), [] {
    return TPlace{"the number of materials", "21045"};
  });
  for (int m = 0; m < FMaterials->Count(); ++m) CheckMaterial(*FMaterials->Material(m), m + 1);
  FItemValuesChecked = true;
}

}  // namespace umbrinex
