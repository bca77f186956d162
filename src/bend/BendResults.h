#pragma once
// Results are calculated on demand: whatever view needs them asks the
// results object, which calculates what is missing. They stay valid until
// the design changes; a failed calculation is remembered so that the same
// error is not raised on every redraw.

#include "bend/BendErrors.h"

namespace umbrinex {

class TBend;

enum class TResultsStatus { NotCalculated = 0, Failed = 1, Calculated = 2 };

// Raised by a view that has nothing to show; not a calculation failure.
class EBendResultCannotBeDisplayed : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

// Raise EBendResultCannotBeDisplayed when a view has nothing to show: the
// selected load case includes no state, or no load case includes any.
void CheckLoadCaseCanBeDisplayed(const TBend& bend);
void CheckDesignChartCanBeDisplayed(const TBend& bend);

class TBendResults {
 public:
  explicit TBendResults(TBend& owner) : FOwner(owner) {}
  virtual ~TBendResults() = default;
  TBendResults(const TBendResults&) = delete;
  TBendResults& operator=(const TBendResults&) = delete;

  TBend& Owner() const { return FOwner; }
  TResultsStatus Status() const { return FStatus; }
  virtual void Invalidate() { FStatus = TResultsStatus::NotCalculated; }
  void MarkFailed() { FStatus = TResultsStatus::Failed; }
  // Calculates when not calculated; failed results stay failed until they
  // are invalidated. An exception leaves the status not calculated.
  void EnsureCalculated();

 protected:
  virtual void Calculate() = 0;

 private:
  TBend& FOwner;
  TResultsStatus FStatus = TResultsStatus::NotCalculated;
};

}  // namespace umbrinex
