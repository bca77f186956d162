#include "presentation/Reports.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "bend/KeyResults.h"
#include "bend/LoadCaseResults.h"
#include "bend/PerformanceChartResults.h"
#include "framework/data/Clock.h"
#include "framework/data/TextUtils.h"
#include "presentation/WorkbookFiles.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;

constexpr TColour Yellow = 0x00FFFF;
// The figures quoted for the default design carry four significant digits.
constexpr double kQuoted = 5e-4;

// Reports of the default design on a fresh workbook, run at the epoch in UTC
// so that the run line is known.
class Reports : public ::testing::Test {
 protected:
  Reports()
  {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    previousClock = SetClock([] { return std::time_t{0}; });
    sheet.OnInformation = [this](const std::string& text) { messages.push_back(text); };
  }
  ~Reports() override { SetClock(previousClock); }

  void Set(int varNum, const TVariant& value, TVarType representation = vtReal, int index = 0)
  {
    TAccessStatus status;
    bend->SetValue(varNum, index, status, value, representation);
    ASSERT_EQ(status.Code, acOk) << varNum << ": " << status.Text();
  }
  const TCell& Cell(int row, int col) const { return workbook.ActiveSheet().Cell(row, col); }
  std::string Text(int row, int col) const
  {
    const auto* text = std::get_if<std::string>(&Cell(row, col).Value);
    return text ? *text : "<not text>";
  }
  double Number(int row, int col) const
  {
    const auto* number = std::get_if<double>(&Cell(row, col).Value);
    return number ? *number : Undefined;
  }
  // The arc lengths of the rows of a station table starting in sheet row first.
  std::vector<double> ArcLengths(int first) const
  {
    std::vector<double> lengths;
    for (int row = first; std::holds_alternative<double>(Cell(row, 1).Value); ++row) lengths.push_back(Number(row, 1));
    return lengths;
  }

  std::unique_ptr<TBend> bend = New<TBend>();
  TWorkbook workbook;
  TSpreadSheet sheet{workbook};
  std::vector<std::string> messages;
  TClock previousClock;
};

// Load case report rows: header block in 1..7, volume line in 9, the three
// heading rows of the station table in 11..13, stations from 14.
constexpr int VolumeRow = 9;
constexpr int FirstStationRow = 14;

TEST(ReportFileNames, FoldersBeyondThreeAreElidedKeepingTheFirstAndTheTwoInnermost)
{
  EXPECT_EQ(ShortenedFileName("/home/ann/designs/riser/a.mxd"), "/.../designs/riser/a.mxd");
  EXPECT_EQ(ShortenedFileName("work/designs/riser/a.mxd"), "work/designs/riser/a.mxd");
  EXPECT_EQ(ShortenedFileName("a.mxd"), "a.mxd");
}

TEST_F(Reports, KeyResultsOfTheDefaultDesignFollowTheHeaderBlockWithFourTables)
{
  WriteToSheet(bend->KeyResults(), sheet);
  EXPECT_EQ(workbook.ActiveSheet().Name(), "Key Results");
  EXPECT_EQ(Text(1, 1), "Key Results");
  EXPECT_TRUE(Cell(1, 1).Format.Bold);
  EXPECT_EQ(Cell(1, 1).Format.FontSize, 14);
  EXPECT_EQ(workbook.ActiveSheet().RowHeight(1), 400);
  EXPECT_TRUE(Cell(2, 1).IsBlank());
  EXPECT_EQ(Text(3, 1), "Umbrinex 4.2b run at 00:00:00 on 01/01/70");
  EXPECT_EQ(Text(4, 2), "(none)");
  EXPECT_EQ(Text(5, 1) + Text(5, 2), "Project:Umbrinex Design Example");
  EXPECT_EQ(Text(7, 1) + Text(7, 2), "Designer:A.N. Other");

  EXPECT_EQ(Text(9, 1), "Cable Data:");
  EXPECT_EQ(Text(10, 2), "Bend stiffness (kN.m^2)");
  EXPECT_EQ(Number(10, 4), 5.0);
  EXPECT_EQ(Text(14, 1), "Load Cases:");
  EXPECT_EQ(Cell(14, 6).Format.Alignment, THorizontalAlignment::Right);
  EXPECT_EQ(Number(18, 1), 4.0);
  EXPECT_EQ(Cell(18, 1).Format.NumberFormat, "0");
  EXPECT_EQ(Number(18, 4), 2.5) << "the default ABR stands in for the load case's own";
  EXPECT_EQ(Text(18, 6), "Included");
  EXPECT_EQ(Text(21, 1), "Bend Stiffener Data: Definition = Stiffness Power Law");
  EXPECT_EQ(Text(26, 2) + Text(26, 3), "MaterialMaterial 1");

  EXPECT_EQ(Text(28, 1), "KEY RESULTS:");
  EXPECT_EQ(Text(30, 3), "Root Moment (kN.m)");
  EXPECT_EQ(Text(31, 2), "State 2, Load Case 4");
  EXPECT_TRUE(testing::IsClose(12.83, Number(31, 3), kQuoted));
  EXPECT_EQ(Text(32, 2), "State 1, Load Case 5");
  std::vector<std::pair<int, int>> yellow;
  for (int row = 1; row <= 32; ++row)
    for (int col = 1; col <= 6; ++col)
      if (Cell(row, col).Format.Fill == Yellow) yellow.emplace_back(row, col);
  EXPECT_EQ(yellow, (std::vector<std::pair<int, int>>{{28, 3}, {31, 3}, {32, 4}}));
  EXPECT_EQ(Cell(31, 1).Format.Borders[bsTop], 2) << "the two event rows are boxed";
  for (int col = 1; col <= 4; ++col) EXPECT_EQ(workbook.ActiveSheet().ColumnWidth(col), 5120);
}

TEST_F(Reports, KeyResultsWithoutActiveLoadCasesSaySoAndHighlightOnlyTheVolume)
{
  for (int i = 0; i < bend->LoadCaseCount(); ++i)
    for (int s = 0; s < 2; ++s) bend->SetStateIncluded(i, s, false);
  WriteToSheet(bend->KeyResults(), sheet);
  EXPECT_EQ(Text(31, 1) + "|" + Text(31, 2), "Max Root Moment|No active load cases");
  EXPECT_EQ(Text(32, 1) + "|" + Text(32, 2), "Max Root Shear|No active load cases");
  EXPECT_EQ(Text(15, 5), "Not Included");
  EXPECT_EQ(Cell(28, 3).Format.Fill, Yellow);
  EXPECT_EQ(Cell(31, 3).Format.Fill, NoColour);
  EXPECT_EQ(Cell(32, 4).Format.Fill, NoColour);
}

TEST_F(Reports, AUserDefinedProfileListsEveryPointAndTheLastHasNoMaterial)
{
  Set(vnStiffenerDefinition, "User Defined", vtText);
  WriteToSheet(bend->KeyResults(), sheet);
  EXPECT_EQ(Text(21, 1), "Bend Stiffener Data: Definition = User Defined");
  EXPECT_EQ(Text(22, 1) + "|" + Text(22, 2) + "|" + Text(22, 4), "Point Number|Arc Length (m)|Material");
  EXPECT_EQ(Cell(22, 4).Format.Alignment, THorizontalAlignment::Left);
  const int points = bend->Profile().Count();
  EXPECT_EQ(Number(22 + points, 1), points);
  EXPECT_EQ(Text(22 + points - 1, 4), "Material 1");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(Cell(22 + points, 4).Value));
  EXPECT_EQ(Text(22 + points + 2, 1), "KEY RESULTS:");
}

TEST_F(Reports, ASecondReportOnTheSameSheetLeavesOneEmptyRowAndTheNameGetsACounter)
{
  WriteToSheet(bend->KeyResults(), sheet);
  const int last = workbook.ActiveSheet().LastRow();
  WriteToSheet(bend->KeyResults(), sheet);
  EXPECT_TRUE(Cell(last + 1, 1).IsBlank());
  EXPECT_EQ(Text(last + 2, 1), "Key Results (2)") << "the title is the sheet's new name";
  EXPECT_EQ(Text(last + 4, 1), Text(3, 1));
  EXPECT_EQ(Text(last + 10, 1), "Cable Data:");
  EXPECT_EQ(workbook.ActiveSheet().Name(), "Key Results (2)");

  sheet.SetSheetCount(3);
  sheet.SelectSheet(2);
  sheet.NameSheet("Key Results");
  sheet.SelectSheet(1);
  WriteToSheet(bend->KeyResults(), sheet);
  EXPECT_EQ(workbook.ActiveSheet().Name(), "Key Results (3)");
}

TEST_F(Reports, LoadCaseSheetsCarryTheCaptionVolumeAndThreeHeadingRows)
{
  Set(vnSelectedLoadCase, 3, vtInt);
  WriteToSheet(bend->LoadCaseResults(), sheet);
  ASSERT_EQ(workbook.SheetCount(), 2);
  EXPECT_EQ(workbook.ActiveIndex(), 0);
  EXPECT_EQ(workbook.Sheet(1).Name(), "State 2");
  EXPECT_EQ(Text(1, 1), "Load Case 4 (T=31, A=29) State 1");
  EXPECT_EQ(Text(VolumeRow, 1), "Volume of Bend Stiffener  =");
  EXPECT_EQ(Cell(VolumeRow, 4).Format.NumberFormat, "0.00000");
  EXPECT_EQ(Text(VolumeRow, 5), "m^3");
  EXPECT_EQ(Text(11, 1) + Text(12, 1) + Text(13, 1), "ArcLength(m)");
  EXPECT_EQ(Text(11, 4), "Bending");
  EXPECT_EQ(Cell(11, 5).Format.Alignment, THorizontalAlignment::CentreAcross);
  EXPECT_EQ(Text(12, 8) + Text(12, 9) + Text(12, 10), "TensileComp.Alpha");
  EXPECT_EQ(Text(13, 4) + Text(13, 10), "(1/m)(deg)");
  EXPECT_EQ(Text(11, 15), "Lower Edge");
  EXPECT_EQ(Cell(FirstStationRow, 1).Format.NumberFormat, "0.000");
  EXPECT_EQ(Cell(FirstStationRow, 10).Format.NumberFormat, "0.00");

  const TBendStiffener& solution = bend->LoadCaseResults().Solution(0);
  EXPECT_EQ(Number(FirstStationRow, 6), solution.M(1));
  EXPECT_EQ(Number(FirstStationRow, 10), 0.0) << "the root section lies along the load direction";
  EXPECT_EQ(Number(FirstStationRow, 14), solution.Diameter(1) / 2) << "upper edge Y at the root";
}

TEST_F(Reports, StationsFollowTheOutputIntervalsKeepingBothSidesOfTheTipAndBoxingTheStiffener)
{
  // Stations every 0.05 along the stiffener: an interval of 0.14 lands
  // nearest to every third station. Along the cable (2.0, 2.05 ... 2.15 and a
  // last short step to 2.2) 0.1 keeps 2.1 and drops the station just short of
  // the end, which is no nearer its target than the end itself.
  Set(vnOutputIntervalStiffener, 0.14);
  WriteToSheet(bend->LoadCaseResults(), sheet);
  const std::vector<double> written = ArcLengths(FirstStationRow);
  std::vector<double> expected;
  for (int k = 0; k <= 13; ++k) expected.push_back(0.15 * k);
  expected.insert(expected.end(), {2.0, 2.0, 2.1, 2.2});
  ASSERT_EQ(written.size(), expected.size());
  for (std::size_t i = 0; i < written.size(); ++i) EXPECT_NEAR(written[i], expected[i], 1e-9) << "row " << i;

  const int lastStiffenerRow = FirstStationRow + 14;
  EXPECT_EQ(Cell(lastStiffenerRow, 16).Format.Borders[bsBottom], 2);
  EXPECT_EQ(Cell(lastStiffenerRow - 1, 16).Format.Borders[bsBottom], 0);
  EXPECT_GT(Number(lastStiffenerRow, 3), 0.0);
  EXPECT_EQ(Number(lastStiffenerRow + 1, 3), 0.0) << "the cable has no stiffener stiffness";
  EXPECT_EQ(Number(lastStiffenerRow + 1, 8), 0.0) << "nor stiffener strain";
}

TEST_F(Reports, AStraightCableShowsAnInfiniteRadiusRightAligned)
{
  Set(vnLoadCaseAngle, 0.0, vtReal, 0);
  WriteToSheet(bend->LoadCaseResults(), sheet);
  EXPECT_EQ(Text(FirstStationRow, 5), "Infinity");
  EXPECT_EQ(Cell(FirstStationRow, 5).Format.Alignment, THorizontalAlignment::Right);
}

TEST_F(Reports, ALoadCaseWithOnlyState2GivesOneSheetNamedAfterIt)
{
  bend->SetStateIncluded(0, 0, false);
  sheet.SetSheetCount(3);
  WriteToSheet(bend->LoadCaseResults(), sheet);
  ASSERT_EQ(workbook.SheetCount(), 1);
  EXPECT_EQ(workbook.Sheet(0).Name(), "State 2");
  EXPECT_EQ(Text(1, 1), "Load Case 1 (T=2.5, A=68) State 2");
}

TEST_F(Reports, DesignChartSheetHasALengthFactorColumnPerFactorAndThreeRowsPerStiffnessFactor)
{
  sheet.SetSheetCount(2);
  WriteToSheet(bend->DesignChartResults(), sheet);
  ASSERT_EQ(workbook.SheetCount(), 1);
  EXPECT_EQ(workbook.Sheet(0).Name(), "Design Chart Results");
  EXPECT_TRUE(Cell(1, 1).IsBlank()) << "no title";
  EXPECT_EQ(Text(2, 1), "Umbrinex 4.2b run at 00:00:00 on 01/01/70");
  // Headings in rows 8 and 9, body from row 10.
  EXPECT_EQ(Text(8, 1) + Text(9, 1), "StiffnessFactor");
  EXPECT_EQ(Text(8, 3), "Length Factor");
  EXPECT_EQ(Cell(8, 7).Format.Alignment, THorizontalAlignment::CentreAcross);
  EXPECT_EQ(Text(9, 3) + " " + Text(9, 4) + " " + Text(9, 7), "0.8 1 1.6");
  EXPECT_EQ(Text(10, 2) + Text(11, 2) + Text(12, 2), "MBR/ABRPositionLoad Case No.");
  EXPECT_TRUE(Cell(13, 2).IsBlank()) << "an empty row between stiffness factors";
  EXPECT_EQ(Number(14, 1), 1.0);
  EXPECT_TRUE(testing::IsClose(0.7366, Number(14, 4), kQuoted));
  EXPECT_EQ(Number(16, 4), 4.0) << "load case 4, counted from 1";
  EXPECT_EQ(Cell(16, 4).Format.NumberFormat, "0");
  EXPECT_GE(workbook.ActiveSheet().ColumnWidth(3), 10 * 256);
}

TEST_F(Reports, PerformanceChartSheetListsTensionAndAngleLimitWithTheirDigits)
{
  WriteToSheet(bend->PerformanceChartResults(), sheet);
  EXPECT_EQ(workbook.ActiveSheet().Name(), "Performance Chart Results");
  EXPECT_EQ(Text(8, 1) + Text(9, 1) + Text(8, 2) + Text(9, 2), "Tension(kN)Angle Limit(deg)");
  EXPECT_EQ(workbook.ActiveSheet().LastRow(), 9 + 31);
  EXPECT_NEAR(Number(15, 2), 65.57, 0.01);
  EXPECT_EQ(Cell(15, 1).Format.NumberFormat, "0.000");
  EXPECT_EQ(Cell(15, 2).Format.NumberFormat, "0.0");
}

TEST_F(Reports, AStationTableLongerThanTheSheetIsCutAtRow16384WithOneMessage)
{
  Set(vnStationIntervalStiffener, 2.0 / 16500);
  Set(vnOutputIntervalStiffener, 1e-9);
  bend->SetStateIncluded(0, 1, false);
  WriteToSheet(bend->LoadCaseResults(), sheet);
  EXPECT_EQ(workbook.ActiveSheet().LastRow(), TSpreadSheet::MaxRows);
  EXPECT_EQ(messages, std::vector<std::string>{"The spreadsheet can contain at most 16384 rows and 256 columns.  "
                                               "Some cells will have to be truncated."});
}

// --- workbook files ---

bool HavePythonWithOpenpyxl()
{
  return ::access("/usr/bin/python3", X_OK) == 0 &&
         std::system("/usr/bin/python3 -c 'import openpyxl' 2>/dev/null") == 0;
}

std::string CommandOutput(const std::string& command)
{
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return "<popen failed>";
  std::string output;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  return ::pclose(pipe) == 0 ? output : output + "<failed>";
}

// The same listing as the reader script prints: every non-empty cell with
// its value, the number format of numbers, bold and fill.
std::string CellListing(const TWorkbook& book)
{
  std::string listing;
  for (int i = 0; i < book.SheetCount(); ++i) {
    const TSheet& s = book.Sheet(i);
    listing += "[" + s.Name() + "]\n";
    for (int row = 1; row <= s.LastRow(); ++row)
      for (int col = 1; col <= s.LastCol(); ++col) {
        const TCell& cell = s.Cell(row, col);
        if (std::holds_alternative<std::monostate>(cell.Value)) continue;
        const auto* number = std::get_if<double>(&cell.Value);
        const std::string value = number ? Format("%.14g %s", *number + 0.0, cell.Format.NumberFormat.c_str())
                                         : std::get<std::string>(cell.Value);
        const TColour f = cell.Format.Fill;
        const std::string fill = f == NoColour ? "-" : Format("%02X%02X%02X", f & 0xFF, (f >> 8) & 0xFF, f >> 16);
        listing += Format("%d,%d %s|%d|%s\n", row, col, value.c_str(), cell.Format.Bold ? 1 : 0, fill.c_str());
      }
  }
  return listing;
}

TEST_F(Reports, SavedReportsReadBackWithAnIndependentReaderCellForCell)
{
  if (!HavePythonWithOpenpyxl()) GTEST_SKIP() << "needs /usr/bin/python3 with openpyxl";
  Set(vnLoadCaseAngle, 0.0, vtReal, 0);  // an Infinity radius among the numbers
  WriteToSheet(bend->LoadCaseResults(), sheet);
  sheet.SetSheetCount(3);
  sheet.SelectSheet(2);
  WriteToSheet(bend->KeyResults(), sheet);

  const fs::path folder = fs::temp_directory_path() / ("umbrinex-reports-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path file = folder / "reports.xlsx";
  const fs::path script = folder / "list.py";
  std::ofstream(script) << "import sys, openpyxl\n"
                           "book = openpyxl.load_workbook(sys.argv[1])\n"
                           "for ws in book.worksheets:\n"
                           "    print('[%s]' % ws.title)\n"
                           "    for row in ws.iter_rows():\n"
                           "        for c in row:\n"
                           "            if c.value is None: continue\n"
                           "            v = c.value\n"
                           "            if isinstance(v, (int, float)): v = '%.14g %s' % (v + 0.0, c.number_format)\n"
                           "            fill = c.fill.fgColor.rgb[2:] if c.fill.fill_type == 'solid' else '-'\n"
                           "            print('%d,%d %s|%d|%s' % (c.row, c.column, v, 1 if c.font.b else 0, fill))\n";
  SaveWorkbookXlsx(workbook, file.string());
  const std::string read = CommandOutput("/usr/bin/python3 " + script.string() + " " + file.string());
  fs::remove_all(folder);
  EXPECT_EQ(read, CellListing(workbook));
  EXPECT_NE(read.find("[State 2]"), std::string::npos);
  EXPECT_NE(read.find(" Infinity|0|-"), std::string::npos);
}

TEST_F(Reports, ALoadCaseReportOfTenThousandStationsIsWrittenToXlsxWithEveryStation)
{
  Set(vnStationIntervalStiffener, 2.0 / 10000);
  Set(vnOutputIntervalStiffener, 1e-9);
  bend->SetStateIncluded(0, 1, false);
  bend->LoadCaseResults().SetLoadCase(0);
  const fs::path file = fs::temp_directory_path() / ("umbrinex-stations-" + std::to_string(::getpid()) + ".xlsx");

  WriteToSheet(bend->LoadCaseResults(), sheet);
  SaveWorkbookXlsx(workbook, file.string());
  EXPECT_GT(fs::file_size(file), 100000u);
  fs::remove(file);

  EXPECT_GT(workbook.ActiveSheet().LastRow(), FirstStationRow + 10000);
}

}  // namespace
}  // namespace umbrinex
