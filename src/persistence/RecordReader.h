#pragma once
// Bounded reading of tags and records: every value is read from the
// innermost tag or record being read. When that is used up, nothing is read
// and the destination keeps its value; when it holds some bytes but fewer
// than the value needs, or a length field points past the data, the file is
// corrupt. Nothing a file says can make the reader run off the data.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "persistence/TagChannel.h"

namespace umbrinex {

class TRecordInfoStack {
 public:
  void Push(const TExtent& extent) { FItems.push_back(extent); }
  TExtent Pop();
  bool Empty() const { return FItems.empty(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  void Clear() { FItems.clear(); }

 private:
  std::vector<TExtent> FItems;
};

class TRecordReader {
 public:
  explicit TRecordReader(TTagChannel& channel) : FChannel(channel) {}

  void ReadTagHeader();
  // Skips whatever is left of the current tag.
  void FinishTag();
  // Nothing left to read until the next tag header.
  void ClearExtent();
  void BeginRecord();
  void EndRecord();
  std::int64_t BytesLeft() const;
  // Forgets the tag and records being read, as when the file closes.
  void Forget();

  int TagNumber() const { return FTagNumber; }
  int SubNumber() const { return FSubNumber; }
  // Whether the current tag or record has anything left.
  bool HasData() const { return FRemaining > 0; }

  // False when nothing is left; otherwise the bytes must be there.
  bool Take(void* p, std::size_t n);
  template <typename U>
  bool TakeLE(U& v)
  {
    std::uint8_t bytes[sizeof(U)];
    if (!Take(bytes, sizeof(U))) return false;
    v = DecodeLE<U>(bytes);
    return true;
  }
  // For the body of a value whose length has been read, which must be there.
  void TakeRequired(void* p, std::size_t n);
  void SkipRequired(std::int64_t n);
  void RequireAvailable(std::int64_t n);

 private:
  TTagChannel& FChannel;
  // The extent being read, those enclosing it, what is left of it.
  TExtent FExtent;
  TRecordInfoStack FRecords;
  std::int64_t FRemaining = 0;
  std::int64_t FTagEnd = 0;  // < 0: length not tracked
  int FTagNumber = 0;
  int FSubNumber = 0;
};

}  // namespace umbrinex
