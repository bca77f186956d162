#pragma once
// The user's graph settings as the charts read them: axis and legend fonts,
// the legend's place and visibility, one curve style per property state, and
// the switches of the results graphs. They start at the program's defaults;
// the desktop program fills them from its preferences and writes back what
// the Graph Properties dialog stores with "Set as Default", which it hears
// about through a listener.

#include <array>
#include <functional>
#include <string>

#include "framework/data/Colour.h"

namespace umbrinex {

struct TFontSetting {
  std::string Name = "Arial";
  int Size = 8;  // points
  TColour Colour = 0;
  int Charset = 1;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strikeout = false;

  friend bool operator==(const TFontSetting&, const TFontSetting&) = default;
};

// The pen of a curve and whether it shows; Style uses the pen styles of
// Curve.h (0 solid .. 6 inside frame).
struct TCurveStyle {
  TColour Colour = 0x0000FF;
  int Width = 1;
  int Style = 0;
  bool Visible = true;
  bool InLegend = true;
  double StdDevInterval = 0.0;

  friend bool operator==(const TCurveStyle&, const TCurveStyle&) = default;
};

enum TLegendAlignment : int { laLeft = 0, laRight = 1, laTop = 2, laBottom = 3 };

struct TGraphSettings {
  bool MonochromeOutput = true;
  bool ShowStandardDiameters = false;
  bool ShowLoadCaseLabels = true;
  // "Graph Umbrinex Load Case State 1" and "... State 2": red and blue.
  std::array<TCurveStyle, 2> StateCurves{TCurveStyle{0x0000FF}, TCurveStyle{0xFF0000}};
  TFontSetting XAxisCaptionFont;
  TFontSetting XAxisLabelFont;
  TFontSetting YAxisCaptionFont;
  TFontSetting YAxisLabelFont;
  TFontSetting LegendFont;
  int LegendAlignment = laRight;
  bool LegendVisible = true;

  const TFontSetting& CaptionFont(int axis) const { return axis == 0 ? XAxisCaptionFont : YAxisCaptionFont; }
  const TFontSetting& LabelFont(int axis) const { return axis == 0 ? XAxisLabelFont : YAxisLabelFont; }
  TFontSetting& CaptionFont(int axis) { return axis == 0 ? XAxisCaptionFont : YAxisCaptionFont; }
  TFontSetting& LabelFont(int axis) { return axis == 0 ? XAxisLabelFont : YAxisLabelFont; }
};

// The program's one set; charts created later start from it.
TGraphSettings& GraphSettings();

// Names of the preferences the settings come from, for the shell.
std::string StateCurvePreferenceName(int state);             // "Graph Umbrinex Load Case State %d"
std::string AxisFontPreferenceName(int axis, bool caption);  // "Graph X axis Caption Font" ...

// What a change of the settings touched.
enum class TGraphSettingsChange { AxisFonts, Legend, Curves, Switches };

// Listeners hear about every change made through NotifyGraphSettingsChanged:
// the shell stores the new values as preferences, and the charts whose
// curves follow a curve style take it up.
using TGraphSettingsListener = std::function<void(TGraphSettingsChange)>;
int AddGraphSettingsListener(TGraphSettingsListener listener);
void RemoveGraphSettingsListener(int id);
void NotifyGraphSettingsChanged(TGraphSettingsChange change);

}  // namespace umbrinex
