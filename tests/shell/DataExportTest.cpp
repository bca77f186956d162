#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include <QApplication>
#include <QPrinter>

#include "ShellTestSupport.h"
#include "bend/Bend.h"
#include "persistence/BendFile.h"
#include "shell/DataCommands.h"

namespace umbrinex::testing {
namespace {

class DataExport : public TShellTest {
 protected:
  std::unique_ptr<TBend> Bend = New<TBend>();
};

TEST_F(DataExport, SixtyLoadCasesPrintOnTwoPagesWithTheTableContinued)
{
  Bend->SetInteger(vnNumberOfLoadCases, 0, 60);
  const std::string pdf = Folder.File("data.pdf");
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    TPrintData print(DesignDataSource(*Bend, ""));
    print.Run(printer);
    EXPECT_GE(print.PageCount(), 2);
  }
  const std::string text = Folder.File("data.txt");
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + text + "'").c_str()), 0);
  std::ifstream in(text);
  std::stringstream all;
  all << in.rdbuf();
  std::vector<std::string> pages;
  std::string page;
  for (std::istringstream stream(all.str()); std::getline(stream, page, '\f');) pages.push_back(page);
  ASSERT_GE(pages.size(), 2u);
  EXPECT_NE(pages[0].find("Page 1"), std::string::npos);
  EXPECT_NE(pages[1].find("Page 2"), std::string::npos);
  EXPECT_NE(pages[1].find("Umbrinex"), std::string::npos);
  // The table starts on one page and goes on, under its titles, on the next.
  std::size_t tablePage = 0;
  while (tablePage < pages.size() && pages[tablePage].find("Tension") == std::string::npos) ++tablePage;
  ASSERT_LT(tablePage + 1, pages.size());
  EXPECT_NE(pages[tablePage + 1].find("Tension"), std::string::npos);
  EXPECT_NE(pages[tablePage + 1].find(" 60 "), std::string::npos);
}

#ifdef UMBRINEX_CLI_PATH
std::string RunCommand(const std::string& command, int& status)
{
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  status = pclose(pipe);
  return output;
}

TEST_F(DataExport, TheBatchProgramWritesTheSameTextAsTheDesktopProgram)
{
  int status = -1;
  const std::string cli = std::string("'") + UMBRINEX_CLI_PATH + "'";
  EXPECT_EQ(RunCommand(cli + " --export-data - 2>/dev/null", status), DesignDataTextFor(*Bend, ""));
  EXPECT_EQ(status, 0);

  Bend->SetInteger(vnNumberOfLoadCases, 0, 7);
  const std::string design = Folder.File("seven cases.mxd");
  SaveToFile(*Bend, design);
  const std::string out = Folder.File("seven.txt");
  RunCommand(cli + " '" + design + "' --export-data '" + out + "'", status);
  EXPECT_EQ(status, 0);
  std::ifstream in(out);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text, DesignDataTextFor(*Bend, design));

  const std::string errors = RunCommand(cli + " /no/such.mxd --export-data - 2>&1", status);
  EXPECT_NE(status, 0);
  EXPECT_NE(errors.find("does not exist"), std::string::npos);
}
#endif

TEST(PrintJobTitle, IsCutAtTheFirstDot)
{
  EXPECT_EQ(PrintJobTitle(""), "Umbrinex Data");
  EXPECT_EQ(PrintJobTitle("/designs/test.old.mxd"), "Umbrinex Data: test");
  EXPECT_EQ(PrintJobTitle("/designs.v2/riser.mxd"), "Umbrinex Data: riser");
}

}  // namespace
}  // namespace umbrinex::testing
