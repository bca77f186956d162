#include "charts/GraphAxis.h"

#include <algorithm>
#include <cmath>

#include "framework/data/TextUtils.h"
#include "framework/data/ValueText.h"

namespace umbrinex {

double NiceStep(double a, double b)
{
  const double c = std::fabs(a - b);
  if (c < 1e-297) return 0.0;
  const double e = c >= 1.0 ? std::trunc(std::log10(c)) - 1.0 : -std::trunc(std::log10(1.0 / c)) - 2.0;
  const double p = std::pow(10.0, e);
  const double d = c / p;
  if (d < 15.0) return 2.0 * p;
  if (d < 35.0) return 5.0 * p;
  if (d < 75.0) return 10.0 * p;
  return 20.0 * p;
}

int MinorTicksForStep(double step)
{
  double x = std::fabs(step);
  if (x != 0.0) {
    while (x > 10.0) x /= 10.0;
    while (x < 1.0) x *= 10.0;
  }
  const long b = std::lround(x);
  if (b == 0) return 1;
  if (b == 1 || b == 10) return 9;
  return static_cast<int>(b - 1);
}

std::string FormatTickLabel(double value)
{
  std::string text = Format("%.5f", value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

std::vector<double> LogLabelValues(double min, double max)
{
  std::vector<double> labels;
  if (!(min > 0.0) || !(max >= min)) return labels;
  const double s = NiceStep(std::log10(min), std::log10(max));
  if (std::fabs(s - 0.5) < 0.1) {
    for (double k = std::floor(std::log10(min)); std::pow(10.0, k) <= max; k += 1.0) {
      labels.push_back(std::pow(10.0, k));
      labels.push_back(5.0 * std::pow(10.0, k));
    }
  } else if (s > 0.5) {
    const double k0 = std::floor(std::log10(min) / s) * s;
    for (int j = 0;; ++j) {
      const double v = std::pow(10.0, k0 + j * s);
      if (v > max * (1.0 + 1e-12)) break;
      labels.push_back(v);
    }
  }
  return labels;
}

double TGraphAxis::Fraction(double v) const
{
  if (MapsLogarithmically()) {
    // Non-positive values lie infinitely far down a logarithmic axis.
    if (v <= 0.0) return -1e200;
    return (std::log10(v) - std::log10(Minimum)) / (std::log10(Maximum) - std::log10(Minimum));
  }
  const double span = Maximum - Minimum;
  return span == 0.0 ? 0.5 : (v - Minimum) / span;
}

double TGraphAxis::ValueAt(double fraction) const
{
  if (MapsLogarithmically())
    return std::pow(10.0, std::log10(Minimum) + fraction * (std::log10(Maximum) - std::log10(Minimum)));
  return Minimum + fraction * (Maximum - Minimum);
}

namespace {
// Multiples k·step within [min, max], with a tolerance for rounding so that
// a bound that is itself a multiple is kept.
std::vector<double> Multiples(double min, double max, double step)
{
  std::vector<double> values;
  if (!(step > 0.0) || !(max >= min)) return values;
  const double tolerance = 1e-9 * step;
  const double first = std::ceil((min - tolerance) / step);
  const double last = std::floor((max + tolerance) / step);
  // A tiny step on a wide range would draw a solid smear of ticks.
  if (last - first > 10000.0) return values;
  for (double k = first; k <= last; k += 1.0) values.push_back(k * step);
  return values;
}
}  // namespace

std::vector<double> TGraphAxis::MajorTicks() const
{
  if (Logarithmic && !LabelValues.empty()) {
    std::vector<double> values;
    for (double v : LabelValues)
      if (v >= Minimum * (1.0 - 1e-12) && v <= Maximum * (1.0 + 1e-12)) values.push_back(v);
    return values;
  }
  return Multiples(Minimum, Maximum, std::fabs(Increment));
}

std::vector<double> TGraphAxis::MinorTicks() const
{
  std::vector<double> values;
  if (Logarithmic || MinorTickCount <= 0) return values;
  const double step = std::fabs(Increment) / (MinorTickCount + 1);
  const double tolerance = 1e-9 * step;
  for (double v : Multiples(Minimum - std::fabs(Increment), Maximum, std::fabs(Increment)))
    for (int k = 1; k <= MinorTickCount; ++k) {
      const double m = v + k * step;
      if (m >= Minimum - tolerance && m <= Maximum + tolerance) values.push_back(m);
    }
  return values;
}

std::string TGraphAxis::LabelText(double value) const
{
  // Label values of a logarithmic axis can span many decades, which the
  // fixed five decimals would show as 0.
  if (Logarithmic && !LabelValues.empty()) return FormatGeneral(value, 6);
  // A multiple of the increment built by multiplication may carry rounding
  // noise around zero; it is zero.
  if (std::fabs(value) < 1e-9 * std::fabs(Increment)) value = 0.0;
  return FormatTickLabel(value);
}

}  // namespace umbrinex
