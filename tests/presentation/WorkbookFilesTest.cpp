#include "presentation/WorkbookFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "FileTestSupport.h"
#include "framework/data/DiskFile.h"
#include "numerics/Errors.h"
#include "numerics/ReservedDoubles.h"
#include "presentation/SpreadSheet.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;
using testing::FileErrorOf;

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

TEST_F(WorkbookFilesTest, TargetsThatASaveMayNotReplaceAreRefusedInEitherFormat)
{
  sheet.SetCellValue(1, 1, "new");
  const fs::path locked = folder / "Locked.xlsx";
  std::ofstream(locked) << "kept";
  fs::permissions(locked, fs::perms::owner_read);
  fs::create_directory(folder / "Folder.txt");
  for (const char* extension : {".xlsx", ".txt"}) {
    const std::string missing = (folder / "Missing" / (std::string("report") + extension)).string();
    EXPECT_EQ(FileErrorOf([&] { sheet.SaveAs(missing); }),
              "File Error: Cannot create file '" + FileNameForMessage(missing) + "': folder '" +
                  FileNameForMessage((folder / "Missing").string()) + "' does not exist.");
    const fs::path readOnly = locked.string().substr(0, locked.string().size() - 5) + extension;
    if (readOnly != locked) fs::copy_file(locked, readOnly);
    EXPECT_EQ(FileErrorOf([&] { sheet.SaveAs(readOnly.string()); }),
              "File Error: File '" + FileNameForMessage(readOnly.string()) + "' is read-only.");
    std::ifstream in(readOnly);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "kept");
    EXPECT_EQ(fs::status(readOnly).permissions() & fs::perms::all, fs::perms::owner_read);
  }
  EXPECT_EQ(FileErrorOf([&] { sheet.SaveAs((folder / "Folder.txt").string()); }),
            "File Error: File '" + FileNameForMessage((folder / "Folder.txt").string()) + "' is a folder.");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3) << "no temporary file left";
}

TEST_F(WorkbookFilesTest, AFileThatCannotGrowGivesTheWriteErrorWithItsCause)
{
  for (int row = 1; row <= 2000; ++row) sheet.SetCellValue(row, 1, "a line of the report that takes some room");
  const fs::path text = folder / "full.txt", xlsx = folder / "full.xlsx";
  {
    // A file size limit stands in for a full disk: writes fail the same way.
    testing::TFileSizeLimit limit(4096);
    EXPECT_EQ(FileErrorOf([&] { SaveWorkbookText(workbook, text.string()); }),
              "File Error: Write error on file '" + FileNameForMessage(text.string()) + "'.  File too large.");
    EXPECT_EQ(FileErrorOf([&] {
                SaveWorkbookXlsx(workbook, xlsx.string());
              }).rfind("File Error: Write error on file '" + FileNameForMessage(xlsx.string()) + "'.  ", 0),
              0u);
  }
  EXPECT_TRUE(fs::is_empty(folder)) << "nothing is left of either";
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
