#pragma once

#include "numerics/Errors.h"

namespace umbrinex {

// Validation and solve failures of the analysis, shown to the user as they are.
class EBendStiffenerError : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

// A value of the design that its item would refuse at entry, met before
// anything is calculated from it; the message names the item and the value.
class EBendDataError : public EBendStiffenerError {
 public:
  using EBendStiffenerError::EBendStiffenerError;
};

}  // namespace umbrinex
