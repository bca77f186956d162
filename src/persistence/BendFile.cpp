#include "persistence/BendFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "bend/Bend.h"
#include "framework/data/DiskFile.h"
#include "framework/data/Messages.h"
#include "framework/data/Progress.h"
#include "framework/data/TextUtils.h"
#include "persistence/ResultsFile.h"
#include "persistence/Stream.h"
#include "persistence/TessanFile.h"

namespace umbrinex {

namespace {

constexpr int tagEndOfData = 255;
constexpr int sectionResults = 5;
constexpr int sectionMaterialName = 6;

std::unique_ptr<TTessanFile> MakeFileObject(TBend& bend, TFileMode mode, const TFileClass& fileClass, int copyType)
{
  if (fileClass.FileTypeCode == OldDataFileClass.FileTypeCode)
    return std::make_unique<TDOSUmbrinexFile>(&bend, mode, copyType);
  return std::make_unique<TWindowsUmbrinexFile>(&bend, mode, copyType);
}

std::string FullName(const std::string& fileName)
{
  std::error_code error;
  const auto absolute = std::filesystem::absolute(fileName, error);
  return error ? fileName : absolute.string();
}

void WarnAboutReplacedCharacters(const TTaggedFile& file)
{
  if (file.Texts().ReplacedCharacters() != 0)
    ShowWarning("Some texts of this design use characters that a data file cannot hold; they were saved as '?'.");
  // Entry refuses such texts; this is for any that came in another way.
  if (file.Texts().CutTexts() != 0)
    ShowWarning(
        "Some texts of this design are longer than a data file can hold; they were saved cut to 65535 "
        "characters.");
}

// Writes the whole design (and its results when asked) and the end tag.
void WriteDesign(TBend& bend, TTaggedFile& file)
{
  bend.BeforeWrite();
  bend.WriteData(file);
  if (bend.ResultsFileMode() == 1) WriteResults(bend, file);
  file.WriteEndOfData();
}

// A material name tag may make a material; a file with more than a design
// can hold is refused at the first one too many, before any time goes into
// building the rest.
void CheckMaterialCount(const TBend& bend, const TTaggedFile& file)
{
  static const int maximum = static_cast<int>(TBend::Vars().Find(vnNumberOfTypes).Max);
  if (bend.Materials().Count() <= maximum) return;
  RaiseFileError(Format("File '%s' holds more than %d materials, more than a design can have.",
                        FileNameForMessage(file.FileName()).c_str(), maximum));
}

// Reads tags until the end tag: the model's own to the model, everything
// else (feature notes, fillers, other programs' tags) skipped whole.
void ReadDesignTags(TBend& bend, TTaggedFile& file)
{
  for (;;) {
    file.ReadTagHeader();
    const int tag = file.TagNumber();
    if (tag == tagEndOfData) return;
    if (tag == tcBend && file.SubNumber() == sectionResults) {
      if (bend.ResultsFileMode() == 2) CompareResults(bend, file);
    } else if (tag == tcBend || tag == 0) {
      bend.ReadTag(file, tag, file.SubNumber());
      if (tag == tcBend && file.SubNumber() == sectionMaterialName) CheckMaterialCount(bend, file);
    }
    file.FinishTag();
    if (Progress().Active()) Progress().Update(static_cast<int>(std::min<std::int64_t>(file.Position(), INT32_MAX)));
  }
}

void ReadDesign(TBend& bend, TTaggedFile& file, bool olderFormat, std::int64_t size)
{
  bend.ClearModel();
  if (Progress().Active()) Progress().SetMaxCounter(static_cast<int>(std::clamp<std::int64_t>(size, 1, INT32_MAX)));
  try {
    if (!olderFormat) bend.BeforeWrite();
    ReadDesignTags(bend, file);
    bend.AfterRead(olderFormat);
    if (!olderFormat) bend.ResolveNames();
    bend.SetCalculated();
  } catch (...) {
    bend.ResetResults();
    bend.InvalidateResults();
    bend.SendNotification(TModelNotification::LoadCasesChanged, 0, &bend);
    throw;
  }
  bend.ResetResults();
  bend.InvalidateResults();
  bend.SendNotification(TModelNotification::LoadCasesChanged, 0, &bend);
}

// The design as it is, kept in memory while another is read over it.
class TDesignSnapshot {
 public:
  explicit TDesignSnapshot(TBend& bend) : FFileName(bend.FileName()), FModified(bend.Modified())
  {
    TQuietMode quiet;
    TWindowsUmbrinexFile file(&bend, TFileMode::Write);
    file.OpenStream(FStream, DataFileClass);
    const std::uint8_t mode = bend.ResultsFileMode();
    bend.SetResultsFileMode(0);
    WriteDesign(bend, file);
    bend.SetResultsFileMode(mode);
    file.Close();
  }
  // Puts the design back as it was when the snapshot was taken.
  void Restore(TBend& bend)
  {
    TQuietMode quiet;
    const std::uint8_t mode = bend.ResultsFileMode();
    bend.SetResultsFileMode(0);
    {
      TWindowsUmbrinexFile file(&bend, TFileMode::Read);
      file.OpenStream(FStream, DataFileClass);
      ReadDesign(bend, file, false, FStream.Size());
      file.Close();
    }
    bend.SetResultsFileMode(mode);
    bend.SetFileName(FFileName);
    bend.SetModified(FModified);
  }

 private:
  TMemoryStream FStream;
  std::string FFileName;
  bool FModified;
};

}  // namespace

std::string SaveToFile(TBend& bend, const std::string& fileName, TFileNaming naming)
{
  auto file = MakeFileObject(bend, TFileMode::Write, DataFileClass, ctSavedDataFile);
  file->OpenFile(fileName, DataFileClass, naming);
  const std::string fullName = FullName(file->FileName());
  TProgressGuard guard;
  Progress().SetStageText("Saving Data File");
  Progress().SetMaxCounter(bend.Materials().Count() + 1);
  Progress().Start();
  try {
    WriteDesign(bend, *file);
    file->Close();
  } catch (...) {
    // The file was written to the side: abandoning it leaves any earlier
    // version of the design untouched.
    file->Abandon();
    throw;
  }
  Progress().Stop();
  bend.SetFileName(fullName);
  bend.SetModified(false);
  WarnAboutReplacedCharacters(*file);
  return fullName;
}

namespace {

// Reads an opened file object into the design; on failure the design that
// was open before comes back and the error passes on.
void ReadOpenedFile(TBend& bend, TTessanFile& file, bool olderFormat, std::int64_t size)
{
  file.Unrecognised().Collect(true);
  TDesignSnapshot before(bend);
  TProgressGuard guard;
  bend.NameManager().Changes().Clear();
  Progress().SetStageText("Opening Data File");
  Progress().Start();
  try {
    ReadDesign(bend, file, olderFormat, size);
    bend.NameManager().Changes().Clear();
    file.Unrecognised().Report();
    file.Close();
  } catch (...) {
    file.Abandon();
    Progress().Stop();
    before.Restore(bend);
    throw;
  }
  Progress().Stop();
  bend.SetModified(false);
}

bool IsOlderClass(const TFileClass& fileClass)
{
  return fileClass.FileTypeCode == OldDataFileClass.FileTypeCode;
}

}  // namespace

std::string LoadFromFile(TBend& bend, const std::string& fileName, const TFileClass& fileClass)
{
  auto file = MakeFileObject(bend, TFileMode::Read, fileClass, ctPlainCopy);
  file->OpenFile(fileName, fileClass);
  const std::string fullName = FullName(file->FileName());
  std::error_code error;
  const auto size = static_cast<std::int64_t>(std::filesystem::file_size(file->FileName(), error));
  ReadOpenedFile(bend, *file, IsOlderClass(fileClass), error ? 1 : size);
  bend.SetFileName(fullName);
  return fullName;
}

std::vector<std::uint8_t> SaveToMemory(TBend& bend)
{
  TMemoryStream stream;
  auto file = MakeFileObject(bend, TFileMode::Write, DataFileClass, ctSavedDataFile);
  file->OpenStream(stream, DataFileClass);
  WriteDesign(bend, *file);
  file->Close();
  return stream.TakeBytes();
}

void LoadFromMemory(TBend& bend, const std::vector<std::uint8_t>& bytes, const TFileClass& fileClass)
{
  TMemoryStream stream(bytes);
  auto file = MakeFileObject(bend, TFileMode::Read, fileClass, ctPlainCopy);
  file->OpenStream(stream, fileClass);
  ReadOpenedFile(bend, *file, IsOlderClass(fileClass), static_cast<std::int64_t>(bytes.size()));
  bend.SetFileName({});
}

std::string LoadFromFile(TBend& bend, const std::string& fileName)
{
  const bool older = PeekFileTypeCode(fileName) == OldDataFileClass.FileTypeCode;
  return LoadFromFile(bend, fileName, older ? OldDataFileClass : DataFileClass);
}

int PeekFileTypeCode(const std::string& fileName)
{
  // The type code is byte 17 of the 25-byte header.
  // Anything but a regular file is left to the open that follows, which
  // names the fault; a named pipe would make a plain open wait.
  std::FILE* f = TryOpenFileForReading(fileName);
  if (f == nullptr) return 255;
  unsigned char header[25];
  const std::size_t got = std::fread(header, 1, sizeof header, f);
  std::fclose(f);
  if (got != sizeof header || header[0] > 9) return 255;
  return header[17];
}

}  // namespace umbrinex
