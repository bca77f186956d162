#include "persistence/TaggedFile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "framework/data/TextUtils.h"
#include "persistence/Cp1252.h"

namespace umbrinex {

namespace {

constexpr std::size_t HeaderSize = 25;
constexpr std::size_t SignatureWidth = 9;
constexpr std::size_t MinorVersionWidth = 4;
constexpr std::size_t FileVersionWidth = 6;
constexpr std::int64_t ShortHeaderSize = 16;
constexpr std::int64_t LongHeaderSize = 17;
constexpr std::int64_t LegacyHeaderSize = 9;
// A short tag cannot say 65535: FFFF is an empty FF tag or an untracked FE one.
constexpr std::int64_t MaxShortLength = 0xFFFE;
constexpr std::int64_t UntrackedLength = 0xFFFF;

std::int32_t LE32(const std::uint8_t* p)
{
  return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                   std::uint32_t{p[3]} << 24);
}

void StoreLE32(std::uint8_t* p, std::int64_t v)
{
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(v) >> (8 * i));
}

// A header text: its length byte (cut to the width), then the width in bytes.
std::string HeaderText(const std::uint8_t* p, std::size_t width)
{
  const std::size_t length = std::min<std::size_t>(p[0], width);
  return Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p + 1), length));
}

std::string ExpectedKindText(int code)
{
  switch (code) {
    case 0:
      return "a data file.";
    case 2:
      return "a simulation file.";
    case 5:
      return "an RAO file.";
    case 9:
      return "a fatigue analysis file.";
    case 10:
      return "an Umbrinex file";
    default:
      return "the expected type of file.";
  }
}

std::string UnrecognisedWarning(const std::vector<std::string>& names)
{
  if (names.size() == 1)
    return Format("Unrecognised value for %s - using default value.  Results will probably be affected.",
                  names.front().c_str());
  std::string text = "The following data items had unrecognised values:\r\n\n";
  for (const std::string& name : names) text += " - " + name + "\r\n";
  return text + "\r\nDefault values have been used and this will probably affect results.";
}

}  // namespace

// ---- TFeatureList, TRecordInfoStack ----

void TFeatureList::Add(int feature)
{
  if (!Contains(feature)) FItems.push_back(feature);
}

bool TFeatureList::Contains(int feature) const
{
  return std::find(FItems.begin(), FItems.end(), feature) != FItems.end();
}

TExtent TRecordInfoStack::Pop()
{
  if (FItems.empty()) RaiseUnexpectedFileError("Record ended that was never begun.");
  const TExtent extent = FItems.back();
  FItems.pop_back();
  return extent;
}

// ---- TTaggedFile: construction, header ----

TTaggedFile::TTaggedFile(TFileMode mode) : FMode(mode) {}

TTaggedFile::~TTaggedFile()
{
  if (!FOpen) return;
  if (FMode == TFileMode::Write && FReplacement) {
    Abandon();
    return;
  }
  try {
    Close();
  } catch (...) {
    // A destructor cannot report; whoever wanted to know called Close.
  }
}

void TTaggedFile::SetProgramVersion(int major, const std::string& minor)
{
  FMajorVersion = major;
  FMinorVersion = minor;
}

void TTaggedFile::OpenStream(TStream& stream, const TFileClass& fileClass)
{
  if (FOpen) Close();
  FStream = &stream;
  FFileName.clear();
  FOpen = true;
  try {
    const bool ready = FMode == TFileMode::Write ? stream.Truncate(0) : stream.Seek(0);
    if (!ready) FMode == TFileMode::Write ? WriteError() : Corrupt();
    ProcessHeader(fileClass);
  } catch (...) {
    Release();
    throw;
  }
}

void TTaggedFile::ProcessHeader(const TFileClass& fileClass)
{
  if (FMode == TFileMode::Write)
    WriteHeader(fileClass);
  else
    ReadHeader(fileClass);
}

void TTaggedFile::ResetCheckState()
{
  FCompared = false;
  FCheck.Reset(FFileName);
}

void TTaggedFile::WriteHeader(const TFileClass& fileClass)
{
  ResetCheckState();
  FNotesWritten.reset();
  FFeatures.Clear();
  for (int feature = 0; feature <= 15; ++feature)
    if (WantsFeature(feature)) FFeatures.Add(feature);

  PutText(FSignature, SignatureWidth, false);
  PutLE(static_cast<std::uint16_t>(FMajorVersion));
  PutText(FMinorVersion, MinorVersionWidth, false);
  PutLE(static_cast<std::uint8_t>(fileClass.FileTypeCode));
  PutText(FFileVersion, FileVersionWidth, false);
  for (int i = 0; i < FFeatures.Count(); ++i) {
    BeginTag(tagFeature, 0);
    WriteInteger(FFeatures.Items(i));
    EndTag();
  }
}

void TTaggedFile::ReadHeader(const TFileClass& fileClass)
{
  std::uint8_t header[HeaderSize];
  Fetch(header, HeaderSize);
  FSignature = HeaderText(header, SignatureWidth);
  FMajorVersion = static_cast<std::int16_t>(header[10] | header[11] << 8);
  FMinorVersion = HeaderText(header + 12, MinorVersionWidth);
  const int code = header[17];
  const std::string version = HeaderText(header + 18, FileVersionWidth);

  if (!IsFileTypeAccepted(code, fileClass.FileTypeCode)) {
    const std::string name = FFileName.empty() ? "This" : Format("'%s'", FileNameForMessage(FFileName).c_str());
    RaiseFileError(name + " is not " + ExpectedKindText(fileClass.FileTypeCode));
  }
  // The version is whatever bytes the file holds: shown, never obeyed.
  if (!IsVersionAccepted(version)) RaiseFileError("Wrong file version.  This is a " + VisibleText(version) + " file.");
  FFileVersion = version;
  ReadFeatureTags();
  ResetCheckState();
  FNotesWritten.reset();
}

void TTaggedFile::ReadFeatureTags()
{
  FFeatures.Clear();
  while (Position() < FStream->Size()) {
    const std::int64_t start = Position();
    ReadTagHeader();
    if (FTagNumber != tagFeature) {
      MoveTo(start);
      break;
    }
    std::uint32_t feature = 0;
    if (TakeLE(feature)) FFeatures.Add(static_cast<std::int32_t>(feature));
    FinishTag();
  }
  ClearExtent();
}

void TTaggedFile::SetCheckMode(bool on)
{
  FCheckMode = on;
  if (on) FCompared = true;
}

// The log goes beside the data file, so that the comparisons of a folder of
// test designs collect in one place; earlier runs are kept.
void TTaggedFile::AppendCheckLog()
{
  FCompared = false;
  if (FFileName.empty()) return;
  FCheck.Finish();
  const std::filesystem::path path = std::filesystem::path(FTargetPath).parent_path() / CheckLogFileName;
  std::ofstream out(path, std::ios::app | std::ios::binary);
  for (const std::string& line : FCheck.Lines()) out << line << '\n';
  out.flush();
  FCheck.Reset(FFileName);
  if (!out) RaiseFileError(Format("Write error on file '%s'.", FileNameForMessage(path.string()).c_str()));
}

void TTaggedFile::CollectUnrecognised(bool on)
{
  FCollecting = on;
  FUnrecognised.clear();
}

void TTaggedFile::NoteUnrecognised(const std::string& itemName)
{
  if (FCollecting && std::find(FUnrecognised.begin(), FUnrecognised.end(), itemName) == FUnrecognised.end())
    FUnrecognised.push_back(itemName);
}

void TTaggedFile::ReportUnrecognised()
{
  if (FUnrecognised.empty()) return;
  const std::string text = UnrecognisedWarning(FUnrecognised);
  FUnrecognised.clear();
  ShowFileWarning(text);
}

std::int64_t TTaggedFile::Position() const
{
  return FStream == nullptr ? 0 : FStream->Position();
}

void TTaggedFile::Seek(std::int64_t position)
{
  RequireOpen(FMode);
  MoveTo(position);
}

// ---- Tags and records, writing ----

void TTaggedFile::StartTag(int tag, int sub, int form, bool sized)
{
  RequireOpen(TFileMode::Write);
  if (FTagOpen) RaiseUnexpectedFileError(Format("Tag %d begun inside another tag.", tag));
  FTagStart = Position();
  FTagNumber = tag;
  FSubNumber = sub;
  FCurrentForm = form;
  FSized = sized;
  if (form == tfLong) {
    std::uint8_t header[LongHeaderSize] = {0xFD};
    StoreLE32(header + 1, LongHeaderSize);
    StoreLE32(header + 9, tag);
    StoreLE32(header + 13, sub);
    FLengthPosition = FTagStart + 5;
    Put(header, sizeof header);
  } else {
    std::uint8_t header[ShortHeaderSize] = {static_cast<std::uint8_t>(form == tfOpenEnded ? 0xFE : 0xFF),
                                            static_cast<std::uint8_t>(tag), static_cast<std::uint8_t>(sub)};
    if (!sized) header[14] = header[15] = 0xFF;
    FLengthPosition = FTagStart + 14;
    Put(header, sizeof header);
  }
  FDataStart = Position();
  FTagOpen = true;
}

void TTaggedFile::EndTag()
{
  RequireOpen(TFileMode::Write);
  if (!FTagOpen) RaiseUnexpectedFileError("Tag ended that was never begun.");
  if (FSized && FCurrentForm != tfLong && Position() - FDataStart > MaxShortLength) PromoteToLongForm();
  const std::int64_t end = Position();
  const std::int64_t length = end - FDataStart;
  if (FSized) {
    if (length > std::numeric_limits<std::int32_t>::max()) RaiseUnexpectedFileError("Tag too long for the file.");
    MoveTo(FLengthPosition);
    if (FCurrentForm == tfLong) {
      PutLE(static_cast<std::uint32_t>(length));
    } else {
      const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
      Put(bytes, 2);
    }
    MoveTo(end);
  }
  FTagOpen = false;
  FRecords.Clear();
  ClearExtent();
}

// A short tag cannot record more than 65534 bytes, so it moves into a long
// header; readers see the same tag and sub-number.
void TTaggedFile::PromoteToLongForm()
{
  const auto length = static_cast<std::size_t>(Position() - FDataStart);
  std::vector<std::uint8_t> data(length);
  MoveTo(FDataStart);
  if (FStream->Read(data.data(), length) != length) WriteError();
  if (!FStream->Truncate(FTagStart)) WriteError();
  FTagOpen = false;
  StartTag(FTagNumber, FSubNumber, tfLong, true);
  Put(data.data(), length);
}

void TTaggedFile::WriteEndOfData()
{
  BeginTag(tagEndOfData, 0);
  EndTag();
}

void TTaggedFile::NoteFeatureUsed(int bit, bool value, bool flag, const std::string& text)
{
  if (bit >= 0 && bit <= MaxNotedFeatureBit) {
    if (FNotesWritten.test(static_cast<std::size_t>(bit))) return;
    FNotesWritten.set(static_cast<std::size_t>(bit));
  }
  // The string below counts any replaced characters; this is only its size.
  const std::string bytes = Utf8ToCp1252(Trim(text));
  BeginTag(tagFeatureNote, 0);
  WriteWord(static_cast<std::uint16_t>(std::min<std::size_t>(bytes.size(), 0xFFFF - 6) + 6));
  WriteWord(static_cast<std::uint16_t>(bit));
  WriteBoolean(value);
  WriteString(text);
  WriteBoolean(flag);
  EndTag();
  if (flag) {
    StartTag(tagFiller, 0, tfOpenEnded, true);
    EndTag();
  }
}

void TTaggedFile::BeginRecord()
{
  RequireOpen(TFileMode::Write);
  FRecords.Push(FExtent);
  FExtent = {Position(), -1};
  PutLE(std::uint32_t{0});
}

void TTaggedFile::EndRecord()
{
  RequireOpen(TFileMode::Write);
  if (FRecords.Empty()) RaiseUnexpectedFileError("Record ended that was never begun.");
  const std::int64_t end = Position();
  const std::int64_t length = end - FExtent.Start;
  if (length > std::numeric_limits<std::int32_t>::max()) RaiseUnexpectedFileError("Record too long for the file.");
  MoveTo(FExtent.Start);
  PutLE(static_cast<std::uint32_t>(length));
  MoveTo(end);
  FExtent = FRecords.Pop();
}

// ---- Tags and records, reading ----

void TTaggedFile::ReadTagHeader()
{
  RequireOpen(TFileMode::Read);
  FRecords.Clear();
  const std::int64_t marker = Position();
  std::uint8_t form = 0;
  Fetch(&form, 1);
  std::int64_t dataStart = 0;
  std::int64_t length = 0;
  bool tracked = true;
  if (form == 0xFF || form == 0xFE) {
    std::uint8_t header[ShortHeaderSize - 1];
    Fetch(header, sizeof header);
    if (header[2] != 0) Corrupt();
    FCurrentForm = form == 0xFF ? tfShort : tfOpenEnded;
    FTagNumber = header[0];
    FSubNumber = header[1];
    length = header[13] << 8 | header[14];
    if (length == UntrackedLength) {
      if (FCurrentForm == tfShort)
        length = 0;
      else
        tracked = false;
    }
    dataStart = Position();
  } else {
    // The long and the legacy form say where their data starts, so that a
    // later version may lengthen the header.
    const bool isLong = form == 0xFD;
    std::uint8_t header[LongHeaderSize - 1];
    Fetch(header, isLong ? LongHeaderSize - 1 : LegacyHeaderSize - 1);
    const std::int32_t headerLength = LE32(header);
    length = LE32(header + 4);
    if (headerLength < (isLong ? LongHeaderSize : LegacyHeaderSize) || length < 0) Corrupt();
    FCurrentForm = isLong ? tfLong : tfLegacy;
    FTagNumber = isLong ? LE32(header + 8) : tagFiller;
    FSubNumber = isLong ? LE32(header + 12) : 0;
    dataStart = marker + headerLength;
  }
  const std::int64_t size = FStream->Size();
  if (dataStart > size || (tracked && length > size - dataStart)) Corrupt();
  MoveTo(dataStart);
  FTagEnd = tracked ? dataStart + length : -1;
  FExtent = {dataStart, FTagEnd};
  FRemaining = tracked ? length : UntrackedLength;
}

void TTaggedFile::FinishTag()
{
  RequireOpen(TFileMode::Read);
  if (FTagEnd >= 0 && Position() < FTagEnd) MoveTo(FTagEnd);
  FRecords.Clear();
  ClearExtent();
}

void TTaggedFile::ClearExtent()
{
  const std::int64_t here = Position();
  FExtent = {here, here};
  FTagEnd = here;
  FRemaining = 0;
}

void TTaggedFile::BeginReadRecord()
{
  RequireOpen(TFileMode::Read);
  FRecords.Push(FExtent);
  const std::int64_t start = Position();
  if (FRemaining <= 0) {
    // What an older writer did not write reads as an empty record.
    FExtent = {start, start};
    return;
  }
  if (FRemaining < 4) Corrupt();
  std::uint8_t bytes[4];
  Fetch(bytes, 4);
  const std::int64_t length = LE32(bytes);
  const std::int64_t limit = FExtent.End >= 0 ? FExtent.End : FStream->Size();
  if (length < 4 || length > limit - start) Corrupt();
  FExtent = {start, start + length};
  FRemaining = FExtent.End - Position();
}

void TTaggedFile::EndReadRecord()
{
  RequireOpen(TFileMode::Read);
  if (FRecords.Empty()) RaiseUnexpectedFileError("Record ended that was never begun.");
  if (FRemaining > 0) MoveTo(FExtent.End);
  FExtent = FRecords.Pop();
  FRemaining = FExtent.End >= 0 ? FExtent.End - Position() : UntrackedLength;
}

std::int64_t TTaggedFile::BytesLeft() const
{
  if (!FOpen || FMode != TFileMode::Read) return 0;
  return std::max<std::int64_t>(FRemaining, 0);
}

// ---- The byte level ----

void TTaggedFile::RequireOpen(TFileMode mode) const
{
  if (!FOpen) RaiseUnexpectedFileError("The file is not open.");
  if (FMode != mode)
    RaiseUnexpectedFileError(mode == TFileMode::Read ? "The file is not open for reading."
                                                     : "The file is not open for writing.");
}

void TTaggedFile::Put(const void* p, std::size_t n)
{
  RequireOpen(TFileMode::Write);
  if (!FStream->Write(p, n)) WriteError();
}

void TTaggedFile::PutDoubles(const double* values, std::size_t n)
{
  for (std::size_t i = 0; i < n; ++i) PutLE(std::bit_cast<std::uint64_t>(values[i]));
}

void TTaggedFile::PutText(const std::string& utf8, std::size_t maxBytes, bool counted)
{
  std::string bytes = Utf8ToCp1252(Trim(utf8), &FReplacedCharacters);
  if (bytes.size() > maxBytes) {
    bytes.resize(maxBytes);
    ++FCutTexts;
  }
  if (counted) {
    PutLE(static_cast<std::uint16_t>(bytes.size()));
    Put(bytes.data(), bytes.size());
  } else {
    // A header text: its length byte, then the padded width.
    PutLE(static_cast<std::uint8_t>(bytes.size()));
    bytes.resize(maxBytes, '\0');
    Put(bytes.data(), maxBytes);
  }
}

void TTaggedFile::MoveTo(std::int64_t position)
{
  if (!FStream->Seek(position)) FMode == TFileMode::Write ? WriteError() : Corrupt();
}

void TTaggedFile::Fetch(void* p, std::size_t n)
{
  RequireOpen(TFileMode::Read);
  if (n != 0 && FStream->Read(p, n) != n) Corrupt();
}

void TTaggedFile::RequireAvailable(std::int64_t n)
{
  if (n > FRemaining || n > FStream->Size() - Position()) Corrupt();
}

bool TTaggedFile::Take(void* p, std::size_t n)
{
  RequireOpen(TFileMode::Read);
  if (FRemaining <= 0) return false;
  TakeRequired(p, n);
  return true;
}

void TTaggedFile::TakeRequired(void* p, std::size_t n)
{
  if (static_cast<std::int64_t>(n) > FRemaining) Corrupt();
  Fetch(p, n);
  if (FExtent.End >= 0) FRemaining -= static_cast<std::int64_t>(n);
}

void TTaggedFile::SkipRequired(std::int64_t n)
{
  if (n <= 0) return;
  RequireAvailable(n);
  MoveTo(Position() + n);
  if (FExtent.End >= 0) FRemaining -= n;
}

void TTaggedFile::StoreDouble(double& destination, double value)
{
  if (FCheckMode)
    FCheck.CompareDouble(value, destination);
  else
    destination = value;
}

void TTaggedFile::StoreBoolean(bool& destination, bool value)
{
  if (FCheckMode)
    FCheck.CompareBoolean(value, destination);
  else
    destination = value;
}

void TTaggedFile::StoreString(std::string& destination, std::string value)
{
  if (FCheckMode)
    FCheck.CompareString(value, destination);
  else
    destination = std::move(value);
}

void TTaggedFile::StoreBytes(void* destination, const std::uint8_t* source, std::size_t n)
{
  if (n == 0) return;
  if (FCheckMode)
    FCheck.CompareBytes(source, destination, n);
  else
    std::memcpy(destination, source, n);
}

void TTaggedFile::Corrupt() const
{
  RaiseFileError(Format("File '%s' is corrupt.", FileNameForMessage(FFileName).c_str()));
}

void TTaggedFile::WriteError() const
{
  RaiseWriteError(FFileName, FFile ? FFile->LastErrorNumber() : 0);
}

void TTaggedFile::StreamError(const std::string& systemText) const
{
  RaiseFileError("File error.  " + Trim(systemText));
}

}  // namespace umbrinex
