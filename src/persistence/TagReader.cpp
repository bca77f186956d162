#include "persistence/TagReader.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "persistence/Cp1252.h"
#include "persistence/FileErrors.h"

namespace umbrinex {

void TTagReader::ReadBytes(void* p, std::size_t n)
{
  FChannel.RequireOpen(TFileMode::Read);
  if (n == 0 || !FRecords.HasData()) return;
  FRecords.RequireAvailable(static_cast<std::int64_t>(n));
  std::vector<std::uint8_t> bytes(n);
  FRecords.TakeRequired(bytes.data(), n);
  FStore.StoreBytes(p, bytes.data(), n);
}

void TTagReader::PeekBytes(void* p, std::size_t n)
{
  const std::int64_t here = FChannel.Position();
  FChannel.Fetch(p, n);
  FChannel.MoveTo(here);
}

void TTagReader::Skip(std::int64_t n)
{
  FChannel.RequireOpen(TFileMode::Read);
  if (n <= 0 || !FRecords.HasData()) return;
  FRecords.SkipRequired(n);
}

void TTagReader::SkipCountedBytes()
{
  std::uint16_t n = 0;
  if (FRecords.TakeLE(n)) FRecords.SkipRequired(n);
}

void TTagReader::ReadBoolean(bool& v)
{
  std::uint8_t b = 0;
  if (!FRecords.TakeLE(b)) return;
  if (b > 1) RaiseUnexpectedFileError("Error reading file: invalid Boolean value.");
  FStore.StoreBoolean(v, b == 1);
}

void TTagReader::ReadByte(std::uint8_t& v)
{
  ReadOrdinal<std::uint8_t>(v);
}
void TTagReader::ReadSmallInt(std::int16_t& v)
{
  ReadOrdinal<std::uint16_t>(v);
}
void TTagReader::ReadWord(std::uint16_t& v)
{
  ReadOrdinal<std::uint16_t>(v);
}
void TTagReader::ReadInteger(std::int32_t& v)
{
  ReadOrdinal<std::uint32_t>(v);
}

void TTagReader::ReadDouble(double& v)
{
  std::uint64_t bits = 0;
  if (FRecords.TakeLE(bits)) FStore.StoreDouble(v, std::bit_cast<double>(bits));
}

void TTagReader::ReadDoubleArray(double* values, int high)
{
  std::uint32_t raw = 0;
  if (!FRecords.TakeLE(raw)) return;
  const auto count = static_cast<std::int32_t>(raw);
  if (count < 0) Corrupt();
  FRecords.RequireAvailable(std::int64_t{count} * 8);
  const int capacity = std::max(high + 1, 0);
  const int stored = std::min(count, capacity);
  if (FStore.CheckMode()) {
    TCheckLog& log = FStore.CheckLog();
    log.CompareArrayLength(count, capacity);
    // Each element is reported under its own index; the guard puts the
    // plain item name back also when a read fails.
    struct TElementGuard {
      TCheckLog& Log;
      ~TElementGuard() { Log.SetElement(-1); }
    } guard{log};
    for (int i = 0; i < stored; ++i) {
      log.SetElement(i);
      ReadDouble(values[i]);
    }
  } else {
    for (int i = 0; i < stored; ++i) ReadDouble(values[i]);
  }
  FRecords.SkipRequired(std::int64_t{count - stored} * 8);
}

void TTagReader::ReadVector(TVector& v)
{
  for (double& x : v) ReadDouble(x);
}

void TTagReader::ReadVector2(TVector2& v)
{
  for (double& x : v) ReadDouble(x);
}

void TTagReader::ReadMatrix(TMatrix& m)
{
  for (auto& row : m) ReadVector(row);
}

void TTagReader::ReadSymmetricMatrix6(TSymmetricMatrix6& m)
{
  for (std::size_t i = 0; i < 6; ++i) {
    for (std::size_t j = 0; j <= i; ++j) {
      ReadDouble(m[j][i]);
      m[i][j] = m[j][i];
    }
  }
}

void TTagReader::ReadCountedBytes(void* p, std::size_t capacity, std::size_t elementSize)
{
  std::uint16_t n = 0;
  if (!FRecords.TakeLE(n)) return;
  FRecords.RequireAvailable(n);
  std::size_t kept = std::min<std::size_t>(capacity, n);
  if (elementSize > 1) kept -= kept % elementSize;
  std::vector<std::uint8_t> bytes(kept);
  FRecords.TakeRequired(bytes.data(), kept);
  FStore.StoreBytes(p, bytes.data(), kept);
  FRecords.SkipRequired(static_cast<std::int64_t>(n - kept));
}

void TTagReader::ReadEnum(std::uint8_t& value, std::uint8_t max, const std::string& itemName)
{
  std::uint8_t b = 0;
  if (!FRecords.TakeLE(b)) return;
  if (b <= max)
    FStore.StoreOrdinal(value, b);
  else
    FUnrecognised.Note(itemName);
}

void TTagReader::ReadBodyState(TBodyState& s)
{
  ReadVector(s.Pos);
  ReadVector(s.Vel);
  ReadVector(s.Accel);
  ReadMatrix(s.Orientation);
  ReadVector(s.AngVelF);
  ReadVector(s.AngVelDotF);
}

void TTagReader::ReadString(std::string& s)
{
  std::uint16_t n = 0;
  if (!FRecords.TakeLE(n)) return;
  std::string bytes(n, '\0');
  FRecords.TakeRequired(bytes.data(), n);
  if (FStore.CheckMode())
    FStore.CheckLog().CompareInteger(n, static_cast<long long>(Utf8ToCp1252(s).size()), "string length");
  FStore.StoreString(s, Cp1252ToUtf8(bytes));
}

void TTagReader::ReadFixedString(std::string& s, int width)
{
  FChannel.RequireOpen(TFileMode::Read);
  if (width <= 0 || !FRecords.HasData()) return;
  FRecords.RequireAvailable(width);
  std::string bytes(static_cast<std::size_t>(width), '\0');
  FRecords.TakeRequired(bytes.data(), bytes.size());
  bytes.resize(std::min(bytes.find('\0'), bytes.size()));
  FStore.StoreString(s, Cp1252ToUtf8(bytes));
}

}  // namespace umbrinex
