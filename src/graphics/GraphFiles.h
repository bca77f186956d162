#pragma once
// The results graphs drawn straight into files, without a window: what the
// batch program's --graph option runs. The graph is built by the same
// builders and painted by the same painting as on the screen.

#include <optional>
#include <string>

namespace umbrinex {

class TBend;

struct TGraphFileOptions {
  // 1-based; used by the load case graphs only.
  int LoadCase = 1;
  // The title above the graph: the report title of the design.
  std::string Header = "Umbrinex";
  // From the "Monochrome Output" setting unless set.
  std::optional<bool> Monochrome;
};

// The graph names the option accepts, separated by ", ".
std::string GraphFileNames();

// Builds the graph called name ("Diameter", "Stiffness", "Design Chart",
// "Performance Chart", "Performance Map", "Deflection Chart", "Curvature
// Chart", "Strain Chart") and writes it to fileName as .svg, .pdf, .png or
// .bmp. Load case graphs show load case loadCase (1-based), which becomes
// the design's selected load case. Raises EGraphOutputError for an unknown
// name, extension or load case, and the file error of the safe save for a
// target that cannot be replaced (before anything is calculated) or a
// write that fails (the old file kept); EBendResultCannotBeDisplayed and
// calculation errors pass through.
void RenderGraphToFile(TBend& bend, const std::string& name, int loadCase, const std::string& fileName);
void RenderGraphToFile(TBend& bend, const std::string& name, const std::string& fileName,
                       const TGraphFileOptions& options);

// Graph drawing needs a GUI application; a program without one gets one on
// the off-screen platform, which needs no display.
void EnsureGuiApplication();

}  // namespace umbrinex
