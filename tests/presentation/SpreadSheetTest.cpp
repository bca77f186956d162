#include "presentation/SpreadSheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

class SpreadSheetTest : public ::testing::Test {
 protected:
  SpreadSheetTest()
  {
    sheet.OnInformation = [this](const std::string& text) { messages.push_back(text); };
  }
  const TCellFormat& FormatAt(int row, int col) { return workbook.ActiveSheet().Cell(row, col).Format; }

  TWorkbook workbook;
  TSpreadSheet sheet{workbook};
  std::vector<std::string> messages;
};

TEST_F(SpreadSheetTest, RangesBeyondTheLimitsAreCutBackOrSkippedAndTheUserIsToldOnce)
{
  sheet.SetBold({16383, 255, 16390, 300}, true);
  EXPECT_TRUE(FormatAt(16384, 256).Bold);
  EXPECT_EQ(sheet.LastRow(), 16384);
  EXPECT_EQ(sheet.LastCol(), 256);

  sheet.SetCellValue(16385, 1, 1.0);
  sheet.SetCellValue(1, 257, 1.0);
  EXPECT_TRUE(sheet.GetCellValue(1, 1).IsEmpty());
  EXPECT_EQ(sheet.LastRow(), 16384);

  EXPECT_EQ(messages, std::vector<std::string>{"The spreadsheet can contain at most 16384 rows and 256 columns.  "
                                               "Some cells will have to be truncated."});
}

TEST_F(SpreadSheetTest, SpecialValuesShowAsRightAlignedTextsAndOtherNumbersGetTheDefaultFormat)
{
  struct TCase {
    double Value;
    const char* Text;
  };
  const TCase cases[] = {{Infinity, "Infinity"},
                         {SafeDivide(1.0, 0.0), "Infinity"},  // the radius of a straight station
                         {Undefined, "?"},
                         {DefaultValue, "~"},
                         {NotApplicable, "N/A"}};
  int row = 1;
  for (const TCase& c : cases) {
    sheet.SetCellValue(row, 1, c.Value);
    EXPECT_FALSE(sheet.IsNumberCell(row, 1)) << c.Text;
    EXPECT_EQ(sheet.GetCellValue(row, 1), TVariant(c.Text));
    EXPECT_EQ(FormatAt(row, 1).Alignment, THorizontalAlignment::Right) << c.Text;
    ++row;
  }
  sheet.DefaultNumberFormat = "0.00";
  sheet.SetCellValue(row, 1, 1.5);
  EXPECT_TRUE(sheet.IsNumberCell(row, 1));
  EXPECT_EQ(FormatAt(row, 1).NumberFormat, "0.00");
  EXPECT_EQ(FormatAt(row, 1).Alignment, THorizontalAlignment::General);
}

TEST_F(SpreadSheetTest, NamingASheetAfterExistingSheetsAddsTheFirstFreeCounter)
{
  sheet.SetSheetCount(3);
  sheet.NameSheet("Key Results");
  sheet.SelectSheet(1);
  sheet.NameSheet("key results");  // names differ only in case in a saved workbook
  sheet.SelectSheet(2);
  sheet.NameSheet("  Key Results ");
  EXPECT_EQ(workbook.Sheet(1).Name(), "key results (2)");
  EXPECT_EQ(sheet.SheetName(), "Key Results (3)");
}

TEST_F(SpreadSheetTest, OutlineBordersOnlyTheEdgesOfTheRange)
{
  sheet.SetOutline({2, 2, 4, 4}, 2);
  const auto borders = [&](int row, int col) { return FormatAt(row, col).Borders; };
  EXPECT_EQ(borders(2, 2), (std::array<std::uint8_t, 4>{2, 2, 0, 0}));
  EXPECT_EQ(borders(3, 4), (std::array<std::uint8_t, 4>{0, 0, 2, 0}));
  EXPECT_EQ(borders(4, 3), (std::array<std::uint8_t, 4>{0, 0, 0, 2}));
  EXPECT_EQ(borders(3, 3), (std::array<std::uint8_t, 4>{}));
}

TEST_F(SpreadSheetTest, ClearSheetEmptiesTheSheetButKeepsItsNameAndPlace)
{
  sheet.SetSheetCount(2);
  sheet.SelectSheet(1);
  sheet.NameSheet("State 2");
  sheet.SetCellValue(3, 3, "x");
  sheet.SetColumnWidth(3, 9000);
  sheet.ClearSheet();
  EXPECT_EQ(workbook.ActiveIndex(), 1);
  EXPECT_EQ(sheet.SheetName(), "State 2");
  EXPECT_EQ(sheet.LastRow(), 1);
  EXPECT_EQ(sheet.ColumnWidth(3), DefaultColumnWidth);
}

TEST_F(SpreadSheetTest, CopyGivesFullPrecisionWhateverTheFormatAndPasteReadsNumbersBack)
{
  sheet.SetCellValue(1, 1, 0.123456789);
  sheet.SetNumberFormat({1, 1, 1, 1}, "0.000");
  sheet.SetCellValue(1, 3, "tip");
  sheet.SetCellValue(2, 2, Infinity);
  sheet.SelectAll();
  const std::string copied = sheet.CopyAsGeneral();
  EXPECT_EQ(copied, "0.123456789\t\ttip\n\tInfinity\n");

  workbook.ActiveSheet().Selection = {5, 2, 5, 2};
  sheet.Paste(copied);
  EXPECT_EQ(sheet.GetCellValue(5, 2), TVariant(0.123456789));
  EXPECT_EQ(sheet.GetCellValue(5, 4), TVariant("tip"));
  EXPECT_EQ(sheet.GetCellValue(6, 3), TVariant("Infinity"));
  EXPECT_EQ(FormatAt(6, 3).Alignment, THorizontalAlignment::Right);
}

}  // namespace
}  // namespace umbrinex
