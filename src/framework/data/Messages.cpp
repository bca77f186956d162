#include "framework/data/Messages.h"

#include <cstdio>

#include "framework/data/TextUtils.h"
#include "numerics/Errors.h"

namespace umbrinex {

namespace {

class TStandardErrorPresenter : public IMessagePresenter {
 public:
  int Present(const TMessageRequest& request) override
  {
    // Messages quote texts of files and of the command line; a terminal
    // shows their control characters rather than obeying them.
    std::fprintf(stderr, "%s\n", VisibleText(request.Text, true).c_str());
    switch (request.Type) {
      case TMessageType::Question: return maYes;
      case TMessageType::Choice: return request.DefaultButton;
      default: return maOk;
    }
  }
};

TStandardErrorPresenter standardErrorPresenter;
IMessagePresenter* presenter = &standardErrorPresenter;
int quietCount = 0;
int busyCount = 0;
void (*busyChangedHook)(bool) = nullptr;

bool StartsWithText(const std::string& text, const char* word)
{
  const std::string w(word);
  return text.size() >= w.size() && SameText(text.substr(0, w.size()), w);
}

// Shows a request unless quiet mode suppresses it; Cancel ends the operation.
int Present(TMessageRequest request, bool showAlways, int suppressedAnswer)
{
  if (request.Text.empty()) return suppressedAnswer;
  if (quietCount > 0 && !showAlways) return suppressedAnswer;
  const int answer = presenter->Present(request);
  if (answer == maCancel && request.Type != TMessageType::Choice) throw ESilentAbort();
  return answer;
}

TMessageRequest Request(TMessageType type, std::string text, bool withCancel = false)
{
  TMessageRequest r;
  r.Type = type;
  r.Text = std::move(text);
  r.WithCancel = withCancel;
  return r;
}

}  // namespace

IMessagePresenter* SetMessagePresenter(IMessagePresenter* newPresenter)
{
  IMessagePresenter* previous = presenter == &standardErrorPresenter ? nullptr : presenter;
  presenter = newPresenter ? newPresenter : &standardErrorPresenter;
  return previous;
}

int TMessageRecorder::Present(const TMessageRequest& request)
{
  FTexts.push_back(request.Text);
  if (request.Type == TMessageType::Choice) return request.DefaultButton;
  return request.Type == TMessageType::Question ? FAnswer : maOk;
}

void ShowInformation(const std::string& text, bool withCancel, bool showAlways)
{
  Present(Request(TMessageType::Information, text, withCancel), showAlways, maOk);
}

void ShowWarning(const std::string& text, bool showAlways)
{
  const std::string shown = (text.empty() || StartsWithText(text, "warning")) ? text : "WARNING.  " + text;
  Present(Request(TMessageType::Warning, shown), showAlways, maOk);
}

void ShowError(const std::string& text, bool showAlways)
{
  const std::string shown = (text.empty() || StartsWithText(text, "error")) ? text : "ERROR.  " + text;
  Present(Request(TMessageType::Error, shown), showAlways, maOk);
}

bool AskQuestion(const std::string& text, bool withCancel, bool showAlways)
{
  return Present(Request(TMessageType::Question, text, withCancel), showAlways, maYes) == maYes;
}

int AskChoice(const std::string& text, const std::vector<std::string>& buttons, int defaultButton, bool withCancel,
              bool showAlways)
{
  TMessageRequest r = Request(TMessageType::Choice, text, withCancel);
  r.Buttons = buttons;
  r.DefaultButton = defaultButton;
  return Present(std::move(r), showAlways, defaultButton);
}

int QuietModeCount() { return quietCount; }
TQuietMode::TQuietMode() { ++quietCount; }
TQuietMode::~TQuietMode() { --quietCount; }

int BusyCount() { return busyCount; }
void SetBusyChangedHook(void (*hook)(bool)) { busyChangedHook = hook; }
TBusy::TBusy()
{
  if (++busyCount == 1 && busyChangedHook) busyChangedHook(true);
}
TBusy::~TBusy()
{
  if (--busyCount == 0 && busyChangedHook) busyChangedHook(false);
}

}  // namespace umbrinex
