#include "shell/forms/DataForms.h"

#include "bend/Bend.h"
#include "bend/Materials.h"

namespace umbrinex {

namespace {
// The placeholders of the data tree, by position in the sequence; the
// materials list stands at position 3.
constexpr int MaterialsPosition = 3;
}  // namespace

std::vector<TModelObject*> DataObjectSequence(const TBend& bend)
{
  std::vector<TModelObject*> sequence;
  for (int i = 0; i < 7; ++i) {
    if (i == MaterialsPosition) sequence.push_back(&bend.Materials());
    sequence.push_back(&bend.Placeholder(i));
  }
  return sequence;
}

std::unique_ptr<TTessanDataForm> CreateDataForm(TModelObject& object, bool keepCopies, QWidget* owner)
{
  TBend& bend = BendOf(object);
  const std::vector<TModelObject*> sequence = DataObjectSequence(bend);
  const auto found = std::find(sequence.begin(), sequence.end(), &object);
  if (found == sequence.end()) return nullptr;
  std::unique_ptr<TTessanDataForm> form;
  switch (found - sequence.begin()) {
    case 0: form = std::make_unique<TEditProjectForm>(owner, keepCopies, object); break;
    case 1: form = std::make_unique<TEditCableForm>(owner, keepCopies, object); break;
    case 2: form = std::make_unique<TEditStiffenerForm>(owner, keepCopies, object); break;
    case 3: form = std::make_unique<TEditMaterialsForm>(owner, keepCopies, object); break;
    case 4: form = std::make_unique<TEditLoadCasesForm>(owner, keepCopies, object); break;
    case 5: form = std::make_unique<TEditAnalysisDataForm>(owner, keepCopies, object); break;
    case 6: form = std::make_unique<TEditDrawingForm>(owner, keepCopies, object); break;
    default: form = std::make_unique<TEditMouldForm>(owner, keepCopies, object); break;
  }
  form->Open();
  return form;
}

}  // namespace umbrinex
