#pragma once
// VarNums of the bend model's data items. They are the natural keys of the
// design: forms, the clipboard, the comparison of data and the data file all
// use them unchanged. Everything else about an item is declared with it in
// the item table (BendItemTable.cpp), which has one entry for each of these.

namespace umbrinex {

enum TBendVarNum : int {
  vnProject = 21002,
  vnClient = 21003,
  vnDesigner = 21004,
  vnCableBendStiffness1 = 21010,
  vnCableBendStiffness2 = 21011,
  vnAllowableBendRadius = 21012,
  vnStiffenerID = 21013,
  vnStiffenerDefinition = 21020,
  vnActiveLength = 21021,
  vnRootDiameter = 21022,
  vnTipDiameter = 21023,
  vnShapePower = 21024,
  vnMaterial = 21025,
  vnNumberOfPoints = 21030,
  vnPointArcLength = 21031,
  vnPointDiameter = 21032,
  vnPointMaterial = 21033,
  // 21040..21049 belong to the materials list and its selected material.
  vnLinearE = 21040,
  vnCurveNumberOfPoints = 21041,
  vnCurveStrain = 21042,
  vnCurveStressOverE = 21043,
  vnCurveStress = 21044,
  vnNumberOfTypes = 21045,
  vnMaterialName = 21046,
  vnSelectedMaterial = 21047,
  vnCurrentState = 21048,
  vnStressSpecifier = 21049,
  vnNumberOfLoadCases = 21060,
  vnLoadCaseTension = 21061,
  vnLoadCaseAngle = 21062,
  vnLoadCaseABR = 21063,
  vnState1Included = 21064,
  vnState2Included = 21065,
  vnSelectedLoadCase = 21066,
  vnStationIntervalStiffener = 21070,
  vnStationIntervalCable = 21071,
  vnCableLength = 21072,
  vnOutputIntervalStiffener = 21073,
  vnOutputIntervalCable = 21074,
  vnLinearity = 21075,
  vnLengthFactorMin = 21076,
  vnLengthFactorMax = 21077,
  vnLengthFactorCount = 21078,
  vnStiffnessFactorMin = 21079,
  vnStiffnessFactorMax = 21080,
  vnStiffnessFactorCount = 21081,
  vnTensionMin = 21082,
  vnTensionMax = 21083,
  vnTensionCount = 21084,
  vnAngleMin = 21085,
  vnAngleMax = 21086,
  vnAngleAccuracy = 21087,
  vnNumberOfCircles = 21100,
  vnCircleX = 21101,
  vnCircleY = 21102,
  vnCircleDiameter = 21103,
  vnNumberOfDiameters = 21110,
  vnMouldDiameter = 21111,
};

// Column VarNums of the tables that are not data items of their own.
inline constexpr int vnCableStiffnessColumn = 1;
inline constexpr int vnStrainColumn = 1;
inline constexpr int vnStressOverEColumn = 2;
inline constexpr int vnStressColumn = 3;

// The two property states.
inline constexpr int StateCount = 2;

// Choices of the enumerations.
enum TStiffenerDefinition : unsigned char { sdUserDefined = 0, sdPowerLaw = 1 };
enum TLinearity : unsigned char { lnLinear = 0, lnNonLinear = 1 };
enum TStressSpecifier : unsigned char { ssNormalised = 0, ssDimensional = 1 };

}  // namespace umbrinex
