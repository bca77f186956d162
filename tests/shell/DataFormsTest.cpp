#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ShellTestSupport.h"
#include "bend/Bend.h"
#include "bend/Materials.h"
#include "desktop/kit/KitPreferences.h"
#include "desktop/kit/Registry.h"
#include "shell/Main.h"
#include "shell/MainPanels.h"
#include <QTreeWidget>
#include "shell/MainEditing.h"
#include "shell/Preferences.h"
#include "shell/PreferencesForm.h"
#include "presentation/DataForms.h"
#include "shell/forms/DataForms.h"

namespace umbrinex::testing {
namespace {

using TFormAction = std::function<void(TTessanDataForm&)>;
using TNames = std::vector<std::string>;

class DataForms : public TMainWindowTest {
 protected:
  TMainEditing& Editing() { return Form->Editing(); }
  TModelObject& Node(int i) { return *DataObjectSequence(Bend())[static_cast<std::size_t>(i)]; }

  // Runs the actions, one on each data form as it opens; each action closes
  // its form. The captions of the forms seen are recorded.
  void OnForms(std::deque<TFormAction> actions)
  {
    auto queue = std::make_shared<std::deque<TFormAction>>(std::move(actions));
    auto step = std::make_shared<std::function<void()>>();
    *step = [this, queue, weak = std::weak_ptr<std::function<void()>>(step)] {
      auto self = weak.lock();
      if (!self || queue->empty()) return;
      TTessanDataForm* form = Editing().CurrentDataForm();
      if (!form || !form->isVisible()) {
        QTimer::singleShot(2, *self);
        return;
      }
      TFormAction action = std::move(queue->front());
      queue->pop_front();
      Seen.push_back(form->windowTitle().toStdString());
      action(*form);
      if (!queue->empty()) QTimer::singleShot(2, *self);
    };
    Steps.push_back(step);
    QTimer::singleShot(0, *step);
  }
  static TFormAction Close(int result)
  {
    return [result](TTessanDataForm& form) { form.done(result); };
  }
  void Set(int varNum, const TVariant& value, int index = 0)
  {
    TAccessStatus status;
    Bend().SetValue(varNum, index, status, value, vtText);
    ASSERT_EQ(status.Code, acOk) << varNum << ": " << status.Text();
  }
  double Real(int varNum, int index = 0) { return Bend().GetReal(varNum, index); }

  std::vector<std::string> Seen;
  std::vector<std::shared_ptr<std::function<void()>>> Steps;
};

TEST_F(DataForms, CancelPutsBackEveryChangeAndOkKeepsThemWithAHalfTypedCell)
{
  const double tension = Real(vnLoadCaseTension, 0);
  const double abr = Real(vnAllowableBendRadius);
  const int count = Bend().LoadCaseCount();
  OnForms({[&](TTessanDataForm& form) {
    Bend().SetInteger(vnNumberOfLoadCases, 0, 8);
    Set(vnLoadCaseTension, "123", 0);
    Set(vnAllowableBendRadius, "3.5");
    EXPECT_EQ(Bend().LoadCaseCount(), 8);
    form.done(mrCancel);
  }});
  Editing().EditObject(Node(4));
  EXPECT_EQ(Seen, TNames{"Load Case Data"});
  EXPECT_EQ(Bend().LoadCaseCount(), count);
  EXPECT_EQ(Real(vnLoadCaseTension, 0), tension);
  EXPECT_EQ(Real(vnAllowableBendRadius), abr);
  EXPECT_FALSE(Editing().CanUndo());

  OnForms({[&](TTessanDataForm& form) {
    Bend().SetInteger(vnNumberOfLoadCases, 0, 7);
    auto* grid = static_cast<TEditLoadCasesForm&>(form).LoadCases;
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    grid->setFocus();
    grid->SelectCell(1, 3);  // the tension of the second load case
    for (char key : {'7', '7'}) QTest::keyClick(QApplication::focusWidget(), key);
    ASSERT_TRUE(grid->HasPendingEdit());
    form.btOK->click();
  }});
  Editing().EditObject(Node(4));
  EXPECT_EQ(Bend().LoadCaseCount(), 7);
  EXPECT_EQ(Real(vnLoadCaseTension, 1), 77.0);
  EXPECT_EQ(Editing().UndoText(), QStringLiteral("&Undo Load Case Data"));

  // Undo brings the earlier table back, Redo the accepted one.
  Editing().Undo();
  EXPECT_EQ(Bend().LoadCaseCount(), count);
  EXPECT_NE(Real(vnLoadCaseTension, 1), 77.0);
  EXPECT_EQ(Form->Panels().ResultsTree()->topLevelItemCount(), 6 + count);
  Editing().Redo();
  EXPECT_EQ(Bend().LoadCaseCount(), 7);
  EXPECT_EQ(Real(vnLoadCaseTension, 1), 77.0);
}

TEST_F(DataForms, AFormOpenedFromAnotherOffersNoNextAndItsOkIsKeptByTheOuterCancel)
{
  const double cableLength = Real(vnCableLength);
  OnForms({[&](TTessanDataForm& outer) {
    EXPECT_TRUE(outer.NextAllowed());
    EXPECT_FALSE(outer.btNext->isHidden());
    Set(vnLoadCaseTension, "55", 0);
    OnForms({[&](TTessanDataForm& inner) {
      EXPECT_EQ(inner.ParentForm(), &outer);
      EXPECT_FALSE(inner.NextAllowed());
      EXPECT_TRUE(inner.btNext->isHidden());
      Set(vnCableLength, "33");
      inner.done(mrOk);
    }});
    Editing().EditObject(Node(5));
    EXPECT_EQ(Editing().CurrentDataForm(), &outer);
    Set(vnLoadCaseTension, "66", 0);
    outer.done(mrCancel);
  }});
  Editing().EditObject(Node(4));
  EXPECT_EQ(Seen, (TNames{"Load Case Data", "Analysis Data"}));
  // Back to the state after the inner form's OK, which includes what the
  // outer form had changed by then.
  EXPECT_EQ(Real(vnCableLength), 33.0);
  EXPECT_NE(Real(vnCableLength), cableLength);
  EXPECT_EQ(Real(vnLoadCaseTension, 0), 55.0);
}

TEST_F(DataForms, NextAndPreviousStepThroughTheFormsAndWrapAround)
{
  OnForms({Close(mrNextForm), Close(mrCancel)});
  Editing().EditObject(Node(4));
  EXPECT_EQ(Seen, (TNames{"Load Case Data", "Analysis Data"}));

  Seen.clear();
  OnForms({[](TTessanDataForm& form) {
             form.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
             QTest::keyClick(&form, Qt::Key_F6, Qt::ShiftModifier);
           },
           Close(mrNextForm), Close(mrCancel)});
  Editing().EditObject(Node(0));
  EXPECT_EQ(Seen, (TNames{"Project Data", "Mould Data", "Project Data"}));

  Seen.clear();
  TNames all{"Project Data", "Cable Data",    "Bend Stiffener Data", "Materials Data",
                        "Load Case Data", "Analysis Data", "Drawing Data",        "Mould Data"};
  std::deque<TFormAction> actions(8, [](TTessanDataForm& form) {
    QTest::mouseClick(form.btNext, Qt::LeftButton);
  });
  actions.push_back(Close(mrCancel));
  OnForms(std::move(actions));
  Editing().EditObject(Node(0));
  all.push_back("Project Data");
  EXPECT_EQ(Seen, all);
}

TEST_F(DataForms, TheDefinitionSwapsThePanelsAndBringsThePowerLawBack)
{
  const double length = Real(vnActiveLength);
  OnForms({[&](TTessanDataForm& form) {
    auto& stiffener = static_cast<TEditStiffenerForm&>(form);
    EXPECT_TRUE(stiffener.PowerLawData->isVisible());
    EXPECT_FALSE(stiffener.UserDefinedData->isVisible());
    auto* definition = stiffener.findChild<TKitDropDownList*>();
    auto choose = [definition](const QString& name) {
      definition->setCurrentIndex(definition->findText(name));
      emit definition->activated(definition->currentIndex());
    };
    choose(QStringLiteral("User Defined"));
    QApplication::processEvents();
    EXPECT_TRUE(stiffener.UserDefinedData->isVisible());
    EXPECT_FALSE(stiffener.PowerLawData->isVisible());
    EXPECT_EQ(stiffener.UserDefinedPoints->Core().DataRowCount(), 3);
    choose(QStringLiteral("Stiffness Power Law"));
    QApplication::processEvents();
    EXPECT_TRUE(stiffener.PowerLawData->isVisible());
    EXPECT_EQ(Real(vnActiveLength), length);
    form.done(mrOk);
  }});
  Editing().EditObject(Node(2));
  EXPECT_EQ(Bend().StiffenerDefinition(), sdPowerLaw);
}

TEST_F(DataForms, TheMaterialsFormShowsTheSelectedMaterialAndState)
{
  OnForms({[&](TTessanDataForm& form) {
    auto& materials = static_cast<TEditMaterialsForm&>(form);
    EXPECT_EQ(materials.PropertiesLabel->text(), QStringLiteral("Properties of Material 'Material 1'"));
    EXPECT_EQ(materials.PropertiesTabControl->currentIndex(), 0);
    QTest::mouseClick(materials.PropertiesTabControl, Qt::LeftButton, {},
                      materials.PropertiesTabControl->tabRect(1).center());
    QApplication::processEvents();
    EXPECT_EQ(Bend().Materials().Material(0)->CurrentState(), 1);
    EXPECT_EQ(Real(vnLinearE), 150000.0);

    // The specifier decides which stress column is typed in.
    TGridCore& curve = materials.StressStrainCurve->Core();
    EXPECT_TRUE(curve.Column(2).Editable);
    EXPECT_FALSE(curve.Column(1).Editable);
    Set(vnStressSpecifier, "Dimensional");
    materials.EnsureUpToDate();
    EXPECT_TRUE(curve.Column(1).Editable);
    EXPECT_FALSE(curve.Column(2).Editable);
    form.done(mrCancel);
  }});
  Editing().EditObject(Node(3));
}

TEST_F(DataForms, AnInvalidCurveIsReportedAndOpensNoWindow)
{
  OnForms({[&](TTessanDataForm& form) {
    auto& materials = static_cast<TEditMaterialsForm&>(form);
    Set(vnCurveStrain, "0.5", 0);
    Set(vnCurveStrain, "0.1", 1);
    Messages.Requests.clear();
    QPushButton* view = nullptr;
    for (QPushButton* button : materials.findChildren<QPushButton*>())
      if (button->text() == QStringLiteral("&View curve")) view = button;
    view->click();
    ASSERT_EQ(Messages.Requests.size(), 1u);
    EXPECT_NE(Messages.Requests[0].Text.find("State 1, is not valid."), std::string::npos);
    EXPECT_TRUE(materials.MaterialGraphWindow.isNull());
    form.done(mrCancel);
  }});
  Editing().EditObject(Node(3));
}

TEST_F(DataForms, PreferencesCancelPutsThePrinterMarginBackInMemoryAndInStore)
{
  TIntegerPreference& top = KitPreferences().PrinterTop;
  const int before = top.CurrentValue();
  auto form = TPreferencesForm::Make(Form.get());
  EXPECT_EQ(form->findChild<QWidget*>(QStringLiteral("InHousePage")), nullptr);
  QTimer::singleShot(0, [&] {
    TAccessStatus status;
    form->DataObject().SetValue(1, 0, status, std::string("25"), vtText);
    EXPECT_EQ(status.Code, acOk);
    EXPECT_EQ(top.CurrentValue(), 25);
    form->done(mrCancel);
  });
  form->Execute();
  EXPECT_EQ(top.CurrentValue(), before);
  // What the next run reads; the windows go first, with the settings they follow.
  form.reset();
  Form.reset();
  Restart();
  EXPECT_EQ(KitPreferences().PrinterTop.CurrentValue(), before);
}

TEST_F(DataForms, InHouseCommandsSaveResultsAndCompareThemOnlyWhenEnabled)
{
  EXPECT_FALSE(Form->acFileSaveDataAndResults->isVisible());
  EXPECT_FALSE(Form->acFileCompareResults->isVisible());
  Preferences().CompareResultsEnabled.ChangeValue(true);
  EXPECT_TRUE(Form->acFileSaveDataAndResults->isVisible());

  const std::string name = Folder.File("with results.mxd");
  Dialogs.Names = {name};
  Form->acFileSaveDataAndResults->trigger();
  EXPECT_EQ(Dialogs.Requests.back().Title, "Save Data and Results");
  EXPECT_EQ(Bend().ResultsFileMode(), 0);
  const auto saved = std::filesystem::file_size(name);

  Dialogs.Names = {name};
  Form->acFileCompareResults->trigger();
  EXPECT_EQ(Dialogs.Requests.back().Title, "Open Umbrinex File");
  EXPECT_EQ(Bend().ResultsFileMode(), 0);
  std::ifstream log(Folder.File("checks.txt"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "Test against " + name + ": ");
  EXPECT_EQ(lines[2], "");

  // Without results a file is smaller: the results tag was written.
  Form->FileCommands().Save();
  EXPECT_LT(std::filesystem::file_size(name), saved);
}

}  // namespace
}  // namespace umbrinex::testing
