#pragma once
// The two governing events for the supporting structure: the largest root
// moment and the largest root shear over every load case and included state.

#include <cstdint>

#include "bend/BendResults.h"

namespace umbrinex {

class TLoadCaseResults;

struct TKeyEvent {
  std::int32_t StateNumber = 0;
  std::int32_t LoadCaseNumber = 0;
  double RootMoment = 0.0;
  double RootShear = 0.0;
};

class TKeyResults : public TBendResults {
 public:
  TKeyResults(TBend& owner, TLoadCaseResults& loadCases) : TBendResults(owner), FLoadCases(loadCases) {}

  TKeyEvent FMaxRootMomentEvent;
  TKeyEvent FMaxRootShearEvent;
  // False when no load case includes any state.
  bool HasEvents() const;

 protected:
  void Calculate() override;

 private:
  TLoadCaseResults& FLoadCases;
};

}  // namespace umbrinex
