#include "framework/grid/DataTextPort.h"

namespace umbrinex {

void TDataTextPort::WriteAt(int column, int line, std::string_view text)
{
  if (column < 1 || line < 1) return;
  const auto lineIndex = static_cast<std::size_t>(line - 1);
  if (FLines.size() <= lineIndex) FLines.resize(lineIndex + 1);
  std::u32string& target = FLines[lineIndex];
  const std::u32string characters = DecodeUtf8(text);
  const auto start = static_cast<std::size_t>(column - 1);
  if (target.size() < start + characters.size()) target.resize(start + characters.size(), U' ');
  target.replace(start, characters.size(), characters);
}

std::string TDataTextPort::Line(int i) const
{
  return EncodeUtf8(FLines.at(static_cast<std::size_t>(i)));
}

std::vector<std::string> TDataTextPort::Lines() const
{
  std::vector<std::string> lines;
  lines.reserve(FLines.size());
  for (const std::u32string& line : FLines) lines.push_back(EncodeUtf8(line));
  return lines;
}

std::string TDataTextPort::Text() const
{
  std::string text;
  for (const std::u32string& line : FLines) text.append(EncodeUtf8(line)).append("\n");
  return text;
}

std::u32string DecodeUtf8(std::string_view text)
{
  std::u32string result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    char32_t code = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid) {
      code = lead;
      length = 1;
    }
    result.push_back(code);
    i += static_cast<std::size_t>(length);
  }
  return result;
}

std::string EncodeUtf8(std::u32string_view text)
{
  std::string result;
  result.reserve(text.size());
  for (const char32_t c : text) {
    if (c < 0x80) {
      result.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      result.push_back(static_cast<char>(0xC0 | (c >> 6)));
      result.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      result.push_back(static_cast<char>(0xE0 | (c >> 12)));
      result.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      result.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      result.push_back(static_cast<char>(0xF0 | (c >> 18)));
      result.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      result.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      result.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return result;
}

}  // namespace umbrinex
