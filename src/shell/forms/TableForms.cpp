// The forms that are mostly tables: load cases, drawing circles, mould
// diameters.

#include "bend/Bend.h"
#include "shell/forms/DataForms.h"
#include "presentation/HelpContexts.h"

namespace umbrinex {

TEditLoadCasesForm::TEditLoadCasesForm(QWidget* owner, bool keepCopies, TModelObject& object)
    : TBendDataForm(owner, keepCopies, object, QStringLiteral("Load Case Data"), 463, 273, hcLoadCaseData)
{
  Label(QStringLiteral("&Default ABR (%LL%):"), 16, 16)->setBuddy(Cell(vnAllowableBendRadius, 16, 32, 73, 18));
  TKitLabel* countLabel = Label(QStringLiteral("Number of &load cases:"), 16, 64);
  NumberOfLoadCases = Counter(vnNumberOfLoadCases, 132, 61, 61, 18);
  countLabel->setBuddy(NumberOfLoadCases);
  LoadCases = Table(16, 85, 345, 171, 2, 10);
  AddIndexColumn(*LoadCases);
  AddColumn(*LoadCases, vnLoadCaseTension, vtReal, "Tension", "(FF)", 7, 10);
  AddColumn(*LoadCases, vnLoadCaseAngle, vtReal, "Angle", "(deg)", 6, 10, 2);
  AddColumn(*LoadCases, vnLoadCaseABR, vtReal, "ABR", "(LL)", 6, 10).LineFormat = lfDouble;
  for (const auto& [varNum, title] : {std::pair{vnState1Included, "State 1"}, {vnState2Included, "State 2"}}) {
    TColumn& state = AddColumn(*LoadCases, varNum, vtBool, "", title, 8, 7);
    state.Alignment = taCenter;
    state.Margin = 0;
  }
  TColumn& state1 = LoadCases->Core().Column(4);
  state1.Title(0).VerticalLine = false;
  TColumn& state2 = LoadCases->Core().Column(5);
  state2.Title(0).Caption = "State Included";
  state2.Title(0).SetExtent(2);
  LoadCases->SetCounter(NumberOfLoadCases);
  SetHelpContext(*LoadCases, hcDataTables);
  SetHelpContext(*NumberOfLoadCases, hcDataTables);
  Stretch(*LoadCases, true, true);
  PlaceButtons(X(380), Y(14));
}

TEditDrawingForm::TEditDrawingForm(QWidget* owner, bool keepCopies, TModelObject& object)
    : TBendDataForm(owner, keepCopies, object, QStringLiteral("Drawing Data"), 402, 149, hcDrawingData)
{
  TKitLabel* countLabel = Label(QStringLiteral("&Number of Circles: "), 32, 16);
  TKitGrid* count = Counter(vnNumberOfCircles, 139, 13, 53, 18);
  countLabel->setBuddy(count);
  TKitGrid* circles = Table(32, 37, 217, 86, 2, 5);
  circles->Core().AllowRangeSelect = false;
  TColumn& x = AddColumn(*circles, vnCircleX, vtReal, "", "x (LL)", 8, 10, 2);
  x.Title(0).VerticalLine = false;
  TColumn& y = AddColumn(*circles, vnCircleY, vtReal, "Centre", "y (LL)", 8, 10, 2);
  y.Title(0).SetExtent(2);
  AddColumn(*circles, vnCircleDiameter, vtReal, "Diameter", "(LL)", 8, 10, 2);
  circles->SetCounter(count);
  SetHelpContext(*circles, hcDataTables);
  SetHelpContext(*count, hcDataTables);
  Stretch(*circles, true, true);
  PlaceButtons(X(316), Y(14));
}

TEditMouldForm::TEditMouldForm(QWidget* owner, bool keepCopies, TModelObject& object)
    : TBendDataForm(owner, keepCopies, object, QStringLiteral("Mould Data"), 322, 207, hcMouldData)
{
  TKitLabel* countLabel = Label(QStringLiteral("Number of &Diameters:"), 16, 22);
  // Clear of the label's colon in the wider fonts of this desktop.
  TKitGrid* count = Counter(vnNumberOfDiameters, 136, 18, 53, 18);
  countLabel->setBuddy(count);
  SetHelpContext(*count, hcDataTables);
  TKitGrid* diameters = Table(64, 48, 113, 137, 1, 8);
  diameters->Core().ScrollBars = ssBoth;
  AddColumn(*diameters, vnMouldDiameter, vtReal, "Diameter (LL)", "", 7, 10);
  diameters->SetCounter(count);
  // One column of numbers gains nothing from width.
  Stretch(*diameters, false, true);
  PlaceButtons(X(228), Y(14));
}

}  // namespace umbrinex
