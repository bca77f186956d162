#include "persistence/TaggedFile.h"

#include <algorithm>
#include <vector>

#include "framework/data/TextUtils.h"
#include "persistence/Cp1252.h"

namespace umbrinex {

namespace {

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

}  // namespace

TTaggedFile::TTaggedFile(TFileMode mode)
    : TTaggedFileParts(mode), TTagWriter(Channel, Encoder), TTagReader(Channel, Store, Collected)
{
}

TTaggedFile::~TTaggedFile()
{
  if (!Channel.IsOpen()) return;
  if (Channel.Mode() == TFileMode::Write && FNamed.IsBeingWritten()) {
    Abandon();
    return;
  }
  try {
    Close();
  } catch (...) {
    // A destructor cannot report; whoever wanted to know called Close.
  }
}

void TTaggedFile::OpenStream(TStream& stream, const TFileClass& fileClass)
{
  if (Channel.IsOpen()) Close();
  Channel.SetStream(&stream, nullptr);
  Channel.SetFileName({});
  Channel.MarkOpen();
  try {
    const bool ready = Channel.Mode() == TFileMode::Write ? stream.Truncate(0) : stream.Seek(0);
    if (!ready) Channel.Mode() == TFileMode::Write ? Channel.WriteError() : Channel.Corrupt();
    ProcessHeader(fileClass);
  } catch (...) {
    Release();
    throw;
  }
}

void TTaggedFile::OpenFile(const std::string& fileName, const TFileClass& fileClass, TFileNaming naming)
{
  if (Channel.IsOpen()) Close();
  Channel.SetFileName(FNamed.Locate(fileName, fileClass, naming, Channel.Mode()));
  Channel.MarkOpen();
  try {
    if (Channel.Mode() == TFileMode::Read)
      FNamed.OpenForReading(Channel);
    else
      FNamed.OpenForWriting(Channel, EstimatedSize());
    FNamed.EnterFolder();
    ProcessHeader(fileClass);
  } catch (...) {
    Abandon();
    throw;
  }
}

void TTaggedFile::ProcessHeader(const TFileClass& fileClass)
{
  if (Channel.Mode() == TFileMode::Write)
    WriteHeader(fileClass);
  else
    ReadHeader(fileClass);
}

void TTaggedFile::WriteHeader(const TFileClass& fileClass)
{
  Store.Reset(Channel.FileName());
  std::vector<int> features;
  for (int feature = 0; feature <= 15; ++feature)
    if (WantsFeature(feature)) features.push_back(feature);
  FHeader.Write(*this, fileClass.FileTypeCode, features);
}

void TTaggedFile::ReadHeader(const TFileClass& fileClass)
{
  const THeaderKind kind = FHeader.ReadFixedPart(Channel);
  if (!IsFileTypeAccepted(kind.FileTypeCode, fileClass.FileTypeCode)) {
    const std::string& fileName = Channel.FileName();
    const std::string name = fileName.empty() ? "This" : Format("'%s'", FileNameForMessage(fileName).c_str());
    RaiseFileError(name + " is not " + ExpectedKindText(fileClass.FileTypeCode));
  }
  // The version is whatever bytes the file holds: shown, never obeyed.
  if (!IsVersionAccepted(kind.FileVersion))
    RaiseFileError("Wrong file version.  This is a " + VisibleText(kind.FileVersion) + " file.");
  FHeader.SetFileVersion(kind.FileVersion);
  FHeader.ReadFeatures(Channel, Records());
  Store.Reset(Channel.FileName());
  FHeader.ForgetNotes();
}

void TTaggedFile::NoteFeatureUsed(int bit, bool value, bool flag, const std::string& text)
{
  if (!FHeader.TakeNote(bit)) return;
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
    Frames().StartTag(tagFiller, 0, tfOpenEnded, true);
    EndTag();
  }
}

void TTaggedFile::Seek(std::int64_t position)
{
  Channel.RequireOpen(Channel.Mode());
  Channel.MoveTo(position);
}

void TTaggedFile::Close()
{
  if (!Channel.IsOpen()) return;
  if (Channel.Mode() == TFileMode::Write && FNamed.IsBeingWritten()) CommitFile();
  Release();
  if (Store.Compared()) Store.AppendLog(Channel.FileName(), FNamed.TargetPath());
}

void TTaggedFile::CommitFile()
{
  try {
    FNamed.Commit(Channel);
  } catch (...) {
    Abandon();
    throw;
  }
}

void TTaggedFile::Abandon()
{
  FNamed.Discard();
  Release();
  // A comparison that failed half-way still leaves what it found; this is a
  // clean-up path, so a log that cannot be written is let go.
  if (Store.Compared()) {
    try {
      Store.AppendLog(Channel.FileName(), FNamed.TargetPath());
    } catch (...) {
    }
  }
}

void TTaggedFile::Release()
{
  Channel.Release();
  FNamed.Release();
  Frames().Forget();
  Records().Forget();
}

}  // namespace umbrinex
