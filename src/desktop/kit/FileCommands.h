#pragma once
// The file commands of the main window: New, Open, Save, Save As and the
// recent files, over the window's filer and its design.

#include <functional>
#include <string>

namespace umbrinex {

class TModel;
class TTessanFiler;
struct TFileClass;

class TFileCommands {
 public:
  using TModelAccess = std::function<TModel&()>;
  TFileCommands(TTessanFiler& filer, TModelAccess model) : FFiler(filer), FModel(std::move(model)) {}

  // Run before the design is discarded (New, Open, closing the window): a
  // modified design may be saved first. Cancel, here or in the save dialog,
  // raises the silent abort and the design stays.
  void CheckSaveChanges();

  void New();
  void Open();
  void Save();
  void SaveAs();
  // A recent file, or one named on the command line: its header says which
  // kind of data file it is.
  void OpenFile(const std::string& fileName);

  // After a command that opened, renewed or saved the design.
  std::function<void()> AfterFileCommand;

 private:
  void Done() const
  {
    if (AfterFileCommand) AfterFileCommand();
  }
  TTessanFiler& FFiler;
  TModelAccess FModel;
};

// The class a data file's header names: the older data file for type 0, the
// data file of this version for any other.
const TFileClass& DataFileClassOf(const std::string& fileName);

}  // namespace umbrinex
