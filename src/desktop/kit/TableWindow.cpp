#include "desktop/kit/TableWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "framework/data/TextUtils.h"
#include "desktop/kit/FileDialogs.h"
#include "desktop/kit/OutputMenu.h"
#include "desktop/kit/Printing.h"

namespace umbrinex {

QString FormattedCellText(const TCell& cell)
{
  if (const auto* text = std::get_if<std::string>(&cell.Value)) return QString::fromStdString(*text);
  if (const auto* flag = std::get_if<bool>(&cell.Value))
    return *flag ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
  const auto* number = std::get_if<double>(&cell.Value);
  if (!number) return {};
  const std::string& format = cell.Format.NumberFormat;
  const std::size_t point = format.find('.');
  const std::size_t exponent = format.find_first_of("Ee");
  if (format == "General" || format.empty()) return QString::number(*number, 'g', 10);
  int decimals = 0;
  if (point != std::string::npos) {
    const std::size_t end = exponent == std::string::npos ? format.size() : exponent;
    for (std::size_t i = point + 1; i < end && (format[i] == '0' || format[i] == '#'); ++i) ++decimals;
  }
  if (exponent != std::string::npos) return QString::number(*number, 'E', decimals);
  return QString::number(*number, 'f', decimals);
}

TWorkbookModel::TWorkbookModel(TWorkbook& workbook, QObject* parent) : QAbstractTableModel(parent), FWorkbook(workbook)
{
}

int TWorkbookModel::rowCount(const QModelIndex& parent) const
{
  return parent.isValid() ? 0 : std::max(1, FWorkbook.ActiveSheet().LastRow());
}

int TWorkbookModel::columnCount(const QModelIndex& parent) const
{
  return parent.isValid() ? 0 : std::max(1, FWorkbook.ActiveSheet().LastCol());
}

QVariant TWorkbookModel::data(const QModelIndex& index, int role) const
{
  if (!index.isValid()) return {};
  const TCell& cell = FWorkbook.ActiveSheet().Cell(index.row() + 1, index.column() + 1);
  switch (role) {
    case Qt::DisplayRole:
      return FormattedCellText(cell);
    case Qt::TextAlignmentRole:
      if (cell.Format.Alignment == THorizontalAlignment::Right ||
          (cell.Format.Alignment == THorizontalAlignment::General && std::holds_alternative<double>(cell.Value)))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
      // A heading centred across a run of cells is shown in a span over them.
      if (cell.Format.Alignment == THorizontalAlignment::Centre ||
          cell.Format.Alignment == THorizontalAlignment::CentreAcross)
        return QVariant(Qt::AlignCenter);
      return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::FontRole: {
      QFont font;
      font.setBold(cell.Format.Bold);
      font.setItalic(cell.Format.Italic);
      return font;
    }
    default:
      return {};
  }
}

QVariant TWorkbookModel::headerData(int section, Qt::Orientation orientation, int role) const
{
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  QString name;
  for (int n = section + 1; n > 0; n = (n - 1) / 26) name.prepend(QChar(u'A' + (n - 1) % 26));
  return name;
}

Qt::ItemFlags TWorkbookModel::flags(const QModelIndex& index) const
{
  // Results tables are read, copied and exported, never edited.
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TWorkbookModel::Reload()
{
  beginResetModel();
  endResetModel();
}

// ---- TTableWindow ----

TTableWindow::TTableWindow(QWidget* parent) : QDialog(parent), FMenu(new QMenu(this))
{
  setWindowTitle(QStringLiteral("Values"));
  resize(800, 600);
  FModel = new TWorkbookModel(FWorkbook, this);
  FView = new QTableView;
  FView->setModel(FModel);
  FView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FView->setContextMenuPolicy(Qt::NoContextMenu);
  // Below the cells, as a spreadsheet shows its sheets.
  FTabs = new QTabBar;
  FTabs->setShape(QTabBar::RoundedSouth);
  FTabs->setExpanding(false);
  FTabs->setDrawBase(false);
  FTabs->hide();
  connect(FTabs, &QTabBar::currentChanged, this, [this](int index) {
    if (index >= 0 && index != FWorkbook.ActiveIndex()) ShowSheet(index);
  });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(FView);
  layout->addWidget(FTabs, 0, Qt::AlignLeft);

  TOutputMenu menu(FMenu);
  QAction* selectAll = menu.Command(
      QStringLiteral("Select &All"), [this] { SelectAll(); }, QKeySequence::SelectAll);
  QAction* copy = menu.Command(
      QStringLiteral("&Copy"), [this] { Copy(); }, QKeySequence::Copy);
  addActions({selectAll, copy});
  menu.Separator();
  menu.Command(QStringLiteral("&Export.."), [this] { Export(); });
  menu.Command(QStringLiteral("P&rint.."), [this] { Print(); });
  menu.Separator();
  menu.MonochromeToggle();
}

void TTableWindow::Reload()
{
  const QSignalBlocker quiet(FTabs);
  while (FTabs->count() > 0) FTabs->removeTab(FTabs->count() - 1);
  for (int i = 0; i < FWorkbook.SheetCount(); ++i)
    FTabs->addTab(QString::fromStdString(VisibleText(FWorkbook.Sheet(i).Name())));
  FTabs->setCurrentIndex(FWorkbook.ActiveIndex());
  FTabs->setVisible(FWorkbook.SheetCount() > 1);
  FModel->Reload();
  LayOutCells();
}

void TTableWindow::ShowSheet(int index)
{
  if (index < 0 || index >= FWorkbook.SheetCount()) return;
  FSheet.SelectSheet(index);
  {
    const QSignalBlocker quiet(FTabs);
    FTabs->setCurrentIndex(index);
  }
  FView->clearSelection();
  FModel->Reload();
  LayOutCells();
}

namespace {

// The last column (0-based) a cell's text covers as a spreadsheet shows it:
// a heading centred across a run of empty cells spans them, and a text that
// is neither a number nor aligned right or centred runs on over the empty
// cells to its right. Other cells cover themselves.
int CoveredUpTo(const TSheet& sheet, int row, int col, int columns)
{
  const TCell& cell = sheet.Cell(row + 1, col + 1);
  auto empty = [&](int c) { return std::holds_alternative<std::monostate>(sheet.Cell(row + 1, c + 1).Value); };
  int last = col;
  if (cell.Format.Alignment == THorizontalAlignment::CentreAcross) {
    while (last + 1 < columns && empty(last + 1) &&
           sheet.Cell(row + 1, last + 2).Format.Alignment == THorizontalAlignment::CentreAcross)
      ++last;
  } else if (std::holds_alternative<std::string>(cell.Value) &&
             (cell.Format.Alignment == THorizontalAlignment::General ||
              cell.Format.Alignment == THorizontalAlignment::Left)) {
    while (last + 1 < columns && empty(last + 1)) ++last;
  }
  return last;
}

}  // namespace

void TTableWindow::LayOutCells()
{
  FView->clearSpans();
  const TSheet& sheet = FWorkbook.ActiveSheet();
  const int rows = FModel->rowCount(), columns = FModel->columnCount();
  // The sheet's widths are in 1/256 of the width of a digit.
  const int digit = FView->fontMetrics().horizontalAdvance(QLatin1Char('0'));
  std::vector<int> widths(static_cast<std::size_t>(columns));
  for (int col = 0; col < columns; ++col)
    widths[static_cast<std::size_t>(col)] = sheet.ColumnWidth(col + 1) * digit / 256;
  struct TSpan {
    int Row, Col, Last, Width;
  };
  std::vector<TSpan> spans;
  for (int row = 0; row < rows; ++row)
    for (int col = 0; col < columns; ++col) {
      if (std::holds_alternative<std::monostate>(sheet.Cell(row + 1, col + 1).Value)) continue;
      const int width = FView->sizeHintForIndex(FModel->index(row, col)).width();
      const int last = CoveredUpTo(sheet, row, col, columns);
      if (last == col) {
        int& w = widths[static_cast<std::size_t>(col)];
        w = std::max(w, width);
        continue;
      }
      spans.push_back({row, col, last, width});
      col = last;
    }
  // A text longer than all the room it runs on over widens the last column
  // of that room, as it does at the end of a row.
  for (const TSpan& span : spans) {
    int room = 0;
    for (int col = span.Col; col <= span.Last; ++col) room += widths[static_cast<std::size_t>(col)];
    if (span.Width > room && span.Last == columns - 1) widths[static_cast<std::size_t>(span.Last)] += span.Width - room;
    FView->setSpan(span.Row, span.Col, 1, span.Last - span.Col + 1);
  }
  for (int col = 0; col < columns; ++col) FView->setColumnWidth(col, widths[static_cast<std::size_t>(col)]);
}

void TTableWindow::contextMenuEvent(QContextMenuEvent* event)
{
  FMenu->popup(event->globalPos());
}

void TTableWindow::TakeSelection()
{
  const QModelIndexList selected = FView->selectionModel()->selectedIndexes();
  TCellRange range{1, 1, 0, 0};
  if (!selected.isEmpty()) {
    range = {selected.front().row() + 1, selected.front().column() + 1, selected.front().row() + 1,
             selected.front().column() + 1};
    for (const QModelIndex& index : selected) {
      range.Row1 = std::min(range.Row1, index.row() + 1);
      range.Col1 = std::min(range.Col1, index.column() + 1);
      range.Row2 = std::max(range.Row2, index.row() + 1);
      range.Col2 = std::max(range.Col2, index.column() + 1);
    }
  }
  FWorkbook.ActiveSheet().Selection = range;
}

void TTableWindow::Copy()
{
  TakeSelection();
  QApplication::clipboard()->setText(QString::fromStdString(FSheet.CopyAsGeneral()));
}

void TTableWindow::SelectAll()
{
  FView->selectAll();
  FSheet.SelectAll();
}

void TTableWindow::Export()
{
  const std::string name =
      AskExportName({{".xlsx", 255, "Excel Files (*.xlsx)|*.xlsx"}, {".txt", 255, "Text Files (*.txt)|*.txt"}});
  if (!name.empty()) FSheet.SaveAs(name);
}

void TTableWindow::Print()
{
  if (!PreparePrinter(windowTitle())) return;
  QPrinter& printer = ProgramPrinter();
  QPainter painter(&printer);
  const QRectF area = PrintArea(printer);
  const double scale =
      std::min(area.width() / std::max(1, FView->width()), area.height() / std::max(1, FView->height()));
  painter.translate(area.topLeft());
  painter.scale(scale, scale);
  FView->render(&painter);
}

}  // namespace umbrinex
