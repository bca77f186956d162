#pragma once
// This program's own settings, made once when first needed and kept until
// the program ends. Each reads its stored value when made and stores every
// change at once (Preference.h). The window framework keeps its settings
// apart (KitPreferences.h); the recent-files count lives with the
// recent-files list (Mru.h).

#include "desktop/kit/KitPreferences.h"

namespace umbrinex {

struct TProgramPreferences {
  TProgramPreferences();

  TBooleanPreference ShowStandardDiameters;
  TBooleanPreference ShowLoadCaseLabels;
  TCurvePreference LoadCaseState1Curve;
  TCurvePreference LoadCaseState2Curve;
  TFontPreference XAxisCaptionFont;
  TFontPreference XAxisLabelFont;
  TFontPreference YAxisCaptionFont;
  TFontPreference YAxisLabelFont;
  TFontPreference LegendFont;
  TLegendAlignmentPreference LegendAlignment;
  TBooleanPreference LegendVisible;
  TColorPreference ViewBackgroundColour;
  TIntegerPreference TreeViewPanelWidth;
  TIntegerPreference DataTreeViewPanelHeight;
  TIntegerPreference CompareFormTop;
  TIntegerPreference CompareFormLeft;
  TIntegerPreference CompareFormWidth;
  TStringPreference CompareProgram;      // shared by the maker's programs
  TStringPreference CompareCommandLine;  // shared by the maker's programs
  // The load case table last imported or exported: where those dialogs start.
  TStringPreference LatestLoadCaseFile;

  // The in-house testing settings: nameless, so never stored.
  TBooleanPreference CompareResultsEnabled;
  TBooleanPreference DoUnitsTest;
  TBooleanPreference ReportAllDifferences;
  TIntegerPreference DifferenceCount;
  TDoublePreference DifferenceThreshold;
};

// Makes the settings (and the store) on first use.
TProgramPreferences& Preferences();
// Forgets every setting, the framework's too, and the store, as the end of
// the program does; the next use reads them afresh.
void ReleasePreferences();

}  // namespace umbrinex
