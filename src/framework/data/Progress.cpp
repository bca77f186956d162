#include "framework/data/Progress.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <limits>
#include <utility>

#include "numerics/ParallelFor.h"

namespace umbrinex {

namespace {

IProgressOwner* defaultOwner = nullptr;
std::function<void()> processPendingEvents;

}  // namespace

int MulDiv(int a, int b, int c)
{
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t num = product < 0 ? -product : product;
  const std::int64_t den = c < 0 ? -static_cast<std::int64_t>(c) : c;
  const std::int64_t q = (num + den / 2) / den;
  if (q > std::numeric_limits<int>::max()) return -1;
  return static_cast<int>(negative ? -q : q);
}

void TProgress::SetStageCount(int n)
{
  if (FActive) throw EProgressError("Cannot set StageCount when progress active.");
  FStageCount = std::max(n, 1);
  FStage = 0;
}

void TProgress::SetMaxCounter(int maxCounter)
{
  if (maxCounter <= 0) throw EProgressError("MaxCounter must be positive.");
  FMaxCounter = maxCounter;
  FCounter = std::min(FCounter, FMaxCounter);
  Recalculate();
}

void TProgress::SetStageText(const std::string& text)
{
  if (text == FStageText) return;
  FStageText = text;
  if (FActive && FOwner) FOwner->ProgressTextChanged(FStageText);
}

void TProgress::Start(IProgressOwner* owner)
{
  if (FActive) throw EProgressError("Cannot Start progress when already active.");
  FActive = true;
  FCancelRequested = false;
  FStage = 0;
  FCounter = 0;
  FPercent = 0;
  FOwner = owner ? owner : defaultOwner;
  if (FOwner) {
    FOwner->ProgressStarted();
    FOwner->ProgressTextChanged(FStageText);
    FOwner->ProgressChanged(FPercent);
  }
}

void TProgress::NextStage()
{
  if (!FActive) throw EProgressError("Progress must be started before it can be updated.");
  FStage = std::min(FStage + 1, FStageCount - 1);
  FCounter = 0;
  Recalculate();
}

void TProgress::Update(int counter)
{
  if (!FActive) throw EProgressError("Progress must be started before it can be updated.");
  FCounter = std::clamp(counter, 0, FMaxCounter);
  Recalculate();
  CheckCancel();
}

void TProgress::Check()
{
  CheckCancel();
}

void TProgress::RequestCancel()
{
  if (FActive) FCancelRequested = true;
}

void TProgress::Stop()
{
  if (!FActive) throw EProgressError("Progress must be started before it can be stopped.");
  IProgressOwner* owner = FOwner;
  FActive = false;
  FCancelRequested = false;
  FOwner = nullptr;
  FStageCount = 1;
  FStage = 0;
  FMaxCounter = 100;
  FCounter = 0;
  FPercent = 0;
  FStageText.clear();
  if (owner) owner->ProgressStopped();
}

void TProgress::Recalculate()
{
  const int low = MulDiv(FStage, 100, FStageCount);
  const int high = MulDiv(FStage + 1, 100, FStageCount);
  const int percent = low + MulDiv(FCounter, high - low, FMaxCounter);
  if (percent == FPercent) return;
  FPercent = percent;
  if (FActive && FOwner) FOwner->ProgressChanged(FPercent);
}

void TProgress::CheckCancel()
{
  // The events processed here are where Escape and Cancel arrive, so the
  // request is looked at only afterwards.
  if (processPendingEvents) processPendingEvents();
  if (!FCancelRequested) return;
  Stop();
  throw ESilentAbort();
}

TProgress& Progress()
{
  static TProgress progress;
  return progress;
}

void CheckForCancel()
{
  if (InParallelWorker())
    CheckParallelAbandoned();
  else
    Progress().Check();
}

IProgressOwner* SetDefaultProgressOwner(IProgressOwner* owner)
{
  return std::exchange(defaultOwner, owner);
}

std::function<void()> SetProcessPendingEvents(std::function<void()> callback)
{
  return std::exchange(processPendingEvents, std::move(callback));
}

TProgressGuard::TProgressGuard() : FUncaught(std::uncaught_exceptions()) {}

TProgressGuard::~TProgressGuard()
{
  if (std::uncaught_exceptions() <= FUncaught || !Progress().Active()) return;
  try {
    Progress().Stop();
  } catch (...) {
    // An owner failing to clear its display must not end the program while
    // another exception is on its way.
  }
}

}  // namespace umbrinex
