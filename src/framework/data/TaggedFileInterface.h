#pragma once
// The stream vocabulary of the program's tagged data files, as seen by the
// objects that write and read themselves. The file object behind it (header,
// tags, buffering, check mode) lives in the persistence layer.

#include <array>
#include <cstdint>
#include <string>

namespace umbrinex {

using TVector = std::array<double, 3>;
using TVector2 = std::array<double, 2>;
using TMatrix = std::array<std::array<double, 3>, 3>;
using TSymmetricMatrix6 = std::array<std::array<double, 6>, 6>;

struct TBodyState {
  TVector Pos{};
  TVector Vel{};
  TVector Accel{};
  TMatrix Orientation{};
  TVector AngVelF{};
  TVector AngVelDotF{};
};

// What writing objects call: tags, records and the values in them.
class ITaggedWriter {
 public:
  virtual void BeginTag(int tag, int sub) = 0;
  virtual void EndTag() = 0;
  virtual void BeginRecord() = 0;
  virtual void EndRecord() = 0;

  virtual void WriteBytes(const void* p, std::size_t n) = 0;
  virtual void WritePadding(std::size_t n) = 0;
  virtual void WriteByte(std::uint8_t v) = 0;
  virtual void WriteShortInt(std::int8_t v) = 0;
  virtual void WriteSmallInt(std::int16_t v) = 0;
  virtual void WriteWord(std::uint16_t v) = 0;
  virtual void WriteInteger(std::int32_t v) = 0;
  virtual void WriteDouble(double v) = 0;
  virtual void WriteDoubleArray(const double* values, int high) = 0;
  virtual void WriteVector(const TVector& v) = 0;
  virtual void WriteVector2(const TVector2& v) = 0;
  virtual void WriteMatrix(const TMatrix& m) = 0;
  virtual void WriteSymmetricMatrix6(const TSymmetricMatrix6& m) = 0;
  virtual void WriteCountedBytes(const void* p, std::size_t n) = 0;
  virtual void WriteBoolean(bool v) = 0;
  virtual void WriteBodyState(const TBodyState& s) = 0;
  // Texts are UTF-8 in memory; the file object converts them for the file.
  virtual void WriteString(const std::string& s) = 0;
  virtual void WriteFixedString(const std::string& s, int width) = 0;

 protected:
  ~ITaggedWriter() = default;
};

// What reading objects call: records and the values in them.
class ITaggedReader {
 public:
  virtual void BeginReadRecord() = 0;
  virtual void EndReadRecord() = 0;
  virtual std::int64_t BytesLeft() const = 0;

  virtual void ReadBytes(void* p, std::size_t n) = 0;
  virtual void PeekBytes(void* p, std::size_t n) = 0;
  virtual void Skip(std::int64_t n) = 0;
  virtual void SkipCountedBytes() = 0;
  virtual void SkipString() = 0;
  virtual void SkipShort(std::int64_t n) = 0;
  virtual void SkipByte() = 0;
  virtual void SkipBoolean() = 0;
  virtual void SkipSmallInt() = 0;
  virtual void SkipInteger() = 0;
  virtual void SkipDouble() = 0;
  virtual void SkipVector() = 0;
  virtual void ReadBoolean(bool& v) = 0;
  virtual void ReadByte(std::uint8_t& v) = 0;
  virtual void ReadSmallInt(std::int16_t& v) = 0;
  virtual void ReadWord(std::uint16_t& v) = 0;
  virtual void ReadInteger(std::int32_t& v) = 0;
  virtual void ReadDouble(double& v) = 0;
  virtual void ReadDoubleArray(double* values, int high) = 0;
  virtual void ReadVector(TVector& v) = 0;
  virtual void ReadVector2(TVector2& v) = 0;
  virtual void ReadMatrix(TMatrix& m) = 0;
  virtual void ReadSymmetricMatrix6(TSymmetricMatrix6& m) = 0;
  virtual void ReadCountedBytes(void* p, std::size_t capacity, std::size_t elementSize) = 0;
  // Keeps the old value and records itemName when the byte read is above max.
  virtual void ReadEnum(std::uint8_t& value, std::uint8_t max, const std::string& itemName) = 0;
  virtual void ReadBodyState(TBodyState& s) = 0;
  virtual void ReadString(std::string& s) = 0;
  virtual void ReadFixedString(std::string& s, int width) = 0;

  // Refuses the file as damaged, with its name: for values that are well
  // formed one by one but cannot stand together, such as a row count that
  // disagrees with the rows stored.
  [[noreturn]] virtual void Corrupt() const = 0;

 protected:
  ~ITaggedReader() = default;
};

// The whole stream as the model's objects see it. The two halves are
// virtual bases so that a file object may take each from its own part.
class ITaggedFile : public virtual ITaggedWriter, public virtual ITaggedReader {
 public:
  // Names are variable-length strings in files that declare long names,
  // fixed ten-byte texts otherwise.
  virtual bool UsesLongNames() const = 0;
  // Tells older readers that the file uses something they cannot represent.
  virtual void NoteFeatureUsed(int bit, bool value, bool flag, const std::string& text) = 0;

 protected:
  ~ITaggedFile() = default;
};

// Object names in the file's own name form.
inline constexpr int ShortNameWidth = 10;
inline void WriteName(ITaggedFile& file, const std::string& name)
{
  if (file.UsesLongNames()) file.WriteString(name);
  else file.WriteFixedString(name, ShortNameWidth);
}
inline void ReadName(ITaggedFile& file, std::string& name)
{
  if (file.UsesLongNames()) file.ReadString(name);
  else file.ReadFixedString(name, ShortNameWidth);
}

}  // namespace umbrinex
