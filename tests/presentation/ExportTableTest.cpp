#include "presentation/ExportTable.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "framework/data/Units.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

TEST(ExportTableRows, MoreValuesThanColumnsAreRefusedAndFewerLeaveTheRestEmpty)
{
  TExportTable table;
  table.SetColumnCount(2);
  try {
    table.AddRow({1, 2, 3});
    FAIL() << "no EExportTableError";
  } catch (const EExportTableError& e) {
    EXPECT_STREQ(e.what(),
                 "Export table error: The number of entries passed to AddRow is greater than the number of columns in "
                 "the table.");
  }
  table.AddRow({"a"});
  table.AddRow();
  EXPECT_EQ(table.RowCount(), 2);
  EXPECT_TRUE(table.Cell(0, 1).Value.IsEmpty());
  EXPECT_TRUE(table.Cell(1, 0).Value.IsEmpty());
}

TEST(ExportTableRows, CapacityGrowsInWholeBlocks)
{
  TExportTable table;
  table.SetColumnCount(1);
  table.AddRow();
  EXPECT_EQ(table.RowCapacity(), 1024);
  for (int i = 1; i < 1024; ++i) table.AddRow();
  EXPECT_EQ(table.RowCapacity(), 1024);
  table.AddRow();
  EXPECT_EQ(table.RowCapacity(), 2048);
}

TEST(ExportTableNumberFormat, DigitsGiveFixedOrScientificFormatsAndIntegersAlwaysZeroDecimals)
{
  struct TCase {
    TVariant Value;
    int Digits;
    const char* Format;
  };
  const TCase cases[] = {
      {0.005, 3, "0.00E+###"},
      {2.5e6, 3, "0.00E+###"},
      {-0.01, 3, "0.00E+###"},
      {0.05, 3, "0.000"},
      {0.0, 3, "0.000"},
      {1e-308, 3, "0.000"},
      {999999.0, 1, "0.0"},
      {7, 3, "0"},
      {7, 0, "0"},
      {0.005, 0, ""},
      {"text", 3, ""},
      {true, 3, ""},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(NumberFormatFor(c.Value, c.Digits), c.Format) << c.Value.ToText() << " with " << c.Digits << " digits";
}

class ExportTableWriteTest : public ::testing::Test {
 protected:
  const TCell& At(int row, int col) { return workbook.ActiveSheet().Cell(row, col); }

  TUnits units;  // SI: m and kN
  TWorkbook workbook;
  TSpreadSheet sheet{workbook};
};

TEST_F(ExportTableWriteTest, TableStartsInRowOneOfAnEmptySheetAndOtherwiseAfterOneEmptyRow)
{
  struct TCase {
    int ExistingRow;  // 0: empty sheet
    int ExistingCol;
    int FirstRow;
  };
  const TCase cases[] = {{0, 0, 1}, {1, 3, 3}, {5, 1, 7}};
  for (const TCase& c : cases) {
    sheet.ClearSheet();
    if (c.ExistingRow > 0) sheet.SetCellValue(c.ExistingRow, c.ExistingCol, "before");
    TExportTable table;
    table.SetColumnCount(1);
    table.AddRow({"first"});
    table.WriteTo(units, sheet);
    EXPECT_EQ(sheet.GetCellValue(c.FirstRow, 1), TVariant("first")) << "content in row " << c.ExistingRow;
  }
}

TEST_F(ExportTableWriteTest, HeadingsBodyBordersAndWidthsAreLaidOutBelowTheStartRow)
{
  TExportTable table;
  table.SetColumnCount(3);
  table.AddHeading("Arc", 0, 0, 1);
  table.AddHeading("Length (LL)", 1, 0, 0, THorizontalAlignment::Centre);
  table.AddHeading("Force (FF)", 1, 1, 1, THorizontalAlignment::Right, 0x00FFFF);
  table.AddSeparator(2);
  table.AddSeparatorHere();  // after the last column: no line of its own
  table.SetColumnDigits(0, 3);
  table.AddRow({1.5, 2, "moment (FF.LL) at the tip"});
  table.AddRow({Infinity, 0.005, 0.005});
  table.SetCellDigits(1, 2, 3);
  table.SetCellBold(1, 0, true);
  sheet.SetCellValue(1, 1, "title");
  sheet.SetColumnWidth(2, 5000);
  table.WriteTo(units, sheet);

  // Start offset 2: headings in rows 3 and 4, body in rows 5 and 6.
  EXPECT_EQ(sheet.GetCellValue(3, 1), TVariant("Arc"));
  EXPECT_EQ(At(3, 2).Format.Alignment, THorizontalAlignment::CentreAcross);
  EXPECT_EQ(sheet.GetCellValue(4, 1), TVariant("Length (m)"));
  EXPECT_EQ(sheet.GetCellValue(4, 2), TVariant("Force (kN)"));
  EXPECT_EQ(At(4, 2).Format.Fill, 0x00FFFFu);
  EXPECT_TRUE(At(4, 3).Format.Bold);
  EXPECT_FALSE(At(5, 3).Format.Bold);

  EXPECT_EQ(At(5, 1).Format.NumberFormat, "0.000");  // column digits
  EXPECT_EQ(At(5, 2).Format.NumberFormat, "0");      // an integer
  EXPECT_EQ(sheet.GetCellValue(5, 3), TVariant("moment (kN.m) at the tip"));
  EXPECT_EQ(sheet.GetCellValue(6, 1), TVariant("Infinity"));
  EXPECT_TRUE(At(6, 1).Format.Bold);
  EXPECT_EQ(At(6, 2).Format.NumberFormat, "0.0###");     // no digits: the default
  EXPECT_EQ(At(6, 3).Format.NumberFormat, "0.00E+###");  // the cell's own digits

  // Medium boxes round headings and body, and the separator's line after column 2.
  EXPECT_EQ(At(3, 1).Format.Borders, (std::array<std::uint8_t, 4>{2, 2, 0, 0}));
  EXPECT_EQ(At(4, 3).Format.Borders, (std::array<std::uint8_t, 4>{0, 0, 2, 2}));
  EXPECT_EQ(At(5, 2).Format.Borders, (std::array<std::uint8_t, 4>{0, 2, 2, 0}));
  EXPECT_EQ(At(6, 1).Format.Borders, (std::array<std::uint8_t, 4>{2, 0, 0, 2}));

  // 24 characters after substitution: 28 at 7/6; the preset wider column stays.
  EXPECT_EQ(sheet.ColumnWidth(1), 12 * 256);
  EXPECT_EQ(sheet.ColumnWidth(2), 5000);
  EXPECT_EQ(sheet.ColumnWidth(3), 28 * 256);

  TExportTable narrow;
  narrow.SetColumnCount(3);
  narrow.AddRow({"x", "y", "z"});
  narrow.WriteTo(units, sheet);
  EXPECT_EQ(sheet.GetCellValue(8, 1), TVariant("x"));
  EXPECT_EQ(sheet.ColumnWidth(3), 28 * 256);
}

TEST_F(ExportTableWriteTest, ProgressCountsTheRowsAndRepaintingReturnsWhenTheWriteIsCancelled)
{
  struct TCancelAfterOneRow final : IRowProgress {
    void SetTotal(int rows) override { Total = rows; }
    void StepRow() override
    {
      if (++Steps == 1) throw ESilentAbort();
    }
    int Total = 0;
    int Steps = 0;
  } progress;
  TExportTable table;
  table.SetColumnCount(1);
  for (int i = 0; i < 3; ++i) table.AddRow({i});
  EXPECT_THROW(table.WriteTo(units, sheet, &progress), ESilentAbort);
  EXPECT_EQ(progress.Total, 3);
  EXPECT_TRUE(workbook.Repaint());
}

}  // namespace
}  // namespace umbrinex
