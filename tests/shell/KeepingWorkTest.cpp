// The desktop program keeps the engineer's work: forms with windows of
// their own close without harm, putting values back keeps the design's file,
// the results tree shows what the views show, every change can be undone and
// a form that changed nothing marks nothing.

#include <deque>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "ShellTestSupport.h"
#include "bend/Bend.h"
#include "bend/Materials.h"
#include "desktop/forms/KitHint.h"
#include "desktop/kit/FileCommands.h"
#include "desktop/kit/Filer.h"
#include "desktop/kit/ResultWindow.h"
#include "framework/data/FileClass.h"
#include "shell/MainEditing.h"
#include "shell/MainPanels.h"
#include "shell/MainResults.h"
#include "shell/forms/DataForms.h"

namespace umbrinex::testing {
namespace {

using TFormAction = std::function<void(TTessanDataForm&)>;

enum TNode { ndProject = 0, ndStiffener = 2, ndMaterials = 3, ndLoadCases = 4, ndMould = 7 };

class KeepingWork : public TMainWindowTest {
 protected:
  TMainEditing& Editing() { return Form->Editing(); }
  QTreeWidget* Tree() { return Form->Panels().ResultsTree(); }
  int SelectedNode() { return Tree()->indexOfTopLevelItem(Tree()->currentItem()); }
  void SelectLoadCase(int i) { Tree()->setCurrentItem(Tree()->topLevelItem(rnPerformanceMap + 1 + i)); }

  // Opens the form of data tree node i and runs the actions, one on each
  // form as it comes up; each action closes its form.
  void Edit(int node, std::deque<TFormAction> actions)
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
      action(*form);
      if (!queue->empty()) QTimer::singleShot(2, *self);
    };
    QTimer::singleShot(0, *step);
    Editing().EditNode(node);
    EXPECT_TRUE(queue->empty()) << queue->size() << " form actions left";
  }
  static TFormAction Close(int result)
  {
    return [result](TTessanDataForm& form) { form.done(result); };
  }
  void Set(int varNum, const std::string& value, int index = 0)
  {
    TAccessStatus status;
    Bend().SetValue(varNum, index, status, TVariant(value), vtText);
    ASSERT_EQ(status.Code, acOk) << varNum << ": " << status.Text();
  }
  // The design saved to a file of its own, the file it now comes from.
  std::string SaveDesign(const std::string& name)
  {
    const std::string fileName = Folder.File(name);
    Form->Filer().Save(fileName, DataFileClass, false, Bend());
    return Form->Filer().CurrentFileName();
  }
  QString Caption()
  {
    Form->UpdateCaption();
    return Form->windowTitle();
  }
  static TKitGrid* CounterOf(QWidget& form, int varNum)
  {
    for (TKitGrid* grid : form.findChildren<TKitGrid*>())
      if (grid->Core().ColCount() == 2 && grid->Core().Column(1).VarType == vtSpin &&
          grid->Core().Column(0).VarNum == varNum)
        return grid;
    return nullptr;
  }
};

// ---- forms with windows of their own ----

TEST_F(KeepingWork, TheCurveWindowGoesWithTheMaterialsFormHoweverBothAreClosed)
{
  for (const std::string example : {"", "Power Cable Non-Linear.mxd"}) {
    if (!example.empty()) Form->Filer().Load(std::string(UMBRINEX_EXAMPLES_DIR "/") + example, DataFileClass, Bend());
    for (const int result : {mrOk, mrCancel})
      for (const bool windowClosedFirst : {false, true}) {
        QPointer<TResultWindow> curve;
        Edit(ndMaterials, {[&](TTessanDataForm& form) {
               auto& materials = static_cast<TEditMaterialsForm&>(form);
               for (QPushButton* button : materials.findChildren<QPushButton*>())
                 if (button->text() == QStringLiteral("&View curve")) button->click();
               curve = materials.MaterialGraphWindow;
               ASSERT_FALSE(curve.isNull());
               EXPECT_TRUE(curve->isVisible());
               if (windowClosedFirst) curve->close();
               form.done(result);
             }});
        EXPECT_TRUE(curve.isNull()) << example << " " << result << " " << windowClosedFirst;
        EXPECT_EQ(Editing().CurrentDataForm(), nullptr);
      }
  }
  EXPECT_TRUE(Messages.Requests.empty());
}

// ---- putting values back keeps the design's file ----

TEST_F(KeepingWork, CancelUndoAndRedoKeepTheFileOfTheDesign)
{
  const std::string fileName = SaveDesign("kept.mxd");
  ASSERT_TRUE(Caption().contains(QStringLiteral("kept")));

  Edit(ndProject, {[&](TTessanDataForm& form) {
         Set(vnProject, "changed and cancelled");
         form.done(mrCancel);
       }});
  EXPECT_EQ(Form->Filer().CurrentFileName(), fileName);
  EXPECT_TRUE(Caption().contains(QStringLiteral("kept")));
  EXPECT_FALSE(Bend().Modified());

  Edit(ndProject, {[&](TTessanDataForm& form) {
         Set(vnProject, "changed and kept");
         form.done(mrOk);
       }});
  ASSERT_TRUE(Editing().CanUndo());
  Editing().Undo();
  EXPECT_EQ(Form->Filer().CurrentFileName(), fileName);
  EXPECT_NE(Bend().GetText(vnProject, 0), "changed and kept");
  Editing().Redo();
  EXPECT_EQ(Form->Filer().CurrentFileName(), fileName);
  EXPECT_EQ(Bend().GetText(vnProject, 0), "changed and kept");
  EXPECT_TRUE(Caption().contains(QStringLiteral("kept")));

  // Save goes to that file without asking for a name.
  Dialogs.Requests.clear();
  Form->FileCommands().Save();
  EXPECT_TRUE(Dialogs.Requests.empty());
  EXPECT_FALSE(Bend().Modified());

  // A new design, though, has no file.
  Form->FileCommands().New();
  EXPECT_FALSE(Form->Filer().HasFileName());
}

// ---- the results tree after New and Open ----

TEST_F(KeepingWork, AfterNewAndOpenTheTreeHighlightsTheLoadCaseTheViewsShow)
{
  Bend().SetInteger(vnNumberOfLoadCases, 0, 4);
  const std::string fileName = SaveDesign("four cases.mxd");
  SelectLoadCase(2);
  ASSERT_EQ(Bend().SelectedLoadCase(), 2);

  Form->FileCommands().OpenFile(fileName);
  ASSERT_EQ(Form->Filer().CurrentFileName(), fileName);
  EXPECT_EQ(SelectedNode(), rnPerformanceMap + 1 + Bend().SelectedLoadCase());

  SelectLoadCase(3);
  Form->FileCommands().New();
  EXPECT_EQ(SelectedNode(), rnPerformanceMap + 1 + Bend().SelectedLoadCase());
  // Clicking another load case node still changes the load case shown.
  if (Bend().LoadCaseCount() > 1) {
    SelectLoadCase(1);
    EXPECT_EQ(Bend().SelectedLoadCase(), 1);
  }
}

// ---- every change can be undone, and only a change marks the design ----

TEST_F(KeepingWork, ApplyStandardDiametersCanBeUndoneAndRedone)
{
  const std::int64_t points = Bend().GetInteger(vnNumberOfPoints, 0);
  Messages.Answers = {maYes};
  Form->acApplyStandardDiameters->trigger();
  ASSERT_EQ(Bend().StiffenerDefinition(), sdUserDefined);
  const std::int64_t applied = Bend().GetInteger(vnNumberOfPoints, 0);
  EXPECT_NE(applied, points);
  ASSERT_TRUE(Editing().CanUndo());
  EXPECT_EQ(Editing().UndoText(), QStringLiteral("&Undo Apply Standard Diameters"));

  Editing().Undo();
  EXPECT_EQ(Bend().StiffenerDefinition(), sdPowerLaw);
  EXPECT_EQ(Bend().GetInteger(vnNumberOfPoints, 0), points);
  Editing().Redo();
  EXPECT_EQ(Bend().StiffenerDefinition(), sdUserDefined);
  EXPECT_EQ(Bend().GetInteger(vnNumberOfPoints, 0), applied);

  // Declining the question changes nothing and adds no step.
  Editing().Undo();
  Editing().ClearUndo();
  Messages.Answers = {maNo};
  Form->acApplyStandardDiameters->trigger();
  EXPECT_FALSE(Editing().CanUndo());
}

TEST_F(KeepingWork, AFormThatChangedNothingMarksNothing)
{
  SaveDesign("unchanged.mxd");
  ASSERT_FALSE(Bend().Modified());
  // Into the count box of the mould form, then F6 to the next form.
  Edit(ndMould, {[&](TTessanDataForm& form) {
                   form.activateWindow();
                   ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
                   TKitGrid* count = CounterOf(form, vnNumberOfDiameters);
                   ASSERT_NE(count, nullptr);
                   QTest::mouseClick(count->viewport(), Qt::LeftButton, {}, QPoint(4, 4));
                   QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
                 },
                 Close(mrOk)});
  EXPECT_FALSE(Bend().Modified());
  EXPECT_FALSE(Editing().CanUndo());
  EXPECT_FALSE(Caption().contains(QStringLiteral("(modified)")));

  // OK on a form whose change was typed back again marks nothing either.
  Edit(ndStiffener, {[&](TTessanDataForm& form) {
         const std::string length = Bend().GetText(vnActiveLength, 0);
         Set(vnActiveLength, "7.5");
         Set(vnActiveLength, length);
         form.done(mrOk);
       }});
  EXPECT_FALSE(Bend().Modified());
  EXPECT_FALSE(Editing().CanUndo());
}

// ---- the count of materials ----

TEST_F(KeepingWork, TheMaterialCountArrowsAddAndRemoveAMaterialAtEachClick)
{
  const int count = Bend().Materials().Count();
  Edit(ndMaterials, {[&](TTessanDataForm& form) {
         TKitGrid* counter = CounterOf(form, vnNumberOfTypes);
         ASSERT_NE(counter, nullptr);
         const QRect spin = counter->CellRect(1, 0);
         QTest::mouseClick(counter->viewport(), Qt::LeftButton, {}, spin.center() - QPoint(0, spin.height() / 4));
         EXPECT_EQ(Bend().Materials().Count(), count + 1);
         EXPECT_FALSE(TKitHintWindow::Instance().Showing()) << TKitHintWindow::Instance().HintText().toStdString();
         QTest::mouseClick(counter->viewport(), Qt::LeftButton, {}, spin.center() + QPoint(0, spin.height() / 4));
         EXPECT_EQ(Bend().Materials().Count(), count);
         form.done(mrOk);
       }});
  EXPECT_TRUE(Messages.Requests.empty());
}

}  // namespace
}  // namespace umbrinex::testing
