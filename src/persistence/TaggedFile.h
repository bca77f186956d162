#pragma once
// The tagged binary stream behind every data file and every in-memory copy of
// a model object. After a 25-byte header come self-sized tags; inside a tag,
// plain values and length-prefixed records. The layout serves one aim: files
// written by other versions stay readable. A reader skips tags it does not
// know and the unread tail of any tag or record a newer writer made longer,
// and keeps its defaults for values an older writer did not write. A field is
// therefore only ever added at the end of its record.
//
// Reading is bounded: every value is read from the innermost tag or record
// being read. When that is used up, nothing is read and the destination
// keeps its value; when it holds some bytes but fewer than the value needs,
// or a length field points past the data, the file is corrupt. Nothing a
// file says can make the reader run off the data or allocate without limit.
//
// A named file is never written in place: the bytes go to a temporary file in
// the same folder, which replaces the target only when Close has written and
// flushed everything. Until then, and whenever the object dies without Close
// (an exception unwinding a save), the previous file is untouched.

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/data/TaggedFileInterface.h"
#include "persistence/CheckLog.h"
#include "framework/data/FileClass.h"
#include "persistence/FileErrors.h"
#include "persistence/Stream.h"

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

class TFeatureList {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  int Items(int i) const { return FItems.at(static_cast<std::size_t>(i)); }
  void Add(int feature);
  bool Contains(int feature) const;
  void Clear() { FItems.clear(); }

 private:
  std::vector<int> FItems;
};

// A stretch of the stream: a tag's data or a record. End < 0 while writing,
// and for a tag whose length is not tracked.
struct TExtent {
  std::int64_t Start = 0;
  std::int64_t End = 0;
};

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

// Files below this size are read whole into memory and written through a
// memory buffer: the smaller of the memory available and the limit, which is
// 8 MiB unless set otherwise.
std::int64_t FileBufferingThreshold();
void SetFileBufferingLimit(std::int64_t bytes);

// Whether opening a named file makes its folder the current directory. Off:
// changing it would break the relative names given on a command line.
void SetChangeDirectoryOnOpen(bool on);
bool ChangeDirectoryOnOpen();

class TTaggedFile : public ITaggedFile {
 public:
  explicit TTaggedFile(TFileMode mode);
  // Closes the file; one still being written is abandoned instead, since
  // only a Close that completes may replace the previous file.
  virtual ~TTaggedFile();
  TTaggedFile(const TTaggedFile&) = delete;
  TTaggedFile& operator=(const TTaggedFile&) = delete;

  // Expected size of a file to be written; files at least as large as the
  // buffering threshold are written straight to disk.
  virtual std::int64_t EstimatedSize() const { return 0; }
  virtual bool IsVersionAccepted(const std::string& version) const { return version == FFileVersion; }
  bool UsesLongNames() const override { return true; }
  virtual bool IsFileTypeAccepted(int code, int expected) const { return code == expected; }
  // Writes the header and the feature declarations, or reads and checks them.
  virtual void ProcessHeader(const TFileClass& fileClass);
  // Tells an older program that the file uses something it cannot represent;
  // written at most once per feature bit and file.
  void NoteFeatureUsed(int bit, bool value, bool flag, const std::string& text) override;
  // Features (0..15) the files of this class declare.
  virtual bool WantsFeature(int /*feature*/) const { return false; }

  // A caller's stream, for in-memory copies; the stream stays the caller's.
  // Reading starts at its beginning; writing first empties it.
  void OpenStream(TStream& stream, const TFileClass& fileClass);
  // A named file; the class's default extension is added to a name without
  // one when writing, or when reading and no file of that name exists, but
  // not to the name of a device, pipe or folder, or of a file in a folder
  // of devices. An exact name is used as given, not even trimmed.
  void OpenFile(const std::string& fileName, const TFileClass& fileClass,
                TFileNaming naming = TFileNaming::AddExtension);
  // Completes the file: a written named file replaces its target now; a
  // named file read in check mode appends its comparison log.
  void Close();
  // Ends a write without touching the target: the temporary file goes. A
  // read in check mode still appends its comparison log.
  void Abandon();

  void ReadTagHeader();
  // Skips whatever is left of the current tag.
  void FinishTag();
  void WriteEndOfData();

  // Check mode: reads compare the file with what is in memory and leave the
  // memory as it was; differences go to the comparison log, which Close
  // appends to "checks.txt" in the file's folder when the file has a name.
  // Switching it on marks the file as compared.
  void SetCheckMode(bool on);
  bool CheckMode() const { return FCheckMode; }
  bool Compared() const { return FCompared; }
  // What the differences found next are reported as (see TCheckLog).
  void SetItemName(const std::string& name) { FCheck.SetItemName(name); }
  void SetItemIndex(int index) { FCheck.SetItemIndex(index); }
  void SetSampleNumber(int sample) { FCheck.SetSampleNumber(sample); }
  const TCheckLog& CheckLog() const { return FCheck; }

  // Enumeration values above their bound are collected during a load and
  // reported together at its end, as one warning.
  void CollectUnrecognised(bool on);
  void ReportUnrecognised();
  const std::vector<std::string>& Unrecognised() const { return FUnrecognised; }

  bool HasFeature(int feature) const { return FFeatures.Contains(feature); }
  const TFeatureList& Features() const { return FFeatures; }

  TFileMode Mode() const { return FMode; }
  bool IsOpen() const { return FOpen; }
  // As opened, with the extension OpenFile added; empty for a stream.
  const std::string& FileName() const { return FFileName; }
  const std::string& Signature() const { return FSignature; }
  int ProgramMajorVersion() const { return FMajorVersion; }
  const std::string& ProgramMinorVersion() const { return FMinorVersion; }
  // The object's file version, replaced by the one read.
  const std::string& FileVersion() const { return FFileVersion; }
  int TagForm() const { return FTagForm; }
  void SetTagForm(int form) { FTagForm = form; }
  int TagNumber() const { return FTagNumber; }
  int SubNumber() const { return FSubNumber; }
  std::int64_t Position() const;
  void Seek(std::int64_t position);
  // Characters written as '?' because the file's code page has no such
  // character, or because the text was not valid UTF-8.
  std::size_t ReplacedCharacters() const { return FReplacedCharacters; }
  // Texts cut to the 65535 bytes a string of the file can hold.
  std::size_t CutTexts() const { return FCutTexts; }

  // ITaggedFile
  void BeginTag(int tag, int sub) override { StartTag(tag, sub, FTagForm, true); }
  void EndTag() override;
  void BeginRecord() override;
  void EndRecord() override;
  void BeginReadRecord() override;
  void EndReadRecord() override;
  std::int64_t BytesLeft() const override;

  void WriteBytes(const void* p, std::size_t n) override { Put(p, n); }
  void WritePadding(std::size_t n) override;
  void WriteByte(std::uint8_t v) override;
  void WriteShortInt(std::int8_t v) override;
  void WriteSmallInt(std::int16_t v) override;
  void WriteWord(std::uint16_t v) override;
  void WriteInteger(std::int32_t v) override;
  void WriteDouble(double v) override;
  void WriteDoubleArray(const double* values, int high) override;
  void WriteVector(const TVector& v) override;
  void WriteVector2(const TVector2& v) override;
  void WriteMatrix(const TMatrix& m) override;
  void WriteSymmetricMatrix6(const TSymmetricMatrix6& m) override;
  void WriteCountedBytes(const void* p, std::size_t n) override;
  void WriteBoolean(bool v) override;
  void WriteBodyState(const TBodyState& s) override;
  void WriteString(const std::string& s) override;
  void WriteFixedString(const std::string& s, int width) override;

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
  [[noreturn]] void Corrupt() const override;

 protected:
  void SetSignature(const std::string& signature) { FSignature = signature; }
  void SetProgramVersion(int major, const std::string& minor);
  void SetFileVersion(const std::string& version) { FFileVersion = version; }

 private:
  // Header and tags.
  void WriteHeader(const TFileClass& fileClass);
  void ReadHeader(const TFileClass& fileClass);
  void ReadFeatureTags();
  void StartTag(int tag, int sub, int form, bool sized);
  void PromoteToLongForm();
  void ClearExtent();
  void ResetCheckState();
  void AppendCheckLog();
  void NoteUnrecognised(const std::string& itemName);

  // Opening and closing named files.
  void OpenForReading();
  void OpenForWriting();
  void CommitFile();
  void Release();

  // The byte level. Put writes at the end; Fetch reads raw bytes that the
  // stream must deliver. Take reads from the current extent by the rules of
  // bounded reading (false: nothing left); TakeRequired is for the body of a
  // value whose length has been read, which must be there.
  void RequireOpen(TFileMode mode) const;
  void Put(const void* p, std::size_t n);
  template <typename U>
  void PutLE(U v);
  void PutDoubles(const double* values, std::size_t n);
  void PutText(const std::string& utf8, std::size_t maxBytes, bool counted);
  void Fetch(void* p, std::size_t n);
  void MoveTo(std::int64_t position);
  void RequireAvailable(std::int64_t n);
  bool Take(void* p, std::size_t n);
  void TakeRequired(void* p, std::size_t n);
  void SkipRequired(std::int64_t n);
  template <typename U>
  bool TakeLE(U& v);
  template <typename U, typename T>
  void ReadOrdinal(T& v);
  [[noreturn]] void WriteError() const;
  [[noreturn]] void StreamError(const std::string& systemText) const;

  // Where every value read arrives. In check mode they compare the value
  // with the destination instead of storing it.
  template <typename T>
  void StoreOrdinal(T& destination, T value)
  {
    if (FCheckMode)
      FCheck.CompareInteger(static_cast<long long>(value), static_cast<long long>(destination));
    else
      destination = value;
  }
  void StoreDouble(double& destination, double value);
  void StoreBoolean(bool& destination, bool value);
  void StoreString(std::string& destination, std::string value);
  void StoreBytes(void* destination, const std::uint8_t* source, std::size_t n);

  const TFileMode FMode;
  int FTagForm = tfShort;
  std::string FFileName;
  std::string FTargetPath;                         // absolute; what a written file replaces at Close
  std::unique_ptr<TReplacementFile> FReplacement;  // the file being written until then
  std::string FSignature = "Umbrinex";
  int FMajorVersion = 0;
  std::string FMinorVersion;
  std::string FFileVersion;
  bool FCheckMode = false;
  bool FCompared = false;
  TCheckLog FCheck;
  bool FOpen = false;

  TStream* FStream = nullptr;              // what is read or written
  std::unique_ptr<TMemoryStream> FBuffer;  // a named file held in memory
  std::unique_ptr<TFileStream> FFile;      // the file behind the buffer, or FStream itself

  // Reading: the extent being read, those enclosing it, what is left of it.
  TExtent FExtent;
  TRecordInfoStack FRecords;
  std::int64_t FRemaining = 0;
  std::int64_t FTagEnd = 0;  // < 0: length not tracked

  int FCurrentForm = tfShort;
  int FTagNumber = 0;
  int FSubNumber = 0;
  // Writing: the open tag.
  bool FTagOpen = false;
  bool FSized = true;
  std::int64_t FTagStart = 0;
  std::int64_t FLengthPosition = 0;
  std::int64_t FDataStart = 0;

  TFeatureList FFeatures;
  std::bitset<MaxNotedFeatureBit + 1> FNotesWritten;
  bool FCollecting = false;
  std::vector<std::string> FUnrecognised;
  std::size_t FReplacedCharacters = 0;
  std::size_t FCutTexts = 0;
};

// The little-endian byte level, shared by the tag and the value code.

template <typename U>
void TTaggedFile::PutLE(U v)
{
  std::uint8_t bytes[sizeof(U)];
  for (std::size_t i = 0; i < sizeof(U); ++i) bytes[i] = static_cast<std::uint8_t>(v >> (8 * i));
  Put(bytes, sizeof(U));
}

template <typename U>
bool TTaggedFile::TakeLE(U& v)
{
  std::uint8_t bytes[sizeof(U)];
  if (!Take(bytes, sizeof(U))) return false;
  U result = 0;
  for (std::size_t i = 0; i < sizeof(U); ++i) result = static_cast<U>(result | U(bytes[i]) << (8 * i));
  v = result;
  return true;
}

template <typename U, typename T>
void TTaggedFile::ReadOrdinal(T& v)
{
  U raw = 0;
  if (TakeLE(raw)) StoreOrdinal<T>(v, static_cast<T>(raw));
}

}  // namespace umbrinex
