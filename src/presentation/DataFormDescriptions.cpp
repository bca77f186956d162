// The project, cable, stiffener and table forms described; the materials
// and analysis forms have files of their own.

#include "bend/Bend.h"
#include "presentation/DataForms.h"
#include "presentation/HelpContexts.h"

namespace umbrinex {

namespace {

TFormDescription MakeProjectForm()
{
  TFormDescription form = TFormDescription::Of("Project Data", 544, 180, hcProjectData, 472, 14, 60);
  const std::pair<const char*, int> fields[] = {
      {"&Project:", vnProject}, {"C&lient:", vnClient}, {"&Designer:", vnDesigner}};
  int top = 16;
  for (const auto& [caption, varNum] : fields) {
    const int label = form.Label(caption, 16, top);
    const int edit = form.Edit(varNum, 64, top, 385, 21);
    form.Name(label, edit);
    form[edit].Stretch = stWide;
    top += 24;
  }
  // The units are not changed in these forms: the grid stays hidden.
  const int unitsLabel = form.Label("&Units:", 16, 96);
  const int units = form.RowTable(64, 96, 385, 35, 1);
  form.AddColumn(units, 2, vtEnum, "System", "", 12, 12);
  form.AddColumn(units, 3, vtEnum, "Length", "", 8, 10);
  form.AddColumn(units, 5, vtEnum, "Force", "", 8, 10);
  form.SetHelpContext(units, hcUnits);
  form.Name(unitsLabel, units);
  form[unitsLabel].Hidden = form[units].Hidden = true;
  return form;
}

TFormDescription MakeCableForm()
{
  TFormDescription form = TFormDescription::Of("Cable Data", 402, 221, hcCableData, 316, 14);
  const int stiffnessLabel = form.Label("Cable bend &stiffness (%FF.LL^2%):", 32, 24);
  const int stiffness = form.RowTable(32, 40, 145, 35, 1);
  form.AddColumn(stiffness, vnCableBendStiffness1, vtReal, "State 1", "", 8, 10, 2);
  form.AddColumn(stiffness, vnCableBendStiffness2, vtReal, "State 2", "", 8, 10, 2);
  form.Name(stiffnessLabel, stiffness);
  const int radiusLabel = form.Label("&Allowable Bend Radius (%LL%):", 32, 88);
  form.Name(radiusLabel, form.Cell(vnAllowableBendRadius, 32, 104, 73, 18));
  const int idLabel = form.Label("Stiffener &ID (%LL%):", 32, 136);
  form.Name(idLabel, form.Cell(vnStiffenerID, 32, 152, 73, 18));
  return form;
}

TFormDescription MakeStiffenerForm()
{
  TFormDescription form = TFormDescription::Of("Bend Stiffener Data", 446, 307, hcStiffenerData, 356, 14);
  const int definitionLabel = form.Label("&Definition:", 16, 16);
  form.Name(definitionLabel, form.DropDownList(vnStiffenerDefinition, 16, 32, 153, 21));

  const int powerLaw = form.Panel(16, 80, 337, 209);
  form[powerLaw].Name = "PowerLawData";
  form[powerLaw].ShownWhen = {vnStiffenerDefinition, sdPowerLaw};
  const std::pair<const char*, int> cells[] = {{"Active &length (%LL%):", vnActiveLength},
                                               {"&Root diameter (%LL%):", vnRootDiameter},
                                               {"&Tip diameter (%LL%):", vnTipDiameter},
                                               {"&Shape power:", vnShapePower}};
  int top = 16;
  for (const auto& [caption, varNum] : cells) {
    const int label = form.Label(caption, 0, top, powerLaw);
    form.Name(label, form.Cell(varNum, 0, top + 16, 73, 18, powerLaw));
    top += 48;
  }
  const int materialLabel = form.Label("&Material:", 144, 16, powerLaw);
  form.Name(materialLabel, form.DropDownList(vnMaterial, 144, 32, 185, 21, powerLaw));

  const int userDefined = form.Panel(16, 80, 329, 209);
  form[userDefined].Name = "UserDefinedData";
  form[userDefined].ShownWhen = {vnStiffenerDefinition, sdUserDefined};
  form[userDefined].Stretch = stBoth;
  const int countLabel = form.Label("Number of &points:", 0, 8, userDefined);
  const int count = form.Counter(vnNumberOfPoints, 92, 4, 61, 18, userDefined);
  form.Name(countLabel, count);
  const int points = form.Table(0, 29, 329, 171, 2, 10, userDefined);
  form[points].Name = "UserDefinedPoints";
  form.AddIndexColumn(points);
  form.AddColumn(points, vnPointArcLength, vtReal, "ArcLength", "(LL)", 7, 10);
  form.AddColumn(points, vnPointDiameter, vtReal, "Diameter", "(LL)", 6, 10);
  form.AddColumn(points, vnPointMaterial, vtList, "Material", "", 10, 25, 0).Alignment = taLeftJustify;
  form[points].Counter = count;
  form[points].Stretch = stBoth;
  form.SetHelpContext(points, hcDataTables);
  form.SetHelpContext(count, hcDataTables);
  return form;
}

TFormDescription MakeLoadCasesForm()
{
  TFormDescription form = TFormDescription::Of("Load Case Data", 463, 273, hcLoadCaseData, 380, 14);
  const int abrLabel = form.Label("&Default ABR (%LL%):", 16, 16);
  form.Name(abrLabel, form.Cell(vnAllowableBendRadius, 16, 32, 73, 18));
  const int countLabel = form.Label("Number of &load cases:", 16, 64);
  const int count = form.Counter(vnNumberOfLoadCases, 132, 61, 61, 18);
  form[count].Name = "NumberOfLoadCases";
  form.Name(countLabel, count);
  const int cases = form.Table(16, 85, 345, 171, 2, 10);
  form[cases].Name = "LoadCases";
  form.AddIndexColumn(cases);
  form.AddColumn(cases, vnLoadCaseTension, vtReal, "Tension", "(FF)", 7, 10);
  form.AddColumn(cases, vnLoadCaseAngle, vtReal, "Angle", "(deg)", 6, 10, 2);
  form.AddColumn(cases, vnLoadCaseABR, vtReal, "ABR", "(LL)", 6, 10).LineFormat = lfDouble;
  for (const auto& [varNum, title] : {std::pair{vnState1Included, "State 1"}, {vnState2Included, "State 2"}}) {
    TColumn& state = form.AddColumn(cases, varNum, vtBool, "", title, 8, 7);
    state.Alignment = taCenter;
    state.Margin = 0;
  }
  std::vector<TColumn>& columns = form.GridOf(cases).Columns;
  columns[4].Title(0).VerticalLine = false;
  columns[5].Title(0).Caption = "State Included";
  columns[5].Title(0).SetExtent(2);
  form[cases].Counter = count;
  form[cases].Stretch = stBoth;
  form.SetHelpContext(cases, hcDataTables);
  form.SetHelpContext(count, hcDataTables);
  return form;
}

TFormDescription MakeDrawingForm()
{
  TFormDescription form = TFormDescription::Of("Drawing Data", 402, 149, hcDrawingData, 316, 14);
  const int countLabel = form.Label("&Number of Circles: ", 32, 16);
  const int count = form.Counter(vnNumberOfCircles, 139, 13, 53, 18);
  form.Name(countLabel, count);
  const int circles = form.Table(32, 37, 217, 86, 2, 5);
  form.GridOf(circles).AllowRangeSelect = false;
  form.AddColumn(circles, vnCircleX, vtReal, "", "x (LL)", 8, 10, 2).Title(0).VerticalLine = false;
  form.AddColumn(circles, vnCircleY, vtReal, "Centre", "y (LL)", 8, 10, 2).Title(0).SetExtent(2);
  form.AddColumn(circles, vnCircleDiameter, vtReal, "Diameter", "(LL)", 8, 10, 2);
  form[circles].Counter = count;
  form[circles].Stretch = stBoth;
  form.SetHelpContext(circles, hcDataTables);
  form.SetHelpContext(count, hcDataTables);
  return form;
}

TFormDescription MakeMouldForm()
{
  TFormDescription form = TFormDescription::Of("Mould Data", 322, 207, hcMouldData, 228, 14);
  const int countLabel = form.Label("Number of &Diameters:", 16, 22);
  // Clear of the label's colon in the wider fonts of this desktop.
  const int count = form.Counter(vnNumberOfDiameters, 136, 18, 53, 18);
  form.Name(countLabel, count);
  form.SetHelpContext(count, hcDataTables);
  const int diameters = form.Table(64, 48, 113, 137, 1, 8);
  form.GridOf(diameters).ScrollBars = ssBoth;
  form.AddColumn(diameters, vnMouldDiameter, vtReal, "Diameter (LL)", "", 7, 10);
  form[diameters].Counter = count;
  // One column of numbers gains nothing from width.
  form[diameters].Stretch = stTall;
  return form;
}

}  // namespace

const TFormDescription& ProjectFormDescription()
{
  static const TFormDescription form = MakeProjectForm();
  return form;
}

const TFormDescription& CableFormDescription()
{
  static const TFormDescription form = MakeCableForm();
  return form;
}

const TFormDescription& StiffenerFormDescription()
{
  static const TFormDescription form = MakeStiffenerForm();
  return form;
}

const TFormDescription& LoadCasesFormDescription()
{
  static const TFormDescription form = MakeLoadCasesForm();
  return form;
}

const TFormDescription& DrawingFormDescription()
{
  static const TFormDescription form = MakeDrawingForm();
  return form;
}

const TFormDescription& MouldFormDescription()
{
  static const TFormDescription form = MakeMouldForm();
  return form;
}

}  // namespace umbrinex
