#include "framework/data/BusyCursor.h"

#include <utility>

namespace umbrinex {

namespace {

TBusyCursorHook& Hook()
{
  static TBusyCursorHook hook;
  return hook;
}

}  // namespace

void SetBusyCursorHook(TBusyCursorHook hook)
{
  Hook() = std::move(hook);
}

TBusyCursor::TBusyCursor()
{
  if (Hook()) Hook()(true);
}

TBusyCursor::~TBusyCursor()
{
  if (Hook()) Hook()(false);
}

}  // namespace umbrinex
