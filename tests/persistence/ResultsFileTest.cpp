#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "TaggedFileTestSupport.h"
#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "bend/KeyResults.h"
#include "framework/data/Clock.h"
#include "persistence/BendFile.h"
#include "persistence/CheckLog.h"
#include "persistence/ResultsFile.h"
#include "persistence/TessanFile.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class ResultsFileTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    Folder = fs::temp_directory_path() / ("umbrinex-results-" + std::to_string(getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(Folder);
    CheckSettings() = {};
    FPreviousClock = SetClock([] { return std::time_t{1700000000}; });
  }
  void TearDown() override
  {
    SetClock(FPreviousClock);
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }

  // The default design with short chart ranges, which keep the tests quick.
  static std::unique_ptr<TBend> SmallDesign()
  {
    auto bend = New<TBend>();
    Set(*bend, vnStiffnessFactorCount, 2);
    Set(*bend, vnLengthFactorCount, 2);
    Set(*bend, vnTensionCount, 3);
    return bend;
  }
  static void Set(TBend& bend, int varNum, double value, int index = 0)
  {
    TAccessStatus status;
    bend.SetValue(varNum, index, status, value, vtReal);
    ASSERT_EQ(status.Code, acOk) << status.Text();
  }

  std::string PathOf(const std::string& name) const { return (Folder / name).string(); }

  static void SaveWithResults(TBend& bend, const std::string& fileName)
  {
    bend.SetResultsFileMode(1);
    SaveToFile(bend, fileName);
    bend.SetResultsFileMode(0);
  }
  static void Compare(TBend& bend, const std::string& fileName)
  {
    bend.SetResultsFileMode(2);
    try {
      LoadFromFile(bend, fileName);
    } catch (...) {
      bend.SetResultsFileMode(0);
      throw;
    }
    bend.SetResultsFileMode(0);
  }
  // A data file holding one design and the results of another: results
  // that were saved before the design changed.
  static void SaveMixed(TBend& design, TBend& resultsOf, const std::string& fileName)
  {
    TWindowsUmbrinexFile file(&design, TFileMode::Write, ctSavedDataFile);
    file.OpenFile(fileName, DataFileClass);
    design.BeforeWrite();
    design.WriteData(file);
    WriteResults(resultsOf, file);
    file.WriteEndOfData();
    file.Close();
  }
  // The design alone, as a data file writes it.
  static testing::TBytes DesignBytes(TBend& bend)
  {
    return testing::WriteDataFile([&](TTaggedFile& file) {
      bend.BeforeWrite();
      bend.WriteData(file);
    });
  }
  // The data bytes of tag (39, 5).
  static std::int64_t ResultsTagSize(const std::string& fileName)
  {
    TWindowsUmbrinexFile file(nullptr, TFileMode::Read);
    file.OpenFile(fileName, DataFileClass);
    for (file.ReadTagHeader(); file.TagNumber() != 255; file.ReadTagHeader()) {
      if (file.TagNumber() == tcBend && file.SubNumber() == 5) return file.BytesLeft();
      file.FinishTag();
    }
    return 0;
  }
  Lines ChecksTxt() const
  {
    std::ifstream in(Folder / CheckLogFileName);
    Lines lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  fs::path Folder;

 private:
  TClock FPreviousClock;
};

TEST_F(ResultsFileTest, AFileSavedWithResultsOpensLikeOneSavedWithout)
{
  auto original = SmallDesign();
  SaveToFile(*original, PathOf("plain.mxd"));
  SaveWithResults(*original, PathOf("results.mxd"));
  EXPECT_GT(fs::file_size(PathOf("results.mxd")), fs::file_size(PathOf("plain.mxd")));

  auto plain = New<TBend>();
  auto withResults = New<TBend>();
  LoadFromFile(*plain, PathOf("plain.mxd"));
  LoadFromFile(*withResults, PathOf("results.mxd"));
  EXPECT_EQ(DesignBytes(*withResults), DesignBytes(*plain));
  EXPECT_EQ(withResults->KeyResults().Status(), TResultsStatus::NotCalculated);
  EXPECT_EQ(withResults->DesignChartResults().Status(), TResultsStatus::NotCalculated);
  EXPECT_FALSE(fs::exists(Folder / CheckLogFileName));
}

TEST_F(ResultsFileTest, ComparingRightAfterSavingAppendsOnlyTheOpeningLinesAndAnEmptyLine)
{
  auto bend = SmallDesign();
  const std::string name = PathOf("design.mxd");
  SaveWithResults(*bend, name);
  Compare(*bend, name);
  const Lines once = ChecksTxt();
  ASSERT_EQ(once.size(), 3u);
  EXPECT_EQ(once[0].rfind("============ Umbrinex 4.2b run at ", 0), 0u) << once[0];
  EXPECT_EQ(once[1], "Test against " + name + ": ");
  EXPECT_EQ(once[2], "");

  // A fresh model compares the same, and the earlier run stays in the log.
  auto fresh = New<TBend>();
  Compare(*fresh, name);
  EXPECT_EQ(ChecksTxt(), (Lines{once[0], once[1], "", once[0], once[1], ""}));
  EXPECT_EQ(fresh->ResultsFileMode(), 0);
}

TEST_F(ResultsFileTest, AChangedTensionGivesDifferenceLinesForTheAffectedArraysAndTheSummary)
{
  auto before = SmallDesign();
  auto after = SmallDesign();
  Set(*after, vnLoadCaseTension, 3.0, 1);
  const std::string name = PathOf("changed.mxd");
  SaveMixed(*after, *before, name);

  auto bend = New<TBend>();
  Compare(*bend, name);
  const Lines lines = ChecksTxt();
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[1], "Test against " + name + ": ");
  // Load case 1 is the first to differ, from the root on.
  EXPECT_EQ(lines[2].rfind("    FC[1]: was ", 0), 0u) << lines[2];
  const std::regex difference(R"(    F\w+(\[\d+\])?(\.\w+)?: was \S+ D=\S+ RD=\S+ LD=\S+ LRD=\S+)");
  for (std::size_t i = 2; i + 3 < lines.size(); ++i) EXPECT_TRUE(std::regex_match(lines[i], difference)) << lines[i];
  EXPECT_EQ(lines[lines.size() - 3].rfind("Largest difference          = ", 0), 0u);
  EXPECT_EQ(lines[lines.size() - 2].rfind("Largest relative difference = ", 0), 0u);
  EXPECT_EQ(lines.back(), "");
}

TEST_F(ResultsFileTest, StoredResultsOfAnotherShapeAreReportedAndSkippedWithoutLosingTheirPlace)
{
  auto before = SmallDesign();
  Set(*before, vnStiffnessFactorCount, 3);
  auto after = SmallDesign();
  Set(*after, vnCableLength, 0.4);  // more cable stations
  const std::string name = PathOf("reshaped.mxd");
  SaveMixed(*after, *before, name);

  auto bend = New<TBend>();
  Compare(*bend, name);
  const Lines lines = ChecksTxt();
  const auto has = [&](const std::string& start) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.rfind(start, 0) == 0; });
  };
  EXPECT_TRUE(has("    FNumOfStations: was "));
  EXPECT_TRUE(has("    Length(FC): double array length was "));
  EXPECT_TRUE(has("    Length(FMaxCompressiveStrain): double array length was "));
  // The cable's length does not enter the key results or the chart factors:
  // a reader that lost its place would report them.
  EXPECT_FALSE(has("    FMaxRootMomentEvent.StateNumber"));
  EXPECT_FALSE(has("    FMaxRootMomentEvent.LoadCaseNumber"));
  EXPECT_FALSE(has("    FDesignChartValues[0].KFactor"));
  EXPECT_TRUE(has("    FDesignChartValues[1].KFactor: was 1.2 D=0.4"));
}

TEST_F(ResultsFileTest, ALoadCaseThatIncludesNoStateStillStoresBothStiffenerBlocks)
{
  auto all = SmallDesign();
  auto excluding = SmallDesign();
  excluding->SetStateIncluded(1, 0, false);
  excluding->SetStateIncluded(1, 1, false);
  SaveWithResults(*all, PathOf("all.mxd"));
  SaveWithResults(*excluding, PathOf("excluding.mxd"));
  EXPECT_EQ(ResultsTagSize(PathOf("excluding.mxd")), ResultsTagSize(PathOf("all.mxd")));

  Compare(*excluding, PathOf("excluding.mxd"));
  EXPECT_EQ(ChecksTxt().size(), 3u);
}

TEST_F(ResultsFileTest, ACalculationThatFailsWhileComparingStillLeavesTheLog)
{
  auto valid = SmallDesign();
  auto failing = SmallDesign();
  Set(*failing, vnLinearity, 1);  // a power law shape cannot be analysed non-linearly
  const std::string name = PathOf("failing.mxd");
  SaveMixed(*failing, *valid, name);

  auto bend = SmallDesign();
  EXPECT_THROW(Compare(*bend, name), EBendStiffenerError);
  EXPECT_EQ(bend->Linearity(), lnLinear) << "the design open before is back";
  const Lines lines = ChecksTxt();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "Test against " + name + ": ");
}

}  // namespace
}  // namespace umbrinex
