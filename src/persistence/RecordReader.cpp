#include "persistence/RecordReader.h"

#include <algorithm>

#include "persistence/FileErrors.h"

namespace umbrinex {

TExtent TRecordInfoStack::Pop()
{
  if (FItems.empty()) RaiseUnexpectedFileError("Record ended that was never begun.");
  const TExtent extent = FItems.back();
  FItems.pop_back();
  return extent;
}

void TRecordReader::ReadTagHeader()
{
  FChannel.RequireOpen(TFileMode::Read);
  FRecords.Clear();
  const std::int64_t marker = FChannel.Position();
  std::uint8_t form = 0;
  FChannel.Fetch(&form, 1);
  std::int64_t dataStart = 0;
  std::int64_t length = 0;
  bool tracked = true;
  if (form == 0xFF || form == 0xFE) {
    std::uint8_t header[ShortHeaderSize - 1];
    FChannel.Fetch(header, sizeof header);
    if (header[2] != 0) FChannel.Corrupt();
    const bool isShort = form == 0xFF;
    FTagNumber = header[0];
    FSubNumber = header[1];
    length = header[13] << 8 | header[14];
    if (length == UntrackedLength) {
      if (isShort)
        length = 0;
      else
        tracked = false;
    }
    dataStart = FChannel.Position();
  } else {
    // The long and the legacy form say where their data starts, so that a
    // later version may lengthen the header.
    const bool isLong = form == 0xFD;
    std::uint8_t header[LongHeaderSize - 1];
    FChannel.Fetch(header, isLong ? LongHeaderSize - 1 : LegacyHeaderSize - 1);
    const std::int32_t headerLength = LE32(header);
    length = LE32(header + 4);
    if (headerLength < (isLong ? LongHeaderSize : LegacyHeaderSize) || length < 0) FChannel.Corrupt();
    FTagNumber = isLong ? LE32(header + 8) : tagFiller;
    FSubNumber = isLong ? LE32(header + 12) : 0;
    dataStart = marker + headerLength;
  }
  const std::int64_t size = FChannel.Size();
  if (dataStart > size || (tracked && length > size - dataStart)) FChannel.Corrupt();
  FChannel.MoveTo(dataStart);
  FTagEnd = tracked ? dataStart + length : -1;
  FExtent = {dataStart, FTagEnd};
  FRemaining = tracked ? length : UntrackedLength;
}

void TRecordReader::FinishTag()
{
  FChannel.RequireOpen(TFileMode::Read);
  if (FTagEnd >= 0 && FChannel.Position() < FTagEnd) FChannel.MoveTo(FTagEnd);
  FRecords.Clear();
  ClearExtent();
}

void TRecordReader::ClearExtent()
{
  const std::int64_t here = FChannel.Position();
  FExtent = {here, here};
  FTagEnd = here;
  FRemaining = 0;
}

void TRecordReader::BeginRecord()
{
  FChannel.RequireOpen(TFileMode::Read);
  FRecords.Push(FExtent);
  const std::int64_t start = FChannel.Position();
  if (FRemaining <= 0) {
    // What an older writer did not write reads as an empty record.
    FExtent = {start, start};
    return;
  }
  if (FRemaining < 4) FChannel.Corrupt();
  std::uint8_t bytes[4];
  FChannel.Fetch(bytes, 4);
  const std::int64_t length = LE32(bytes);
  const std::int64_t limit = FExtent.End >= 0 ? FExtent.End : FChannel.Size();
  if (length < 4 || length > limit - start) FChannel.Corrupt();
  FExtent = {start, start + length};
  FRemaining = FExtent.End - FChannel.Position();
}

void TRecordReader::EndRecord()
{
  FChannel.RequireOpen(TFileMode::Read);
  if (FRecords.Empty()) RaiseUnexpectedFileError("Record ended that was never begun.");
  if (FRemaining > 0) FChannel.MoveTo(FExtent.End);
  FExtent = FRecords.Pop();
  FRemaining = FExtent.End >= 0 ? FExtent.End - FChannel.Position() : UntrackedLength;
}

std::int64_t TRecordReader::BytesLeft() const
{
  if (!FChannel.IsOpen() || FChannel.Mode() != TFileMode::Read) return 0;
  return std::max<std::int64_t>(FRemaining, 0);
}

void TRecordReader::Forget()
{
  FRecords.Clear();
  FExtent = {};
  FRemaining = 0;
  FTagEnd = 0;
}

void TRecordReader::RequireAvailable(std::int64_t n)
{
  if (n > FRemaining || n > FChannel.Size() - FChannel.Position()) FChannel.Corrupt();
}

bool TRecordReader::Take(void* p, std::size_t n)
{
  FChannel.RequireOpen(TFileMode::Read);
  if (FRemaining <= 0) return false;
  TakeRequired(p, n);
  return true;
}

void TRecordReader::TakeRequired(void* p, std::size_t n)
{
  if (static_cast<std::int64_t>(n) > FRemaining) FChannel.Corrupt();
  FChannel.Fetch(p, n);
  if (FExtent.End >= 0) FRemaining -= static_cast<std::int64_t>(n);
}

void TRecordReader::SkipRequired(std::int64_t n)
{
  if (n <= 0) return;
  RequireAvailable(n);
  FChannel.MoveTo(FChannel.Position() + n);
  if (FExtent.End >= 0) FRemaining -= n;
}

}  // namespace umbrinex
