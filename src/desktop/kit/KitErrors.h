#pragma once
// Errors of the shell that are reported to the user as plain messages.

#include "numerics/Errors.h"

namespace umbrinex {

class EValidityError : public EExpected {
 public:
  using EExpected::EExpected;
};

class ECommandLineSwitchError : public EValidityError {
 public:
  using EValidityError::EValidityError;
};

// A data file the system would not let us open or create.
class EFilerError : public EExpected {
 public:
  using EExpected::EExpected;
};

}  // namespace umbrinex
