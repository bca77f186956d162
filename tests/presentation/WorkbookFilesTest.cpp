#include "presentation/WorkbookFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "numerics/Errors.h"
#include "numerics/ReservedDoubles.h"
#include "presentation/SpreadSheet.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class WorkbookFilesTest : public ::testing::Test {
 protected:
  WorkbookFilesTest()
  {
    folder = fs::temp_directory_path() / ("umbrinex-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder);
  }
  ~WorkbookFilesTest() override { fs::remove_all(folder); }

  fs::path folder;
  TWorkbook workbook;
  TSpreadSheet sheet{workbook};
};

TEST_F(WorkbookFilesTest, TextOfSeveralSheetsNamesEachSheetAndDropsTrailingEmptyCells)
{
  sheet.SetCellValue(1, 1, "Tension (kN)");
  sheet.SetCellValue(1, 3, 12.5);
  sheet.SetCellValue(2, 2, Undefined);
  EXPECT_EQ(WorkbookText(workbook), "Tension (kN)\t\t12.5\n\t?\n");

  sheet.SetSheetCount(2);
  sheet.SelectSheet(1);
  sheet.SetCellValue(1, 1, "two\tparts");
  sheet.SetCellValue(1, 2, true);
  EXPECT_EQ(WorkbookText(workbook), "Sheet1\nTension (kN)\t\t12.5\n\t?\n\nSheet2\ntwo parts\tTRUE\n");
}

TEST_F(WorkbookFilesTest, FailedSaveInEitherFormatRaisesAnErrorNamingTheFile)
{
  for (const char* name : {"report.xlsx", "report.txt"}) {
    const std::string fileName = (folder / "missing" / name).string();
    try {
      sheet.SaveAs(fileName);
      ADD_FAILURE() << "no EExpected for " << name;
    } catch (const EExpected& e) {
      EXPECT_NE(std::string(e.what()).find("\"" + fileName + "\""), std::string::npos) << e.what();
    }
  }
}

TEST_F(WorkbookFilesTest, SavedXlsxReadsBackWithValuesFormatsFillsBordersAndWidths)
{
  if (::access("/usr/bin/python3", X_OK) != 0 || std::system("/usr/bin/python3 -c 'import openpyxl' 2>/dev/null") != 0)
    GTEST_SKIP() << "needs /usr/bin/python3 with openpyxl";

  sheet.NameSheet("Key Results");
  sheet.SetCellValue(1, 1, "Volume (m^3) =");
  sheet.SetBold({1, 1, 1, 1}, true);
  sheet.SetCellValue(1, 2, 0.25);
  sheet.SetNumberFormat({1, 2, 1, 2}, "0.000");
  sheet.SetFill({1, 2, 1, 2}, 0x00FFFF);  // yellow
  sheet.SetOutline({1, 1, 1, 2}, 2);
  sheet.SetColumnWidth(1, 20 * 256);
  sheet.SetSheetCount(2);
  sheet.SelectSheet(1);
  sheet.NameSheet("State 2");
  sheet.SetCellValue(3, 1, Infinity);

  const fs::path file = folder / "report.xlsx";
  const fs::path script = folder / "read.py";
  std::ofstream(script) << "import sys, openpyxl\n"
                           "book = openpyxl.load_workbook(sys.argv[1])\n"
                           "ws = book['Key Results']\n"
                           "a, b = ws['A1'], ws['B1']\n"
                           "print(book.sheetnames, book.active.title)\n"
                           "print(a.value, a.font.b, a.border.left.style, a.border.right.style)\n"
                           "print(b.value, b.number_format, b.fill.fgColor.rgb, b.border.right.style)\n"
                           "print(int(ws.column_dimensions['A'].width), book['State 2']['A3'].value)\n";
  sheet.SaveAs(file.string());

  const std::string command = "/usr/bin/python3 " + script.string() + " " + file.string();
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  ASSERT_EQ(::pclose(pipe), 0) << output;
  EXPECT_EQ(output,
            "['Key Results', 'State 2'] State 2\n"
            "Volume (m^3) = True medium None\n"
            "0.25 0.000 FFFFFF00 medium\n"
            "20 Infinity\n");
}

}  // namespace
}  // namespace umbrinex
