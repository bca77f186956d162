// --size from the command line: the sized design saved and passing as the
// design check sees it, nothing written when nothing fits, refusals before
// any solve, and the sizing of an example of two states checked against a
// brute-force grid of the same bounds.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "CliTestSupport.h"
#include "bend/Bend.h"
#include "bend/DesignCheck.h"
#include "bend/Sizing.h"
#include "cli/Cli.h"
#include "framework/data/Variant.h"
#include "persistence/BendFile.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;
using testing::CliProgram;
using testing::TRun;

class SizingProgram : public CliProgram {};

TEST_F(SizingProgram, TheSizedDesignIsSavedAndPassesAsItsDesignCheckSays)
{
  const fs::path sized = folder / "sized.mxd";
  const TRun run = Run("--size --vary length,root-diameter --bounds length=1:6,root-diameter=0.2:0.6 --json --out " +
                       sized.string());
  ASSERT_EQ(run.Status, ExitOk) << run.Err;
  const nlohmann::json json = nlohmann::json::parse(run.Out)["sizing"];
  EXPECT_EQ(json["status"], "sized");
  EXPECT_EQ(json["objective"], "volume");
  ASSERT_EQ(json["variables"].size(), 2u);
  EXPECT_EQ(json["variables"][0]["name"], "length");
  EXPECT_EQ(json["variables"][0]["before"], 2.0);
  EXPECT_EQ(json["variables"][0]["lower"], 1.0);
  EXPECT_EQ(json["variables"][1]["upper"], 0.6);
  EXPECT_GT(json["volume"]["after"].get<double>(), json["volume"]["before"].get<double>());
  EXPECT_GT(json["evaluations"].get<int>(), 0);

  const TRun check = Run("--json " + sized.string());
  ASSERT_EQ(check.Status, ExitOk) << check.Err;
  const nlohmann::json results = nlohmann::json::parse(check.Out);
  EXPECT_EQ(results["design_check"]["verdict"], "PASS");
  EXPECT_EQ(results["design_check"]["governing"]["ratio"], json["governing"]["ratio"]);
  EXPECT_GE(results["design_check"]["governing"]["ratio"].get<double>(), 1.0);
  EXPECT_LE(results["design_check"]["governing"]["ratio"].get<double>(), 1.005);
  EXPECT_EQ(results["key_results"]["volume"], json["volume"]["after"]);
}

TEST_F(SizingProgram, WhenNothingFitsTheMessageSaysTheBestAndNoFileIsWritten)
{
  const fs::path out = folder / "sized.mxd";
  std::ofstream(out) << "the previous file";
  const TRun run = Run("--size --bounds length=1:1.5,root-diameter=0.2:0.25 --out " + out.string());
  EXPECT_EQ(run.Status, ExitFailed);
  EXPECT_EQ(run.Err.rfind("No stiffener within the bounds keeps every load case within its ABR: the best reaches "
                          "MBR/ABR 0.7",
                          0),
            0u)
      << run.Err;
  EXPECT_NE(run.Out.find("best reached"), std::string::npos) << run.Out;
  EXPECT_EQ(Slurp(out), "the previous file");
}

TEST_F(SizingProgram, BadWordsAndContradictoryBoundsAreRefusedBeforeAnySolve)
{
  const struct {
    const char* Arguments;
    int Status;
    const char* Words;
  } cases[] = {
      {"--size --vary lenth", ExitUsage, "'lenth' is not a sizing variable; the variables are length, root-diameter"},
      {"--size --bounds length=6", ExitUsage, "a bound reads NAME=LOWER:UPPER"},
      {"--size --bounds length=a:6", ExitUsage, "'a' in 'length=a:6' is not a number"},
      {"--size --vary length --bounds root-diameter=0.2:0.3", ExitUsage, "a variable that --vary does not name"},
      {"--size --objective weight", ExitUsage, "The objective is 'volume' or 'length', not 'weight'"},
      {"--size --bounds length=6:1", ExitFailed, "The bounds of 'length' are the wrong way round"},
      {"--size --bounds tip-diameter=0.1:0.2 --vary tip-diameter", ExitFailed, "below the stiffener ID (item 21013)"},
      {"--size --vary diameter-scale", ExitFailed, "'diameter-scale' scales a user-defined profile"},
      {"--target 1.1", ExitUsage, "--target requires --size"},
      {"--out x.mxd", ExitUsage, "--out requires --graph, --size, --scan or --load-cases"},
      {"--size --graph Diameter --out x.svg", ExitUsage, "excludes"},
  };
  for (const auto& c : cases) {
    const TRun run = Run(c.Arguments);
    EXPECT_EQ(run.Status, c.Status) << c.Arguments << ": " << run.Err;
    EXPECT_NE(run.Err.find(c.Words), std::string::npos) << c.Arguments << ": " << run.Err;
    EXPECT_EQ(run.Out.find("Evaluations"), std::string::npos) << c.Arguments;
  }
}

// The example of two states (a dynamic riser, which passes with room to
// spare) sized on length and root diameter: no shape of a 60 x 60 grid of
// the same bounds passes with a volume more than half a percent smaller.
TEST(SizingExamples, ADesignOfTwoStatesIsNoHeavierThanTheBestOfABruteForceGrid)
{
  std::unique_ptr<TBend> bend = New<TBend>();
  LoadFromFile(*bend, (fs::path(UMBRINEX_EXAMPLES_DIR) / "Dynamic Riser.mxd").string());
  TSizingRequest request;
  request.Variables = {{TSizingVariable::Length, 2.0, 10.0}, {TSizingVariable::RootDiameter, 0.4, 1.2}};
  const TSizingResult result = SizeStiffener(*bend, request);
  ASSERT_TRUE(result.Sized) << result.Message;
  EXPECT_GE(result.After.Ratio, 1.0);
  EXPECT_LE(result.After.Ratio, 1.005);
  double best = 1e300;
  for (int i = 0; i < 60; ++i)
    for (int j = 0; j < 60; ++j) {
      TAccessStatus status;
      bend->SetValue(vnActiveLength, 0, status, TVariant(2.0 + 8.0 * i / 59.0), vtReal);
      bend->SetValue(vnRootDiameter, 0, status, TVariant(0.4 + 0.8 * j / 59.0), vtReal);
      if (CheckDesign(*bend).Verdict == TCheckResult::Pass) best = std::min(best, StiffenerVolume(*bend));
    }
  EXPECT_GE(best, result.After.Volume * (1.0 - 0.005));
}

}  // namespace
}  // namespace umbrinex
