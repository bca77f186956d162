#pragma once
// The 25-byte header of a tagged file and the feature declarations after it:
// who wrote the file, its type and version, and the features it uses.

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "persistence/RecordReader.h"
#include "persistence/TagWriter.h"

namespace umbrinex {

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

// What the fixed part of a header says about the file's kind.
struct THeaderKind {
  int FileTypeCode = 0;
  std::string FileVersion;
};

class TFileHeader {
 public:
  const std::string& Signature() const { return FSignature; }
  int ProgramMajorVersion() const { return FMajorVersion; }
  const std::string& ProgramMinorVersion() const { return FMinorVersion; }
  // The object's file version, replaced by the one read.
  const std::string& FileVersion() const { return FFileVersion; }
  bool HasFeature(int feature) const { return FFeatures.Contains(feature); }
  const TFeatureList& Features() const { return FFeatures; }

  void SetSignature(const std::string& signature) { FSignature = signature; }
  void SetProgramVersion(int major, const std::string& minor);
  void SetFileVersion(const std::string& version) { FFileVersion = version; }

  // Writes the header and a declaration of each feature (0..15) wanted.
  void Write(TTagWriter& writer, int fileTypeCode, const std::vector<int>& features);
  // Reads the fixed part: the writer's signature and version are taken,
  // the file's kind is for the caller to accept.
  THeaderKind ReadFixedPart(TTagChannel& channel);
  // Reads the feature declarations that follow the fixed part.
  void ReadFeatures(TTagChannel& channel, TRecordReader& records);

  // Whether a note of the feature bit is to be written: once per bit and
  // file up to MaxNotedFeatureBit, every time above it.
  bool TakeNote(int bit);
  void ForgetNotes() { FNotesWritten.reset(); }

 private:
  std::string FSignature = "Umbrinex";
  int FMajorVersion = 0;
  std::string FMinorVersion;
  std::string FFileVersion;
  TFeatureList FFeatures;
  std::bitset<MaxNotedFeatureBit + 1> FNotesWritten;
};

}  // namespace umbrinex
