#pragma once
// Errors of reading and writing data files, and the broadcast every file
// error goes out on before it is raised (a diagnostics log or an error list
// can listen).

#include <functional>
#include <string>

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

// Warnings of the file layer go through the program's message service.
void ShowFileWarning(const std::string& text);

// Broadcast the text, then raise the error. Raise file errors only through
// these, so that no listener misses one.
[[noreturn]] void RaiseFileError(const std::string& text);
[[noreturn]] void RaiseUnexpectedFileError(const std::string& text);

// The form in which every file error names its file: trimmed, lower case.
std::string FileNameForMessage(const std::string& fileName);

}  // namespace umbrinex
