#include "desktop/kit/Printing.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QAction>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "desktop/kit/FileDialogs.h"
#include "desktop/kit/KitPreferences.h"

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

QRectF PrintArea(const QPrinter& printer)
{
  const QRect page = printer.pageLayout().fullRectPixels(printer.resolution());
  const QRect paintable = printer.pageLayout().paintRectPixels(printer.resolution());
  const double pixelsPerMm = printer.resolution() / 25.4;
  const TKitPreferences& p = KitPreferences();
  auto offset = [&](int marginMm, int physical, int extent) {
    const int wanted = static_cast<int>(std::lround(marginMm * pixelsPerMm)) - physical;
    return std::clamp(wanted, 0, std::max(0, extent / 3));
  };
  const int left = offset(p.PrinterLeft.CurrentValue(), paintable.left() - page.left(), page.width());
  const int top = offset(p.PrinterTop.CurrentValue(), paintable.top() - page.top(), page.height());
  return QRectF(left, top, std::max(1, page.width() - 2 * left), std::max(1, page.height() - 2 * top));
}

bool PreparePrinter(const QString& jobName)
{
  QPrinter& printer = ProgramPrinter();
  printer.setDocName(jobName);
  if (printer.outputFormat() != QPrinter::PdfFormat) return true;
  TFileDialogRequest request;
  request.Title = "Print";
  request.Classes = {{".pdf", 255, "PDF Documents (*.pdf)|*.pdf"}};
  TFileDialogAnswer answer;
  if (!FileDialogs().Save(request, answer) || answer.FileNames.empty()) return false;
  printer.setOutputFileName(QString::fromStdString(answer.FileNames.front()));
  return true;
}

}  // namespace umbrinex
