#pragma once
// What the report files share and nobody else needs.

#include <string>

#include "presentation/ExportTable.h"

namespace umbrinex {

class TBend;

// A light-yellow highlight for the figures a reader looks for first.
inline constexpr TColour HighlightFill = 0x00FFFF;
// The box around tables and the rows that stand out.
inline constexpr int BoxStyle = 2;

// "State 1" or "State 2" for state 0 or 1.
std::string StateName(int state);

// Writes the staged table with the design's units; an active progress
// display counts the rows.
void WriteReportTable(TExportTable& table, const TBend& bend, TSpreadSheet& sheet);

}  // namespace umbrinex
