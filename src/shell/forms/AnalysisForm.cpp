#include <QGroupBox>

#include "bend/Bend.h"
#include "shell/forms/DataForms.h"
#include "presentation/HelpContexts.h"

namespace umbrinex {

namespace {

struct TRangeColumn {
  int VarNum;
  const char* Title1;
  const char* Title2;
  TVarType Type;
  int Decimals;
};

}  // namespace

TEditAnalysisDataForm::TEditAnalysisDataForm(QWidget* owner, bool keepCopies, TModelObject& object)
    : TBendDataForm(owner, keepCopies, object, QStringLiteral("Analysis Data"), 528, 401, hcAnalysisData)
{
  Label(QStringLiteral("Ca&ble length to analyse (%LL%):"), 16, 16)->setBuddy(Cell(vnCableLength, 16, 32, 65, 18));
  auto twoColumns = [this](int top, int stiffener, int cable) {
    TKitGrid* grid = Table(16, top, 129, 35, 1, 2);
    grid->Core().ScrollBars = ssNone;
    grid->Core().SetFixedDataRows(1);
    AddColumn(*grid, stiffener, vtReal, "Stiffener", "", 8, 10);
    AddColumn(*grid, cable, vtReal, "Cable", "", 8, 10);
    return grid;
  };
  Label(QStringLiteral("Ca&lculation interval (%LL%):"), 16, 72)
      ->setBuddy(twoColumns(88, vnStationIntervalStiffener, vnStationIntervalCable));
  Label(QStringLiteral("&Output interval (%LL%):"), 16, 144)
      ->setBuddy(twoColumns(160, vnOutputIntervalStiffener, vnOutputIntervalCable));
  QLabel* calculationLabel = PlainLabel(QStringLiteral("C&alculation:"), 16, 216);
  TKitGrid* linearity = Cell(vnLinearity, 16, 232, 89, 18);
  TColumn& linear = linearity->Core().Column(0);
  linear.VarType = vtEnum;
  linear.FieldWidth = 10;
  linear.Alignment = taCenter;
  linear.Width = 12;
  linear.Margin = 0;
  calculationLabel->setBuddy(linearity);

  auto group = [this](const QString& caption, int top) {
    auto* box = new TKitGroupBox(caption, this);
    box->SetDataObject(&Bend());
    Place(*box, 184, top, 233, 177);
    return box;
  };
  auto ranges = [this](QWidget* box, const QString& caption, int top, std::initializer_list<TRangeColumn> columns,
                       bool kitLabel) {
    QLabel* label = kitLabel ? Label(caption, 16, top, box) : PlainLabel(caption, 16, top, box);
    TKitGrid* grid = Table(16, top + 16, 201, 52, 2, 3, box);
    grid->Core().ScrollBars = ssNone;
    grid->Core().SetFixedDataRows(1);
    for (const TRangeColumn& c : columns) AddColumn(*grid, c.VarNum, c.Type, c.Title1, c.Title2, 7, 10, c.Decimals);
    label->setBuddy(grid);
  };
  QGroupBox* design = group(QStringLiteral("Design Chart ranges"), 16);
  ranges(design, QStringLiteral("L&ength factors:"), 16,
         {{vnLengthFactorMin, "Minimum", "Factor", vtReal, 2},
          {vnLengthFactorMax, "Maximum", "Factor", vtReal, 2},
          {vnLengthFactorCount, "Number of", "Cases", vtInt, 0}},
         false);
  ranges(design, QStringLiteral("&Stiffness factors:"), 96,
         {{vnStiffnessFactorMin, "Minimum", "Factor", vtReal, 2},
          {vnStiffnessFactorMax, "Maximum", "Factor", vtReal, 2},
          {vnStiffnessFactorCount, "Number of", "Cases", vtInt, 0}},
         false);
  QGroupBox* performance = group(QStringLiteral("Performance Chart ranges"), 208);
  ranges(performance, QStringLiteral("&Tensions:"), 16,
         {{vnTensionMin, "Minimum", "(FF)", vtReal, 2},
          {vnTensionMax, "Maximum", "(FF)", vtReal, 2},
          {vnTensionCount, "Number of", "Cases", vtInt, 0}},
         true);
  ranges(performance, QStringLiteral("An&gles:"), 96,
         {{vnAngleMin, "Minimum", "(deg)", vtReal, 1},
          {vnAngleMax, "Maximum", "(deg)", vtReal, 1},
          {vnAngleAccuracy, "Accuracy", "(deg)", vtReal, 3}},
         false);
  PlaceButtons(X(436), Y(22));
}

}  // namespace umbrinex
