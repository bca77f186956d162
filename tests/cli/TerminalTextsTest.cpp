// Texts of designs and of the command line on their way to terminals, text
// files and JSON: shown, never obeyed, never breaking the output's format;
// and the --set option taking one setting per use.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>

#include "CliTestSupport.h"
#include "bend/Bend.h"
#include "cli/Cli.h"
#include "persistence/BendFile.h"
#include "persistence/TessanFile.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;
using testing::CliProgram;
using testing::TRun;

// Control characters of every kind a data file can carry: an escape
// sequence, NUL, a lone CR, backspace, and the C1 OSC (the byte 9D, which
// the file's code page leaves undefined, reads as U+009D).
const char RawBytes[] =
    "Riser\x1b[2J\0\r\b\xc2\x9d"
    "0;title\x07 end";
const std::string Raw(RawBytes, sizeof RawBytes - 1);
const std::string Shown = "Riser\\x1B[2J\\x00\\x0D\\x08\\u009D0;title\\x07 end";
// A right-to-left override, which the file cannot hold but --set can enter.
const std::string Override =
    "name\xe2\x80\xae"
    "txt.exe";

bool HasRawControls(const std::string& text)
{
  for (const std::string& raw : {std::string("\x1b"), std::string(1, '\0'), std::string("\b"), std::string("\a"),
                                 std::string("\xc2\x9d"), std::string("\xe2\x80\xae")})
    if (text.find(raw) != std::string::npos) return true;
  return false;
}

// A design whose project text and first material's name carry Raw, its
// tags written one by one.
std::string RawTextsDesign(const fs::path& folder)
{
  const std::string name = (folder / "raw.mxd").string();
  TMemoryStream stream;
  TWindowsUmbrinexFile file(nullptr, TFileMode::Write, ctSavedDataFile);
  file.OpenStream(stream, DataFileClass);
  file.BeginTag(39, 0);
  file.BeginRecord();
  file.WriteString(Raw);
  file.WriteString("Client");
  file.WriteString("Designer");
  file.EndRecord();
  file.EndTag();
  file.BeginTag(39, 6);
  file.BeginRecord();
  file.WriteString("Mat " + Raw);
  file.EndRecord();
  file.EndTag();
  file.WriteEndOfData();
  file.Close();
  const std::vector<std::uint8_t> bytes = stream.TakeBytes();
  std::ofstream(name, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return name;
}

TEST_F(CliProgram, TheItemsAsJsonStayValidWithTheirControlsEscaped)
{
  const TRun run = Run(RawTextsDesign(folder) + " --items --json");
  ASSERT_EQ(run.Status, ExitOk) << run.Err;
  EXPECT_FALSE(HasRawControls(run.Out));
  EXPECT_NE(run.Out.find("\\u009D0;title"), std::string::npos);
  const auto json = nlohmann::json::parse(run.Out);
  bool found = false;
  for (const auto& item : json["items"])
    if (item["varnum"] == static_cast<int>(vnProject)) found = item["value"] == Raw;
  EXPECT_TRUE(found) << "the JSON reads back as the text itself";
}

TEST_F(CliProgram, ATextReportShowsTheControlsOfTheDesignsTexts)
{
  const fs::path report = folder / "report.txt";
  ASSERT_EQ(Run(RawTextsDesign(folder) + " --report " + report.string()).Status, ExitOk);
  const std::string text = Slurp(report);
  EXPECT_FALSE(HasRawControls(text));
  // A cell's line breaks and tabs become spaces, so that its row stays one
  // line of the table; the other controls are shown.
  const std::string shown = "Riser\\x1B[2J\\x00 \\x08\\u009D0;title\\x07 end";
  EXPECT_NE(text.find(shown), std::string::npos) << text.substr(0, 400);
}

TEST_F(CliProgram, AnOverrideEnteredWithSetIsShownInTheListingAndEscapedInJson)
{
  const TRun text = Run("--set '21002=" + Override + "' --items");
  ASSERT_EQ(text.Status, ExitOk) << text.Err;
  EXPECT_NE(text.Out.find("\n21002\tProject\tname\\u202Etxt.exe\t\n"), std::string::npos) << text.Out.substr(0, 300);
  const TRun json = Run("--set '21002=" + Override + "' --set '21003=" + Raw.substr(0, 5) + "\xc2\x9d' --items --json");
  ASSERT_EQ(json.Status, ExitOk) << json.Err;
  EXPECT_FALSE(HasRawControls(json.Out));
  EXPECT_NE(json.Out.find("\"name\\u202Etxt.exe\""), std::string::npos);
  EXPECT_NE(json.Out.find("\"Riser\\u009D\""), std::string::npos);
  EXPECT_TRUE(nlohmann::json::accept(json.Out));
}

// ---- --set ----

TEST_F(CliProgram, SetTakesOneSettingAndTheDesignMayFollowIt)
{
  auto bend = New<TBend>();
  TAccessStatus status;
  bend->SetValue(vnClient, 0, status, std::string("Kept client"), vtText);
  const std::string design = SaveToFile(*bend, (folder / "design.mxd").string());
  const TRun run = Run("--set 21021=6 --set 21002=Changed " + design + " --items");
  ASSERT_EQ(run.Status, ExitOk) << run.Err;
  EXPECT_NE(run.Out.find("\n21002\tProject\tChanged\t\n"), std::string::npos);
  EXPECT_NE(run.Out.find("\n21003\tClient\tKept client\t\n"), std::string::npos) << "the design was opened";
  EXPECT_NE(run.Out.find("\n21021\tActiveLength\t6\tm\n"), std::string::npos);
  const TRun two = Run("--set 21021=6 21022=0.5 " + design);
  EXPECT_EQ(two.Status, ExitUsage) << "a second setting needs a --set of its own";
}

TEST_F(CliProgram, SetRefusesTextThatIsNotUtf8NamingTheItem)
{
  const TRun run = Run("--set \"21002=a$(printf '\\377\\300')b\" --items --json");
  EXPECT_EQ(run.Status, ExitUsage);
  EXPECT_EQ(run.Err, "21002: The text is not valid UTF-8\n");
  EXPECT_EQ(run.Out, "");
}

TEST(CliItemEntry, TextThatIsNotUtf8IsRefusedAndLeavesTheItem)
{
  auto bend = New<TBend>();
  const std::string before = bend->GetText(vnProject, 0);
  for (const char* broken : {"a\xff", "\xc0\xaf", "\xed\xa0\x80", "ok\xe2\x82"}) {
    const TAccessStatus status = EnterItemText(*bend, vnProject, 0, broken);
    EXPECT_EQ(status.Code, acInvalidValue);
    EXPECT_EQ(status.Text(), "The text is not valid UTF-8");
  }
  EXPECT_EQ(bend->GetText(vnProject, 0), before);
  EXPECT_EQ(EnterItemText(*bend, vnProject, 0, "Riser \u20ac").Code, acOk);
}

// ---- --export-data ----

// A stand-in for the desktop program's export: it writes what the script
// says to its output and its messages, as the real one would for a design.
class ExportDataProgram : public CliProgram {
 protected:
  void Desktop(const std::string& script)
  {
    const fs::path program = folder / "desktop.sh";
    std::ofstream(program) << "#!/bin/sh\n" << script << "\n";
    fs::permissions(program, fs::perms::owner_all);
    ::setenv("UMBRINEX_DESKTOP", program.c_str(), 1);
  }
  ~ExportDataProgram() override { ::unsetenv("UMBRINEX_DESKTOP"); }
};

TEST_F(ExportDataProgram, MessagesBeyondWhatAPipeHoldsDoNotStopTheExport)
{
  // 200 KB of warnings before any output: read in turn, the output pipe
  // would be waited on while the program waits for its full message pipe.
  Desktop(
      "i=0; while [ $i -lt 2000 ]; do echo \"WARNING.  Warning number $i of a design with many warnings.\" >&2; "
      "i=$((i+1)); done; echo 'Umbrinex'; echo 'Project: riser'");
  const auto start = std::chrono::steady_clock::now();
  const TRun run = Run("--export-data -");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  EXPECT_EQ(run.Status, ExitOk);
  EXPECT_EQ(run.Out, "Umbrinex\nProject: riser\n");
  EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 2000);
  EXPECT_NE(run.Err.find("Warning number 1999 of"), std::string::npos);
}

TEST_F(ExportDataProgram, TheExportToStandardOutputShowsTheControlsOfTheDesignsTexts)
{
  Desktop("printf 'Project: Riser\\033[2J\\000\\r\\b\\302\\233\\342\\200\\256end\\nnext line\\n'");
  const TRun run = Run("--export-data -");
  EXPECT_EQ(run.Status, ExitOk) << run.Err;
  EXPECT_EQ(run.Out, "Project: Riser\\x1B[2J\\x00\\x0D\\x08\\u009B\\u202Eend\nnext line\n");
}

}  // namespace
}  // namespace umbrinex
