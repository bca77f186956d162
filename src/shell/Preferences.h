#pragma once
// The program's settings, made once when first needed and kept until the
// program ends. Each reads its stored value when made and stores every
// change at once (Preference.h); the recent-files count lives with the
// recent-files list (Mru.h).

#include "shell/Preference.h"

namespace umbrinex {

struct TProgramPreferences {
  TProgramPreferences();

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

  // The in-house testing settings: nameless, so never stored.
  TBooleanPreference CompareResultsEnabled;
  TBooleanPreference DoUnitsTest;
  TBooleanPreference ReportAllDifferences;
  TIntegerPreference DifferenceCount;
  TDoublePreference DifferenceThreshold;
};

// Makes the settings (and the store) on first use.
TProgramPreferences& Preferences();
// Forgets every setting and the store, as the end of the program does; the
// next Preferences() reads them afresh.
void ReleasePreferences();

// The program's screen scaling: logical dots per inch over 96.
double ScreenScalingRatio();

}  // namespace umbrinex
