#include "persistence/RecordWriter.h"

#include <limits>

#include "framework/data/TextUtils.h"
#include "persistence/FileErrors.h"

namespace umbrinex {

void TRecordWriter::StartTag(int tag, int sub, int form, bool sized)
{
  FChannel.RequireOpen(TFileMode::Write);
  if (FTagOpen) RaiseUnexpectedFileError(Format("Tag %d begun inside another tag.", tag));
  FTagStart = FChannel.Position();
  FTagNumber = tag;
  FSubNumber = sub;
  FForm = form;
  FSized = sized;
  if (form == tfLong) {
    std::uint8_t header[LongHeaderSize] = {0xFD};
    StoreLE32(header + 1, LongHeaderSize);
    StoreLE32(header + 9, tag);
    StoreLE32(header + 13, sub);
    FLengthPosition = FTagStart + 5;
    FChannel.Put(header, sizeof header);
  } else {
    std::uint8_t header[ShortHeaderSize] = {static_cast<std::uint8_t>(form == tfOpenEnded ? 0xFE : 0xFF),
                                            static_cast<std::uint8_t>(tag), static_cast<std::uint8_t>(sub)};
    if (!sized) header[14] = header[15] = 0xFF;
    FLengthPosition = FTagStart + 14;
    FChannel.Put(header, sizeof header);
  }
  FDataStart = FChannel.Position();
  FTagOpen = true;
}

void TRecordWriter::EndTag()
{
  FChannel.RequireOpen(TFileMode::Write);
  if (!FTagOpen) RaiseUnexpectedFileError("Tag ended that was never begun.");
  if (FSized && FForm != tfLong && FChannel.Position() - FDataStart > MaxShortLength) PromoteToLongForm();
  const std::int64_t end = FChannel.Position();
  const std::int64_t length = end - FDataStart;
  if (FSized) {
    if (length > std::numeric_limits<std::int32_t>::max()) RaiseUnexpectedFileError("Tag too long for the file.");
    FChannel.MoveTo(FLengthPosition);
    if (FForm == tfLong) {
      FChannel.PutLE(static_cast<std::uint32_t>(length));
    } else {
      const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
      FChannel.Put(bytes, 2);
    }
    FChannel.MoveTo(end);
  }
  FTagOpen = false;
  FRecordStarts.clear();
}

// A short tag cannot record more than 65534 bytes, so it moves into a long
// header; readers see the same tag and sub-number.
void TRecordWriter::PromoteToLongForm()
{
  const auto length = static_cast<std::size_t>(FChannel.Position() - FDataStart);
  std::vector<std::uint8_t> data(length);
  FChannel.MoveTo(FDataStart);
  if (FChannel.Stream().Read(data.data(), length) != length) FChannel.WriteError();
  if (!FChannel.Stream().Truncate(FTagStart)) FChannel.WriteError();
  FTagOpen = false;
  StartTag(FTagNumber, FSubNumber, tfLong, true);
  FChannel.Put(data.data(), length);
}

void TRecordWriter::BeginRecord()
{
  FChannel.RequireOpen(TFileMode::Write);
  FRecordStarts.push_back(FChannel.Position());
  FChannel.PutLE(std::uint32_t{0});
}

void TRecordWriter::EndRecord()
{
  FChannel.RequireOpen(TFileMode::Write);
  if (FRecordStarts.empty()) RaiseUnexpectedFileError("Record ended that was never begun.");
  const std::int64_t end = FChannel.Position();
  const std::int64_t start = FRecordStarts.back();
  const std::int64_t length = end - start;
  if (length > std::numeric_limits<std::int32_t>::max()) RaiseUnexpectedFileError("Record too long for the file.");
  FChannel.MoveTo(start);
  FChannel.PutLE(static_cast<std::uint32_t>(length));
  FChannel.MoveTo(end);
  FRecordStarts.pop_back();
}

void TRecordWriter::Forget()
{
  FTagOpen = false;
  FRecordStarts.clear();
}

}  // namespace umbrinex
