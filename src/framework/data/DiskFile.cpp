#include "framework/data/DiskFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <utility>

#include "framework/data/TextUtils.h"

namespace umbrinex {

namespace {

TFileMessageHook& ErrorBroadcast()
{
  static TFileMessageHook hook;
  return hook;
}

void Broadcast(const std::string& text)
{
  if (ErrorBroadcast()) ErrorBroadcast()(text);
}

[[noreturn]] void Raise(const char* format, const std::string& fileName)
{
  RaiseFileError(Format(format, FileNameForMessage(fileName).c_str()));
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

// A name that the system would read as another, shorter one, or as none.
void CheckFileName(const std::string& fileName)
{
  if (fileName.empty()) RaiseFileError("No file name was given.");
  if (fileName.find('\0') != std::string::npos) Raise("File name '%s' holds a NUL character.", fileName);
}

// A target that a save must not replace.
void CheckReplaceable(const std::string& fileName, const std::string& target, bool& exists, mode_t& mode)
{
  struct stat info {};
  exists = stat(target.c_str(), &info) == 0;
  if (!exists) return;
  if (S_ISDIR(info.st_mode)) Raise("File '%s' is a folder.", fileName);
  if (!S_ISREG(info.st_mode)) Raise("File '%s' is not a regular file.", fileName);
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) Raise("File '%s' is read-only.", fileName);
  if (access(target.c_str(), W_OK) != 0) Raise("Access to file '%s' was denied.", fileName);
  mode = info.st_mode & 07777;
}

}  // namespace

void SetFileErrorBroadcast(TFileMessageHook hook)
{
  ErrorBroadcast() = std::move(hook);
}

void RaiseFileError(const std::string& text)
{
  Broadcast(text);
  throw EFileError(text);
}

void RaiseUnexpectedFileError(const std::string& text)
{
  Broadcast(text);
  throw EUnexpectedFileError(text);
}

std::string FileNameForMessage(const std::string& fileName)
{
  return VisibleText(LowerCase(Trim(fileName)));
}

void RaiseWriteError(const std::string& fileName, int errorNumber)
{
  std::string text = Format("Write error on file '%s'.", FileNameForMessage(fileName).c_str());
  if (errorNumber != 0) text += "  " + Trim(std::strerror(errorNumber)) + ".";
  RaiseFileError(text);
}

std::FILE* TryOpenFileForReading(const std::string& fileName)
{
  if (fileName.find('\0') != std::string::npos) {
    errno = EINVAL;
    return nullptr;
  }
  struct stat info {};
  if (stat(fileName.c_str(), &info) != 0) return nullptr;
  if (!S_ISREG(info.st_mode)) {
    errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    return nullptr;
  }
  // Without waiting, and checked again once open: the name may have come to
  // stand for a named pipe in the meantime.
  const int descriptor = open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (descriptor < 0) return nullptr;
  const int flags = fcntl(descriptor, F_GETFL);
  std::FILE* file = nullptr;
  if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))
    errno = EINVAL;
  else if (flags >= 0 && fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == 0)
    file = fdopen(descriptor, "rb");
  if (file == nullptr) {
    const int error = errno;
    close(descriptor);
    errno = error;
  }
  return file;
}

std::FILE* OpenFileForReading(const std::string& fileName)
{
  CheckFileName(fileName);
  struct stat info {};
  if (stat(fileName.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) Raise("File '%s' is a folder.", fileName);
    if (!S_ISREG(info.st_mode)) Raise("File '%s' is not a regular file.", fileName);
  }
  std::FILE* file = TryOpenFileForReading(fileName);
  if (file != nullptr) return file;
  const int error = errno;
  if (error == ENOENT || error == ENOTDIR) Raise("File '%s' does not exist.", fileName);
  if (error == EINVAL || error == EISDIR) Raise("File '%s' is not a regular file.", fileName);
  RaiseFileError("File error.  " + Trim(std::strerror(error)));
}

// ---- TReplacementFile ----

namespace {

[[noreturn]] void RaiseMissingFolder(const std::string& fileName, const std::filesystem::path& folder)
{
  RaiseFileError(Format("Cannot create file '%s': folder '%s' does not exist.", FileNameForMessage(fileName).c_str(),
                        FileNameForMessage(folder.string()).c_str()));
}

// The file a save of fileName replaces, absolute, with the link it may be
// followed; raises the error of a target that must not be replaced.
std::filesystem::path CheckedTarget(const std::string& fileName, bool& exists, mode_t& mode)
{
  namespace fs = std::filesystem;
  CheckFileName(fileName);
  std::error_code error;
  const fs::path absolute = fs::absolute(fileName, error);
  fs::path target = error ? fs::path(fileName) : absolute.lexically_normal();
  if (fs::is_symlink(target, error)) {
    const fs::path resolved = fs::weakly_canonical(target, error);
    if (!error) target = resolved;
  }
  CheckReplaceable(fileName, target.string(), exists, mode);
  const fs::path folder = target.parent_path();
  if (IsDeviceFolder(folder.string()))
    RaiseFileError(Format("Cannot create file '%s' in the device folder '%s'.", FileNameForMessage(fileName).c_str(),
                          FileNameForMessage(folder.string()).c_str()));
  return target;
}

}  // namespace

void CheckWritableTarget(const std::string& fileName)
{
  bool exists = false;
  mode_t mode = 0;
  const std::filesystem::path folder = CheckedTarget(fileName, exists, mode).parent_path();
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) RaiseMissingFolder(fileName, folder);
  if (access(folder.c_str(), W_OK) != 0) Raise("Access to file '%s' was denied.", fileName);
}

TReplacementFile::TReplacementFile(const std::string& fileName) : FName(fileName)
{
  bool exists = false;
  mode_t mode = 0;
  const std::filesystem::path target = CheckedTarget(fileName, exists, mode);
  FTarget = target.string();
  const std::filesystem::path folder = target.parent_path();
  std::string temporary = (folder / Format(".%s.XXXXXX", target.filename().c_str())).string();
  FDescriptor = mkostemp(temporary.data(), O_CLOEXEC);
  if (FDescriptor < 0) {
    const int failure = errno;
    if (failure == ENOENT || failure == ENOTDIR) RaiseMissingFolder(fileName, folder);
    if (failure == EACCES || failure == EPERM || failure == EROFS) Raise("Access to file '%s' was denied.", fileName);
    RaiseWriteError(fileName, failure);
  }
  FTemporary = temporary;
  // The replacement keeps the permissions of the file it replaces.
  fchmod(FDescriptor, exists ? mode : NewFileMode());
}

TReplacementFile::~TReplacementFile()
{
  Discard();
}

int TReplacementFile::ReleaseDescriptor()
{
  return std::exchange(FDescriptor, -1);
}

void TReplacementFile::Write(std::string_view bytes)
{
  if (FDescriptor < 0) RaiseWriteError(FName, EBADF);
  while (!bytes.empty()) {
    const ssize_t written = ::write(FDescriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    // A write that takes nothing without an error would loop for ever.
    if (written <= 0) RaiseWriteError(FName, written < 0 ? errno : ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

void TReplacementFile::Commit()
{
  int failure = 0;
  if (FDescriptor >= 0) {
    if (fsync(FDescriptor) != 0) failure = errno;
    if (close(std::exchange(FDescriptor, -1)) != 0 && failure == 0) failure = errno;
  } else {
    // Written through the path by someone else, who has closed it.
    const int descriptor = open(FTemporary.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0 || fsync(descriptor) != 0) failure = errno;
    if (descriptor >= 0) close(descriptor);
  }
  if (failure == 0 && std::rename(FTemporary.c_str(), FTarget.c_str()) != 0) failure = errno;
  if (failure != 0) {
    Discard();
    RaiseWriteError(FName, failure);
  }
  FTemporary.clear();
  // The new name is on the disk only once its folder is: best effort, since
  // the file itself is complete and in place.
  const std::string folder = std::filesystem::path(FTarget).parent_path().string();
  const int directory = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory >= 0) {
    fsync(directory);
    close(directory);
  }
}

void TReplacementFile::Discard() noexcept
{
  if (FDescriptor >= 0) close(std::exchange(FDescriptor, -1));
  if (!FTemporary.empty()) {
    std::remove(FTemporary.c_str());
    FTemporary.clear();
  }
}

void SaveBinaryFile(const std::string& fileName, std::string_view bytes)
{
  TReplacementFile file(fileName);
  file.Write(bytes);
  file.Commit();
}

void SaveTextFile(const std::string& fileName, std::string_view text)
{
  SaveBinaryFile(fileName, text);
}

bool IsDeviceFolder(const std::string& folder)
{
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(folder.empty() ? "." : folder, error);
  const std::string path = (error ? std::filesystem::path(folder) : resolved).lexically_normal().string();
  const auto within = [&path](std::string_view root) {
    return path == root ||
           (path.size() > root.size() && path.compare(0, root.size(), root) == 0 && path[root.size()] == '/');
  };
  // Shared memory under /dev is an ordinary file system.
  if (within("/dev/shm")) return false;
  return within("/dev") || within("/proc") || within("/sys");
}

bool MayTakeDefaultExtension(const std::string& fileName)
{
  const std::filesystem::path path(fileName);
  if (fileName.empty() || path.has_extension()) return false;
  struct stat info {};
  if (stat(fileName.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return false;
  return !IsDeviceFolder(path.parent_path().string());
}

void FlushStandardOutput()
{
  // The standard streams write through C's standard output, whose own
  // flush keeps the system's reason.
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int failure = errno;
  std::cout.flush();
  if (flushed && !std::ferror(stdout) && std::cout.good()) return;
  std::string text = "Write error on standard output.";
  if (failure != 0) text += "  " + Trim(std::strerror(failure)) + ".";
  RaiseFileError(text);
}

}  // namespace umbrinex
