#pragma once
// TProgressForm: the modal window a long operation runs under when it is
// not tied to the main window's status bar (a graph's values table, say).
// While it runs, the program's progress display reports to it; Cancel and
// Escape ask the display to cancel, which the operation sees at its next
// progress check.

#include <functional>

#include <QDialog>

#include "framework/data/Progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace umbrinex {

class TProgressForm : public QDialog, public IProgressOwner {
  Q_OBJECT

 public:
  explicit TProgressForm(QWidget* owner = nullptr);

  // Shows the window, runs the operation once it is up and closes it
  // whatever happens. An error is shown by the error handler (a
  // cancellation quietly); an operation that did not finish ends the call
  // with the silent abort.
  void Run(const std::function<void()>& operation);

  QLabel* Feedback() const { return FFeedback; }
  QProgressBar* Bar() const { return FBar; }
  QPushButton* CancelButton() const { return FCancel; }

  void ProgressStarted() override;
  void ProgressChanged(int percent) override;
  void ProgressTextChanged(const std::string& text) override;
  void ProgressStopped() override {}

 public slots:
  // Escape comes here too: the window stays until the operation stops.
  void reject() override;

 private:
  void Start();
  std::function<void()> FOperation;
  bool FFinished = false;
  bool FRunning = false;
  QLabel* FFeedback;
  QProgressBar* FBar;
  QPushButton* FCancel;
};

}  // namespace umbrinex
