#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>

#include "ShellTestSupport.h"
#include "framework/data/DiskFile.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/FileNames.h"
#include "desktop/kit/KitErrors.h"
#include "desktop/kit/StartUp.h"
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
  static QString Q(const std::string& text) { return QString::fromStdString(text); }
};

TEST_F(StartUp, AcceptsTheKnownSwitchesInEitherFormAndAnyCase)
{
  EXPECT_EQ(ReadCommandLine({"/disableinhousefeatures", "file.mxd"}), "file.mxd");
  EXPECT_EQ(ReadCommandLine({"-DISABLEINHOUSEFEATURES", "-DisableInteractiveStartup", "file.mxd"}), "file.mxd");
  EXPECT_EQ(ReadCommandLine({"/disableinhousefeatures", "/home/me/file.mxd"}), "/home/me/file.mxd");
  EXPECT_TRUE(Messages.Requests.empty());
}

TEST_F(StartUp, ReportsAnUnknownSwitchAndReadsOn)
{
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ReadCommandLine({"-fast", "a.mxd", "/Quiet", "b.mxd"}), "b.mxd");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Command line switch 'fast' is not recognised.\nCommand line switch 'Quiet' is not recognised.\n");
  EXPECT_EQ(Messages.Texts(), (std::vector<std::string>{"ERROR.  Command line switch 'fast' is not recognised.",
                                                        "ERROR.  Command line switch 'Quiet' is not recognised."}));
}

TEST_F(StartUp, OpensOnlyTheLastFileNamedOnTheCommandLine)
{
  const std::string first = WriteDesign(Folder.File("first.mxd"), "First");
  const std::string second = WriteDesign(Folder.File("second.mxd"), "Second");
  auto form = Start({QStringLiteral("/disableinhousefeatures"), Q(first), Q(second)});
  EXPECT_EQ(form->Model().Project(), "Second");
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Umbrinex 4.2b - [%1]").arg(Q(RemoveFileExt(second))));
  EXPECT_EQ(form->TaskBarTitleText(), "Umbrinex [second]");
  EXPECT_EQ(form->RecentFiles().Files(), std::vector<std::string>{second});
  EXPECT_TRUE(Messages.Requests.empty());
}

TEST_F(StartUp, SaysWhatIsWrongWithACommandLineFileAndKeepsTheDefaultDesign)
{
  const std::string text = Folder.File("notes.txt"), empty = Folder.File("empty.mxd"),
                    missing = Folder.File("gone.mxd"), folder = Folder.File("designs"), pipe = Folder.File("pipe.mxd");
  WriteText(text, "Hello, this is not a design");
  WriteText(empty, "");
  fs::create_directory(folder);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string defaultProject = New<TBend>()->Project();
  const auto named = [](const std::string& file, const char* what) {
    return "File Error: File '" + FileNameForMessage(file) + "' " + what;
  };
  const std::vector<std::pair<std::string, std::string>> cases = {
      {missing, named(missing, "does not exist.")},
      {folder, named(folder, "is a folder.")},
      {pipe, named(pipe, "is not a regular file.")},
      {"/dev/null", named("/dev/null", "is not a regular file.")},
      {text, ""},
      {empty, ""}};
  for (const auto& [name, message] : cases) {
    Messages.Requests.clear();
    ::testing::internal::CaptureStderr();
    auto form = Start({Q(name)});
    const std::string errors = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(Messages.Texts().size(), 1u) << name;
    const std::string shown = Messages.Texts()[0];
    if (!message.empty()) EXPECT_EQ(shown, "ERROR.  " + message) << name;
    EXPECT_EQ(shown.rfind("ERROR.  File Error: ", 0), 0u) << shown;
    EXPECT_NE(shown.find(FileNameForMessage(name)), std::string::npos) << "names the file: " << shown;
    EXPECT_EQ(errors, shown.substr(8) + "\n") << "the same words on standard error";
    EXPECT_FALSE(form->Filer().HasFileName()) << name;
    EXPECT_EQ(form->Model().Project(), defaultProject) << name;
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Umbrinex 4.2b"));
  }
}

TEST_F(StartUp, OpensAnOlderDesignNamedOnTheCommandLineAndShowsItModifiedLater)
{
  const std::string older = Folder.File("old.dat");
  WriteOlderDesign(older, "Old one");
  auto form = Start({Q(older)});
  EXPECT_EQ(form->Model().Project(), "Old one");
  TAccessStatus status;
  form->Model().SetValue(vnProject, 0, status, TVariant("Changed"), vtText);
  form->UpdateCaption();
  EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral("/old] (modified)")));
}

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

TEST_F(StartUp, ClosingStoresThePlacementOnlyOnceStarted)
{
  {
    auto form = CreateMainForm({QStringLiteral("umbrinex")});
    form->setGeometry(50, 60, 700, 500);
    form->showNormal();
    form->close();
  }
  EXPECT_EQ(KitPreferences().WindowState.CurrentValue(), 2);
  auto form = Start({});
  form->showNormal();
  form->setGeometry(50, 60, 700, 500);
  form->close();
  EXPECT_EQ(KitPreferences().WindowState.CurrentValue(), 0);
  EXPECT_EQ(KitPreferences().MainWindowWidth.CurrentValue(), 700);
  EXPECT_EQ(KitPreferences().MainWindowTop.CurrentValue(), 60);
}

TEST_F(StartUp, ExitStoresWhatTheWindowStateAllows)
{
  KitPreferences().MainWindowLeft.ChangeValue(33);
  StoreWindowPlacement(TClosingState::Minimised, QRect(1, 2, 300, 200));
  EXPECT_EQ(KitPreferences().WindowState.CurrentValue(), 2);
  EXPECT_EQ(KitPreferences().MainWindowLeft.CurrentValue(), 33);
  StoreWindowPlacement(TClosingState::Normal, QRect(1, 2, 300, 200));
  StoreWindowPlacement(TClosingState::Maximised, QRect(9, 9, 999, 999));
  EXPECT_EQ(KitPreferences().WindowState.CurrentValue(), 2);
  EXPECT_EQ(KitPreferences().MainWindowLeft.CurrentValue(), 1);
  EXPECT_EQ(KitPreferences().MainWindowHeight.CurrentValue(), 200);
  EXPECT_EQ(StartingWindowState(1), 0);
  EXPECT_EQ(StartingWindowState(5), 2);
}

TEST(WindowPlacement, KeepsTheFrameOnTheMonitor)
{
  const QRect monitor(0, 0, 1280, 800);
  EXPECT_EQ(KeepOnMonitor(QRect(100, 100, 600, 400), 4, monitor), QRect(100, 100, 600, 400));
  EXPECT_EQ(KeepOnMonitor(QRect(1000, 600, 600, 400), 4, monitor), QRect(676, 396, 600, 400));
  EXPECT_EQ(KeepOnMonitor(QRect(-50, -20, 600, 400), 4, monitor), QRect(4, 4, 600, 400));
  // Too wide for the monitor: the left edge wins.
  EXPECT_EQ(KeepOnMonitor(QRect(200, 0, 1400, 400), 4, monitor).left(), 4);
  EXPECT_EQ(KeepOnMonitor(QRect(1500, 100, 600, 400), 0, QRect(1280, 0, 1920, 1080)), QRect(1500, 100, 600, 400));
}

TEST(ErrorHandler, AddsAFullStopOnlyAfterACharacterThatSortsAfterIt)
{
  EXPECT_EQ(ErrorMessageText("Value out of range"), "Value out of range.");
  EXPECT_EQ(ErrorMessageText("Too many points: 12"), "Too many points: 12.");
  EXPECT_EQ(ErrorMessageText("Already done."), "Already done.");
  EXPECT_EQ(ErrorMessageText("Stop!"), "Stop!");
  EXPECT_EQ(ErrorMessageText("(see above)"), "(see above)");
  EXPECT_EQ(ErrorMessageText(""), "");
}

TEST_F(StartUp, TheErrorHandlerLogsOnlyUnexpectedErrorsAndIgnoresTheSilentAbort)
{
  std::vector<std::string> log;
  TErrorLog previous = SetUnexpectedErrorLog([&](const std::string& text) { log.push_back(text); });
  Guarded([] { throw ECommandLineSwitchError("Bad switch"); });
  Guarded([] { throw std::out_of_range("index 7"); });
  Guarded([] { throw ESilentAbort(); });
  Guarded([] { throw EExpected("error in the data"); });
  SetUnexpectedErrorLog(previous);
  EXPECT_EQ(Messages.Texts(),
            (std::vector<std::string>{"ERROR.  Bad switch.", "ERROR.  index 7.", "error in the data."}));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].find("index 7"), std::string::npos);
}

TEST_F(StartUp, UnexpectedErrorsAreLoggedByTheirMessageAndNeverByAMangledTypeName)
{
  std::vector<std::string> log;
  TErrorLog previous = SetUnexpectedErrorLog([&](const std::string& text) { log.push_back(text); });
  Guarded([] { throw EUmbrinexError("Active length (item 21021) is -1.  Must be positive."); });
  Guarded([] { throw std::out_of_range("index 7"); });
  SetUnexpectedErrorLog({});
  ::testing::internal::CaptureStderr();
  Guarded([] { throw EUmbrinexError("Root diameter (item 21022) is 0."); });
  const std::string errors = ::testing::internal::GetCapturedStderr();
  SetUnexpectedErrorLog(previous);
  EXPECT_EQ(log, (std::vector<std::string>{"Active length (item 21021) is -1.  Must be positive.",
                                           "std::out_of_range: index 7"}));
  EXPECT_EQ(errors, "Unexpected error: Root diameter (item 21022) is 0.\n");
  EXPECT_EQ(Messages.Texts().front(), "ERROR.  Active length (item 21021) is -1.  Must be positive.");
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
