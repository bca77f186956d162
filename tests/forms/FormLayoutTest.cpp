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

  std::vector<std::string> Text()
  {
    TFormLayout layout(Form, 1.0, TLayoutMode::Text);
    TDataTextPort port;
    layout.RenderAsText(port);
    return port.Lines();
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

TEST_F(FormLayout, AFormOfHiddenPanelsGivesOnlyTheFinalEmptyLine)
{
  auto* panel = new TKitPanel(&Form);
  Edit(QStringLiteral("inside"), 0, 0, panel);
  panel->hide();
  EXPECT_EQ(Text(), std::vector<std::string>{""});
  TFormLayout layout(Form, 1.0, TLayoutMode::Printing);
  QImage page(400, 400, QImage::Format_RGB32);
  QPainter canvas(&page);
  EXPECT_TRUE(layout.PrintPage(canvas, 0, 0, 400).Done);
}

TEST_F(FormLayout, ALabelAndItsFieldOnOneTopEdgeStayOnOneLine)
{
  QLineEdit* name = Edit(QStringLiteral("Umbrinex Design Example"), 80, 10);
  Label(QStringLiteral("&Project:"), 10, 10, name);
  QLineEdit* client = Edit(QStringLiteral("Tessan Ltd"), 80, 60);
  Label(QStringLiteral("C&lient:"), 10, 60, client);
  const std::vector<std::string> lines = Text();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0].rfind("Project:", 0), 0u);
  EXPECT_NE(lines[0].find("Umbrinex Design Example"), std::string::npos);
  EXPECT_EQ(lines[1], "");
  // The rows close up to a line gap, however far apart they stood.
  EXPECT_LE(lines.size(), 5u);
  EXPECT_EQ(lines[lines.size() - 2].rfind("Client:", 0), 0u);
  EXPECT_NE(lines[lines.size() - 2].find("Tessan Ltd"), std::string::npos);
}

TEST_F(FormLayout, EmptyTablesAndListsWithoutSelectionAreLeftOut)
{
  TKitGrid* table = LoadCaseTable(0, 40, vnNumberOfCircles);
  auto* list = new TKitDropDownList(&Form);
  list->setGeometry(10, 10, 100, 21);
  Edit(QStringLiteral("kept"), 10, 250);
  TFormLayout layout(Form, 1.0, TLayoutMode::Text);
  ASSERT_EQ(layout.Items().size(), 1u);
  EXPECT_NE(layout.Items()[0].Control, table);
  EXPECT_NE(layout.Items()[0].Control, list);
}

TEST_F(FormLayout, TabSheetsAreStackedWithTheirCaptionsAsHeadings)
{
  auto* pages = new QTabWidget(&Form);
  pages->setGeometry(10, 10, 300, 120);
  for (const QString& name : {QStringLiteral("State &1"), QStringLiteral("State &2")}) {
    auto* sheet = new QWidget;
    Label(QStringLiteral("E:"), 8, 8, Edit(name, 60, 8, sheet), sheet);
    pages->addTab(sheet, name);
  }
  const std::vector<std::string> lines = Text();
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == "State 1" || lines[i] == "State 2") at.push_back(i);
  ASSERT_EQ(at.size(), 2u);
  EXPECT_EQ(lines[at[0]], "State 1");
  EXPECT_EQ(lines[at[1]], "State 2");
  // Each sheet's contents (the edit shows its text without the accelerator
  // mark) follow its heading, before the next sheet.
  auto lineOf = [&](const std::string& text) {
    return std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
             return l.find("E:") != std::string::npos && l.find(text) != std::string::npos;
           }) - lines.begin();
  };
  EXPECT_GT(lineOf("State 1"), static_cast<std::ptrdiff_t>(at[0]));
  EXPECT_LT(lineOf("State 1"), static_cast<std::ptrdiff_t>(at[1]));
  EXPECT_GT(lineOf("State 2"), static_cast<std::ptrdiff_t>(at[1]));
  EXPECT_EQ(pages->currentIndex(), 0);
}

TEST_F(FormLayout, ATableThatDoesNotFitMovesWholeOrIsSplitWithItsTitlesRepeated)
{
  auto printFirstPage = [&](int rows) {
    TKitGrid* grid = LoadCaseTable(rows, 10);
    TFormLayout layout(Form, 1.0, TLayoutMode::Printing);
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
