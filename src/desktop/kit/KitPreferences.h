#pragma once
// The settings of the window framework itself, whatever program it serves:
// the file the file dialogs start from, the main window's placement, the
// printer margins and whether output is monochrome. Made once when first
// needed and kept until the program ends; each reads its stored value when
// made and stores every change at once (Preference.h).

#include "desktop/kit/Preference.h"

namespace umbrinex {

struct TKitPreferences {
  TKitPreferences();

  TStringPreference LatestMainFileName;
  TIntegerPreference MainWindowLeft;
  TIntegerPreference MainWindowTop;
  TIntegerPreference MainWindowWidth;
  TIntegerPreference MainWindowHeight;
  TWindowStatePreference WindowState;
  // Printer margins in mm.
  TIntegerPreference PrinterLeft;
  TIntegerPreference PrinterTop;
  TBooleanPreference MonochromeOutput;
};

// Makes the settings (and the store) on first use.
TKitPreferences& KitPreferences();
// Forgets the framework's settings and the store, as the end of the program
// does; the next use reads them afresh.
void ReleaseKitPreferences();

// The program's screen scaling: logical dots per inch over 96.
double ScreenScalingRatio();

}  // namespace umbrinex
