#include "bend/Bend.h"
#include "shell/forms/DataForms.h"
#include "presentation/HelpContexts.h"

namespace umbrinex {

TEditProjectForm::TEditProjectForm(QWidget* owner, bool keepCopies, TModelObject& object)
    : TBendDataForm(owner, keepCopies, object, QStringLiteral("Project Data"), 544, 180, hcProjectData)
{
  const std::pair<const char*, int> fields[] = {
      {"&Project:", vnProject}, {"C&lient:", vnClient}, {"&Designer:", vnDesigner}};
  int top = 16;
  for (const auto& [caption, varNum] : fields) {
    TKitLabel* label = Label(QString::fromUtf8(caption), 16, top);
    auto* edit = new TKitEdit(this);
    edit->SetVarNum(varNum);
    Place(*edit, 64, top, 385, 21);
    label->setBuddy(edit);
    Stretch(*edit, true, false);
    top += 24;
  }
  // The units are not changed in these forms: the grid stays hidden.
  TKitLabel* unitsLabel = Label(QStringLiteral("&Units:"), 16, 96);
  TKitGrid* units = Table(64, 96, 385, 35, 1, 2);
  units->Core().ScrollBars = ssNone;
  units->Core().SetFixedDataRows(1);
  AddColumn(*units, 2, vtEnum, "System", "", 12, 12);
  AddColumn(*units, 3, vtEnum, "Length", "", 8, 10);
  AddColumn(*units, 5, vtEnum, "Force", "", 8, 10);
  SetHelpContext(*units, 88);
  unitsLabel->setBuddy(units);
  unitsLabel->hide();
  units->hide();
  PlaceButtons(X(472), Y(14), X(60));
}

TEditCableForm::TEditCableForm(QWidget* owner, bool keepCopies, TModelObject& object)
    : TBendDataForm(owner, keepCopies, object, QStringLiteral("Cable Data"), 402, 221, hcCableData)
{
  TKitLabel* stiffnessLabel = Label(QStringLiteral("Cable bend &stiffness (%FF.LL^2%):"), 32, 24);
  TKitGrid* stiffness = Table(32, 40, 145, 35, 1, 2);
  stiffness->Core().ScrollBars = ssNone;
  stiffness->Core().SetFixedDataRows(1);
  AddColumn(*stiffness, vnCableBendStiffness1, vtReal, "State 1", "", 8, 10, 2);
  AddColumn(*stiffness, vnCableBendStiffness2, vtReal, "State 2", "", 8, 10, 2);
  stiffnessLabel->setBuddy(stiffness);
  Label(QStringLiteral("&Allowable Bend Radius (%LL%):"), 32, 88)
      ->setBuddy(Cell(vnAllowableBendRadius, 32, 104, 73, 18));
  Label(QStringLiteral("Stiffener &ID (%LL%):"), 32, 136)->setBuddy(Cell(vnStiffenerID, 32, 152, 73, 18));
  PlaceButtons(X(316), Y(14));
}

}  // namespace umbrinex
