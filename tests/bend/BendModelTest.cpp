#include "bend/Bend.h"

#include <gtest/gtest.h>

#include <cmath>

#include "framework/data/Messages.h"
#include "framework/data/Units.h"
#include "numerics/ReservedDoubles.h"
#include "TestSupport.h"

namespace umbrinex {
namespace {

class TRecordingPresenter : public IMessagePresenter {
 public:
  std::vector<std::string> Texts;
  int Present(const TMessageRequest& request) override
  {
    Texts.push_back(request.Text);
    return maOk;
  }
};

class BendModel : public ::testing::Test {
 protected:
  void SetUp() override { bend = New<TBend>(); }

  TAccessStatus Set(int varNum, const TVariant& value, TVarType representation = vtReal, int index = 0)
  {
    TAccessStatus status;
    bend->SetValue(varNum, index, status, value, representation);
    return status;
  }
  std::string Text(int varNum, int index = 0) { return bend->GetText(varNum, index); }
  TAccessStatus Status(int varNum, int index = 0, TVarType representation = vtText)
  {
    TAccessStatus status;
    TVariant value;
    bend->GetValue(varNum, index, status, value, representation);
    return status;
  }
  TBendStiffenerMaterial& FirstMaterial() { return *bend->Materials().Material(0); }

  std::unique_ptr<TBend> bend;
};

// What the grid and the item listing learn about an item: its type, the
// dimension that decides its unit names, and the item counting its rows,
// whether the bend model serves it itself, through a table or through the
// materials it redirects to.
TEST_F(BendModel, ItemsDescribeTheirTypeDimensionAndRowCount)
{
  const struct {
    int VarNum;
    TVarType Type;
    TDimension Dimension;
    int CountVarNum;
  } cases[] = {
      {vnProject, vtText, dmDimensionless, 0},
      {vnAllowableBendRadius, vtReal, dmLength, 0},
      {vnCableBendStiffness2, vtReal, dmBendingStiffness, 0},
      {vnPointDiameter, vtReal, dmLength, vnNumberOfPoints},
      {vnPointMaterial, vtList, dmDimensionless, vnNumberOfPoints},
      {vnLoadCaseTension, vtReal, dmForce, vnNumberOfLoadCases},
      {vnLoadCaseABR, vtReal, dmLength, vnNumberOfLoadCases},
      {vnState2Included, vtBool, dmDimensionless, vnNumberOfLoadCases},
      {vnLinearE, vtReal, dmStress, 0},
      {vnCurveStress, vtReal, dmStress, vnCurveNumberOfPoints},
      {vnCurveStrain, vtReal, dmDimensionless, vnCurveNumberOfPoints},
      {vnMaterialName, vtName, dmDimensionless, vnNumberOfTypes},
      {vnTensionMax, vtReal, dmForce, 0},
      {vnMouldDiameter, vtReal, dmLength, vnNumberOfDiameters},
      {2 + TUnits::uiGravity, vtNull, dmAcceleration, 0},
  };
  for (const auto& c : cases) {
    TItemInfo info;
    EXPECT_TRUE(bend->DescribeItem(c.VarNum, info)) << c.VarNum;
    if (c.Type != vtNull) {
      EXPECT_EQ(info.Type, c.Type) << c.VarNum;
    }
    EXPECT_EQ(info.Dimension, c.Dimension) << c.VarNum;
    EXPECT_EQ(info.CountVarNum, c.CountVarNum) << c.VarNum;
  }
  TItemInfo unknown;
  EXPECT_FALSE(bend->DescribeItem(29999, unknown));
}

TEST_F(BendModel, DefaultDesignReadsBackThroughItsItems)
{
  const std::pair<int, const char*> expected[] = {
      {vnProject, "Umbrinex Design Example"},
      {vnClient, "Tessan Ltd"},
      {vnDesigner, "A.N. Other"},
      {vnCableBendStiffness1, "3"},
      {vnCableBendStiffness2, "5"},
      {vnAllowableBendRadius, "2.5"},
      {vnStiffenerID, "0.15"},
      {vnStiffenerDefinition, "Stiffness Power Law"},
      {vnActiveLength, "2"},
      {vnRootDiameter, "0.25"},
      {vnTipDiameter, "0.16"},
      {vnShapePower, "2"},
      {vnMaterial, "Material 1"},
      {vnNumberOfPoints, "3"},
      {vnLinearE, "100000"},
      {vnCurveNumberOfPoints, "3"},
      {vnNumberOfTypes, "1"},
      {vnMaterialName, "Material 1"},
      {vnSelectedMaterial, "Material 1"},
      {vnStressSpecifier, "Normalised"},
      {vnNumberOfLoadCases, "5"},
      {vnSelectedLoadCase, "0"},
      {vnStationIntervalStiffener, "0.05"},
      {vnStationIntervalCable, "0.05"},
      {vnCableLength, "0.2"},
      {vnOutputIntervalStiffener, "0.1"},
      {vnOutputIntervalCable, "0.1"},
      {vnLinearity, "Linear"},
      {vnLengthFactorMin, "0.8"},
      {vnLengthFactorMax, "1.6"},
      {vnLengthFactorCount, "5"},
      {vnStiffnessFactorMin, "0.8"},
      {vnStiffnessFactorMax, "1.6"},
      {vnStiffnessFactorCount, "5"},
      {vnTensionMin, "0"},
      {vnTensionMax, "50"},
      {vnTensionCount, "31"},
      {vnAngleMin, "0"},
      {vnAngleMax, "90"},
      {vnAngleAccuracy, "0.01"},
      {vnNumberOfCircles, "0"},
      {vnNumberOfDiameters, "35"},
      {2, "SI"},
      {3, "m"},
  };
  for (const auto& [varNum, text] : expected) EXPECT_EQ(Text(varNum), text) << varNum;
  EXPECT_EQ(bend->Name(), "Bend");
  EXPECT_EQ(Text(vnMouldDiameter, 0), "0.053");
  EXPECT_EQ(Text(vnMouldDiameter, 34), "0.756");
  const char* tensions[] = {"2.5", "5", "11", "31", "42"};
  const char* angles[] = {"68", "42", "46", "29", "22"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Text(vnLoadCaseTension, i), tensions[i]);
    EXPECT_EQ(Text(vnLoadCaseAngle, i), angles[i]);
    EXPECT_EQ(Text(vnLoadCaseABR, i), "~");
    EXPECT_EQ(Text(vnState1Included, i), "Yes");
    EXPECT_EQ(Text(vnState2Included, i), "Yes");
  }
  EXPECT_EQ(bend->LoadCaseCaption(0), "Load Case 1 (T=2.5, A=68)");
  EXPECT_EQ(bend->SelectedLoadCaseCaption(), "(T=2.5, A=68)");
  EXPECT_EQ(bend->Pen(0).Colour, 0xC0C0C0u);
  EXPECT_EQ(bend->SectionStrips(), 10);
}

TEST_F(BendModel, LengthsFollowTheShapeDefinition)
{
  EXPECT_EQ(bend->StiffenerLength(), 2.0);
  EXPECT_CLOSE(2.2, bend->AnalysedLength(), 1e-15);
  EXPECT_EQ(Set(vnStiffenerDefinition, "User Defined", vtText).Code, acOk);
  EXPECT_CLOSE(0.3, bend->StiffenerLength(), 1e-15);
  EXPECT_CLOSE(0.5, bend->AnalysedLength(), 1e-15);
  EXPECT_EQ(bend->StiffenerRootDiameter(), 0.181);
  EXPECT_EQ(Status(vnShapePower).Code, acNotApplicable);
  EXPECT_EQ(Set(vnShapePower, 3.0).Code, acChangeNotAllowed);
}

TEST_F(BendModel, DefaultLoadCaseABRFollowsTheDesignABR)
{
  EXPECT_EQ(bend->LoadCaseABR(0), 2.5);
  EXPECT_EQ(Set(vnAllowableBendRadius, 3.0).Code, acOk);
  EXPECT_EQ(bend->LoadCaseABR(0), 3.0);
  EXPECT_EQ(Set(vnLoadCaseABR, 1.75, vtReal, 1).Code, acOk);
  EXPECT_EQ(bend->LoadCaseABR(1), 1.75);
  EXPECT_EQ(Set(vnLoadCaseABR, "~", vtText, 1).Code, acOk);
  EXPECT_EQ(bend->LoadCaseABR(1), 3.0);
  EXPECT_EQ(Set(vnAllowableBendRadius, "~", vtText).Message, "Default Value not allowed");
  EXPECT_EQ(Set(vnLoadCaseTension, "inf", vtText).Message, "Infinity not allowed");
}

TEST_F(BendModel, StateFlagsChangeOneCellByteOnly)
{
  EXPECT_EQ(Set(vnState1Included, "No", vtText, 2).Code, acOk);
  EXPECT_FALSE(bend->StateIncluded(2, 0));
  EXPECT_TRUE(bend->StateIncluded(2, 1));
  for (int i : {0, 1, 3, 4}) EXPECT_TRUE(bend->StateIncluded(i, 0) && bend->StateIncluded(i, 1)) << i;
  EXPECT_FALSE(bend->AllStatesIncluded());
  EXPECT_TRUE(bend->AnyLoadCaseActive());
  EXPECT_EQ(bend->GetInteger(vnState1Included, 2), 0);
  EXPECT_EQ(Status(vnState2Included, 5).Code, acInvalidIndex);
}

TEST_F(BendModel, LoadCaseCountKeepsTheSelectionInside)
{
  EXPECT_EQ(Set(vnSelectedLoadCase, 4, vtInt).Code, acOk);
  EXPECT_EQ(Set(vnNumberOfLoadCases, 2, vtInt).Code, acOk);
  EXPECT_EQ(bend->LoadCaseCount(), 2);
  EXPECT_EQ(bend->SelectedLoadCase(), 1);
  EXPECT_EQ(Set(vnNumberOfLoadCases, 0, vtInt).Message, "Must be in the range 1 to 1000");
  EXPECT_EQ(Set(vnSelectedLoadCase, 2, vtInt).Code, acInvalidIndex);
}

TEST_F(BendModel, InsertedLoadCaseCopiesItsNeighbour)
{
  bend->SetStateIncluded(1, 1, false);
  EXPECT_EQ(Set(vnNumberOfLoadCases, 6, vtInsertBefore, 1).Code, acOk);
  EXPECT_EQ(bend->LoadCaseCount(), 6);
  EXPECT_EQ(bend->LoadCaseTension(1), 5.0);
  EXPECT_EQ(bend->LoadCaseTension(2), 5.0);
  EXPECT_TRUE(bend->StateIncluded(1, 0));
  EXPECT_FALSE(bend->StateIncluded(1, 1)) << "the state flags are copied, not averaged";
}

TEST_F(BendModel, CountRangesDifferBetweenLengthAndStiffnessFactors)
{
  EXPECT_EQ(Set(vnLengthFactorCount, 1, vtInt).Message, "Must be in the range 2 to 25");
  EXPECT_EQ(Set(vnStiffnessFactorCount, 1, vtInt).Code, acOk);
  EXPECT_EQ(bend->StiffnessFactorRanges().Count, 1);
}

TEST_F(BendModel, OnlyDataChangesSetDataChanged)
{
  bend->SetDataChanged(false);
  EXPECT_EQ(Set(vnSelectedLoadCase, 2, vtInt).Code, acOk);
  EXPECT_FALSE(bend->DataChanged());
  EXPECT_FALSE(bend->Modified());
  EXPECT_EQ(Set(vnCableBendStiffness2, 6.0).Code, acOk);
  EXPECT_TRUE(bend->DataChanged());
  EXPECT_EQ(bend->CableStiffness(1), 6.0);
  bend->SetDataChanged(false);
  EXPECT_EQ(Set(vnCurrentState, 1, vtInt).Code, acOk);
  EXPECT_FALSE(bend->DataChanged()) << "the state a form shows is no change";
  EXPECT_EQ(Set(vnLinearE, 160000.0).Code, acOk);
  EXPECT_TRUE(bend->DataChanged()) << "material changes reset the model's results";
  EXPECT_EQ(FirstMaterial().LinearE(1), 160000.0);
}

TEST_F(BendModel, MaterialChoiceByNameOrList)
{
  EXPECT_EQ(Set(vnNumberOfTypes, 2, vtInt).Code, acOk);
  TBendStiffenerMaterial& second = *bend->Materials().Material(1);
  EXPECT_EQ(second.Name(), "Material 2");
  EXPECT_EQ(Set(vnMaterial, "Material 2", vtText).Code, acOk);
  EXPECT_EQ(bend->Material(), &second);
  EXPECT_EQ(Set(vnMaterial, "Unobtainium", vtText).Code, acInvalidValue);
  EXPECT_EQ(Status(vnMaterial, 0, vtCard).Code, acInvalidType);
  EXPECT_EQ(Set(vnMaterial, 1, vtCard).Code, acChangeNotAllowed);
  TStringListTarget list;
  TVariant value(&list);
  TAccessStatus status;
  bend->GetValue(vnMaterial, 0, status, value, vtList);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.SelectedIndex(), 1);
  list.SetSelectedIndex(0);
  EXPECT_EQ(Set(vnMaterial, &list, vtList).Code, acOk);
  EXPECT_EQ(bend->Material(), &FirstMaterial());
}

TEST_F(BendModel, MaterialsInUseCannotBeDeleted)
{
  EXPECT_EQ(Set(vnNumberOfTypes, 2, vtInt).Code, acOk);
  EXPECT_EQ(Set(vnNumberOfTypes, 1, vtDelete, 0).Message, "This Object is in use and cannot be deleted.");
  EXPECT_EQ(bend->Materials().Count(), 2);
  // Once neither the power law nor the profile uses it, it can go; the
  // profile points that named it take the replacement.
  EXPECT_EQ(Set(vnMaterial, "Material 2", vtText).Code, acOk);
  EXPECT_EQ(Set(vnNumberOfTypes, 1, vtDelete, 0).Message, "This Object is in use and cannot be deleted.");
  bend->Profile().ReplaceMaterial(&FirstMaterial(), bend->Materials().Material(1));
  EXPECT_EQ(Set(vnNumberOfTypes, 1, vtDelete, 0).Code, acOk);
  EXPECT_EQ(bend->Materials().Count(), 1);
  EXPECT_EQ(bend->Material()->Name(), "Material 2");
}

TEST_F(BendModel, MaterialStressColumnFollowsTheSpecifier)
{
  const TBendStiffenerMaterial& m = FirstMaterial();
  EXPECT_EQ(m.Curve(1).Cell(0, vnStressColumn), -45000.0);
  EXPECT_EQ(m.Curve(1).Cell(1, vnStressColumn), 0.0);
  EXPECT_EQ(m.Curve(1).Cell(2, vnStressColumn), 150000.0);

  EXPECT_EQ(Set(vnLinearE, 200000.0).Code, acOk);
  EXPECT_EQ(m.Curve(0).Cell(0, vnStressColumn), -60000.0);
  EXPECT_EQ(m.Curve(0).Cell(2, vnStressColumn), 200000.0);
  EXPECT_EQ(Status(vnCurveStress, 0).Code, acReadOnly) << "the derived column cannot be typed";

  EXPECT_EQ(Set(vnStressSpecifier, "Dimensional", vtText).Code, acOk);
  EXPECT_EQ(Set(vnLinearE, 100000.0).Code, acOk);
  EXPECT_EQ(m.Curve(0).Cell(2, vnStressColumn), 200000.0);
  EXPECT_EQ(m.Curve(0).Cell(2, vnStressOverEColumn), 2.0);
  EXPECT_EQ(Set(vnCurveStress, 50000.0, vtReal, 1).Code, acOk);
  EXPECT_EQ(m.Curve(0).Cell(1, vnStressOverEColumn), 0.5);
  EXPECT_EQ(Status(vnCurveStrain, 3).Code, acInvalidIndex);
}

TEST_F(BendModel, InvalidCurvesAreNamedWithTheirState)
{
  TBendStiffenerMaterial& m = FirstMaterial();
  auto fail = [&](std::vector<double> strains) {
    for (int row = 0; row < 3; ++row) m.Curve(1).SetCell(row, vnStrainColumn, strains[static_cast<std::size_t>(row)]);
    try {
      m.CheckCurve(1);
    } catch (const EBendStiffenerError& e) {
      return std::string(e.what());
    }
    return std::string("valid");
  };
  EXPECT_EQ(fail({0, 0.01, 0.01}),
            "The stress-strain data for material 'Material 1', state 2, is not valid.  The strain values must be unique");
  EXPECT_EQ(fail({0, 0.02, 0.01}),
            "The stress-strain data for material 'Material 1', State 2, is not valid.  It must be given in order of "
            "increasing strain");
  EXPECT_NE(fail({0.01, 0, 0.02}), "valid");
  EXPECT_NO_THROW(bend->Materials().CheckAllCurves(lnLinear));
  EXPECT_THROW(bend->Materials().CheckAllCurves(lnNonLinear), EBendStiffenerError);
}

TEST_F(BendModel, ProfileInterpolatesDiametersAndTakesTheSegmentMaterial)
{
  const TUserDefinedStiffener& profile = bend->Profile();
  TBendStiffenerMaterial* first = &FirstMaterial();
  EXPECT_EQ(Set(vnNumberOfTypes, 2, vtInt).Code, acOk);
  TBendStiffenerMaterial* second = bend->Materials().Material(1);
  EXPECT_EQ(Set(vnPointMaterial, "Material 2", vtText, 1).Code, acOk);
  EXPECT_CLOSE(0.1685, profile.ProfileAt(0.1).Diameter, 1e-15);
  EXPECT_EQ(profile.ProfileAt(0.1).Material, first);
  EXPECT_EQ(profile.ProfileAt(0.2).Diameter, 0.156);
  EXPECT_EQ(profile.ProfileAt(0.2).Material, first) << "a point belongs to the segment ending there";
  EXPECT_EQ(profile.ProfileAt(0.25).Material, second);
  EXPECT_EQ(profile.ProfileAt(0.0).Diameter, 0.181);
  EXPECT_EQ(Text(vnPointMaterial, 2), "");
  EXPECT_EQ(Status(vnPointMaterial, 2).Code, acReadOnly);
  EXPECT_EQ(Status(vnPointDiameter, 3, vtReal).Code, acInvalidIndex);
}

TEST_F(BendModel, ProfileEditsKeepTheLastPointWithoutMaterial)
{
  TUserDefinedStiffener& profile = bend->Profile();
  EXPECT_EQ(Set(vnNumberOfPoints, 4, vtInt).Code, acOk);
  ASSERT_EQ(profile.Count(), 4);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(profile.Point(i).Material, &FirstMaterial()) << i;
  EXPECT_EQ(profile.Point(3).Material, nullptr);
  EXPECT_CLOSE(0.3, profile.Point(3).ArcLength, 1e-15);
  EXPECT_EQ(profile.Point(3).Diameter, 0.156);

  EXPECT_EQ(Set(vnNumberOfPoints, 3, vtDelete, 3).Code, acOk);
  EXPECT_EQ(Set(vnNumberOfPoints, 2, vtDelete, 2).Code, acOk);
  ASSERT_EQ(profile.Count(), 2);
  EXPECT_EQ(profile.Point(1).Material, nullptr);
  EXPECT_EQ(Set(vnNumberOfPoints, 1, vtInt).Message, "Must be in the range 2 to 1000");
}

TEST_F(BendModel, ProfileChecksReportTheFirstFault)
{
  TUserDefinedStiffener& profile = bend->Profile();
  EXPECT_NO_THROW(profile.Check(0.15));
  auto message = [&] {
    try {
      profile.Check(0.15);
    } catch (const EBendStiffenerError& e) {
      return std::string(e.what());
    }
    return std::string("valid");
  };
  profile.LastPoint().Diameter = 0.14;
  EXPECT_EQ(message(), "In the stiffener shape definition no stiffener diameter may be less than the cable diameter.");
  profile.Point(1).ArcLength = 0.0;
  EXPECT_EQ(message(), "In the stiffener shape definition the arc lengths must be strictly increasing.");
  profile.SetCount(1);
  EXPECT_EQ(message(), "In the stiffener shape definition there must be at least 2 points.");
}

TEST_F(BendModel, PowerLawShapeFollowsTheStiffnessLaw)
{
  const double e = 100000.0;
  const double d4 = std::pow(0.16, 4) + 0.25 * (std::pow(0.25, 4) - std::pow(0.16, 4));
  EXPECT_CLOSE(std::pow(d4, 0.25), bend->PowerLawDiameter(1.0, e), 1e-14);
  EXPECT_CLOSE(0.25, bend->PowerLawDiameter(0.0, e), 1e-14);
  EXPECT_CLOSE(0.16, bend->PowerLawDiameter(2.0, e), 1e-14);
  EXPECT_EQ(Set(vnShapePower, 0.0).Code, acOk);
  const double root = e * 3.14159265358979323846 * (std::pow(0.25, 4) - std::pow(0.15, 4)) / 64.0;
  const double tip = e * 3.14159265358979323846 * (std::pow(0.16, 4) - std::pow(0.15, 4)) / 64.0;
  EXPECT_EQ(bend->PowerLawStiffness(1.999, e), root);
  EXPECT_EQ(bend->PowerLawStiffness(2.0, e), tip);
  EXPECT_NO_THROW(bend->CheckPowerLawShape());
  EXPECT_EQ(Set(vnLinearity, "Non-Linear", vtText).Code, acOk);
  EXPECT_THROW(bend->CheckPowerLawShape(), EBendStiffenerError);
}

TEST_F(BendModel, UnitChangesRescaleEveryDimensionedValueAndComeBack)
{
  bend->SetStateIncluded(3, 0, false);
  auto snapshot = [&] {
    std::vector<double> v;
    for (int varNum : {vnCableBendStiffness1, vnCableBendStiffness2, vnAllowableBendRadius, vnStiffenerID,
                       vnActiveLength, vnRootDiameter, vnTipDiameter, vnShapePower, vnCableLength,
                       vnStationIntervalStiffener, vnOutputIntervalCable, vnTensionMin, vnTensionMax, vnAngleMax,
                       vnLinearE, vnLengthFactorMax})
      v.push_back(bend->GetReal(varNum));
    for (int i = 0; i < 5; ++i) {
      v.push_back(bend->GetReal(vnLoadCaseTension, i));
      v.push_back(bend->GetReal(vnLoadCaseAngle, i));
      v.push_back(bend->GetReal(vnLoadCaseABR, i));
    }
    for (int i = 0; i < 3; ++i) {
      v.push_back(bend->GetReal(vnPointArcLength, i));
      v.push_back(bend->GetReal(vnPointDiameter, i));
      v.push_back(bend->GetReal(vnCurveStress, i));
      v.push_back(bend->GetReal(vnCurveStressOverE, i));
    }
    v.push_back(bend->GetReal(vnMouldDiameter, 7));
    return v;
  };
  const std::vector<double> si = snapshot();
  bend->Units().SetSystem(1);
  EXPECT_CLOSE(2.5 / 0.3048, bend->AllowableBendRadius());
  EXPECT_CLOSE(3.0 / 4.4482216152605 / 0.3048 / 0.3048, bend->CableStiffness(0));
  EXPECT_CLOSE(42.0 / 4.4482216152605, bend->LoadCaseTension(4));
  EXPECT_EQ(bend->LoadCaseAngle(4), 22.0);
  EXPECT_TRUE(IsDefault(bend->LoadCases().Cell(0, vnLoadCaseABR)));
  EXPECT_CLOSE(0.2 / 0.3048, bend->Profile().Point(1).ArcLength);
  EXPECT_CLOSE(100000.0 * 1000.0 / 4448.2216152605 * 0.3048 * 0.3048, FirstMaterial().LinearE(0));
  EXPECT_CLOSE(0.142 / 0.3048, bend->MouldDiameter(7));
  EXPECT_EQ(Text(4), "kp");
  bend->Units().SetSystem(0);
  const std::vector<double> back = snapshot();
  ASSERT_EQ(back.size(), si.size());
  for (std::size_t i = 0; i < si.size(); ++i) EXPECT_CLOSE(si[i], back[i], 1e-14) << i;
  EXPECT_FALSE(bend->StateIncluded(3, 0)) << "the state cell survives unit changes";
  EXPECT_TRUE(bend->StateIncluded(3, 1));
}

TEST_F(BendModel, UnknownMaterialNamesFallBackToTheFirstWithAWarning)
{
  TRecordingPresenter presenter;
  SetMessagePresenter(&presenter);
  bend->SetStoredMaterialName("Missing");
  bend->Profile().Point(0).MaterialName = "Material 1";
  bend->Profile().Point(1).MaterialName = "Gone";
  bend->ResolveNames();
  SetMessagePresenter(nullptr);
  EXPECT_EQ(bend->Material(), &FirstMaterial());
  ASSERT_EQ(presenter.Texts.size(), 2u);
  EXPECT_EQ(presenter.Texts[0], "WARNING.  Cannot find material type 'Missing' - using first material type.");
  EXPECT_EQ(presenter.Texts[1], "WARNING.  Cannot find material type 'Gone' - using first material type.");
}

TEST_F(BendModel, NewDesignRestoresEveryDefault)
{
  EXPECT_EQ(Set(vnNumberOfTypes, 3, vtInt).Code, acOk);
  EXPECT_EQ(Set(vnProject, "Riser X", vtText).Code, acOk);
  EXPECT_EQ(Set(vnNumberOfCircles, 2, vtInt).Code, acOk);
  bend->Units().SetSystem(1);
  bend->SetDefaults();
  EXPECT_EQ(bend->Name(), "Bend");
  EXPECT_EQ(bend->Project(), "Umbrinex Design Example");
  EXPECT_EQ(bend->Materials().Count(), 1);
  EXPECT_EQ(FirstMaterial().Name(), "Material 1");
  EXPECT_EQ(bend->Material(), &FirstMaterial());
  EXPECT_EQ(bend->Profile().Point(0).Material, &FirstMaterial());
  EXPECT_EQ(bend->Circles().RowCount(), 0);
  EXPECT_EQ(bend->Units().System(), 0);
  EXPECT_EQ(bend->AllowableBendRadius(), 2.5);
}

}  // namespace
}  // namespace umbrinex
