#pragma once
// The private clipboard format of the data grids: a sequence of typed cell
// records, so that a range copied from one grid pastes into another without
// going through text (enumerations as ordinals, reals in full precision).
//
// Record layout, little-endian: Kind (4 bytes), then for every kind but the
// end of data, Display (4), EndOfRow (1) and, for kinds 2 to 5 and unknown
// kinds, Length (4) and Length value bytes.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace umbrinex {

// The name the format is registered under, and the MIME type that names it
// on the clipboard (Qt maps this form to a registered format of that name
// where the platform has such formats).
inline constexpr const char* EditingTableFormatName = "Tessan Editing Table";
inline constexpr const char* EditingTableMimeType = "application/x-qt-windows-mime;value=\"Tessan Editing Table\"";

enum class TCellKind : std::uint32_t { End = 0, NoValue = 1, String = 2, Integer = 3, Boolean = 4, Double = 5 };
enum class TCellDisplay : std::uint32_t { Ordinary = 0, Colour = 1, PenStyle = 2 };

struct TClipboardCell {
  // Kinds above Double come from a newer writer; their value is skipped.
  std::uint32_t Kind = static_cast<std::uint32_t>(TCellKind::NoValue);
  std::uint32_t Display = static_cast<std::uint32_t>(TCellDisplay::Ordinary);
  bool EndOfRow = false;
  std::string Text;
  std::int32_t Integer = 0;
  bool Boolean = false;
  double Real = 0.0;

  TCellKind KnownKind() const { return static_cast<TCellKind>(Kind); }
  // Kinds 2 to 5 carry a value that can be pasted.
  bool HasValue() const { return Kind >= 2 && Kind <= 5; }

  static TClipboardCell Empty(TCellDisplay display);
  static TClipboardCell OfText(std::string text, TCellDisplay display = TCellDisplay::Ordinary);
  static TClipboardCell OfInteger(std::int32_t value, TCellDisplay display = TCellDisplay::Ordinary);
  static TClipboardCell OfBoolean(bool value);
  static TClipboardCell OfReal(double value);

  friend bool operator==(const TClipboardCell&, const TClipboardCell&) = default;
};

// Far beyond the largest table a form edits (a thousand rows of a few
// columns take some hundred kilobytes); anything larger is refused unread.
inline constexpr std::size_t MaxEditingTableBytes = std::size_t{64} << 20;

// The records and the end record.
std::vector<std::uint8_t> EncodeCells(const std::vector<TClipboardCell>& cells);

// Reads the records up to the end record. Bytes that are not a whole table
// (cut short, a length running past the end, a value of the wrong size)
// are refused as a whole: false, with the reason in error.
bool DecodeCells(std::span<const std::uint8_t> bytes, std::vector<TClipboardCell>& cells, std::string& error);

// Rows of a decoded table: each ends with a record marked EndOfRow; cells
// after the last such record make a row of their own.
int ClipboardRowCount(const std::vector<TClipboardCell>& cells);

}  // namespace umbrinex
