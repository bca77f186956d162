#pragma once
// The program's exception classes all derive from EUmbrinexError. Numerical
// routines report failure through status codes; everything else throws.

#include <stdexcept>
#include <string>

namespace umbrinex {

class EUmbrinexError : public std::runtime_error {
 public:
  explicit EUmbrinexError(const std::string& message) : std::runtime_error(message) {}
};

// Errors that are reported to the user as plain messages.
class EExpected : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

// Ends a cancelled operation. Callers let it pass; the program ignores it.
class ESilentAbort : public EUmbrinexError {
 public:
  ESilentAbort() : EUmbrinexError("Operation aborted") {}
};

}  // namespace umbrinex
