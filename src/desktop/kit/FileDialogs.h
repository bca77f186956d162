#pragma once
// The program's one open dialog and one save dialog, shared by every filer.
// The filer asks through this interface so that tests can answer in its place.

#include <string>
#include <vector>

#include "framework/data/FileClass.h"

class QString;

namespace umbrinex {

struct TFileDialogRequest {
  std::string Title;
  std::vector<TFileClass> Classes;  // offered filters, in order
  int SelectedClass = 0;            // index into Classes
  bool AllowMultiple = false;
  std::string Folder;        // where the dialog starts
  std::string ProposedName;  // file part only; may be empty
};

struct TFileDialogAnswer {
  std::vector<std::string> FileNames;
  int SelectedClass = 0;  // index of the filter selected when the dialog closed
};

class IFileDialogs {
 public:
  virtual ~IFileDialogs() = default;
  // False when the user cancels.
  virtual bool Open(const TFileDialogRequest& request, TFileDialogAnswer& answer) = 0;
  virtual bool Save(const TFileDialogRequest& request, TFileDialogAnswer& answer) = 0;
};

// The dialogs in use: Qt's file dialogs unless replaced. Returns the previous
// replacement (nullptr for Qt's).
IFileDialogs* SetFileDialogs(IFileDialogs* dialogs);
IFileDialogs& FileDialogs();

// Asks for the name of a file to export to: the name the user chose, with
// the extension of the chosen filter when the name has none; empty when the
// dialog was cancelled.
std::string AskExportName(const std::vector<TFileClass>& classes, const std::string& title = "Export");

// A class's filter in the form Qt's dialogs take: "Umbrinex Files (*.mxd)";
// "*.*" becomes "*", which is what every file means on this system.
QString DialogFilter(const TFileClass& fileClass);

}  // namespace umbrinex
