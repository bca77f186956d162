#pragma once
// The program's modal messages. Every message goes through these functions,
// which apply the program-wide rules (prefixes, quiet mode, Cancel as the
// silent abort, empty texts never shown) and hand the result to a presenter:
// message boxes in the desktop program, standard error in the batch program,
// a recorder in the tests.

#include <string>
#include <vector>

namespace umbrinex {

enum class TMessageType { Information, Warning, Error, Question, Choice };

// Answers a presenter gives. Choices answer the chosen button's index.
enum TMessageAnswer : int { maCancel = -1, maOk = 100, maYes = 101, maNo = 102 };

struct TMessageRequest {
  TMessageType Type = TMessageType::Information;
  std::string Caption = "Umbrinex";
  std::string Text;              // with its prefix applied
  bool WithCancel = false;       // information: OK and Cancel; question: Yes, No and Cancel
  std::vector<std::string> Buttons;  // choice buttons
  int DefaultButton = 0;         // choice default
};

class IMessagePresenter {
 public:
  virtual ~IMessagePresenter() = default;
  // Shows the request and returns maOk, maYes, maNo, maCancel or a choice index.
  virtual int Present(const TMessageRequest& request) = 0;
};

// Installs the presenter (nullptr restores the standard-error presenter,
// which answers OK, Yes or the default choice). Returns the previous one.
IMessagePresenter* SetMessagePresenter(IMessagePresenter* presenter);

// While it lives, every message goes to it instead of the user, for work
// that must not stop to ask (a script, a build step): the texts are kept in
// order, a question gets the answer given, a choice its default, anything
// else OK. The presenter before it comes back when it ends.
class TMessageRecorder final : public IMessagePresenter {
 public:
  explicit TMessageRecorder(int questionAnswer) : FAnswer(questionAnswer), FPrevious(SetMessagePresenter(this)) {}
  ~TMessageRecorder() override { SetMessagePresenter(FPrevious); }
  TMessageRecorder(const TMessageRecorder&) = delete;
  TMessageRecorder& operator=(const TMessageRecorder&) = delete;

  int Present(const TMessageRequest& request) override;
  const std::vector<std::string>& Texts() const { return FTexts; }

 private:
  int FAnswer;
  IMessagePresenter* FPrevious;
  std::vector<std::string> FTexts;
};

// Messages not marked showAlways are suppressed in quiet mode: a suppressed
// question counts as Yes and a suppressed choice returns its default.
void ShowInformation(const std::string& text, bool withCancel = false, bool showAlways = false);
void ShowWarning(const std::string& text, bool showAlways = false);
void ShowError(const std::string& text, bool showAlways = false);
// Yes gives true. With withCancel, Cancel raises the silent abort.
bool AskQuestion(const std::string& text, bool withCancel = false, bool showAlways = false);
// The chosen button's index, or -1 for the optional "&Cancel" button.
int AskChoice(const std::string& text, const std::vector<std::string>& buttons, int defaultButton,
              bool withCancel = false, bool showAlways = false);

// The program-wide quiet-mode count, raised by operations that run without
// the user watching.
int QuietModeCount();
class TQuietMode {
 public:
  TQuietMode();
  ~TQuietMode();
  TQuietMode(const TQuietMode&) = delete;
  TQuietMode& operator=(const TQuietMode&) = delete;
};

// The program-wide busy count, raised around every modal operation.
int BusyCount();
class TBusy {
 public:
  TBusy();
  ~TBusy();
  TBusy(const TBusy&) = delete;
  TBusy& operator=(const TBusy&) = delete;
};
// Called when the busy count moves between 0 and 1 (forms refresh their enabling).
void SetBusyChangedHook(void (*hook)(bool busy));

}  // namespace umbrinex
