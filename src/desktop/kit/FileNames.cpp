#include "desktop/kit/FileNames.h"

#include <filesystem>

#include "framework/data/TextUtils.h"
#include "numerics/Errors.h"

namespace umbrinex {

namespace fs = std::filesystem;

namespace {

constexpr char Separator = '/';

}  // namespace

std::string FolderPart(const std::string& fileName)
{
  const std::size_t slash = fileName.rfind(Separator);
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

std::string FileNameOnly(const std::string& fileName)
{
  return fileName.substr(FolderPart(fileName).size());
}

std::string RemoveFileExt(const std::string& fileName)
{
  const std::size_t folderLength = FolderPart(fileName).size();
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string::npos || dot < folderLength ? fileName : fileName.substr(0, dot);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& ext)
{
  return RemoveFileExt(fileName) + ext;
}

std::string ShortenFolders(const std::string& fileName, int maxLevels)
{
  const std::string folder = FolderPart(fileName);
  int separators = 0;
  for (char c : folder) separators += c == Separator ? 1 : 0;
  if (separators <= maxLevels) return fileName;
  const std::size_t firstEnd = folder.find(Separator) + 1;
  // Drop the first (separators - maxLevels + 1) components of the folder.
  std::size_t restStart = 0;
  for (int dropped = 0; dropped < separators - maxLevels + 1; ++dropped)
    restStart = folder.find(Separator, restStart) + 1;
  return folder.substr(0, firstEnd) + "..." + Separator + fileName.substr(restStart);
}

std::string CaptionFileName(const std::string& fileName)
{
  return ShortenFolders(RemoveFileExt(fileName), 5);
}

std::string MenuFileName(const std::string& fileName)
{
  return ShortenFolders(fileName, 3);
}

std::string FullFileName(const std::string& fileName)
{
  const std::string trimmed = Trim(fileName);
  if (trimmed.empty()) return trimmed;
  std::error_code error;
  const fs::path absolute = fs::absolute(trimmed, error);
  return error ? trimmed : absolute.lexically_normal().string();
}

std::string LongFileName(const std::string& fileName)
{
  std::error_code error;
  if (!fs::exists(fileName, error))
    throw EExpected(Format("Cannot return long file name for %s since that file does not exist.", fileName.c_str()));
  return FullFileName(fileName);
}

std::string ProgramFolder()
{
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return fs::current_path(error).string();
  return program.parent_path().string();
}

std::string InstalledDataFolder(const std::string& programFolder)
{
  return (fs::path(programFolder).parent_path() / "share" / "umbrinex").string();
}

std::string ExamplesFolder(const std::string& programFolder)
{
  std::error_code error;
  // An installed program finds its own examples before any folder of that
  // name further up, such as one in the user's home folder.
  const fs::path installed = fs::path(InstalledDataFolder(programFolder)) / "Examples";
  if (fs::is_directory(installed, error)) return installed.string();
  for (fs::path folder = programFolder; !folder.empty(); folder = folder.parent_path()) {
    if (fs::is_directory(folder / "Examples", error)) return (folder / "Examples").string();
    if (folder == folder.parent_path()) break;
  }
  return programFolder;
}

}  // namespace umbrinex
