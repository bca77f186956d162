#pragma once
// The frames of a tagged file being written: tag headers whose lengths are
// filled in when the tag ends, and length-prefixed records inside them.

#include <cstdint>
#include <vector>

#include "persistence/TagChannel.h"

namespace umbrinex {

class TRecordWriter {
 public:
  explicit TRecordWriter(TTagChannel& channel) : FChannel(channel) {}

  // A tag of the given form; an unsized one leaves its length untracked.
  void StartTag(int tag, int sub, int form, bool sized);
  void EndTag();
  void BeginRecord();
  void EndRecord();
  // Forgets the open tag and records, as when the file closes.
  void Forget();

 private:
  void PromoteToLongForm();

  TTagChannel& FChannel;
  bool FTagOpen = false;
  bool FSized = true;
  int FForm = tfShort;
  int FTagNumber = 0;
  int FSubNumber = 0;
  std::int64_t FTagStart = 0;
  std::int64_t FLengthPosition = 0;
  std::int64_t FDataStart = 0;
  std::vector<std::int64_t> FRecordStarts;  // of the records open, innermost last
};

}  // namespace umbrinex
