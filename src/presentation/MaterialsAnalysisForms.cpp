// The materials form (the list of materials and the properties of the
// selected one in each state) and the analysis form (intervals, the kind of
// calculation and the ranges of the charts) described.

#include "bend/Bend.h"
#include "bend/Materials.h"
#include "presentation/DataForms.h"
#include "presentation/HelpContexts.h"

namespace umbrinex {

namespace {

// Written out for every material, each state on its own; the selected
// material and each material's state are put back afterwards.
void EveryMaterialAndState(TDataObject& object, const std::function<void(int state)>& pass)
{
  auto& bend = dynamic_cast<TBend&>(object);
  TBendStiffenerMaterialsList& materials = bend.Materials();
  TModelObject* saved = materials.CurrentItem();
  const auto restore = [&] {
    if (saved) materials.SetCurrentItem(saved);
  };
  try {
    for (int i = 0; i < materials.Count(); ++i) {
      TBendStiffenerMaterial* material = materials.Material(i);
      materials.SetCurrentItem(material);
      for (int state = 0; state < StateCount; ++state) {
        const int remembered = material->CurrentState();
        bend.SetInteger(vnCurrentState, 0, state);
        try {
          pass(state);
        } catch (...) {
          bend.SetInteger(vnCurrentState, 0, remembered);
          throw;
        }
        bend.SetInteger(vnCurrentState, 0, remembered);
      }
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

// The page of the selected material's properties in one state: its tabs
// (the index returned), the linear modulus and the stress-strain curve.
int StatePage(TFormDescription& form, int page)
{
  TControlDescription tabs;
  tabs.Kind = TControlKind::TabBar;
  tabs.Name = "PropertiesTabControl";
  tabs.Caption = "State &1|State &2";
  tabs.Left = 2;
  tabs.Parent = page;
  const int tabsIndex = form.Add(tabs);

  const int curve = form.Table(129, 101, 280, 103, 1, 6, page);
  form[curve].Name = "StressStrainCurve";
  form[curve].Stretch = stBoth;
  const int stateLabel = form.Label(" ", 9, 25, page);
  form[stateLabel].Name = "StateForPrintingLabel";
  form[stateLabel].OutputOnly = true;
  form[stateLabel].OutputCaption = "State {state}:";
  form.Name(stateLabel, curve);
  const int eLabel = form.Label("&E (%FF/LL^2%): ", 10, 51, page);
  const int e = form.Cell(vnLinearE, 10, 75, 79, 18, page);
  form.GridOf(e).EnableInsertDeleteRow = false;
  form.Name(eLabel, e);
  for (const TControlKind line : {TControlKind::VerticalLine, TControlKind::HorizontalLine}) {
    TControlDescription bevel;
    bevel.Kind = line;
    bevel.Left = 112;
    bevel.Top = 32;
    bevel.Width = line == TControlKind::VerticalLine ? 2 : 312;
    bevel.Height = line == TControlKind::VerticalLine ? 185 : 2;
    bevel.Parent = page;
    bevel.NeverOutput = true;
    form.Add(bevel);
  }
  form[form.PlainLabel(" Non-linear Properties: ", 128, 24, page)].NeverOutput = true;
  const int specifierLabel = form.Label("&Stress specified as ", 128, 50, page);
  const int specifier = form.Cell(vnStressSpecifier, 224, 46, 89, 18, page);
  form[specifier].Name = "StressSpecifier";
  TColumn& specified = form.GridOf(specifier).Columns[0];
  specified.VarType = vtEnum;
  specified.FieldWidth = 11;
  specified.Alignment = taCenter;
  specified.Width = 12;
  specified.Margin = 0;
  form.Name(specifierLabel, specifier);
  const int pointsLabel = form.Label("Number of &Points:", 129, 78, page);
  const int points = form.Counter(vnCurveNumberOfPoints, 224, 74, 53, 18, page);
  form.Name(pointsLabel, points);
  TControlDescription view;
  view.Kind = TControlKind::Button;
  view.Name = "ViewCurve";
  view.Caption = "&View curve";
  view.Left = 320;
  view.Top = 68;
  view.Width = 89;
  view.Height = 25;
  view.Parent = page;
  view.NeverOutput = true;
  form.Add(view);
  form.AddColumn(curve, vnCurveStrain, vtReal, "Strain", "", 7, 10);
  form.AddColumn(curve, vnCurveStress, vtReal, "Stress (FF/LL^2)", "", 7, 12);
  form.AddColumn(curve, vnCurveStressOverE, vtReal, "Stress / E", "", 7, 12);
  form[curve].Counter = points;
  for (const int grid : {curve, points}) form.SetHelpContext(grid, hcDataTables);
  return tabsIndex;
}

TFormDescription MakeMaterialsForm()
{
  TFormDescription form = TFormDescription::Of("Materials Data", 472, 429, hcMaterialsData, 388, 14);
  form.Passes = EveryMaterialAndState;

  const int types = form.GroupBox("Materials ", 16, 13, 337, 140);
  form[types].Name = "MaterialTypes";
  form[types].NeverOutput = true;
  form[types].Stretch = stWide;
  const int countLabel = form.Label("&Number of &Materials:", 8, 25, types);
  const int count = form.Counter(vnNumberOfTypes, 115, 21, 53, 18, types);
  form.Name(countLabel, count);
  const int names = form.Table(8, 45, 321, 86, 0, 5, types);
  form[names].Name = "Names";
  form[names].Counter = count;
  form[names].Stretch = stWide;
  form.GridOf(names).AllowRangeSelect = false;
  form.GridOf(names).HideSelection = false;
  TColumn& name = form.AddColumn(names, vnMaterialName, vtName, "", "", 44, 50, 0);
  name.LineFormat = lfNone;
  name.Alignment = taLeftJustify;

  const int properties = form.Label("Properties of Material '%21047%'", 16, 169);
  form[properties].Name = "PropertiesLabel";
  form[properties].OutputCaption = "Properties of Material %21047%";
  form[properties].FirstStateOnly = true;
  // The tab strip on a framed page that holds the state's controls.
  const int page = form.Panel(16, 190, 441, 225);
  form[page].Framed = true;
  form[page].Stretch = stBoth;
  for (const int grid : {names, count}) form.SetHelpContext(grid, hcDataTables);
  form.Name(properties, StatePage(form, page));
  return form;
}

struct TRangeColumn {
  int VarNum;
  const char* Title1;
  const char* Title2;
  TVarType Type;
  int Decimals;
};

void Ranges(TFormDescription& form, int box, const char* caption, int top, std::initializer_list<TRangeColumn> columns,
            bool showsUnits)
{
  const int label = showsUnits ? form.Label(caption, 16, top, box) : form.PlainLabel(caption, 16, top, box);
  const int grid = form.RowTable(16, top + 16, 201, 52, 2, box);
  for (const TRangeColumn& c : columns) form.AddColumn(grid, c.VarNum, c.Type, c.Title1, c.Title2, 7, 10, c.Decimals);
  form.Name(label, grid);
}

int TwoColumns(TFormDescription& form, int top, int stiffener, int cable)
{
  const int grid = form.RowTable(16, top, 129, 35, 1);
  form.AddColumn(grid, stiffener, vtReal, "Stiffener", "", 8, 10);
  form.AddColumn(grid, cable, vtReal, "Cable", "", 8, 10);
  return grid;
}

TFormDescription MakeAnalysisForm()
{
  TFormDescription form = TFormDescription::Of("Analysis Data", 528, 401, hcAnalysisData, 436, 22);

  const int lengthLabel = form.Label("Ca&ble length to analyse (%LL%):", 16, 16);
  form.Name(lengthLabel, form.Cell(vnCableLength, 16, 32, 65, 18));
  const int calculationIntervalLabel = form.Label("Ca&lculation interval (%LL%):", 16, 72);
  form.Name(calculationIntervalLabel, TwoColumns(form, 88, vnStationIntervalStiffener, vnStationIntervalCable));
  const int outputIntervalLabel = form.Label("&Output interval (%LL%):", 16, 144);
  form.Name(outputIntervalLabel, TwoColumns(form, 160, vnOutputIntervalStiffener, vnOutputIntervalCable));
  const int calculationLabel = form.PlainLabel("C&alculation:", 16, 216);
  const int linearity = form.Cell(vnLinearity, 16, 232, 89, 18);
  TColumn& linear = form.GridOf(linearity).Columns[0];
  linear.VarType = vtEnum;
  linear.FieldWidth = 10;
  linear.Alignment = taCenter;
  linear.Width = 12;
  linear.Margin = 0;
  form.Name(calculationLabel, linearity);

  const int design = form.GroupBox("Design Chart ranges", 184, 16, 233, 177);
  Ranges(form, design, "L&ength factors:", 16,
         {{vnLengthFactorMin, "Minimum", "Factor", vtReal, 2},
          {vnLengthFactorMax, "Maximum", "Factor", vtReal, 2},
          {vnLengthFactorCount, "Number of", "Cases", vtInt, 0}},
         false);
  Ranges(form, design, "&Stiffness factors:", 96,
         {{vnStiffnessFactorMin, "Minimum", "Factor", vtReal, 2},
          {vnStiffnessFactorMax, "Maximum", "Factor", vtReal, 2},
          {vnStiffnessFactorCount, "Number of", "Cases", vtInt, 0}},
         false);
  const int performance = form.GroupBox("Performance Chart ranges", 184, 208, 233, 177);
  Ranges(form, performance, "&Tensions:", 16,
         {{vnTensionMin, "Minimum", "(FF)", vtReal, 2},
          {vnTensionMax, "Maximum", "(FF)", vtReal, 2},
          {vnTensionCount, "Number of", "Cases", vtInt, 0}},
         true);
  Ranges(form, performance, "An&gles:", 96,
         {{vnAngleMin, "Minimum", "(deg)", vtReal, 1},
          {vnAngleMax, "Maximum", "(deg)", vtReal, 1},
          {vnAngleAccuracy, "Accuracy", "(deg)", vtReal, 3}},
         false);
  return form;
}

}  // namespace

const TFormDescription& MaterialsFormDescription()
{
  static const TFormDescription form = MakeMaterialsForm();
  return form;
}

const TFormDescription& AnalysisFormDescription()
{
  static const TFormDescription form = MakeAnalysisForm();
  return form;
}

}  // namespace umbrinex
