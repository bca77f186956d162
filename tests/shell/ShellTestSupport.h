#pragma once
// The shell's tests start as the kit's do, and also forget the program's
// own settings between tests.

#include "kit/KitTestSupport.h"
#include "shell/Preferences.h"

namespace umbrinex::testing {

using TShellTest = TSettingsTest<ReleasePreferences>;

}  // namespace umbrinex::testing
