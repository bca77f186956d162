#include "shell/LoadCaseCommands.h"

#include <QFileInfo>

#include "bend/Bend.h"
#include "desktop/kit/FileDialogs.h"
#include "desktop/kit/FileNames.h"
#include "desktop/kit/Filer.h"
#include "framework/data/DiskFile.h"
#include "framework/data/Messages.h"
#include "framework/data/TextUtils.h"
#include "persistence/LoadCaseCsv.h"
#include "shell/Main.h"
#include "shell/MainEditing.h"
#include "shell/MainResults.h"
#include "shell/Preferences.h"

namespace umbrinex {

namespace {

QFileInfo Info(const std::string& fileName)
{
  return QFileInfo(QString::fromStdString(fileName));
}

// The dialogs start where the last table was imported from or exported to
// (in this run or an earlier one), else where the design's dialogs would.
std::string StartFolder(TMainForm& main, bool saving)
{
  const std::string folder = FolderPart(Preferences().LatestLoadCaseFile.CurrentValue());
  const QFileInfo info = Info(folder);
  if (!folder.empty() && info.isDir() && (!saving || info.isWritable())) return folder;
  TTessanFiler& filer = main.Filer();
  return saving ? filer.SaveFolder() : filer.InitialFolder(filer.CurrentFileName());
}

// The chosen name; empty when the dialog was cancelled.
std::string AskFile(TMainForm& main, bool saving)
{
  TFileDialogRequest request;
  request.Title = saving ? "Export Load Cases" : "Import Load Cases";
  request.Classes = saving ? std::vector<TFileClass>{LoadCaseCsvSaveClass}
                           : std::vector<TFileClass>{LoadCaseCsvFileClass, AllFilesClass};
  request.Folder = StartFolder(main, saving);
  if (saving) request.ProposedName = LoadCaseExportName(main.Filer().CurrentFileName());
  TFileDialogAnswer answer;
  const bool chosen = saving ? FileDialogs().Save(request, answer) : FileDialogs().Open(request, answer);
  if (!chosen || answer.FileNames.empty() || Trim(answer.FileNames.front()).empty()) return {};
  std::string fileName = Trim(answer.FileNames.front());
  if (saving && MayTakeDefaultExtension(fileName)) fileName += LoadCaseCsvSaveClass.DefaultExtension;
  Preferences().LatestLoadCaseFile.ChangeValue(fileName);
  return fileName;
}

}  // namespace

std::string LoadCaseExportName(const std::string& designFileName)
{
  const std::string design = RemoveFileExt(FileNameOnly(designFileName));
  return design.empty() ? "load cases.csv" : design + " load cases.csv";
}

void ImportLoadCases(TMainForm& main)
{
  const std::string fileName = AskFile(main, false);
  if (!fileName.empty()) ImportLoadCasesFrom(main, fileName);
}

void ImportLoadCasesFrom(TMainForm& main, const std::string& fileName)
{
  TBend& bend = main.Model();
  std::vector<TImportedLoadCase> rows;
  try {
    TBusy busy;
    // Read and checked against the design before anything of it changes.
    rows = ReadLoadCasesCsvFile(fileName, bend);
    main.Editing().ChangeDesign(QStringLiteral("Import Load Cases"), [&bend, &rows] { ApplyLoadCases(bend, rows); });
  } catch (const ECsvError& error) {
    throw EExpected(Format("The load cases of '%s' cannot be imported.\n\n%s", fileName.c_str(), error.what()));
  }
  if (TMainResults* results = main.Results()) results->Refresh();
  const int count = static_cast<int>(rows.size());
  ShowInformation(Format("%d load case%s imported from '%s'.", count, count == 1 ? "" : "s", fileName.c_str()));
}

void ExportLoadCases(TMainForm& main)
{
  const std::string fileName = AskFile(main, true);
  if (fileName.empty()) return;
  // The dialog leaves the question to us, asked as the design's Save As asks it.
  if (Info(fileName).exists() &&
      !AskQuestion(Format("A file called '%s' already exists.  Do you want to overwrite it?", fileName.c_str())))
    return;
  SaveLoadCasesCsv(main.Model(), fileName);
}

}  // namespace umbrinex
