#pragma once
// Texts between the program (UTF-8) and its files (Windows-1252), counting
// what did not survive the trip.

#include <cstddef>
#include <string>

namespace umbrinex {

class TTextEncoder {
 public:
  // The trimmed text in the file's code page, cut to maxBytes.
  std::string Encode(const std::string& utf8, std::size_t maxBytes);
  // The trimmed text in the file's code page, cut or padded with zero
  // bytes to the width; a text cut here is not counted.
  std::string EncodeFixed(const std::string& utf8, std::size_t width);

  // Characters written as '?' because the file's code page has no such
  // character, or because the text was not valid UTF-8.
  std::size_t ReplacedCharacters() const { return FReplacedCharacters; }
  // Texts cut to the bytes their field can hold.
  std::size_t CutTexts() const { return FCutTexts; }

 private:
  std::size_t FReplacedCharacters = 0;
  std::size_t FCutTexts = 0;
};

}  // namespace umbrinex
