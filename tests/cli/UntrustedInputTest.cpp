// Files and arguments the program must not trust: values their items would
// refuse, texts that would steer a terminal, targets that are not files.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <sstream>

#include "RecordedMessages.h"
#include "CliTestSupport.h"
#include "bend/Bend.h"
#include "bend/KeyResults.h"
#include "bend/LoadCaseResults.h"
#include "cli/Cli.h"
#include "framework/data/DiskFile.h"
#include "framework/data/Messages.h"
#include "persistence/BendFile.h"
#include "persistence/TessanFile.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;
using testing::CliProgram;
using testing::TRun;
using TBytes = std::vector<std::uint8_t>;

constexpr double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

TBytes FileBytes(const fs::path& file)
{
  std::ifstream in(file, std::ios::binary);
  return TBytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const fs::path& file, const TBytes& bytes)
{
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// ---- values their items refuse ----

// One field of the design holding a value no entry would give it. The file
// is saved with a marker in the field, whose eight bytes are then replaced
// where they first occur (a modulus comes again as a stress, derived from it
// and derived again on reading): the file an independent writer or a damaged
// disk could make.
struct TRefusedValue {
  const char* Kind;
  int VarNum;
  int Row;  // 0-based
  double Marker;
  double Value;
  const char* Message;
};

const TRefusedValue RefusedCases[] = {
    {"tension", vnLoadCaseTension, 1, 12.3456789, Inf,
     "The tension of load case 2 (item 21061:2) is Inf.  Number out of range."},
    {"tension", vnLoadCaseTension, 3, 31.0000123, NaN,
     "The tension of load case 4 (item 21061:4) is NaN.  Not a number."},
    {"interval", vnStationIntervalStiffener, 0, 0.0456789, NaN,
     "The station interval on the stiffener (item 21070) is NaN.  Not a number."},
    {"interval", vnStationIntervalCable, 0, 0.0456789, -0.05,
     "The station interval on the cable (item 21071) is -0.05.  Must be positive."},
    {"diameter", vnRootDiameter, 0, 0.2456789, Inf, "The root diameter (item 21022) is Inf.  Number out of range."},
    {"diameter", vnStiffenerID, 0, 0.1456789, NaN, "The stiffener ID (item 21013) is NaN.  Not a number."},
    {"stiffness", vnCableBendStiffness2, 0, 5.456789, -Inf,
     "The cable bend stiffness of State 2 (item 21011) is -Inf.  Number out of range."},
    {"stiffness", vnLinearE, 0, 123456.789, NaN,
     "The linear E of material 1 ('Material 1'), State 1 (item 21040) is NaN.  Not a number."},
    {"chart range", vnTensionMax, 0, 51.23456, NaN, "The maximum tension (item 21083) is NaN.  Not a number."},
    {"chart range", vnLengthFactorMin, 0, 0.8123456, Inf,
     "The minimum length factor (item 21076) is Inf.  Number out of range."},
    {"shape power", vnShapePower, 0, 2.3456789, Inf, "The shape power (item 21024) is Inf.  Number out of range."},
    {"ABR", vnLoadCaseABR, 2, 2.3456789, 1e308,
     "The ABR of load case 3 (item 21063:3) is 1E308.  Number out of range."},
};

class RefusedValues : public CliProgram, public ::testing::WithParamInterface<TRefusedValue> {
 protected:
  // The design file with the case's value in its field.
  std::string Patched() const
  {
    const TRefusedValue& c = GetParam();
    auto bend = New<TBend>();
    TAccessStatus status;
    bend->SetValue(c.VarNum, c.Row, status, c.Marker, vtReal);
    EXPECT_EQ(status.Code, acOk) << status.Text();
    const std::string name = SaveToFile(*bend, (folder / "refused.mxd").string());
    TBytes bytes = FileBytes(name);
    std::uint8_t marker[8], value[8];
    std::memcpy(marker, &c.Marker, 8);
    std::memcpy(value, &c.Value, 8);
    auto at = std::search(bytes.begin(), bytes.end(), std::begin(marker), std::end(marker));
    EXPECT_NE(at, bytes.end());
    if (at != bytes.end()) std::copy(std::begin(value), std::end(value), at);
    WriteFileBytes(name, bytes);
    return name;
  }
};

TEST_P(RefusedValues, OpenWithoutAWordButNothingIsCalculatedFromThem)
{
  const TRefusedValue& c = GetParam();
  testing::TRecordedMessages messages;
  const std::string name = Patched();
  auto bend = New<TBend>();
  LoadFromFile(*bend, name);
  EXPECT_EQ(bend->FileName(), name) << "the design stays open to be corrected";
  try {
    bend->KeyResults().EnsureCalculated();
    ADD_FAILURE() << "calculated from " << c.Kind;
  } catch (const EBendDataError& e) {
    EXPECT_EQ(std::string(e.what()), c.Message);
  }
  EXPECT_EQ(bend->KeyResults().Status(), TResultsStatus::NotCalculated);
  EXPECT_EQ(bend->LoadCaseResults().Solution(0).NumOfStations(), 0);
  EXPECT_TRUE(messages.Texts.empty());

  std::ostringstream out, err;
  TCliOptions options;
  options.Design = name;
  options.Reports.DesignChart = true;
  EXPECT_EQ(RunOptions(options, out, err), ExitFailed);
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(err.str(), std::string(c.Message) + "\n");
}

INSTANTIATE_TEST_SUITE_P(EachKindOfNumber, RefusedValues, ::testing::ValuesIn(RefusedCases),
                         [](const ::testing::TestParamInfo<TRefusedValue>& param) {
                           return "Case" + std::to_string(param.index);
                         });

TEST_F(CliProgram, ANegativeIntervalIsRefusedBeforeAnyStationIsMade)
{
  auto bend = New<TBend>();
  TAccessStatus status;
  bend->SetValue(vnStationIntervalStiffener, 0, status, 0.0456789, vtReal);
  const std::string name = SaveToFile(*bend, (folder / "negative.mxd").string());
  TBytes bytes = FileBytes(name);
  const double marker = 0.0456789, value = -0.05;
  auto at = std::search(bytes.begin(), bytes.end(), reinterpret_cast<const std::uint8_t*>(&marker),
                        reinterpret_cast<const std::uint8_t*>(&marker) + 8);
  ASSERT_NE(at, bytes.end());
  std::memcpy(&*at, &value, 8);
  WriteFileBytes(name, bytes);
  const auto start = std::chrono::steady_clock::now();
  const TRun run = Run(name + " --items --key");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(run.Status, ExitFailed);
  EXPECT_NE(run.Out.find("\n21070\tStationInterval.Stiffener\t-0.05\tm\n"), std::string::npos) << "listed as it was read";
  EXPECT_EQ(run.Out.find("Key Results"), std::string::npos);
  EXPECT_EQ(run.Err, "The station interval on the stiffener (item 21070) is -0.05.  Must be positive.\n");
}

// ---- texts that would steer a terminal ----

const char* const Steering = "Riser\x1b]0;retitled\x07\x1b[2J\x1b[31m red\x7f";
const char* const Shown = "Riser\\x1B]0;retitled\\x07\\x1B[2J\\x1B[31m red\\x7F";

// A design whose project text and whose shape's material name steer.
std::string SteeringDesign(const fs::path& folder)
{
  const std::string name = (folder / "steering.mxd").string();
  TMemoryStream stream;
  TWindowsUmbrinexFile file(nullptr, TFileMode::Write, ctSavedDataFile);
  file.OpenStream(stream, DataFileClass);
  file.BeginTag(39, 0);
  file.BeginRecord();
  file.WriteString(Steering);
  file.WriteString("Client");
  file.WriteString("Designer");
  file.EndRecord();
  file.EndTag();
  file.BeginTag(39, 2);
  file.BeginRecord();
  file.WriteByte(1);
  file.EndRecord();
  file.BeginRecord();
  for (double v : {2.0, 0.25, 0.16, 0.5, 2.0}) file.WriteDouble(v);
  file.WriteString("Gone\x1b[5m");
  file.EndRecord();
  file.EndTag();
  file.WriteEndOfData();
  file.Close();
  WriteFileBytes(name, stream.TakeBytes());
  return name;
}

TEST_F(CliProgram, TextsFromAFileReachTheTerminalWithTheirControlCharactersShown)
{
  const std::string design = SteeringDesign(folder);
  const TRun key = Run(design + " --key");
  ASSERT_EQ(key.Status, ExitOk) << key.Err;
  const TRun items = Run(design + " --items");
  for (const TRun& run : {key, items}) {
    EXPECT_EQ(run.Out.find('\x1b'), std::string::npos);
    EXPECT_EQ(run.Err.find('\x1b'), std::string::npos);
    EXPECT_EQ(run.Err, "WARNING.  Cannot find material type 'Gone\\x1B[5m' - using first material type.\n");
  }
  EXPECT_NE(key.Out.find(std::string("\nProject:         ") + Shown + "\n"), std::string::npos) << key.Out;
  EXPECT_NE(items.Out.find(std::string("\n21002\tProject\t") + Shown + "\t\n"), std::string::npos) << items.Out;
}

TEST_F(CliProgram, ArgumentsAndVersionTextsInMessagesShowTheirControlCharacters)
{
  const TRun refused = Run("--set \"21020=x$(printf '\\033[2J')\"");
  EXPECT_EQ(refused.Status, ExitUsage);
  EXPECT_EQ(refused.Err.rfind("21020: 'x\\x1B[2J' not found.  Possible values are: ", 0), 0u) << refused.Err;
  const TRun badOption = Run("--load-case \"$(printf '\\033]0;x\\007')\"");
  EXPECT_EQ(badOption.Status, ExitUsage);
  EXPECT_EQ(badOption.Err.find('\x1b'), std::string::npos) << badOption.Err;

  auto bend = New<TBend>();
  const std::string name = SaveToFile(*bend, (folder / "version.mxd").string());
  TBytes bytes = FileBytes(name);
  std::copy_n("\x1b[2J", 4, bytes.begin() + 19);  // the file version text
  WriteFileBytes(name, bytes);
  const TRun version = Run(name);
  EXPECT_EQ(version.Status, ExitFailed);
  EXPECT_EQ(version.Err, "File Error: Wrong file version.  This is a \\x1B[2J file.\n");
}

TEST_F(CliProgram, AReportOfADesignWithSteeringTextsIsAWellFormedWorkbook)
{
  if (::access("/usr/bin/python3", X_OK) != 0 || std::system("/usr/bin/python3 -c 'import openpyxl' 2>/dev/null") != 0)
    GTEST_SKIP() << "needs /usr/bin/python3 with openpyxl";
  const fs::path report = folder / "steering.xlsx";
  ASSERT_EQ(Run(SteeringDesign(folder) + " --key --report " + report.string()).Status, ExitOk);
  const std::string command = "/usr/bin/python3 -c \"import sys, openpyxl; openpyxl.load_workbook(sys.argv[1])\" " +
                              report.string() + " 2>/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

#ifdef UMBRINEX_CLI_GRAPHS
TEST_F(CliProgram, ADrawingOfADesignWithSteeringTextsIsAWellFormedSvg)
{
  const fs::path svg = folder / "steering.svg";
  ASSERT_EQ(Run(SteeringDesign(folder) + " --graph 'General Arrangement' --out " + svg.string()).Status, ExitOk);
  const std::string text(reinterpret_cast<const char*>(FileBytes(svg).data()), FileBytes(svg).size());
  EXPECT_EQ(text.find('\x1b'), std::string::npos);
  EXPECT_NE(text.find(std::string("Project: ") + Shown), std::string::npos);
  if (::access("/usr/bin/python3", X_OK) != 0) GTEST_SKIP() << "needs /usr/bin/python3 to parse the SVG";
  const std::string command =
      "/usr/bin/python3 -c \"import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])\" " + svg.string();
  EXPECT_EQ(std::system(command.c_str()), 0);
}
#endif

// ---- targets that are not files ----

TEST_F(CliProgram, AReadOnlyReportIsRefusedAsASaveIsAndLeftAsItWas)
{
  const fs::path target = folder / "Locked.xlsx";
  std::ofstream(target) << "kept";
  fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::string message = "File Error: File '" + FileNameForMessage(target.string()) + "' is read-only.\n";
  for (const std::string option : {"--report ", "--save "}) {
    const TRun run = Run(option + target.string());
    EXPECT_EQ(run.Status, ExitFailed) << option;
    EXPECT_EQ(run.Err, message) << option;
  }
  EXPECT_EQ(FileBytes(target), (TBytes{'k', 'e', 'p', 't'}));
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3) << "no temporary file left";
}

TEST_F(CliProgram, APipeOrAFolderIsRefusedByNameWithoutWaiting)
{
  const fs::path pipe = folder / "Pipe.mxd";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  const TRun fromPipe = Run(pipe.string());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(fromPipe.Status, ExitFailed);
  EXPECT_EQ(fromPipe.Err, "File Error: File '" + FileNameForMessage(pipe.string()) + "' is not a regular file.\n");
  const TRun fromFolder = Run(folder.string());
  EXPECT_EQ(fromFolder.Status, ExitFailed);
  EXPECT_EQ(fromFolder.Err, "File Error: File '" + FileNameForMessage(folder.string()) + "' is a folder.\n");
  for (const std::string option : {"--save ", "--report "}) {
    const fs::path target = folder / (option == "--save " ? "Design.mxd" : "Report.xlsx");
    fs::create_directory(target);
    const TRun intoFolder = Run(option + target.string());
    EXPECT_EQ(intoFolder.Status, ExitFailed) << option;
    EXPECT_EQ(intoFolder.Err, "File Error: File '" + FileNameForMessage(target.string()) + "' is a folder.\n");
  }
}

TEST_F(CliProgram, SavesAndReportsIntoAMissingFolderSayThatTheFolderIsMissing)
{
  const fs::path missing = folder / "Missing";
  for (const std::string option : {"--save ", "--report "}) {
    const fs::path target = missing / (option == "--save " ? "x.mxd" : "r.xlsx");
    const TRun run = Run(option + target.string());
    EXPECT_EQ(run.Status, ExitFailed) << option;
    EXPECT_EQ(run.Err, "File Error: Cannot create file '" + FileNameForMessage(target.string()) + "': folder '" +
                           FileNameForMessage(missing.string()) + "' does not exist.\n")
        << option;
  }
}

TEST_F(CliProgram, NumbersBeyondTheLargestTheProgramHoldsAreOutOfRange)
{
  for (const char* item : {"21061:2", "21024"}) {
    const TRun run = Run(std::string("--set ") + item + "=1e308");
    EXPECT_EQ(run.Status, ExitUsage) << item;
    EXPECT_EQ(run.Err, std::string(item) + ": Number out of range\n");
  }
}

}  // namespace
}  // namespace umbrinex
