// The values of a tagged file, written and read through its bounded byte
// level (TaggedFile.cpp).

#include <algorithm>
#include <bit>

#include "framework/data/TextUtils.h"
#include "persistence/Cp1252.h"
#include "persistence/TaggedFile.h"

namespace umbrinex {

// ---- Values, writing ----

void TTaggedFile::WritePadding(std::size_t n)
{
  static constexpr std::uint8_t zeros[256] = {};
  while (n > 0) {
    const std::size_t piece = std::min(n, sizeof zeros);
    Put(zeros, piece);
    n -= piece;
  }
}

void TTaggedFile::WriteByte(std::uint8_t v)
{
  PutLE(v);
}
void TTaggedFile::WriteShortInt(std::int8_t v)
{
  PutLE(static_cast<std::uint8_t>(v));
}
void TTaggedFile::WriteSmallInt(std::int16_t v)
{
  PutLE(static_cast<std::uint16_t>(v));
}
void TTaggedFile::WriteWord(std::uint16_t v)
{
  PutLE(v);
}
void TTaggedFile::WriteInteger(std::int32_t v)
{
  PutLE(static_cast<std::uint32_t>(v));
}
void TTaggedFile::WriteBoolean(bool v)
{
  PutLE(static_cast<std::uint8_t>(v ? 1 : 0));
}
void TTaggedFile::WriteDouble(double v)
{
  PutLE(std::bit_cast<std::uint64_t>(v));
}

void TTaggedFile::WriteDoubleArray(const double* values, int high)
{
  const int count = std::max(high + 1, 0);
  WriteInteger(count);
  PutDoubles(values, static_cast<std::size_t>(count));
}

void TTaggedFile::WriteVector(const TVector& v)
{
  PutDoubles(v.data(), v.size());
}
void TTaggedFile::WriteVector2(const TVector2& v)
{
  PutDoubles(v.data(), v.size());
}

void TTaggedFile::WriteMatrix(const TMatrix& m)
{
  for (const auto& row : m) WriteVector(row);
}

void TTaggedFile::WriteSymmetricMatrix6(const TSymmetricMatrix6& m)
{
  for (std::size_t i = 0; i < 6; ++i)
    for (std::size_t j = 0; j <= i; ++j) WriteDouble(m[j][i]);
}

void TTaggedFile::WriteCountedBytes(const void* p, std::size_t n)
{
  if (n > 0xFFFF) RaiseUnexpectedFileError("Too many bytes for one counted block.");
  PutLE(static_cast<std::uint16_t>(n));
  Put(p, n);
}

void TTaggedFile::WriteBodyState(const TBodyState& s)
{
  WriteVector(s.Pos);
  WriteVector(s.Vel);
  WriteVector(s.Accel);
  WriteMatrix(s.Orientation);
  WriteVector(s.AngVelF);
  WriteVector(s.AngVelDotF);
}

void TTaggedFile::WriteString(const std::string& s)
{
  PutText(s, 0xFFFF, true);
}

void TTaggedFile::WriteFixedString(const std::string& s, int width)
{
  if (width <= 0) return;
  std::string bytes = Utf8ToCp1252(Trim(s), &FReplacedCharacters);
  bytes.resize(static_cast<std::size_t>(width), '\0');
  Put(bytes.data(), bytes.size());
}

// ---- Values, reading ----

void TTaggedFile::ReadBytes(void* p, std::size_t n)
{
  RequireOpen(TFileMode::Read);
  if (n == 0 || FRemaining <= 0) return;
  RequireAvailable(static_cast<std::int64_t>(n));
  std::vector<std::uint8_t> bytes(n);
  TakeRequired(bytes.data(), n);
  StoreBytes(p, bytes.data(), n);
}

void TTaggedFile::PeekBytes(void* p, std::size_t n)
{
  const std::int64_t here = Position();
  Fetch(p, n);
  MoveTo(here);
}

void TTaggedFile::Skip(std::int64_t n)
{
  RequireOpen(TFileMode::Read);
  if (n <= 0 || FRemaining <= 0) return;
  SkipRequired(n);
}

void TTaggedFile::SkipCountedBytes()
{
  std::uint16_t n = 0;
  if (TakeLE(n)) SkipRequired(n);
}

void TTaggedFile::ReadBoolean(bool& v)
{
  std::uint8_t b = 0;
  if (!TakeLE(b)) return;
  if (b > 1) RaiseUnexpectedFileError("Error reading file: invalid Boolean value.");
  StoreBoolean(v, b == 1);
}

void TTaggedFile::ReadByte(std::uint8_t& v)
{
  ReadOrdinal<std::uint8_t>(v);
}
void TTaggedFile::ReadSmallInt(std::int16_t& v)
{
  ReadOrdinal<std::uint16_t>(v);
}
void TTaggedFile::ReadWord(std::uint16_t& v)
{
  ReadOrdinal<std::uint16_t>(v);
}
void TTaggedFile::ReadInteger(std::int32_t& v)
{
  ReadOrdinal<std::uint32_t>(v);
}

void TTaggedFile::ReadDouble(double& v)
{
  std::uint64_t bits = 0;
  if (TakeLE(bits)) StoreDouble(v, std::bit_cast<double>(bits));
}

void TTaggedFile::ReadDoubleArray(double* values, int high)
{
  std::uint32_t raw = 0;
  if (!TakeLE(raw)) return;
  const auto count = static_cast<std::int32_t>(raw);
  if (count < 0) Corrupt();
  RequireAvailable(std::int64_t{count} * 8);
  const int capacity = std::max(high + 1, 0);
  const int stored = std::min(count, capacity);
  if (FCheckMode) {
    FCheck.CompareArrayLength(count, capacity);
    // Each element is reported under its own index; the guard puts the
    // plain item name back also when a read fails.
    struct TElementGuard {
      TCheckLog& Log;
      ~TElementGuard() { Log.SetElement(-1); }
    } guard{FCheck};
    for (int i = 0; i < stored; ++i) {
      FCheck.SetElement(i);
      ReadDouble(values[i]);
    }
  } else {
    for (int i = 0; i < stored; ++i) ReadDouble(values[i]);
  }
  SkipRequired(std::int64_t{count - stored} * 8);
}

void TTaggedFile::ReadVector(TVector& v)
{
  for (double& x : v) ReadDouble(x);
}

void TTaggedFile::ReadVector2(TVector2& v)
{
  for (double& x : v) ReadDouble(x);
}

void TTaggedFile::ReadMatrix(TMatrix& m)
{
  for (auto& row : m) ReadVector(row);
}

void TTaggedFile::ReadSymmetricMatrix6(TSymmetricMatrix6& m)
{
  for (std::size_t i = 0; i < 6; ++i) {
    for (std::size_t j = 0; j <= i; ++j) {
      ReadDouble(m[j][i]);
      m[i][j] = m[j][i];
    }
  }
}

void TTaggedFile::ReadCountedBytes(void* p, std::size_t capacity, std::size_t elementSize)
{
  std::uint16_t n = 0;
  if (!TakeLE(n)) return;
  RequireAvailable(n);
  std::size_t kept = std::min<std::size_t>(capacity, n);
  if (elementSize > 1) kept -= kept % elementSize;
  std::vector<std::uint8_t> bytes(kept);
  TakeRequired(bytes.data(), kept);
  StoreBytes(p, bytes.data(), kept);
  SkipRequired(static_cast<std::int64_t>(n - kept));
}

void TTaggedFile::ReadEnum(std::uint8_t& value, std::uint8_t max, const std::string& itemName)
{
  std::uint8_t b = 0;
  if (!TakeLE(b)) return;
  if (b <= max)
    StoreOrdinal(value, b);
  else
    NoteUnrecognised(itemName);
}

void TTaggedFile::ReadBodyState(TBodyState& s)
{
  ReadVector(s.Pos);
  ReadVector(s.Vel);
  ReadVector(s.Accel);
  ReadMatrix(s.Orientation);
  ReadVector(s.AngVelF);
  ReadVector(s.AngVelDotF);
}

void TTaggedFile::ReadString(std::string& s)
{
  std::uint16_t n = 0;
  if (!TakeLE(n)) return;
  std::string bytes(n, '\0');
  TakeRequired(bytes.data(), n);
  if (FCheckMode) FCheck.CompareInteger(n, static_cast<long long>(Utf8ToCp1252(s).size()), "string length");
  StoreString(s, Cp1252ToUtf8(bytes));
}

void TTaggedFile::ReadFixedString(std::string& s, int width)
{
  RequireOpen(TFileMode::Read);
  if (width <= 0 || FRemaining <= 0) return;
  RequireAvailable(width);
  std::string bytes(static_cast<std::size_t>(width), '\0');
  TakeRequired(bytes.data(), bytes.size());
  bytes.resize(std::min(bytes.find('\0'), bytes.size()));
  StoreString(s, Cp1252ToUtf8(bytes));
}

}  // namespace umbrinex
