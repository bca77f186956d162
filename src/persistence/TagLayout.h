#pragma once
// How tags are laid out in a tagged file: their forms, the tag numbers the
// file object itself uses, and the stretch of the stream being read.

#include <cstdint>

namespace umbrinex {

enum class TFileMode { Read = 0, Write = 1 };

// Tag forms, named by their marker byte.
inline constexpr int tfShort = 1;      // FF: 16-byte header, 16-bit length
inline constexpr int tfOpenEnded = 2;  // FE: as FF; length FFFF = not tracked
inline constexpr int tfLong = 3;       // FD: 17-byte header, 32-bit length
inline constexpr int tfLegacy = 4;     // any other marker; read only

// Tag numbers the file object itself uses.
inline constexpr int tagObjectHeader = 0;
inline constexpr int tagFiller = 251;
inline constexpr int tagFeature = 253;
inline constexpr int tagFeatureNote = 254;
inline constexpr int tagEndOfData = 255;

// Object names are variable-length strings rather than fixed 10-byte texts.
inline constexpr int ftrLongNames = 11;

// Feature notes are remembered per bit up to this one; higher bits are
// written every time.
inline constexpr int MaxNotedFeatureBit = 87;

// Tag header sizes, marker byte included.
inline constexpr std::int64_t ShortHeaderSize = 16;
inline constexpr std::int64_t LongHeaderSize = 17;
inline constexpr std::int64_t LegacyHeaderSize = 9;
// A short tag cannot say 65535: FFFF is an empty FF tag or an untracked FE one.
inline constexpr std::int64_t MaxShortLength = 0xFFFE;
inline constexpr std::int64_t UntrackedLength = 0xFFFF;

// A stretch of the stream: a tag's data or a record. End < 0 for a tag whose
// length is not tracked.
struct TExtent {
  std::int64_t Start = 0;
  std::int64_t End = 0;
};

}  // namespace umbrinex
