// Texts of designs and of the command line on their way to terminals, text
// files and JSON: shown, never obeyed, never breaking the output's format;
// and the --set option taking one setting per use.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

class ExportDataProgram : public CliProgram {};

TEST_F(ExportDataProgram, TheExportToStandardOutputShowsTheControlsOfTheDesignsTextsAndAFileKeepsThem)
{
  const std::string design = RawTextsDesign(folder);
  const TRun shown = Run("--export-data - " + design);
  EXPECT_EQ(shown.Status, ExitOk) << shown.Err;
  EXPECT_NE(shown.Out.find("Project:   " + Shown), std::string::npos) << shown.Out;
  EXPECT_FALSE(HasRawControls(shown.Out));

  const fs::path file = folder / "data.txt";
  const TRun kept = Run("--export-data " + file.string() + " " + design);
  EXPECT_EQ(kept.Status, ExitOk) << kept.Err;
  EXPECT_EQ(kept.Out, "");
  EXPECT_NE(Slurp(file).find("Project:   " + Raw), std::string::npos);
}

TEST_F(ExportDataProgram, TheExportNeedsNoDesktopProgram)
{
  // The batch program once ran the desktop program for its export; one
  // that fails must make no difference now.
  const fs::path program = folder / "desktop.sh";
  std::ofstream(program) << "#!/bin/sh\necho broken >&2\nexit 3\n";
  fs::permissions(program, fs::perms::owner_all);
  ::setenv("UMBRINEX_DESKTOP", program.c_str(), 1);
  const TRun run = Run("--export-data -");
  ::unsetenv("UMBRINEX_DESKTOP");
  EXPECT_EQ(run.Status, ExitOk) << run.Err;
  EXPECT_EQ(run.Err, "");
  EXPECT_EQ(run.Out.rfind("Umbrinex\n\n_____ Project Data _____\n\nProject:   Umbrinex Design Example\n", 0), 0u)
      << run.Out;
}

}  // namespace
}  // namespace umbrinex
