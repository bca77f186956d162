// --export-data: the design's data as the data forms show it, laid out from
// the forms' descriptions without a window.

#include <filesystem>
#include <ostream>

#include "bend/Bend.h"
#include "cli/Cli.h"
#include "framework/data/DiskFile.h"
#include "framework/data/TextUtils.h"
#include "persistence/BendFile.h"
#include "presentation/DataForms.h"

namespace umbrinex {

int ExportData(const TCliOptions& options, std::ostream& out, std::ostream& /*err*/)
{
  std::unique_ptr<TBend> bend = New<TBend>();
  std::string design;
  if (!options.Design.empty()) {
    design = std::filesystem::absolute(options.Design).string();
    LoadFromFile(*bend, design);
  }
  const std::string text = DesignDataText(*bend, DataReportTitle(design));
  if (options.ExportDataFile == "-") {
    // The export quotes the design's texts: to a terminal they are shown,
    // not obeyed. A file keeps them as they are.
    out << VisibleText(text, true);
  } else {
    SaveTextFile(options.ExportDataFile, text);
  }
  return ExitOk;
}

}  // namespace umbrinex
