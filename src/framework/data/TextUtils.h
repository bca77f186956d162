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
// controls U+0080..U+009F "\u009B", and bytes that are not UTF-8 "\xFF", so
// that no text can move the cursor, retitle the window or recolour it. With
// keepLineBreaks, line feeds (and the CR of a CR LF) stay line breaks.
std::string VisibleText(std::string_view text, bool keepLineBreaks = false);
// printf-style formatting into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace umbrinex
