#pragma once
// The status every results object of a design carries. Results are
// calculated on demand and stay valid until the design changes; a failed
// calculation is remembered so that the same error is not raised on every
// redraw.

namespace umbrinex {

enum class TResultsStatus { NotCalculated, Failed, Calculated };

class TBendResults {
 public:
  virtual ~TBendResults() = default;
  TResultsStatus Status() const { return FStatus; }
  virtual void Invalidate() { FStatus = TResultsStatus::NotCalculated; }
  void MarkFailed() { FStatus = TResultsStatus::Failed; }

 protected:
  void SetStatus(TResultsStatus status) { FStatus = status; }

 private:
  TResultsStatus FStatus = TResultsStatus::NotCalculated;
};

}  // namespace umbrinex
