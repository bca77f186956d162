#pragma once
// The values of a tagged file, read by the rules of bounded reading
// (TRecordReader) into their destinations (TValueStore).

#include <cstdint>
#include <string>

#include "framework/data/TaggedFileInterface.h"
#include "persistence/RecordReader.h"
#include "persistence/UnrecognisedValues.h"
#include "persistence/ValueStore.h"

namespace umbrinex {

class TTagReader : public virtual ITaggedReader {
 public:
  TTagReader(TTagChannel& channel, TValueStore& store, TUnrecognisedValues& unrecognised)
      : FChannel(channel), FStore(store), FUnrecognised(unrecognised), FRecords(channel)
  {
  }

  void ReadTagHeader() { FRecords.ReadTagHeader(); }
  // Skips whatever is left of the current tag.
  void FinishTag() { FRecords.FinishTag(); }
  int TagNumber() const { return FRecords.TagNumber(); }
  int SubNumber() const { return FRecords.SubNumber(); }
  TRecordReader& Records() { return FRecords; }

  void BeginReadRecord() override { FRecords.BeginRecord(); }
  void EndReadRecord() override { FRecords.EndRecord(); }
  std::int64_t BytesLeft() const override { return FRecords.BytesLeft(); }

  void ReadBytes(void* p, std::size_t n) override;
  void PeekBytes(void* p, std::size_t n) override;
  void Skip(std::int64_t n) override;
  void SkipCountedBytes() override;
  void SkipString() override { SkipCountedBytes(); }
  void SkipShort(std::int64_t n) override { Skip(static_cast<std::uint16_t>(n)); }
  void SkipByte() override { Skip(1); }
  void SkipBoolean() override { Skip(1); }
  void SkipSmallInt() override { Skip(2); }
  void SkipInteger() override { Skip(4); }
  void SkipDouble() override { Skip(8); }
  void SkipVector() override { Skip(24); }
  void ReadBoolean(bool& v) override;
  void ReadByte(std::uint8_t& v) override;
  void ReadSmallInt(std::int16_t& v) override;
  void ReadWord(std::uint16_t& v) override;
  void ReadInteger(std::int32_t& v) override;
  void ReadDouble(double& v) override;
  void ReadDoubleArray(double* values, int high) override;
  void ReadVector(TVector& v) override;
  void ReadVector2(TVector2& v) override;
  void ReadMatrix(TMatrix& m) override;
  void ReadSymmetricMatrix6(TSymmetricMatrix6& m) override;
  void ReadCountedBytes(void* p, std::size_t capacity, std::size_t elementSize) override;
  void ReadEnum(std::uint8_t& value, std::uint8_t max, const std::string& itemName) override;
  void ReadBodyState(TBodyState& s) override;
  void ReadString(std::string& s) override;
  void ReadFixedString(std::string& s, int width) override;
  [[noreturn]] void Corrupt() const override { FChannel.Corrupt(); }

 private:
  template <typename U, typename T>
  void ReadOrdinal(T& v)
  {
    U raw = 0;
    if (FRecords.TakeLE(raw)) FStore.StoreOrdinal<T>(v, static_cast<T>(raw));
  }

  TTagChannel& FChannel;
  TValueStore& FStore;
  TUnrecognisedValues& FUnrecognised;
  TRecordReader FRecords;
};

}  // namespace umbrinex
