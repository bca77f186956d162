#include "shell/forms/DataForms.h"

#include "bend/Bend.h"
#include "presentation/DataForms.h"

namespace umbrinex {

TEditStiffenerForm::TEditStiffenerForm(QWidget* owner, bool keepCopies, TModelObject& object)
    : TBendDataForm(owner, keepCopies, object, StiffenerFormDescription()),
      PowerLawData(&Controls().Widget("PowerLawData")),
      UserDefinedData(&Controls().Widget("UserDefinedData")),
      UserDefinedPoints(&Controls().Named<TKitGrid>("UserDefinedPoints"))
{
}

TEditLoadCasesForm::TEditLoadCasesForm(QWidget* owner, bool keepCopies, TModelObject& object)
    : TBendDataForm(owner, keepCopies, object, LoadCasesFormDescription()),
      NumberOfLoadCases(&Controls().Named<TKitGrid>("NumberOfLoadCases")),
      LoadCases(&Controls().Named<TKitGrid>("LoadCases"))
{
}

std::unique_ptr<TTessanDataForm> CreateDataForm(TModelObject& object, bool keepCopies, QWidget* owner)
{
  TBend& bend = BendOf(object);
  const std::optional<int> position = DataFormPosition(bend, object);
  if (!position) return nullptr;
  std::unique_ptr<TTessanDataForm> form;
  switch (*position) {
    case 2: form = std::make_unique<TEditStiffenerForm>(owner, keepCopies, object); break;
    case 3: form = std::make_unique<TEditMaterialsForm>(owner, keepCopies, object); break;
    case 4: form = std::make_unique<TEditLoadCasesForm>(owner, keepCopies, object); break;
    default: form = std::make_unique<TBendDataForm>(owner, keepCopies, object, DataFormDescription(*position));
  }
  form->Open();
  return form;
}

}  // namespace umbrinex
