#include "desktop/kit/StartUp.h"

#include <algorithm>
#include <filesystem>

#include "framework/data/TextUtils.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/KitErrors.h"
#include "desktop/kit/KitPreferences.h"
#include "desktop/kit/Program.h"

namespace umbrinex {

namespace {

const char* const KnownSwitches[] = {"DisableInhouseFeatures", "DisableInteractiveStartup"};

void ReadSwitch(const std::string& name)
{
  for (const char* known : KnownSwitches)
    if (SameText(name, known)) return;
  throw ECommandLineSwitchError(Format("Command line switch '%s' is not recognised.", name.c_str()));
}

// "/" starts switches in the maker's programs, but on this system it also
// starts every full file name: a parameter with a further separator, or one
// that names an existing file, is a file.
bool IsSwitch(const std::string& parameter)
{
  if (parameter.empty()) return false;
  if (parameter[0] == '-') return true;
  if (parameter[0] != '/') return false;
  std::error_code error;
  return parameter.find('/', 1) == std::string::npos && !std::filesystem::exists(parameter, error);
}

}  // namespace

std::string ReadCommandLine(const std::vector<std::string>& parameters)
{
  std::string fileName;
  for (const std::string& parameter : parameters) {
    if (IsSwitch(parameter)) {
      try {
        ReadSwitch(parameter.substr(1));
      } catch (...) {
        HandleCommandLineException(std::current_exception());
      }
    } else
      fileName = parameter;
  }
  return fileName;
}

std::optional<TFileClass> CommandLineFileClass(const std::string& fileName)
{
  switch (Program().PeekFileTypeCode(fileName)) {
    case ftDataFile:
      return DataFileClass;
    case ftOldDataFile:
      return OldDataFileClass;
    default:
      return std::nullopt;
  }
}

TFileClass CommandLineOpeningClass(const std::string& fileName)
{
  // Anything that is not an older data file is read as one of this
  // version, whose reader says what is wrong with it.
  return CommandLineFileClass(fileName).value_or(DataFileClass);
}

QRect KeepOnMonitor(const QRect& window, int border, const QRect& monitor)
{
  QRect outer = window.adjusted(-border, -border, border, border);
  if (outer.right() > monitor.right()) outer.moveRight(monitor.right());
  if (outer.left() < monitor.left()) outer.moveLeft(monitor.left());
  if (outer.bottom() > monitor.bottom()) outer.moveBottom(monitor.bottom());
  if (outer.top() < monitor.top()) outer.moveTop(monitor.top());
  return outer.adjusted(border, border, -border, -border);
}

int StartingWindowState(int stored)
{
  const int state = std::clamp(stored, 0, 2);
  return state == 1 ? 0 : state;
}

void StoreWindowPlacement(TClosingState state, const QRect& normalGeometry)
{
  TKitPreferences& p = KitPreferences();
  switch (state) {
    case TClosingState::Minimised:
      return;
    case TClosingState::Maximised:
      p.WindowState.ChangeValue(2);
      return;
    case TClosingState::Normal:
      p.WindowState.ChangeValue(0);
      p.MainWindowLeft.ChangeValue(normalGeometry.left());
      p.MainWindowTop.ChangeValue(normalGeometry.top());
      p.MainWindowWidth.ChangeValue(normalGeometry.width());
      p.MainWindowHeight.ChangeValue(normalGeometry.height());
      return;
  }
}

}  // namespace umbrinex
