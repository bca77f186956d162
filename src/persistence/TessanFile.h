#pragma once
// The file objects of the program: the framework's file, which knows the
// model object it serves, and the two kinds of data file.

#include "persistence/TaggedFile.h"

namespace umbrinex {

class TModel;
class TModelObject;

// Copy types: 0 for in-memory copies that need not speak to older programs.
inline constexpr int ctPlainCopy = 0;
inline constexpr int ctSavedDataFile = 2;

class TTessanFile : public TTaggedFile {
 public:
  // A reading file object keeps its model's loading counter raised for as
  // long as it exists, so that the model can tell a load is under way.
  TTessanFile(TModelObject* object, TFileMode mode, int copyType = ctPlainCopy);
  ~TTessanFile() override;

  TModelObject* Object() const { return FObject; }
  int CopyType() const { return FCopyType; }
  void SetCopyType(int copyType) { FCopyType = copyType; }

  bool UsesLongNames() const override { return Header().HasFeature(ftrLongNames); }
  // Only saved files and copies with a copy type carry feature notes.
  void NoteFeatureUsed(int bit, bool value, bool flag, const std::string& text) override;

 private:
  TModelObject* FObject;
  TModel* FLoadingModel = nullptr;
  int FCopyType;
};

// A data file of this version.
class TWindowsUmbrinexFile : public TTessanFile {
 public:
  TWindowsUmbrinexFile(TModelObject* object, TFileMode mode, int copyType = ctPlainCopy);
  bool WantsFeature(int feature) const override { return feature == ftrLongNames; }
};

// A data file of the older version; names in it are fixed 10-byte texts.
class TDOSUmbrinexFile : public TTessanFile {
 public:
  TDOSUmbrinexFile(TModelObject* object, TFileMode mode, int copyType = ctPlainCopy);
};

}  // namespace umbrinex
