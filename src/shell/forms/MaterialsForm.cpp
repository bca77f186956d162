#include <QFrame>
#include <QGroupBox>
#include <QPushButton>

#include "bend/Bend.h"
#include "bend/Materials.h"
#include "desktop/kit/ErrorHandler.h"
#include "shell/GraphWindow.h"
#include "shell/forms/DataForms.h"
#include "presentation/HelpContexts.h"

namespace umbrinex {

namespace {
constexpr int StressColumn = 1;
constexpr int StressOverEColumn = 2;
}  // namespace

TEditMaterialsForm::TEditMaterialsForm(QWidget* owner, bool keepCopies, TModelObject& object)
    : TBendDataForm(owner, keepCopies, object, QStringLiteral("Materials Data"), 472, 429, hcMaterialsData)
{
  auto* types = new TKitGroupBox(QStringLiteral("Materials "), this);
  types->SetDataObject(&Bend());
  MaterialTypesGroupBox = types;
  Place(*types, 16, 13, 337, 140);
  TKitLabel* countLabel = Label(QStringLiteral("&Number of &Materials:"), 8, 25, types);
  TKitGrid* count = Counter(vnNumberOfTypes, 115, 21, 53, 18, types);
  countLabel->setBuddy(count);
  Names = Table(8, 45, 321, 86, 0, 5, types);
  Names->Core().AllowRangeSelect = false;
  Names->Core().HideSelection = false;
  TColumn& name = AddColumn(*Names, vnMaterialName, vtName, "", "", 44, 50, 0);
  name.LineFormat = lfNone;
  name.Alignment = taLeftJustify;
  Names->SetCounter(count);
  connect(Names, &TKitGrid::CurrentCellChanged, this, [this](int, int row) { NamesSelectCell(row); });

  PropertiesLabel = Label(QStringLiteral("Properties of Material '%21047%'"), 16, 169);
  // The tab strip on a framed page that holds the state's controls.
  auto* page = new TKitPanel(this);
  page->setFrameShape(QFrame::StyledPanel);
  Place(*page, 16, 190, 441, 225);
  PropertiesTabControl = new TKitTabControl(page);
  PropertiesTabControl->addTab(QStringLiteral("State &1"));
  PropertiesTabControl->addTab(QStringLiteral("State &2"));
  PropertiesTabControl->move(X(2), 0);
  PropertiesTabControl->adjustSize();
  PropertiesLabel->setBuddy(PropertiesTabControl);
  connect(PropertiesTabControl, &QTabBar::tabBarClicked, this,
          [this](int index) { PropertiesTabControlChange(index); });

  StressStrainCurve = Table(129, 101, 280, 103, 1, 6, page);
  StateForPrintingLabel = Label(QStringLiteral(" "), 9, 25, page);
  StateForPrintingLabel->setBuddy(StressStrainCurve);
  StateForPrintingLabel->hide();
  Label(QStringLiteral("&E (%FF/LL^2%): "), 10, 51, page)->setBuddy(Cell(vnLinearE, 10, 75, 79, 18, page));
  findChildren<TKitGrid*>().last()->Core().EnableInsertDeleteRow = false;
  auto bevel = [this, page](int width, int height, QFrame::Shape shape) {
    auto* line = new QFrame(page);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    Place(*line, 112, 32, width, height);
    FNeverOutput.append(line);
  };
  bevel(2, 185, QFrame::VLine);
  bevel(312, 2, QFrame::HLine);
  FNeverOutput.append(PlainLabel(QStringLiteral(" Non-linear Properties: "), 128, 24, page));
  TKitLabel* specifierLabel = Label(QStringLiteral("&Stress specified as "), 128, 50, page);
  StressSpecifier = Cell(vnStressSpecifier, 224, 46, 89, 18, page);
  TColumn& specifier = StressSpecifier->Core().Column(0);
  specifier.VarType = vtEnum;
  specifier.FieldWidth = 11;
  specifier.Alignment = taCenter;
  specifier.Width = 12;
  specifier.Margin = 0;
  specifierLabel->setBuddy(StressSpecifier);
  TKitLabel* pointsLabel = Label(QStringLiteral("Number of &Points:"), 129, 78, page);
  TKitGrid* points = Counter(vnCurveNumberOfPoints, 224, 74, 53, 18, page);
  pointsLabel->setBuddy(points);
  auto* view = new QPushButton(QStringLiteral("&View curve"), page);
  Place(*view, 320, 68, 89, 25);
  connect(view, &QPushButton::clicked, this, [this] { Guarded([this] { ViewCurve(); }); });
  FNeverOutput.append(view);
  AddColumn(*StressStrainCurve, vnCurveStrain, vtReal, "Strain", "", 7, 10);
  AddColumn(*StressStrainCurve, vnCurveStress, vtReal, "Stress (FF/LL^2)", "", 7, 12);
  AddColumn(*StressStrainCurve, vnCurveStressOverE, vtReal, "Stress / E", "", 7, 12);
  StressStrainCurve->SetCounter(points);
  for (TKitGrid* grid : {Names, count, StressStrainCurve, points}) SetHelpContext(*grid, hcDataTables);
  // The names take extra width; the curve, on its page, width and height.
  for (QWidget* control : {static_cast<QWidget*>(types), static_cast<QWidget*>(Names)}) Stretch(*control, true, false);
  for (QWidget* control : {static_cast<QWidget*>(page), static_cast<QWidget*>(StressStrainCurve)})
    Stretch(*control, true, true);
  PlaceButtons(X(388), Y(14));
}

TEditMaterialsForm::~TEditMaterialsForm() = default;

TBendStiffenerMaterial* TEditMaterialsForm::SelectedMaterial() const
{
  return static_cast<TBendStiffenerMaterial*>(Bend().Materials().CurrentItem());
}

void TEditMaterialsForm::NamesSelectCell(int row)
{
  Guarded([&] {
    Bend().Materials().SetInteger(vnCurrentItem, 0, row - Names->Core().FixedRows());
    Invalidate();
  });
}

void TEditMaterialsForm::PropertiesTabControlChange(int index)
{
  Guarded([&] {
    if (!SelectedMaterial() || index < 0) return;
    Bend().SetInteger(vnCurrentState, 0, index);
    Invalidate();
  });
}

void TEditMaterialsForm::RefreshData()
{
  TBendDataForm::RefreshData();
  const TBendStiffenerMaterial* material = SelectedMaterial();
  if (!material) return;
  const int index = Bend().Materials().IndexOf(material);
  Names->SelectCell(0, index + Names->Core().FixedRows());
  const int state = material->CurrentState();
  PropertiesTabControl->setCurrentIndex(state);
  const bool normalised = material->StressSpecifier(state) == ssNormalised;
  StressStrainCurve->Core().Column(StressOverEColumn).Editable = normalised;
  StressStrainCurve->Core().Column(StressColumn).Editable = !normalised;
  StressStrainCurve->Invalidate();
}

void TEditMaterialsForm::ViewCurve()
{
  TBendStiffenerMaterial* material = SelectedMaterial();
  if (!material) return;
  material->CheckCurve(material->CurrentState());
  TBend& bend = Bend();
  ShowGraphWindow(MaterialGraphWindow, [&bend](QWidget* owner) {
    auto* window = new TGraphWindow(bend, TResultsGraph::Material, owner);
    window->setWindowTitle(QStringLiteral("Material"));
    window->resize(480, 360);
    return window;
  });
  // Beside the form, not over it.
  MaterialGraphWindow->move(frameGeometry().topRight() + QPoint(8, 0));
  MaterialGraphWindow->Refresh();
}

// ---- output: every material, each state on its own ----

void TEditMaterialsForm::BeginOutput()
{
  TBendDataForm::BeginOutput();
  FSavedMaterial = SelectedMaterial();
  StateForPrintingLabel->show();
}

void TEditMaterialsForm::EndOutput()
{
  StateForPrintingLabel->hide();
  if (FSavedMaterial) Bend().Materials().SetCurrentItem(FSavedMaterial);
  PropertiesLabel->SetCaption(QStringLiteral("Properties of Material '%21047%'"));
  TBendDataForm::EndOutput();
  Invalidate();
}

void TEditMaterialsForm::ShowState(int state)
{
  FOutputState = state;
  StateForPrintingLabel->SetCaption(QStringLiteral("State %1:").arg(state + 1));
  Invalidate();
  EnsureUpToDate();
}

void TEditMaterialsForm::ForEachOutputPass(const std::function<void()>& pass)
{
  TBendStiffenerMaterialsList& materials = Bend().Materials();
  for (int i = 0; i < materials.Count(); ++i) {
    TBendStiffenerMaterial* material = materials.Material(i);
    materials.SetCurrentItem(material);
    PropertiesLabel->SetCaption(
        QStringLiteral("Properties of Material %1").arg(QString::fromStdString(material->Name())));
    for (int state = 0; state < StateCount; ++state) {
      const int remembered = material->CurrentState();
      Bend().SetInteger(vnCurrentState, 0, state);
      ShowState(state);
      try {
        pass();
      } catch (...) {
        Bend().SetInteger(vnCurrentState, 0, remembered);
        throw;
      }
      Bend().SetInteger(vnCurrentState, 0, remembered);
    }
  }
}

bool TEditMaterialsForm::IncludeInOutput(const QWidget& control) const
{
  if (&control == MaterialTypesGroupBox || FNeverOutput.contains(const_cast<QWidget*>(&control))) return false;
  if (&control == PropertiesLabel) return FOutputState == 0;
  return TBendDataForm::IncludeInOutput(control);
}

}  // namespace umbrinex
