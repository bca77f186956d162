#pragma once
// The table window: a workbook of results (key values, a load case's
// values, a graph's values table) shown as its cells are formatted, read
// only, with copy, export and print.

#include <QAbstractTableModel>
#include <QDialog>

#include "presentation/SpreadSheet.h"
#include "presentation/Workbook.h"

class QMenu;
class QTabBar;
class QTableView;

namespace umbrinex {

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
  // One tab a sheet, shown when the workbook has more than one.
  QTabBar* SheetTabs() const { return FTabs; }
  QMenu* ContextMenu() const { return FMenu; }
  bool Editable() const { return FEditable; }
  // Shows what the sheet was given, with a tab for each of its sheets.
  void Reload();
  // Shows another sheet of the workbook (0-based).
  void ShowSheet(int index);

  // The selection of the view goes to the sheet before each command.
  void Copy();
  void SelectAll();
  void Export();
  void Print();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void TakeSelection();
  // Column widths that show every number and every text that cannot run on
  // into empty cells; texts that can, and headings centred across columns,
  // get spans over the cells they cover.
  void LayOutCells();
  TWorkbook FWorkbook;
  TSpreadSheet FSheet{FWorkbook};
  TWorkbookModel* FModel;
  QTableView* FView;
  QTabBar* FTabs;
  QMenu* FMenu;
  bool FEditable = false;
};

}  // namespace umbrinex
