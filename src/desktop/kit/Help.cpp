#include "desktop/kit/Help.h"

#include <filesystem>

#include <QDesktopServices>
#include <QUrl>

#include "framework/data/Messages.h"
#include "framework/data/TextUtils.h"
#include "desktop/kit/FileNames.h"
#include "desktop/kit/Registry.h"

namespace umbrinex {

std::string FindManual()
{
  return FindManual(ProgramFolder());
}

std::string FindManual(const std::string& programFolder)
{
  return FindManualFile(ManualFileName, programFolder);
}

std::string FindManualFile(const std::string& fileName, const std::string& programFolder)
{
  std::error_code error;
  for (const std::string& folder : {programFolder, InstalledDataFolder(programFolder)}) {
    const std::filesystem::path manual = std::filesystem::path(folder) / fileName;
    if (std::filesystem::exists(manual, error)) return manual.string();
  }
  TKitRegistry& registry = KitRegistry();
  std::string folder;
  if (registry.OpenKey(std::string(ProgramKey) + "/Installation Directory", false)) {
    registry.ReadString("Normal", folder);
    registry.CloseKey();
  }
  // The stored folder ends with its separator.
  const std::string installed = folder + fileName;
  if (!folder.empty() && std::filesystem::exists(installed, error)) return installed;
  return {};
}

void OpenManual()
{
  OpenManual(ProgramFolder());
}

void OpenManual(const std::string& programFolder)
{
  const std::string manual = FindManual(programFolder);
  if (manual.empty()) {
    ShowInformation(Format("Cannot find file %s.", ManualFileName));
  } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(manual)))) {
    // The file is there, so the desktop has nothing to show a PDF with; the
    // full name lets the user open it some other way.
    ShowInformation(Format("Cannot open file %s.  No PDF viewer was found.", manual.c_str()));
  }
}

}  // namespace umbrinex
