// The design check, the discretisation error and the converged results of
// the batch program, as text and as JSON.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "numerics/ParallelFor.h"

namespace umbrinex {
namespace {

struct TOutput {
  int Status = -1;
  std::string Out;
  std::string Err;
};

TOutput RunCli(std::vector<const char*> arguments)
{
  arguments.insert(arguments.begin(), "umbrinex-cli");
  std::ostringstream out, err;
  const int status = RunCommandLine(static_cast<int>(arguments.size()), arguments.data(), out, err);
  SetCalculationThreads(0);
  return {status, out.str(), err.str()};
}

nlohmann::json RunJson(std::vector<const char*> arguments)
{
  arguments.push_back("--json");
  const TOutput run = RunCli(arguments);
  EXPECT_EQ(run.Status, ExitOk) << run.Err;
  return nlohmann::json::parse(run.Out);
}

TEST(CliCheck, TheKeyResultsAreFollowedByTheDesignCheck)
{
  const TOutput run = RunCli({});
  ASSERT_EQ(run.Status, ExitOk) << run.Err;
  const std::size_t key = run.Out.find("\nMax Root Shear  ");
  const std::size_t check = run.Out.find("\nDesign Check\n");
  ASSERT_NE(key, std::string::npos);
  ASSERT_NE(check, std::string::npos);
  EXPECT_LT(key, check);
  for (const char* line :
       {"\n        4  State 1                1.8415        0.0000  stiffener   2.5000   0.7366  FAIL\n",
        "\n        1  State 1                2.3094        2.0000  cable       2.5000   0.9238  FAIL\n",
        "\nGoverning: Load Case 4, State 1, MBR/ABR 0.7366\nVerdict: FAIL\n"})
    EXPECT_NE(run.Out.find(line), std::string::npos) << line << run.Out.substr(check);
  EXPECT_EQ(RunCli({"--load-case", "2"}).Out.find("Design Check"), std::string::npos) << "only with the key results";
}

TEST(CliCheck, JsonDesignCheckAgreesWithTheDesignChart)
{
  const nlohmann::json json = RunJson({"--key", "--design-chart"});
  const auto& check = json["design_check"];
  EXPECT_EQ(check["verdict"], "FAIL");
  EXPECT_EQ(check["governing"]["load_case"], 4);
  EXPECT_EQ(check["governing"]["state"], 1);
  EXPECT_EQ(check["governing"]["ratio"].get<double>(), json["design_chart"]["base_ratio"].get<double>());
  ASSERT_EQ(check["cases"].size(), 10u);
  const auto& first = check["cases"][0];
  for (const char* field : {"load_case", "state", "min_bend_radius", "position", "on", "abr", "ratio", "result"})
    EXPECT_TRUE(first.contains(field)) << field;
  EXPECT_EQ(first["on"], "cable");
  EXPECT_EQ(first["result"], "FAIL");
  EXPECT_EQ(check["cases"][2]["result"], "PASS");
}

TEST(CliCheck, ALoadCaseWithoutStatesIsReportedAsNotChecked)
{
  const nlohmann::json json = RunJson({"--set", "21064:2=n", "--set", "21065:2=n"});
  const auto& entry = json["design_check"]["cases"][2];
  EXPECT_EQ(entry["load_case"], 2);
  EXPECT_TRUE(entry["state"].is_null());
  EXPECT_TRUE(entry["ratio"].is_null());
  EXPECT_EQ(entry["result"], "NOT CHECKED");
  EXPECT_EQ(json["design_check"]["verdict"], "FAIL");

  std::vector<const char*> none;
  std::vector<std::string> settings;
  for (int i = 1; i <= 5; ++i)
    for (const int item : {21064, 21065}) settings.push_back(std::to_string(item) + ":" + std::to_string(i) + "=n");
  for (const std::string& setting : settings) none.insert(none.end(), {"--set", setting.c_str()});
  const nlohmann::json nothing = RunJson(none);
  EXPECT_EQ(nothing["design_check"]["verdict"], "NOT CHECKED");
  EXPECT_TRUE(nothing["design_check"]["governing"].is_null());
}

TEST(CliCheck, TheLongerStifferConePasses)
{
  const nlohmann::json json = RunJson({"--set", "21021=4", "--set", "21022=0.35"});
  EXPECT_EQ(json["design_check"]["verdict"], "PASS");
  EXPECT_GT(json["design_check"]["governing"]["ratio"].get<double>(), 1.0);
}

TEST(CliCheck, AccuracyGivesEveryQuantityItsValueLimitAndError)
{
  const nlohmann::json json = RunJson({"--accuracy"});
  const auto& cases = json["accuracy"]["load_cases"];
  ASSERT_EQ(cases.size(), 5u);
  EXPECT_EQ(cases[3]["number"], 4);
  const auto& state = cases[3]["states"][1];
  EXPECT_EQ(state["state"], 2);
  for (const char* quantity : {"root_moment", "root_shear", "min_bend_radius"})
    for (const char* field : {"value", "extrapolated", "relative_error"})
      EXPECT_TRUE(state[quantity][field].is_number()) << quantity << "." << field;
  EXPECT_EQ(state["root_moment"]["value"].get<double>(),
            json["key_results"]["max_root_moment"]["root_moment"].get<double>());
  EXPECT_NEAR(state["root_moment"]["relative_error"].get<double>(), 0.0088, 0.0005);
  EXPECT_EQ(state["root_shear"]["relative_error"], 0.0);
  EXPECT_TRUE(json["accuracy"]["warnings"].empty()) << "the default's governing error is just below 1 %";

  const nlohmann::json coarse = RunJson({"--accuracy", "--set", "21070=0.1"});
  ASSERT_EQ(coarse["accuracy"]["warnings"].size(), 1u);
  const TOutput text = RunCli({"--accuracy", "--set", "21070=0.1"});
  EXPECT_NE(text.Out.find("\nDiscretisation Error\n"), std::string::npos);
  const std::string warning = coarse["accuracy"]["warnings"][0].get<std::string>();
  EXPECT_NE(text.Out.find('\n' + warning + '\n'), std::string::npos);
}

TEST(CliCheck, ConvergedStopsBelowItsTolerance)
{
  const nlohmann::json json = RunJson({"--converged"});
  const auto& converged = json["converged"];
  EXPECT_TRUE(converged["converged"].get<bool>());
  EXPECT_LT(converged["change"].get<double>(), 1e-4);
  EXPECT_EQ(converged["tolerance"], 1e-4);
  EXPECT_EQ(converged["load_cases"].size(), 5u);
  EXPECT_EQ(converged["design_check"]["verdict"], "FAIL");

  const nlohmann::json tight = RunJson({"--converged", "--tolerance", "1e-7"});
  EXPECT_LT(tight["converged"]["change"].get<double>(), 1e-7);
  EXPECT_GT(tight["converged"]["halvings"].get<int>(), converged["halvings"].get<int>());
  EXPECT_NE(RunCli({"--converged"}).Out.find("\nConverged Results\n"), std::string::npos);
}

TEST(CliCheck, BadTolerancesAndThreadCountsAreUsageErrors)
{
  for (const std::vector<const char*>& arguments :
       std::vector<std::vector<const char*>>{{"--converged", "--tolerance", "0"},
                                             {"--converged", "--tolerance", "-1e-4"},
                                             {"--converged", "--tolerance", "1"},
                                             {"--converged", "--tolerance", "x"},
                                             {"--converged", "--tolerance", "1e-4x"},
                                             {"--tolerance", "1e-4"},
                                             {"--threads", "0"},
                                             {"--threads", "257"},
                                             {"--threads", "two"}})
    EXPECT_EQ(RunCli(arguments).Status, ExitUsage) << arguments.back();
}

TEST(CliCheck, ChartsOnOneThreadAndOnSeveralAreIdentical)
{
  const TOutput one = RunCli({"--json", "--design-chart", "--performance-chart", "--threads", "1"});
  const TOutput two = RunCli({"--json", "--design-chart", "--performance-chart", "--threads", "2"});
  ASSERT_EQ(one.Status, ExitOk) << one.Err;
  EXPECT_EQ(two.Out, one.Out);
}

}  // namespace
}  // namespace umbrinex
