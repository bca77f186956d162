#pragma once
// The context menus of the windows that show output (graphs, drawings,
// tables, text): each command runs under the program's error handler, and
// the menus share their printer and monochrome entries.

#include <functional>

#include <QKeySequence>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace umbrinex {

class TOutputMenu {
 public:
  explicit TOutputMenu(QMenu* menu) : FMenu(menu) {}

  QAction* Command(const QString& caption, std::function<void()> command, const QKeySequence& shortcut = {});
  QAction* Separator();
  // "Selected Printer" (filled as the menu opens; no accelerator, since
  // its letters are taken by the commands beside it) and "Printer Set&up..".
  void PrinterCommands(QWidget* owner);
  // "&Monochrome Output": shared by every window, so its tick is read as the
  // menu opens.
  void MonochromeToggle();

 private:
  QMenu* FMenu;
};

// Whether output (copies, exports, prints) is in black and white.
bool MonochromeOutput();

}  // namespace umbrinex
