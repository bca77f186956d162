// Fixed-width real-number format of the grid and the reports.
//
// The value is written as round(|value| × 10^k) with the decimal point k digits from the right, where k
// is the number of decimals shown. Rounding in binary floating point (rather than from the exact decimal
// expansion) means a value typed as 4.35 shows as 4.4 with one decimal, as its author expects, and ties
// round away from zero. At most 15 significant digits are written: a double carries no more reliably.

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/data/ValueText.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

namespace {

constexpr std::string_view kConversionFailure = "**********";
constexpr int kMaxSignificantDigits = 15;
constexpr int kFreeDecimals = 20;
// More decimals than any double above tiny can fill; keeps the arithmetic below far from overflow.
constexpr int kMaxDecimals = 400;

// The longest text: a sign, 309 integer digits of a value near the largest double written without
// exponent, or up to 16 integer digits, a point and at most 15 − p ≤ 321 decimals; then "E-309" at most.
using TTextBuffer = std::array<char, 512>;

double PowerOfTen(int k)
{
  static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (k >= 0 && k <= 22) return kExact[k];
  return std::pow(10.0, k);
}

// x × 10^k, dividing by exact powers for negative k, in steps that cannot overflow the factor.
double ScaleByPowerOfTen(double x, int k)
{
  while (k > 300) {
    x *= 1e300;
    k -= 300;
  }
  while (k < -300) {
    x /= 1e300;
    k += 300;
  }
  return k >= 0 ? x * PowerOfTen(k) : x / PowerOfTen(-k);
}

// The decimal exponent p with 0.1 ≤ x / 10^p < 1, for a finite x > 0.
int DecimalExponent(double x)
{
  int p = static_cast<int>(std::floor(std::log10(x))) + 1;
  // log10 may land on the wrong side of a power of ten for values next to one.
  if (x < PowerOfTen(p - 1)) {
    --p;
  } else if (x >= PowerOfTen(p)) {
    ++p;
  }
  return p;
}

// Engineering exponent (a multiple of 3) that brings x / 10^e3 into [1, 1000).
int EngineeringExponent(int p)
{
  const int q = p - 1;  // x / 10^q lies in [1, 10)
  return 3 * (q >= 0 ? q / 3 : -((-q + 2) / 3));
}

struct TLayout {
  bool negative = false;
  bool exponentForm = false;
  bool dropTrailingZeros = false;  // free precision
  int exponent = 0;                // of the exponent form, a multiple of 3
};

// Writes sign, digits and exponent of |x| = magnitude into the buffer; returns the length, or 0 when the
// value cannot be written. A mantissa that rounds up to 1000 moves on to the next engineering exponent.
std::size_t Compose(TTextBuffer& buffer, double magnitude, int p, int decimals, TLayout layout)
{
  std::uint64_t digits = 0;
  int shown = 0;  // decimals shown; negative: that many zeros before the point
  for (;;) {
    const int mantissaExponent = p - layout.exponent;
    const int significant = std::min(kMaxSignificantDigits, decimals + mantissaExponent);
    shown = significant - mantissaExponent;
    const double scaled = std::round(ScaleByPowerOfTen(magnitude, shown - layout.exponent));
    if (!(scaled >= 0.0 && scaled <= 1e16)) return 0;
    digits = static_cast<std::uint64_t>(scaled);
    if (!layout.exponentForm || shown < 0 || scaled < ScaleByPowerOfTen(1000.0, shown)) break;
    layout.exponent += 3;
  }

  char* out = buffer.data();
  char* const end = buffer.data() + buffer.size();
  if (layout.negative && digits != 0) *out++ = '-';  // no "-0.000"

  std::array<char, 24> digitText;
  const auto [digitsEnd, ec] = std::to_chars(digitText.data(), digitText.data() + digitText.size(), digits);
  if (ec != std::errc()) return 0;
  const std::string_view d(digitText.data(), static_cast<std::size_t>(digitsEnd - digitText.data()));
  const int length = static_cast<int>(d.size());

  if (shown <= 0) {
    if (end - out < length - shown) return 0;
    out = std::copy(d.begin(), d.end(), out);
    out = std::fill_n(out, -shown, '0');
  } else {
    // Leading zeros as needed: 12 with five decimals is 0.00012.
    const int integerDigits = std::max(1, length - shown);
    const int leadingZeros = integerDigits + shown - length;
    if (end - out < integerDigits + shown + 1) return 0;
    char* const start = out;
    out = std::fill_n(out, leadingZeros, '0');
    out = std::copy(d.begin(), d.end(), out);
    // Open a gap for the point after the integer digits.
    char* const point = start + integerDigits;
    std::copy_backward(point, out, out + 1);
    *point = '.';
    ++out;
    if (layout.dropTrailingZeros) {
      while (out[-1] == '0') --out;
      if (out[-1] == '.') --out;
    }
  }

  if (layout.exponentForm) {
    if (end - out < 8) return 0;
    *out++ = 'E';
    out = std::to_chars(out, end, layout.exponent).ptr;
  }
  return static_cast<std::size_t>(out - buffer.data());
}

std::string PadLeft(std::string_view text, int width)
{
  std::string result;
  const auto length = static_cast<int>(text.size());
  if (width > length) result.assign(static_cast<std::size_t>(width - length), ' ');
  result.append(text);
  return result;
}

// Zero, and magnitudes too small to tell from it.
std::string FormatZero(int width, int decimals, bool free)
{
  if (free || width <= 2 || decimals <= 0) return PadLeft("0", width);
  std::string text = "0.";
  text.append(static_cast<std::size_t>(std::min(decimals, width - 2)), '0');
  return PadLeft(text, width);
}

}  // namespace

std::string FormatReal(int width, int decimals, unsigned flags, double value)
{
  const bool free = decimals == FreePrecision;
  decimals = free ? kFreeDecimals : std::clamp(decimals, 0, kMaxDecimals);

  if (value == Infinity) return PadLeft("Infinity", width);
  if (value == MinusInfinity) return PadLeft("-Infinity", width);
  if (value == Undefined) return PadLeft("?", width);
  if (IsDefault(value)) return PadLeft("~", width);
  if (value == NotApplicable) return PadLeft("N/A", width);
  if (std::isnan(value) || std::isinf(value)) return std::string(kConversionFailure);
  if (!(std::fabs(value) > Tiny)) return FormatZero(width, decimals, free);

  const double magnitude = std::fabs(value);
  const int valueExponent = DecimalExponent(magnitude);
  TLayout layout;
  layout.negative = value < 0.0;
  layout.dropTrailingZeros = free;

  if (((flags & frExponentHigh) && valueExponent > 4) || ((flags & frExponentLow) && valueExponent < -3)) {
    layout.exponentForm = true;
    layout.exponent = EngineeringExponent(valueExponent);
    // Small values keep their absolute resolution: 0.000123 to six decimals is 123E-6 to none.
    if (layout.exponent < 0) decimals = std::max(0, decimals + layout.exponent);
  }
  const int p = valueExponent - layout.exponent;  // of the mantissa

  // Two significant digits at least, so that a small value does not show as zero.
  if ((flags & frSignificant) && !free && decimals + p < 2) decimals = 2 - p;
  // Decimals beyond the fifteenth significant digit are never written, so fitting starts below them.
  decimals = std::min(decimals, std::max(0, kMaxSignificantDigits - p));

  TTextBuffer buffer;
  std::size_t length = Compose(buffer, magnitude, valueExponent, decimals, layout);
  if ((flags & frFit) && !free && width > 0) {
    while (length > static_cast<std::size_t>(width) && decimals > 0) {
      length = Compose(buffer, magnitude, valueExponent, --decimals, layout);
    }
  }
  if (length == 0) return std::string(kConversionFailure);
  return PadLeft(std::string_view(buffer.data(), length), width);
}

}  // namespace umbrinex
