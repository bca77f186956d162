// Tools > Units as the engineer uses it: the default design switched to US
// units shows its values converted in the forms and gives the same
// results, Undo takes it back to the very bytes there were, the units stay
// when the design is saved and opened again, the User system takes mixed
// choices, and Cancel or OK without a change leave no step of Undo.

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>

#include "ShellTestSupport.h"
#include "bend/Bend.h"
#include "bend/BendVarNums.h"
#include "bend/DesignChartResults.h"
#include "bend/DesignCheck.h"
#include "desktop/forms/KitGrid.h"
#include "framework/data/FileClass.h"
#include "framework/data/Units.h"
#include "persistence/BendFile.h"
#include "presentation/DataForms.h"
#include "shell/MainEditing.h"
#include "shell/MainPanels.h"
#include "shell/UnitsForm.h"
#include "shell/forms/DataForms.h"

namespace umbrinex::testing {
namespace {

using TBytes = std::vector<std::uint8_t>;
using TNames = std::vector<std::string>;
constexpr double Kip = 4.4482216152605;  // kN

class UnitsDialog : public TMainWindowTest {
 protected:
  TMainEditing& Editing() { return Form->Editing(); }

  // Opens Tools > Units and runs the script on it; the dialog is
  // cancelled afterwards unless the script closed it.
  void OnDialog(const std::function<void(TUnitsForm&)>& script)
  {
    OnModalDialog(*Form->acToolsUnits, "Tools > Units", &TUnitsForm::btCancel, script);
  }
  // Chooses the system and, for User, the units by the names the lists show.
  void Choose(int system, const TNames& units = {})
  {
    OnDialog([&](TUnitsForm& dialog) {
      dialog.System->setCurrentIndex(system);
      for (std::size_t q = 0; q < units.size(); ++q) {
        QComboBox* list = dialog.Units[q];
        ASSERT_TRUE(list->isEnabled());
        const int i = list->findText(QString::fromStdString(units[q]));
        ASSERT_GE(i, 0) << units[q];
        list->setCurrentIndex(i);
      }
      dialog.btOk->click();
    });
  }
  // The units the lists show, "-" after those greyed.
  static TNames Shown(const TUnitsForm& dialog)
  {
    TNames names;
    for (const QComboBox* list : dialog.Units)
      names.push_back(list->currentText().toStdString() + (list->isEnabled() ? "" : "-"));
    return names;
  }
  // The texts of a form: the cell of the item, every label and the titles of its grids.
  struct TFormTexts {
    QString Edit;
    QStringList Labels;
    QStringList Titles;
  };
  TFormTexts OpenForm(int node, int varNum)
  {
    TFormTexts texts;
    auto form = CreateDataForm(*DataObjectSequence(Bend())[static_cast<std::size_t>(node)], false, Form.get());
    for (const QLabel* label : form->findChildren<QLabel*>()) texts.Labels << label->text();
    for (const TKitGrid* grid : form->findChildren<TKitGrid*>()) {
      const TGridCore& core = grid->Core();
      for (int col = 0; col < core.ColCount(); ++col) {
        // A single value is a cell of its own: a grid of one column.
        if (core.Column(col).VarNum == varNum)
          texts.Edit = QString::fromStdString(core.CellText(col, core.FixedRows())) + QStringLiteral("|") +
                       QString::fromStdString(core.EditText(col, core.FixedRows()));
        for (int row = 0; row < 2; ++row) texts.Titles << QString::fromStdString(core.TitleText(col, row));
      }
    }
    return texts;
  }
  double GoverningRatio() { return CheckDesign(Bend()).GoverningCase()->Ratio; }
  double BaseRatio()
  {
    TDesignChartResults& chart = Bend().DesignChartResults();
    chart.EnsureCalculated();
    return chart.BaseRatio;
  }
};

TEST_F(UnitsDialog, UsUnitsConvertTheFormsKeepTheResultsAndUndoBringsSIBack)
{
  const TBytes before = SaveToMemory(Bend());
  const double tension = Bend().LoadCaseTension(0);
  const double governing = GoverningRatio();
  const double base = BaseRatio();
  const TDesignCheck siCheck = CheckDesign(Bend());

  OnDialog([&](TUnitsForm& dialog) {
    EXPECT_EQ(dialog.System->currentText(), QStringLiteral("SI"));
    EXPECT_EQ(Shown(dialog), (TNames{"m-", "te-", "kN-", "s-", "\u00B0C-"}));
    dialog.System->setCurrentIndex(usUS);
    EXPECT_EQ(Shown(dialog), (TNames{"ft-", "kp-", "kip-", "s-", "\u00B0F-"}));
    dialog.btOk->click();
    EXPECT_FALSE(dialog.isVisible());
  });
  ASSERT_EQ(Bend().Units().System(), usUS);
  EXPECT_EQ(Editing().UndoText(), QStringLiteral("&Undo Units"));

  const TFormTexts stiffener = OpenForm(2, vnActiveLength);
  // The cell shows four figures; its editor starts with the value in full.
  EXPECT_TRUE(stiffener.Edit.startsWith(QStringLiteral("6.562|6.5616797900"))) << stiffener.Edit.toStdString();
  EXPECT_TRUE(stiffener.Labels.filter(QStringLiteral("(ft)")).size() > 0)
      << stiffener.Labels.join(QStringLiteral("|")).toStdString();
  EXPECT_TRUE(stiffener.Labels.filter(QStringLiteral("(m)")).isEmpty());
  const TFormTexts loadCases = OpenForm(4, -1);
  EXPECT_FALSE(loadCases.Titles.filter(QStringLiteral("(kip)")).isEmpty())
      << loadCases.Titles.join(QStringLiteral("|")).toStdString();
  EXPECT_TRUE(loadCases.Titles.filter(QStringLiteral("kp")).isEmpty());
  EXPECT_TRUE(loadCases.Titles.filter(QStringLiteral("kN")).isEmpty());
  EXPECT_NEAR(Bend().LoadCaseTension(0), tension / Kip, 1e-12 * tension / Kip);
  // The results tree names the tensions in kips at once.
  QTreeWidget* tree = Form->Panels().ResultsTree();
  const QString firstCase = tree->topLevelItem(tree->topLevelItemCount() - Bend().LoadCaseCount())->text(0);
  EXPECT_TRUE(firstCase.contains(QStringLiteral("T=0.56"))) << firstCase.toStdString();

  // The physical design is the same, so are its results.
  EXPECT_NEAR(GoverningRatio(), governing, 1e-12 * governing);
  EXPECT_NEAR(BaseRatio(), base, 1e-12 * base);
  // Each load case agrees to the solver's own accuracy: a tension stored
  // in kips differs from the SI one by its rounding, and a change of one
  // unit in the last place of a tension moves a ratio by up to about 1e-12.
  const TDesignCheck usCheck = CheckDesign(Bend());
  ASSERT_EQ(usCheck.Cases.size(), siCheck.Cases.size());
  for (std::size_t i = 0; i < siCheck.Cases.size(); ++i)
    EXPECT_NEAR(usCheck.Cases[i].Ratio, siCheck.Cases[i].Ratio, 1e-10 * siCheck.Cases[i].Ratio) << i;

  Editing().Undo();
  EXPECT_EQ(Bend().Units().System(), usSI);
  EXPECT_TRUE(SaveToMemory(Bend()) == before);
  EXPECT_EQ(OpenForm(2, vnActiveLength).Edit, QStringLiteral("2.000|2"));
}

TEST_F(UnitsDialog, TheUnitsStayWhenTheDesignIsSavedAndOpenedAgain)
{
  Choose(usUS);
  const std::string file = Folder.File("us.mxd");
  SaveToFile(Bend(), file);
  auto reopened = CreateMainForm({QStringLiteral("umbrinex")});
  reopened->Filer().Load(file, DataFileClass, reopened->Model());
  EXPECT_EQ(reopened->Model().Units().System(), usUS);
  EXPECT_EQ(reopened->Model().Units().LengthName(), "ft");
  EXPECT_EQ(reopened->Model().GetReal(vnActiveLength), Bend().GetReal(vnActiveLength));
}

TEST_F(UnitsDialog, TheUserSystemTakesMixedChoicesAndStartsFromTheUnitsShown)
{
  OnDialog([&](TUnitsForm& dialog) {
    dialog.System->setCurrentIndex(usUS);
    dialog.System->setCurrentIndex(usUser);
    EXPECT_EQ(Shown(dialog), (TNames{"ft", "kp", "kip", "s", "\u00B0F"}));
  });
  EXPECT_EQ(Bend().Units().System(), usSI);

  Choose(usUser, {"mm", "kg", "lb", "s", "\u00B0F"});
  const TUnits& units = Bend().Units();
  EXPECT_EQ(units.System(), usUser);
  EXPECT_EQ(units.LengthName() + " " + units.MassName() + " " + units.ForceLabel() + " " + units.TemperatureName(),
            "mm kg lb \u00B0F");
  EXPECT_NEAR(Bend().GetReal(vnActiveLength), 2000.0, 1e-9);
  EXPECT_EQ(OpenForm(2, vnActiveLength).Edit, QStringLiteral("2000.000|2000"));

  // The dialog opens on the design's own choices, and they can be changed.
  OnDialog([&](TUnitsForm& dialog) { EXPECT_EQ(Shown(dialog), (TNames{"mm", "kg", "lb", "s", "\u00B0F"})); });
  Choose(usUser, {"in", "kg", "kip", "s", "\u00B0C"});
  EXPECT_EQ(Bend().Units().ForceName(), "kp");
  EXPECT_NEAR(Bend().GetReal(vnActiveLength), 2.0 / 0.0254, 1e-9);
  // Each change is a step of its own.
  Editing().Undo();
  EXPECT_NEAR(Bend().GetReal(vnActiveLength), 2000.0, 1e-9);
}

TEST_F(UnitsDialog, CancelAndOkWithoutAChangeLeaveTheDesignAndNoStep)
{
  const TBytes before = SaveToMemory(Bend());
  OnDialog([&](TUnitsForm& dialog) {
    dialog.System->setCurrentIndex(usUser);
    dialog.Units[TUnitsForm::uqLength]->setCurrentIndex(1);
    dialog.btCancel->click();
  });
  EXPECT_TRUE(SaveToMemory(Bend()) == before);
  EXPECT_FALSE(Editing().CanUndo());
  EXPECT_FALSE(Bend().Modified());

  // OK on the units the design has changes nothing either.
  Choose(usSI);
  EXPECT_TRUE(SaveToMemory(Bend()) == before);
  EXPECT_FALSE(Editing().CanUndo());
  EXPECT_FALSE(Bend().Modified());
}

}  // namespace
}  // namespace umbrinex::testing

namespace umbrinex::testing {
namespace {

// A form cancelled in US units puts back the very bytes there were, so
// that it leaves no step of Undo in front of the change of units.
TEST_F(UnitsDialog, AFormCancelledInUsUnitsLeavesTheDesignAsItWas)
{
  Choose(usUS);
  const TBytes before = SaveToMemory(Bend());
  const auto nodes = DataObjectSequence(Bend());
  for (std::size_t node = 0; node < nodes.size(); ++node) {
    std::function<void()> cancel = [&] {
      TTessanDataForm* form = Editing().CurrentDataForm();
      if (form == nullptr || !form->isVisible()) return QTimer::singleShot(2, cancel);
      form->done(mrCancel);
    };
    QTimer::singleShot(0, cancel);
    Editing().EditObject(*nodes[node]);
    EXPECT_TRUE(SaveToMemory(Bend()) == before) << node;
    EXPECT_EQ(Editing().UndoText(), QStringLiteral("&Undo Units")) << node;
  }
  Editing().Undo();
  EXPECT_EQ(Bend().Units().System(), 0);
  EXPECT_FALSE(Editing().CanUndo());
}

}  // namespace
}  // namespace umbrinex::testing
