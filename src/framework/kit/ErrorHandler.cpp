#include "framework/kit/ErrorHandler.h"

#include <cstdio>
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
  std::string message;
  try {
    std::rethrow_exception(error);
  } catch (const ESilentAbort&) {
    return;
  } catch (const EExpected& e) {
    message = e.what();
  } catch (const std::exception& e) {
    message = e.what();
    LogUnexpected(std::string(typeid(e).name()) + ": " + message);
  } catch (...) {
    message = "Unknown error";
    LogUnexpected(message);
  }
  try {
    ShowError(ErrorMessageText(message));
  } catch (const ESilentAbort&) {
    // Nothing to abort: the error has been seen.
  }
}

void HandleCurrentException()
{
  HandleException(std::current_exception());
}

}  // namespace umbrinex
