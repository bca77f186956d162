#pragma once
// The busy cursor while results are calculated, given back on every path.
// The desktop program installs what shows it; without a display nothing does.

#include <functional>

namespace umbrinex {

// Called with true when a busy stretch starts and false when it ends.
using TBusyCursorHook = std::function<void(bool busy)>;
void SetBusyCursorHook(TBusyCursorHook hook);

class TBusyCursor {
 public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

}  // namespace umbrinex
