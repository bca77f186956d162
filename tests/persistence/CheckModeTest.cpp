#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TaggedFileTestSupport.h"
#include "framework/data/Clock.h"
#include "numerics/ReservedDoubles.h"
#include "persistence/CheckLog.h"

namespace umbrinex {
namespace {

using testing::TDataReader;
using Lines = std::vector<std::string>;

class CheckLogTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    CheckSettings() = {};
    FPreviousClock = SetClock([] { return std::time_t{1700000000}; });
    Log.Reset("design.mxd");
    Log.SetItemName("FC");
  }
  void TearDown() override
  {
    CheckSettings() = {};
    SetClock(FPreviousClock);
  }
  // The lines after the banner and the "Test against" line.
  Lines Differences() const
  {
    const Lines& lines = Log.Lines();
    return lines.size() < 2 ? Lines{} : Lines(lines.begin() + 2, lines.end());
  }

  TCheckLog Log;

 private:
  TClock FPreviousClock;
};

TEST_F(CheckLogTest, EqualDoublesAndEqualSpecialValuesLeaveNoTrace)
{
  Log.CompareDouble(1.0, 1.0);
  Log.CompareDouble(Undefined, Undefined);
  Log.CompareDouble(-0.0, 0.0);
  EXPECT_TRUE(Log.Lines().empty());
  EXPECT_EQ(Log.DifferenceCount(), 0);

  // Special values are compared exactly and are no measure of size.
  Log.CompareDouble(Undefined, 1.25);
  EXPECT_EQ(Differences(), Lines{"    FC: was 2E307 but is now 1.25"});
  EXPECT_EQ(Log.DifferenceCount(), 1);
  EXPECT_EQ(Log.LargestDifference(), 0.0);
}

TEST_F(CheckLogTest, ADifferenceLineGivesTheStoredValueTheDifferencesAndTheLargestBeforeIt)
{
  Log.SetElement(3);
  Log.CompareDouble(2.0, 2.5);
  Log.CompareDouble(4.0, 5.0);
  Log.CompareDouble(1.23456789012345, 1.0);
  EXPECT_EQ(Differences(),
            (Lines{"    FC[3]: was 2 D=0.5 RD=0.25 LD=0 LRD=0", "    FC[3]: was 4 D=1 RD=0.25 LD=0.5 LRD=0.25",
                   "    FC[3]: was 1.23456789012 D=0.2346 RD=0.19 LD=1 LRD=0.25"}));
  EXPECT_EQ(Log.DifferenceCount(), 3);
  EXPECT_EQ(Log.LargestDifference(), 1.0);
}

TEST_F(CheckLogTest, BeyondTheDifferenceCountOnlyALargerDifferenceOrRelativeDifferenceIsLogged)
{
  for (int i = 0; i < 20; ++i) Log.CompareDouble(10.0, 11.0);  // D 1, RD 0.1
  Log.CompareDouble(10.0, 10.5);                               // neither larger
  Log.CompareDouble(10.0, 13.0);                               // larger D
  Log.CompareDouble(0.5, 1.0);                                 // larger RD
  const Lines lines = Differences();
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines[20], "    FC: was 10 D=3 RD=0.3 LD=1 LRD=0.1");
  EXPECT_EQ(lines[21], "    FC: was 0.5 D=0.5 RD=1 LD=3 LRD=0.3");
  EXPECT_EQ(Log.DifferenceCount(), 23);
}

TEST_F(CheckLogTest, WithoutReportAllDifferencesErrorsBelowTheThresholdOnlyRaiseTheLargestError)
{
  CheckSettings().ReportAllDifferences = false;
  Log.CompareDouble(1000.0, 1000.5);  // relative error 0.0005
  EXPECT_TRUE(Log.Lines().empty());
  EXPECT_EQ(Log.DifferenceCount(), 0);
  EXPECT_DOUBLE_EQ(Log.LargestError(), 0.0005);

  Log.CompareDouble(0.5, 0.502);  // below 1 the error is absolute
  EXPECT_EQ(Differences(), Lines{"    FC: was 0.5 E=0.002 LE=0.0005"});
  EXPECT_EQ(Log.DifferenceCount(), 1);
  EXPECT_EQ(Log.LargestDifference(), 0.0);
}

TEST_F(CheckLogTest, OtherValuesAreReportedAsWasAndIsNowUnderTheirItemName)
{
  Log.CompareBoolean(true, false);
  Log.CompareInteger(3, 4, "string length");
  Log.CompareString("abc", "abd");
  const unsigned char a[] = {1, 2};
  const unsigned char b[] = {1, 3};
  Log.CompareBytes(a, b, 2);
  Log.SetElement(5);
  Log.CompareArrayLength(48, 47);
  Log.SetItemName("FDesignChartValues[%d].KFactor");
  Log.SetItemIndex(2);
  Log.SetSampleNumber(7);
  Log.CompareInteger(1, 2);
  EXPECT_EQ(Differences(), (Lines{"    FC: was True but is now False", "    FC: string length was 3 but is now 4",
                                  "    FC: was abc but is now abd", "    FC: was some bytes but is now different bytes",
                                  "    Length(FC): double array length was 48 but is now 47",
                                  "    FDesignChartValues[2].KFactor at sample 7: was 1 but is now 2"}));
  EXPECT_EQ(Log.DifferenceCount(), 6);
}

TEST_F(CheckLogTest, TheLogOpensWithTheBannerAndClosesWithTheSummaryAndAnEmptyLine)
{
  Log.CompareDouble(2.0, 2.5);
  Log.Finish();
  std::tm local{};
  const std::time_t when = 1700000000;
  localtime_r(&when, &local);
  char time[64];
  char date[64];
  std::strftime(time, sizeof time, "%X", &local);
  std::strftime(date, sizeof date, "%x", &local);
  EXPECT_EQ(Log.Lines(),
            (Lines{"============ Umbrinex 4.2b run at " + std::string(time) + " on " + date + " ============",
                   "Test against design.mxd: ", "    FC: was 2 D=0.5 RD=0.25 LD=0 LRD=0",
                   "Largest difference          = 0.5", "Largest relative difference = 0.25", ""}));
}

TEST_F(CheckLogTest, TheSummaryFollowsTheSettingAndIsLeftOutWhenNothingDiffered)
{
  Log.Finish();
  EXPECT_EQ(Differences(), Lines{""});

  CheckSettings().ReportAllDifferences = false;
  Log.Reset("design.mxd");
  Log.CompareDouble(1000.0, 1000.5);
  Log.Finish();
  EXPECT_EQ(Differences(), (Lines{"Largest error = 0.0005", ""}));
}

// ---- the reader in check mode ----

TEST(CheckMode, ReadsCompareWithMemoryAndLeaveItUnchanged)
{
  CheckSettings() = {};
  const double stored[] = {1.0, 2.0, 3.0, 9.0};
  TDataReader reader(testing::WriteDataFile([&](TTaggedFile& file) {
                       file.BeginTag(39, 5);
                       file.WriteInteger(5);
                       file.WriteBoolean(true);
                       file.WriteString("abc");
                       file.WriteDoubleArray(stored, 3);
                       file.WriteDouble(7.5);
                       file.EndTag();
                     }),
                     DataFileClass);
  TTaggedFile& file = reader.File;
  file.ReadTagHeader();
  file.Check().SetCheckMode(true);
  std::int32_t count = 6;
  bool flag = false;
  std::string text = "abcd";
  double values[] = {1.0, 2.0, 4.0};
  double last = 7.5;
  file.Check().SetItemName("N");
  file.ReadInteger(count);
  file.Check().SetItemName("B");
  file.ReadBoolean(flag);
  file.Check().SetItemName("S");
  file.ReadString(text);
  file.Check().SetItemName("FC");
  file.ReadDoubleArray(values, 2);
  file.Check().SetItemName("Last");
  file.ReadDouble(last);

  EXPECT_EQ(count, 6);
  EXPECT_FALSE(flag);
  EXPECT_EQ(text, "abcd");
  EXPECT_EQ(values[2], 4.0);
  EXPECT_TRUE(file.Check().Compared());
  const Lines& lines = file.Check().CheckLog().Lines();
  // The surplus stored element is skipped, so the double after the array
  // compares equal.
  EXPECT_EQ(
      Lines(lines.begin() + 2, lines.end()),
      (Lines{"    N: was 5 but is now 6", "    B: was True but is now False", "    S: string length was 3 but is now 4",
             "    S: was abc but is now abcd", "    Length(FC): double array length was 4 but is now 3",
             "    FC[2]: was 3 D=1 RD=0.3333 LD=0 LRD=0"}));

  file.Check().SetCheckMode(false);
  file.FinishTag();
  EXPECT_TRUE(file.Check().Compared()) << "only a new header clears the compared flag";
}

}  // namespace
}  // namespace umbrinex
