#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "framework/data/ValueText.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

struct TFormatCase {
  int width;
  int decimals;
  unsigned flags;
  double value;
  std::string expected;
};

void ExpectFormats(const std::vector<TFormatCase>& cases)
{
  for (const TFormatCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "FormatReal(" << c.width << ", " << c.decimals << ", " << c.flags << ", "
                                      << c.value << ")");
    EXPECT_EQ(FormatReal(c.width, c.decimals, c.flags, c.value), c.expected);
  }
}

constexpr unsigned kNone = 0;

TEST(FormatReal, WritesTheGridExamples)
{
  ExpectFormats({
      {8, 3, frAll, 123.4567, " 123.457"},
      {8, 3, frAll, 12345.68, "12.346E3"},
      {8, 3, frAll, 0.00012, " 0.00012"},  // five decimals keep two significant digits
  });
}

TEST(FormatReal, SignsNegativeValuesButNotValuesThatRoundToZero)
{
  ExpectFormats({
      {8, 3, frAll, -123.4567, "-123.457"},
      {8, 3, frAll, -12345.68, "-12.35E3"},  // the sign costs a decimal
      {8, 3, frAll, -0.00012, "-0.00012"},
      {0, 3, kNone, -0.0001, "0.000"},
      {0, 0, kNone, -0.4, "0"},
  });
}

TEST(FormatReal, PadsOnTheLeftToTheWidthAndNeverCuts)
{
  ExpectFormats({
      {0, 3, frAll, 123.4567, "123.457"},
      {10, 3, frAll, 1.5, "     1.500"},
      {-4, 1, kNone, 1.5, "1.5"},
      {8, 3, kNone, 123456.789, "123456.789"},
      {5, 2, frFit, 123456789.0, "123456789"},  // no decimals left to drop
  });
}

TEST(FormatReal, WritesZeroAndTinyWithTheDecimalsTheWidthAllows)
{
  ExpectFormats({
      {8, 3, frAll, 0.0, "   0.000"},
      {8, 3, frAll, -0.0, "   0.000"},
      {8, 3, frAll, Tiny, "   0.000"},
      {8, 3, frAll, -Tiny, "   0.000"},
      {8, 3, frAll, 5e-308, "   0.000"},
      {4, 3, frAll, 0.0, "0.00"},
      {3, 3, frAll, 0.0, "0.0"},
      {2, 3, frAll, 0.0, " 0"},
      {0, 3, frAll, 0.0, "0"},
      {8, 0, frAll, 0.0, "       0"},
      {8, FreePrecision, frAll, 0.0, "       0"},
  });
  // Just above tiny is an ordinary value.
  EXPECT_EQ(FormatReal(0, 3, frAll, 2e-307), "200E-309");
}

TEST(FormatReal, WritesSpecialValuesByNamePaddedToTheWidth)
{
  ExpectFormats({
      {8, 3, frAll, Infinity, "Infinity"},
      {10, 3, frAll, Infinity, "  Infinity"},
      {8, 3, frAll, MinusInfinity, "-Infinity"},
      {8, 3, frAll, Undefined, "       ?"},
      {8, 3, frAll, DefaultValue, "       ~"},
      {8, 3, frAll, NotApplicable, "     N/A"},
      {0, FreePrecision, kNone, Undefined, "?"},
  });
  // 1.5e307 is the neighbour of Default, an ordinary number.
  EXPECT_EQ(FormatReal(0, 0, frAll, 1.5e307), "15E306");
}

TEST(FormatReal, GivesStarsForValuesThatAreNotNumbers)
{
  for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(FormatReal(8, 3, frAll, v), "**********");
    EXPECT_EQ(FormatReal(12, FreePrecision, kNone, v), "**********");
  }
}

TEST(FormatReal, CarriesRoundingIntoANewDigit)
{
  ExpectFormats({
      {8, 3, frAll, 9.9996, "  10.000"},
      {8, 3, frAll, 0.99996, "   1.000"},
      {0, 3, kNone, 999.9996, "1000.000"},
      {8, 3, frAll, 999999.6, " 1.000E6"},  // the mantissa may not reach 1000
      {8, 3, frAll, 99999.99, "100.00E3"},
      {7, 2, frAll, 999960.0, "  1.0E6"},  // carries while fitting
      {8, 3, frAll, 9.9999996e-7, "    1E-6"},
  });
}

TEST(FormatReal, MovesLargeAndSmallValuesToEngineeringExponents)
{
  ExpectFormats({
      {8, 3, frAll, 9999.4, "9999.400"},  // four integer digits stay fixed
      {0, 3, frAll, 123456789.0, "123.457E6"},
      {0, 3, frAll, 1234567.0, "1.235E6"},
      {0, 3, frExponentHigh, 12345.68, "12.346E3"},
      {0, 3, frExponentLow, 12345.68, "12345.680"},
      {0, 3, frAll, 1.5e300, "1.500E300"},
      // Small values keep their resolution: each step of 1000 costs three decimals.
      {8, 3, frAll, 0.0001, " 0.00010"},
      {8, 3, frAll, 0.000012345, "   12E-6"},
      {0, 9, frAll, 0.000012345, "12.345E-6"},
      {0, 3, frAll, 1.5e-7, "150E-9"},
      {0, 3, frAll, -0.0000999, "-100E-6"},
      {0, 3, frExponentHigh, 0.000012345, "0.000"},
  });
}

TEST(FormatReal, KeepsTwoSignificantDigitsOfSmallValues)
{
  ExpectFormats({
      {8, 3, frSignificant, 0.00012, " 0.00012"},
      {8, 3, frFit, 0.00012, "   0.000"},
      {8, 3, frSignificant, 0.000012345, "0.000012"},
      {8, 0, frAll, 5.3, "     5.3"},
      {8, 0, kNone, 5.3, "       5"},
      {8, 0, frAll, 53.0, "      53"},
      {0, 0, frAll, 1.23e-5, "12E-6"},
  });
}

TEST(FormatReal, DropsDecimalsUntilTheTextFits)
{
  ExpectFormats({
      {8, 3, frAll, 123456789.0, "123.46E6"},
      {8, 3, frFit, 123456.789, "123456.8"},
      {6, 3, frAll, 0.00012, "0.0001"},         // fitting outranks the significant digits
      {0, 3, frFit, 123456.789, "123456.789"},  // no width, nothing to fit
  });
}

TEST(FormatReal, WritesFreePrecisionWithoutTrailingZeros)
{
  ExpectFormats({
      {0, FreePrecision, kNone, 1.5, "1.5"},
      {0, FreePrecision, kNone, -2.0, "-2"},
      {0, FreePrecision, kNone, 0.1 + 0.2, "0.3"},
      {0, FreePrecision, kNone, 1.0 / 3.0, "0.333333333333333"},
      {0, FreePrecision, kNone, 123456.789, "123456.789"},
      {0, FreePrecision, kNone, 1e20, "100000000000000000000"},
      {0, FreePrecision, frAll, 1234567.0, "1.234567E6"},
      {0, FreePrecision, frAll, 1.5e-7, "150E-9"},
      {8, FreePrecision, kNone, 1.5, "     1.5"},
      // Neither the significant-digits rule nor fitting applies.
      {8, FreePrecision, frAll, 3.14159265358979, "3.14159265358979"},
      {8, FreePrecision, frAll, 0.00012, " 0.00012"},
  });
}

TEST(FormatReal, NeverWritesMoreThanFifteenSignificantDigits)
{
  ExpectFormats({
      {0, 20, kNone, 1.0 / 3.0, "0.333333333333333"},
      {0, 10, kNone, 123456789.123456789, "123456789.123457"},
      {0, 3, kNone, 1.23456789012345678e20, "123456789012346000000"},
      {0, 400, kNone, 1e-300, "0." + std::string(299, '0') + "100000000000000"},
  });
}

TEST(FormatReal, RoundsHalfwayValuesAwayFromZero)
{
  ExpectFormats({
      {0, 0, kNone, 2.5, "3"},
      {0, 0, kNone, -2.5, "-3"},
      {0, 2, kNone, 0.125, "0.13"},
      {0, 1, kNone, 4.35, "4.4"},  // as typed, although the double is just below
  });
}

}  // namespace
}  // namespace umbrinex
