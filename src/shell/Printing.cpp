#include "shell/Printing.h"

#include <memory>

#include <QAction>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace umbrinex {

QPrinter& ProgramPrinter()
{
  static std::unique_ptr<QPrinter> printer;
  if (!printer) {
    printer = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter());
    if (QPrinterInfo::availablePrinters().isEmpty()) printer->setOutputFormat(QPrinter::PdfFormat);
  }
  return *printer;
}

TPrinterMenu::TPrinterMenu(QMenu* parentMenu, QMenu* subMenu) : QObject(subMenu), FSubMenu(subMenu)
{
  connect(parentMenu, &QMenu::aboutToShow, this, &TPrinterMenu::Rebuild);
  Rebuild();
}

void TPrinterMenu::Rebuild()
{
  FSubMenu->clear();
  const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
  // With one printer or none there is nothing to choose.
  FSubMenu->menuAction()->setVisible(printers.size() >= 2);
  if (printers.size() < 2) return;
  const QString current = ProgramPrinter().printerName();
  for (const QPrinterInfo& info : printers) {
    // Each printer goes on top of those before it: the menu lists them in
    // the reverse of the system's order.
    auto* item = new QAction(info.printerName(), FSubMenu);
    item->setCheckable(true);
    item->setChecked(info.printerName() == current);
    const QString name = info.printerName();
    connect(item, &QAction::triggered, this, [name] { ProgramPrinter().setPrinterName(name); });
    const QList<QAction*> existing = FSubMenu->actions();
    FSubMenu->insertAction(existing.isEmpty() ? nullptr : existing.first(), item);
  }
}

void ShowPrinterSetup(QWidget* parent)
{
  QPrintDialog dialog(&ProgramPrinter(), parent);
  dialog.setWindowTitle(QStringLiteral("Printer Setup"));
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.exec();
}

}  // namespace umbrinex
