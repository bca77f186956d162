// The data export of the default design and of every example, byte for
// byte as the desktop program's File > Export Data wrote it when these
// files were made: the form layout must not drift, whichever program lays
// it out.

#include <algorithm>
#include <string>

#include "CliTestSupport.h"

namespace umbrinex::testing {
namespace {

struct TGolden {
  const char* Design;  // in the examples folder; empty for the default design
  const char* Golden;
};

const TGolden Goldens[] = {
    {"", "default.txt"},
    {"Dynamic Riser.mxd", "Dynamic-Riser.txt"},
    {"Jumper US Units.mxd", "Jumper-US-Units.txt"},
    {"Power Cable Non-Linear.mxd", "Power-Cable-Non-Linear.txt"},
    {"Umbilical Two Materials.mxd", "Umbilical-Two-Materials.txt"},
};

class ExportGolden : public CliProgram {};

TEST_F(ExportGolden, EveryExampleExportsTheBytesOfItsGoldenFile)
{
  for (const TGolden& g : Goldens) {
    std::string arguments = "--export-data -";
    if (*g.Design != '\0') {
      // The shell must not split the examples' names at their spaces.
      fs::copy_file(fs::path(UMBRINEX_EXAMPLES_DIR) / g.Design, folder / "design.mxd",
                    fs::copy_options::overwrite_existing);
      arguments = (folder / "design.mxd").string() + " " + arguments;
    }
    const TRun run = Run(arguments);
    EXPECT_EQ(run.Status, 0) << g.Golden << ": " << run.Err;
    EXPECT_EQ(run.Err, "") << g.Golden;
    const std::string golden = Slurp(fs::path(UMBRINEX_GOLDEN_DIR) / g.Golden);
    ASSERT_FALSE(golden.empty()) << g.Golden;
    // The first line names the file and its time, which differ from run to
    // run; everything after it is pinned.
    const std::string shownFile =
        *g.Design == '\0' ? "Umbrinex\n" : "Umbrinex: " + (folder / "design.mxd").string() + " (modified ";
    EXPECT_EQ(run.Out.rfind(shownFile, 0), 0u) << g.Golden << ": " << run.Out.substr(0, run.Out.find('\n'));
    const std::string body = run.Out.substr(std::min(run.Out.find('\n'), run.Out.size()));
    EXPECT_TRUE(body == golden.substr(golden.find('\n'))) << g.Golden << " differs from its golden file";
  }
}

}  // namespace
}  // namespace umbrinex::testing
