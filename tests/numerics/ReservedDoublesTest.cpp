#include "numerics/ReservedDoubles.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

namespace umbrinex {
namespace {

TEST(SpecialValues, HaveTheirExactBitPatterns)
{
  EXPECT_EQ(std::bit_cast<std::uint64_t>(Infinity), 0x7FAC7B1F3CAC7433u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(Undefined), 0x7FBC7B1F3CAC7433u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(DefaultValue), 0x7FB55C576D815727u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(NotApplicable), 0x7FC55C576D815726u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(Tiny), 0x0031FA182C40C60Du);
  // The decimal literal 1.5e307 is the neighbouring double, not Default.
  EXPECT_FALSE(IsDefault(1.5e307));
}

TEST(SpecialValues, IsSpecialCoversEveryReservedValueAndNothingElse)
{
  for (double v : {Infinity, MinusInfinity, Undefined, DefaultValue, NotApplicable, Tiny, -Tiny})
    EXPECT_TRUE(IsSpecial(v)) << v;
  for (double v : {0.0, 1.0, -1.0, 1e306, 1.5e307, 2e-307, -Undefined}) EXPECT_FALSE(IsSpecial(v)) << v;
}

TEST(SafeDivide, FollowsTheInfinityRules)
{
  EXPECT_EQ(SafeDivide(6.0, 3.0), 2.0);
  EXPECT_EQ(SafeDivide(Undefined, 3.0), Undefined);
  EXPECT_EQ(SafeDivide(3.0, Undefined), Undefined);
  EXPECT_EQ(SafeDivide(0.0, 0.0), Undefined);
  EXPECT_EQ(SafeDivide(2.0, 0.0), Infinity);
  EXPECT_EQ(SafeDivide(-2.0, 0.0), MinusInfinity);
  EXPECT_EQ(SafeDivide(5.0, Infinity), 0.0);
  EXPECT_EQ(SafeDivide(5.0, MinusInfinity), 0.0);
  EXPECT_EQ(SafeDivide(Infinity, Infinity), Undefined);
  EXPECT_EQ(SafeDivide(Infinity, -2.0), MinusInfinity);
  EXPECT_EQ(SafeDivide(MinusInfinity, -2.0), Infinity);
}

}  // namespace
}  // namespace umbrinex
