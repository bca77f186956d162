#include "bend/Bend.h"
#include "shell/forms/DataForms.h"
#include "presentation/HelpContexts.h"

namespace umbrinex {

TEditStiffenerForm::TEditStiffenerForm(QWidget* owner, bool keepCopies, TModelObject& object)
    : TBendDataForm(owner, keepCopies, object, QStringLiteral("Bend Stiffener Data"), 446, 307, hcStiffenerData)
{
  TKitLabel* definitionLabel = Label(QStringLiteral("&Definition:"), 16, 16);
  auto* definition = new TKitDropDownList(this);
  definition->SetVarNum(vnStiffenerDefinition);
  Place(*definition, 16, 32, 153, 21);
  definitionLabel->setBuddy(definition);

  auto* powerLaw = new TKitPanel(this);
  PowerLawData = powerLaw;
  Place(*powerLaw, 16, 80, 337, 209);
  const std::pair<const char*, int> cells[] = {{"Active &length (%LL%):", vnActiveLength},
                                               {"&Root diameter (%LL%):", vnRootDiameter},
                                               {"&Tip diameter (%LL%):", vnTipDiameter},
                                               {"&Shape power:", vnShapePower}};
  int top = 16;
  for (const auto& [caption, varNum] : cells) {
    Label(QString::fromUtf8(caption), 0, top, powerLaw)->setBuddy(Cell(varNum, 0, top + 16, 73, 18, powerLaw));
    top += 48;
  }
  TKitLabel* materialLabel = Label(QStringLiteral("&Material:"), 144, 16, powerLaw);
  auto* material = new TKitDropDownList(powerLaw);
  material->SetVarNum(vnMaterial);
  Place(*material, 144, 32, 185, 21);
  materialLabel->setBuddy(material);

  auto* userDefined = new TKitPanel(this);
  UserDefinedData = userDefined;
  Place(*userDefined, 16, 80, 329, 209);
  TKitLabel* countLabel = Label(QStringLiteral("Number of &points:"), 0, 8, userDefined);
  TKitGrid* count = Counter(vnNumberOfPoints, 92, 4, 61, 18, userDefined);
  countLabel->setBuddy(count);
  UserDefinedPoints = Table(0, 29, 329, 171, 2, 10, userDefined);
  AddIndexColumn(*UserDefinedPoints);
  AddColumn(*UserDefinedPoints, vnPointArcLength, vtReal, "ArcLength", "(LL)", 7, 10);
  AddColumn(*UserDefinedPoints, vnPointDiameter, vtReal, "Diameter", "(LL)", 6, 10);
  TColumn& pointMaterial = AddColumn(*UserDefinedPoints, vnPointMaterial, vtList, "Material", "", 10, 25, 0);
  pointMaterial.Alignment = taLeftJustify;
  UserDefinedPoints->SetCounter(count);
  SetHelpContext(*UserDefinedPoints, hcDataTables);
  SetHelpContext(*count, hcDataTables);
  Stretch(*userDefined, true, true);
  Stretch(*UserDefinedPoints, true, true);
  PlaceButtons(X(356), Y(14));
}

void TEditStiffenerForm::RefreshData()
{
  TBendDataForm::RefreshData();
  const TStiffenerDefinition definition = Bend().StiffenerDefinition();
  UserDefinedData->setVisible(definition == sdUserDefined);
  PowerLawData->setVisible(definition == sdPowerLaw);
}

}  // namespace umbrinex
