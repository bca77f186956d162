// The values of a design checked against their items' own descriptors before
// anything is calculated from them. Entry refuses such values one by one; a
// damaged or hand-made file can still bring them in (a NaN interval, an
// infinite tension, a negative count), and a result calculated from them
// would look as confident as any other. The design stays open as read, so
// that the user can correct what the message names.

#include <cmath>

#include "bend/Bend.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"
#include "framework/data/VarList.h"
#include "framework/data/Variant.h"

namespace umbrinex {

namespace {

// What the message calls an item; "%d" takes the 1-based row of a table
// item. Items without a caption here (texts, choices, lists) are not checked.
const char* ItemCaption(int varNum)
{
  switch (varNum) {
    case vnCableBendStiffness1:
      return "the cable bend stiffness of State 1";
    case vnCableBendStiffness2:
      return "the cable bend stiffness of State 2";
    case vnAllowableBendRadius:
      return "the allowable bend radius";
    case vnStiffenerID:
      return "the stiffener ID";
    case vnActiveLength:
      return "the active length";
    case vnRootDiameter:
      return "the root diameter";
    case vnTipDiameter:
      return "the tip diameter";
    case vnShapePower:
      return "the shape power";
    case vnNumberOfPoints:
      return "the number of profile points";
    case vnPointArcLength:
      return "the arc length of profile point %d";
    case vnPointDiameter:
      return "the diameter of profile point %d";
    case vnNumberOfLoadCases:
      return "the number of load cases";
    case vnLoadCaseTension:
      return "the tension of load case %d";
    case vnLoadCaseAngle:
      return "the angle of load case %d";
    case vnLoadCaseABR:
      return "the ABR of load case %d";
    case vnStationIntervalStiffener:
      return "the station interval on the stiffener";
    case vnStationIntervalCable:
      return "the station interval on the cable";
    case vnCableLength:
      return "the cable length";
    case vnOutputIntervalStiffener:
      return "the output interval on the stiffener";
    case vnOutputIntervalCable:
      return "the output interval on the cable";
    case vnLengthFactorMin:
      return "the minimum length factor";
    case vnLengthFactorMax:
      return "the maximum length factor";
    case vnLengthFactorCount:
      return "the number of length factors";
    case vnStiffnessFactorMin:
      return "the minimum stiffness factor";
    case vnStiffnessFactorMax:
      return "the maximum stiffness factor";
    case vnStiffnessFactorCount:
      return "the number of stiffness factors";
    case vnTensionMin:
      return "the minimum tension";
    case vnTensionMax:
      return "the maximum tension";
    case vnTensionCount:
      return "the number of tensions";
    case vnAngleMin:
      return "the minimum angle";
    case vnAngleMax:
      return "the maximum angle";
    case vnAngleAccuracy:
      return "the angle accuracy";
    case vnNumberOfCircles:
      return "the number of drawing circles";
    case vnCircleX:
      return "the centre x of drawing circle %d";
    case vnCircleY:
      return "the centre y of drawing circle %d";
    case vnCircleDiameter:
      return "the diameter of drawing circle %d";
    case vnNumberOfDiameters:
      return "the number of mould diameters";
    case vnMouldDiameter:
      return "mould diameter %d";
    default:
      return nullptr;
  }
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

// Raises the error naming the item, where to find it and its value, with
// the message entry would have given.
void Check(const TVar& descriptor, const TVariant& value, const std::string& caption, const std::string& item)
{
  const TAccessStatus status = Validate(descriptor, value, descriptor.VarType == vtReal ? vtReal : vtLong);
  if (status.Code == acValid) return;
  std::string reason = status.Text();
  if (!reason.empty() && reason.back() != '.') reason += '.';
  std::string text = VisibleText(caption);
  if (!text.empty()) text[0] = UpperCase(text.substr(0, 1))[0];
  throw EBendDataError(
      Format("%s (item %s) is %s.  %s", text.c_str(), item.c_str(), ValueText(value).c_str(), reason.c_str()));
}

void CheckMaterial(const TBendStiffenerMaterial& material, int materialNumber)
{
  const TVarList& vars = TBend::Vars();
  const std::string name = "material " + std::to_string(materialNumber) + " ('" + material.Name() + "')";
  for (int s = 0; s < StateCount; ++s) {
    const std::string state = Format(", State %d", s + 1);
    Check(vars.Find(vnLinearE), material.LinearE(s), "the linear E of " + name + state, "21040");
    const TTable& curve = material.Curve(s);
    Check(vars.Find(vnCurveNumberOfPoints), static_cast<std::int64_t>(curve.RowCount()),
          "the number of stress-strain points of " + name + state, "21041");
    struct TColumn {
      int VarNum, Column;
      const char* Caption;
    };
    const TColumn columns[] = {{vnCurveStrain, vnStrainColumn, "the strain"},
                               {vnCurveStressOverE, vnStressOverEColumn, "the stress / E"},
                               {vnCurveStress, vnStressColumn, "the stress"}};
    for (int row = 0; row < curve.RowCount(); ++row)
      for (const TColumn& column : columns)
        Check(vars.Find(column.VarNum), curve.Cell(row, column.Column),
              Format("%s at stress-strain point %d of ", column.Caption, row + 1) + name + state,
              Format("%d:%d", column.VarNum, row + 1));
  }
}

}  // namespace

int ItemRowCountVarNum(int varNum)
{
  switch (varNum) {
    case vnPointArcLength:
    case vnPointDiameter:
    case vnPointMaterial:
      return vnNumberOfPoints;
    case vnCurveStrain:
    case vnCurveStressOverE:
    case vnCurveStress:
      return vnCurveNumberOfPoints;
    case vnMaterialName:
      return vnNumberOfTypes;
    case vnLoadCaseTension:
    case vnLoadCaseAngle:
    case vnLoadCaseABR:
    case vnState1Included:
    case vnState2Included:
      return vnNumberOfLoadCases;
    case vnCircleX:
    case vnCircleY:
    case vnCircleDiameter:
      return vnNumberOfCircles;
    case vnMouldDiameter:
      return vnNumberOfDiameters;
    default:
      return 0;
  }
}

void TBend::CheckItemValues() const
{
  if (FItemValuesChecked) return;
  // Reading an item changes nothing, but goes through the access protocol,
  // which is not const.
  auto& self = const_cast<TBend&>(*this);
  const TVarList& vars = Vars();
  for (int i = 0; i < vars.Count(); ++i) {
    const TVar& descriptor = vars[i];
    const char* caption = ItemCaption(descriptor.VarNum);
    if (caption == nullptr || !ShapeItemApplies(*this, descriptor.VarNum)) continue;
    const int countItem = ItemRowCountVarNum(descriptor.VarNum);
    const int rows = countItem == 0 ? 1 : static_cast<int>(self.GetInteger(countItem));
    for (int row = 0; row < rows; ++row) {
      TAccessStatus status;
      TVariant value;
      self.GetValue(descriptor.VarNum, row, status, value, descriptor.VarType == vtReal ? vtReal : vtLong);
      if (status.Code != acOk && status.Code != acReadOnly) continue;
      const std::string item =
          countItem == 0 ? std::to_string(descriptor.VarNum) : Format("%d:%d", descriptor.VarNum, row + 1);
      Check(descriptor, value, countItem == 0 ? caption : Format(caption, row + 1), item);
    }
  }
  Check(vars.Find(vnNumberOfTypes), static_cast<std::int64_t>(FMaterials->Count()), "the number of materials", "21045");
  for (int m = 0; m < FMaterials->Count(); ++m) CheckMaterial(*FMaterials->Material(m), m + 1);
  FItemValuesChecked = true;
}

}  // namespace umbrinex
