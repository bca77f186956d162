#pragma once
// A page of fixed-pitch text that forms and grids write themselves into, for
// copying, exporting and printing them as text.

#include <string>
#include <string_view>
#include <vector>

namespace umbrinex {

class TDataTextPort {
 public:
  // Writes text starting at a 1-based column of a 1-based line. Lines are
  // added and padded with blanks as needed; the text overwrites what is
  // there. Columns count characters, not bytes.
  void WriteAt(int column, int line, std::string_view text);
  // Appends an empty line.
  void AddLine() { FLines.emplace_back(); }

  int LineCount() const { return static_cast<int>(FLines.size()); }
  // Line i (0-based), UTF-8.
  std::string Line(int i) const;
  std::vector<std::string> Lines() const;
  // Every line followed by a line break.
  std::string Text() const;

 private:
  std::vector<std::u32string> FLines;
};

// UTF-8 to code points and back; a byte that starts no valid sequence
// stands for itself, so no text is ever refused.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);

}  // namespace umbrinex
