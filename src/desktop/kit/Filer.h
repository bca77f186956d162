#pragma once
// The file side of a window: which data file its design came from, which
// name the dialogs propose next, and reading and writing the design under
// the program's rules (busy count, overwrite question, messages).

#include <string>
#include <vector>

#include "framework/data/FileClass.h"

namespace umbrinex {

class TModel;
class TStringPreference;

// Told when the current file name changes (caption, recent files).
class IFilerOwner {
 public:
  virtual void CurrentFileNameChanged() = 0;

 protected:
  ~IFilerOwner() = default;
};

class TTessanFiler {
 public:
  // latestSetting: where a remembering filer also keeps the latest name,
  // which proposes folders in later runs; may be nullptr.
  TTessanFiler(IFilerOwner* owner, TStringPreference* latestSetting, bool remember);

  bool HasFileName() const { return !FCurrentFileName.empty(); }
  const std::string& CurrentFileName() const { return FCurrentFileName; }
  const std::string& LatestFileName() const { return FLatestFileName; }
  const TFileClass& ChosenFileClass() const { return FChosenFileClass; }

  void SetLatestFileName(const std::string& fileName);
  void SetCurrentFileName(const std::string& fileName);
  // A new design: no current or latest name (the stored setting stays).
  void Forget();

  // The first existing folder of: fileName, the latest name, the stored
  // latest name; else the current directory. A folder part keeps its
  // trailing separator, so a stored folder name gives the folder holding it.
  std::string InitialFolder(const std::string& fileName) const;
  // Where a save dialog starts: the current design's folder, else the
  // folder last used (in this run or, when the user chose one, an earlier
  // run), else the home folder. Folders the user cannot write to, such as
  // the installed examples, are passed over.
  std::string SaveFolder() const;

  // The chosen names (one unless allowMultiple); raises the silent abort
  // when the user cancels.
  std::vector<std::string> ShowOpenDialog(const std::string& title, const std::vector<TFileClass>& classes,
                                          bool allowMultiple, const std::string& defaultName,
                                          const TFileClass& defaultClass);
  // The chosen name becomes the latest file name.
  void ShowSaveDialog(const std::string& title, const std::vector<TFileClass>& classes, const TFileClass& defaultClass);

  void Load(const std::string& fileName, const TFileClass& fileClass, TModel& model);
  // An empty name saves under the current name with fileClass's extension.
  void Save(const std::string& fileName, const TFileClass& fileClass, bool askBeforeOverwrite, TModel& model);

  // For printed and exported headers: the title alone without a file, else
  // "title: name (modified time on date)".
  std::string DescriptionText(const std::string& title) const;

 private:
  IFilerOwner* FOwner;
  TStringPreference* FLatestSetting;
  bool FRemember;
  std::string FLatestFileName;
  std::string FCurrentFileName;
  TFileClass FChosenFileClass = DataFileClass;
};

}  // namespace umbrinex

namespace umbrinex {

// The main window's caption: "title - [shortened name]", or the title alone
// without a file; " (modified)" follows while the design has unsaved changes.
std::string WindowCaption(const std::string& title, const std::string& fileName, bool modified);
// The task-bar title: "program [name]" with the bare file name.
std::string TaskBarTitle(const std::string& programName, const std::string& fileName, bool modified);

}  // namespace umbrinex
