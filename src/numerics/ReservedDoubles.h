#pragma once
// The reserved doubles that stand for "no ordinary number" throughout the
// program. They are ordinary finite doubles chosen far outside any physical
// range, so they survive arithmetic-free copying, files and unit conversion
// (which skips them), and they compare exactly by value.

#include <bit>
#include <cmath>
#include <cstdint>

namespace umbrinex {

inline constexpr double Infinity = std::bit_cast<double>(std::uint64_t{0x7FAC7B1F3CAC7433});  // 1e307
inline constexpr double MinusInfinity = -Infinity;
inline constexpr double Undefined = std::bit_cast<double>(std::uint64_t{0x7FBC7B1F3CAC7433});  // 2e307
// 1.5e307 rounded up by one unit in the last place: written as a bit pattern
// because a decimal literal would give the neighbouring double.
inline constexpr double DefaultValue = std::bit_cast<double>(std::uint64_t{0x7FB55C576D815727});
inline constexpr double NotApplicable = std::bit_cast<double>(std::uint64_t{0x7FC55C576D815726});  // 3e307
// The smallest value that still counts as positive.
inline constexpr double Tiny = std::bit_cast<double>(std::uint64_t{0x0031FA182C40C60D});  // 1e-307

// Codes of a 16-bit cardinal item that stand for Undefined and Default.
inline constexpr int CardinalUndefined = 65000;
inline constexpr int CardinalDefault = 65500;

constexpr bool IsInfinite(double x) { return x == Infinity || x == MinusInfinity; }
constexpr bool IsDefault(double x) { return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(DefaultValue); }

// Special: plus or minus Infinity, Undefined, Default, N/A or plus or minus tiny.
constexpr bool IsSpecial(double x)
{
  return IsInfinite(x) || x == Undefined || IsDefault(x) || x == NotApplicable || x == Tiny || x == -Tiny;
}

// The infinity-aware quotient a ÷ b.
constexpr double SafeDivide(double a, double b)
{
  if (a == Undefined || b == Undefined) return Undefined;
  if (b == 0.0) return a == 0.0 ? Undefined : (a > 0.0 ? Infinity : MinusInfinity);
  if (IsInfinite(b)) return IsInfinite(a) ? Undefined : 0.0;
  if (IsInfinite(a)) return (a > 0.0) == (b > 0.0) ? Infinity : MinusInfinity;
  return a / b;
}

}  // namespace umbrinex
