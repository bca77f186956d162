// The desktop program. Start-up runs in this order: the application object,
// the message boxes, the settings (with the one-time migration of older
// ones), the main window with the command line and the welcome window, and
// then the event loop until the main window closes.

#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "framework/data/Messages.h"
#include "desktop/kit/Application.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/MessageBoxes.h"
#include "desktop/kit/Registry.h"
#include "numerics/ParallelFor.h"
#include "shell/BendProgram.h"
#include "shell/DataCommands.h"
#include "shell/GraphPreferences.h"
#include "shell/Main.h"
#include "shell/Preferences.h"

namespace {

bool AskedForDataExport(int argc, char** argv)
{
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--export-data") == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv)
{
  umbrinex::InstallBendProgram();
  // The data export runs without a window, also where there is no display.
  if (AskedForDataExport(argc, argv)) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    umbrinex::TKitApplication application(argc, argv);
    umbrinex::MigrateUserSettings();
    const int status = umbrinex::RunExportDataCommand(QCoreApplication::arguments());
    umbrinex::ReleasePreferences();
    return status;
  }
  umbrinex::TKitApplication application(argc, argv);
  umbrinex::InstallMessageBoxes();
  umbrinex::MigrateUserSettings();
  umbrinex::Preferences();
  umbrinex::ConnectGraphPreferences();

  std::unique_ptr<umbrinex::TMainForm> mainForm;
  try {
    mainForm = umbrinex::CreateMainForm(QCoreApplication::arguments());
  } catch (...) {
    umbrinex::HandleCurrentException();
    return 1;
  }
  umbrinex::MessageBoxPresenter().SetMainWindow(mainForm.get());
  mainForm->ShowMainWindow();
  // A thread count the program cannot use is said, not silently replaced.
  if (const std::string warning = umbrinex::ThreadsEnvironmentWarning(); !warning.empty()) {
    std::cerr << warning << '\n';
    umbrinex::ShowWarning(warning);
  }
  const int result = application.exec();

  umbrinex::MessageBoxPresenter().SetMainWindow(nullptr);
  mainForm.reset();
  umbrinex::DisconnectGraphPreferences();
  umbrinex::ReleasePreferences();
  return result;
}
