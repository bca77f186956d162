#include "framework/data/ValueText.h"

#include <gtest/gtest.h>

#include <limits>

#include "framework/data/TextUtils.h"
#include "framework/data/Variant.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

TEST(RealToText, WritesSpecialValuesByName)
{
  EXPECT_EQ(RealToText(Infinity), "Infinity");
  EXPECT_EQ(RealToText(MinusInfinity), "-Infinity");
  EXPECT_EQ(RealToText(Undefined), "?");
  EXPECT_EQ(RealToText(DefaultValue), "~");
  EXPECT_EQ(RealToText(NotApplicable), "N/A");
  EXPECT_EQ(RealToText(Tiny), "0");
  EXPECT_EQ(RealToText(-Tiny), "0");
  // Only a damaged file holds these; they show as what they are.
  EXPECT_EQ(RealToText(std::numeric_limits<double>::quiet_NaN()), "NaN");
  EXPECT_EQ(RealToText(std::numeric_limits<double>::infinity()), "Inf");
  EXPECT_EQ(RealToText(-std::numeric_limits<double>::infinity()), "-Inf");
  EXPECT_EQ(RealToText(0.0), "0");
}

TEST(RealToText, UsesTheShortestGeneralFormat)
{
  EXPECT_EQ(RealToText(1000.0), "1000");
  EXPECT_EQ(RealToText(2.5), "2.5");
  EXPECT_EQ(RealToText(-0.3), "-0.3");
  EXPECT_EQ(RealToText(0.1 + 0.2), "0.3");  // 15 significant digits hide the binary tail
  EXPECT_EQ(RealToText(0.0001), "0.0001");
  EXPECT_EQ(RealToText(0.00001), "1E-5");
  EXPECT_EQ(RealToText(123456789012345.0), "123456789012345");
  EXPECT_EQ(RealToText(1e15), "1E15");
  EXPECT_EQ(RealToText(-1.25e20), "-1.25E20");
  EXPECT_EQ(RealToText(3.28083989501312), "3.28083989501312");
}

TEST(TextToReal, ReadsNumbersAndSpecialTexts)
{
  double v = 0.0;
  EXPECT_EQ(TextToReal("  12.5  ", v), TTextError::None);
  EXPECT_EQ(v, 12.5);
  EXPECT_EQ(TextToReal("-1e3", v), TTextError::None);
  EXPECT_EQ(v, -1000.0);
  EXPECT_EQ(TextToReal(".5", v), TTextError::None);
  EXPECT_EQ(v, 0.5);
  EXPECT_EQ(TextToReal("?", v), TTextError::None);
  EXPECT_EQ(v, Undefined);
  EXPECT_EQ(TextToReal("~", v), TTextError::None);
  EXPECT_TRUE(IsDefault(v));
  for (const char* text : {"inf", "INFIN", "Infinite", " infinity "}) {
    v = 0.0;
    EXPECT_EQ(TextToReal(text, v), TTextError::None) << text;
    EXPECT_EQ(v, Infinity) << text;
  }
  EXPECT_EQ(TextToReal("-Infinity", v), TTextError::None);
  EXPECT_EQ(v, MinusInfinity);
}

TEST(TextToReal, RefusesWhatIsNotAPlainNumber)
{
  double v = 7.0;
  for (const char* text : {"", "abc", "1.2.3", "1e", "nan", "0x10", "1,5", "--1", "e5", "12abc"})
    EXPECT_EQ(TextToReal(text, v), TTextError::NotANumber) << text;
  EXPECT_EQ(TextToReal("1e400", v), TTextError::OutOfRange);
  // Beyond Infinity (1e307) lie the special values: no typed number goes there.
  for (const char* text : {"1e308", "-1e308", "2e307", "1.0000001e307"})
    EXPECT_EQ(TextToReal(text, v), TTextError::OutOfRange) << text;
  EXPECT_EQ(v, 7.0);
  EXPECT_EQ(TextToReal("1e-400", v), TTextError::None);
  EXPECT_EQ(v, 0.0);
}

TEST(TextToInteger, ReportsTheErrorKindForEachType)
{
  std::int32_t v = 0;
  EXPECT_EQ(TextToSmallInt("-32768", v), TTextError::None);
  EXPECT_EQ(v, -32768);
  EXPECT_EQ(TextToSmallInt("32768", v), TTextError::OutOfRange);
  EXPECT_EQ(TextToSmallInt("1.5", v), TTextError::NotANumber);

  EXPECT_EQ(TextToCardinal("?", v), TTextError::None);
  EXPECT_EQ(v, 65000);
  EXPECT_EQ(TextToCardinal("~", v), TTextError::None);
  EXPECT_EQ(v, 65500);
  EXPECT_EQ(TextToCardinal("65535", v), TTextError::None);
  EXPECT_EQ(TextToCardinal("65536", v), TTextError::OutOfRange);
  EXPECT_EQ(TextToCardinal("-1", v), TTextError::Negative);
  EXPECT_EQ(TextToCardinal("x", v), TTextError::NotANumber);

  EXPECT_EQ(TextToLong("2147483647", v), TTextError::None);
  EXPECT_EQ(TextToLong("2147483648", v), TTextError::NotANumber);
  EXPECT_EQ(TextToHex("FF", v), TTextError::None);
  EXPECT_EQ(v, 255);
  EXPECT_EQ(TextToHex("FFFFFFFF", v), TTextError::None);
  EXPECT_EQ(v, -1);
  EXPECT_EQ(TextToHex("G1", v), TTextError::NotANumber);
}

TEST(ValueToText, FollowsTheDescriptorType)
{
  EXPECT_EQ(ValueToText(TVariant(65000), vtCard), "?");
  EXPECT_EQ(ValueToText(TVariant(65500), vtCard), "~");
  EXPECT_EQ(ValueToText(TVariant(12), vtCard), "12");
  EXPECT_EQ(ValueToText(TVariant(-12), vtInt), "-12");
  EXPECT_EQ(ValueToText(TVariant(Tiny), vtReal), "0");
  EXPECT_EQ(ValueToText(TVariant(1), vtBool), "true");
  EXPECT_EQ(ValueToText(TVariant("Steel"), vtName), "Steel");
  EXPECT_THROW(ValueToText(TVariant(1), vtColour), EVarTypeError);
}

TEST(Variant, ConvertsBetweenKinds)
{
  EXPECT_EQ(TVariant(2.5).ToInteger(), 2);  // half to even
  EXPECT_EQ(TVariant(3.5).ToInteger(), 4);
  EXPECT_EQ(TVariant(Infinity).ToInteger(), std::nullopt);
  EXPECT_EQ(TVariant("17").ToInteger(), 17);
  EXPECT_EQ(TVariant("abc").ToInteger(), std::nullopt);
  EXPECT_EQ(TVariant("~").ToReal().value(), DefaultValue);
  EXPECT_EQ(TVariant(true).ToReal(), 1.0);
  EXPECT_EQ(TVariant(0.25).ToText(), "0.25");
  TStringListTarget list;
  list.Add("a", 1);
  list.Add("b", 2);
  list.SetSelectedIndex(1);
  EXPECT_EQ(TVariant(&list).ToText(), "b");
  EXPECT_EQ(TVariant(&list).ToList(), &list);
}

TEST(TextUtils, WildcardsMatchTheWholeTextWithoutRegardToCase)
{
  EXPECT_TRUE(WildcardMatch("User*", "user"));
  EXPECT_TRUE(WildcardMatch("User*", "USER DEFINED"));
  EXPECT_FALSE(WildcardMatch("User*", "s"));
  EXPECT_TRUE(WildcardMatch("", "anything"));
  EXPECT_TRUE(WildcardMatch("a?c", "abc"));
  EXPECT_FALSE(WildcardMatch("a?c", "ac"));
  EXPECT_TRUE(WildcardMatch("*x*y", "axbxcy"));
  EXPECT_FALSE(WildcardMatch("*x*y", "axbxc"));
  EXPECT_EQ(Trim("\t a b \r\n"), "a b");
  EXPECT_EQ(CharLength("Ab\xC3\xA9"), 3u);
  EXPECT_EQ(LeftChars("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9");
}

TEST(VisibleText, ShowsControlCharactersAndBrokenBytesInsteadOfPassingThemOn)
{
  struct TCase {
    const char* Text;
    bool KeepLineBreaks;
    const char* Shown;
  };
  const TCase cases[] = {
      {"plain \u00e9\u20ac text", false, "plain \u00e9\u20ac text"},
      {"\x1b]0;title\x07\x1b[2J", false, "\\x1B]0;title\\x07\\x1B[2J"},
      {"tab\tdel\x7f nul", false, "tab\\x09del\\x7F nul"},
      {"one\r\ntwo\nthree\rfour", true, "one\ntwo\nthree\\x0Dfour"},
      {"one\ntwo", false, "one\\x0Atwo"},
      {"csi \xc2\x9b osc \xc2\x9d", false, "csi \\u009B osc \\u009D"},
      {"broken \xff\xc3 end", false, "broken \\xFF\\xC3 end"},
      {"overlong \xc0\xaf", false, "overlong \\xC0\\xAF"},
  };
  for (const TCase& c : cases) EXPECT_EQ(VisibleText(std::string(c.Text), c.KeepLineBreaks), c.Shown) << c.Shown;
  EXPECT_EQ(VisibleText(std::string("a\0b", 3)), "a\\x00b");
}

// A right-to-left override makes "txt.exe" read as "exe.txt"; the isolates
// and embeddings reorder text the same way.
TEST(VisibleText, ShowsTheBidirectionalControlsButNotTheLettersAroundThem)
{
  EXPECT_EQ(VisibleText("name\u202Etxt.exe"), "name\\u202Etxt.exe");
  EXPECT_EQ(VisibleText("\u202A\u202B\u202C\u202D \u2066\u2067\u2068\u2069"),
            "\\u202A\\u202B\\u202C\\u202D \\u2066\\u2067\\u2068\\u2069");
  // Their neighbours in the same block are ordinary characters.
  EXPECT_EQ(VisibleText("\u2029\u202F\u2065\u206A\u2014"), "\u2029\u202F\u2065\u206A\u2014");
}

TEST(EscapeSteeringCharacters, LeavesEverythingButTheC1AndBidirectionalControls)
{
  EXPECT_EQ(EscapeSteeringCharacters("a\xc2\x9b[2Jb\u202Ec\u00e9\xc2\xa0"), "a\\u009B[2Jb\\u202Ec\u00e9\xc2\xa0");
  // C0 controls and broken bytes are for the caller's own escaping.
  EXPECT_EQ(EscapeSteeringCharacters(std::string("\x1b\t\xff\0", 4)), std::string("\x1b\t\xff\0", 4));
}

TEST(IsValidUtf8, RefusesBrokenOverlongAndSurrogateSequences)
{
  EXPECT_TRUE(IsValidUtf8("plain \u00e9\u20ac\U0001F600"));
  EXPECT_TRUE(IsValidUtf8(std::string("\0\x7f", 2)));
  for (const char* broken : {"\xff", "a\xc3", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe2\x82"})
    EXPECT_FALSE(IsValidUtf8(broken)) << VisibleText(broken);
}

}  // namespace
}  // namespace umbrinex
