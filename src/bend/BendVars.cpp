#include "bend/Bend.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

// The descriptors of the bend model's items: "> 0" items start at tiny,
// "≥ 0" items at 0; only the load case ABR accepts "~", and none accepts
// Infinity or "?".
const TVarList& TBend::Vars()
{
  static const TVarList vars = [] {
    TVarList v;
    auto positive = [&](int varNum, const char* name = "") { v.AddRanged(varNum, vtReal, Tiny, Infinity, afNone, name); };
    auto nonNegative = [&](int varNum, const char* name = "") { v.AddRanged(varNum, vtReal, 0.0, Infinity, afNone, name); };
    auto count = [&](int varNum, double min, double max, const char* name = "") {
      v.AddRanged(varNum, vtInt, min, max, afNone, name);
    };
    v.AddUnranged(vnProject, vtText, afNone, "Project");
    v.AddUnranged(vnClient, vtText, afNone, "Client");
    v.AddUnranged(vnDesigner, vtText, afNone, "Designer");
    positive(vnCableBendStiffness1, "CableBendStiffness");
    positive(vnCableBendStiffness2, "CableBendStiffness");
    positive(vnAllowableBendRadius, "AllowableBendRadius");
    positive(vnStiffenerID, "StiffenerID");
    v.AddRanged(vnStiffenerDefinition, vtEnum, 0, 1, afNone, "StiffenerDefinition");
    positive(vnActiveLength, "ActiveLength");
    positive(vnRootDiameter, "RootDiameter");
    positive(vnTipDiameter, "TipDiameter");
    nonNegative(vnShapePower, "ShapePower");
    v.AddUnranged(vnMaterial, vtList, afNone, "Material");
    count(vnNumberOfPoints, 2, 1000, "NumberOfPoints");
    nonNegative(vnPointArcLength);
    positive(vnPointDiameter);
    v.AddUnranged(vnPointMaterial, vtList);
    positive(vnLinearE, "LinearE");
    count(vnCurveNumberOfPoints, 2, 1000, "StressStrainCurveNumberOfPoints");
    v.AddUnranged(vnCurveStrain, vtReal);
    v.AddUnranged(vnCurveStressOverE, vtReal);
    v.AddUnranged(vnCurveStress, vtReal);
    count(vnNumberOfTypes, 1, 1000, "NumberOfTypes");
    v.AddUnranged(vnMaterialName, vtName, afNone, "Names");
    v.AddUnranged(vnSelectedMaterial, vtCard);
    v.AddUnranged(vnCurrentState, vtEnum, afNone, "CurrentState");
    v.AddRanged(vnStressSpecifier, vtEnum, 0, 1, afNone, "StressSpecifier");
    count(vnNumberOfLoadCases, 1, 1000, "NumberOfLoadCases");
    nonNegative(vnLoadCaseTension);
    nonNegative(vnLoadCaseAngle);
    v.AddRanged(vnLoadCaseABR, vtReal, Tiny, Infinity, afDefault);
    v.AddRanged(vnState1Included, vtBool, 0, 1);
    v.AddRanged(vnState2Included, vtBool, 0, 1);
    v.AddUnranged(vnSelectedLoadCase, vtInt, afNone, "SelectedLoadCase");
    positive(vnStationIntervalStiffener, "StationInterval");
    positive(vnStationIntervalCable, "StationInterval");
    positive(vnCableLength, "CableLength");
    positive(vnOutputIntervalStiffener, "OutputInterval");
    positive(vnOutputIntervalCable, "OutputInterval");
    v.AddRanged(vnLinearity, vtEnum, 0, 1, afNone, "Linearity");
    positive(vnLengthFactorMin);
    positive(vnLengthFactorMax);
    count(vnLengthFactorCount, 2, 25);
    positive(vnStiffnessFactorMin);
    positive(vnStiffnessFactorMax);
    count(vnStiffnessFactorCount, 1, 25);
    nonNegative(vnTensionMin);
    positive(vnTensionMax);
    count(vnTensionCount, 2, 100);
    nonNegative(vnAngleMin);
    positive(vnAngleMax);
    positive(vnAngleAccuracy);
    count(vnNumberOfCircles, 0, 1000, "NumberOfObjects");
    v.AddRanged(vnCircleX, vtReal, MinusInfinity, Infinity);
    v.AddRanged(vnCircleY, vtReal, MinusInfinity, Infinity);
    nonNegative(vnCircleDiameter);
    count(vnNumberOfDiameters, 1, Infinity, "NumberOfDiameters");
    positive(vnMouldDiameter);
    return v;
  }();
  return vars;
}

}  // namespace umbrinex
