// Load cases from CSV and load histories through the batch program.

#include <gtest/gtest.h>

#include <charconv>
#include <sstream>

#include <nlohmann/json.hpp>

#include "CliTestSupport.h"
#include "bend/Bend.h"
#include "cli/Cli.h"
#include "numerics/Errors.h"
#include "persistence/BendFile.h"

namespace umbrinex {
namespace {

using testing::CliProgram;
using testing::fs::path;

constexpr double KipInKN = 4.4482216152605;

void WriteText(const path& file, const std::string& text)
{
  std::ofstream(file, std::ios::binary) << text;
}

std::vector<std::vector<std::string>> CsvRows(const std::string& text)
{
  std::vector<std::vector<std::string>> rows;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    rows.emplace_back();
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, ',');) rows.back().push_back(field);
  }
  return rows;
}

double Number(const std::string& text)
{
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
  return value;
}

// A JSON number, or the text of a special value as the response writes it.
std::string JsonValueText(const nlohmann::json& value)
{
  if (value.is_string()) return value.get<std::string>() == "Infinity" ? "inf" : value.get<std::string>();
  char text[32];
  return {text, std::to_chars(text, text + sizeof text, value.get<double>()).ptr};
}

class HistoryCli : public CliProgram {};

TEST_F(HistoryCli, LoadCasesFromASpreadsheetTableAreTheRunsLoadCases)
{
  WriteText(folder / "cases.csv",
            "\xEF\xBB\xBF# from the global analysis\r\n\"Tension (kips)\";\"Angle (deg)\";State 1\r\n\r\n"
            "\"7,5\";30;no\r\n22;12,25;yes\r\n");
  const auto run = Run("--load-cases " + (folder / "cases.csv").string() + " --json");
  ASSERT_EQ(run.Status, 0) << run.Err;
  const auto cases = nlohmann::json::parse(run.Out)["load_cases"];
  ASSERT_EQ(cases.size(), 2u);
  EXPECT_EQ(cases[0]["tension"].get<double>(), 7.5 * KipInKN);
  EXPECT_EQ(cases[1]["angle"].get<double>(), 12.25);
  EXPECT_EQ(cases[0]["states"].size(), 1u) << "State 1 excluded";

  // With --out the design is saved with them; the default design stays.
  const auto saved = Run("--load-cases " + (folder / "cases.csv").string() + " --out " +
                         (folder / "imported.mxd").string());
  ASSERT_EQ(saved.Status, 0) << saved.Err;
  auto bend = New<TBend>();
  LoadFromFile(*bend, (folder / "imported.mxd").string());
  EXPECT_EQ(bend->LoadCaseCount(), 2);
  EXPECT_EQ(bend->LoadCaseTension(1), 22.0 * KipInKN);

  // Exported, the table reads back to the same doubles.
  const auto exported = Run("--export-load-cases - " + (folder / "imported.mxd").string());
  ASSERT_EQ(exported.Status, 0) << exported.Err;
  EXPECT_EQ(exported.Out.substr(0, exported.Out.find('\n')), "Tension (kN),Angle (deg),ABR (m),State 1,State 2");
  WriteText(folder / "again.csv", exported.Out);
  const auto again = Run("--load-cases " + (folder / "again.csv").string() + " --json");
  ASSERT_EQ(again.Status, 0) << again.Err;
  EXPECT_EQ(nlohmann::json::parse(again.Out)["load_cases"], cases);
}

TEST_F(HistoryCli, ARefusedTableFailsTheRunWithTheLineOfEveryRefusedRow)
{
  WriteText(folder / "bad.csv", "Tension,Angle\n1,2\n-3,4\n5,NaN\n");
  const auto run = Run("--load-cases " + (folder / "bad.csv").string() + " --out " + (folder / "x.mxd").string());
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find("Line 3, tension: -3 is refused"), std::string::npos) << run.Err;
  EXPECT_NE(run.Err.find("Line 4, angle: \"NaN\" is not a finite number."), std::string::npos) << run.Err;
  EXPECT_FALSE(testing::fs::exists(folder / "x.mxd"));
}

TEST_F(HistoryCli, EveryScannedRowIsASingleRunOfItsTensionAndAngle)
{
  std::string history = "Time (s),Tension (kN),Angle (deg)\n";
  for (int i = 0; i < 20000; ++i)
    history += std::to_string(i) + "," + std::to_string(5 + (i * 37) % 300) + "." + std::to_string(i % 10) + "," +
               std::to_string((i * 13) % 60) + "\n";
  WriteText(folder / "history.csv", history);
  const auto run = Run("--scan " + (folder / "history.csv").string() + " --out " + (folder / "response.csv").string());
  ASSERT_EQ(run.Status, 0) << run.Err;
  const auto rows = CsvRows(Slurp(folder / "response.csv"));
  ASSERT_EQ(rows.size(), 1u + 2u * 20000u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"row", "time", "state", "tension", "angle", "root_moment",
                                                "root_shear", "min_bend_radius", "position", "on", "ratio",
                                                "max_strain"}));
  for (std::size_t r = 1; r < rows.size(); ++r) {
    ASSERT_EQ(rows[r].size(), 12u) << r;
    ASSERT_EQ(rows[r][0], std::to_string((r + 1) / 2)) << "in input order";
    ASSERT_EQ(rows[r][2], r % 2 ? "1" : "2");
  }
  // A sample of rows, each against a run of its tension and angle as the
  // design's only load case.
  for (const std::size_t r : {1u, 2u, 4001u, 17778u, 39999u, 40000u}) {
    const auto& row = rows[r];
    const auto single = Run("--set 21060=1 --set 21061:1=" + row[3] + " --set 21062:1=" + row[4] + " --json");
    ASSERT_EQ(single.Status, 0) << single.Err;
    const auto json = nlohmann::json::parse(single.Out);
    const auto& state = json["load_cases"][0]["states"][Number(row[2]) == 1 ? 0 : 1];
    EXPECT_EQ(row[5], JsonValueText(state["root_moment"])) << r;
    EXPECT_EQ(row[6], JsonValueText(state["root_shear"])) << r;
    EXPECT_EQ(row[7], JsonValueText(state["min_bend_radius"])) << r;
    const auto& check = json["design_check"]["cases"][Number(row[2]) == 1 ? 0 : 1];
    EXPECT_EQ(row[10], JsonValueText(check["ratio"])) << r;
  }
}

TEST_F(HistoryCli, AStoppedScanKeepsTheRowsDoneAndSaysItIsIncomplete)
{
  std::string history = "Tension,Angle\n";
  for (int i = 0; i < 30000; ++i) history += std::to_string(10 + i % 90) + ",20\n";
  std::istringstream unused;
  WriteText(folder / "long.csv", history);
  auto bend = New<TBend>();
  int polls = 0;
  std::ostringstream out, err;
  const int status =
      ScanHistory(*bend, {(folder / "long.csv").string(), 1}, (folder / "r.csv").string(), out, err, [&] {
        if (++polls == 3) throw ESilentAbort();
      });
  EXPECT_EQ(status, ExitCancelled);
  const std::string response = Slurp(folder / "r.csv");
  const auto rows = CsvRows(response);
  ASSERT_GE(rows.size(), 3u);
  EXPECT_EQ(rows.back()[0], "# incomplete after " + std::to_string(rows.size() - 2) +
                                " rows of the history: stopped by the user");
  for (std::size_t r = 1; r + 1 < rows.size(); ++r) ASSERT_EQ(rows[r][0], std::to_string(r));
}

TEST_F(HistoryCli, AHostileHistoryGetsAClearMessageNeverAResponseOfRowsThatAreNot)
{
  const struct {
    std::string Text;
    int Status;
    const char* Message;
  } cases[] = {
      {"", 1, "The history holds no table"},
      {"Tension,Angle\n", 1, "header but no rows"},
      {"Tension,Angle\n1,2\n1e400,2\n", 1, "Line 3, tension: 1e400 is out of range"},
      {"Tension,Angle\n1,2\n" + std::string(11 * 1024 * 1024, '1') + ",2\n", 1, "Line 3 is longer than"},
      {std::string("Tension,Angle\n\x80\x00\xff,1\n", 20), 1, "Line 2, tension: \"\\x80\\x00\\xFF\" is not a number."},
      {"Angle,Time\n1,2\n", 1, "no tension column"},
  };
  for (const auto& c : cases) {
    WriteText(folder / "h.csv", c.Text);
    testing::fs::remove(folder / "r.csv");
    const auto run = Run("--scan " + (folder / "h.csv").string() + " --out " + (folder / "r.csv").string());
    EXPECT_EQ(run.Status, c.Status) << c.Message;
    EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
    if (testing::fs::exists(folder / "r.csv")) {
      const std::string response = Slurp(folder / "r.csv");
      EXPECT_NE(response.find("# incomplete after "), std::string::npos) << response;
    }
  }
  // A refused row in a later block, read while the one before is solved:
  // every row before it is kept, in order.
  std::string history = "Tension,Angle\n";
  for (int i = 0; i < 9000; ++i) history += std::to_string(10 + i % 50) + ",15\n";
  history += "12,-1\n5,5\n";
  WriteText(folder / "h.csv", history);
  const auto late = Run("--scan " + (folder / "h.csv").string() + " --state 2 --out " + (folder / "r.csv").string());
  EXPECT_EQ(late.Status, 1);
  EXPECT_NE(late.Err.find("Line 9002, angle: -1 is refused: Cannot be negative."), std::string::npos) << late.Err;
  const auto rows = CsvRows(Slurp(folder / "r.csv"));
  ASSERT_EQ(rows.size(), 9002u);
  EXPECT_EQ(rows[9000][0], "9000");
  EXPECT_EQ(rows[9001][0], "# incomplete after 9000 rows of the history: Line 9002");

  const auto usage = Run("--scan x.csv --state 3");
  EXPECT_EQ(usage.Status, 2);
}

}  // namespace
}  // namespace umbrinex
