#include "desktop/kit/Filer.h"

#include <filesystem>
#include <system_error>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include "framework/data/Model.h"
#include "framework/data/DiskFile.h"
#include "framework/data/Messages.h"
#include "framework/data/TextUtils.h"
#include "desktop/kit/FileDialogs.h"
#include "desktop/kit/FileNames.h"
#include "desktop/kit/KitErrors.h"
#include "desktop/kit/Preference.h"
#include "desktop/kit/Program.h"

namespace umbrinex {

namespace fs = std::filesystem;

namespace {

bool HasExtension(const TFileClass& fileClass)
{
  return fileClass.DefaultExtension != AllFilesClass.DefaultExtension;
}

std::string Extension(const TFileClass& fileClass)
{
  return std::string(fileClass.DefaultExtension);
}

bool FolderExists(const std::string& folder)
{
  std::error_code error;
  return !folder.empty() && fs::is_directory(folder, error);
}

bool WritableFolder(const std::string& folder)
{
  return FolderExists(folder) && QFileInfo(QString::fromStdString(folder)).isWritable();
}

bool FileExists(const std::string& fileName)
{
  std::error_code error;
  return fs::exists(fileName, error);
}

int IndexOf(const std::vector<TFileClass>& classes, const TFileClass& fileClass)
{
  for (std::size_t i = 0; i < classes.size(); ++i)
    if (classes[i] == fileClass) return static_cast<int>(i);
  return 0;
}

}  // namespace

TTessanFiler::TTessanFiler(IFilerOwner* owner, TStringPreference* latestSetting, bool remember)
    : FOwner(owner), FLatestSetting(latestSetting), FRemember(remember)
{
}

void TTessanFiler::SetLatestFileName(const std::string& fileName)
{
  FLatestFileName = fileName;
  if (FRemember && FLatestSetting && !fileName.empty()) FLatestSetting->ChangeValue(fileName);
}

void TTessanFiler::SetCurrentFileName(const std::string& fileName)
{
  FCurrentFileName = fileName;
  if (FOwner) FOwner->CurrentFileNameChanged();
}

void TTessanFiler::Forget()
{
  FLatestFileName.clear();
  SetCurrentFileName({});
}

std::string TTessanFiler::InitialFolder(const std::string& fileName) const
{
  for (const std::string& name :
       {fileName, FLatestFileName, FLatestSetting ? FLatestSetting->CurrentValue() : std::string()}) {
    const std::string folder = FolderPart(name);
    if (FolderExists(folder)) return folder;
  }
  std::error_code error;
  return fs::current_path(error).string();
}

std::string TTessanFiler::SaveFolder() const
{
  // The stored default is the examples folder, which is a place to open
  // designs from, not one the user chose to save in.
  const bool storedChosen = FLatestSetting && !FLatestSetting->IsDefault();
  for (const std::string& name :
       {FCurrentFileName, FLatestFileName, storedChosen ? FLatestSetting->CurrentValue() : std::string()}) {
    const std::string folder = FolderPart(name);
    if (WritableFolder(folder)) return folder;
  }
  return QDir::homePath().toStdString();
}

std::vector<std::string> TTessanFiler::ShowOpenDialog(const std::string& title, const std::vector<TFileClass>& classes,
                                                      bool allowMultiple, const std::string& defaultName,
                                                      const TFileClass& defaultClass)
{
  std::string proposed = defaultName.empty() ? FLatestFileName : defaultName;
  if (!proposed.empty() && HasExtension(defaultClass)) proposed = ChangeFileExt(proposed, Extension(defaultClass));
  TFileDialogRequest request{
      title, classes, IndexOf(classes, defaultClass), allowMultiple, InitialFolder(proposed), FileNameOnly(proposed)};
  TFileDialogAnswer answer;
  if (!FileDialogs().Open(request, answer) || answer.FileNames.empty()) throw ESilentAbort();
  SetLatestFileName(answer.FileNames.front());
  FChosenFileClass = classes.at(static_cast<std::size_t>(answer.SelectedClass));
  return answer.FileNames;
}

void TTessanFiler::ShowSaveDialog(const std::string& title, const std::vector<TFileClass>& classes,
                                  const TFileClass& defaultClass)
{
  // The design's own name comes first, so that Save As of an open design
  // proposes it where it is, whatever other dialogs were used since.
  const std::string& named = HasFileName() ? FCurrentFileName : FLatestFileName;
  const std::string proposed =
      named.empty() ? "untitled" + Extension(defaultClass) : ChangeFileExt(named, Extension(defaultClass));
  TFileDialogRequest request{title, classes,      IndexOf(classes, defaultClass),
                             false, SaveFolder(), FileNameOnly(proposed)};
  TFileDialogAnswer answer;
  if (!FileDialogs().Save(request, answer) || answer.FileNames.empty()) throw ESilentAbort();
  SetLatestFileName(answer.FileNames.front());
  FChosenFileClass = classes.at(static_cast<std::size_t>(answer.SelectedClass));
}

void TTessanFiler::Load(const std::string& fileName, const TFileClass& fileClass, TModel& model)
{
  TBusy busy;
  try {
    const std::string fullName = Program().Load(model, fileName, fileClass);
    SetCurrentFileName(fullName);
    SetLatestFileName(fullName);
  } catch (...) {
    // Clearing the design at the start of the read made us forget its file,
    // but a failed read puts the previous design back, and its name with it.
    if (model.FileName() != FCurrentFileName) SetCurrentFileName(model.FileName());
    try {
      throw;
    } catch (const std::system_error&) {
      throw EFilerError(Format("File '%s' cannot be read.  Check that it is not being used by another application.",
                               Trim(fileName).c_str()));
    }
  }
}

void TTessanFiler::Save(const std::string& fileName, const TFileClass& fileClass, bool askBeforeOverwrite, TModel& model)
{
  TBusy busy;
  std::string target = Trim(fileName.empty() ? ChangeFileExt(FCurrentFileName, Extension(fileClass)) : fileName);
  // The file written gets the class's extension when it has none; that is
  // the file the question must be about.
  if (HasExtension(fileClass) && MayTakeDefaultExtension(target)) target += Extension(fileClass);
  if (askBeforeOverwrite && FileExists(target) &&
      !AskQuestion(Format("A file called '%s' already exists.  Do you want to overwrite it?", target.c_str())))
    throw ESilentAbort();
  std::string fullName;
  try {
    fullName = Program().Save(model, target);
  } catch (const std::system_error&) {
    throw EFilerError(Format("File '%s' cannot be created.  Check that it is not being used by another application.",
                             target.c_str()));
  }
  SetCurrentFileName(fullName);
  SetLatestFileName(fullName);
}

std::string TTessanFiler::DescriptionText(const std::string& title) const
{
  if (!HasFileName()) return title;
  const QDateTime changed = QFileInfo(QString::fromStdString(FCurrentFileName)).lastModified();
  const QLocale locale;
  return Format("%s: %s (modified %s on %s)", title.c_str(), FileNameOnly(FCurrentFileName).c_str(),
                locale.toString(changed.time(), QLocale::ShortFormat).toStdString().c_str(),
                locale.toString(changed.date(), QLocale::ShortFormat).toStdString().c_str());
}

}  // namespace umbrinex

namespace umbrinex {

std::string WindowCaption(const std::string& title, const std::string& fileName, bool modified)
{
  std::string caption = fileName.empty() ? title : title + " - [" + CaptionFileName(fileName) + "]";
  return modified ? caption + " (modified)" : caption;
}

std::string TaskBarTitle(const std::string& programName, const std::string& fileName, bool modified)
{
  std::string title = fileName.empty() ? programName : programName + " [" + RemoveFileExt(FileNameOnly(fileName)) + "]";
  return modified ? title + " (modified)" : title;
}

}  // namespace umbrinex
