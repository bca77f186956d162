#pragma once
// Shared test helpers.

#include <gtest/gtest.h>

#include <cmath>

#include "numerics/ReservedDoubles.h"

namespace umbrinex::testing {

// Relative closeness, with the special doubles equal only to themselves.
inline ::testing::AssertionResult IsClose(double expected, double actual, double relTol = 1e-9)
{
  if (IsSpecial(expected) || IsSpecial(actual)) {
    if (std::bit_cast<std::uint64_t>(expected) == std::bit_cast<std::uint64_t>(actual))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected special " << expected << ", got " << actual;
  }
  const double scale = std::max({1.0, std::fabs(expected), std::fabs(actual)});
  if (std::fabs(expected - actual) <= relTol * scale) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "expected " << expected << ", got " << actual << " (difference "
                                       << actual - expected << ")";
}

}  // namespace umbrinex::testing

#define EXPECT_CLOSE(expected, actual, ...) EXPECT_TRUE(::umbrinex::testing::IsClose((expected), (actual), ##__VA_ARGS__))
