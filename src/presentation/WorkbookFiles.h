#pragma once
// Workbooks leave the program as .xlsx files and as tab-separated text.
//
// Text form: numbers at full precision (the text a value is shown with in
// the data forms), booleans as TRUE and FALSE, tabs and line breaks inside a
// text replaced by spaces, empty cells at the end of a line left out. A
// workbook of one sheet is written as its cells only, so that it reads back
// into any spreadsheet; with several sheets each sheet's cells are preceded
// by a line with its name, and sheets are separated by an empty line.
//
// Saving goes through a temporary file beside the target, so a failed save
// leaves the previous file as it was; a target a design could not be saved
// over (read-only, a folder, in a folder that does not exist) is refused the
// same way. Failures raise EFileError naming the file.

#include <string>

#include "presentation/Workbook.h"

namespace umbrinex {

// The filter of the file dialog for workbooks.
inline constexpr const char* WorkbookFileFilter = "Excel Files (*.xlsx)|*.xlsx";

// One cell's text in the text form.
std::string CellText(const TCellValue& value);
// Lines of tab-separated cells of a range, each line ending in "\n".
std::string RangeText(const TSheet& sheet, const TCellRange& range);
std::string WorkbookText(const TWorkbook& workbook);

void SaveWorkbookText(const TWorkbook& workbook, const std::string& fileName);
// Every sheet with its values, number formats, fonts, fills, borders,
// alignments, column widths and row heights; the active sheet stays active.
void SaveWorkbookXlsx(const TWorkbook& workbook, const std::string& fileName);

}  // namespace umbrinex
