#include "cli/Cli.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "CliTestSupport.h"
#include "TestSupport.h"
#include "bend/Bend.h"
#include "cli/ItemListing.h"
#include "framework/data/Clock.h"
#include "framework/data/Units.h"
#include "presentation/Reports.h"
#include "presentation/Workbook.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;
using testing::CliProgram;
using testing::TRun;

// The figures quoted for the default design carry four significant digits.
constexpr double kQuoted = 5e-4;

TEST(CliItemSettings, ItemsAreAVarNumWithAnOptionalRowFromOneAndTheTextFollowsTheFirstEquals)
{
  const auto withRow = ParseItemSetting("21061:4=-1");
  ASSERT_TRUE(withRow);
  EXPECT_EQ(withRow->Item, "21061:4");
  EXPECT_EQ(withRow->VarNum, 21061);
  EXPECT_EQ(withRow->Row, 4);
  EXPECT_EQ(withRow->Text, "-1");
  const auto text = ParseItemSetting("21002=a=b");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->Row, 0);
  EXPECT_EQ(text->Text, "a=b");
  for (const char* bad : {"21061", "=1", "x=1", "21061:0=1", "21061:=1", "21061:2x=1", "-5=1"})
    EXPECT_FALSE(ParseItemSetting(bad)) << bad;
}

class CliDesign : public ::testing::Test {
 protected:
  TAccessStatus Enter(int varNum, int row, const std::string& text)
  {
    return EnterItemText(*bend, varNum, row > 0 ? row - 1 : 0, text);
  }
  std::unique_ptr<TBend> bend = New<TBend>();
};

TEST_F(CliDesign, TypedTextIsRefusedWithTheProgramsOwnMessages)
{
  struct TCase {
    int VarNum;
    int Row;
    const char* Text;
    const char* Message;
  };
  const TCase cases[] = {
      {vnLoadCaseTension, 4, "-1", "Cannot be negative."},
      {vnLoadCaseTension, 4, "abc", "Invalid value"},
      {vnActiveLength, 0, "0", "Must be positive"},
      {vnNumberOfLoadCases, 0, "70000", "Number out of range"},
      {vnNumberOfLoadCases, 0, "1001", "Must be in the range 1 to 1000"},
      {vnSelectedMaterial, 0, "-3", "Positive number expected"},
      {vnMaterial, 0, "Rubber", "Invalid value"},
      {vnLoadCaseTension, 9, "1", "Invalid index"},
      {99999, 0, "1", "Unrecognised variable"},
  };
  for (const TCase& c : cases) {
    const TAccessStatus status = Enter(c.VarNum, c.Row, c.Text);
    EXPECT_GT(status.Code, acOk) << c.VarNum;
    EXPECT_EQ(status.Text(), c.Message) << c.VarNum << "=" << c.Text;
  }
  const TAccessStatus unknownName = Enter(vnStiffenerDefinition, 0, "Fred");
  EXPECT_EQ(unknownName.Code, acInvalidValue);
  EXPECT_EQ(unknownName.Text().rfind("'Fred' not found.", 0), 0u) << unknownName.Text();
  EXPECT_EQ(bend->LoadCaseTension(3), 31.0) << "a refusal changes nothing";
}

TEST_F(CliDesign, TypedTextReachesNumbersSpecialValuesNamesAndChoices)
{
  EXPECT_EQ(Enter(vnLoadCaseTension, 2, "7.5e0").Code, acOk);
  EXPECT_EQ(bend->LoadCaseTension(1), 7.5);
  EXPECT_EQ(Enter(vnLoadCaseABR, 2, "3").Code, acOk);
  EXPECT_EQ(Enter(vnLoadCaseABR, 2, "~").Code, acOk);
  EXPECT_EQ(bend->LoadCaseABR(1), bend->AllowableBendRadius()) << "back to the default";
  EXPECT_EQ(Enter(vnState2Included, 3, "n").Code, acOk);
  EXPECT_FALSE(bend->StateIncluded(2, 1));
  EXPECT_EQ(Enter(vnStiffenerDefinition, 0, "user*").Code, acOk);
  EXPECT_EQ(bend->StiffenerDefinition(), sdUserDefined);
  EXPECT_EQ(Enter(vnNumberOfLoadCases, 0, "6").Code, acOk);
  EXPECT_EQ(bend->LoadCaseCount(), 6);
  EXPECT_EQ(Enter(vnProject, 0, "Riser 7").Code, acOk);
  EXPECT_EQ(bend->Project(), "Riser 7");
  EXPECT_EQ(Enter(vnPointMaterial, 1, "Material 1").Code, acOk);
  EXPECT_EQ(Enter(2, 0, "US").Code, acOk) << "the units system, an item without a descriptor";
}

TEST(CliUnits, DimensionsBecomeCaptionsWithUnitPlaceholders)
{
  EXPECT_EQ(UnitPlaceholders(dmBendingStiffness), "FF.LL^2");
  EXPECT_EQ(UnitPlaceholders(dmStress), "FF/LL^2");
  EXPECT_EQ(UnitPlaceholders(dmCurvature), "1/LL");
  EXPECT_EQ(UnitPlaceholders(dmAcceleration), "LL/TT^2");
  EXPECT_EQ(UnitPlaceholders(dmDensity), "MM/LL^3");
  EXPECT_EQ(UnitPlaceholders(dmDimensionless), "");
}

TEST_F(CliDesign, ItemListingShowsRowsNamesValuesAndUnitsAndSkipsWhatDoesNotApply)
{
  std::ostringstream out;
  ListItems(*bend, out);
  const std::string listing = out.str();
  for (const char* line :
       {"\n8\tUnits.Gravity\t9.80665\tm/s^2\n", "\n21010\tCableBendStiffness.State1\t3\tkN.m^2\n",
        "\n21020\tStiffenerDefinition\tStiffness Power Law\t\n", "\n21061:4\tLoadCase.Tension\t31\tkN\n",
        "\n21062:4\tLoadCase.Angle\t29\tdeg\n", "\n21063:5\tLoadCase.ABR\t~\tm\n",
        "\n21065:1\tLoadCase.State2Included\tYes\t\n", "\n21024\tShapePower\t2\t\n", "\n21033:3\tPoint.Material\t\t\n",
        "\n21086\tAngles.Maximum\t90\tdeg\n"})
    EXPECT_NE(listing.find(line), std::string::npos) << line;
  EXPECT_EQ(listing.rfind("Item\tName\tValue\tUnit\n2\tUnits.System\tSI\t\n", 0), 0u);
  EXPECT_EQ(listing.find("\n21061:6"), std::string::npos);

  Enter(vnStiffenerDefinition, 0, "User Defined");
  Enter(2, 0, "US");
  std::ostringstream after;
  ListItems(*bend, after);
  EXPECT_EQ(after.str().find("\n21024\t"), std::string::npos) << "no shape power for a user-defined profile";
  EXPECT_NE(after.str().find("\n21012\tAllowableBendRadius\t"), std::string::npos);
  EXPECT_NE(after.str().find("\tft\n"), std::string::npos);
}

TEST_F(CliDesign, EveryListedItemHasANameOfItsOwn)
{
  std::ostringstream out;
  ListItems(*bend, out);
  std::istringstream lines(out.str());
  std::string line;
  std::getline(lines, line);
  std::map<std::string, int> varNumOfName;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    const std::size_t tab = line.find('\t'), next = line.find('\t', tab + 1);
    ASSERT_NE(next, std::string::npos) << line;
    const std::string name = line.substr(tab + 1, next - tab - 1);
    const int varNum = std::stoi(line.substr(0, line.find_first_of(":\t")));
    EXPECT_FALSE(name.empty()) << line;
    const auto [known, added] = varNumOfName.emplace(name, varNum);
    EXPECT_EQ(known->second, varNum) << name << " names two items";
  }
  EXPECT_GT(count, 100);
  // Each listed name leads back to its item.
  for (const auto& [name, varNum] : varNumOfName) EXPECT_EQ(ListedVarNum(*bend, name), varNum) << name;
}

TEST_F(CliDesign, ANameLeadsToItsItemEvenWhenTheDesignDoesNotAnswerItNow)
{
  Enter(vnStiffenerDefinition, 0, "User Defined");
  EXPECT_EQ(ListedVarNum(*bend, "ShapePower"), vnShapePower) << "not listed for a user-defined profile";
  EXPECT_EQ(ListedVarNum(*bend, "Units.System"), 2);
  for (const char* name : {"activelength", "ActiveLength ", "", "LoadCase", "LoadCase.Tension:4"})
    EXPECT_FALSE(ListedVarNum(*bend, name)) << '"' << name << '"';
  const std::vector<TItemName> names = ListedItemNames(*bend);
  EXPECT_EQ(names.front().Name, "Units.System");
  EXPECT_TRUE(std::any_of(names.begin(), names.end(), [](const TItemName& item) {
    return item.Name == "ShapePower" && item.VarNum == vnShapePower;
  }));
}

TEST_F(CliDesign, ItemsAsJsonCarryTypedValuesRowsAndWhetherTheyCanBeChanged)
{
  const nlohmann::ordered_json items = ItemsJson(*bend)["items"];
  auto find = [&](const std::string& item) {
    for (const auto& entry : items)
      if (entry["item"] == item) return entry;
    return nlohmann::ordered_json();
  };
  EXPECT_EQ(find("21061:4")["value"], 31.0);
  EXPECT_EQ(find("21061:4")["row"], 4);
  EXPECT_EQ(find("21061:4")["name"], "LoadCase.Tension");
  EXPECT_EQ(find("21063:1")["value"], "~") << "special values as their texts";
  EXPECT_EQ(find("21030")["value"], 3);
  EXPECT_TRUE(find("21030")["row"].is_null());
  EXPECT_EQ(find("21020")["value"], "Stiffness Power Law");
  EXPECT_EQ(find("21011")["unit"], "kN.m^2");
  EXPECT_FALSE(find("2")["read_only"].get<bool>());
  EXPECT_TRUE(find("3")["read_only"].get<bool>()) << "the length unit follows the SI system";
  EXPECT_TRUE(find("21033:3")["read_only"].get<bool>()) << "the last point has no material";
}

TEST_F(CliDesign, ResultsCalculatedBeforeAChangeAreCalculatedAgainAfterIt)
{
  const TReportChoice key{.Key = true, .DesignChart = true};
  const nlohmann::ordered_json before = ResultsJson(*bend, key);
  ASSERT_EQ(Enter(vnRootDiameter, 0, "0.3").Code, acOk);
  const nlohmann::ordered_json after = ResultsJson(*bend, key);
  EXPECT_NE(after, before);
  std::unique_ptr<TBend> fresh = New<TBend>();
  ASSERT_EQ(EnterItemText(*fresh, vnRootDiameter, 0, "0.3").Code, acOk);
  EXPECT_EQ(after, ResultsJson(*fresh, key));
  EXPECT_EQ(Enter(vnRootDiameter, 0, "-1").Code, acInvalidValue);
  EXPECT_EQ(ResultsJson(*bend, key), after) << "a refusal keeps the results";
}

TEST_F(CliDesign, AUnitOfTheSIOrUSSystemIsRefusedWithWhatToChangeFirst)
{
  EXPECT_EQ(Enter(3, 0, "mm").Text(), "Change not allowed: the units system is SI; set 2=User first");
  Enter(2, 0, "US");
  EXPECT_EQ(Enter(5, 0, "lb").Text(), "Change not allowed: the units system is US; set 2=User first");
  EXPECT_EQ(Enter(8, 0, "9").Text(), "Change not allowed") << "gravity follows the units whatever the system";
  ASSERT_EQ(Enter(2, 0, "User").Code, acOk);
  EXPECT_EQ(Enter(3, 0, "mm").Code, acOk);
  EXPECT_EQ(bend->Units().LengthName(), "mm");
  EXPECT_EQ(Enter(3, 0, "furlong").Code, acInvalidValue);
}

TEST(CliText, NumbersAreShownAsTheirNumberFormatsAsk)
{
  struct TCase {
    double Value;
    const char* Format;
    const char* Text;
  };
  const TCase cases[] = {{3.0, "0.0###", "3.0"},
                         {12.8280659, "0.0###", "12.8281"},
                         {0.5, "0.000", "0.500"},
                         {2.5e6, "0.00E+###", "2.50E+6"},
                         {0.005, "0.00E+###", "5.00E-3"},
                         {-0.0012, "0.0E+###", "-1.2E-3"},
                         {4.0, "0", "4"},
                         {0.0276574, "0.00000", "0.02766"}};
  for (const TCase& c : cases) EXPECT_EQ(FormatCellNumber(c.Value, c.Format), c.Text) << c.Format;
}

TEST(CliText, SheetsPrintAsAlignedColumnsWithTextsRunningOverEmptyCells)
{
  TSheet sheet("Key Results");
  sheet.At(1, 1).Value = std::string("A title much wider than the columns");
  sheet.At(2, 1).Value = std::string("Tension");
  sheet.At(2, 2).Value = std::string("x");
  sheet.At(3, 1).Value = 2.5;
  sheet.At(3, 2).Value = std::string("Infinity");
  sheet.At(3, 2).Format.Alignment = THorizontalAlignment::Right;
  sheet.At(4, 1).Value = 12.0;
  sheet.At(4, 1).Format.NumberFormat = "0";
  sheet.At(5, 1).Value = std::string("Span");
  sheet.At(5, 1).Format.Alignment = THorizontalAlignment::CentreAcross;
  sheet.At(5, 2).Format.Alignment = THorizontalAlignment::CentreAcross;
  EXPECT_EQ(SheetText(sheet),
            "A title much wider than the columns\n"
            "Tension  x\n"
            "    2.5  Infinity\n"
            "     12\n"
            "      Span\n");
}

TEST_F(CliDesign, KeyResultsPrintAsTheSheetLaysThemOut)
{
  const TClock previous = SetClock([] { return std::time_t{0}; });
  std::ostringstream out, err;
  TCliOptions options;
  EXPECT_EQ(RunOptions(options, out, err), ExitOk) << err.str();
  SetClock(previous);
  const std::string text = out.str();
  EXPECT_EQ(text.rfind("Key Results\n\nUmbrinex 4.2b run at ", 0), 0u) << "titled with its own name: no name line";
  EXPECT_NE(text.find("\nFile:            (none)\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nMax Root Moment  State 2, Load Case 4                12.8281  -15.0291\n"), std::string::npos)
      << text;
}

TEST_F(CliDesign, JsonCarriesKeyEventsLoadCasesAndTheChosenCasesStations)
{
  TReportChoice choice;
  choice.Key = true;
  choice.LoadCase = 2;
  Enter(vnLoadCaseAngle, 2, "0");
  Enter(vnState1Included, 3, "no");
  const nlohmann::ordered_json json = ResultsJson(*bend, choice);
  const auto& moment = json["key_results"]["max_root_moment"];
  EXPECT_EQ(moment["state"], 2);
  EXPECT_EQ(moment["load_case"], 4);
  EXPECT_TRUE(testing::IsClose(12.83, moment["root_moment"].get<double>(), kQuoted));

  const auto& cases = json["load_cases"];
  ASSERT_EQ(cases.size(), 5u);
  EXPECT_EQ(cases[2]["states"].size(), 1u) << "only the included states";
  EXPECT_EQ(cases[2]["states"][0]["state"], 2);
  EXPECT_EQ(cases[1]["abr"], 2.5);
  const auto& straight = cases[1]["states"][0];
  EXPECT_EQ(straight["max_curvature"], 0.0);
  EXPECT_EQ(straight["min_bend_radius"], "Infinity");
  const auto& stations = straight["stations"];
  EXPECT_EQ(stations["n_stiffener_stations"], 41);
  EXPECT_EQ(stations["arc_length"].size(), 47u);
  EXPECT_EQ(stations["tensile_strain"][46], 0.0);
  EXPECT_FALSE(cases[0]["states"][0].contains("stations"));
  EXPECT_FALSE(json.contains("design_chart"));
}

TEST_F(CliDesign, JsonKeyEventsAreNullWithoutActiveLoadCases)
{
  for (int i = 0; i < bend->LoadCaseCount(); ++i)
    for (int s = 0; s < 2; ++s) bend->SetStateIncluded(i, s, false);
  const nlohmann::ordered_json json = ResultsJson(*bend, {});
  EXPECT_TRUE(json["key_results"]["max_root_moment"].is_null());
  EXPECT_TRUE(json["key_results"]["max_root_shear"].is_null());
  EXPECT_TRUE(json["load_cases"][0]["states"].empty());
}

// --- the program itself ---

TEST_F(CliProgram, JsonOfTheDefaultDesignReproducesTheReferenceResults)
{
  const TRun run = Run("--json --key --design-chart --performance-chart");
  ASSERT_EQ(run.Status, ExitOk) << run.Err;
  const auto json = nlohmann::json::parse(run.Out);
  EXPECT_TRUE(testing::IsClose(12.83, json["key_results"]["max_root_moment"]["root_moment"].get<double>(), kQuoted));
  EXPECT_TRUE(testing::IsClose(0.7366, json["design_chart"]["base_ratio"].get<double>(), kQuoted));
  EXPECT_NEAR(json["performance_chart"][5]["angle_limit"].get<double>(), 65.57, 0.01);
  EXPECT_EQ(json["design_chart"]["factors"][1]["points"][1]["load_case"], 4);
}

TEST_F(CliProgram, RefusalsAndUsageErrorsExitWith2AndFileErrorsWith1)
{
  const TRun refused = Run("--set 21061:4=-1");
  EXPECT_EQ(refused.Status, ExitUsage);
  EXPECT_EQ(refused.Err, "21061:4: Cannot be negative.\n");
  EXPECT_EQ(refused.Out, "");
  EXPECT_EQ(Run("--no-such-option").Status, ExitUsage);
  EXPECT_EQ(Run("--report " + (folder / "r.csv").string()).Status, ExitUsage);
  const TRun noCase = Run("--load-case 6");
  EXPECT_EQ(noCase.Status, ExitUsage);
  EXPECT_EQ(noCase.Err, "--load-case 6: the design has 5 load cases\n");

  const TRun missing = Run((folder / "missing.mxd").string());
  EXPECT_EQ(missing.Status, ExitFailed);
  EXPECT_EQ(missing.Err.rfind("File Error: ", 0), 0u) << missing.Err;
  const TRun invalid = Run("--set 21023=0.1");
  EXPECT_EQ(invalid.Status, ExitFailed);
  EXPECT_EQ(invalid.Err, "The root and tip diameters must not be less than the cable diameter.\n");
}

TEST_F(CliProgram, ItemsAsJsonParseAndJoinTheResultsAskedFor)
{
  const TRun items = Run("--items --json");
  ASSERT_EQ(items.Status, ExitOk) << items.Err;
  const auto json = nlohmann::json::parse(items.Out);
  ASSERT_EQ(json.size(), 1u) << "items only";
  EXPECT_EQ(json["items"][0]["name"], "Units.System");
  const TRun both = Run("--items --json --key");
  ASSERT_EQ(both.Status, ExitOk) << both.Err;
  const auto joined = nlohmann::json::parse(both.Out);
  EXPECT_TRUE(joined.contains("key_results") && joined.contains("items"));

  const TRun refused = Run("--set 3=mm");
  EXPECT_EQ(refused.Status, ExitUsage);
  EXPECT_EQ(refused.Err, "3: Change not allowed: the units system is SI; set 2=User first\n");
  EXPECT_EQ(Run("--set 2=User --set 3=mm").Status, ExitOk);
}

TEST_F(CliProgram, ASavedVariationOpensWithItsChangesAndFileName)
{
  const std::string design = (folder / "variation.mxd").string();
  ASSERT_EQ(Run("--set 21061:2=6.5 --set 21064:3=n --save " + design).Status, ExitOk);
  const TRun opened = Run(design + " --items");
  ASSERT_EQ(opened.Status, ExitOk) << opened.Err;
  EXPECT_NE(opened.Out.find("\n21061:2\tLoadCase.Tension\t6.5\tkN\n"), std::string::npos);
  EXPECT_NE(opened.Out.find("\n21064:3\tLoadCase.State1Included\tNo\t\n"), std::string::npos);
  EXPECT_EQ(opened.Out.find("Key Results"), std::string::npos) << "listing items replaces the default report";
  const TRun key = Run(design + " --key");
  EXPECT_NE(key.Out.find("File:            " + ShortenedFileName(fs::absolute(design).string())), std::string::npos)
      << key.Out;
}

TEST_F(CliProgram, AReportFileWithoutChoicesHoldsEveryReportOnSheetsOfUniqueNames)
{
  if (::access("/usr/bin/python3", X_OK) != 0 || std::system("/usr/bin/python3 -c 'import openpyxl' 2>/dev/null") != 0)
    GTEST_SKIP() << "needs /usr/bin/python3 with openpyxl";
  const fs::path report = folder / "all.xlsx";
  const TRun run = Run("--set 21065:2=n --report " + report.string());
  ASSERT_EQ(run.Status, ExitOk) << run.Err;
  EXPECT_EQ(run.Out, "");
  const std::string command =
      "/usr/bin/python3 -c \"import sys, openpyxl; print('|'.join(openpyxl.load_workbook(sys.argv[1]).sheetnames))\" " +
      report.string() + " >" + (folder / "names.txt").string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(Slurp(folder / "names.txt"),
            "Key Results|State 1|State 2|State 1 (2)|State 1 (3)|State 2 (2)|State 1 (4)|State 2 (3)|"
            "State 1 (5)|State 2 (4)|Design Chart Results|Performance Chart Results\n");
}

TEST_F(CliProgram, AThreadVariableThatIsNoNumberIsWarnedOfUnlessThreadsOverridesIt)
{
  const TRun bad = RunWith("UMBRINEX_THREADS=many ", "--key");
  EXPECT_EQ(bad.Status, ExitOk);
  EXPECT_NE(bad.Err.find("UMBRINEX_THREADS=\"many\" is not a number of threads"), std::string::npos) << bad.Err;
  EXPECT_EQ(RunWith("UMBRINEX_THREADS=many ", "--key --threads 2").Err, "");
  EXPECT_EQ(RunWith("UMBRINEX_THREADS=2 ", "--key").Err, "");
}

}  // namespace
}  // namespace umbrinex

#ifdef UMBRINEX_CLI_GRAPHS
namespace umbrinex {
namespace {

TEST_F(CliProgram, GraphsAndDrawingsAreRenderedIntoFilesOfTheirKind)
{
  for (const char* name : {"'Design Chart'", "'Curvature Chart'", "'Deflected Shape'"}) {
    const fs::path svg = folder / "picture.svg";
    const TRun run = Run(std::string("--graph ") + name + " --load-case 2 --out " + svg.string());
    ASSERT_EQ(run.Status, ExitOk) << name << ": " << run.Err;
    EXPECT_EQ(run.Out, "") << "--load-case only chooses the graph's load case";
    EXPECT_NE(Slurp(svg).find("<svg"), std::string::npos) << name;
  }
  const fs::path png = folder / "arrangement.png";
  ASSERT_EQ(Run("--graph 'General Arrangement' --out " + png.string()).Status, ExitOk);
  EXPECT_EQ(Slurp(png).substr(1, 3), "PNG");
  const TRun unknown = Run("--graph Unknown --out " + (folder / "x.svg").string());
  EXPECT_EQ(unknown.Status, ExitUsage);
  EXPECT_EQ(unknown.Err,
            "--graph Unknown: unknown graph; the graphs are \"Diameter\", \"Stiffness\", \"Design Chart\", "
            "\"Performance Chart\", \"Performance Map\", \"Deflection Chart\", \"Curvature Chart\", "
            "\"Strain Chart\", \"General Arrangement\", \"Deflected Shape\".\n");
  EXPECT_EQ(Run("--graph 'Design Chart'").Status, ExitUsage) << "--graph needs --out";
}

TEST_F(CliProgram, ColourOverridesMonochromeOutputForOneRun)
{
  const fs::path mono = folder / "mono.svg", colour = folder / "colour.svg";
  ASSERT_EQ(Run("--graph 'Curvature Chart' --out " + mono.string()).Status, ExitOk);
  ASSERT_EQ(Run("--graph 'Curvature Chart' --colour --out " + colour.string()).Status, ExitOk);
  EXPECT_EQ(Slurp(mono).find("#ff0000"), std::string::npos) << "monochrome by default";
  EXPECT_NE(Slurp(colour).find("#ff0000"), std::string::npos) << "State 1 in red";
  const fs::path drawing = folder / "drawing.svg";
  ASSERT_EQ(Run("--graph 'General Arrangement' --colour --out " + drawing.string()).Status, ExitOk);
  EXPECT_NE(Slurp(drawing).find("#c0c0c0"), std::string::npos) << "the grey pen of the drawing";
  EXPECT_EQ(Run("--colour").Status, ExitUsage) << "--colour needs --graph";
}

}  // namespace
}  // namespace umbrinex
#endif
