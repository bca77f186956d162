#pragma once
// What a chart draws besides its curves: pens, marker points with labels
// and straight reference lines ("intercepts") across the plot.

#include <string>
#include <vector>

#include "framework/data/Colour.h"

namespace umbrinex {

enum TPenStyle : int {
  psSolid = 0,
  psDash = 1,
  psDot = 2,
  psDashDot = 3,
  psDashDotDot = 4,
  psClear = 5,
  psInsideFrame = 6
};

struct TPen {
  int Width = 1;
  int Style = psSolid;
  TColour Colour = 0;

  friend bool operator==(const TPen&, const TPen&) = default;
};

// Colours the results graphs use, 0x00BBGGRR.
inline constexpr TColour clRed = 0x0000FF;
inline constexpr TColour clBlue = 0xFF0000;
inline constexpr TColour clGreenPass = 0x00D000;
inline constexpr TColour clMagenta = 0xFF00FF;
inline constexpr TColour clBlack = 0x000000;
inline constexpr TColour clWhite = 0xFFFFFF;
// The system colours the charts start with (window, button face, window
// text, 3D shadow), fixed so that files look the same on every desktop.
inline constexpr TColour clWindow = 0xFFFFFF;
inline constexpr TColour clButtonFace = 0xF0F0F0;
inline constexpr TColour clWindowText = 0x000000;
inline constexpr TColour clShadow = 0xA0A0A0;

enum class TPointStyle { Rectangle, Circle, Triangle, DownTriangle, Cross, DiagonalCross, Star, Diamond, SmallDot };

struct TChartPoint {
  double X = 0.0;
  double Y = 0.0;
  TPointStyle Style = TPointStyle::Circle;
  int Size = 4;  // half the width and height, in pixels
  TColour Colour = clRed;
  // Shown above the point when not empty, at the arrow length.
  std::string Label;

  int ArrowLength() const { return 2 * Size + 3; }
};

struct TIntercept {
  int Axis = 1;  // 0: vertical line at an X value; 1: horizontal line at a Y value
  double Value = 0.0;
  std::string Label;
  TColour Colour = clWindowText;
  int Style = psSolid;
  int Width = 1;
  bool Active = true;
  bool IncludeInRange = true;
};

// Two built-in lines at 0, one per axis and off until asked for, then the
// added lines numbered from 0.
class TInterceptList {
 public:
  TInterceptList();

  TIntercept& BuiltIn(int axis) { return FBuiltIn[axis == 0 ? 0 : 1]; }
  const TIntercept& BuiltIn(int axis) const { return FBuiltIn[axis == 0 ? 0 : 1]; }
  int Count() const { return static_cast<int>(FAdded.size()); }
  TIntercept& Item(int i) { return FAdded.at(static_cast<std::size_t>(i)); }
  const TIntercept& Item(int i) const { return FAdded.at(static_cast<std::size_t>(i)); }
  TIntercept& Add();
  void Delete(int i);
  void ClearAdded() { FAdded.clear(); }
  // The added line with this label, or nullptr.
  TIntercept* Find(const std::string& label);
  // "Intercept" and the smallest number from 1 that no added line uses.
  std::string FreeName() const;

 private:
  TIntercept FBuiltIn[2];
  std::vector<TIntercept> FAdded;
};

}  // namespace umbrinex
