#pragma once

#include "numerics/Errors.h"

namespace umbrinex {

// Validation and solve failures of the analysis, shown to the user as they are.
class EBendStiffenerError : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

}  // namespace umbrinex
