#include "bend/LoadHistoryScan.h"

#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"
#include "bend/Bend.h"
#include "bend/BendErrors.h"
#include "bend/DesignCheck.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

class LoadHistoryScan : public ::testing::Test {
 protected:
  void Set(int varNum, const TVariant& value, TVarType representation = vtReal, int index = 0)
  {
    TAccessStatus status;
    bend->SetValue(varNum, index, status, value, representation);
    ASSERT_EQ(status.Code, acOk) << status.Text();
  }
  // The design with one load case, the row's, solved as the design check
  // solves it.
  TDesignCheck SingleRun(double tension, double angle)
  {
    auto single = New<TBend>();
    TAccessStatus status;
    single->SetValue(vnNumberOfLoadCases, 0, status, 1, vtInt);
    single->SetValue(vnLoadCaseTension, 0, status, tension, vtReal);
    single->SetValue(vnLoadCaseAngle, 0, status, angle, vtReal);
    single->SetValue(vnLoadCaseABR, 0, status, DefaultValue, vtReal);
    summaries = SolveIncludedStates(*single);
    return CheckDesign(*single, summaries);
  }
  static bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

  std::unique_ptr<TBend> bend = New<TBend>();
  std::vector<TStateSummary> summaries;
};

TEST_F(LoadHistoryScan, EveryRowIsASingleRunOfItsTensionAndAngleToTheLastBit)
{
  // Slack, taut, upright and nearly straight rows, some repeated out of order.
  const std::vector<double> tension{31.0, 0.0, 250.0, 5.5, 31.0, 120.0, 0.25, 31.0};
  const std::vector<double> angle{29.0, 10.0, 2.0, 60.0, 29.0, 0.0, 89.0, 0.5};
  TLoadHistoryScan scan(*bend, ScanStates(*bend, std::nullopt), 2);
  ASSERT_EQ(scan.States(), (std::vector<int>{0, 1}));
  std::vector<TScanResponse> responses(tension.size() * 2);
  scan.Solve(tension.data(), angle.data(), static_cast<int>(tension.size()), responses.data());
  for (std::size_t row = 0; row < tension.size(); ++row) {
    const TDesignCheck check = SingleRun(tension[row], angle[row]);
    ASSERT_EQ(check.Cases.size(), 2u);
    for (std::size_t s = 0; s < 2; ++s) {
      SCOPED_TRACE(::testing::Message() << "row " << row << ", state " << s + 1);
      const TScanResponse& r = responses[row * 2 + s];
      EXPECT_TRUE(SameBits(r.RootMoment, summaries[s].RootMoment));
      EXPECT_TRUE(SameBits(r.RootShear, summaries[s].RootShear));
      EXPECT_TRUE(SameBits(r.MinBendRadius, check.Cases[s].MinBendRadius));
      EXPECT_TRUE(SameBits(r.Position, check.Cases[s].Position));
      EXPECT_EQ(r.OnCable, check.Cases[s].OnCable);
      EXPECT_TRUE(SameBits(r.Ratio, check.Cases[s].Ratio));
    }
  }
  // Load case 4 of the default design, the governing one, on State 1.
  EXPECT_NEAR(responses[0].Ratio, 0.7366, 5e-4);
  EXPECT_GT(responses[0].MaxStrain, 0.0);
  EXPECT_TRUE(SameBits(responses[0].RootMoment, responses[8].RootMoment)) << "history does not carry over";
}

TEST_F(LoadHistoryScan, ThreadsAndBlocksDoNotChangeAnyBit)
{
  std::vector<double> tension, angle;
  for (int i = 0; i < 400; ++i) {
    tension.push_back(5.0 + 0.37 * i);
    angle.push_back(1.0 + 0.21 * (i % 300));
  }
  const int count = static_cast<int>(tension.size());
  std::vector<TScanResponse> one(tension.size()), two(tension.size());
  TLoadHistoryScan single(*bend, ScanStates(*bend, 2), 1);
  single.Solve(tension.data(), angle.data(), count, one.data());
  TLoadHistoryScan parallel(*bend, ScanStates(*bend, 2), 2);
  // In two blocks, the second first.
  parallel.Solve(tension.data() + 150, angle.data() + 150, count - 150, two.data() + 150);
  std::vector<int> seen;
  parallel.Solve(tension.data(), angle.data(), 150, two.data(),
                 [&](int row, int, const TScanResponse*) { seen.push_back(row); });
  EXPECT_EQ(seen.size(), 150u);
  for (std::size_t i = 0; i < one.size(); ++i) {
    ASSERT_TRUE(SameBits(one[i].RootMoment, two[i].RootMoment)) << i;
    ASSERT_TRUE(SameBits(one[i].MaxStrain, two[i].MaxStrain)) << i;
    ASSERT_TRUE(SameBits(one[i].Ratio, two[i].Ratio)) << i;
  }
}

TEST_F(LoadHistoryScan, TheStatesAreThoseTheLoadCasesIncludeOrTheOneNamed)
{
  for (int i = 0; i < bend->LoadCaseCount(); ++i) Set(vnState1Included, "No", vtText, i);
  EXPECT_EQ(ScanStates(*bend, std::nullopt), std::vector<int>{1});
  EXPECT_EQ(ScanStates(*bend, 1), std::vector<int>{0});
  EXPECT_THROW(ScanStates(*bend, 3), EBendStiffenerError);
  EXPECT_THROW(ScanStates(*bend, 0), EBendStiffenerError);
  for (int i = 0; i < bend->LoadCaseCount(); ++i) Set(vnState2Included, "No", vtText, i);
  EXPECT_THROW(ScanStates(*bend, std::nullopt), EBendStiffenerError);
}

}  // namespace
}  // namespace umbrinex
