#pragma once
// How values are written as text and read back from what a user types.

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/data/DataTypes.h"
#include "numerics/Errors.h"

namespace umbrinex {

class TVariant;

class EVarTypeError : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

// A real as text: the special values by name, "0" for magnitudes not above
// tiny, otherwise the shortest general format with up to 15 significant digits.
// A NaN or an IEEE infinity, which only a damaged file can hold, reads "NaN",
// "Inf" or "-Inf".
std::string RealToText(double value);

// General format with the given number of significant digits: fixed
// notation for moderate exponents, "1.5E20" or "1E-5" beyond them.
std::string FormatGeneral(double value, int precision);

// The value-to-text rule for a descriptor type; other types raise
// EVarTypeError "VarType not recognised.".
std::string ValueToText(const TVariant& value, TVarType type);

// Outcome of reading a typed text.
enum class TTextError { None = 0, NotANumber = 1, OutOfRange = 2, Negative = 3 };

TTextError TextToReal(std::string_view text, double& value);
TTextError TextToSmallInt(std::string_view text, std::int32_t& value);   // -32768..32767
TTextError TextToCardinal(std::string_view text, std::int32_t& value);   // 0..65535, "?" and "~"
TTextError TextToLong(std::string_view text, std::int32_t& value);
TTextError TextToHex(std::string_view text, std::int32_t& value);

// Options of FormatReal.
enum TFormatRealFlags : unsigned {
  frExponentHigh = 1,   // exponent form for large values
  frExponentLow = 2,    // exponent form for small values
  frSignificant = 4,    // keep significant digits of small values
  frFit = 8,            // drop decimals until the text fits the width
  frAll = 15,
};
inline constexpr int FreePrecision = INT_MAX;

// Fixed-width real-number format shared by the grid and the reports.
std::string FormatReal(int width, int decimals, unsigned flags, double value);

}  // namespace umbrinex
