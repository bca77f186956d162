#pragma once
// The stream a tagged file reads or writes, and its byte level: every byte
// written or read passes here, and so does every error about the stream.

#include <cstddef>
#include <cstdint>
#include <string>

#include "persistence/LittleEndian.h"
#include "persistence/Stream.h"
#include "persistence/TagLayout.h"

namespace umbrinex {

class TTagChannel {
 public:
  explicit TTagChannel(TFileMode mode) : FMode(mode) {}

  TFileMode Mode() const { return FMode; }
  bool IsOpen() const { return FOpen; }
  // As opened; empty for a stream.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& name) { FFileName = name; }
  void MarkOpen() { FOpen = true; }
  // The stream from now on; file, when the bytes end up in a file, is asked
  // for the system's error number when a write fails.
  void SetStream(TStream* stream, const TFileStream* file);
  TStream& Stream() const { return *FStream; }
  void Release();

  void RequireOpen(TFileMode mode) const;
  // Writes at the current position.
  void Put(const void* p, std::size_t n);
  template <typename U>
  void PutLE(U v)
  {
    std::uint8_t bytes[sizeof(U)];
    EncodeLE(v, bytes);
    Put(bytes, sizeof(U));
  }
  // Reads raw bytes that the stream must deliver.
  void Fetch(void* p, std::size_t n);
  void MoveTo(std::int64_t position);
  std::int64_t Position() const { return FStream == nullptr ? 0 : FStream->Position(); }
  std::int64_t Size() const { return FStream->Size(); }

  [[noreturn]] void Corrupt() const;
  [[noreturn]] void WriteError() const;
  [[noreturn]] void StreamError(const std::string& systemText) const;

 private:
  const TFileMode FMode;
  bool FOpen = false;
  std::string FFileName;
  TStream* FStream = nullptr;
  const TFileStream* FFile = nullptr;
};

}  // namespace umbrinex
