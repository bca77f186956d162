#include "bend/BendItemTable.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>

#include "bend/Bend.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

namespace {

const TValueStrings& StiffenerDefinitionNames()
{
  static const TValueStrings names = [] {
    TValueStrings s(1);
    s.Insert(sdUserDefined, "User Defined", {"User*"});
    s.Insert(sdPowerLaw, "Stiffness Power Law", {"Stiffness Power*"});
    return s;
  }();
  return names;
}

const TValueStrings& LinearityNames()
{
  static const TValueStrings names = {"Linear", "Non-Linear"};
  return names;
}

// "> 0" items start at tiny, "≥ 0" items at 0; only the load case ABR
// accepts "~", and none accepts Infinity or "?".
constexpr TItemRange Unranged{};
constexpr TItemRange Positive{true, Tiny, Infinity};
constexpr TItemRange NonNegative{true, 0.0, Infinity};
constexpr TItemRange AnyReal{true, MinusInfinity, Infinity};
constexpr TItemRange PositiveOrDefault{true, Tiny, Infinity, afDefault};
constexpr TItemRange Counts(double min, double max) { return {true, min, max}; }

using enum TItemHolder;

constexpr TBendItem Items[] = {
    // ---- project ----
    {.VarNum = vnProject, .Name = "Project", .Type = vtText, .Default = "Umbrinex Design Example"},
    {.VarNum = vnClient, .Name = "Client", .Type = vtText, .Default = "Tessan Ltd"},
    {.VarNum = vnDesigner, .Name = "Designer", .Type = vtText, .Default = "A.N. Other"},
    // ---- cable: the two stiffnesses are the rows of the model's stiffness table ----
    {.VarNum = vnCableBendStiffness1, .Name = "CableBendStiffness.State1", .Type = vtReal, .Range = Positive,
     .Dimension = dmBendingStiffness, .Holder = Model, .Default = 3.0,
     .Caption = "the cable bend stiffness of State 1"},
    {.VarNum = vnCableBendStiffness2, .Name = "CableBendStiffness.State2", .Type = vtReal, .Range = Positive,
     .Dimension = dmBendingStiffness, .Holder = Model, .Default = 5.0,
     .Caption = "the cable bend stiffness of State 2"},
    {.VarNum = vnAllowableBendRadius, .Name = "AllowableBendRadius", .Type = vtReal, .Range = Positive,
     .Dimension = dmLength, .Default = 2.5, .Caption = "the allowable bend radius"},
    {.VarNum = vnStiffenerID, .Name = "StiffenerID", .Type = vtReal, .Range = Positive, .Dimension = dmLength,
     .Default = 0.15, .Caption = "the stiffener ID"},
    // ---- stiffener shape: the power law ----
    {.VarNum = vnStiffenerDefinition, .Name = "StiffenerDefinition", .Type = vtEnum,
     .Choices = StiffenerDefinitionNames, .Default = sdPowerLaw},
    {.VarNum = vnActiveLength, .Name = "ActiveLength", .Type = vtReal, .Range = Positive, .Dimension = dmLength,
     .Default = 2.0, .Caption = "the active length"},
    {.VarNum = vnRootDiameter, .Name = "RootDiameter", .Type = vtReal, .Range = Positive, .Dimension = dmLength,
     .Default = 0.25, .Caption = "the root diameter"},
    {.VarNum = vnTipDiameter, .Name = "TipDiameter", .Type = vtReal, .Range = Positive, .Dimension = dmLength,
     .Default = 0.16, .Caption = "the tip diameter"},
    {.VarNum = vnShapePower, .Name = "ShapePower", .Type = vtReal, .Range = NonNegative, .Default = 2.0,
     .Caption = "the shape power"},
    // The power law's material is the first of a new design.
    {.VarNum = vnMaterial, .Name = "Material", .Type = vtList, .Holder = Model},
    // ---- stiffener shape: the profile, whose points are made by its own defaults ----
    {.VarNum = vnNumberOfPoints, .Name = "NumberOfPoints", .Type = vtInt, .Range = Counts(2, 1000), .Holder = Model,
     .Caption = "the number of profile points"},
    {.VarNum = vnPointArcLength, .Name = "Point.ArcLength", .Type = vtReal, .Range = NonNegative,
     .Dimension = dmLength, .CountVarNum = vnNumberOfPoints, .Holder = Model,
     .Caption = "the arc length of profile point %d"},
    {.VarNum = vnPointDiameter, .Name = "Point.Diameter", .Type = vtReal, .Range = Positive, .Dimension = dmLength,
     .CountVarNum = vnNumberOfPoints, .Holder = Model, .Caption = "the diameter of profile point %d"},
    {.VarNum = vnPointMaterial, .Name = "Point.Material", .Type = vtList, .CountVarNum = vnNumberOfPoints,
     .Holder = Model},
    // ---- materials: the selected material's items show its current state ----
    {.VarNum = vnLinearE, .Name = "LinearE", .Type = vtReal, .Range = Positive, .Dimension = dmStress,
     .Holder = Materials, .Caption = "the linear E"},
    {.VarNum = vnCurveNumberOfPoints, .Name = "StressStrainCurveNumberOfPoints", .Type = vtInt,
     .Range = Counts(2, 1000), .Holder = Materials, .Caption = "the number of stress-strain points"},
    {.VarNum = vnCurveStrain, .Name = "StressStrainCurve.Strain", .Type = vtReal,
     .CountVarNum = vnCurveNumberOfPoints, .Holder = Materials, .Caption = "the strain at stress-strain point %d"},
    {.VarNum = vnCurveStressOverE, .Name = "StressStrainCurve.StressOverE", .Type = vtReal,
     .CountVarNum = vnCurveNumberOfPoints, .Holder = Materials,
     .Caption = "the stress / E at stress-strain point %d"},
    {.VarNum = vnCurveStress, .Name = "StressStrainCurve.Stress", .Type = vtReal, .Dimension = dmStress,
     .CountVarNum = vnCurveNumberOfPoints, .Holder = Materials, .Caption = "the stress at stress-strain point %d"},
    {.VarNum = vnNumberOfTypes, .Name = "NumberOfTypes", .Type = vtInt, .Range = Counts(1, 1000),
     .Holder = Materials, .Caption = "the number of materials"},
    // The rows are the materials: the model hands each to its material and
    // counts them itself.
    {.VarNum = vnMaterialName, .Name = "Names", .Type = vtName, .CountVarNum = vnNumberOfTypes, .Holder = Model},
    {.VarNum = vnSelectedMaterial, .Name = "SelectedMaterial", .Type = vtCard, .Holder = Materials},
    {.VarNum = vnCurrentState, .Name = "CurrentState", .Type = vtEnum, .Holder = Materials},
    {.VarNum = vnStressSpecifier, .Name = "StressSpecifier", .Type = vtEnum, .Choices = StressSpecifierNames,
     .Holder = Materials},
    // ---- load cases: a new design has its own list of them ----
    {.VarNum = vnNumberOfLoadCases, .Name = "NumberOfLoadCases", .Type = vtInt, .Range = Counts(1, 1000),
     .Holder = Table, .Caption = "the number of load cases"},
    {.VarNum = vnLoadCaseTension, .Name = "LoadCase.Tension", .Type = vtReal, .Range = NonNegative,
     .Dimension = dmForce, .CountVarNum = vnNumberOfLoadCases, .Holder = Table, .Default = 10.0,
     .Caption = "the tension of load case %d"},
    {.VarNum = vnLoadCaseAngle, .Name = "LoadCase.Angle", .Type = vtReal, .Range = NonNegative, .Dimension = dmAngle,
     .CountVarNum = vnNumberOfLoadCases, .Holder = Table, .Default = 45.0, .Caption = "the angle of load case %d"},
    {.VarNum = vnLoadCaseABR, .Name = "LoadCase.ABR", .Type = vtReal, .Range = PositiveOrDefault,
     .Dimension = dmLength, .CountVarNum = vnNumberOfLoadCases, .Holder = Table, .Default = 1.0,
     .Caption = "the ABR of load case %d"},
    // The two flags share one cell of the load case table.
    {.VarNum = vnState1Included, .Name = "LoadCase.State1Included", .Type = vtBool, .Choices = BooleanValueStrings,
     .CountVarNum = vnNumberOfLoadCases, .Holder = Model, .Default = 1.0},
    {.VarNum = vnState2Included, .Name = "LoadCase.State2Included", .Type = vtBool, .Choices = BooleanValueStrings,
     .CountVarNum = vnNumberOfLoadCases, .Holder = Model, .Default = 1.0},
    {.VarNum = vnSelectedLoadCase, .Name = "SelectedLoadCase", .Type = vtInt, .Default = 0.0},
    // ---- analysis ----
    {.VarNum = vnStationIntervalStiffener, .Name = "StationInterval.Stiffener", .Type = vtReal, .Range = Positive,
     .Dimension = dmLength, .Default = 0.05, .Caption = "the station interval on the stiffener"},
    {.VarNum = vnStationIntervalCable, .Name = "StationInterval.Cable", .Type = vtReal, .Range = Positive,
     .Dimension = dmLength, .Default = 0.05, .Caption = "the station interval on the cable"},
    {.VarNum = vnCableLength, .Name = "CableLength", .Type = vtReal, .Range = Positive, .Dimension = dmLength,
     .Default = 0.2, .Caption = "the cable length"},
    {.VarNum = vnOutputIntervalStiffener, .Name = "OutputInterval.Stiffener", .Type = vtReal, .Range = Positive,
     .Dimension = dmLength, .Default = 0.1, .Caption = "the output interval on the stiffener"},
    {.VarNum = vnOutputIntervalCable, .Name = "OutputInterval.Cable", .Type = vtReal, .Range = Positive,
     .Dimension = dmLength, .Default = 0.1, .Caption = "the output interval on the cable"},
    {.VarNum = vnLinearity, .Name = "Linearity", .Type = vtEnum, .Choices = LinearityNames, .Default = lnLinear},
    // ---- chart ranges ----
    {.VarNum = vnLengthFactorMin, .Name = "LengthFactors.Minimum", .Type = vtReal, .Range = Positive,
     .Default = 0.8, .Caption = "the minimum length factor"},
    {.VarNum = vnLengthFactorMax, .Name = "LengthFactors.Maximum", .Type = vtReal, .Range = Positive,
     .Default = 1.6, .Caption = "the maximum length factor"},
    {.VarNum = vnLengthFactorCount, .Name = "LengthFactors.NumberOfCases", .Type = vtInt, .Range = Counts(2, 25),
     .Default = 5.0, .Caption = "the number of length factors"},
    {.VarNum = vnStiffnessFactorMin, .Name = "StiffnessFactors.Minimum", .Type = vtReal, .Range = Positive,
     .Default = 0.8, .Caption = "the minimum stiffness factor"},
    {.VarNum = vnStiffnessFactorMax, .Name = "StiffnessFactors.Maximum", .Type = vtReal, .Range = Positive,
     .Default = 1.6, .Caption = "the maximum stiffness factor"},
    {.VarNum = vnStiffnessFactorCount, .Name = "StiffnessFactors.NumberOfCases", .Type = vtInt,
     .Range = Counts(1, 25), .Default = 5.0, .Caption = "the number of stiffness factors"},
    {.VarNum = vnTensionMin, .Name = "Tensions.Minimum", .Type = vtReal, .Range = NonNegative, .Dimension = dmForce,
     .Default = 0.0, .Caption = "the minimum tension"},
    {.VarNum = vnTensionMax, .Name = "Tensions.Maximum", .Type = vtReal, .Range = Positive, .Dimension = dmForce,
     .Default = 50.0, .Caption = "the maximum tension"},
    {.VarNum = vnTensionCount, .Name = "Tensions.NumberOfCases", .Type = vtInt, .Range = Counts(2, 100),
     .Default = 31.0, .Caption = "the number of tensions"},
    {.VarNum = vnAngleMin, .Name = "Angles.Minimum", .Type = vtReal, .Range = NonNegative, .Dimension = dmAngle,
     .Default = 0.0, .Caption = "the minimum angle"},
    {.VarNum = vnAngleMax, .Name = "Angles.Maximum", .Type = vtReal, .Range = Positive, .Dimension = dmAngle,
     .Default = 90.0, .Caption = "the maximum angle"},
    {.VarNum = vnAngleAccuracy, .Name = "Angles.Accuracy", .Type = vtReal, .Range = Positive, .Dimension = dmAngle,
     .Default = 0.01, .Caption = "the angle accuracy"},
    // ---- drawing circles ----
    {.VarNum = vnNumberOfCircles, .Name = "NumberOfObjects", .Type = vtInt, .Range = Counts(0, 1000),
     .Holder = Table, .Caption = "the number of drawing circles"},
    {.VarNum = vnCircleX, .Name = "Circle.X", .Type = vtReal, .Range = AnyReal, .Dimension = dmLength,
     .CountVarNum = vnNumberOfCircles, .Holder = Table, .Default = 0.0,
     .Caption = "the centre x of drawing circle %d"},
    {.VarNum = vnCircleY, .Name = "Circle.Y", .Type = vtReal, .Range = AnyReal, .Dimension = dmLength,
     .CountVarNum = vnNumberOfCircles, .Holder = Table, .Default = 0.0,
     .Caption = "the centre y of drawing circle %d"},
    {.VarNum = vnCircleDiameter, .Name = "Circle.Diameter", .Type = vtReal, .Range = NonNegative,
     .Dimension = dmLength, .CountVarNum = vnNumberOfCircles, .Holder = Table, .Default = 1.0,
     .Caption = "the diameter of drawing circle %d"},
    // ---- mould diameters: a new design has the standard list ----
    {.VarNum = vnNumberOfDiameters, .Name = "NumberOfDiameters", .Type = vtInt, .Range = Counts(1, Infinity),
     .Holder = Table, .Caption = "the number of mould diameters"},
    {.VarNum = vnMouldDiameter, .Name = "MouldDiameter", .Type = vtReal, .Range = Positive, .Dimension = dmLength,
     .CountVarNum = vnNumberOfDiameters, .Holder = Table, .Default = 0.1, .Caption = "mould diameter %d"},
};

constexpr bool InVarNumOrder()
{
  for (std::size_t i = 1; i < std::size(Items); ++i)
    if (Items[i - 1].VarNum >= Items[i].VarNum) return false;
  return true;
}
// The lookup searches the table by halves, and a VarNum may be declared only once.
static_assert(InVarNumOrder(), "bend items must be declared once each, in VarNum order");

}  // namespace

std::span<const TBendItem> BendItems() { return Items; }

const TBendItem* FindBendItem(int varNum)
{
  const auto* found = std::lower_bound(std::begin(Items), std::end(Items), varNum,
                                       [](const TBendItem& item, int v) { return item.VarNum < v; });
  return found != std::end(Items) && found->VarNum == varNum ? found : nullptr;
}

const TBendItem& BendItem(int varNum)
{
  if (const TBendItem* item = FindBendItem(varNum)) return *item;
  throw std::out_of_range("No bend item " + std::to_string(varNum));
}

TTableColumn ItemColumn(int varNum, int columnVarNum)
{
  const TBendItem& item = BendItem(varNum);
  return {columnVarNum != 0 ? columnVarNum : varNum, item.Default.Number, item.Dimension};
}

const TVarList& TBend::Vars()
{
  static const TVarList vars = [] {
    TVarList v;
    // Every item's help topic is its VarNum: the manual's entry "topic-VarNum".
    for (const TBendItem& item : Items) {
      if (item.Choices != nullptr)
        v.AddRanged(item.VarNum, item.Type, 0, item.Choices().Count() - 1, item.Range.Allow, item.Name, {},
                    item.VarNum);
      else if (item.Range.Ranged)
        v.AddRanged(item.VarNum, item.Type, item.Range.Min, item.Range.Max, item.Range.Allow, item.Name, {},
                    item.VarNum);
      else
        v.AddUnranged(item.VarNum, item.Type, item.Range.Allow, item.Name, {}, item.VarNum);
    }
    return v;
  }();
  return vars;
}

}  // namespace umbrinex
