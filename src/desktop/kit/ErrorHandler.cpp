#include "desktop/kit/ErrorHandler.h"

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <typeinfo>

#include "framework/data/Messages.h"
#include "framework/data/TextUtils.h"
#include "numerics/Errors.h"

namespace umbrinex {

namespace {

TErrorLog& Log()
{
  static TErrorLog log;
  return log;
}

void LogUnexpected(const std::string& text)
{
  if (Log())
    Log()(text);
  else
    std::fprintf(stderr, "Unexpected error: %s\n", VisibleText(text, true).c_str());
}

// The type of an error from outside the program, as its source names it.
std::string TypeName(const std::type_info& type)
{
  int status = 0;
  const std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                    std::free);
  return status == 0 && name ? std::string(name.get()) : std::string(type.name());
}

// The message the user is shown, or none for the silent abort. An error of
// the program's own that it did not expect is logged by its message (which
// says what went wrong); any other error also by its type.
std::optional<std::string> MessageOf(std::exception_ptr error)
{
  try {
    std::rethrow_exception(error);
  } catch (const ESilentAbort&) {
    return std::nullopt;
  } catch (const EExpected& e) {
    return e.what();
  } catch (const EUmbrinexError& e) {
    LogUnexpected(e.what());
    return e.what();
  } catch (const std::exception& e) {
    LogUnexpected(TypeName(typeid(e)) + ": " + e.what());
    return e.what();
  } catch (...) {
    LogUnexpected("Unknown error");
    return "Unknown error";
  }
}

void Show(const std::string& message)
{
  try {
    ShowError(ErrorMessageText(message));
  } catch (const ESilentAbort&) {
    // Nothing to abort: the error has been seen.
  }
}

}  // namespace

std::string ErrorMessageText(const std::string& message)
{
  if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
    return message + ".";
  return message;
}

TErrorLog SetUnexpectedErrorLog(TErrorLog log)
{
  TErrorLog previous = std::move(Log());
  Log() = std::move(log);
  return previous;
}

void HandleException(std::exception_ptr error)
{
  if (const std::optional<std::string> message = MessageOf(error)) Show(*message);
}

void HandleCommandLineException(std::exception_ptr error)
{
  const std::optional<std::string> message = MessageOf(error);
  if (!message) return;
  // Whoever started the program from a shell or a script hears of it too.
  std::fprintf(stderr, "%s\n", VisibleText(ErrorMessageText(*message), true).c_str());
  std::fflush(stderr);
  Show(*message);
}

void HandleCurrentException()
{
  HandleException(std::current_exception());
}

}  // namespace umbrinex
