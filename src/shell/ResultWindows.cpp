#include "shell/ResultWindows.h"

#include <QApplication>
#include <QTextDocument>
#include <QPlainTextEdit>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "bend/Bend.h"
#include "graphics/DrawingFiles.h"
#include "graphics/Graph.h"
#include "graphics/StiffenerDrawing.h"
#include "persistence/FileClass.h"
#include "shell/ErrorHandler.h"
#include "shell/FileDialogs.h"
#include "shell/Preferences.h"
#include "shell/Printing.h"

namespace umbrinex {

namespace {

// The filters of the export dialogs, in the order the dialogs offer them.
const TFileClass PictureClasses[] = {
    {".svg", 255, "SVG Pictures (*.svg)|*.svg"},
    {".pdf", 255, "PDF Documents (*.pdf)|*.pdf"},
    {".png", 255, "PNG Pictures (*.png)|*.png"},
    {".bmp", 255, "Bitmap (*.bmp)|*.bmp"},
};
const TFileClass TableClasses[] = {
    {".xlsx", 255, "Excel Files (*.xlsx)|*.xlsx"},
    {".txt", 255, "Text Files (*.txt)|*.txt"},
};
const TFileClass PdfClass{".pdf", 255, "PDF Documents (*.pdf)|*.pdf"};
const TFileClass TextClasses[] = {
    {".rtf", 255, "Rich Text Files (*.rtf)|*.rtf"},
    {".txt", 255, "Text Files (*.txt)|*.txt"},
};

// The name the user chose, with the extension of the chosen filter when
// the name has none; empty when the dialog was cancelled.
std::string AskExportName(const TFileClass* classes, int count)
{
  TFileDialogRequest request;
  request.Title = "Export";
  request.Classes.assign(classes, classes + count);
  TFileDialogAnswer answer;
  if (!FileDialogs().Save(request, answer) || answer.FileNames.empty()) return {};
  std::string name = answer.FileNames.front();
  const int chosen = std::clamp(answer.SelectedClass, 0, count - 1);
  if (QFileInfo(QString::fromStdString(name)).suffix().isEmpty()) name += classes[chosen].DefaultExtension;
  return name;
}

bool Monochrome()
{
  return Preferences().MonochromeOutput.CurrentValue();
}

QAction* AddMenuCommand(QMenu* menu, const QString& caption, std::function<void()> command)
{
  QAction* action = menu->addAction(caption);
  QObject::connect(action, &QAction::triggered, menu, [command = std::move(command)] { Guarded(command); });
  return action;
}

void AddMonochromeToggle(QMenu* menu)
{
  QAction* mono = menu->addAction(QStringLiteral("&Monochrome Output"));
  mono->setCheckable(true);
  // The setting is shared by every window, so the tick is read as the menu opens.
  QObject::connect(menu, &QMenu::aboutToShow, mono, [mono] { mono->setChecked(Monochrome()); });
  QObject::connect(mono, &QAction::triggered, menu, [] { Preferences().MonochromeOutput.Toggle(); });
}

}  // namespace

QRectF PrintArea(const QPrinter& printer)
{
  const QRect page = printer.pageLayout().fullRectPixels(printer.resolution());
  const QRect paintable = printer.pageLayout().paintRectPixels(printer.resolution());
  const double pixelsPerMm = printer.resolution() / 25.4;
  const TProgramPreferences& p = Preferences();
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
  request.Classes = {PdfClass};
  TFileDialogAnswer answer;
  if (!FileDialogs().Save(request, answer) || answer.FileNames.empty()) return false;
  printer.setOutputFileName(QString::fromStdString(answer.FileNames.front()));
  return true;
}

// ---- TResultWindow ----

TResultWindow::TResultWindow(QWidget* parent) : QWidget(parent), FMenu(new QMenu(this))
{
  AddMenuCommand(FMenu, QStringLiteral("&Copy"), [this] { Copy(); });
  FExtrasPlace = FMenu->addSeparator();
  AddMenuCommand(FMenu, QStringLiteral("&Export.."), [this] { Export(); });
  auto* printers = new QMenu(QStringLiteral("Sele&cted Printer"), FMenu);
  FMenu->addMenu(printers);
  new TPrinterMenu(FMenu, printers);
  AddMenuCommand(FMenu, QStringLiteral("Printer Set&up.."), [this] { ShowPrinterSetup(this); });
  AddMenuCommand(FMenu, QStringLiteral("P&rint"), [this] { Print(); });
  FMenu->addSeparator();
  AddMonochromeToggle(FMenu);
}

void TResultWindow::contextMenuEvent(QContextMenuEvent* event)
{
  FMenu->popup(event->globalPos());
}

// ---- TGraphWindow ----

TGraphWindow::TGraphWindow(TBend& bend, TResultsGraph kind, QWidget* parent)
    : TResultWindow(parent), FKind(kind), FEngine(ResultsGraphBuilder(bend, kind))
{
  ConfigureResultsGraph(FEngine, kind);
  FGraph = new TGraph(FEngine, this);
  FGraph->setContextMenuPolicy(Qt::NoContextMenu);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FGraph);
  QAction* undoZoom = new QAction(QStringLiteral("&Undo Zoom"), this);
  ContextMenu()->insertAction(ContextMenu()->actions().value(0), undoZoom);
  connect(undoZoom, &QAction::triggered, this, [this] { FGraph->UndoZoom(); });
  connect(ContextMenu(), &QMenu::aboutToShow, undoZoom, [this, undoZoom] { undoZoom->setEnabled(FGraph->Zoomed()); });
  ContextMenu()->addSeparator();
  AddMenuCommand(ContextMenu(), QStringLiteral("Pr&operties"), [this] { FGraph->ShowProperties(); });
}

TGraphWindow::~TGraphWindow()
{
  // The graph paints the engine: it goes first.
  delete FGraph;
}

void TGraphWindow::Refresh()
{
  FEngine.Rebuild(rfTitles | rfData | rfRanges);
  FGraph->update();
}

void TGraphWindow::PrepareOutput()
{
  FGraph->SetMonochrome(Monochrome());
  FGraph->SetHeaderText(ReportTitle ? ReportTitle() : std::string());
}

void TGraphWindow::Copy()
{
  PrepareOutput();
  FGraph->CopyToClipboard();
}

void TGraphWindow::Export()
{
  const std::string name = AskExportName(PictureClasses, 4);
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

// ---- TViewWindow ----

TViewWindow::TViewWindow(TBend& bend, int mode, QWidget* parent) : TResultWindow(parent), FBend(bend), FMode(mode)
{
  setMinimumSize(50, 50);
  FViewPort.SetAzimuth(264.0);
  FViewPort.SetElevation(90.0);
}

std::string TViewWindow::DrawingName() const
{
  return FMode == amDeflectedShape ? "Deflected Shape" : "General Arrangement";
}

void TViewWindow::Draw(QPainter& painter, const QSize& size, int colourMode, int penFactor)
{
  FViewPort.SetSize(std::max(1, size.width()), std::max(1, size.height()));
  FViewPort.SetColourMode(colourMode);
  FViewPort.SetPenFactor(penFactor);
  FViewPort.SetBackground(Preferences().ViewBackgroundColour.CurrentValue());
  PlaceView(FBend, FViewPort, FMode);
  FViewPort.BeginDraw(painter);
  try {
    DrawView(FBend, FViewPort, FMode);
  } catch (...) {
    FViewPort.EndDraw();
    throw;
  }
  FViewPort.EndDraw();
}

void TViewWindow::Refresh()
{
  RenderBitmap();
  update();
}

void TViewWindow::RenderBitmap()
{
  QImage bitmap(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  const TColour background = Preferences().ViewBackgroundColour.CurrentValue();
  bitmap.fill(QColor(background & 0xFF, (background >> 8) & 0xFF, (background >> 16) & 0xFF));
  {
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, bitmap.size(), cmNormal, 1);
  }
  FBitmap = std::move(bitmap);
}

void TViewWindow::paintEvent(QPaintEvent*)
{
  // A resized window draws afresh when it is next seen, so that a hidden
  // view never calculates; errors were reported when the view was
  // selected, and the old picture stays.
  if (FBitmap.size() != size()) {
    try {
      RenderBitmap();
    } catch (...) {
    }
  }
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!FBitmap.isNull()) painter.drawImage(0, 0, FBitmap);
}

void TViewWindow::Copy()
{
  auto* mime = new QMimeData;
  const QString svgName =
      QDir::temp().filePath(QStringLiteral("umbrinex-copy-%1.svg").arg(QCoreApplication::applicationPid()));
  try {
    RenderDrawingToFile(FBend, DrawingName(), FBend.SelectedLoadCase() + 1, svgName.toStdString());
    QFile svg(svgName);
    if (svg.open(QIODevice::ReadOnly)) mime->setData(QStringLiteral("image/svg+xml"), svg.readAll());
  } catch (...) {
    QFile::remove(svgName);
    delete mime;
    throw;
  }
  QFile::remove(svgName);
  mime->setImageData(FBitmap);
  QApplication::clipboard()->setMimeData(mime);
}

void TViewWindow::Export()
{
  const std::string name = AskExportName(PictureClasses, 4);
  if (name.empty()) return;
  RenderDrawingToFile(FBend, DrawingName(), FBend.SelectedLoadCase() + 1, name);
}

void TViewWindow::Print()
{
  if (!PreparePrinter(QStringLiteral("Umbrinex %1").arg(QString::fromStdString(DrawingName())))) return;
  QPrinter& printer = ProgramPrinter();
  const QRectF area = PrintArea(printer);
  // The window's shape, as large as the area allows.
  const QSizeF shape = QSizeF(std::max(1, width()), std::max(1, height())).scaled(area.size(), Qt::KeepAspectRatio);
  const QRect target(area.topLeft().toPoint(), shape.toSize());
  QPainter painter(&printer);
  painter.setPen(Qt::black);
  painter.drawRect(target);
  painter.translate(target.topLeft());
  const int penFactor = std::max(1, static_cast<int>(printer.resolution() / std::max(1, logicalDpiX())));
  Draw(painter, target.size(), Monochrome() ? cmBlack : cmNormal, penFactor);
}

// ---- TWorkbookModel ----

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
      if (cell.Format.Alignment == THorizontalAlignment::Centre) return QVariant(Qt::AlignCenter);
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
  setWindowTitle(QStringLiteral("Umbrinex Results"));
  resize(800, 600);
  FModel = new TWorkbookModel(FWorkbook, this);
  FView = new QTableView;
  FView->setModel(FModel);
  FView->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FView->setContextMenuPolicy(Qt::NoContextMenu);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FView);

  QAction* selectAll = AddMenuCommand(FMenu, QStringLiteral("Select &All"), [this] { SelectAll(); });
  selectAll->setShortcut(QKeySequence::SelectAll);
  QAction* copy = AddMenuCommand(FMenu, QStringLiteral("&Copy"), [this] { Copy(); });
  copy->setShortcut(QKeySequence::Copy);
  addActions({selectAll, copy});
  FMenu->addSeparator();
  AddMenuCommand(FMenu, QStringLiteral("&Export.."), [this] { Export(); });
  AddMenuCommand(FMenu, QStringLiteral("P&rint.."), [this] { Print(); });
  FMenu->addSeparator();
  AddMonochromeToggle(FMenu);
}

void TTableWindow::Reload()
{
  FModel->Reload();
  FView->resizeColumnsToContents();
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
  const std::string name = AskExportName(TableClasses, 2);
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

// ---- text window ----

std::string RichTextDocument(const std::string& text)
{
  std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\\f0\\fs20 ";
  const QString unicode = QString::fromUtf8(text.c_str(), static_cast<qsizetype>(text.size()));
  for (const QChar c : unicode) {
    const char16_t u = c.unicode();
    if (u == '\n') rtf += "\\par\n";
    else if (u == '\\' || u == '{' || u == '}') rtf.append(1, '\\').append(1, static_cast<char>(u));
    else if (u == '\r') continue;
    else if (u < 0x80) rtf += static_cast<char>(u);
    // Other characters as Unicode escapes, with '?' for readers without them.
    else rtf += "\\u" + std::to_string(static_cast<std::int16_t>(u)) + "?";
  }
  return rtf + "}";
}

TTextWindow::TTextWindow(QWidget* parent) : QDialog(parent), FEditor(new QPlainTextEdit(this)), FMenu(new QMenu(this))
{
  resize(700, 500);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(FEditor);
  FEditor->setReadOnly(true);
  FEditor->setLineWrapMode(QPlainTextEdit::NoWrap);
  FEditor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  FEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(13);
  FEditor->setFont(font);
  FEditor->setContextMenuPolicy(Qt::NoContextMenu);
  FCopy = AddMenuCommand(FMenu, QStringLiteral("&Copy"), [this] { Copy(); });
  AddMenuCommand(FMenu, QStringLiteral("Select &All"), [this] { SelectAll(); });
  FMenu->addSeparator();
  AddMenuCommand(FMenu, QStringLiteral("&Export.."), [this] { Export(); });
  AddMenuCommand(FMenu, QStringLiteral("&Print"), [this] { Print(); });
}

void TTextWindow::SetText(const std::string& text) { FEditor->setPlainText(QString::fromStdString(text)); }

std::string TTextWindow::Text() const { return FEditor->toPlainText().toStdString(); }

void TTextWindow::Copy()
{
  if (FEditor->textCursor().hasSelection()) FEditor->copy();
}

void TTextWindow::SelectAll() { FEditor->selectAll(); }

void TTextWindow::Export()
{
  const std::string name = AskExportName(TextClasses, 2);
  if (!name.empty()) ExportTo(name);
}

void TTextWindow::ExportTo(const std::string& fileName) const
{
  const bool rich = QFileInfo(QString::fromStdString(fileName)).suffix().compare(QStringLiteral("rtf"),
                                                                                 Qt::CaseInsensitive) == 0;
  const std::string content = rich ? RichTextDocument(Text()) : Text();
  QFile file(QString::fromStdString(fileName));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(content.data(), static_cast<qint64>(content.size())) != static_cast<qint64>(content.size()))
    throw EExpected("Cannot write the file '" + fileName + "'.");
}

void TTextWindow::Print()
{
  if (!PreparePrinter(windowTitle())) return;
  QPrinter& printer = ProgramPrinter();
  const QRectF area = PrintArea(printer);
  std::unique_ptr<QTextDocument> document(FEditor->document()->clone());
  document->setDefaultFont(FEditor->font());
  document->setPageSize(area.size());
  QPainter painter(&printer);
  for (int page = 0; page < document->pageCount(); ++page) {
    if (page > 0) printer.newPage();
    painter.save();
    painter.translate(area.left(), area.top() - page * area.height());
    document->drawContents(&painter, QRectF(0, page * area.height(), area.width(), area.height()));
    painter.restore();
  }
}

void TTextWindow::contextMenuEvent(QContextMenuEvent* event)
{
  FCopy->setEnabled(FEditor->textCursor().hasSelection());
  FMenu->exec(event->globalPos());
}

}  // namespace umbrinex
