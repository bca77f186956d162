#include "framework/data/TextUtils.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>

namespace umbrinex {

namespace {
bool IsBlank(char c)
{
  return static_cast<unsigned char>(c) <= ' ';
}
char UpperChar(char c)
{
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char LowerChar(char c)
{
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool IsContinuationByte(char c)
{
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
}  // namespace

std::string Trim(std::string_view text)
{
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return std::string(text.substr(first, last - first));
}

std::string UpperCase(std::string_view text)
{
  std::string result(text);
  for (char& c : result) c = UpperChar(c);
  return result;
}

std::string LowerCase(std::string_view text)
{
  std::string result(text);
  for (char& c : result) c = LowerChar(c);
  return result;
}

bool SameText(std::string_view a, std::string_view b)
{
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  return true;
}

namespace {
// Advances past one UTF-8 character.
std::size_t NextChar(std::string_view text, std::size_t i)
{
  ++i;
  while (i < text.size() && IsContinuationByte(text[i])) ++i;
  return i;
}
}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view text)
{
  if (pattern.empty()) return true;  // an empty pattern stands for anything
  // Iterative matcher with backtracking to the last '*'.
  std::size_t p = 0, t = 0;
  std::size_t starP = std::string_view::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = ++p;
      starT = t;
    } else if (p < pattern.size() && pattern[p] == '?') {
      p = NextChar(pattern, p);
      t = NextChar(text, t);
    } else if (p < pattern.size() && UpperChar(pattern[p]) == UpperChar(text[t])) {
      ++p;
      ++t;
    } else if (starP != std::string_view::npos) {
      p = starP;
      t = NextChar(text, starT);
      starT = t;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::size_t CharLength(std::string_view text)
{
  std::size_t n = 0;
  for (char c : text)
    if (!IsContinuationByte(c)) ++n;
  return n;
}

std::string LeftChars(std::string_view text, std::size_t n)
{
  std::size_t i = 0;
  for (std::size_t count = 0; i < text.size() && count < n; ++count) i = NextChar(text, i);
  return std::string(text.substr(0, i));
}

namespace {

// The length of the well-formed UTF-8 character at i (2..4 bytes for a
// lead byte), or 0 when the bytes there are not one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i)
{
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  char32_t c = 0, least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1Fu, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0Fu, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07u, least = 0x10000;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if (!IsContinuationByte(text[i + k])) return 0;
    c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

void AppendEscape(std::string& out, const char* prefix, unsigned value)
{
  static constexpr char digits[] = "0123456789ABCDEF";
  out += prefix;
  if (value > 0xFF) {
    out += digits[(value >> 12) & 0xF];
    out += digits[(value >> 8) & 0xF];
  }
  out += digits[(value >> 4) & 0xF];
  out += digits[value & 0xF];
}

}  // namespace

namespace {

// The code point of the well-formed sequence of length bytes at i.
char32_t DecodeUtf8(std::string_view text, std::size_t i, std::size_t length)
{
  static constexpr unsigned leadMasks[] = {0, 0, 0x1F, 0x0F, 0x07};
  char32_t c = static_cast<unsigned char>(text[i]) & leadMasks[length];
  for (std::size_t k = 1; k < length; ++k) c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
  return c;
}

// The C1 controls, which terminals obey as commands, and the bidirectional
// embeddings, overrides and isolates, which make a text read in another
// order than it is stored in.
bool IsSteering(char32_t c)
{
  return (c >= 0x80 && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// Appends the UTF-8 sequence of the given length at i: as it stands, or as
// its escape when it steers the display.
void AppendSequence(std::string& out, std::string_view text, std::size_t i, std::size_t length)
{
  const char32_t c = DecodeUtf8(text, i, length);
  if (IsSteering(c))
    AppendEscape(out, c > 0xFF ? "\\u" : "\\u00", static_cast<unsigned>(c));
  else
    out.append(text.substr(i, length));
}

}  // namespace

bool IsValidUtf8(std::string_view text)
{
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string EscapeSteeringCharacters(std::string_view text)
{
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = static_cast<unsigned char>(text[i]) < 0x80 ? 0 : Utf8SequenceLength(text, i);
    if (length == 0) {
      out += text[i++];
      continue;
    }
    AppendSequence(out, text, i, length);
    i += length;
  }
  return out;
}

std::string VisibleText(std::string_view text, bool keepLineBreaks)
{
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const std::size_t length = Utf8SequenceLength(text, i);
      if (length == 0) {
        AppendEscape(out, "\\x", c);
        ++i;
        continue;
      }
      AppendSequence(out, text, i, length);
      i += length;
      continue;
    }
    const bool lineBreak = keepLineBreaks && (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n'));
    if (lineBreak) {
      if (c == '\n') out += '\n';
    } else if (c < 0x20 || c == 0x7F) {
      AppendEscape(out, "\\x", c);
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  return out;
}

std::string Format(const char* format, ...)
{
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string result(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  if (size > 0) std::vsnprintf(result.data(), result.size() + 1, format, args);
  va_end(args);
  return result;
}

std::string ShortestNumberText(double value)
{
  std::string text;
  AppendShortestNumber(text, value);
  return text;
}

void AppendShortestNumber(std::string& out, double value)
{
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, error == std::errc() ? end : buffer);
}

}  // namespace umbrinex
