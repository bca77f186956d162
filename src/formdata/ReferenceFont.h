#pragma once
// The font the data forms are laid out in when they are written out as
// text: the desktop's default form font (a sans serif of 9 points at 96 dots
// per inch, 12 pixels) measured once, so that a design's data reads the
// same on every machine and without a window system. The numbers are what
// the toolkit reports for that font: advances of single characters in
// 1/64 pixel, the kerning of character pairs, and the line metrics.

#include <string_view>

namespace umbrinex {

namespace ReferenceFont {

// Line height, in whole pixels and as the exact fractional height.
constexpr int Height = 14;
constexpr double ExactHeight = 894 / 64.0;
constexpr int AverageCharWidth = 6;
// Of "0123456789", over ten: the character width of the data grids.
constexpr double DigitWidth = 76.25 / 10.0;

// A grid's frame and the width of its scroll bars.
constexpr int GridFrameWidth = 1;
constexpr int ScrollBarExtent = 14;

// The forms' reference layout was drawn for a font whose average character
// is 5 pixels wide and whose lines are 13 high; this font moves every
// control apart by these factors.
constexpr double ScaleX = AverageCharWidth / 5.0 > 1.0 ? AverageCharWidth / 5.0 : 1.0;
constexpr double ScaleY = Height / 13.0 > 1.0 ? Height / 13.0 : 1.0;

// The advance of a UTF-8 text, kerning included, in pixels.
double Advance(std::string_view text);
// Rounded to a whole pixel, as a text's width is measured.
int RoundedAdvance(std::string_view text);
// The width a label takes for its text: the advance rounded up.
int LabelWidth(std::string_view text);

}  // namespace ReferenceFont

}  // namespace umbrinex
