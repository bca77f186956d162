#include "shell/GraphWindow.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QVBoxLayout>

#include "desktop/kit/FileDialogs.h"
#include "desktop/kit/Graph.h"
#include "desktop/kit/OutputMenu.h"
#include "desktop/kit/Printing.h"

namespace umbrinex {

TGraphWindow::TGraphWindow(TBend& bend, TResultsGraph kind, QWidget* parent)
    : TResultWindow(parent), FKind(kind), FEngine(ResultsGraphBuilder(bend, kind))
{
  ConfigureResultsGraph(FEngine, kind);
  FGraph = new TGraph(FEngine, this);
  FGraph->setContextMenuPolicy(Qt::NoContextMenu);
  FStatus = new QLabel(this);
  FStatus->setWordWrap(true);
  FStatus->setContentsMargins(6, 2, 6, 2);
  FStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
  FStatus->hide();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(FGraph, 1);
  layout->addWidget(FStatus);
  FEngine.OnDataChanged = [this] { UpdateStatusLine(); };
  // Alt+U belongs to "Printer Set&up.." of the same menu.
  QAction* undoZoom = new QAction(QStringLiteral("Undo &Zoom"), this);
  ContextMenu()->insertAction(ContextMenu()->actions().value(0), undoZoom);
  connect(undoZoom, &QAction::triggered, this, [this] { FGraph->UndoZoom(); });
  connect(ContextMenu(), &QMenu::aboutToShow, undoZoom, [this, undoZoom] { undoZoom->setEnabled(FGraph->Zoomed()); });
  TOutputMenu menu(ContextMenu());
  menu.Separator();
  menu.Command(QStringLiteral("Pr&operties"), [this] { FGraph->ShowProperties(); });
}

TGraphWindow::~TGraphWindow()
{
  // The graph paints the engine: it goes first.
  FEngine.OnDataChanged = nullptr;
  delete FGraph;
}

void TGraphWindow::Refresh()
{
  FEngine.Rebuild(rfTitles | rfData | rfRanges);
  UpdateStatusLine();
  FGraph->update();
}

void TGraphWindow::UpdateStatusLine()
{
  const QString text = QString::fromStdString(FEngine.StatusText());
  if (FStatus->text() != text) FStatus->setText(text);
  FStatus->setVisible(!text.isEmpty());
}

void TGraphWindow::PrepareOutput()
{
  FGraph->SetMonochrome(MonochromeOutput());
  FGraph->SetHeaderText(ReportTitle ? ReportTitle() : std::string());
}

void TGraphWindow::Copy()
{
  PrepareOutput();
  FGraph->CopyToClipboard();
}

void TGraphWindow::Export()
{
  const std::string name = AskExportName(PictureFileClasses());
  if (name.empty()) return;
  PrepareOutput();
  FGraph->ExportToFile(name, GraphFileKind(name));
}

void TGraphWindow::Print()
{
  if (!PreparePrinter(QStringLiteral("Umbrinex graph"))) return;
  PrepareOutput();
  QPrinter& printer = ProgramPrinter();
  FGraph->Print(printer, PrintArea(printer));
}

}  // namespace umbrinex
