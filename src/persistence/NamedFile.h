#pragma once
// A named file behind a tagged file: found by its name, read whole into
// memory or written through memory when small, and never written in place.
// The bytes go to a temporary file in the same folder, which replaces the
// target only when Commit has written and flushed everything. Until then,
// and whenever the file is discarded instead, the previous file is untouched.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/data/FileClass.h"
#include "persistence/FileErrors.h"
#include "persistence/Stream.h"
#include "persistence/TagChannel.h"

namespace umbrinex {

// Files below this size are read whole into memory and written through a
// memory buffer: the smaller of the memory available and the limit, which is
// 8 MiB unless set otherwise.
std::int64_t FileBufferingThreshold();
void SetFileBufferingLimit(std::int64_t bytes);

// Whether opening a named file makes its folder the current directory. Off:
// changing it would break the relative names given on a command line.
void SetChangeDirectoryOnOpen(bool on);
bool ChangeDirectoryOnOpen();

class TNamedFile {
 public:
  // The name to open. The class's default extension is added to a name
  // without one when writing, or when reading and no file of that name
  // exists, but not to the name of a device, pipe or folder, or of a file in
  // a folder of devices. An exact name is used as given, not even trimmed.
  std::string Locate(const std::string& fileName, const TFileClass& fileClass, TFileNaming naming, TFileMode mode);
  // Absolute; what a written file replaces at Commit.
  const std::string& TargetPath() const { return FTargetPath; }

  // Both give the channel its stream.
  void OpenForReading(TTagChannel& channel);
  void OpenForWriting(TTagChannel& channel, std::int64_t estimatedSize);
  // Makes the file's folder the current directory when that is switched on.
  void EnterFolder() const;

  bool IsBeingWritten() const { return FReplacement != nullptr; }
  // The written file replaces its target.
  void Commit(const TTagChannel& channel);
  // The temporary file goes; the target stays as it was.
  void Discard();
  void Release();

 private:
  std::string FTargetPath;
  std::unique_ptr<TReplacementFile> FReplacement;  // the file being written until Commit
  std::unique_ptr<TMemoryStream> FBuffer;          // a named file held in memory
  std::unique_ptr<TFileStream> FFile;              // the file behind the buffer, or the stream itself
};

}  // namespace umbrinex
