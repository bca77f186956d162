#pragma once
// Small text helpers shared by the data framework. Texts are UTF-8 in memory;
// case folding and blank trimming follow the program's rules (ASCII letters
// only, and every character up to and including the space is a blank).

#include <string>
#include <string_view>

namespace umbrinex {

// The line break inside message texts.
inline constexpr const char* LineBreak = "\n";

std::string Trim(std::string_view text);
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// Whole-text match: '*' any run of characters (none included), '?' exactly
// one character, anything else compared without regard to case.
bool WildcardMatch(std::string_view pattern, std::string_view text);
// Length in characters (code points), and the first n characters.
std::size_t CharLength(std::string_view text);
std::string LeftChars(std::string_view text, std::size_t n);
// A text from outside the program (a file, the command line) made safe to
// show on a terminal: C0 control characters and DEL become "\x1B", the C1
// controls U+0080..U+009F "\u009B", the bidirectional embeddings, overrides
// and isolates (U+202A..U+202E, U+2066..U+2069) "\u202E", and bytes that are
// not UTF-8 "\xFF", so that no text can move the cursor, retitle the window,
// recolour it or show itself in another order. With keepLineBreaks, line
// feeds (and the CR of a CR LF) stay line breaks.
std::string VisibleText(std::string_view text, bool keepLineBreaks = false);
// Only the C1 controls and the bidirectional controls written as "\u009B" and
// "\u202E", everything else as it is: for JSON, whose own escaping leaves
// them raw, and where these escapes are valid inside strings.
std::string EscapeSteeringCharacters(std::string_view text);
// Every byte belongs to a well-formed UTF-8 character.
bool IsValidUtf8(std::string_view text);
// The shortest text that reads back as the same double ("0.1", "1e-300");
// the append form allocates nothing once the string has room.
std::string ShortestNumberText(double value);
void AppendShortestNumber(std::string& out, double value);
// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace umbrinex
