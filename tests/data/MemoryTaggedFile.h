#pragma once
// An in-memory stand-in for the tagged file, so that objects can be written
// and read back without the persistence layer. Values use the file's
// encodings (little-endian integers and doubles, strings as a u16 length and
// the bytes, fixed strings padded with zero bytes, records as an i32 length
// that counts itself). Texts are kept as UTF-8 bytes: the code page of real
// files is the file class's business. Tags write nothing; their numbers are
// only remembered. Reading past the end of the bytes throws, while a record
// that ends early leaves the remaining values as they were, as real files do.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "framework/data/TaggedFileInterface.h"
#include "framework/data/TextUtils.h"
#include "numerics/Errors.h"

namespace umbrinex::testing {

class TMemoryTaggedFile final : public ITaggedFile {
 public:
  // An empty file to write to.
  TMemoryTaggedFile() = default;
  // A file to read these bytes from.
  explicit TMemoryTaggedFile(std::vector<std::uint8_t> bytes) : Bytes(std::move(bytes)), FReading(true) {}

  std::vector<std::uint8_t> Bytes;
  std::size_t Position = 0;
  // Names given to ReadEnum with a byte above its bound, each once.
  std::vector<std::string> Unrecognised;
  // (tag, sub) of every BeginTag, in order.
  std::vector<std::pair<int, int>> Tags;
  bool LongNames = true;

  // Switches from writing to reading what was written, from the start.
  void Rewind()
  {
    FReading = true;
    Position = 0;
    FRecordEnds.clear();
    FRecordStarts.clear();
  }
  bool AtEnd() const { return Position >= Bytes.size(); }

  void BeginTag(int tag, int sub) override { Tags.emplace_back(tag, sub); }
  void EndTag() override {}
  void BeginRecord() override
  {
    FRecordStarts.push_back(Bytes.size());
    WriteInteger(0);
  }
  void EndRecord() override
  {
    if (FRecordStarts.empty()) throw EUmbrinexError("EndRecord without BeginRecord.");
    const std::size_t start = FRecordStarts.back();
    FRecordStarts.pop_back();
    const auto length = static_cast<std::uint32_t>(Bytes.size() - start);
    for (int i = 0; i < 4; ++i)
      Bytes[start + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
  }
  void BeginReadRecord() override
  {
    // An enclosing record that is used up holds an empty record, so every
    // value inside keeps its default.
    if (!FRecordEnds.empty() && Remaining() <= 0) {
      FRecordEnds.push_back(Position);
      return;
    }
    const std::size_t start = Position;
    Need(4);
    std::uint32_t length = 0;
    for (int i = 0; i < 4; ++i) length |= std::uint32_t{Bytes[Position++]} << (8 * i);
    const std::size_t end = start + length;
    const std::size_t limit = FRecordEnds.empty() ? Bytes.size() : FRecordEnds.back();
    if (length < 4 || end > limit) Corrupt();
    FRecordEnds.push_back(end);
  }
  void EndReadRecord() override
  {
    if (FRecordEnds.empty()) throw EUmbrinexError("EndReadRecord without BeginReadRecord.");
    Position = std::max(Position, FRecordEnds.back());
    FRecordEnds.pop_back();
  }
  std::int64_t BytesLeft() const override { return FReading ? std::max<std::int64_t>(Remaining(), 0) : 0; }
  void NoteFeatureUsed(int /*bit*/, bool /*value*/, bool /*flag*/, const std::string& /*text*/) override {}
  bool UsesLongNames() const override { return LongNames; }

  void WriteBytes(const void* p, std::size_t n) override
  {
    const auto* bytes = static_cast<const std::uint8_t*>(p);
    Bytes.insert(Bytes.end(), bytes, bytes + n);
  }
  void WritePadding(std::size_t n) override { Bytes.insert(Bytes.end(), n, 0); }
  void WriteByte(std::uint8_t v) override { WriteLE(v); }
  void WriteShortInt(std::int8_t v) override { WriteLE(static_cast<std::uint8_t>(v)); }
  void WriteSmallInt(std::int16_t v) override { WriteLE(static_cast<std::uint16_t>(v)); }
  void WriteWord(std::uint16_t v) override { WriteLE(v); }
  void WriteInteger(std::int32_t v) override { WriteLE(static_cast<std::uint32_t>(v)); }
  void WriteDouble(double v) override { WriteLE(std::bit_cast<std::uint64_t>(v)); }
  void WriteDoubleArray(const double* values, int high) override
  {
    WriteInteger(high + 1);
    for (int i = 0; i <= high; ++i) WriteDouble(values[i]);
  }
  void WriteVector(const TVector& v) override
  {
    for (double x : v) WriteDouble(x);
  }
  void WriteVector2(const TVector2& v) override
  {
    for (double x : v) WriteDouble(x);
  }
  void WriteMatrix(const TMatrix& m) override
  {
    for (const auto& row : m) WriteVector(row);
  }
  void WriteSymmetricMatrix6(const TSymmetricMatrix6& m) override
  {
    for (std::size_t i = 0; i < 6; ++i)
      for (std::size_t j = 0; j <= i; ++j) WriteDouble(m[j][i]);
  }
  void WriteCountedBytes(const void* p, std::size_t n) override
  {
    WriteSmallInt(static_cast<std::int16_t>(n));
    WriteBytes(p, n);
  }
  void WriteBoolean(bool v) override { WriteByte(v ? 1 : 0); }
  void WriteBodyState(const TBodyState& s) override
  {
    WriteVector(s.Pos);
    WriteVector(s.Vel);
    WriteVector(s.Accel);
    WriteMatrix(s.Orientation);
    WriteVector(s.AngVelF);
    WriteVector(s.AngVelDotF);
  }
  void WriteString(const std::string& s) override
  {
    std::string text = Trim(s);
    if (text.size() > 0xFFFF) text.resize(0xFFFF);
    WriteWord(static_cast<std::uint16_t>(text.size()));
    WriteBytes(text.data(), text.size());
  }
  void WriteFixedString(const std::string& s, int width) override
  {
    const auto w = static_cast<std::size_t>(std::max(width, 0));
    std::string text = Trim(s);
    text.resize(w, '\0');
    WriteBytes(text.data(), w);
  }

  void ReadBytes(void* p, std::size_t n) override { Take(p, n); }
  void PeekBytes(void* p, std::size_t n) override
  {
    Need(n);
    if (n != 0) std::memcpy(p, Bytes.data() + Position, n);
  }
  void Skip(std::int64_t n) override
  {
    if (n > 0) Take(nullptr, static_cast<std::size_t>(n));
  }
  void SkipCountedBytes() override
  {
    std::uint16_t n = 0;
    if (ReadLE(n)) Skip(n);
  }
  void SkipString() override { SkipCountedBytes(); }
  // The count is a 16-bit number of bytes.
  void SkipShort(std::int64_t n) override { Skip(static_cast<std::uint16_t>(n)); }
  void SkipByte() override { Skip(1); }
  void SkipBoolean() override { Skip(1); }
  void SkipSmallInt() override { Skip(2); }
  void SkipInteger() override { Skip(4); }
  void SkipDouble() override { Skip(8); }
  void SkipVector() override { Skip(24); }
  void ReadBoolean(bool& v) override
  {
    std::uint8_t b = 0;
    if (!ReadLE(b)) return;
    if (b > 1) throw EUmbrinexError("Error reading file: invalid Boolean value.");
    v = b == 1;
  }
  void ReadByte(std::uint8_t& v) override { ReadLE(v); }
  void ReadSmallInt(std::int16_t& v) override { ReadSigned<std::uint16_t>(v); }
  void ReadWord(std::uint16_t& v) override { ReadLE(v); }
  void ReadInteger(std::int32_t& v) override { ReadSigned<std::uint32_t>(v); }
  void ReadDouble(double& v) override
  {
    std::uint64_t bits = 0;
    if (ReadLE(bits)) v = std::bit_cast<double>(bits);
  }
  void ReadDoubleArray(double* values, int high) override
  {
    std::int32_t count = -1;
    ReadInteger(count);
    if (count < 0) return;  // nothing left in the record
    for (int i = 0; i < count; ++i) {
      if (i <= high)
        ReadDouble(values[i]);
      else
        SkipDouble();
    }
  }
  void ReadVector(TVector& v) override
  {
    for (double& x : v) ReadDouble(x);
  }
  void ReadVector2(TVector2& v) override
  {
    for (double& x : v) ReadDouble(x);
  }
  void ReadMatrix(TMatrix& m) override
  {
    for (auto& row : m) ReadVector(row);
  }
  void ReadSymmetricMatrix6(TSymmetricMatrix6& m) override
  {
    for (std::size_t i = 0; i < 6; ++i) {
      for (std::size_t j = 0; j <= i; ++j) {
        ReadDouble(m[j][i]);
        m[i][j] = m[j][i];
      }
    }
  }
  void ReadCountedBytes(void* p, std::size_t capacity, std::size_t elementSize) override
  {
    std::uint16_t n = 0;
    if (!ReadLE(n)) return;
    std::size_t m = std::min<std::size_t>(capacity, n);
    if (elementSize > 1) m -= m % elementSize;
    Take(p, m);
    Skip(static_cast<std::int64_t>(n - m));
  }
  void ReadEnum(std::uint8_t& value, std::uint8_t max, const std::string& itemName) override
  {
    std::uint8_t b = 0;
    if (!ReadLE(b)) return;
    if (b <= max) {
      value = b;
    } else if (std::find(Unrecognised.begin(), Unrecognised.end(), itemName) == Unrecognised.end()) {
      Unrecognised.push_back(itemName);
    }
  }
  void ReadBodyState(TBodyState& s) override
  {
    ReadVector(s.Pos);
    ReadVector(s.Vel);
    ReadVector(s.Accel);
    ReadMatrix(s.Orientation);
    ReadVector(s.AngVelF);
    ReadVector(s.AngVelDotF);
  }
  void ReadString(std::string& s) override
  {
    std::uint16_t n = 0;
    if (!ReadLE(n)) return;
    std::string text(n, '\0');
    Take(text.data(), n);
    s = std::move(text);
  }
  void ReadFixedString(std::string& s, int width) override
  {
    std::string text(static_cast<std::size_t>(std::max(width, 0)), '\0');
    if (!Take(text.data(), text.size())) return;
    text.resize(std::min(text.find('\0'), text.size()));
    s = std::move(text);
  }

 private:
  [[noreturn]] void Corrupt() const override { throw EUmbrinexError("File Error: File 'memory' is corrupt."); }

  // What is left of the innermost record, or of the bytes outside records.
  std::int64_t Remaining() const
  {
    const std::size_t end = FRecordEnds.empty() ? Bytes.size() : FRecordEnds.back();
    return static_cast<std::int64_t>(end) - static_cast<std::int64_t>(Position);
  }
  void Need(std::size_t n) const
  {
    if (n > Bytes.size() || Position > Bytes.size() - n) Corrupt();
  }
  // Reads n bytes (or skips them when p is null). False, with nothing read,
  // when the current record is used up.
  bool Take(void* p, std::size_t n)
  {
    if (!FRecordEnds.empty()) {
      const std::int64_t remaining = Remaining();
      if (remaining <= 0) return false;
      if (remaining < static_cast<std::int64_t>(n)) Corrupt();
    }
    Need(n);
    if (p != nullptr && n != 0) std::memcpy(p, Bytes.data() + Position, n);
    Position += n;
    return true;
  }

  template <typename U>
  void WriteLE(U v)
  {
    for (std::size_t i = 0; i < sizeof(U); ++i) Bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  template <typename U>
  bool ReadLE(U& v)
  {
    std::uint8_t raw[sizeof(U)] = {};
    if (!Take(raw, sizeof(U))) return false;
    U result = 0;
    for (std::size_t i = 0; i < sizeof(U); ++i) result = static_cast<U>(result | (U(raw[i]) << (8 * i)));
    v = result;
    return true;
  }
  template <typename U, typename S>
  void ReadSigned(S& v)
  {
    U u = 0;
    if (ReadLE(u)) v = static_cast<S>(u);
  }

  bool FReading = false;
  std::vector<std::size_t> FRecordStarts;  // writing
  std::vector<std::size_t> FRecordEnds;    // reading
};

}  // namespace umbrinex::testing
