// Values that reached the design without passing entry (a damaged file, a
// hand-made one) stop every calculation with a message naming them.

#include <gtest/gtest.h>

#include <limits>

#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "bend/KeyResults.h"
#include "bend/LoadCaseResults.h"
#include "framework/data/Messages.h"

namespace umbrinex {
namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

class ItemCheck : public ::testing::Test {
 protected:
  void Set(int varNum, const TVariant& value, TVarType representation = vtReal, int index = 0)
  {
    TAccessStatus status;
    bend->SetValue(varNum, index, status, value, representation);
    ASSERT_EQ(status.Code, acOk) << varNum << ": " << status.Text();
  }
  // The message of the refusal, or a note that the design was calculated.
  std::string Refusal()
  {
    try {
      bend->KeyResults().EnsureCalculated();
    } catch (const EBendDataError& e) {
      return e.what();
    }
    return "(calculated)";
  }
  std::unique_ptr<TBend> bend = New<TBend>();
};

TEST_F(ItemCheck, OnlyTheShapeDefinitionInUseIsChecked)
{
  bend->Profile().Point(1).Diameter = NaN;
  bend->InvalidateResults();
  EXPECT_EQ(Refusal(), "(calculated)") << "the profile has no say in a power law design";
  Set(vnStiffenerDefinition, "User Defined", vtText);
  bend->InvalidateResults();
  EXPECT_EQ(Refusal(), "The diameter of profile point 2 (item 21032:2) is NaN.  Not a number.");
  Set(vnPointDiameter, 0.17, vtReal, 1);
  bend->InvalidateResults();
  EXPECT_EQ(Refusal(), "(calculated)") << "corrected through its item";
}

TEST_F(ItemCheck, EveryMaterialAndStateIsCheckedWithItsCurve)
{
  Set(vnNumberOfTypes, 2, vtInt);
  bend->Materials().Material(1)->Curve(1).SetCell(1, vnStressOverEColumn, NaN);
  bend->InvalidateResults();
  EXPECT_EQ(Refusal(),
            "The stress / E at stress-strain point 2 of material 2 ('Material 2'), State 2 (item 21043:2) is NaN.  Not "
            "a number.");
  bend->Materials().Material(1)->Curve(1).SetRowCount(1);
  bend->InvalidateResults();
  EXPECT_EQ(Refusal(),
            "The number of stress-strain points of material 2 ('Material 2'), State 2 (item 21041) is 1.  Must be in "
            "the range 2 to 1000.");
}

TEST_F(ItemCheck, NoSolutionOrDrawingIsSetUpFromARefusedValue)
{
  bend->LoadCases().SetCell(0, vnLoadCaseAngle, -5.0);
  bend->InvalidateResults();
  const char* message = "The angle of load case 1 (item 21062:1) is -5.  Cannot be negative.";
  EXPECT_EQ(Refusal(), message);
  EXPECT_THROW(bend->DesignChartResults().EnsureCalculated(), EBendDataError);
  EXPECT_THROW(bend->LoadCaseResults().SetAdHoc(10.0, 10.0), EBendDataError);
  EXPECT_THROW(bend->LoadCaseResults().Solution(0).CheckData(), EBendDataError) << "the drawing's own setup";
  EXPECT_THROW(bend->StandardDiameters().Compute(*bend), EBendDataError);
  EXPECT_EQ(bend->LoadCaseResults().Solution(0).NumOfStations(), 0);
}

}  // namespace
}  // namespace umbrinex
