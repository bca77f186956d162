#pragma once
// The program's clock for the time stamps it writes (report run lines, the
// comparison log): the system clock unless a test fixes the time.

#include <ctime>
#include <functional>
#include <string>

namespace umbrinex {

using TClock = std::function<std::time_t()>;
// Installs a clock; an empty one restores the system clock. Returns the
// previous one (empty for the system clock).
TClock SetClock(TClock clock);
std::time_t Now();

// The current local time and short date, "10:31:07 on 12/09/25".
std::string TimeAndDateText();

}  // namespace umbrinex
