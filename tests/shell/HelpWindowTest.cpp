// The help window: F1 on a form's fields and columns opens it at their
// entries, a topic without one at the form's section; contents, search,
// Back and Forward; one window for the whole program.

#include <memory>

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include "ShellTestSupport.h"
#include "bend/Bend.h"
#include "desktop/forms/KitGrid.h"
#include "desktop/kit/HelpWindow.h"
#include "presentation/DataForms.h"
#include "presentation/HelpContexts.h"
#include "shell/forms/DataForms.h"

namespace umbrinex::testing {
namespace {

#ifdef UMBRINEX_MANUAL_HTML

class HelpWindowTest : public TMainWindowTest {
 protected:
  static constexpr int StiffenerNode = 2, LoadCaseNode = 4;

  void SetUp() override
  {
    TMainWindowTest::SetUp();
    UseManualPage(UMBRINEX_MANUAL_HTML);
  }
  void TearDown() override
  {
    UseManualPage({});
    TMainWindowTest::TearDown();
  }
  TModelObject& Node(int i) { return *DataObjectSequence(Bend())[static_cast<std::size_t>(i)]; }

  // Presses F1 in the grid of the form of node that shows varNum.
  void PressF1On(int node, int varNum)
  {
    std::unique_ptr<TTessanDataForm> form = CreateDataForm(Node(node), false, Form.get());
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    TKitGrid* found = nullptr;
    int column = 0;
    for (TKitGrid* grid : form->findChildren<TKitGrid*>())
      for (int col = 0; col < grid->Core().ColCount(); ++col)
        if (grid->Core().Column(col).VarNum == varNum && grid->isVisibleTo(form.get())) found = grid, column = col;
    ASSERT_NE(found, nullptr) << varNum;
    found->setFocus();
    found->Core().MoveTo(column, found->Core().Current().Row, false);
    QTest::keyClick(found, Qt::Key_F1);
  }
};

TEST_F(HelpWindowTest, F1OnAFieldOrAColumnOpensTheItemsEntry)
{
  PressF1On(StiffenerNode, vnActiveLength);
  EXPECT_TRUE(HelpWindow().isVisible());
  EXPECT_EQ(HelpWindow().CurrentAnchor().toStdString(), "topic-21021");
  PressF1On(LoadCaseNode, vnLoadCaseAngle);
  EXPECT_EQ(HelpWindow().CurrentAnchor().toStdString(), "topic-21062");
  // One window for the whole program, raised again.
  EXPECT_EQ(std::ranges::count_if(QApplication::topLevelWidgets(),
                                  [](QWidget* w) { return dynamic_cast<THelpWindow*>(w) && w->isVisible(); }),
            1);
}

TEST_F(HelpWindowTest, ATopicWithoutAnEntryOpensTheFormsSection)
{
  ShowHelp(99999, hcStiffenerData);
  EXPECT_EQ(HelpWindow().CurrentAnchor().toStdString(), "topic-14");
  ShowHelp(99999, 99998);
  EXPECT_TRUE(HelpWindow().CurrentAnchor().isEmpty()) << "the beginning, for want of anything better";
  EXPECT_TRUE(HelpWindow().HasTopic(vnShapePower));
  EXPECT_FALSE(HelpWindow().HasTopic(0));
}

TEST_F(HelpWindowTest, SearchFindsThePhraseAndThenTheNextPlace)
{
  THelpWindow& window = HelpWindow();
  ASSERT_TRUE(window.FindNext(QStringLiteral("shape power")));
  const QTextCursor first = window.Browser().textCursor();
  EXPECT_EQ(first.selectedText().toLower().toStdString(), "shape power");
  ASSERT_TRUE(window.FindNext(QStringLiteral("shape power")));
  EXPECT_GT(window.Browser().textCursor().position(), first.position());
  EXPECT_FALSE(window.FindNext(QStringLiteral("no such words in the manual")));
  // Typing in the field finds the first place again.
  QTest::keyClicks(&window.SearchField(), QStringLiteral("shape power"));
  EXPECT_EQ(window.Browser().textCursor().position(), first.position());
}

TEST_F(HelpWindowTest, BackAndForwardGoThroughThePlacesSeen)
{
  ShowHelp(vnActiveLength);
  ShowHelp(vnLoadCaseTension);
  QTextBrowser& browser = HelpWindow().Browser();
  ASSERT_TRUE(browser.isBackwardAvailable());
  browser.backward();
  EXPECT_EQ(HelpWindow().CurrentAnchor().toStdString(), "topic-21021");
  browser.forward();
  EXPECT_EQ(HelpWindow().CurrentAnchor().toStdString(), "topic-21061");
}

TEST_F(HelpWindowTest, TheContentsAreTheChaptersAndSections)
{
  QTreeWidget& contents = HelpWindow().Contents();
  ASSERT_GE(contents.topLevelItemCount(), 9);
  QTreeWidgetItem* forms = contents.findItems(QStringLiteral("3. The data forms"), Qt::MatchExactly).value(0);
  ASSERT_NE(forms, nullptr);
  QTreeWidgetItem* stiffener = nullptr;
  for (int i = 0; i < forms->childCount(); ++i)
    if (forms->child(i)->text(0) == QStringLiteral("Bend Stiffener Data")) stiffener = forms->child(i);
  ASSERT_NE(stiffener, nullptr) << "the marker is not part of the heading";
  emit contents.itemActivated(stiffener, 0);
  EXPECT_TRUE(HelpWindow().CurrentAnchor().startsWith(QStringLiteral("section-")));
}

TEST_F(HelpWindowTest, AMissingPageSaysWhereItWasLookedFor)
{
  UseManualPage("/nonexistent/Umbrinex.html");
  ShowHelp(vnActiveLength);
  EXPECT_TRUE(HelpWindow().Browser().toPlainText().contains(QStringLiteral("Cannot find file Umbrinex.html")));
  EXPECT_TRUE(HelpWindow().Contents().topLevelItemCount() == 0);
}

#endif

}  // namespace
}  // namespace umbrinex::testing
