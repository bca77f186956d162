#pragma once
// Texts are UTF-8 in memory and Windows-1252 in data files. The conversion
// happens only at the tagged-file boundary. Every byte value has a character:
// the five bytes the code page leaves undefined (81, 8D, 8F, 90, 9D) stand for
// the C1 controls of the same number, so any file text survives a read and a
// write unchanged.

#include <cstddef>
#include <string>
#include <string_view>

namespace umbrinex {

// Always succeeds: every byte maps to one character.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters the code page cannot hold, and bytes that are not valid UTF-8,
// become '?'; replaced (when given) is increased by the number of them, so
// that the writer can tell the user rather than change a text silently.
std::string Utf8ToCp1252(std::string_view utf8, std::size_t* replaced = nullptr);

// Whether a text survives being written to a data file unchanged; lets an
// entry refuse a text before it gets as far as a file.
bool IsRepresentableInFileText(const std::string& utf8);

}  // namespace umbrinex
