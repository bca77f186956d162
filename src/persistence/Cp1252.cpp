#include "persistence/Cp1252.h"

#include <array>
#include <cstdint>

namespace umbrinex {

namespace {

// Code points of the bytes 80..9F; the undefined ones keep their own value.
constexpr std::array<char32_t, 32> HighControls = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t Invalid = 0xFFFFFFFF;

char32_t ByteToCodePoint(unsigned char b)
{
  return (b >= 0x80 && b < 0xA0) ? HighControls[b - 0x80] : b;
}

// The byte for a code point, or -1 when the code page has none.
int CodePointToByte(char32_t c)
{
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (std::size_t i = 0; i < HighControls.size(); ++i)
    if (HighControls[i] == c) return static_cast<int>(0x80 + i);
  return -1;
}

void AppendUtf8(std::string& out, char32_t c)
{
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    // Nothing in the code page lies beyond the Basic Multilingual Plane.
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes the character at i and advances past it. A malformed sequence
// (stray continuation byte, truncation, overlong form, surrogate, beyond
// U+10FFFF) gives Invalid and advances by one byte only, so that the next
// valid character is not swallowed.
char32_t NextCodePoint(std::string_view text, std::size_t& i)
{
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  // Sequence length, payload bits of the lead byte, and the smallest code
  // point that needs this length (anything below is an overlong form).
  std::size_t length = 0;
  char32_t c = 0;
  char32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    c = lead & 0x1F;
    least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    c = lead & 0x0F;
    least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    c = lead & 0x07;
    least = 0x10000;
  } else {
    ++i;
    return Invalid;
  }
  if (text.size() - i < length) {
    ++i;
    return Invalid;
  }
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return Invalid;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return Invalid;
  }
  i += length;
  return c;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes)
{
  std::string out;
  out.reserve(bytes.size());
  for (char b : bytes) AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(b)));
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8, std::size_t* replaced)
{
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char32_t c = NextCodePoint(utf8, i);
    const int b = c == Invalid ? -1 : CodePointToByte(c);
    if (b < 0) {
      out += '?';
      if (replaced != nullptr) ++*replaced;
    } else {
      out += static_cast<char>(static_cast<unsigned char>(b));
    }
  }
  return out;
}

bool IsRepresentableInFileText(const std::string& utf8)
{
  std::size_t replaced = 0;
  Utf8ToCp1252(utf8, &replaced);
  return replaced == 0;
}

}  // namespace umbrinex
