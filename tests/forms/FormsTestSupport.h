#pragma once
// A form with the load case table of a design: the count with its spin
// buttons and the table grid, laid out as the program's load case form,
// shown and active so that keys reach it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "bend/Bend.h"
#include "desktop/forms/FormOutput.h"
#include "desktop/forms/KitControls.h"
#include "kit/KitTestSupport.h"

namespace umbrinex::testing {

inline void SetTitle(TColumn& column, int row, const char* caption, bool horizontalLine = true)
{
  column.Title(row).Caption = caption;
  column.Title(row).HorizontalLine = horizontalLine;
}

// The load case count and table on a form.
class TLoadCaseForm {
 public:
  explicit TLoadCaseForm(TBend& bend) : Form(nullptr)
  {
    Form.setWindowTitle(QStringLiteral("Load Case Data"));
    CountLabel = new TKitLabel(QStringLiteral("Number of &load cases:"), &Form);
    CountLabel->move(16, 64);
    Counter = new TKitGrid(&Form);
    Counter->setGeometry(150, 61, 70, 18);
    TGridCore& counter = Counter->Core();
    counter.SetFixedRows(0);
    counter.SetRowsShown(1);
    counter.ScrollBars = ssNone;
    TColumn& count = counter.Column(0);
    count.VarNum = vnNumberOfLoadCases;
    count.VarType = vtCard;
    count.FieldWidth = 4;
    count.Margin = 2;
    count.LineFormat = lfNone;
    counter.AddColumn(0, vtSpin).Width = 5;
    CountLabel->setBuddy(Counter);

    Grid = new TKitGrid(&Form);
    Grid->setGeometry(16, 85, 420, 171);
    TGridCore& grid = Grid->Core();
    grid.SetFixedRows(2);
    grid.SetRowsShown(10);
    grid.ScrollBars = ssVertical;
    TColumn& index = grid.Column(0);
    index.VarType = vtIndex;
    index.FieldWidth = 4;
    index.Width = 5;
    index.Editable = false;
    index.LineFormat = lfDouble;
    SetTitle(index, 0, "No.", false);
    index.Title(1).Alignment = taLeftJustify;
    AddReal(vnLoadCaseTension, "Tension", "(FF)", 7, 3);
    AddReal(vnLoadCaseAngle, "Angle", "(deg)", 6, 2);
    AddReal(vnLoadCaseABR, "ABR", "(LL)", 6, 3).LineFormat = lfDouble;
    TColumn& state1 = AddState(vnState1Included, "State 1");
    state1.Title(0).HorizontalLine = false;
    state1.Title(0).VerticalLine = false;
    TColumn& state2 = AddState(vnState2Included, "State 2");
    SetTitle(state2, 0, "State Included", false);
    state2.Title(0).SetExtent(2);
    for (TColumn& column : grid.Columns()) column.HelpContext = 580;
    Grid->SetCounter(Counter);
    Form.resize(460, 280);
    BindControls(Form, &bend);
  }

  // Shows the form, active, with the focus in the table.
  void Show()
  {
    Form.show();
    Form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Form));
    Grid->setFocus();
    QApplication::processEvents();
  }

  TKitForm Form;
  TKitLabel* CountLabel = nullptr;
  TKitGrid* Counter = nullptr;
  TKitGrid* Grid = nullptr;

 private:
  TColumn& AddReal(int varNum, const char* title, const char* units, int width, int decimals)
  {
    TColumn& column = Grid->AddColumn(varNum, vtReal);
    column.FieldWidth = width;
    column.FieldWidth2 = decimals;
    column.Margin = 1;
    SetTitle(column, 0, title, false);
    SetTitle(column, 1, units);
    return column;
  }
  TColumn& AddState(int varNum, const char* title)
  {
    TColumn& column = Grid->AddColumn(varNum, vtBool);
    column.Width = 7;
    column.Alignment = taCenter;
    SetTitle(column, 1, title);
    return column;
  }
};

// A form that offers itself to text export and printing with the base
// behaviour of every hook.
class TOutputTestForm : public TKitForm, public TFormOutput {
 public:
  TOutputTestForm()
  {
    setWindowTitle(QStringLiteral("Test Data"));
    resize(600, 400);
    MeasureLineGap();
  }
  QWidget& OutputForm() override { return *this; }
  QString GetOutputCaption() const override { return windowTitle(); }
};

// A fresh design, with messages recorded and the hint closed at the end.
class TFormsTest : public ::testing::Test {
 protected:
  void SetUp() override
  {
    FPrevious = SetMessagePresenter(&Messages);
    Bend = New<TBend>();
  }
  void TearDown() override
  {
    TKitHintWindow::Instance().CloseHint();
    SetMessagePresenter(FPrevious);
  }

  TRecordingPresenter Messages;
  std::unique_ptr<TBend> Bend;

 private:
  IMessagePresenter* FPrevious = nullptr;
};

// Types text where the focus is, one key at a time, as a user does.
inline void TypeText(const QString& text)
{
  for (const QChar c : text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClicks(target, QString(c));
  }
}

inline void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
  QWidget* target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, key, modifiers);
}

// The hint as the user sees it, once the events waiting have run.
inline QString ShownHint()
{
  QApplication::processEvents();
  return HintShowing() ? TKitHintWindow::Instance().HintText() : QString();
}

inline void CloseHint()
{
  TKitHintWindow::Instance().CloseHint();
}

}  // namespace umbrinex::testing
