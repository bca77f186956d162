#pragma once
// The design's input data as the forms show it, exported as text, copied
// or printed: all forms from the main window's File menu, one form from its
// own menu.

#include <string>

#include <QStringList>
#include <vector>

#include "desktop/forms/DataOutput.h"

namespace umbrinex {

class TBend;
class TMainForm;
class TTessanDataForm;

// "Umbrinex" without a file; else the program's name, the file and its last
// change.
std::string ReportTitleFor(const std::string& fileName);

// The forms of these objects of the design (all of the data tree when none
// are given).
TDataOutputSource DesignDataSource(TBend& bend, const std::string& fileName, std::vector<TModelObject*> objects = {});
// The text export of every form of a design, under the title of its file.
std::string DesignDataTextFor(TBend& bend, const std::string& fileName);

// The desktop program run as "umbrinex --export-data OUT [DESIGN]": the text
// export of every form of the design (the default design without one) to
// OUT, or to standard output for "-", without a window. Messages go to
// standard error; the exit status is 0, 1 for a failure, 2 for bad
// arguments.
int RunExportDataCommand(const QStringList& arguments);

// Connects "&Export Data" and "Print &Data" of the main window and the
// "&Copy Form", "&Export Form.." and "Print &Form" of every data form.
void ConnectDataCommands(TMainForm& main);

}  // namespace umbrinex
