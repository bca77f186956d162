#include "persistence/FileErrors.h"

#include <utility>

#include "framework/data/Messages.h"
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
}  // namespace

void SetFileErrorBroadcast(TFileMessageHook hook)
{
  ErrorBroadcast() = std::move(hook);
}
void ShowFileWarning(const std::string& text) { ShowWarning(text); }

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
  return LowerCase(Trim(fileName));
}

}  // namespace umbrinex
