#include "desktop/kit/KitPreferences.h"

#include <memory>

#include <QGuiApplication>
#include <QScreen>

#include "desktop/kit/FileNames.h"
#include "desktop/kit/Registry.h"

namespace umbrinex {

namespace {

std::unique_ptr<TKitPreferences>& Instance()
{
  static std::unique_ptr<TKitPreferences> preferences;
  return preferences;
}

}  // namespace

double ScreenScalingRatio()
{
  const QScreen* screen =
      qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr;
  return screen ? screen->logicalDotsPerInch() / 96.0 : 1.0;
}

TKitPreferences::TKitPreferences()
    : LatestMainFileName("Latest Main File Name", false, ExamplesFolder(ProgramFolder())),
      MainWindowLeft("Main Window Left", false, 100),
      MainWindowTop("Main Window Top", false, 100),
      MainWindowWidth("Main Window Width", false, 600),
      MainWindowHeight("Main Window Height", false, 400),
      WindowState("Window State", false, 2),
      PrinterLeft("Printer Left", false, 10),
      PrinterTop("Printer Top", false, 10),
      MonochromeOutput("Monochrome Output", false, true)
{
}

TKitPreferences& KitPreferences()
{
  auto& preferences = Instance();
  if (!preferences) preferences = std::make_unique<TKitPreferences>();
  return *preferences;
}

void ReleaseKitPreferences()
{
  Instance().reset();
  ReleaseKitRegistry();
}

}  // namespace umbrinex
