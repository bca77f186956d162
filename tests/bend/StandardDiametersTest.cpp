#include "bend/StandardDiameters.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "bend/Bend.h"
#include "framework/data/Messages.h"
#include "framework/data/Units.h"

namespace umbrinex {
namespace {

class TAnsweringPresenter : public IMessagePresenter {
 public:
  explicit TAnsweringPresenter(int answer) : FAnswer(answer) {}
  std::vector<std::string> Texts;
  int Present(const TMessageRequest& request) override
  {
    Texts.push_back(request.Text);
    return request.Type == TMessageType::Question ? FAnswer : maOk;
  }

 private:
  int FAnswer;
};

class StandardDiametersTest : public ::testing::Test {
 protected:
  void SetUp() override { bend = New<TBend>(); }
  void TearDown() override { SetMessagePresenter(nullptr); }

  void SetMoulds(std::initializer_list<double> diameters)
  {
    TTable& moulds = bend->MouldDiameters();
    moulds.SetRowCount(static_cast<int>(diameters.size()));
    int row = 0;
    for (double d : diameters) moulds.SetCell(row++, vnMouldDiameter, d);
  }
  void SetReal(int varNum, double value)
  {
    TAccessStatus status;
    bend->SetValue(varNum, 0, status, value, vtReal);
    ASSERT_EQ(status.Code, acOk) << varNum;
  }

  std::unique_ptr<TBend> bend;
  TStandardDiameters standard;
};

// The default cone (L = 2, Dr = 0.25, Dt = 0.16, n = 2) against the default
// moulds. Checked by hand: the 0.23 land ends at 0.65 because the cone first
// drops below 0.2055 at x = 0.822, which is 0.65 plus the 0.2 taper; the 0.191
// step takes the short taper (0.205 - 0.191 is within 0.015).
const double DefaultPositions[] = {0.0, 0.2, 0.4, 0.65, 0.85, 1.0, 1.1, 1.2, 1.3, 1.5, 1.6, 2.0};
const int DefaultIndices[] = {14, 14, 13, 13, 12, 12, 11, 11, 10, 10, 9, 9};
const double DefaultDiameters[] = {0.256, 0.256, 0.23, 0.23, 0.205, 0.205, 0.191, 0.191, 0.18, 0.18, 0.167, 0.167};

TEST_F(StandardDiametersTest, DefaultDesignStepsDownOneMouldAtATimeFromA0256RootLand)
{
  standard.Compute(*bend);
  ASSERT_TRUE(bend->StandardDiametersValid());
  ASSERT_EQ(standard.StandardPointCount, 12);
  ASSERT_EQ(standard.StandardPositions.size(), 12u);
  for (std::size_t k = 0; k < 12; ++k) {
    EXPECT_CLOSE(DefaultPositions[k], standard.StandardPositions[k], 1e-12) << k;
    EXPECT_EQ(DefaultIndices[k], standard.StandardMouldIndices[k]) << k;
    EXPECT_EQ(DefaultDiameters[k], standard.StandardDiameters[k]) << k;
  }
}

TEST_F(StandardDiametersTest, FootUnitsGiveTheSameProfileAsMetres)
{
  bend->Units().SetSystem(1);
  standard.Compute(*bend);
  ASSERT_EQ(standard.StandardPointCount, 12);
  for (std::size_t k = 0; k < 12; ++k) {
    EXPECT_CLOSE(DefaultPositions[k], standard.StandardPositions[k] * 0.3048, 1e-12) << k;
    EXPECT_EQ(DefaultIndices[k], standard.StandardMouldIndices[k]) << k;
  }
}

TEST_F(StandardDiametersTest, TheRootLandLengthFollowsTheSizeOfItsMould)
{
  // A cone too short for a second land shows the root land on its own.
  SetReal(vnActiveLength, 0.05);
  const struct {
    double Root, Mould, Land;
  } cases[] = {{0.25, 0.256, 0.1}, {0.34, 0.356, 0.15}, {0.36, 0.381, 0.2}};
  for (const auto& c : cases) {
    SetReal(vnRootDiameter, c.Root);  // which also invalidates the last profile
    standard.Compute(*bend);
    ASSERT_EQ(standard.StandardPointCount, 2) << c.Root;
    EXPECT_EQ(standard.StandardDiameters[0], c.Mould);
    EXPECT_EQ(standard.StandardPositions[1], c.Land) << c.Root;
  }
}

TEST_F(StandardDiametersTest, OneMouldLargerThanTheRootGivesOneLandOverTheWholeLength)
{
  SetMoulds({0.3});
  standard.Compute(*bend);
  ASSERT_EQ(standard.StandardPointCount, 2);
  EXPECT_EQ(standard.StandardPositions[0], 0.0);
  EXPECT_CLOSE(2.0, standard.StandardPositions[1], 1e-12);
  EXPECT_EQ(standard.StandardDiameters, (std::vector<double>{0.3, 0.3}));
}

TEST_F(StandardDiametersTest, UnusableMouldTablesAreReportedAndNothingIsComputedOrApplied)
{
  TAnsweringPresenter presenter(maYes);
  SetMessagePresenter(&presenter);
  SetMoulds({0.2, 0.3, 0.2});
  standard.Compute(*bend);
  EXPECT_FALSE(bend->StandardDiametersValid());
  SetMoulds({});
  EXPECT_FALSE(standard.Apply(*bend));
  EXPECT_EQ(standard.StandardPointCount, 0);
  EXPECT_EQ(bend->Profile().Count(), 3);
  const std::vector<std::string> expected = {
      "WARNING.  The mould diameters table must have unique entries in order to calculate the standard diameters "
      "shape.",
      "WARNING.  The mould diameters table must contain at least 1 diameter in order to calculate the standard "
      "diameters shape."};
  EXPECT_EQ(presenter.Texts, expected);
}

TEST_F(StandardDiametersTest, NothingIsComputedForUserDefinedShapesOrWhileStillValid)
{
  TAccessStatus status;
  bend->SetValue(vnStiffenerDefinition, 0, status, "User Defined", vtText);
  standard.Compute(*bend);
  EXPECT_FALSE(bend->StandardDiametersValid());
  EXPECT_EQ(standard.StandardPointCount, 0);

  bend->SetValue(vnStiffenerDefinition, 0, status, "Stiffness Power Law", vtText);
  standard.Compute(*bend);
  bend->MouldDiameters().SetCell(14, vnMouldDiameter, 0.26);  // behind the model's back
  standard.Compute(*bend);
  EXPECT_EQ(standard.StandardDiameters[0], 0.256);
}

TEST_F(StandardDiametersTest, ApplyingWritesThePointsWithTheConeMaterialAndALastPointWithout)
{
  TAnsweringPresenter presenter(maNo);
  SetMessagePresenter(&presenter);
  ASSERT_TRUE(standard.Apply(*bend));
  EXPECT_TRUE(presenter.Texts.empty()) << "the default cone lies within the moulds";
  const TUserDefinedStiffener& profile = bend->Profile();
  ASSERT_EQ(profile.Count(), 12);
  for (int k = 0; k < 12; ++k) {
    EXPECT_CLOSE(DefaultPositions[k], profile.Point(k).ArcLength, 1e-12) << k;
    EXPECT_EQ(DefaultDiameters[k], profile.Point(k).Diameter) << k;
    EXPECT_EQ(profile.Point(k).Material, k < 11 ? bend->Material() : nullptr) << k;
  }
  EXPECT_NE(bend->Material(), nullptr);
}

TEST_F(StandardDiametersTest, DescendingMouldsBelowTheRootAreSortedStartWithTheLargestAndApplyingAsksFirst)
{
  const std::string question =
      "Warning: The stiffener diameters go beyond the range of mould diameters.  Do you still want to use the "
      "standard diameters?";
  SetMoulds({0.2, 0.15, 0.1});
  TAnsweringPresenter no(maNo);
  SetMessagePresenter(&no);
  EXPECT_FALSE(standard.Apply(*bend));
  EXPECT_EQ(no.Texts, std::vector<std::string>{question});
  EXPECT_TRUE(bend->MouldDiameters().IsSorted(soAscending)) << "the model's own table is sorted";
  EXPECT_EQ(bend->MouldDiameter(0), 0.1);
  EXPECT_EQ(standard.StandardMouldIndices[0], 2);
  EXPECT_EQ(standard.StandardDiameters[0], 0.2);
  ASSERT_EQ(bend->Profile().Count(), 3) << "declining leaves the profile alone";
  EXPECT_EQ(bend->Profile().Point(0).Diameter, 0.181);

  TAnsweringPresenter yes(maYes);
  SetMessagePresenter(&yes);
  EXPECT_TRUE(standard.Apply(*bend));
  EXPECT_EQ(bend->Profile().Count(), standard.StandardPointCount);
  EXPECT_EQ(bend->Profile().Point(0).Diameter, 0.2);
}

}  // namespace
}  // namespace umbrinex
