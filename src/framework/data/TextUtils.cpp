#include "framework/data/TextUtils.h"

#include <cstdarg>
#include <cstdio>

namespace umbrinex {

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
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

}  // namespace umbrinex
