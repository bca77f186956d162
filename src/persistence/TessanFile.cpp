#include "persistence/TessanFile.h"

#include "framework/data/Model.h"

namespace umbrinex {

TTessanFile::TTessanFile(TModelObject* object, TFileMode mode, int copyType)
    : TTaggedFile(mode), FObject(object), FCopyType(copyType)
{
  EditHeader().SetProgramVersion(4, "2b");
  if (mode == TFileMode::Read && object != nullptr && object->Model() != nullptr) {
    FLoadingModel = object->Model();
    FLoadingModel->BeginLoading();
  }
}

TTessanFile::~TTessanFile()
{
  if (FLoadingModel != nullptr) FLoadingModel->EndLoading();
}

void TTessanFile::NoteFeatureUsed(int bit, bool value, bool flag, const std::string& text)
{
  if (FCopyType != ctPlainCopy) TTaggedFile::NoteFeatureUsed(bit, value, flag, text);
}

TWindowsUmbrinexFile::TWindowsUmbrinexFile(TModelObject* object, TFileMode mode, int copyType)
    : TTessanFile(object, mode, copyType)
{
  EditHeader().SetSignature("UMBRINEX");
  EditHeader().SetFileVersion("4.0a");
  SetTagForm(tfLong);
}

TDOSUmbrinexFile::TDOSUmbrinexFile(TModelObject* object, TFileMode mode, int copyType)
    : TTessanFile(object, mode, copyType)
{
  EditHeader().SetFileVersion("3.0a");
}

}  // namespace umbrinex
