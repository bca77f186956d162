#include <QGroupBox>
#include <QPushButton>

#include "bend/Bend.h"
#include "bend/Materials.h"
#include "desktop/kit/ErrorHandler.h"
#include "shell/GraphWindow.h"
#include "shell/forms/DataForms.h"
#include "presentation/DataForms.h"

namespace umbrinex {

namespace {
// The columns of the stress-strain curve.
constexpr int StressColumn = 1;
constexpr int StressOverEColumn = 2;
}  // namespace

TEditMaterialsForm::TEditMaterialsForm(QWidget* owner, bool keepCopies, TModelObject& object)
    : TBendDataForm(owner, keepCopies, object, MaterialsFormDescription()),
      MaterialTypesGroupBox(&Controls().Named<QGroupBox>("MaterialTypes")),
      Names(&Controls().Named<TKitGrid>("Names")),
      PropertiesLabel(&Controls().Named<TKitLabel>("PropertiesLabel")),
      PropertiesTabControl(&Controls().Named<TKitTabControl>("PropertiesTabControl")),
      StateForPrintingLabel(&Controls().Named<TKitLabel>("StateForPrintingLabel")),
      StressSpecifier(&Controls().Named<TKitGrid>("StressSpecifier")),
      StressStrainCurve(&Controls().Named<TKitGrid>("StressStrainCurve"))
{
  connect(Names, &TKitGrid::CurrentCellChanged, this, [this](int, int row) { NamesSelectCell(row); });
  connect(PropertiesTabControl, &QTabBar::tabBarClicked, this,
          [this](int index) { PropertiesTabControlChange(index); });
  connect(&Controls().Named<QPushButton>("ViewCurve"), &QPushButton::clicked, this,
          [this] { Guarded([this] { ViewCurve(); }); });
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

}  // namespace umbrinex
