// What the program's own start-up windows show: its menus, the welcome
// window and the about box.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>

#include "ShellTestSupport.h"
#include "shell/AboutBox.h"
#include "shell/Main.h"
#include "shell/WelcomeForm.h"

namespace umbrinex {
namespace {

using namespace umbrinex::testing;

class StartUp : public TShellTest {
 protected:
  std::unique_ptr<TMainForm> Start(const QStringList& parameters)
  {
    auto form = CreateMainForm(QStringList{QStringLiteral("umbrinex")} + parameters);
    form->FirstIdle();
    return form;
  }
};

TEST_F(StartUp, BuildsTheMenusWithTheRecentFilesBeforeExit)
{
  auto form = Start({});
  QStringList menus;
  for (const QAction* menu : form->menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&Results"),
                                QStringLiteral("&Tools"), QStringLiteral("&Help")}));
  const std::string design = WriteDesign(Folder.File("recent.mxd"), "Recent");
  form->Filer().Load(design, DataFileClass, form->Model());
  const QList<QAction*> file = form->FileMenu->actions();
  EXPECT_EQ(file.last(), form->acFileExit);
  EXPECT_TRUE(file[file.size() - 3]->text().startsWith(QStringLiteral("&1. ")));
  // The in-house commands stay out of sight unless switched on.
  EXPECT_FALSE(form->acFileCompareResults->isVisible());
  Preferences().CompareResultsEnabled.ChangeValue(true);
  EXPECT_TRUE(form->acFileCompareResults->isVisible());
}

TEST_F(StartUp, TheWelcomeWindowWaitsForTheMainWindow)
{
  auto form = Start({});
  QPointer<TWelcomeForm> welcome = qobject_cast<TWelcomeForm*>(form->WelcomeForm());
  ASSERT_TRUE(welcome);
  welcome->RequestClose();
  EXPECT_TRUE(welcome->isVisible());
  form->show();
  welcome->RequestClose();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(!welcome || !welcome->isVisible());
}

TEST(AboutBox, ShowsMemoryInTheLargestUnitThatKeepsMoreThan1023OfTheNext)
{
  EXPECT_EQ(MemorySizeText(1023), "1023 bytes");
  EXPECT_EQ(MemorySizeText(1024), "1.0 KB");
  EXPECT_EQ(MemorySizeText(1023 * 1024), "1,023.0 KB");
  EXPECT_EQ(MemorySizeText(1024 * 1024), "1.0 MB");
  EXPECT_EQ(MemorySizeText(std::uint64_t{3} << 30), "3.0 GB");
  EXPECT_EQ(MegabytesText(std::uint64_t{16305} << 20), "16,305.0 MB");
  TMachineFacts facts;
  facts.TotalMemory = std::uint64_t{2048} << 20;
  facts.MemoryUsed = 45 * 1024 * 1024 + 300 * 1024;
  facts.Processors = 2;
  facts.OperatingSystem = "Debian";
  EXPECT_EQ(AboutLines(facts), (std::vector<std::string>{"Version 4.2b", "Total Memory: 2,048.0 MB",
                                                         "Memory Used: 45.3 MB", "System Processors: 2", "Debian"}));
}

}  // namespace
}  // namespace umbrinex
