#include "framework/data/ValueText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "framework/data/TextUtils.h"
#include "framework/data/Variant.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

std::string RealToText(double value)
{
  // Values no entry can give, only a damaged file: shown for what they are
  // rather than as "0" or "?".
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
  if (value == Infinity) return "Infinity";
  if (value == MinusInfinity) return "-Infinity";
  if (value == Undefined) return "?";
  if (IsDefault(value)) return "~";
  if (value == NotApplicable) return "N/A";
  if (!(std::fabs(value) > Tiny)) return "0";
  return FormatGeneral(value, 15);
}

std::string FormatGeneral(double value, int precision)
{
  if (!std::isfinite(value)) return "?";
  if (value == 0.0) return "0";
  precision = std::clamp(precision, 1, 17);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, value);
  std::string text(buffer);
  const bool negative = text[0] == '-';
  if (negative) text.erase(0, 1);
  const std::size_t ePos = text.find('e');
  const int exponent = std::atoi(text.c_str() + ePos + 1);
  std::string digits = text.substr(0, 1);
  if (ePos > 2) digits.append(text, 2, ePos - 2);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string result = negative ? "-" : "";
  // Fixed notation while the point position lies between -3 and the
  // precision (0.000123 stays fixed, 0.0000123 does not), scientific beyond.
  const int pointPos = exponent + 1;  // digits before the decimal point
  if (pointPos > precision || pointPos < -3) {
    result.append(digits, 0, 1);
    if (digits.size() > 1) result.append(".").append(digits, 1);
    result.append("E").append(std::to_string(exponent));
  } else if (pointPos <= 0) {
    result.append("0.").append(static_cast<std::size_t>(-pointPos), '0').append(digits);
  } else {
    const auto before = static_cast<std::size_t>(pointPos);
    if (digits.size() <= before) {
      result.append(digits).append(before - digits.size(), '0');
    } else {
      result.append(digits, 0, before).append(".").append(digits, before);
    }
  }
  return result;
}

std::string ValueToText(const TVariant& value, TVarType type)
{
  switch (type) {
    case vtInt:
    case vtLong:
      return std::to_string(value.ToInteger().value_or(0));
    case vtCard: {
      const std::int64_t v = value.ToInteger().value_or(0);
      if (v == CardinalUndefined) return "?";
      if (v == CardinalDefault) return "~";
      return std::to_string(static_cast<std::uint16_t>(v));
    }
    case vtReal:
    case vtVariable:
      return RealToText(value.ToReal().value_or(Undefined));
    case vtName:
    case vtText:
      return value.ToText();
    case vtBool:
      return value.ToInteger().value_or(0) != 0 ? "true" : "false";
    default:
      throw EVarTypeError("VarType not recognised.");
  }
}

namespace {

// A plain decimal number: optional sign, digits with an optional point, and
// an optional exponent. At least one mantissa digit.
bool IsDecimalNumber(std::string_view s, int& approxExponent)
{
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  int digits = 0, intDigits = 0, leadingFractionZeros = 0;
  bool seenNonZero = false, inFraction = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      ++digits;
      if (c != '0') seenNonZero = true;
      if (!inFraction && seenNonZero) ++intDigits;
      if (inFraction && !seenNonZero) ++leadingFractionZeros;
    } else if (c == '.' && !inFraction) {
      inFraction = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i == s.size()) return false;
    for (; i < s.size(); ++i) {
      if (s[i] < '0' || s[i] > '9') return false;
      if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  if (i != s.size()) return false;
  approxExponent = static_cast<int>(exponent) + (intDigits > 0 ? intDigits : -leadingFractionZeros);
  return true;
}

// Reads an optionally signed decimal integer into a 64-bit value; false when
// the text is not an integer or does not fit.
bool ParseInteger(std::string_view s, std::int64_t& value, bool& overflow)
{
  overflow = false;
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec == std::errc::result_out_of_range && ptr == s.data() + s.size()) {
    overflow = true;
    return false;
  }
  return ec == std::errc() && ptr == s.data() + s.size();
}

}  // namespace

TTextError TextToReal(std::string_view text, double& value)
{
  const std::string s = Trim(text);
  const std::string upper = UpperCase(s);
  if (upper == "?") {
    value = Undefined;
    return TTextError::None;
  }
  if (upper == "~") {
    value = DefaultValue;
    return TTextError::None;
  }
  std::string_view word = upper;
  const bool negative = !word.empty() && word[0] == '-';
  if (!word.empty() && (word[0] == '-' || word[0] == '+')) word.remove_prefix(1);
  if (word == "INFINITY" || word == "INF" || word == "INFIN" || word == "INFINITE") {
    value = negative ? MinusInfinity : Infinity;
    return TTextError::None;
  }
  int approxExponent = 0;
  if (!IsDecimalNumber(s, approxExponent)) return TTextError::NotANumber;
  std::string_view number = s;
  if (number[0] == '+') number.remove_prefix(1);
  double result = 0.0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), result);
  if (ec == std::errc::result_out_of_range) {
    if (approxExponent > 0) return TTextError::OutOfRange;
    result = 0.0;  // underflow reads as zero
  } else if (ec != std::errc() || ptr != number.data() + number.size()) {
    return TTextError::NotANumber;
  }
  // Beyond Infinity lie the program's special values and then nothing it
  // can hold as a number.
  if (std::fabs(result) > Infinity) return TTextError::OutOfRange;
  value = result;
  return TTextError::None;
}

TTextError TextToSmallInt(std::string_view text, std::int32_t& value)
{
  std::int64_t v = 0;
  bool overflow = false;
  if (!ParseInteger(Trim(text), v, overflow)) return overflow ? TTextError::OutOfRange : TTextError::NotANumber;
  if (v < -32768 || v > 32767) return TTextError::OutOfRange;
  value = static_cast<std::int32_t>(v);
  return TTextError::None;
}

TTextError TextToCardinal(std::string_view text, std::int32_t& value)
{
  const std::string s = Trim(text);
  if (s == "?") {
    value = CardinalUndefined;
    return TTextError::None;
  }
  if (s == "~") {
    value = CardinalDefault;
    return TTextError::None;
  }
  std::int64_t v = 0;
  bool overflow = false;
  if (!ParseInteger(s, v, overflow)) {
    if (!overflow) return TTextError::NotANumber;
    return s[0] == '-' ? TTextError::Negative : TTextError::OutOfRange;
  }
  if (v < 0) return TTextError::Negative;
  if (v > 65535) return TTextError::OutOfRange;
  value = static_cast<std::int32_t>(v);
  return TTextError::None;
}

TTextError TextToLong(std::string_view text, std::int32_t& value)
{
  std::int64_t v = 0;
  bool overflow = false;
  if (!ParseInteger(Trim(text), v, overflow) || v < INT32_MIN || v > INT32_MAX) return TTextError::NotANumber;
  value = static_cast<std::int32_t>(v);
  return TTextError::None;
}

TTextError TextToHex(std::string_view text, std::int32_t& value)
{
  std::string s = Trim(text);
  std::string_view digits = s;
  if (!digits.empty() && digits[0] == '$') digits.remove_prefix(1);
  else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits.remove_prefix(2);
  if (digits.empty()) return TTextError::NotANumber;
  std::uint32_t v = 0;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
  if (ec != std::errc() || ptr != digits.data() + digits.size()) return TTextError::NotANumber;
  value = static_cast<std::int32_t>(v);
  return TTextError::None;
}

}  // namespace umbrinex
