#include "persistence/Copies.h"

#include <exception>

#include "framework/data/Messages.h"
#include "framework/data/Model.h"
#include "persistence/Stream.h"
#include "persistence/TessanFile.h"

namespace umbrinex {

namespace {

constexpr int tagEndOfData = 255;

// Reads the copy's tags into the object or, for a list, into items appended
// in order: every object header starts the next item.
void ReadCopyTags(TTaggedFile& file, TModelObject& object, TModelObjectList* list)
{
  TModelObject* target = list ? nullptr : &object;
  for (;;) {
    file.ReadTagHeader();
    const int tag = file.TagNumber();
    if (tag == tagEndOfData) return;
    if (tag == 0 && list != nullptr) {
      list->InsertItem(list->Count());
      target = list->Item(list->Count() - 1);
    } else if (tag != 0 && target != nullptr) {
      target->ReadTag(file, tag, file.SubNumber());
    }
    file.FinishTag();
  }
}

// Ends a batch of changes when the restore ends, however it ends.
class TBatch {
 public:
  explicit TBatch(TModelObject& object) : FObject(object) { FObject.BeginUpdate(); }
  ~TBatch() { FObject.EndUpdate(); }
  TBatch(const TBatch&) = delete;
  TBatch& operator=(const TBatch&) = delete;

 private:
  TModelObject& FObject;
};

}  // namespace

bool StoreCopy(TModelObject& object)
{
  TQuietMode quiet;
  TModelObject::TCopyBuffer& buffer = object.CopyBuffer();
  try {
    TMemoryStream stream;
    TWindowsUmbrinexFile file(&object, TFileMode::Write);
    file.OpenStream(stream, DataFileClass);
    object.BeforeWrite();
    object.WriteData(file);
    file.WriteEndOfData();
    file.Close();
    buffer.Bytes = stream.TakeBytes();
    buffer.TypeCode = object.TypeCode();
    buffer.ModelState = object.Model() ? object.Model()->State() : 0;
    return true;
  } catch (const std::exception&) {
    DiscardCopy(object);
    return false;
  }
}

bool RestoreCopy(TModelObject& object)
{
  TModelObject::TCopyBuffer& buffer = object.CopyBuffer();
  if (buffer.Bytes.empty() || buffer.TypeCode != object.TypeCode()) return false;
  TQuietMode quiet;
  TBusy busy;
  TBatch batch(object);
  TModel* model = object.Model();
  auto* list = dynamic_cast<TModelObjectList*>(&object);
  try {
    TMemoryStream stream(buffer.Bytes);
    TWindowsUmbrinexFile file(&object, TFileMode::Read);  // raises the model's loading state
    file.OpenStream(stream, DataFileClass);
    if (list != nullptr) {
      if (model) model->ListItemsRestoring(*list);
      list->DestroyItems();
    }
    ReadCopyTags(file, object, list);
    object.AfterRead(false);
    if (list != nullptr && model != nullptr) model->ListItemsRestored(*list);
    object.ResolveNames();
    if (model != nullptr) {
      // Our own read is the one in progress; an outer read resets later.
      if (model->LoadingDepth() <= 1) {
        model->ResetResults();
        model->Deliver(TModelNotification::ModelReset, ResetRestoresValues, model);
      }
      model->SetState(buffer.ModelState);
    }
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

void DiscardCopy(TModelObject& object)
{
  TModelObject::TCopyBuffer& buffer = object.CopyBuffer();
  buffer.Bytes.clear();
  buffer.TypeCode = 0;
}

}  // namespace umbrinex
