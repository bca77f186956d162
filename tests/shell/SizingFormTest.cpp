// Tools > Size Stiffener as the engineer uses it: the dialog opened from the
// menu with the variables and bounds of the design's definition, a run that
// leaves the open design alone, Apply as one step that Undo takes back to
// exactly the design there was, what the dialog says when nothing fits or
// the bounds are refused, and a run cancelled half way.

#include <functional>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocumentFragment>
#include <QTimer>

#include "ShellTestSupport.h"
#include "bend/Bend.h"
#include "bend/DesignCheck.h"
#include "desktop/forms/Accelerators.h"
#include "desktop/kit/ProgressForm.h"
#include "framework/data/Progress.h"
#include "persistence/BendFile.h"
#include "shell/CheckViews.h"
#include "shell/MainEditing.h"
#include "shell/SizingForm.h"

namespace umbrinex::testing {
namespace {

using TBytes = std::vector<std::uint8_t>;

QString Plain(const QLabel* label)
{
  return QTextDocumentFragment::fromHtml(label->text()).toPlainText();
}

class SizingDialog : public TMainWindowTest {
 protected:
  TMainEditing& Editing() { return Form->Editing(); }
  TDesignCheckLine& Line() { return Form->CheckLine(); }

  // Opens the dialog from the Tools menu and runs the script on it; the
  // dialog is closed afterwards whatever the script did.
  void OnDialog(const std::function<void(TSizingForm&)>& script)
  {
    ASSERT_TRUE(Form->acToolsSizeStiffener->isEnabled());
    OnModalDialog(*Form->acToolsSizeStiffener, "Tools > Size Stiffener", &TSizingForm::btClose, script);
  }
  static void SetBounds(TSizingForm& dialog, TSizingVariable variable, const QString& lower, const QString& upper)
  {
    const TSizingForm::TVariableRow* row = dialog.Row(variable);
    ASSERT_NE(row, nullptr);
    row->Sized->setChecked(true);
    row->Lower->setText(lower);
    row->Upper->setText(upper);
  }
  // Asserts that the design is byte for byte the one saved before.
  void ExpectDesign(const TBytes& saved, const char* when) { EXPECT_TRUE(SaveToMemory(Bend()) == saved) << when; }
};

TEST_F(SizingDialog, ToolsOpensItWithThePowerLawVariablesAndTheDefaultBounds)
{
  ASSERT_TRUE(Form->ToolsMenu->actions().contains(Form->acToolsSizeStiffener));
  EXPECT_EQ(Form->acToolsSizeStiffener->text(), QStringLiteral("Si&ze Stiffener..."));
  OnDialog([&](TSizingForm& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Size Stiffener"));
    // Length and root diameter are sized by default; the bounds are the
    // sizing's own: half to three times the value, no diameter below the
    // stiffener ID (0.15 m).
    struct TExpected {
      TSizingVariable Variable;
      const char* Caption;
      bool Checked;
      const char *Current, *Lower, *Upper;
    };
    const TExpected expected[] = {{TSizingVariable::Length, "Active &length (m)", true, "2", "1", "6"},
                                  {TSizingVariable::RootDiameter, "&Root diameter (m)", true, "0.25", "0.15", "0.75"},
                                  {TSizingVariable::TipDiameter, "&Tip diameter (m)", false, "0.16", "0.15", "0.48"},
                                  {TSizingVariable::ShapePower, "Shape po&wer", false, "2", "1", "6"}};
    ASSERT_EQ(dialog.Variables().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
      const TSizingForm::TVariableRow& row = dialog.Variables()[i];
      EXPECT_EQ(row.Variable, expected[i].Variable);
      EXPECT_EQ(row.Sized->text(), QString::fromLatin1(expected[i].Caption));
      EXPECT_EQ(row.Sized->isChecked(), expected[i].Checked) << expected[i].Caption;
      EXPECT_EQ(row.Current->text(), QString::fromLatin1(expected[i].Current));
      EXPECT_EQ(row.Lower->text(), QString::fromLatin1(expected[i].Lower));
      EXPECT_EQ(row.Upper->text(), QString::fromLatin1(expected[i].Upper));
      // The bounds of a variable that is not sized wait for its check box.
      EXPECT_EQ(row.Lower->isEnabled(), expected[i].Checked);
      EXPECT_EQ(row.Upper->isEnabled(), expected[i].Checked);
    }
    EXPECT_EQ(dialog.Row(TSizingVariable::LengthScale), nullptr);
    EXPECT_EQ(dialog.Target->text(), QStringLiteral("1.0"));
    EXPECT_FALSE(dialog.LimitStrain->isChecked());
    EXPECT_FALSE(dialog.MaxStrain->isEnabled());
    EXPECT_TRUE(dialog.LeastVolume->isChecked());
    EXPECT_TRUE(dialog.Moulds->isEnabled());
    EXPECT_FALSE(dialog.Moulds->isChecked());
    EXPECT_FALSE(dialog.btApply->isEnabled()) << "nothing to apply before a run";
    EXPECT_TRUE(dialog.btSize->isDefault());
    dialog.LimitStrain->click();
    EXPECT_TRUE(dialog.MaxStrain->isEnabled());
    EXPECT_EQ(dialog.focusWidget(), dialog.MaxStrain);
  });
}

TEST_F(SizingDialog, AProfileIsSizedByItsTwoScalesWithoutMoulds)
{
  TAccessStatus status;
  Bend().SetValue(vnStiffenerDefinition, 0, status, TVariant("User Defined"), vtText);
  ASSERT_EQ(status.Code, acOk);
  OnDialog([&](TSizingForm& dialog) {
    ASSERT_EQ(dialog.Variables().size(), 2u);
    EXPECT_EQ(dialog.Variables()[0].Sized->text(), QStringLiteral("&Length scale"));
    EXPECT_EQ(dialog.Variables()[1].Sized->text(), QStringLiteral("&Diameter scale"));
    for (const TSizingForm::TVariableRow& row : dialog.Variables()) {
      EXPECT_TRUE(row.Sized->isChecked());
      EXPECT_EQ(row.Current->text(), QStringLiteral("1"));
      EXPECT_EQ(row.Lower->text(), QStringLiteral("0.5"));
      EXPECT_EQ(row.Upper->text(), QStringLiteral("3"));
    }
    EXPECT_EQ(dialog.Row(TSizingVariable::Length), nullptr);
    EXPECT_FALSE(dialog.Moulds->isEnabled()) << "a profile has no diameters to round";
  });
}

TEST_F(SizingDialog, KeysGoThroughTheFieldsInOrderAndEachAcceleratorLeadsToOneControl)
{
  OnDialog([&](TSizingForm& dialog) {
    EXPECT_EQ(dialog.focusWidget(), dialog.Variables().front().Sized) << "the dialog opens on its first field";
    std::vector<QWidget*> expected;
    for (const TSizingForm::TVariableRow& row : dialog.Variables()) {
      row.Sized->setChecked(true);
      expected.insert(expected.end(), {row.Sized, row.Lower, row.Upper});
    }
    dialog.LimitStrain->setChecked(true);
    expected.insert(expected.end(), {dialog.Target, dialog.LimitStrain, dialog.MaxStrain, dialog.LeastVolume,
                                     dialog.LeastLength, dialog.Moulds, dialog.btSize, dialog.btApply, dialog.btClose});
    std::vector<QWidget*> chain;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain())
      if (std::find(expected.begin(), expected.end(), w) != expected.end()) chain.push_back(w);
    EXPECT_EQ(chain, expected);

    std::map<QChar, QString> taken;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
      QString caption;
      if (auto* button = qobject_cast<QAbstractButton*>(w)) caption = button->text();
      if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy()) caption = label->text();
      const QChar letter = AcceleratorOf(caption);
      if (letter.isNull()) continue;
      const auto [at, fresh] = taken.emplace(letter, caption);
      EXPECT_TRUE(fresh) << caption.toStdString() << " and " << at->second.toStdString() << " share a letter";
    }
    EXPECT_GE(taken.size(), 11u);
  });
}

TEST_F(SizingDialog, SizesTheDefaultDesignAndApplyIsOneStepThatUndoTakesBackExactly)
{
  Line().Update(Bend());
  const TBytes original = SaveToMemory(Bend());
  TSizingPoint sized;
  OnDialog([&](TSizingForm& dialog) {
    dialog.btSize->click();
    ASSERT_TRUE(dialog.Result().has_value());
    const TSizingResult& result = *dialog.Result();
    ASSERT_TRUE(result.Sized) << result.Message;
    EXPECT_NEAR(result.Before.Ratio, 0.7366, 5e-5);
    EXPECT_GE(result.After.Ratio, 1.0);
    EXPECT_LE(result.After.Ratio, 1.005);
    sized = result.After;
    // The run worked on a copy: the open design, its views and its Undo
    // never heard of it.
    ExpectDesign(original, "after the run");
    EXPECT_FALSE(Bend().Modified());
    EXPECT_TRUE(Line().Valid());
    EXPECT_FALSE(Editing().CanUndo());
    EXPECT_FALSE(Progress().Active());

    const QString shown = Plain(dialog.Headline) + QLatin1Char('\n') + Plain(dialog.Table);
    for (const char* text : {"Sized for the least volume: every load case and state reaches MBR/ABR 1.",
                             "Governing MBR/ABR before: 0.7366 (Load Case 4, State 1)", "Governing MBR/ABR after: 1.00",
                             "Active length (m)", "Root diameter (m)", "Volume (m^3)", "shapes solved in"})
      EXPECT_TRUE(shown.contains(QString::fromLatin1(text))) << text << " not in\n" << shown.toStdString();
    EXPECT_TRUE(shown.contains(QString::number(result.Evaluations))) << shown.toStdString();
    // Nothing the dialog shows is cut off.
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
      if (!label->isVisible() || label->wordWrap()) continue;
      EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }

    ASSERT_TRUE(dialog.btApply->isEnabled());
    dialog.btApply->click();
    EXPECT_FALSE(dialog.btApply->isEnabled()) << "applied once";
    EXPECT_TRUE(Plain(dialog.Headline).contains(QStringLiteral("Applied:")));
  });
  EXPECT_EQ(Bend().ActiveLength(), sized.Values[0]);
  EXPECT_EQ(Bend().RootDiameter(), sized.Values[1]);
  EXPECT_TRUE(Bend().Modified());
  EXPECT_EQ(CheckDesign(Bend()).Verdict, TCheckResult::Pass);
  EXPECT_FALSE(Line().Valid()) << "the main window heard of the change";
  ASSERT_TRUE(Editing().CanUndo());
  EXPECT_EQ(Editing().UndoText(), QStringLiteral("&Undo Size Stiffener"));
  const TBytes applied = SaveToMemory(Bend());

  Editing().Undo();
  ExpectDesign(original, "after Undo");
  EXPECT_FALSE(Editing().CanUndo());
  Line().Update(Bend());
  EXPECT_TRUE(Line().text().startsWith(QStringLiteral("Design check: FAIL."))) << Line().text().toStdString();
  Editing().Redo();
  ExpectDesign(applied, "after Redo");
  EXPECT_EQ(Bend().ActiveLength(), sized.Values[0]);
  Line().Update(Bend());
  EXPECT_TRUE(Line().text().startsWith(QStringLiteral("Design check: PASS."))) << Line().text().toStdString();
}

TEST_F(SizingDialog, DiametersRoundedUpThatFallShortAreShownAndTheSizedValuesApplied)
{
  TSizingPoint sized;
  OnDialog([&](TSizingForm& dialog) {
    dialog.Moulds->setChecked(true);
    dialog.btSize->click();
    ASSERT_TRUE(dialog.Result() && dialog.Result()->Sized && dialog.Result()->Rounded);
    const TSizingPoint& rounded = *dialog.Result()->Rounded;
    // The root rounded up to the next mould makes the cone stiffer at the
    // root and the cable bends harder beyond it.
    EXPECT_GT(rounded.Values[1], dialog.Result()->After.Values[1]);
    EXPECT_LT(rounded.Ratio, 1.0);
    sized = dialog.Result()->After;
    EXPECT_EQ(&dialog.AppliedPoint(), &dialog.Result()->After);
    const QString table = Plain(dialog.Table);
    EXPECT_TRUE(table.contains(QStringLiteral("Rounded"))) << table.toStdString();
    EXPECT_TRUE(table.contains(QStringLiteral("Governing MBR/ABR rounded: ")));
    EXPECT_TRUE(table.contains(QStringLiteral("falls short; Apply puts the sized values in.")));
    dialog.btApply->click();
  });
  EXPECT_EQ(Bend().RootDiameter(), sized.Values[1]);
}

TEST_F(SizingDialog, WhenNothingFitsTheDialogSaysWhyAndOffersNothingToApply)
{
  const TBytes original = SaveToMemory(Bend());
  OnDialog([&](TSizingForm& dialog) {
    SetBounds(dialog, TSizingVariable::Length, QStringLiteral("1"), QStringLiteral("1.5"));
    SetBounds(dialog, TSizingVariable::RootDiameter, QStringLiteral("0.2"), QStringLiteral("0.25"));
    dialog.btSize->click();
    ASSERT_TRUE(dialog.Result().has_value());
    EXPECT_FALSE(dialog.Result()->Sized);
    ASSERT_FALSE(dialog.Result()->Message.empty());
    const QString headline = Plain(dialog.Headline);
    EXPECT_TRUE(headline.startsWith(QStringLiteral("Nothing fits. No stiffener within the bounds")))
        << headline.toStdString();
    EXPECT_TRUE(headline.contains(QString::fromStdString(dialog.Result()->Message))) << headline.toStdString();
    EXPECT_TRUE(Plain(dialog.Table).contains(QStringLiteral("Best reached")));
    EXPECT_TRUE(Plain(dialog.Table).contains(QStringLiteral("Governing MBR/ABR at best: ")));
    EXPECT_FALSE(dialog.btApply->isEnabled());
    dialog.Apply();
  });
  ExpectDesign(original, "after an infeasible run");
  EXPECT_FALSE(Editing().CanUndo());
}

TEST_F(SizingDialog, RefusedEntriesAreNamedAndNothingRuns)
{
  const TBytes original = SaveToMemory(Bend());
  OnDialog([&](TSizingForm& dialog) {
    bool progressShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      progressShown = progressShown || qobject_cast<TProgressForm*>(QApplication::activeModalWidget());
    });
    watch.start(0);
    const auto refused = [&](const char* expected) {
      dialog.btSize->click();
      EXPECT_FALSE(dialog.Result().has_value());
      EXPECT_FALSE(dialog.btApply->isEnabled());
      EXPECT_EQ(Plain(dialog.Headline), QStringLiteral("Not sized. ") + QString::fromUtf8(expected));
    };
    // The sizing refuses bounds the wrong way round, and a diameter below
    // the stiffener ID.
    SetBounds(dialog, TSizingVariable::Length, QStringLiteral("3"), QStringLiteral("2"));
    refused("The bounds of 'length' are the wrong way round: the lower, 3, is above the upper, 2.");
    SetBounds(dialog, TSizingVariable::Length, QStringLiteral("1"), QStringLiteral("6"));
    SetBounds(dialog, TSizingVariable::RootDiameter, QStringLiteral("0.1"), QStringLiteral("0.5"));
    refused("The lower bound of 'root-diameter', 0.1, is below the stiffener ID (item 21013), 0.15.");
    SetBounds(dialog, TSizingVariable::RootDiameter, QStringLiteral("0.2"), QStringLiteral("0.5"));
    dialog.Target->setText(QStringLiteral("0"));
    refused("The target MBR/ABR must be a number above 0.");
    // The dialog refuses what is not a number, with the focus on it.
    dialog.Target->setText(QStringLiteral("1"));
    dialog.Row(TSizingVariable::RootDiameter)->Upper->setText(QStringLiteral("big"));
    refused("The upper bound of the root diameter (m), 'big', is not a number.");
    EXPECT_EQ(dialog.focusWidget(), dialog.Row(TSizingVariable::RootDiameter)->Upper);
    dialog.Row(TSizingVariable::RootDiameter)->Upper->setText(QStringLiteral("?"));
    refused("The upper bound of the root diameter (m), '?', is not a number.");
    dialog.Row(TSizingVariable::RootDiameter)->Upper->setText(QStringLiteral("0.5"));
    dialog.LimitStrain->setChecked(true);
    refused("Enter the strain limit.");
    dialog.LimitStrain->setChecked(false);
    for (const TSizingForm::TVariableRow& row : dialog.Variables()) row.Sized->setChecked(false);
    refused("Check at least one variable to size.");
    EXPECT_FALSE(progressShown) << "a refused request runs nothing";
  });
  ExpectDesign(original, "after the refusals");
  EXPECT_TRUE(Messages.Requests.empty()) << "the dialog says it, no message box";
}

TEST_F(SizingDialog, CancelAndEscapeDuringARunLeaveTheOpenDesignAsItWas)
{
  Line().Update(Bend());
  const TBytes original = SaveToMemory(Bend());
  for (const bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Escape" : "Cancel");
    std::string seen;
    OnDialog([&](TSizingForm& dialog) {
      // The search reports at its first shape, and finds the request as it
      // looks at the events.
      QTimer cancel;
      QObject::connect(&cancel, &QTimer::timeout, [&] {
        auto* progress = qobject_cast<TProgressForm*>(QApplication::activeModalWidget());
        if (!progress || !Progress().Active() || Progress().StageText().find(" solved") == std::string::npos) return;
        seen = Progress().StageText();
        cancel.stop();
        if (escape) {
          QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
          QCoreApplication::sendEvent(progress, &key);
        } else {
          progress->CancelButton()->click();
        }
      });
      cancel.start(0);
      dialog.btSize->click();
      EXPECT_FALSE(dialog.Result().has_value());
      EXPECT_FALSE(dialog.btApply->isEnabled());
      EXPECT_EQ(Plain(dialog.Headline),
                QStringLiteral("Not sized. The sizing was stopped before it finished; the design is as it was."));
      EXPECT_TRUE(dialog.isVisible()) << "the cancel ends the run, not the dialog";
    });
    EXPECT_EQ(seen, "Sizing the stiffener: 1 shape solved") << "the poll saw the cancel";
    EXPECT_FALSE(Progress().Active());
    ExpectDesign(original, "after the cancelled run");
    EXPECT_FALSE(Bend().Modified());
    EXPECT_TRUE(Line().Valid());
    EXPECT_FALSE(Editing().CanUndo());
    EXPECT_TRUE(Messages.Requests.empty());
  }
}

}  // namespace
}  // namespace umbrinex::testing
