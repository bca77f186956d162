#include <algorithm>
#include <climits>

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTabWidget>

#include "FormsTestSupport.h"
#include "desktop/forms/FormLayout.h"
#include "desktop/forms/FormOutput.h"

namespace umbrinex::testing {
namespace {

class FormLayout : public TFormsTest {
 protected:
  TOutputTestForm Form;

  // The controls of the printed layout with their places.
  std::vector<TFormLayoutItem> Items()
  {
    TFormLayout layout(Form, 1.0);
    return layout.Items();
  }
  static int YOf(const std::vector<TFormLayoutItem>& items, const QWidget* control)
  {
    for (const TFormLayoutItem& item : items)
      if (item.Control == control) return item.Y;
    ADD_FAILURE() << "the control is not laid out";
    return -1;
  }
  QLineEdit* Edit(const QString& text, int x, int y, QWidget* parent = nullptr)
  {
    auto* edit = new QLineEdit(text, parent ? parent : &Form);
    edit->setGeometry(x, y, 100, 21);
    return edit;
  }
  QLabel* Label(const QString& text, int x, int y, QWidget* buddy, QWidget* parent = nullptr)
  {
    auto* label = new QLabel(text, parent ? parent : &Form);
    label->move(x, y);
    label->adjustSize();
    label->setBuddy(buddy);
    return label;
  }
  // A load case table of n rows under its counter (or the drawing's table
  // of circles, which may be empty).
  TKitGrid* LoadCaseTable(int rows, int top, int countItem = vnNumberOfLoadCases)
  {
    Bend->SetInteger(countItem, 0, rows);
    auto* counter = new TKitGrid(&Form);
    counter->Core().SetFixedRows(0);
    counter->Core().Column(0).VarNum = countItem;
    counter->Core().Column(0).VarType = vtCard;
    counter->setGeometry(10, top, 60, 20);
    counter->hide();
    auto* grid = new TKitGrid(&Form);
    TGridCore& core = grid->Core();
    core.SetFixedRows(2);
    core.SetRowsShown(10);
    core.Column(0).VarType = vtIndex;
    TColumn& tension = core.AddColumn(vnLoadCaseTension, vtReal);
    tension.Title(0).Caption = "Tension";
    tension.Title(1).Caption = "(FF)";
    grid->SetCounter(counter);
    grid->setGeometry(10, top, 300, 150);
    BindControls(Form, Bend.get());
    return grid;
  }
};

TEST_F(FormLayout, AFormOfHiddenPanelsPrintsNothing)
{
  auto* panel = new TKitPanel(&Form);
  Edit(QStringLiteral("inside"), 0, 0, panel);
  panel->hide();
  EXPECT_TRUE(Items().empty());
  TFormLayout layout(Form, 1.0);
  QImage page(400, 400, QImage::Format_RGB32);
  QPainter canvas(&page);
  EXPECT_TRUE(layout.PrintPage(canvas, 0, 0, 400).Done);
}

TEST_F(FormLayout, ALabelAndItsFieldOnOneTopEdgeStayOnOneLine)
{
  QLineEdit* name = Edit(QStringLiteral("Umbrinex Design Example"), 80, 10);
  QLabel* project = Label(QStringLiteral("&Project:"), 10, 10, name);
  QLineEdit* client = Edit(QStringLiteral("Tessan Ltd"), 80, 160);
  QLabel* clientLabel = Label(QStringLiteral("C&lient:"), 10, 160, client);
  const std::vector<TFormLayoutItem> items = Items();
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].Control, project);
  EXPECT_EQ(items[1].Control, name);
  EXPECT_EQ(YOf(items, project), YOf(items, name));
  EXPECT_EQ(YOf(items, clientLabel), YOf(items, client));
  // The rows close up to a line gap, however far apart they stood.
  EXPECT_EQ(YOf(items, client), YOf(items, name) + name->height() + Form.LineGap);
}

TEST_F(FormLayout, EmptyTablesAndListsWithoutSelectionAreLeftOut)
{
  TKitGrid* table = LoadCaseTable(0, 40, vnNumberOfCircles);
  auto* list = new TKitDropDownList(&Form);
  list->setGeometry(10, 10, 100, 21);
  Edit(QStringLiteral("kept"), 10, 250);
  TFormLayout layout(Form, 1.0);
  ASSERT_EQ(layout.Items().size(), 1u);
  EXPECT_NE(layout.Items()[0].Control, table);
  EXPECT_NE(layout.Items()[0].Control, list);
}

TEST_F(FormLayout, TabSheetsAreStackedWithTheirCaptionsAsHeadings)
{
  auto* pages = new QTabWidget(&Form);
  pages->setGeometry(10, 10, 300, 120);
  std::vector<QWidget*> sheets, edits;
  for (const QString& name : {QStringLiteral("State &1"), QStringLiteral("State &2")}) {
    auto* sheet = new QWidget;
    QLineEdit* edit = Edit(name, 60, 8, sheet);
    Label(QStringLiteral("E:"), 8, 8, edit, sheet);
    pages->addTab(sheet, name);
    sheets.push_back(sheet);
    edits.push_back(edit);
  }
  const std::vector<TFormLayoutItem> items = Items();
  ASSERT_EQ(items.size(), 6u);
  // Each sheet's heading, then its contents, before the next sheet.
  EXPECT_EQ(items[0].Control, sheets[0]);
  EXPECT_EQ(items[3].Control, sheets[1]);
  EXPECT_EQ(TFormOutput::ControlText(*items[3].Control), QStringLiteral("State 2"));
  EXPECT_LT(YOf(items, sheets[0]), YOf(items, edits[0]));
  EXPECT_LT(YOf(items, edits[0]), YOf(items, sheets[1]));
  EXPECT_LT(YOf(items, sheets[1]), YOf(items, edits[1]));
  EXPECT_EQ(pages->currentIndex(), 0);
}

TEST_F(FormLayout, ATableThatDoesNotFitMovesWholeOrIsSplitWithItsTitlesRepeated)
{
  auto printFirstPage = [&](int rows) {
    TKitGrid* grid = LoadCaseTable(rows, 10);
    TFormLayout layout(Form, 1.0);
    const int rowHeight = grid->Layout().RowHeight(2) + grid->Layout().GridLineWidth();
    QImage image(600, 2000, QImage::Format_RGB32);
    QPainter canvas(&image);
    Form.HeadingPrinted = true;  // no heading: the page height is all table
    // Room for the titles and five data rows.
    const int room = 2 * 4 + 7 * rowHeight + rowHeight / 2;
    const TFormLayout::TPageResult first = layout.PrintPage(canvas, 0, 0, room);
    const int shown = grid->Core().RowsShown();
    const int top = grid->TopRow();
    const TFormLayout::TPageResult second = layout.PrintPage(canvas, 0, 0, 2000);
    delete grid->Counter();
    delete grid;
    return std::tuple{first, shown, top, second};
  };
  const auto [seven, sevenShown, sevenTop, sevenNext] = printFirstPage(7);
  EXPECT_FALSE(seven.Done);
  EXPECT_EQ(seven.Bottom, INT_MIN);  // nothing printed: the table waits
  EXPECT_TRUE(sevenNext.Done);

  const auto [twenty, twentyShown, twentyTop, twentyNext] = printFirstPage(20);
  EXPECT_FALSE(twenty.Done);
  EXPECT_NE(twenty.Bottom, INT_MIN);
  // Five data rows went on the first page; the rest follows below its titles.
  EXPECT_EQ(twentyShown, 2 + 15);
  EXPECT_EQ(twentyTop, 2 + 5);
  EXPECT_TRUE(twentyNext.Done);
}

}  // namespace
}  // namespace umbrinex::testing
