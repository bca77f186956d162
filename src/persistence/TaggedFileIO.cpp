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

// The permissions a newly created file would get.
mode_t NewFileMode()
{
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    unsigned int mask = 0;
    if (std::sscanf(line.c_str(), "Umask: %o", &mask) == 1) return 0666 & ~static_cast<mode_t>(mask);
  }
  return 0644;
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

void TTaggedFile::OpenFile(const std::string& fileName, const TFileClass& fileClass)
{
  if (FOpen) Close();
  std::string name = Trim(fileName);
  const bool addExtension = fileClass.DefaultExtension != AllFilesClass.DefaultExtension &&
                            !std::filesystem::path(name).has_extension() &&
                            (FMode == TFileMode::Write || !Exists(name));
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
  std::FILE* file = std::fopen(FTargetPath.c_str(), "rbe");
  if (file == nullptr) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR)
      RaiseFileError(Format("File '%s' does not exist.", FileNameForMessage(FFileName).c_str()));
    StreamError(std::strerror(error));
  }
  auto stream = std::make_unique<TFileStream>(file);
  struct stat info {};
  if (fstat(stream->Descriptor(), &info) != 0) StreamError(std::strerror(errno));
  if (S_ISDIR(info.st_mode)) StreamError(std::strerror(EISDIR));
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
  const std::string shownName = FileNameForMessage(FFileName);
  std::filesystem::path target(FTargetPath);
  // A link stays a link: the file it points to is the one replaced.
  std::error_code error;
  if (std::filesystem::is_symlink(target, error)) {
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
    if (!error) target = resolved;
  }
  // The file is never opened itself, so refuse here what opening it would.
  struct stat info {};
  const bool exists = stat(target.c_str(), &info) == 0;
  if (exists) {
    if (S_ISDIR(info.st_mode)) RaiseFileError(Format("Access to file '%s' was denied.", shownName.c_str()));
    if (!S_ISREG(info.st_mode)) RaiseFileError(Format("File '%s' is a system file.", shownName.c_str()));
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
      RaiseFileError(Format("File '%s' is read-only.", shownName.c_str()));
    if (access(target.c_str(), W_OK) != 0) RaiseFileError(Format("Access to file '%s' was denied.", shownName.c_str()));
  }
  FTargetPath = target.string();

  std::string temporary = (target.parent_path() / Format(".%s.XXXXXX", target.filename().c_str())).string();
  const int descriptor = mkostemp(temporary.data(), O_CLOEXEC);
  if (descriptor < 0) {
    const int failure = errno;
    if (failure == EACCES || failure == EPERM || failure == EROFS || failure == ENOENT || failure == ENOTDIR)
      RaiseFileError(Format("Access to file '%s' was denied.", shownName.c_str()));
    StreamError(std::strerror(failure));
  }
  FTempPath = temporary;
  // The replacement keeps the permissions of the file it replaces.
  fchmod(descriptor, exists ? (info.st_mode & 07777) : NewFileMode());
  std::FILE* file = fdopen(descriptor, "w+b");
  if (file == nullptr) {
    const int failure = errno;
    close(descriptor);
    StreamError(std::strerror(failure));
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
  if (FMode == TFileMode::Write && FFile) CommitFile();
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
    if (std::rename(FTempPath.c_str(), FTargetPath.c_str()) != 0) WriteError();
    FTempPath.clear();
  } catch (...) {
    Abandon();
    throw;
  }
}

void TTaggedFile::Abandon()
{
  if (FFile) FFile->CloseFile();
  if (!FTempPath.empty()) {
    std::remove(FTempPath.c_str());
    FTempPath.clear();
  }
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
