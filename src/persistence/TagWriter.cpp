#include "persistence/TagWriter.h"

#include <algorithm>
#include <bit>

#include "persistence/FileErrors.h"

namespace umbrinex {

void TTagWriter::WriteEndOfData()
{
  BeginTag(tagEndOfData, 0);
  EndTag();
}

void TTagWriter::WriteHeaderText(const std::string& text, std::size_t width)
{
  std::string bytes = FTexts.Encode(text, width);
  FChannel.PutLE(static_cast<std::uint8_t>(bytes.size()));
  bytes.resize(width, '\0');
  FChannel.Put(bytes.data(), width);
}

void TTagWriter::WritePadding(std::size_t n)
{
  static constexpr std::uint8_t zeros[256] = {};
  while (n > 0) {
    const std::size_t piece = std::min(n, sizeof zeros);
    FChannel.Put(zeros, piece);
    n -= piece;
  }
}

void TTagWriter::WriteByte(std::uint8_t v)
{
  FChannel.PutLE(v);
}
void TTagWriter::WriteShortInt(std::int8_t v)
{
  FChannel.PutLE(static_cast<std::uint8_t>(v));
}
void TTagWriter::WriteSmallInt(std::int16_t v)
{
  FChannel.PutLE(static_cast<std::uint16_t>(v));
}
void TTagWriter::WriteWord(std::uint16_t v)
{
  FChannel.PutLE(v);
}
void TTagWriter::WriteInteger(std::int32_t v)
{
  FChannel.PutLE(static_cast<std::uint32_t>(v));
}
void TTagWriter::WriteBoolean(bool v)
{
  FChannel.PutLE(static_cast<std::uint8_t>(v ? 1 : 0));
}
void TTagWriter::WriteDouble(double v)
{
  FChannel.PutLE(std::bit_cast<std::uint64_t>(v));
}

void TTagWriter::PutDoubles(const double* values, std::size_t n)
{
  for (std::size_t i = 0; i < n; ++i) FChannel.PutLE(std::bit_cast<std::uint64_t>(values[i]));
}

void TTagWriter::WriteDoubleArray(const double* values, int high)
{
  const int count = std::max(high + 1, 0);
  WriteInteger(count);
  PutDoubles(values, static_cast<std::size_t>(count));
}

void TTagWriter::WriteVector(const TVector& v)
{
  PutDoubles(v.data(), v.size());
}
void TTagWriter::WriteVector2(const TVector2& v)
{
  PutDoubles(v.data(), v.size());
}

void TTagWriter::WriteMatrix(const TMatrix& m)
{
  for (const auto& row : m) WriteVector(row);
}

void TTagWriter::WriteSymmetricMatrix6(const TSymmetricMatrix6& m)
{
  for (std::size_t i = 0; i < 6; ++i)
    for (std::size_t j = 0; j <= i; ++j) WriteDouble(m[j][i]);
}

void TTagWriter::WriteCountedBytes(const void* p, std::size_t n)
{
  if (n > 0xFFFF) RaiseUnexpectedFileError("Too many bytes for one counted block.");
  FChannel.PutLE(static_cast<std::uint16_t>(n));
  FChannel.Put(p, n);
}

void TTagWriter::WriteBodyState(const TBodyState& s)
{
  WriteVector(s.Pos);
  WriteVector(s.Vel);
  WriteVector(s.Accel);
  WriteMatrix(s.Orientation);
  WriteVector(s.AngVelF);
  WriteVector(s.AngVelDotF);
}

void TTagWriter::WriteString(const std::string& s)
{
  const std::string bytes = FTexts.Encode(s, 0xFFFF);
  FChannel.PutLE(static_cast<std::uint16_t>(bytes.size()));
  FChannel.Put(bytes.data(), bytes.size());
}

void TTagWriter::WriteFixedString(const std::string& s, int width)
{
  if (width <= 0) return;
  const std::string bytes = FTexts.EncodeFixed(s, static_cast<std::size_t>(width));
  FChannel.Put(bytes.data(), bytes.size());
}

}  // namespace umbrinex
