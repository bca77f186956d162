#include "framework/grid/GridClipboard.h"

#include <bit>

namespace umbrinex {

TClipboardCell TClipboardCell::Empty(TCellDisplay display)
{
  TClipboardCell cell;
  cell.Display = static_cast<std::uint32_t>(display);
  return cell;
}

TClipboardCell TClipboardCell::OfText(std::string text, TCellDisplay display)
{
  TClipboardCell cell = Empty(display);
  cell.Kind = static_cast<std::uint32_t>(TCellKind::String);
  cell.Text = std::move(text);
  return cell;
}

TClipboardCell TClipboardCell::OfInteger(std::int32_t value, TCellDisplay display)
{
  TClipboardCell cell = Empty(display);
  cell.Kind = static_cast<std::uint32_t>(TCellKind::Integer);
  cell.Integer = value;
  return cell;
}

TClipboardCell TClipboardCell::OfBoolean(bool value)
{
  TClipboardCell cell = Empty(TCellDisplay::Ordinary);
  cell.Kind = static_cast<std::uint32_t>(TCellKind::Boolean);
  cell.Boolean = value;
  return cell;
}

TClipboardCell TClipboardCell::OfReal(double value)
{
  TClipboardCell cell = Empty(TCellDisplay::Ordinary);
  cell.Kind = static_cast<std::uint32_t>(TCellKind::Double);
  cell.Real = value;
  return cell;
}

namespace {

void PutUint32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutBytes(std::vector<std::uint8_t>& out, const void* data, std::size_t size)
{
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out.insert(out.end(), bytes, bytes + size);
}

// A bounded reader: every read checks what is left first.
class TReader {
 public:
  explicit TReader(std::span<const std::uint8_t> bytes) : FBytes(bytes) {}
  std::size_t Left() const { return FBytes.size() - FPos; }
  bool Uint32(std::uint32_t& v)
  {
    if (Left() < 4) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{FBytes[FPos + static_cast<std::size_t>(i)]} << (8 * i);
    FPos += 4;
    return true;
  }
  bool Byte(std::uint8_t& v)
  {
    if (Left() < 1) return false;
    v = FBytes[FPos++];
    return true;
  }
  std::span<const std::uint8_t> Take(std::size_t n)
  {
    const auto part = FBytes.subspan(FPos, n);
    FPos += n;
    return part;
  }

 private:
  std::span<const std::uint8_t> FBytes;
  std::size_t FPos = 0;
};

// The value bytes a known kind must have; 0 for any length.
std::size_t ExpectedLength(TCellKind kind)
{
  switch (kind) {
    case TCellKind::Integer:
      return 4;
    case TCellKind::Boolean:
      return 1;
    case TCellKind::Double:
      return 8;
    default:
      return 0;
  }
}

bool DecodeValue(TClipboardCell& cell, std::span<const std::uint8_t> value)
{
  const std::size_t expected = ExpectedLength(cell.KnownKind());
  if (cell.HasValue() && expected != 0 && value.size() != expected) return false;
  switch (cell.KnownKind()) {
    case TCellKind::String:
      cell.Text.assign(reinterpret_cast<const char*>(value.data()), value.size());
      break;
    case TCellKind::Integer: {
      std::uint32_t v = 0;
      for (std::size_t i = 0; i < 4; ++i) v |= std::uint32_t{value[i]} << (8 * i);
      cell.Integer = static_cast<std::int32_t>(v);
      break;
    }
    case TCellKind::Boolean:
      cell.Boolean = value[0] != 0;
      break;
    case TCellKind::Double: {
      std::uint64_t v = 0;
      for (std::size_t i = 0; i < 8; ++i) v |= std::uint64_t{value[i]} << (8 * i);
      cell.Real = std::bit_cast<double>(v);
      break;
    }
    default:
      break;  // skipped by its length
  }
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeCells(const std::vector<TClipboardCell>& cells)
{
  std::vector<std::uint8_t> out;
  for (const TClipboardCell& cell : cells) {
    if (cell.KnownKind() == TCellKind::End) continue;
    PutUint32(out, cell.Kind);
    PutUint32(out, cell.Display);
    out.push_back(cell.EndOfRow ? 1 : 0);
    switch (cell.KnownKind()) {
      case TCellKind::String:
        PutUint32(out, static_cast<std::uint32_t>(cell.Text.size()));
        PutBytes(out, cell.Text.data(), cell.Text.size());
        break;
      case TCellKind::Integer:
        PutUint32(out, 4);
        PutUint32(out, static_cast<std::uint32_t>(cell.Integer));
        break;
      case TCellKind::Boolean:
        PutUint32(out, 1);
        out.push_back(cell.Boolean ? 1 : 0);
        break;
      case TCellKind::Double: {
        PutUint32(out, 8);
        const auto bits = std::bit_cast<std::uint64_t>(cell.Real);
        for (int i = 0; i < 8; ++i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        break;
      }
      case TCellKind::NoValue:
        break;
      default:
        PutUint32(out, 0);  // an unknown kind carries a length, here of nothing
        break;
    }
  }
  PutUint32(out, static_cast<std::uint32_t>(TCellKind::End));
  return out;
}

bool DecodeCells(std::span<const std::uint8_t> bytes, std::vector<TClipboardCell>& cells, std::string& error)
{
  cells.clear();
  if (bytes.size() > MaxEditingTableBytes) {
    error = "The table on the clipboard is too large to paste.";
    return false;
  }
  TReader reader(bytes);
  for (;;) {
    TClipboardCell cell;
    std::uint8_t endOfRow = 0;
    if (!reader.Uint32(cell.Kind)) {
      error = "The table on the clipboard ends without its end record.";
      break;
    }
    if (cell.KnownKind() == TCellKind::End) return true;
    if (!reader.Uint32(cell.Display) || !reader.Byte(endOfRow)) {
      error = "The table on the clipboard is cut short.";
      break;
    }
    cell.EndOfRow = endOfRow != 0;
    if (cell.KnownKind() != TCellKind::NoValue) {
      std::uint32_t length = 0;
      if (!reader.Uint32(length) || length > reader.Left()) {
        error = "The table on the clipboard is cut short.";
        break;
      }
      if (!DecodeValue(cell, reader.Take(length))) {
        error = "The table on the clipboard holds a value of the wrong size.";
        break;
      }
    }
    cells.push_back(std::move(cell));
  }
  cells.clear();
  return false;
}

int ClipboardRowCount(const std::vector<TClipboardCell>& cells)
{
  int rows = 0;
  for (const TClipboardCell& cell : cells)
    if (cell.EndOfRow) ++rows;
  if (!cells.empty() && !cells.back().EndOfRow) ++rows;
  return rows;
}

}  // namespace umbrinex
