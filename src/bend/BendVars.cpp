#include "bend/Bend.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

// The descriptors of the bend model's items: "> 0" items start at tiny,
// "≥ 0" items at 0; only the load case ABR accepts "~", and none accepts
// Infinity or "?". Every item has a name of its own, which scripts and the
// item listing use: a table column or one of a pair of items is named after
// its table or pair and its column ("LoadCase.Tension",
// "CableBendStiffness.State2").
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
    positive(vnCableBendStiffness1, "CableBendStiffness.State1");
    positive(vnCableBendStiffness2, "CableBendStiffness.State2");
    positive(vnAllowableBendRadius, "AllowableBendRadius");
    positive(vnStiffenerID, "StiffenerID");
    v.AddRanged(vnStiffenerDefinition, vtEnum, 0, 1, afNone, "StiffenerDefinition");
    positive(vnActiveLength, "ActiveLength");
    positive(vnRootDiameter, "RootDiameter");
    positive(vnTipDiameter, "TipDiameter");
    nonNegative(vnShapePower, "ShapePower");
    v.AddUnranged(vnMaterial, vtList, afNone, "Material");
    count(vnNumberOfPoints, 2, 1000, "NumberOfPoints");
    nonNegative(vnPointArcLength, "Point.ArcLength");
    positive(vnPointDiameter, "Point.Diameter");
    v.AddUnranged(vnPointMaterial, vtList, afNone, "Point.Material");
    positive(vnLinearE, "LinearE");
    count(vnCurveNumberOfPoints, 2, 1000, "StressStrainCurveNumberOfPoints");
    v.AddUnranged(vnCurveStrain, vtReal, afNone, "StressStrainCurve.Strain");
    v.AddUnranged(vnCurveStressOverE, vtReal, afNone, "StressStrainCurve.StressOverE");
    v.AddUnranged(vnCurveStress, vtReal, afNone, "StressStrainCurve.Stress");
    count(vnNumberOfTypes, 1, 1000, "NumberOfTypes");
    v.AddUnranged(vnMaterialName, vtName, afNone, "Names");
    v.AddUnranged(vnSelectedMaterial, vtCard, afNone, "SelectedMaterial");
    v.AddUnranged(vnCurrentState, vtEnum, afNone, "CurrentState");
    v.AddRanged(vnStressSpecifier, vtEnum, 0, 1, afNone, "StressSpecifier");
    count(vnNumberOfLoadCases, 1, 1000, "NumberOfLoadCases");
    nonNegative(vnLoadCaseTension, "LoadCase.Tension");
    nonNegative(vnLoadCaseAngle, "LoadCase.Angle");
    v.AddRanged(vnLoadCaseABR, vtReal, Tiny, Infinity, afDefault, "LoadCase.ABR");
    v.AddRanged(vnState1Included, vtBool, 0, 1, afNone, "LoadCase.State1Included");
    v.AddRanged(vnState2Included, vtBool, 0, 1, afNone, "LoadCase.State2Included");
    v.AddUnranged(vnSelectedLoadCase, vtInt, afNone, "SelectedLoadCase");
    positive(vnStationIntervalStiffener, "StationInterval.Stiffener");
    positive(vnStationIntervalCable, "StationInterval.Cable");
    positive(vnCableLength, "CableLength");
    positive(vnOutputIntervalStiffener, "OutputInterval.Stiffener");
    positive(vnOutputIntervalCable, "OutputInterval.Cable");
    v.AddRanged(vnLinearity, vtEnum, 0, 1, afNone, "Linearity");
    positive(vnLengthFactorMin, "LengthFactors.Minimum");
    positive(vnLengthFactorMax, "LengthFactors.Maximum");
    count(vnLengthFactorCount, 2, 25, "LengthFactors.NumberOfCases");
    positive(vnStiffnessFactorMin, "StiffnessFactors.Minimum");
    positive(vnStiffnessFactorMax, "StiffnessFactors.Maximum");
    count(vnStiffnessFactorCount, 1, 25, "StiffnessFactors.NumberOfCases");
    nonNegative(vnTensionMin, "Tensions.Minimum");
    positive(vnTensionMax, "Tensions.Maximum");
    count(vnTensionCount, 2, 100, "Tensions.NumberOfCases");
    nonNegative(vnAngleMin, "Angles.Minimum");
    positive(vnAngleMax, "Angles.Maximum");
    positive(vnAngleAccuracy, "Angles.Accuracy");
    count(vnNumberOfCircles, 0, 1000, "NumberOfObjects");
    v.AddRanged(vnCircleX, vtReal, MinusInfinity, Infinity, afNone, "Circle.X");
    v.AddRanged(vnCircleY, vtReal, MinusInfinity, Infinity, afNone, "Circle.Y");
    nonNegative(vnCircleDiameter, "Circle.Diameter");
    count(vnNumberOfDiameters, 1, Infinity, "NumberOfDiameters");
    positive(vnMouldDiameter, "MouldDiameter");
    return v;
  }();
  return vars;
}

}  // namespace umbrinex
