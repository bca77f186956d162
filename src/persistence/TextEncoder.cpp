#include "persistence/TextEncoder.h"

#include "framework/data/TextUtils.h"
#include "persistence/Cp1252.h"

namespace umbrinex {

std::string TTextEncoder::Encode(const std::string& utf8, std::size_t maxBytes)
{
  std::string bytes = Utf8ToCp1252(Trim(utf8), &FReplacedCharacters);
  if (bytes.size() > maxBytes) {
    bytes.resize(maxBytes);
    ++FCutTexts;
  }
  return bytes;
}

std::string TTextEncoder::EncodeFixed(const std::string& utf8, std::size_t width)
{
  std::string bytes = Utf8ToCp1252(Trim(utf8), &FReplacedCharacters);
  bytes.resize(width, '\0');
  return bytes;
}

}  // namespace umbrinex
