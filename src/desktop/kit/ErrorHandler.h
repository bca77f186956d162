#pragma once
// The program-wide error handler: every error that reaches the event loop
// (or a command's outer frame) ends here, is shown as an error message and
// goes no further. Errors the program expects are reported to the user and
// nothing else; any other is also logged, since it points at a fault.

#include <exception>
#include <functional>
#include <string>

namespace umbrinex {

// The text shown for an error's message: a full stop is added when the last
// character sorts after "." (a letter or a digit, say, but not "!" or ")").
std::string ErrorMessageText(const std::string& message);

// The silent abort is ignored; everything else is shown.
void HandleException(std::exception_ptr error);
void HandleCurrentException();
// An error of the command line (a switch, the file named on it): also
// written on standard error, as the batch program writes its errors.
void HandleCommandLineException(std::exception_ptr error);

// Where unexpected errors are logged: standard error unless replaced.
// Returns the previous log (empty for standard error).
using TErrorLog = std::function<void(const std::string&)>;
TErrorLog SetUnexpectedErrorLog(TErrorLog log);

// Runs a command, handing anything it raises to the handler; Qt must never
// see an exception unwind through its own frames.
template <class F>
void Guarded(F&& command)
{
  try {
    command();
  } catch (...) {
    HandleCurrentException();
  }
}

}  // namespace umbrinex
