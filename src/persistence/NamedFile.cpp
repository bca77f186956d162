#include "persistence/NamedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "framework/data/TextUtils.h"

namespace umbrinex {

namespace {

std::int64_t& BufferingLimit()
{
  static std::int64_t limit = 8 * 1024 * 1024;
  return limit;
}

bool& ChangeDirectorySwitch()
{
  static bool on = false;
  return on;
}

std::int64_t AvailableMemory()
{
  std::ifstream meminfo("/proc/meminfo");
  std::string line;
  while (std::getline(meminfo, line)) {
    long long kibibytes = 0;
    if (std::sscanf(line.c_str(), "MemAvailable: %lld kB", &kibibytes) == 1) return kibibytes * 1024;
  }
  return std::numeric_limits<std::int64_t>::max();
}

bool Exists(const std::string& name)
{
  struct stat info {};
  return stat(name.c_str(), &info) == 0;
}

}  // namespace

std::int64_t FileBufferingThreshold()
{
  return std::min(AvailableMemory(), BufferingLimit());
}
void SetFileBufferingLimit(std::int64_t bytes)
{
  BufferingLimit() = bytes;
}
void SetChangeDirectoryOnOpen(bool on)
{
  ChangeDirectorySwitch() = on;
}
bool ChangeDirectoryOnOpen()
{
  return ChangeDirectorySwitch();
}

std::string TNamedFile::Locate(const std::string& fileName, const TFileClass& fileClass, TFileNaming naming,
                               TFileMode mode)
{
  std::string name = naming == TFileNaming::Exact ? fileName : Trim(fileName);
  const bool addExtension = naming == TFileNaming::AddExtension &&
                            fileClass.DefaultExtension != AllFilesClass.DefaultExtension &&
                            MayTakeDefaultExtension(name) && (mode == TFileMode::Write || !Exists(name));
  if (addExtension) name += fileClass.DefaultExtension;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(name, error);
  FTargetPath = error ? name : absolute.lexically_normal().string();
  return name;
}

void TNamedFile::OpenForReading(TTagChannel& channel)
{
  auto stream = std::make_unique<TFileStream>(OpenFileForReading(FTargetPath));
  if (stream->Size() < FileBufferingThreshold()) {
    // Small files are read whole: the many small reads of a load then cost
    // nothing, and the file is free again at once.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream->Size()));
    if (stream->Read(bytes.data(), bytes.size()) != bytes.size()) channel.StreamError(stream->LastError());
    FBuffer = std::make_unique<TMemoryStream>(std::move(bytes));
    channel.SetStream(FBuffer.get(), nullptr);
  } else {
    FFile = std::move(stream);
    channel.SetStream(FFile.get(), FFile.get());
  }
}

void TNamedFile::OpenForWriting(TTagChannel& channel, std::int64_t estimatedSize)
{
  FReplacement = std::make_unique<TReplacementFile>(channel.FileName());
  FTargetPath = FReplacement->TargetPath();
  const int descriptor = FReplacement->ReleaseDescriptor();
  std::FILE* file = fdopen(descriptor, "w+b");
  if (file == nullptr) {
    const int failure = errno;
    close(descriptor);
    RaiseWriteError(channel.FileName(), failure);
  }
  FFile = std::make_unique<TFileStream>(file);
  if (estimatedSize < FileBufferingThreshold()) {
    FBuffer = std::make_unique<TMemoryStream>();
    channel.SetStream(FBuffer.get(), FFile.get());
  } else {
    channel.SetStream(FFile.get(), FFile.get());
  }
}

void TNamedFile::EnterFolder() const
{
  if (!ChangeDirectoryOnOpen()) return;
  const std::string folder = std::filesystem::path(FTargetPath).parent_path().string();
  if (!folder.empty() && chdir(folder.c_str()) != 0) {
    // Staying where we are does no harm; the file itself is open.
  }
}

void TNamedFile::Commit(const TTagChannel& channel)
{
  if (FBuffer) {
    const std::vector<std::uint8_t>& bytes = FBuffer->Bytes();
    if (!FFile->Seek(0) || !FFile->Write(bytes.data(), bytes.size())) channel.WriteError();
  }
  if (!FFile->Sync() || !FFile->CloseFile()) channel.WriteError();
  FReplacement->Commit();
  FReplacement.reset();
}

void TNamedFile::Discard()
{
  if (FFile) FFile->CloseFile();
  FReplacement.reset();
}

void TNamedFile::Release()
{
  FBuffer.reset();
  FFile.reset();
}

}  // namespace umbrinex
