#include "persistence/LoadCaseCsv.h"

#include <gtest/gtest.h>

#include <sstream>

#include "BendFileTestSupport.h"
#include "bend/Bend.h"
#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"
#include "numerics/ReservedDoubles.h"
#include "persistence/BendFile.h"
#include "persistence/CsvColumns.h"

namespace umbrinex {
namespace {

using testing::Set;

constexpr double KipInKN = 4.4482216152605;

class LoadCaseCsv : public ::testing::Test {
 protected:
  std::vector<TImportedLoadCase> Read(const std::string& text)
  {
    std::istringstream in(text);
    return ReadLoadCasesCsv(in, *bend);
  }
  // The refusals of a text that must not import.
  std::vector<std::string> Refusals(const std::string& text)
  {
    try {
      Read(text);
    } catch (const ELoadCaseImportError& e) {
      return e.Messages();
    } catch (const ECsvError& e) {
      return {e.what()};
    }
    ADD_FAILURE() << "imported: " << text.substr(0, 80);
    return {};
  }
  std::unique_ptr<TBend> bend = New<TBend>();
};

TEST_F(LoadCaseCsv, ASpreadsheetsSemicolonTableInKipsImportsIntoAnSIDesign)
{
  // Laid out as a spreadsheet of a decimal-comma country saves it: a byte
  // order mark, CR LF, quoted fields, a comment, a blank line and a column
  // the importer does not know.
  const std::string text =
      "\xEF\xBB\xBF# tension and angle at the hang-off, 100-year cases\r\n"
      "\"Angle (deg)\";\"Tension (kips)\";Case;\"ABR [m]\";state 2\r\n"
      "\r\n"
      "12,5;\"31\";\"far; 100-yr\";;No\r\n"
      "  # a remark between the rows\r\n"
      "30;7.25;\"near \"\"extreme\"\"\";3.5;yes\r\n";
  const std::vector<TImportedLoadCase> rows = Read(text);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Line, 4);
  EXPECT_EQ(rows[0].Tension, 31.0 * KipInKN);
  EXPECT_EQ(rows[0].Angle, 12.5);
  EXPECT_TRUE(IsDefault(rows[0].ABR));
  EXPECT_TRUE(rows[0].Included[0]);
  EXPECT_FALSE(rows[0].Included[1]);
  EXPECT_EQ(rows[1].Line, 6);
  EXPECT_EQ(rows[1].Tension, 7.25 * KipInKN);
  EXPECT_EQ(rows[1].Angle, 30.0);
  EXPECT_EQ(rows[1].ABR, 3.5);
  EXPECT_TRUE(rows[1].Included[1]);

  ApplyLoadCases(*bend, rows);
  ASSERT_EQ(bend->LoadCaseCount(), 2);
  EXPECT_EQ(bend->LoadCaseTension(0), 31.0 * KipInKN);
  EXPECT_EQ(bend->LoadCaseABR(0), bend->AllowableBendRadius());
  EXPECT_FALSE(bend->StateIncluded(0, 1));
  EXPECT_EQ(bend->LoadCaseABR(1), 3.5);
}

TEST_F(LoadCaseCsv, NumbersWithoutUnitsAreInTheDesignsOwnUnitsAndTakenAsTheyAre)
{
  Set(*bend, bend->Units().BaseVarNum() + TUnits::uiSystem, "US", vtText);
  const std::vector<TImportedLoadCase> rows = Read("tension\tANGLE\tabr (in)\n0.1\t45\t100\n");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].Tension, 0.1) << "kips in a US design, not converted";
  EXPECT_EQ(rows[0].ABR, 100.0 * 0.0254 / 0.3048);
  // Radians become degrees; kilonewtons become kips.
  const auto converted = Read("Tension (kN),Angle (rad)\n" + ShortestNumberText(KipInKN) + ",0.5\n");
  EXPECT_DOUBLE_EQ(converted[0].Tension, 1.0);
  EXPECT_DOUBLE_EQ(converted[0].Angle, 0.5 * 180.0 / 3.14159265358979323846);
}

TEST_F(LoadCaseCsv, AnExportReadsBackToTheSameDoublesInEveryUnitsSystem)
{
  for (const char* system : {"SI", "US"}) {
    auto design = testing::ModifiedDesign();
    Set(*design, design->Units().BaseVarNum() + TUnits::uiSystem, system, vtText);
    std::ostringstream out;
    WriteLoadCasesCsv(*design, out);
    std::istringstream in(out.str());
    const auto rows = ReadLoadCasesCsv(in, *design);
    ASSERT_EQ(static_cast<int>(rows.size()), design->LoadCaseCount()) << out.str();
    for (int i = 0; i < design->LoadCaseCount(); ++i) {
      const TImportedLoadCase& row = rows[static_cast<std::size_t>(i)];
      EXPECT_EQ(row.Tension, design->LoadCaseTension(i)) << system << " row " << i;
      EXPECT_EQ(row.Angle, design->LoadCaseAngle(i));
      const double abr = design->LoadCases().Cell(i, vnLoadCaseABR);
      EXPECT_TRUE(IsDefault(abr) ? IsDefault(row.ABR) : row.ABR == abr);
      EXPECT_EQ(row.Included[0], design->StateIncluded(i, 0));
      EXPECT_EQ(row.Included[1], design->StateIncluded(i, 1));
    }
    if (std::string(system) == "US") {
      EXPECT_EQ(out.str().substr(0, 30), "Tension (kip),Angle (deg),ABR ");
    }
  }
}

TEST_F(LoadCaseCsv, EveryRefusedRowIsToldByLineAndTheDesignStaysAsItWas)
{
  const auto before = SaveToMemory(*bend);
  const std::string file = ::testing::TempDir() + "refused.csv";
  testing::WriteBytes(
      file, testing::TBytes{'T', ',', 'A', '\n', '1', ',', '2', '\n', 'x', ',', '2', '\n', '-', '1', ',', '5', '\n'});
  try {
    ImportLoadCasesCsv(*bend, file);
    FAIL() << "imported";
  } catch (const ELoadCaseImportError& e) {
    FAIL() << "T and A are no column names: " << e.what();
  } catch (const ECsvError& e) {
    EXPECT_NE(std::string(e.what()).find("Line 1: the header has no tension column"), std::string::npos) << e.what();
  }
  testing::WriteBytes(file, testing::TBytes{'T', 'e', 'n', 's',  'i', 'o', 'n', ',',  'A', 'n', 'g', 'l', 'e', '\n',
                                            '1', ',', '2', '\n', 'x', ',', '2', '\n', '-', '1', ',', '5', '\n'});
  try {
    ImportLoadCasesCsv(*bend, file);
    FAIL() << "imported";
  } catch (const ELoadCaseImportError& e) {
    ASSERT_EQ(e.Messages().size(), 2u);
    EXPECT_EQ(e.Messages()[0], "Line 3, tension: \"x\" is not a number.");
    EXPECT_EQ(e.Messages()[1], "Line 4, tension: -1 is refused: Cannot be negative.");
  }
  EXPECT_EQ(SaveToMemory(*bend), before);
}

TEST_F(LoadCaseCsv, HostileTextIsRefusedWithAReasonNeverHalfImported)
{
  const std::string header = "Tension,Angle\n";
  const struct {
    std::string Text;
    const char* Expected;
  } cases[] = {
      {"", "no table"},
      {"\n# only a comment\n\n", "no table"},
      {header, "Line 1: the table has a header but no load case"},
      {header + "nan,3\n", "Line 2, tension: \"nan\" is not a finite number."},
      {header + "3,inf\n", "Line 2, angle: \"inf\" is not a finite number."},
      {header + "1e400,3\n", "Line 2, tension: 1e400 is out of range"},
      {header + "3,\n", "Line 2, angle: no number is given."},
      {header + std::string("\x01\xff\x00,3\n", 6), "Line 2, tension: \"\\x01\\xFF\\x00\" is not a number."},
      {header + "3," + std::string(10 * 1024 * 1024, '7') + "\n", "Line 2 is longer than 65536 characters"},
      {header + "\"3,4\n5,6\n", "Line 2: a quoted field is not closed"},
      {header + "3\"x,4\n", "Line 2: a quote stands inside a field"},
      {"\xFF\xFET\0e\0", "UTF-16"},
      {"Tension (kg),Angle\n1,2\n", "the unit \"kg\" of the tension column"},
      {"Tension,Angle,tension\n1,2,3\n", "names the tension column twice"},
      {header + "1,2,3\n4,5\n6,maybe\n", "Line 4, angle: \"maybe\" is not a number."},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> refusals = Refusals(c.Text);
    ASSERT_FALSE(refusals.empty());
    EXPECT_NE(refusals.front().find(c.Expected), std::string::npos) << refusals.front();
  }
  std::string many = header;
  for (int i = 0; i < 1003; ++i) many += "10,20\n";
  const auto refusals = Refusals(many);
  ASSERT_EQ(refusals.size(), 1u);
  EXPECT_EQ(refusals[0], "Line 1002: more rows than the load case table allows (1000).");
}

TEST_F(LoadCaseCsv, LineNumbersCountEveryKindOfLineBreak)
{
  // A lone CR (old spreadsheets), a quoted field over two lines and tabs.
  const auto rows = Read("Tension\tAngle\tNote\r1\t2\r\r3\t4\t\"two\nlines\"\n5\t6\n");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].Line, 2);
  EXPECT_EQ(rows[1].Line, 4);
  EXPECT_EQ(rows[2].Line, 6);
  EXPECT_EQ(rows[2].Angle, 6.0);
}

}  // namespace
}  // namespace umbrinex
