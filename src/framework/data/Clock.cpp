#include "framework/data/Clock.h"

#include <array>
#include <utility>

namespace umbrinex {

namespace {

TClock& Installed()
{
  static TClock clock;
  return clock;
}

std::string LocalTimeText(const char* format, const std::tm& local)
{
  std::array<char, 128> buffer{};
  const std::size_t length = std::strftime(buffer.data(), buffer.size(), format, &local);
  return std::string(buffer.data(), length);
}

}  // namespace

TClock SetClock(TClock clock)
{
  return std::exchange(Installed(), std::move(clock));
}

std::time_t Now()
{
  return Installed() ? Installed()() : std::time(nullptr);
}

std::string TimeAndDateText()
{
  const std::time_t now = Now();
  std::tm local{};
  localtime_r(&now, &local);
  return LocalTimeText("%X", local) + " on " + LocalTimeText("%x", local);
}

}  // namespace umbrinex
