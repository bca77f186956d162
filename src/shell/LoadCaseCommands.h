#pragma once
// File > Import Load Cases and Export Load Cases: the design's load case
// table read from and written to CSV files (persistence/LoadCaseCsv.h). An
// import replaces the whole table as one step of Undo, or, when any row is
// refused, tells every refusal and leaves the design as it was.

#include <string>

#include "framework/data/FileClass.h"

namespace umbrinex {

class TMainForm;

// The tables the import dialog offers, and the one the export writes.
inline constexpr TFileClass LoadCaseCsvFileClass{".csv", ftUntagged, "CSV Files (*.csv *.txt)|*.csv;*.txt"};
inline constexpr TFileClass LoadCaseCsvSaveClass{".csv", ftUntagged, "CSV Files (*.csv)|*.csv"};

// The name the export proposes: "riser load cases.csv" for riser.mxd,
// "load cases.csv" for a design without a file.
std::string LoadCaseExportName(const std::string& designFileName);

// Asks for the file and imports it; nothing happens when the dialog is
// cancelled.
void ImportLoadCases(TMainForm& main);
// Replaces the design's load cases by the file's table, one step of Undo;
// says how many were imported. A file that cannot be read or holds a row
// that is refused raises an expected error naming the file and every
// refusal (the first few), and the design, its modified mark and the steps
// of Undo stay as they were.
void ImportLoadCasesFrom(TMainForm& main, const std::string& fileName);
// Asks for the file (proposing LoadCaseExportName) and writes the table.
void ExportLoadCases(TMainForm& main);

}  // namespace umbrinex
