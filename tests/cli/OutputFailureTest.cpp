// Outputs that cannot be written: standard output on a full disk, files on
// a full disk or in the place of something that is not a file, and names
// that would write nothing or another file.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "CliTestSupport.h"
#include "cli/Cli.h"
#include "framework/data/DiskFile.h"

namespace umbrinex {
namespace {

namespace fs = std::filesystem;
using testing::CliProgram;
using testing::TRun;

// Writes beyond 1 KiB fail as on a full disk (ulimit counts blocks of 512
// bytes in sh); the shell ignores the signal, and so does the program.
const std::string FullDisk = "ulimit -f 2; trap '' XFSZ; ";

class CliOutputs : public CliProgram {
 protected:
  static std::string Contents(const fs::path& file)
  {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static std::string Shown(const fs::path& file) { return FileNameForMessage(file.string()); }
  std::size_t FilesInFolder() const
  {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().filename() != "out.txt" && entry.path().filename() != "err.txt") ++count;
    return count;
  }
  static std::string Quoted(const fs::path& file)
  {
    std::string quoted(1, '\'');
    quoted.append(file.string()).push_back('\'');
    return quoted;
  }
  // The program's own messages, without the toolkit's notes about the session.
  static std::string Messages(const TRun& run)
  {
    std::string messages;
    for (std::size_t start = 0; start < run.Err.size();) {
      const std::size_t end = std::min(run.Err.find('\n', start), run.Err.size());
      const std::string line = run.Err.substr(start, end - start);
      if (line.rfind("QStandardPaths:", 0) != 0) messages += line + "\n";
      start = end + 1;
    }
    return messages;
  }
};

TEST_F(CliOutputs, StandardOutputThatLosesTheOutputFailsTheRunWithAMessage)
{
  const std::string message = "File Error: Write error on standard output.  No space left on device.\n";
  for (const std::string arguments : {"", "--json", "--items", "--items --json", "--design-chart"}) {
    const TRun run = RunWith("", arguments, "/dev/full");
    EXPECT_EQ(run.Status, ExitFailed) << arguments;
    EXPECT_EQ(run.Err, message) << arguments;
  }
  const TRun usable = RunWith("", "--json", "/dev/null");
  EXPECT_EQ(usable.Status, ExitOk) << usable.Err;
  const TRun refused = RunWith("", "--set 21021=-1", "/dev/full");
  EXPECT_EQ(refused.Status, ExitUsage) << "the first error decides the status";
}

TEST_F(CliOutputs, TheDataExportToAFullStandardOutputFails)
{
  const TRun run = RunWith("", "--export-data -", "/dev/full");
  EXPECT_EQ(run.Status, ExitFailed);
  EXPECT_NE(run.Err.find("Write error on standard output.  No space left on device."), std::string::npos) << run.Err;
}

TEST_F(CliOutputs, AFullDiskLeavesEveryPreviousOutputFileAsItWas)
{
  const std::string previous = "the previous file, complete";
#ifdef UMBRINEX_CLI_GRAPHS
  for (const std::string graph : {"Diameter", "General Arrangement"}) {
    for (const char* extension : {".svg", ".pdf", ".png", ".bmp"}) {
      const fs::path target = folder / ("picture" + std::string(extension));
      std::ofstream(target, std::ios::binary) << previous;
      const TRun run = RunWith(FullDisk, "--graph '" + graph + "' --out " + Quoted(target));
      EXPECT_EQ(run.Status, ExitFailed) << graph << extension;
      EXPECT_EQ(Messages(run), "File Error: Write error on file '" + Shown(target) + "'.  File too large.\n")
          << graph << extension;
      EXPECT_EQ(Contents(target), previous) << graph << extension;
      fs::remove(target);
    }
  }
#endif
  for (const std::string option : {"--report ", "--save "}) {
    const fs::path target = folder / (option == "--save " ? "design.mxd" : "report.xlsx");
    std::ofstream(target, std::ios::binary) << previous;
    // The disk is full for the file only: the key results still reach the terminal.
    const TRun run = RunWith(FullDisk, option + Quoted(target), "/dev/null");
    EXPECT_EQ(run.Status, ExitFailed) << option;
    EXPECT_NE(run.Err.find("Write error on file '" + Shown(target) + "'."), std::string::npos) << run.Err;
    EXPECT_EQ(Contents(target), previous) << option;
    fs::remove(target);
  }
  EXPECT_EQ(FilesInFolder(), 0u) << "no temporary file left";
}

#ifdef UMBRINEX_CLI_GRAPHS
TEST_F(CliOutputs, GraphTargetsThatAreNotFilesOrAreReadOnlyAreRefusedBeforeAnythingIsWritten)
{
  const fs::path locked = folder / "locked.svg", pipe = folder / "pipe.svg", full = folder / "full.pdf";
  std::ofstream(locked) << "kept";
  fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  fs::create_symlink("/dev/full", full);
  // With a reader on the pipe a writer would not wait but pour the graph in.
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  for (const std::string graph : {"Diameter", "General Arrangement"}) {
    const auto refusal = [&](const fs::path& target) {
      const TRun run = Run("--graph '" + graph + "' --out " + Quoted(target));
      EXPECT_EQ(run.Status, ExitFailed) << graph << " " << target;
      return Messages(run);
    };
    EXPECT_EQ(refusal(locked), "File Error: File '" + Shown(locked) + "' is read-only.\n");
    EXPECT_EQ(refusal(pipe), "File Error: File '" + Shown(pipe) + "' is not a regular file.\n");
    EXPECT_EQ(refusal(full), "File Error: File '" + Shown(full) + "' is not a regular file.\n");
  }
  char byte = 0;
  EXPECT_LE(::read(reader, &byte, 1), 0) << "nothing was written into the pipe";
  ::close(reader);
  EXPECT_EQ(Contents(locked), "kept");
}
#endif

TEST_F(CliOutputs, ADesignIsSavedUnderExactlyTheNameGivenOrRefused)
{
  const fs::path plain = folder / "variant", full = folder / "full", pipe = folder / "pipe";
  ASSERT_EQ(Run("--save " + Quoted(plain)).Status, ExitOk);
  EXPECT_TRUE(fs::is_regular_file(plain));
  EXPECT_FALSE(fs::exists(folder / "variant.mxd"));
  EXPECT_EQ(Run(Quoted(plain) + " --json").Status, ExitOk) << "the file saved opens";

  fs::create_symlink("/dev/full", full);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const fs::path& target : {full, pipe}) {
    const TRun run = Run("--save " + Quoted(target));
    EXPECT_EQ(run.Status, ExitFailed) << target;
    EXPECT_EQ(run.Err, "File Error: File '" + Shown(target) + "' is not a regular file.\n");
    EXPECT_FALSE(fs::exists(target.string() + ".mxd")) << "never a new file beside " << target;
  }
  const TRun device = Run("--save /dev/umbrinex-test");
  EXPECT_EQ(device.Status, ExitFailed);
  EXPECT_EQ(device.Err, "File Error: Cannot create file '/dev/umbrinex-test' in the device folder '/dev'.\n");
  EXPECT_FALSE(fs::exists("/dev/umbrinex-test") || fs::exists("/dev/umbrinex-test.mxd"));
  // What a faulty program may have left among the devices goes again.
  std::error_code ignored;
  fs::remove("/dev/umbrinex-test", ignored);
  fs::remove("/dev/umbrinex-test.mxd", ignored);
}

TEST_F(CliOutputs, EmptyNamesAreUsageErrorsThatSayWhatIsNeeded)
{
#ifdef UMBRINEX_CLI_GRAPHS
  const fs::path svg = folder / "x.svg";
  const TRun graph = Run("--graph '' --out " + Quoted(svg));
  EXPECT_EQ(graph.Status, ExitUsage);
  EXPECT_NE(graph.Err.find("--graph: a graph name is needed; the graphs are \"Diameter\", \"Stiffness\", "
                           "\"Design Chart\", \"Performance Chart\", \"Performance Map\", \"Deflection Chart\", "
                           "\"Curvature Chart\", \"Strain Chart\", \"General Arrangement\", \"Deflected Shape\"."),
            std::string::npos)
      << graph.Err;
  const TRun out = Run("--graph Diameter --out ''");
  EXPECT_EQ(out.Status, ExitUsage);
  EXPECT_NE(out.Err.find("a file name is needed"), std::string::npos) << out.Err;
#endif
  for (const std::string arguments : {"--save ''", "--export-data ''"}) {
    const TRun run = Run(arguments);
    EXPECT_EQ(run.Status, ExitUsage) << arguments;
    EXPECT_NE(run.Err.find("a file name is needed"), std::string::npos) << arguments << ": " << run.Err;
  }
  EXPECT_EQ(FilesInFolder(), 0u);
}

}  // namespace
}  // namespace umbrinex
