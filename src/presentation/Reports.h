#pragma once
// The results reports: each results object of a design laid out on a
// workbook sheet, below whatever the sheet already holds. Every report opens
// with the header block (title, run line, file and project texts) and then
// writes staged tables whose captions carry unit placeholders, so the sheet
// shows the design's current units.
//
// The reports are free functions rather than members of the results
// objects: the analysis knows nothing of workbooks, and this layer knows the
// analysis. Each one calculates what is missing first, so a calculation
// error leaves the sheet as it was.

#include <ctime>
#include <functional>
#include <string>

#include "presentation/SpreadSheet.h"

namespace umbrinex {

class TBend;
class TBendStiffener;
class TKeyResults;
class TLoadCaseResults;
class TDesignChartResults;
class TPerformanceChartResults;

// "Umbrinex 4.2b run at 10:31:07 on 12/09/25".
std::string RunLine();
// A path whose folder part holds more than three separators keeps its first
// folder, "...", the two innermost folders and the name.
std::string ShortenedFileName(const std::string& fileName);

// The title (when not empty), the run line and the design's file, project,
// client and designer texts. On an empty sheet the block starts in row 1;
// otherwise one empty row below the last used row.
void HeaderBlock(const TBend& bend, TSpreadSheet& sheet, const std::string& title);

// Names the current sheet "Key Results" (unique) and writes the cable data,
// the load cases, the stiffener shape and the governing root events.
void WriteToSheet(TKeyResults& results, TSpreadSheet& sheet);
// Solves the design's selected load case and writes one sheet per included
// state, named after the state; sheet 1 is current afterwards.
void WriteToSheet(TLoadCaseResults& results, TSpreadSheet& sheet);
// The volume line and the station table of one solved state.
void StiffenerResultsTable(TBendStiffener& solution, TSpreadSheet& sheet);
// Each reduces the workbook to one sheet and names it after the chart.
void WriteToSheet(TDesignChartResults& results, TSpreadSheet& sheet);
void WriteToSheet(TPerformanceChartResults& results, TSpreadSheet& sheet);

}  // namespace umbrinex
