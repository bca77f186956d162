// The example designs users open first: each opens without a message, runs
// every result, and gives the figures pinned here (to a relative 1e-6, so
// that a change of the analysis or of a file shows).

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <ostream>
#include <set>

#include "RecordedMessages.h"
#include "TestSupport.h"
#include "bend/Bend.h"
#include "cli/Cli.h"
#include "framework/data/Messages.h"
#include "framework/data/Units.h"
#include "persistence/BendFile.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;

constexpr double kPinned = 1e-6;

struct TExample {
  const char* File;
  const char* Units;  // the length unit
  int MomentState;
  int MomentLoadCase;
  double RootMoment;
  int ShearLoadCase;
  double RootShear;
  double BaseRatio;
  double LastAngleLimit;  // at the largest tension of the performance chart
};

const TExample Examples[] = {
    {"Dynamic Riser.mxd", "m", 1, 3, 332.8525856986763, 6, -207.9116908177593, 1.2684520333142315, 18.288},
    {"Umbilical Two Materials.mxd", "m", 1, 3, 53.25217039686907, 4, -37.08203932499369, 1.5450637265908904, 44.022},
    {"Power Cable Non-Linear.mxd", "m", 1, 3, 41.817098412388944, 4, -40.67366430758001, 1.7388212224062538, 37.905},
    {"Jumper US Units.mxd", "ft", 1, 3, 91.07866989301397, 4, -16.632935265420745, 1.8832101395027387, 45.74},
};

// Test listings name the example rather than its bytes.
void PrintTo(const TExample& example, std::ostream* out)
{
  *out << example.File;
}

class ExampleDesigns : public ::testing::TestWithParam<TExample> {};

TEST_P(ExampleDesigns, OpenWithoutAMessageRunAndGiveTheirPinnedResults)
{
  const TExample& example = GetParam();
  std::unique_ptr<TBend> bend = New<TBend>();
  testing::TRecordedMessages messages;
  LoadFromFile(*bend, (fs::path(UMBRINEX_EXAMPLES_DIR) / example.File).string());
  EXPECT_TRUE(messages.Texts.empty()) << messages.Texts.front();
  EXPECT_EQ(bend->Units().LengthName(), example.Units);

  const nlohmann::ordered_json json =
      ResultsJson(*bend, TReportChoice{.Key = true, .DesignChart = true, .PerformanceChart = true});
  const auto& moment = json["key_results"]["max_root_moment"];
  EXPECT_EQ(moment["state"], example.MomentState);
  EXPECT_EQ(moment["load_case"], example.MomentLoadCase);
  EXPECT_TRUE(testing::IsClose(example.RootMoment, moment["root_moment"].get<double>(), kPinned)) << moment;
  const auto& shear = json["key_results"]["max_root_shear"];
  EXPECT_EQ(shear["load_case"], example.ShearLoadCase);
  EXPECT_TRUE(testing::IsClose(example.RootShear, shear["root_shear"].get<double>(), kPinned)) << shear;
  EXPECT_TRUE(testing::IsClose(example.BaseRatio, json["design_chart"]["base_ratio"].get<double>(), kPinned));
  EXPECT_GT(json["design_chart"]["base_ratio"].get<double>(), 1.0) << "every example is a sound design";
  // Angle limits are found to the accuracy of 0.01 degrees.
  EXPECT_NEAR(json["performance_chart"].back()["angle_limit"].get<double>(), example.LastAngleLimit, 0.01);
  for (const auto& loadCase : json["load_cases"]) EXPECT_FALSE(loadCase["states"].empty()) << loadCase["number"];
  EXPECT_TRUE(messages.Texts.empty());
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleDesigns, ::testing::ValuesIn(Examples),
                         [](const ::testing::TestParamInfo<TExample>& example) {
                           std::string name = example.param.File;
                           std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                           return name.substr(0, name.size() - 3);
                         });

TEST(ExampleDesigns, EveryDesignInTheFolderIsPinned)
{
  std::set<std::string> pinned, found;
  for (const TExample& example : Examples) pinned.insert(example.File);
  for (const auto& entry : fs::directory_iterator(UMBRINEX_EXAMPLES_DIR))
    if (entry.path().extension() == ".mxd") found.insert(entry.path().filename().string());
  EXPECT_EQ(found, pinned);
}

}  // namespace
}  // namespace umbrinex
