#pragma once
// The two drawings of a design in files, as the graph files are: SVG and
// PDF sized to 120 mm on the longer side, PNG and BMP at the screen size.

#include <optional>
#include <string>

namespace umbrinex {

class TBend;

// True for "General Arrangement" and "Deflected Shape".
bool IsDrawingName(const std::string& name);
// Draws one of them (the deflected shape of load case loadCase, 1-based)
// into a file; monochrome follows the graph output setting unless set.
void RenderDrawingToFile(TBend& bend, const std::string& name, int loadCase, const std::string& fileName,
                         std::optional<bool> monochrome = std::nullopt);

}  // namespace umbrinex
