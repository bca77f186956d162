#pragma once
// The tagged binary stream behind every data file and every in-memory copy of
// a model object. After a 25-byte header come self-sized tags; inside a tag,
// plain values and length-prefixed records. The layout serves one aim: files
// written by other versions stay readable. A reader skips tags it does not
// know and the unread tail of any tag or record a newer writer made longer,
// and keeps its defaults for values an older writer did not write. A field is
// therefore only ever added at the end of its record.
//
// The file object is made of its parts: the stream and its byte level
// (TTagChannel), the header (TFileHeader), writing (TTagWriter over
// TRecordWriter), bounded reading (TTagReader over TRecordReader), where the
// values read arrive or are compared in check mode (TValueStore), the texts'
// code page (TTextEncoder) and a named file's opening and replacing
// (TNamedFile).

#include <cstdint>
#include <string>

#include "framework/data/TaggedFileInterface.h"
#include "persistence/CheckLog.h"
#include "framework/data/FileClass.h"
#include "persistence/FileErrors.h"
#include "persistence/FileHeader.h"
#include "persistence/NamedFile.h"
#include "persistence/Stream.h"
#include "persistence/TagChannel.h"
#include "persistence/TagLayout.h"
#include "persistence/TagReader.h"
#include "persistence/TagWriter.h"
#include "persistence/TextEncoder.h"
#include "persistence/UnrecognisedValues.h"
#include "persistence/ValueStore.h"

namespace umbrinex {

// What the writing and the reading part share; built before either.
struct TTaggedFileParts {
  explicit TTaggedFileParts(TFileMode mode) : Channel(mode) {}
  TTagChannel Channel;
  TTextEncoder Encoder;
  TValueStore Store;
  TUnrecognisedValues Collected;
};

class TTaggedFile : private TTaggedFileParts, public ITaggedFile, public TTagWriter, public TTagReader {
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
  virtual bool IsVersionAccepted(const std::string& version) const { return version == FHeader.FileVersion(); }
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
  // A named file, found as TNamedFile::Locate says.
  void OpenFile(const std::string& fileName, const TFileClass& fileClass,
                TFileNaming naming = TFileNaming::AddExtension);
  // Completes the file: a written named file replaces its target now; a
  // named file read in check mode appends its comparison log.
  void Close();
  // Ends a write without touching the target: the temporary file goes. A
  // read in check mode still appends its comparison log.
  void Abandon();

  // Check mode: reads compare the file with what is in memory; Close
  // appends the differences to "checks.txt" in the file's folder when the
  // file has a name.
  TValueStore& Check() { return Store; }
  const TValueStore& Check() const { return Store; }
  TUnrecognisedValues& Unrecognised() { return Collected; }
  const TTextEncoder& Texts() const { return Encoder; }
  const TFileHeader& Header() const { return FHeader; }

  TFileMode Mode() const { return Channel.Mode(); }
  bool IsOpen() const { return Channel.IsOpen(); }
  // As opened, with the extension OpenFile added; empty for a stream.
  const std::string& FileName() const { return Channel.FileName(); }
  std::int64_t Position() const { return Channel.Position(); }
  void Seek(std::int64_t position);

 protected:
  TFileHeader& EditHeader() { return FHeader; }

 private:
  void WriteHeader(const TFileClass& fileClass);
  void ReadHeader(const TFileClass& fileClass);
  void CommitFile();
  void Release();

  TFileHeader FHeader;
  TNamedFile FNamed;
};

}  // namespace umbrinex
