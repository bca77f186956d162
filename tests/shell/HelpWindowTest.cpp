// The help window: F1 on a form's fields and columns opens it at their
// entries, a topic without one at the form's section; contents, search,
// Back and Forward; one window for the whole program.

#include <cstdio>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include "ShellTestSupport.h"
#include "bend/Bend.h"
#include "desktop/forms/KitGrid.h"
#include "desktop/kit/HelpWindow.h"
#include "desktop/kit/Printing.h"
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
  static std::string Section()
  {
    return HelpWindow().Contents().currentItem() ? HelpWindow().Contents().currentItem()->text(0).toStdString() : "";
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

// A form blocks every window but its own while it is open: the help opened
// from it is made its own, or it could not be read or closed.
TEST_F(HelpWindowTest, HelpOpenedFromAFormBelongsToTheForm)
{
  const QWindow* owner = nullptr;
  const QWindow* form = nullptr;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    ShowHelp(vnActiveLength);
    form = modal->windowHandle();
    owner = HelpWindow().windowHandle()->transientParent();
    modal->close();
  });
  QDialog dialog(Form.get());
  dialog.exec();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(owner, form);
  // Opened again from the main window, it is a window of its own.
  ShowHelp(vnActiveLength);
  EXPECT_EQ(HelpWindow().windowHandle()->transientParent(), nullptr);
  EXPECT_TRUE(HelpWindow().isVisible());
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
  // Typing text finds its first place again; typing an item's name, its
  // entry, and Find Next goes on from there.
  QTest::keyClicks(&window.SearchField(), QStringLiteral("shape powe"));
  EXPECT_EQ(window.Browser().textCursor().selectionStart(), first.selectionStart());
  QTest::keyClicks(&window.SearchField(), QStringLiteral("r"));
  const QTextCursor entry = window.Browser().textCursor();
  EXPECT_EQ(entry.selectedText().toStdString(), "Shape power");
  QStringList anchors;
  for (auto it = entry.block().begin(); !it.atEnd(); ++it) anchors += it.fragment().charFormat().anchorNames();
  EXPECT_TRUE(anchors.contains(QStringLiteral("topic-21024"))) << anchors.join(u' ').toStdString();
  ASSERT_TRUE(window.FindNext(QStringLiteral("shape power")));
  EXPECT_GT(window.Browser().textCursor().position(), entry.position());
  // A section is an entry too.
  EXPECT_TRUE(window.FindEntry(QStringLiteral("load case data")));
  EXPECT_EQ(window.Browser().textCursor().selectedText().toStdString(), "Load Case Data");
  EXPECT_FALSE(window.FindEntry(QStringLiteral("shape")));
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

TEST_F(HelpWindowTest, TheContentsMarkTheSectionShown)
{
  ShowHelp(vnActiveLength);
  EXPECT_EQ(Section(), "Bend Stiffener Data");
  ShowHelp(vnLoadCaseTension);
  EXPECT_EQ(Section(), "Load Case Data");
  // A section opened from the contents is marked there.
  QTreeWidget& contents = HelpWindow().Contents();
  QTreeWidgetItem* last = contents.topLevelItem(contents.topLevelItemCount() - 1);
  while (last->childCount() > 0) last = last->child(last->childCount() - 1);
  emit contents.itemClicked(last, 0);
  EXPECT_EQ(Section(), last->text(0).toStdString());
  QScrollBar& scroll = *HelpWindow().Browser().verticalScrollBar();
  // Scrolling back to the top leaves no section marked.
  scroll.setValue(0);
  EXPECT_EQ(Section(), "");
}

// Output of a command, or "" when it cannot run.
std::string CommandOutput(const std::string& command)
{
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

TEST_F(HelpWindowTest, PrintPutsTheWholeManualWithItsPicturesOnPaper)
{
  // Without a printer the manual goes into the PDF file the user names.
  QPrinter& printer = ProgramPrinter();
  const QPrinter::OutputFormat format = printer.outputFormat();
  const QString previousFile = printer.outputFileName();
  printer.setOutputFormat(QPrinter::PdfFormat);
  const std::string pdf = Folder.File("manual.pdf");
  Dialogs.Names = {pdf};
  THelpWindow& window = HelpWindow();
  QToolButton* print = nullptr;
  for (QToolButton* button : window.findChildren<QToolButton*>())
    if (button->text() == QStringLiteral("&Print..")) print = button;
  ASSERT_NE(print, nullptr);
  print->click();
  printer.setOutputFormat(format);
  printer.setOutputFileName(previousFile);
  ASSERT_EQ(Dialogs.Requests.size(), 1u);
  EXPECT_EQ(Dialogs.Requests[0].Title, "Print");

  const std::string info = CommandOutput("pdfinfo '" + pdf + "'");
  const auto pages = info.find("Pages:");
  ASSERT_NE(pages, std::string::npos) << info;
  EXPECT_GE(std::stoi(info.substr(pages + 6)), 25);
  // Every picture of the page is printed: pdfimages lists each as an image
  // (its transparency, when it has one, as an "smask").
  const std::string images = CommandOutput("pdfimages -list '" + pdf + "'");
  int count = 0;
  for (std::size_t at = images.find(" image "); at != std::string::npos; at = images.find(" image ", at + 1)) ++count;
  const std::string page = CommandOutput(std::string("cat '") + UMBRINEX_MANUAL_HTML + "'");
  int pictures = 0;
  for (std::size_t at = page.find("<img "); at != std::string::npos; at = page.find("<img ", at + 1)) ++pictures;
  EXPECT_GE(pictures, 22);
  EXPECT_EQ(count, pictures) << images;
  const std::string text = CommandOutput("pdftotext '" + pdf + "' - | grep -c 'Shape power'");
  EXPECT_GT(std::atoi(text.c_str()), 0);
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
