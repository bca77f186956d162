#include <gtest/gtest.h>

#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>

#include "FormsTestSupport.h"
#include "desktop/forms/KitGridDropDown.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex::testing {
namespace {

// The load case table of a fresh design, on a form the user works in.
class GridOnLoadCases : public TFormsTest {
 protected:
  void SetUp() override
  {
    TFormsTest::SetUp();
    Page = std::make_unique<TLoadCaseForm>(*Bend);
    Page->Show();
  }
  void TearDown() override
  {
    Page.reset();
    TFormsTest::TearDown();
  }
  // Grid row of load case i, and the grid's columns.
  int Row(int loadCase) const { return 2 + loadCase; }
  enum : int { colIndex = 0, colTension = 1, colAngle = 2, colABR = 3, colState1 = 4, colState2 = 5 };
  void Select(int col, int row)
  {
    Page->Grid->Core().MoveTo(col, row);
    Page->Grid->setFocus();
  }
  QLineEdit* Editor() const { return Page->Grid->findChild<QLineEdit*>(); }

  std::unique_ptr<TLoadCaseForm> Page;
};

TEST_F(GridOnLoadCases, TypingATensionStoresItInTheDesign)
{
  Select(colTension, Row(1));
  TypeText(QStringLiteral("12.5"));
  ASSERT_NE(Editor(), nullptr);
  EXPECT_TRUE(Editor()->isVisible());
  EXPECT_EQ(Bend->LoadCaseTension(1), 5.0) << "nothing is stored while typing";
  PressKey(Qt::Key_Return);
  EXPECT_EQ(Bend->LoadCaseTension(1), 12.5);
  EXPECT_FALSE(Editor()->isVisible());
  EXPECT_TRUE(Bend->Modified());
  EXPECT_EQ(Page->Grid->CellText(colTension, Row(1)), QStringLiteral("12.500"));
  EXPECT_EQ(ShownHint(), QString());
}

TEST_F(GridOnLoadCases, ARefusedValueShowsTheHintAndLeavesTheDesign)
{
  Bend->SetModified(false);
  Select(colTension, Row(0));
  TypeText(QStringLiteral("-3"));
  PressKey(Qt::Key_Return);
  EXPECT_EQ(ShownHint(), QStringLiteral("Cannot be negative."));
  EXPECT_EQ(Bend->LoadCaseTension(0), 2.5);
  EXPECT_FALSE(Bend->Modified());
  ASSERT_TRUE(Editor()->isVisible()) << "the editor stays open with the rejected text";
  EXPECT_EQ(Editor()->text(), QStringLiteral("-3"));
  // The hint is below the cell.
  const QRect cell = Page->Grid->CellRect(colTension, Row(0));
  EXPECT_EQ(TKitHintWindow::Instance().pos(), Page->Grid->viewport()->mapToGlobal(cell.bottomLeft() + QPoint(0, 1)));
  // The next key closes it; Escape drops the text.
  PressKey(Qt::Key_Escape);
  EXPECT_FALSE(HintShowing());
  EXPECT_FALSE(Editor()->isVisible());
  EXPECT_EQ(Bend->LoadCaseTension(0), 2.5);
}

TEST_F(GridOnLoadCases, InsertAndDeleteChangeTheNumberOfLoadCases)
{
  Select(colAngle, Row(2));
  PressKey(Qt::Key_Insert);
  EXPECT_EQ(Bend->LoadCaseCount(), 6);
  EXPECT_EQ(Bend->GetInteger(vnNumberOfLoadCases), 6);
  EXPECT_EQ(Bend->LoadCaseTension(3), 11.0) << "the new row went in before the current one";
  EXPECT_EQ(Page->Counter->CellText(0, 0), QStringLiteral("6"));

  Messages.Answers = {maYes};
  Select(colAngle, Row(0));
  PressKey(Qt::Key_Delete);
  EXPECT_EQ(Messages.Texts(), std::vector<std::string>{"Delete this row?"});
  EXPECT_EQ(Bend->LoadCaseCount(), 5);
  EXPECT_EQ(Bend->LoadCaseTension(0), 5.0);
  EXPECT_EQ(Page->Grid->Core().DataRowCount(), 5);
}

TEST_F(GridOnLoadCases, CopyAndPasteBetweenTwoRows)
{
  Select(colTension, Row(3));
  Page->Grid->Core().MoveTo(colState2, Row(3), true);
  Bend->SetStateIncluded(3, 1, false);
  PressKey(Qt::Key_C, Qt::ControlModifier);
  const QMimeData* copied = QApplication::clipboard()->mimeData();
  ASSERT_NE(copied, nullptr);
  EXPECT_TRUE(copied->hasFormat(QString::fromLatin1(EditingTableMimeType)));
  EXPECT_EQ(copied->text(), QStringLiteral("31.000\t29.00\t~\tyes\t no\n"));

  Select(colTension, Row(0));
  PressKey(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Bend->LoadCaseTension(0), 31.0);
  EXPECT_EQ(Bend->LoadCaseAngle(0), 29.0);
  EXPECT_TRUE(IsDefault(Bend->LoadCases().Cell(0, vnLoadCaseABR)));
  EXPECT_TRUE(Bend->StateIncluded(0, 0));
  EXPECT_FALSE(Bend->StateIncluded(0, 1));
  EXPECT_EQ(Bend->LoadCaseCount(), 5);
  EXPECT_EQ(ShownHint(), QString());
}

TEST_F(GridOnLoadCases, SpaceTogglesAStateAndTheCounterSpinsTheCount)
{
  Select(colState1, Row(4));
  PressKey(Qt::Key_Space);
  EXPECT_FALSE(Bend->StateIncluded(4, 0));
  PressKey(Qt::Key_Space);
  EXPECT_TRUE(Bend->StateIncluded(4, 0));

  // A click in the upper half of the spin cell counts up.
  const QRect spin = Page->Counter->CellRect(1, 0);
  QTest::mouseClick(Page->Counter->viewport(), Qt::LeftButton, {}, spin.center() - QPoint(0, spin.height() / 4));
  EXPECT_EQ(Bend->LoadCaseCount(), 6);
  EXPECT_EQ(Page->Grid->Core().DataRowCount(), 6) << "the table follows its counter";
}

TEST_F(GridOnLoadCases, OkStoresTextTypedButNotCommittedAndCancelDropsIt)
{
  Select(colAngle, Row(0));
  TypeText(QStringLiteral("33"));
  Page->Form.done(mrCancel);
  EXPECT_EQ(Bend->LoadCaseAngle(0), 68.0);

  Page->Show();
  Select(colAngle, Row(0));
  TypeText(QStringLiteral("33"));
  Page->Form.done(mrOk);
  EXPECT_EQ(Bend->LoadCaseAngle(0), 33.0);
}

TEST_F(GridOnLoadCases, OkWithARefusedCellKeepsTheFormOpenAndCancelTakesTheHintAway)
{
  for (const QString& refused : {QStringLiteral("abc"), QStringLiteral("-5")}) {
    Select(colTension, Row(0));
    TypeText(refused);
    Page->Form.done(mrOk);
    EXPECT_TRUE(Page->Form.isVisible()) << "the typed text is neither stored nor dropped unseen";
    EXPECT_EQ(Bend->LoadCaseTension(0), 2.5);
    EXPECT_NE(ShownHint(), QString()) << refused.toStdString();
    ASSERT_TRUE(Editor()->isVisible());
    EXPECT_EQ(Editor()->text(), refused);
    EXPECT_EQ(QApplication::focusWidget(), Editor());
    // Cancel drops the text and the hint with the form.
    Page->Form.done(mrCancel);
    EXPECT_FALSE(Page->Form.isVisible());
    EXPECT_EQ(ShownHint(), QString());
    EXPECT_EQ(Bend->LoadCaseTension(0), 2.5);
    Page->Show();
  }
}

TEST_F(GridOnLoadCases, TabMovesFromCellToCellAndCtrlTabLeavesTheGrid)
{
  // "60 Tab 15 Enter" in a load case stores both values and keeps the form.
  Select(colTension, Row(4));
  TypeText(QStringLiteral("60"));
  PressKey(Qt::Key_Tab);
  TypeText(QStringLiteral("15"));
  PressKey(Qt::Key_Return);
  EXPECT_EQ(Bend->LoadCaseTension(4), 60.0);
  EXPECT_EQ(Bend->LoadCaseAngle(4), 15.0);
  EXPECT_TRUE(Page->Form.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), Page->Grid);

  // Without an editor open too; Shift+Tab goes back, past the row number
  // column to the end of the row before.
  PressKey(Qt::Key_Tab);
  EXPECT_EQ(Page->Grid->Core().Current(), (TGridCoord{colABR, Row(4)}));
  Select(colTension, Row(4));
  PressKey(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Page->Grid->Core().Current(), (TGridCoord{colState2, Row(3)}));
  EXPECT_EQ(QApplication::focusWidget(), Page->Grid);

  // Ctrl+Tab leaves the grid, committing what was typed.
  Select(colAngle, Row(1));
  TypeText(QStringLiteral("12"));
  PressKey(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(Bend->LoadCaseAngle(1), 12.0);
  QWidget* focus = QApplication::focusWidget();
  EXPECT_NE(focus, Page->Grid);
  EXPECT_NE(focus, Editor());

  // A refused value holds the cell: Tab goes nowhere.
  Select(colTension, Row(2));
  TypeText(QStringLiteral("-1"));
  PressKey(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Editor());
  EXPECT_EQ(Page->Grid->Core().Current(), (TGridCoord{colTension, Row(2)}));
}

TEST_F(GridOnLoadCases, TitlesShowTheDesignsUnits)
{
  EXPECT_EQ(Page->Grid->Core().TitleText(colTension, 1), "(kN)");
  EXPECT_EQ(Page->Grid->Core().TitleText(colABR, 1), "(m)");
  TDataTextPort port;
  Page->Grid->Core().RenderAsText(port, 1, 1, Page->Grid->Layout().ColumnWidths, 8.0);
  ASSERT_EQ(port.LineCount(), 7);
  EXPECT_NE(port.Line(0).find("State Included"), std::string::npos);
  EXPECT_NE(port.Line(1).find("(kN)"), std::string::npos);
  EXPECT_NE(port.Line(2).find("2.500"), std::string::npos);
}

TEST_F(GridOnLoadCases, F1AsksForTheColumnsItemsHelpTopicBeforeTheColumnsOwn)
{
  int asked = -1;
  TKitForm::SetHelpHandler([&](int topic, int) { asked = topic; });
  Select(colTension, Row(0));
  PressKey(Qt::Key_F1);
  // The item's descriptor names its topic (its VarNum); the column's 580 is
  // for items without one.
  EXPECT_EQ(asked, vnLoadCaseTension);
  TKitForm::SetHelpHandler(nullptr);
}

}  // namespace
}  // namespace umbrinex::testing

namespace umbrinex::testing {
namespace {

TEST(GridDropDown, ListsTheChoicesOverTheCellAndStoresTheOneTaken)
{
  auto bend = New<TBend>();
  TAccessStatus status;
  bend->SetValue(vnNumberOfTypes, 0, status, TVariant(2), vtInt);
  ASSERT_EQ(status.Code, acOk);
  TKitForm form;
  auto* grid = new TKitGrid(&form);
  grid->setGeometry(10, 10, 200, 40);
  grid->Core().SetFixedRows(0);
  grid->Core().SetRowsShown(1);
  grid->Core().Column(0).VarNum = vnMaterial;
  grid->Core().Column(0).VarType = vtList;
  BindControls(form, bend.get());
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  grid->setFocus();
  EXPECT_EQ(grid->CellText(0, 0), QStringLiteral("Material 1"));
  QTest::keyClick(grid, Qt::Key_F4);
  auto* list = grid->findChild<TKitGridDropDownList*>();
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(list->isVisible());
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->currentRow(), 0);
  const QRect cell = grid->CellRect(0, 0);
  EXPECT_EQ(list->pos(), grid->viewport()->mapToGlobal(cell.topLeft() + QPoint(-1, -2)));
  EXPECT_EQ(list->width(), cell.width() + 2);
  list->setCurrentRow(1);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(bend->Material(), bend->Materials().Item(1));
  EXPECT_EQ(grid->CellText(0, 0), QString::fromStdString(bend->Materials().Item(1)->Name()));

  QTest::keyClick(grid, Qt::Key_F4);
  list->setCurrentRow(0);
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_EQ(bend->Material(), bend->Materials().Item(1)) << "Escape keeps the stored choice";
}

}  // namespace
}  // namespace umbrinex::testing

namespace umbrinex::testing {
namespace {

class TPenSample : public TDataObject {
 public:
  TPenSample() : TDataObject(nullptr) {}
  std::int32_t Colour = 0x000000FF;

 protected:
  void RegisterDataItems(TDataItemRegister& reg) override { reg.RegisterInteger(Colour, 1); }
};

std::optional<TGridColour> ChooseGreen(TGridColour, QWidget*)
{
  return TGridColour{0x0000FF00};
}

TEST(GridColourCell, StoresTheColourChosen)
{
  TPenSample sample;
  sample.AfterConstruction();
  TKitForm form;
  auto* grid = new TKitGrid(&form);
  grid->Core().SetFixedRows(0);
  grid->Core().SetRowsShown(1);
  grid->Core().Column(0).VarNum = 1;
  grid->Core().Column(0).VarType = vtColour;
  grid->SetDataObject(&sample);
  EXPECT_EQ(grid->CellText(0, 0), QStringLiteral("000000FF"));
  TKitGrid::SetColourChooser(&ChooseGreen);
  QTest::keyClick(grid, Qt::Key_Return);
  TKitGrid::SetColourChooser(nullptr);
  EXPECT_EQ(sample.Colour, 0x0000FF00);
}

}  // namespace
}  // namespace umbrinex::testing
