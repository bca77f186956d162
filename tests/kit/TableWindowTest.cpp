// The table window on workbooks of its own: numbers as their format shows
// them and copied at full precision, sheet tabs only for more than one
// sheet, and export as text.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTabBar>
#include <QTableView>

#include "KitTestSupport.h"
#include "desktop/kit/TableWindow.h"

namespace umbrinex::testing {
namespace {

class TableWindow : public TKitTest {};

TEST_F(TableWindow, CopyPutsNumbersOnTheClipboardAtFullPrecision)
{
  TTableWindow table;
  table.Sheet().SetCellValue(1, 1, TVariant(0.000123456789));
  table.Sheet().SetNumberFormat({1, 1, 1, 1}, "0.000");
  table.Reload();
  EXPECT_EQ(table.View()->model()->data(table.View()->model()->index(0, 0)).toString(), QStringLiteral("0.000"));
  table.View()->setCurrentIndex(table.View()->model()->index(0, 0));
  table.Copy();
  EXPECT_NEAR(QApplication::clipboard()->text().trimmed().toDouble(), 0.000123456789, 1e-18);
}

TEST_F(TableWindow, AWorkbookOfOneSheetShowsNoTabs)
{
  TTableWindow table;
  table.Sheet().SetCellValue(1, 1, TVariant(1.0));
  table.Reload();
  EXPECT_EQ(table.SheetTabs()->count(), 1);
  EXPECT_TRUE(table.SheetTabs()->isHidden());
}

TEST_F(TableWindow, ExportWritesTextWhenAskedForIt)
{
  TTableWindow table;
  table.Sheet().SetCellValue(1, 1, TVariant(1.25));
  table.Sheet().SetCellValue(1, 2, TVariant("Tension"));
  Dialogs.Names = {Folder.File("values.txt")};
  table.Export();
  EXPECT_EQ(ReadText(Folder.File("values.txt")).substr(0, 12), "1.25\tTension");
}

TEST(CellText, ShowsNumbersAsTheirFormatAsks)
{
  TCell cell;
  cell.Value = 1234.5678;
  cell.Format.NumberFormat = "0.00";
  EXPECT_EQ(FormattedCellText(cell), QStringLiteral("1234.57"));
  cell.Format.NumberFormat = "0";
  EXPECT_EQ(FormattedCellText(cell), QStringLiteral("1235"));
  cell.Format.NumberFormat = "0.0E+00";
  EXPECT_EQ(FormattedCellText(cell), QStringLiteral("1.2E+03"));
  cell.Value = std::string("Tension");
  EXPECT_EQ(FormattedCellText(cell), QStringLiteral("Tension"));
}

}  // namespace
}  // namespace umbrinex::testing
