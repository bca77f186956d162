// The kit's start-up and exit, tried on the program's main window: the
// command line and the file named on it, and the window's placement.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "KitTestSupport.h"
#include "framework/data/DiskFile.h"
#include "desktop/kit/FileNames.h"
#include "desktop/kit/StartUp.h"
#include "shell/Main.h"
#include "shell/Preferences.h"

namespace umbrinex {
namespace {

using namespace umbrinex::testing;

class StartUp : public TSettingsTest<ReleasePreferences> {
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
    if (!message.empty()) {
      EXPECT_EQ(shown, "ERROR.  " + message) << name;
    }
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

}  // namespace
}  // namespace umbrinex
