#pragma once
// The two drawings of a design in files, as the graph files are: SVG and
// PDF sized to 120 mm on the longer side, PNG and BMP at the screen size.

#include <optional>
#include <string>

#include <QByteArray>

#include "graphics/GraphOutput.h"

namespace umbrinex {

class TBend;

// True for "General Arrangement" and "Deflected Shape".
bool IsDrawingName(const std::string& name);
// One of them (the deflected shape of load case loadCase, 1-based) as the
// whole file of a kind, in memory.
QByteArray DrawingFileBytes(TBend& bend, const std::string& name, int loadCase, TGraphFileKind kind,
                            std::optional<bool> monochrome = std::nullopt);
// Draws one of them into a file through the safe save (the target refused
// before anything is drawn, the old file kept when writing fails);
// monochrome follows the graph output setting unless set.
void RenderDrawingToFile(TBend& bend, const std::string& name, int loadCase, const std::string& fileName,
                         std::optional<bool> monochrome = std::nullopt);

}  // namespace umbrinex
