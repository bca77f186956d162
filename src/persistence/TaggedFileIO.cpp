// Opening, committing and abandoning named files, and the program-wide
// settings that govern it.

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
#include "persistence/TaggedFile.h"

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

void TTaggedFile::OpenFile(const std::string& fileName, const TFileClass& fileClass, TFileNaming naming)
{
  if (FOpen) Close();
  std::string name = naming == TFileNaming::Exact ? fileName : Trim(fileName);
  const bool addExtension = naming == TFileNaming::AddExtension &&
                            fileClass.DefaultExtension != AllFilesClass.DefaultExtension &&
                            MayTakeDefaultExtension(name) && (FMode == TFileMode::Write || !Exists(name));
  if (addExtension) name += fileClass.DefaultExtension;
  FFileName = name;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(name, error);
  FTargetPath = error ? name : absolute.lexically_normal().string();
  FOpen = true;
  try {
    if (FMode == TFileMode::Read)
      OpenForReading();
    else
      OpenForWriting();
    if (ChangeDirectoryOnOpen()) {
      const std::string folder = std::filesystem::path(FTargetPath).parent_path().string();
      if (!folder.empty() && chdir(folder.c_str()) != 0) {
        // Staying where we are does no harm; the file itself is open.
      }
    }
    ProcessHeader(fileClass);
  } catch (...) {
    Abandon();
    throw;
  }
}

void TTaggedFile::OpenForReading()
{
  auto stream = std::make_unique<TFileStream>(OpenFileForReading(FTargetPath));
  if (stream->Size() < FileBufferingThreshold()) {
    // Small files are read whole: the many small reads of a load then cost
    // nothing, and the file is free again at once.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream->Size()));
    if (stream->Read(bytes.data(), bytes.size()) != bytes.size()) StreamError(stream->LastError());
    FBuffer = std::make_unique<TMemoryStream>(std::move(bytes));
    FStream = FBuffer.get();
  } else {
    FFile = std::move(stream);
    FStream = FFile.get();
  }
}

void TTaggedFile::OpenForWriting()
{
  FReplacement = std::make_unique<TReplacementFile>(FFileName);
  FTargetPath = FReplacement->TargetPath();
  const int descriptor = FReplacement->ReleaseDescriptor();
  std::FILE* file = fdopen(descriptor, "w+b");
  if (file == nullptr) {
    const int failure = errno;
    close(descriptor);
    RaiseWriteError(FFileName, failure);
  }
  FFile = std::make_unique<TFileStream>(file);
  if (EstimatedSize() < FileBufferingThreshold()) {
    FBuffer = std::make_unique<TMemoryStream>();
    FStream = FBuffer.get();
  } else {
    FStream = FFile.get();
  }
}

void TTaggedFile::Close()
{
  if (!FOpen) return;
  if (FMode == TFileMode::Write && FReplacement) CommitFile();
  Release();
  if (FCompared) AppendCheckLog();
}

void TTaggedFile::CommitFile()
{
  try {
    if (FBuffer) {
      const std::vector<std::uint8_t>& bytes = FBuffer->Bytes();
      if (!FFile->Seek(0) || !FFile->Write(bytes.data(), bytes.size())) WriteError();
    }
    if (!FFile->Sync() || !FFile->CloseFile()) WriteError();
    FReplacement->Commit();
    FReplacement.reset();
  } catch (...) {
    Abandon();
    throw;
  }
}

void TTaggedFile::Abandon()
{
  if (FFile) FFile->CloseFile();
  FReplacement.reset();
  Release();
  // A comparison that failed half-way still leaves what it found; this is a
  // clean-up path, so a log that cannot be written is let go.
  if (FCompared) {
    try {
      AppendCheckLog();
    } catch (...) {
    }
  }
}

void TTaggedFile::Release()
{
  FStream = nullptr;
  FBuffer.reset();
  FFile.reset();
  FOpen = false;
  FTagOpen = false;
  FRecords.Clear();
  FExtent = {};
  FRemaining = 0;
  FTagEnd = 0;
}

}  // namespace umbrinex
