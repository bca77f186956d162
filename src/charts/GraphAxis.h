#pragma once
// One axis of a graph: its range, increment and ticks, linear or
// logarithmic, with the title and fonts it is drawn with; and the rules
// that choose a "nice" increment for a range.

#include <string>
#include <vector>

#include "charts/GraphSettings.h"

namespace umbrinex {

// The step of about ten intervals that a range is divided into: 2, 5, 10 or
// 20 times a power of ten. 0 for an empty range.
double NiceStep(double a, double b);
// Minor ticks between two major ones for a step: 1 for steps of 2, 4 for 5,
// 9 for 1 and 10 (in any power of ten).
int MinorTicksForStep(double step);
// The tick label format "0.#####": at most five decimals, no trailing zeros.
std::string FormatTickLabel(double value);
// The values labelled on a logarithmic axis from min to max: decades with
// their halves over about one decade per step, else whole multiples of a
// nice step of the exponent; empty when the axis labels itself.
std::vector<double> LogLabelValues(double min, double max);

class TGraphAxis {
 public:
  std::string Title;
  TFontSetting TitleFont;
  TFontSetting LabelFont;
  bool Logarithmic = false;
  double Minimum = 0.0;
  double Maximum = 1.0;
  double Increment = 0.2;
  int MinorTickCount = 1;
  int TickLength = 3;
  int MinorTickLength = 5;
  int TickPenWidth = 1;
  int MinorTickPenWidth = 1;
  TColour GridColour = 0xA0A0A0;
  // Set on logarithmic axes only: the values labelled instead of the ticks.
  std::vector<double> LabelValues;

  // A logarithmic axis maps only a positive range logarithmically; anything
  // else is drawn linearly rather than not at all.
  bool MapsLogarithmically() const { return Logarithmic && Minimum > 0.0 && Maximum > Minimum; }
  // Position of v along the axis, 0 at the minimum and 1 at the maximum.
  double Fraction(double v) const;
  double ValueAt(double fraction) const;
  // Multiples of the increment within the range (label values on a
  // logarithmic axis that has them).
  std::vector<double> MajorTicks() const;
  std::vector<double> MinorTicks() const;
  std::string LabelText(double value) const;
};

}  // namespace umbrinex
