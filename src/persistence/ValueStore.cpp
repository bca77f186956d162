#include "persistence/ValueStore.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "framework/data/DiskFile.h"
#include "framework/data/TextUtils.h"

namespace umbrinex {

// The log goes beside the data file, so that the comparisons of a folder of
// test designs collect in one place; earlier runs are kept.
void TValueStore::AppendLog(const std::string& fileName, const std::string& targetPath)
{
  FCompared = false;
  if (fileName.empty()) return;
  FCheck.Finish();
  const std::filesystem::path path = std::filesystem::path(targetPath).parent_path() / CheckLogFileName;
  std::ofstream out(path, std::ios::app | std::ios::binary);
  for (const std::string& line : FCheck.Lines()) out << line << '\n';
  out.flush();
  FCheck.Reset(fileName);
  if (!out) RaiseFileError(Format("Write error on file '%s'.", FileNameForMessage(path.string()).c_str()));
}

void TValueStore::StoreDouble(double& destination, double value)
{
  if (FCheckMode)
    FCheck.CompareDouble(value, destination);
  else
    destination = value;
}

void TValueStore::StoreBoolean(bool& destination, bool value)
{
  if (FCheckMode)
    FCheck.CompareBoolean(value, destination);
  else
    destination = value;
}

void TValueStore::StoreString(std::string& destination, std::string value)
{
  if (FCheckMode)
    FCheck.CompareString(value, destination);
  else
    destination = std::move(value);
}

void TValueStore::StoreBytes(void* destination, const std::uint8_t* source, std::size_t n)
{
  if (n == 0) return;
  if (FCheckMode)
    FCheck.CompareBytes(source, destination, n);
  else
    std::memcpy(destination, source, n);
}

}  // namespace umbrinex
