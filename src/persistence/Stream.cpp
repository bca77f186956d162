#include "persistence/Stream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace umbrinex {

// ---- TMemoryStream ----

std::vector<std::uint8_t> TMemoryStream::TakeBytes()
{
  std::vector<std::uint8_t> bytes = std::move(FBytes);
  FBytes.clear();
  FPosition = 0;
  return bytes;
}

std::size_t TMemoryStream::Read(void* p, std::size_t n)
{
  if (FPosition >= FBytes.size()) return 0;
  n = std::min(n, FBytes.size() - FPosition);
  if (n != 0) std::memcpy(p, FBytes.data() + FPosition, n);
  FPosition += n;
  return n;
}

bool TMemoryStream::Write(const void* p, std::size_t n)
{
  if (n == 0) return true;
  if (FBytes.size() < FPosition + n) FBytes.resize(FPosition + n);
  std::memcpy(FBytes.data() + FPosition, p, n);
  FPosition += n;
  return true;
}

bool TMemoryStream::Seek(std::int64_t position)
{
  if (position < 0) return false;
  FPosition = static_cast<std::size_t>(position);
  return true;
}

bool TMemoryStream::Truncate(std::int64_t size)
{
  if (size < 0) return false;
  if (static_cast<std::size_t>(size) < FBytes.size()) FBytes.resize(static_cast<std::size_t>(size));
  FPosition = static_cast<std::size_t>(size);
  return true;
}

// ---- TFileStream ----

TFileStream::TFileStream(std::FILE* file) : FFile(file)
{
  struct stat info {};
  if (fstat(fileno(FFile), &info) == 0) FSize = info.st_size;
}

TFileStream::~TFileStream()
{
  CloseFile();
}

void TFileStream::SwitchTo(TLastOperation operation)
{
  // The C library wants a positioning call between reading and writing.
  if (FLast != TLastOperation::None && FLast != operation) fseeko(FFile, 0, SEEK_CUR);
  FLast = operation;
}

std::size_t TFileStream::Read(void* p, std::size_t n)
{
  if (FFile == nullptr) return 0;
  SwitchTo(TLastOperation::Read);
  const std::size_t read = std::fread(p, 1, n, FFile);
  if (read < n && std::ferror(FFile)) FErrno = errno;
  return read;
}

bool TFileStream::Write(const void* p, std::size_t n)
{
  if (FFile == nullptr) return false;
  SwitchTo(TLastOperation::Write);
  const std::size_t written = std::fwrite(p, 1, n, FFile);
  if (written < n) {
    FErrno = errno;
    return false;
  }
  FSize = std::max(FSize, Position());
  return true;
}

std::int64_t TFileStream::Position() const
{
  return FFile == nullptr ? 0 : ftello(FFile);
}

bool TFileStream::Seek(std::int64_t position)
{
  if (FFile == nullptr || fseeko(FFile, position, SEEK_SET) != 0) {
    FErrno = errno;
    return false;
  }
  FLast = TLastOperation::None;
  return true;
}

bool TFileStream::Truncate(std::int64_t size)
{
  if (FFile == nullptr || std::fflush(FFile) != 0 || ftruncate(fileno(FFile), size) != 0) {
    FErrno = errno;
    return false;
  }
  FSize = size;
  return Seek(size);
}

int TFileStream::Descriptor() const
{
  return FFile == nullptr ? -1 : fileno(FFile);
}

bool TFileStream::Sync()
{
  if (FFile == nullptr || std::fflush(FFile) != 0 || fsync(fileno(FFile)) != 0) {
    FErrno = errno;
    return false;
  }
  return true;
}

bool TFileStream::CloseFile()
{
  if (FFile == nullptr) return true;
  const bool closed = std::fclose(FFile) == 0;
  if (!closed) FErrno = errno;
  FFile = nullptr;
  return closed;
}

std::string TFileStream::LastError() const
{
  return FErrno == 0 ? std::string() : std::strerror(FErrno);
}

}  // namespace umbrinex
