#pragma once
// The printer the program prints on, the "Selected Printer" sub-menu that
// picks it and the printer set-up dialog.

#include <QObject>
#include <QRectF>

class QAction;
class QMenu;
class QPrinter;
class QWidget;

namespace umbrinex {

// The system's default printer until the user picks another; with no
// printer installed, printing goes to a PDF file.
QPrinter& ProgramPrinter();

class TPrinterMenu : public QObject {
  Q_OBJECT

 public:
  // subMenu is the "Sele&cted Printer" sub-menu; it is rebuilt each time
  // parentMenu opens.
  TPrinterMenu(QMenu* parentMenu, QMenu* subMenu);
  void Rebuild();

 private:
  QMenu* FSubMenu;
};

// The system's printer set-up: the chosen printer becomes the program's.
void ShowPrinterSetup(QWidget* parent);

// The printable page less the margin preferences, for graphs and views.
QRectF PrintArea(const QPrinter& printer);
// Starts a print job on the program's printer; with no printer installed it
// asks for the PDF file to print into. False when the user cancelled.
bool PreparePrinter(const QString& jobName);

}  // namespace umbrinex
