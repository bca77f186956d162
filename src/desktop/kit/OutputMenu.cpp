#include "desktop/kit/OutputMenu.h"

#include <QAction>
#include <QMenu>

#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/KitPreferences.h"
#include "desktop/kit/Printing.h"

namespace umbrinex {

bool MonochromeOutput()
{
  return KitPreferences().MonochromeOutput.CurrentValue();
}

QAction* TOutputMenu::Command(const QString& caption, std::function<void()> command, const QKeySequence& shortcut)
{
  QAction* action = FMenu->addAction(caption);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  QObject::connect(action, &QAction::triggered, FMenu, [command = std::move(command)] { Guarded(command); });
  return action;
}

QAction* TOutputMenu::Separator()
{
  return FMenu->addSeparator();
}

void TOutputMenu::PrinterCommands(QWidget* owner)
{
  auto* printers = new QMenu(QStringLiteral("Selected Printer"), FMenu);
  FMenu->addMenu(printers);
  new TPrinterMenu(FMenu, printers);
  Command(QStringLiteral("Printer Set&up.."), [owner] { ShowPrinterSetup(owner); });
}

void TOutputMenu::MonochromeToggle()
{
  QAction* mono = FMenu->addAction(QStringLiteral("&Monochrome Output"));
  mono->setCheckable(true);
  QObject::connect(FMenu, &QMenu::aboutToShow, mono, [mono] { mono->setChecked(MonochromeOutput()); });
  QObject::connect(mono, &QAction::triggered, FMenu, [] { KitPreferences().MonochromeOutput.Toggle(); });
}

}  // namespace umbrinex
