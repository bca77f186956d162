#include "framework/kit/Help.h"

#include <filesystem>

#include <QDesktopServices>
#include <QUrl>

#include "framework/data/Messages.h"
#include "framework/data/TextUtils.h"
#include "framework/kit/FileNames.h"
#include "framework/kit/Registry.h"

namespace umbrinex {

std::string FindManual()
{
  std::error_code error;
  const std::filesystem::path beside = std::filesystem::path(ProgramFolder()) / ManualFileName;
  if (std::filesystem::exists(beside, error)) return beside.string();
  TKitRegistry& registry = KitRegistry();
  std::string folder;
  if (registry.OpenKey(std::string(ProgramKey) + "/Installation Directory", false)) {
    registry.ReadString("Normal", folder);
    registry.CloseKey();
  }
  // The stored folder ends with its separator.
  const std::string installed = folder + ManualFileName;
  if (!folder.empty() && std::filesystem::exists(installed, error)) return installed;
  return {};
}

void OpenManual()
{
  const std::string manual = FindManual();
  if (manual.empty()) {
    ShowInformation(Format("Cannot find file %s.", ManualFileName));
  } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(manual)))) {
    ShowInformation(Format("Cannot open file %s.", ManualFileName));
  }
}

}  // namespace umbrinex
