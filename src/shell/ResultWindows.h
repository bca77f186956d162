#pragma once
// The windows results are shown in: the graph window (a chart engine and its
// graph), the view window (a drawing through a viewport into an off-screen
// bitmap) and the table window (a workbook in a table view). All three share
// one context menu: Copy, Export.., Print and Monochrome Output, with room
// for the owner's own commands just above the export part.
//
// Graph and view windows live embedded in the main window's results panel
// and report errors to whoever refreshes them: Refresh raises, so that the
// main window decides between "cannot be displayed", a silent abort and a
// failed calculation. Repaints after a resize cannot raise into Qt, so they
// keep the last good picture instead.

#include <functional>
#include <memory>
#include <string>

#include <QAbstractTableModel>
#include <QDialog>
#include <QImage>
#include <QWidget>

#include "graphics/ChartEngine.h"
#include "graphics/ResultsGraphs.h"
#include "graphics/ViewPort.h"
#include "presentation/SpreadSheet.h"
#include "presentation/Workbook.h"

class QMenu;
class QAction;
class QPlainTextEdit;
class QTableView;
class QPrinter;

namespace umbrinex {

class TBend;
class TGraph;

class TResultWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TResultWindow(QWidget* parent = nullptr);

  // The window's menu; owners insert their commands before ExtrasPlace().
  QMenu* ContextMenu() const { return FMenu; }
  QAction* ExtrasPlace() const { return FExtrasPlace; }
  // The header of copies, exports and prints.
  std::function<std::string()> ReportTitle;

  virtual void Refresh() = 0;
  virtual void Copy() = 0;
  virtual void Export() = 0;
  virtual void Print() = 0;

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QMenu* FMenu;
  QAction* FExtrasPlace;
};

class TGraphWindow : public TResultWindow {
  Q_OBJECT

 public:
  TGraphWindow(TBend& bend, TResultsGraph kind, QWidget* parent = nullptr);
  ~TGraphWindow() override;

  TResultsGraph Kind() const { return FKind; }
  TChartEngine& Engine() { return FEngine; }
  TGraph& Graph() const { return *FGraph; }

  // Rebuilds from the results with the default ranges.
  void Refresh() override;
  void Copy() override;
  void Export() override;
  void Print() override;

 private:
  void PrepareOutput();
  TResultsGraph FKind;
  TChartEngine FEngine;
  TGraph* FGraph;
};

class TViewWindow : public TResultWindow {
  Q_OBJECT

 public:
  // mode: amGeneralArrangement or amDeflectedShape.
  TViewWindow(TBend& bend, int mode, QWidget* parent = nullptr);

  int Mode() const { return FMode; }
  const QImage& Bitmap() const { return FBitmap; }
  const TViewPort& ViewPort() const { return FViewPort; }
  // The drawing's name as the drawing files know it.
  std::string DrawingName() const;

  // Draws into a bitmap of the window's size; raises what the drawing raises.
  void Refresh() override;
  void Copy() override;
  void Export() override;
  void Print() override;

  // The drawing into any picture, with the colours of normal output or of
  // the monochrome setting.
  void Draw(QPainter& painter, const QSize& size, int colourMode, int penFactor);

  QSize sizeHint() const override { return {600, 420}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void RenderBitmap();
  TBend& FBend;
  int FMode;
  TViewPort FViewPort;
  QImage FBitmap;
};

// The cells of the workbook's active sheet, shown as formatted and never
// edited here.
class TWorkbookModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TWorkbookModel(TWorkbook& workbook, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  void Reload();

 private:
  TWorkbook& FWorkbook;
};

// A cell's number as its format shows it ("0.000", "0.0E+00", "General" ...).
QString FormattedCellText(const TCell& cell);

class TTableWindow : public QDialog {
  Q_OBJECT

 public:
  explicit TTableWindow(QWidget* parent = nullptr);

  TWorkbook& Workbook() { return FWorkbook; }
  TSpreadSheet& Sheet() { return FSheet; }
  QTableView* View() const { return FView; }
  QMenu* ContextMenu() const { return FMenu; }
  bool Editable() const { return FEditable; }
  // Shows what the sheet was given.
  void Reload();

  // The selection of the view goes to the sheet before each command.
  void Copy();
  void SelectAll();
  void Export();
  void Print();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void TakeSelection();
  TWorkbook FWorkbook;
  TSpreadSheet FSheet{FWorkbook};
  TWorkbookModel* FModel;
  QTableView* FView;
  QMenu* FMenu;
  bool FEditable = false;
};

// Plain text as a rich text document: a fixed-pitch font, one paragraph a line.
std::string RichTextDocument(const std::string& text);

// Read-only text in a fixed-pitch font, for logs and listings: copy of the
// selection, export as rich text or plain text, print and select all.
class TTextWindow : public QDialog {
  Q_OBJECT

 public:
  explicit TTextWindow(QWidget* parent = nullptr);

  void SetText(const std::string& text);
  std::string Text() const;
  QPlainTextEdit* Editor() const { return FEditor; }
  QMenu* ContextMenu() const { return FMenu; }

  void Copy();
  void SelectAll();
  void Export();
  // Writes the text: rich text for ".rtf", plain text otherwise.
  void ExportTo(const std::string& fileName) const;
  void Print();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QPlainTextEdit* FEditor;
  QMenu* FMenu;
  QAction* FCopy;
};

// The printable page less the margin preferences, for graphs and views.
QRectF PrintArea(const QPrinter& printer);
// Starts a print job on the program's printer; with no printer installed it
// asks for the PDF file to print into. False when the user cancelled.
bool PreparePrinter(const QString& jobName);

}  // namespace umbrinex
