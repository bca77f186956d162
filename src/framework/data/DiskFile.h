#pragma once
// Files on disk, for every part of the program that reads or writes one: the
// file errors and the broadcast they go out on, the opening of a file to be
// read, and the safe way of writing one.
//
// A file is never written in place. The bytes go to a temporary file in the
// target's folder, which is renamed over the target only when everything has
// been written and flushed to the disk; until then, and whenever the writing
// is given up, the previous file is untouched. A target that the program
// would not overwrite with a plain save (read-only, a folder, not a regular
// file, a folder that does not exist, a folder of devices) is refused before
// anything is written; so is a name that is empty or holds a NUL.

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "numerics/Errors.h"

namespace umbrinex {

// Format and input/output errors; the message is "File Error: " + the text.
class EFileError : public EExpected {
 public:
  explicit EFileError(const std::string& text) : EExpected("File Error: " + text), FText(text) {}
  // The message without its prefix.
  const std::string& Text() const { return FText; }

 private:
  std::string FText;
};

// A file that contradicts what the reader knows must be there, such as a
// Boolean that is neither 0 nor 1.
class EUnexpectedFileError : public EFileError {
 public:
  using EFileError::EFileError;
};

using TFileMessageHook = std::function<void(const std::string&)>;

// Receives the text of every file error just before it is raised. Empty by
// default: nobody listens.
void SetFileErrorBroadcast(TFileMessageHook hook);

// Broadcast the text, then raise the error. Raise file errors only through
// these, so that no listener misses one.
[[noreturn]] void RaiseFileError(const std::string& text);
[[noreturn]] void RaiseUnexpectedFileError(const std::string& text);

// The form in which every file error names its file: trimmed, lower case,
// control characters made visible.
std::string FileNameForMessage(const std::string& fileName);

// "Write error on file '%s'." followed by the system's text for errorNumber
// when it has one.
[[noreturn]] void RaiseWriteError(const std::string& fileName, int errorNumber);

// Opens a file for reading. Only a regular file is opened: a folder, a named
// pipe (whose opening would wait for a writer) or a device is refused with a
// message that names it, as is a file that does not exist.
std::FILE* OpenFileForReading(const std::string& fileName);
// The same without a message: nullptr (errno set) for anything but a
// regular file that opens.
std::FILE* TryOpenFileForReading(const std::string& fileName);

// Writes a whole file safely (below): the target changes only when every
// byte is on the disk.
void SaveTextFile(const std::string& fileName, std::string_view text);
void SaveBinaryFile(const std::string& fileName, std::string_view bytes);

// True for a folder that holds devices or the system's own files (/dev,
// /proc, /sys and below them, but not /dev/shm): no file of the program's
// belongs there.
bool IsDeviceFolder(const std::string& folder);

// A name without an extension that a default one may be added to. The name
// of a device, a pipe or a folder, or a name in a folder of devices, is
// what the user meant: it is refused by its own name rather than becoming
// a new file beside it (/dev/full must never become /dev/full.mxd).
bool MayTakeDefaultExtension(const std::string& fileName);

// Flushes standard output; raises the file error "Write error on standard
// output." (with the system's reason) when anything written to it was lost,
// as on a full disk.
void FlushStandardOutput();

// Raises the error that a save of fileName would meet before writing
// anything (the target refused, its folder missing or closed to us), so
// that a long calculation is not made for a file that cannot be written.
void CheckWritableTarget(const std::string& fileName);

// The temporary file that replaces a target once it is complete.
class TReplacementFile {
 public:
  // Refuses a target that cannot be replaced and creates the temporary file
  // beside it, with the permissions of the file it replaces. A link is
  // followed: the file it points to is the one replaced.
  explicit TReplacementFile(const std::string& fileName);
  // Gives the temporary file up unless Commit has run.
  ~TReplacementFile();
  TReplacementFile(const TReplacementFile&) = delete;
  TReplacementFile& operator=(const TReplacementFile&) = delete;

  // Where to write: the temporary file.
  const std::string& Path() const { return FTemporary; }
  // The file that is replaced, absolute.
  const std::string& TargetPath() const { return FTarget; }
  // The open temporary file; from now on the caller closes it.
  int ReleaseDescriptor();
  // Appends the bytes to the temporary file; raises the write error (the
  // target untouched) when the disk takes fewer.
  void Write(std::string_view bytes);
  // Flushes the temporary file to the disk and renames it over the target.
  // The caller has closed the descriptor, or leaves it to this.
  void Commit();
  // Removes the temporary file; nothing of the target changes.
  void Discard() noexcept;

 private:
  std::string FName;  // as given, for messages
  std::string FTarget;
  std::string FTemporary;
  int FDescriptor = -1;
};

}  // namespace umbrinex
