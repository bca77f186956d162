#pragma once
// The byte streams a tagged file reads and writes: memory (in-memory copies
// of model objects, and small files loaded whole) and files on disk. Errors
// are reported by return values; the tagged file turns them into messages
// that name its file.

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace umbrinex {

class TStream {
 public:
  virtual ~TStream() = default;
  // Fewer bytes than asked for at the end of the data or on a read error.
  virtual std::size_t Read(void* p, std::size_t n) = 0;
  // False when not every byte was written.
  virtual bool Write(const void* p, std::size_t n) = 0;
  virtual std::int64_t Position() const = 0;
  virtual bool Seek(std::int64_t position) = 0;
  virtual std::int64_t Size() const = 0;
  // Cuts the data to size bytes and moves there.
  virtual bool Truncate(std::int64_t size) = 0;
};

class TMemoryStream final : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<std::uint8_t> bytes) : FBytes(std::move(bytes)) {}

  const std::vector<std::uint8_t>& Bytes() const { return FBytes; }
  // Hands the bytes over without copying; the stream is left empty.
  std::vector<std::uint8_t> TakeBytes();

  std::size_t Read(void* p, std::size_t n) override;
  bool Write(const void* p, std::size_t n) override;
  std::int64_t Position() const override { return static_cast<std::int64_t>(FPosition); }
  bool Seek(std::int64_t position) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(FBytes.size()); }
  bool Truncate(std::int64_t size) override;

 private:
  std::vector<std::uint8_t> FBytes;
  std::size_t FPosition = 0;
};

// A file opened by the caller; the stream owns it from then on.
class TFileStream final : public TStream {
 public:
  explicit TFileStream(std::FILE* file);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::size_t Read(void* p, std::size_t n) override;
  bool Write(const void* p, std::size_t n) override;
  std::int64_t Position() const override;
  bool Seek(std::int64_t position) override;
  std::int64_t Size() const override { return FSize; }
  bool Truncate(std::int64_t size) override;

  int Descriptor() const;
  // Pushes everything to the disk, not only to the system's cache, so that
  // a file renamed into place afterwards is complete.
  bool Sync();
  // Closes the file; false when its last writes failed.
  bool CloseFile();
  // The system's text for the last failure, and its number (0 for none).
  std::string LastError() const;
  int LastErrorNumber() const { return FErrno; }

 private:
  enum class TLastOperation { None, Read, Write };
  void SwitchTo(TLastOperation operation);

  std::FILE* FFile;
  std::int64_t FSize = 0;
  TLastOperation FLast = TLastOperation::None;
  int FErrno = 0;
};

}  // namespace umbrinex
