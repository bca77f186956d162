#include "persistence/FileHeader.h"

#include <algorithm>

#include "persistence/Cp1252.h"

namespace umbrinex {

namespace {

constexpr std::size_t HeaderSize = 25;
constexpr std::size_t SignatureWidth = 9;
constexpr std::size_t MinorVersionWidth = 4;
constexpr std::size_t FileVersionWidth = 6;

// A header text: its length byte (cut to the width), then the width in bytes.
std::string HeaderText(const std::uint8_t* p, std::size_t width)
{
  const std::size_t length = std::min<std::size_t>(p[0], width);
  return Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p + 1), length));
}

}  // namespace

void TFeatureList::Add(int feature)
{
  if (!Contains(feature)) FItems.push_back(feature);
}

bool TFeatureList::Contains(int feature) const
{
  return std::find(FItems.begin(), FItems.end(), feature) != FItems.end();
}

void TFileHeader::SetProgramVersion(int major, const std::string& minor)
{
  FMajorVersion = major;
  FMinorVersion = minor;
}

void TFileHeader::Write(TTagWriter& writer, int fileTypeCode, const std::vector<int>& features)
{
  FNotesWritten.reset();
  FFeatures.Clear();
  for (int feature : features) FFeatures.Add(feature);

  writer.WriteHeaderText(FSignature, SignatureWidth);
  writer.WriteWord(static_cast<std::uint16_t>(FMajorVersion));
  writer.WriteHeaderText(FMinorVersion, MinorVersionWidth);
  writer.WriteByte(static_cast<std::uint8_t>(fileTypeCode));
  writer.WriteHeaderText(FFileVersion, FileVersionWidth);
  for (int i = 0; i < FFeatures.Count(); ++i) {
    writer.BeginTag(tagFeature, 0);
    writer.WriteInteger(FFeatures.Items(i));
    writer.EndTag();
  }
}

THeaderKind TFileHeader::ReadFixedPart(TTagChannel& channel)
{
  std::uint8_t header[HeaderSize];
  channel.Fetch(header, HeaderSize);
  FSignature = HeaderText(header, SignatureWidth);
  FMajorVersion = static_cast<std::int16_t>(header[10] | header[11] << 8);
  FMinorVersion = HeaderText(header + 12, MinorVersionWidth);
  return {header[17], HeaderText(header + 18, FileVersionWidth)};
}

void TFileHeader::ReadFeatures(TTagChannel& channel, TRecordReader& records)
{
  FFeatures.Clear();
  while (channel.Position() < channel.Size()) {
    const std::int64_t start = channel.Position();
    records.ReadTagHeader();
    if (records.TagNumber() != tagFeature) {
      channel.MoveTo(start);
      break;
    }
    std::uint32_t feature = 0;
    if (records.TakeLE(feature)) FFeatures.Add(static_cast<std::int32_t>(feature));
    records.FinishTag();
  }
  records.ClearExtent();
}

bool TFileHeader::TakeNote(int bit)
{
  if (bit < 0 || bit > MaxNotedFeatureBit) return true;
  if (FNotesWritten.test(static_cast<std::size_t>(bit))) return false;
  FNotesWritten.set(static_cast<std::size_t>(bit));
  return true;
}

}  // namespace umbrinex
