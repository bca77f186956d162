#pragma once
// The program's one progress display. Every long operation reports through it;
// whoever shows it (the main window's status bar, a progress window, nothing
// in the batch program) is its owner for one run. Everything runs on the
// user-interface thread, so the display is also the point where the interface
// gets to process its pending events during a calculation, and where a
// cancellation (Escape, a Cancel button) turns into the silent abort.
//
// A run has a number of stages of equal weight that share 0 to 100 %; within
// a stage the counter runs from 0 to the stage's maximum.

#include <functional>
#include <string>

#include "numerics/Errors.h"

namespace umbrinex {

class EProgressError : public EUmbrinexError {
 public:
  explicit EProgressError(const std::string& detail) : EUmbrinexError("Progress error: " + detail) {}
};

// a * b / c in 64 bits, rounded to the nearest integer with halves away from
// zero; -1 when c is 0 or the result does not fit.
int MulDiv(int a, int b, int c);

// Told about one run, from Start to Stop.
class IProgressOwner {
 public:
  virtual ~IProgressOwner() = default;
  virtual void ProgressStarted() {}
  virtual void ProgressChanged(int /*percent*/) {}
  virtual void ProgressTextChanged(const std::string& /*text*/) {}
  virtual void ProgressStopped() {}
};

class TProgress {
 public:
  bool Active() const { return FActive; }
  int Percent() const { return FPercent; }
  int StageCount() const { return FStageCount; }
  int Stage() const { return FStage; }
  int MaxCounter() const { return FMaxCounter; }
  int Counter() const { return FCounter; }
  const std::string& StageText() const { return FStageText; }
  IProgressOwner* Owner() const { return FOwner; }
  bool CancelRequested() const { return FCancelRequested; }

  // Run parameters are set while stopped; Stop puts them back to one stage
  // of 100 steps without text, so one run's settings never leak into the next.
  void SetStageCount(int n);
  // Of the current stage; also before Start.
  void SetMaxCounter(int maxCounter);
  void SetStageText(const std::string& text);

  // owner nullptr: the default owner (which may be none).
  void Start(IProgressOwner* owner = nullptr);
  // Moves to the next stage (staying in the last one) with the counter at 0.
  void NextStage();
  // Sets the counter, clamped to the stage's range, then lets the interface
  // process its pending events and raises the silent abort when cancellation
  // was requested; the run is stopped first.
  void Update(int counter);
  // As Update without moving. Works without an active run too, because some
  // calculations check for Cancel whether or not anyone shows their progress.
  void Check();
  // Ignored unless a run is active.
  void RequestCancel();
  void Stop();

 private:
  void Recalculate();
  void CheckCancel();

  bool FActive = false;
  bool FCancelRequested = false;
  int FStageCount = 1;
  int FStage = 0;
  int FMaxCounter = 100;
  int FCounter = 0;
  int FPercent = 0;
  std::string FStageText;
  IProgressOwner* FOwner = nullptr;
};

TProgress& Progress();

// Long loops call this at every step, whatever thread they run on: on a
// worker thread of ParallelFor it raises the silent abort once the run has
// been given up (the calling thread's poll saw the cancellation); on any
// other thread it is Progress().Check(). The progress display itself
// belongs to the calling thread, so a worker never touches it.
void CheckForCancel();

// The owner of runs started without one. Returns the previous default.
IProgressOwner* SetDefaultProgressOwner(IProgressOwner* owner);
// Called by every Update and Check (the desktop program processes its event
// queue here). Returns the previous callback.
std::function<void()> SetProcessPendingEvents(std::function<void()> callback);

// Stops the active run when the scope is left by an exception, so that the
// next Start works; a normal exit leaves the run to its owner.
class TProgressGuard {
 public:
  TProgressGuard();
  ~TProgressGuard();
  TProgressGuard(const TProgressGuard&) = delete;
  TProgressGuard& operator=(const TProgressGuard&) = delete;

 private:
  int FUncaught;
};

}  // namespace umbrinex
