#include "desktop/forms/KitGrid.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QStyle>

#include "framework/data/DataAccess.h"
#include "desktop/forms/KitGridDropDown.h"
#include "desktop/forms/KitHint.h"
#include "desktop/kit/ErrorHandler.h"
#include "graphics/QtColours.h"

namespace umbrinex {

namespace {

std::optional<TGridColour> ColourDialog(TGridColour current, QWidget* parent)
{
  // The dialog keeps its custom colours for as long as the program runs.
  const QColor chosen = QColorDialog::getColor(ToQColor(current), parent);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

TKitGrid::TColourChooser& ColourChooser()
{
  static TKitGrid::TColourChooser chooser = &ColourDialog;
  return chooser;
}

}  // namespace

void TKitGrid::SetColourChooser(TColourChooser chooser)
{
  ColourChooser() = chooser ? chooser : &ColourDialog;
}

TKitGrid::TKitGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(false);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalScrollBar()->setSingleStep(1);
  FCore.OnInvalidate = [this] { CoreInvalidated(); };
}

TKitGrid::~TKitGrid()
{
  // Nothing commits into the model while the grid goes.
  if (FDropDown) FDropDown->Dismiss();
  if (FEditor) FEditor->removeEventFilter(this);
  FCore.OnInvalidate = nullptr;
  FCore.SetCounter(nullptr);
}

void TKitGrid::SetCounter(TKitGrid* counter)
{
  FCore.SetCounter(counter ? &counter->FCore : nullptr);
  FCounter = counter;
}

// ---- layout ----

void TKitGrid::CoreInvalidated()
{
  FLayoutValid = false;
  viewport()->update();
  // Many changes in a row lay the grid out once.
  if (FRefreshPosted) return;
  FRefreshPosted = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        FRefreshPosted = false;
        Layout();
        ApplyLayout();
      },
      Qt::QueuedConnection);
}

const TGridLayout& TKitGrid::Layout()
{
  if (!FLayoutValid) {
    ComputeLayout();
    ApplyLayout();
  }
  return FLayout;
}

void TKitGrid::ComputeLayout()
{
  QPaintDevice* device = FCore.OutputMode == omPrinting && FPrinter ? FPrinter : static_cast<QPaintDevice*>(this);
  const QFontMetricsF metrics(font(), device);
  // Characters measured on the printer count in screen pixels.
  const double scale = device == this ? 1.0 : double(logicalDpiX()) / std::max(device->logicalDpiX(), 1);
  FCharWidth = metrics.horizontalAdvance(QStringLiteral("0123456789")) / 10.0 * scale;
  FCharHeight = metrics.height() * scale;
  TGridMetrics m;
  m.CharWidth = FCharWidth;
  m.CharHeight = FCharHeight;
  m.BorderWidth = frameWidth();
  m.ClientWidth = width() - 2 * frameWidth();
  m.ScrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  m.ScrollBarHeight = m.ScrollBarWidth;
  FLayout = LayoutGrid(FCore, m);
  FLayoutValid = true;
}

void TKitGrid::ApplyLayout()
{
  setVerticalScrollBarPolicy(FLayout.VerticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(FLayout.HorizontalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  if (height() != FLayout.ControlHeight) setFixedHeight(FLayout.ControlHeight);
  UpdateScrollBars();
  if (FEditor && FEditor->isVisible()) PlaceEditor();
}

int TKitGrid::RowPitch()
{
  const TGridLayout& layout = Layout();
  return static_cast<int>(std::lround(FCharHeight * FCore.DesignRowHeight)) + layout.GridLineWidth();
}

void TKitGrid::SetRowsShown(int rows)
{
  if (rows == FCore.RowsShown()) return;
  FCore.SetRowsShown(rows);
  FCore.Invalidate();
  // The control takes its new height now, not at the next paint.
  Layout();
}

void TKitGrid::UpdateScrollBars()
{
  const int shownDataRows = std::max(FCore.RowsShown() - FCore.FixedRows(), 1);
  verticalScrollBar()->setRange(0, std::max(0, FCore.DataRowCount() - shownDataRows));
  verticalScrollBar()->setPageStep(shownDataRows);
  horizontalScrollBar()->setRange(0, std::max(0, FLayout.TotalWidth() - viewport()->width()));
  horizontalScrollBar()->setPageStep(std::max(viewport()->width(), 1));
}

void TKitGrid::resizeEvent(QResizeEvent* event)
{
  QAbstractScrollArea::resizeEvent(event);
  FLayoutValid = false;
}

void TKitGrid::scrollContentsBy(int /*dx*/, int /*dy*/)
{
  if (FEditor && FEditor->isVisible()) PlaceEditor();
  viewport()->update();
}

void TKitGrid::SetOutputMode(TGridOutputMode mode, QPaintDevice* printer)
{
  FCore.OutputMode = mode;
  FPrinter = printer;
  FCore.Invalidate();
}

// ---- geometry ----

int TKitGrid::TopRow() const
{
  return FCore.FixedRows() + verticalScrollBar()->value();
}

void TKitGrid::SetTopRow(int row)
{
  verticalScrollBar()->setValue(row - FCore.FixedRows());
}

QRect TKitGrid::CellRect(int col, int row)
{
  const TGridLayout& layout = Layout();
  if (col < 0 || col >= FCore.ColCount() || row < 0 || row >= FCore.RowCount()) return {};
  const int line = layout.GridLineWidth();
  int x = -horizontalScrollBar()->value();
  for (int c = 0; c < col; ++c) x += layout.ColumnWidths[std::size_t(c)] + line;
  int y = 0;
  if (row >= FCore.FixedRows() && row < TopRow()) return {};
  for (int r = 0; r < FCore.FixedRows() && r < row; ++r) y += layout.RowHeight(r) + line;
  for (int r = std::max(TopRow(), FCore.FixedRows()); r < row; ++r) y += layout.RowHeight(r) + line;
  return QRect(x, y, layout.ColumnWidths[std::size_t(col)], layout.RowHeight(row));
}

std::optional<TGridCoord> TKitGrid::CellAt(const QPoint& point)
{
  const TGridLayout& layout = Layout();
  const int line = layout.GridLineWidth();
  int col = -1;
  for (int c = 0, x = -horizontalScrollBar()->value(); c < FCore.ColCount(); ++c) {
    const int right = x + layout.ColumnWidths[std::size_t(c)] + line;
    if (point.x() >= x && point.x() < right) col = c;
    x = right;
  }
  if (col < 0) return std::nullopt;
  int y = 0;
  for (int r = 0; r < FCore.RowCount() && y <= point.y(); ++r) {
    if (r >= FCore.FixedRows() && r < TopRow()) continue;
    const int bottom = y + layout.RowHeight(r) + line;
    if (point.y() >= y && point.y() < bottom) return TGridCoord{col, r};
    y = bottom;
  }
  return std::nullopt;
}

// ---- reporting and moving ----

void TKitGrid::Report(const TGridOutcome& outcome)
{
  if (!outcome.Refused()) return;
  QApplication::beep();
  QRect rect = CellRect(outcome.Cell.Col, outcome.Cell.Row);
  const QPoint below = rect.isEmpty() ? QPoint(0, viewport()->height()) : rect.bottomLeft() + QPoint(0, 1);
  ShowDataHint(outcome.HintText(), viewport()->mapToGlobal(below));
}

void TKitGrid::MoveCurrent(int col, int row, bool extend)
{
  const TGridCoord before = FCore.Current();
  SelectCell(col, row, extend);
  const TGridCoord after = FCore.Current();
  if (after.Col != before.Col || after.Row != before.Row) emit CurrentCellChanged(after.Col, after.Row);
}

void TKitGrid::SelectCell(int col, int row, bool extend)
{
  FCore.MoveTo(col, row, extend);
  ScrollIntoView(FCore.Current().Row);
  viewport()->update();
}

void TKitGrid::ScrollIntoView(int row)
{
  if (row < FCore.FixedRows()) return;
  const int shownDataRows = std::max(FCore.RowsShown() - FCore.FixedRows(), 1);
  if (row < TopRow())
    SetTopRow(row);
  else if (row >= TopRow() + shownDataRows)
    SetTopRow(row - shownDataRows + 1);
}

// ---- keys ----

bool TKitGrid::event(QEvent* event)
{
  // The grid's own keys win over menu shortcuts of the form.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool control = key->modifiers() & Qt::ControlModifier;
    const int k = key->key();
    if ((control &&
         (k == Qt::Key_C || k == Qt::Key_V || k == Qt::Key_D || k == Qt::Key_U || k == Qt::Key_R || k == Qt::Key_L)) ||
        (!control && (k == Qt::Key_Insert || k == Qt::Key_Delete))) {
      event->accept();
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

bool TKitGrid::HandleCommandKey(QKeyEvent* event)
{
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  if (modifiers & Qt::ControlModifier) {
    switch (event->key()) {
      case Qt::Key_C:
        CopyToClipboard();
        return true;
      case Qt::Key_V:
        PasteFromClipboard();
        return true;
      case Qt::Key_D:
        Report(FCore.Fill(shift ? TFillDirection::Up : TFillDirection::Down));
        return true;
      case Qt::Key_U:
        Report(FCore.Fill(TFillDirection::Up));
        return true;
      case Qt::Key_R:
        Report(FCore.Fill(shift ? TFillDirection::Left : TFillDirection::Right));
        return true;
      case Qt::Key_L:
        Report(FCore.Fill(TFillDirection::Left));
        return true;
      default:
        return false;
    }
  }
  if (modifiers != Qt::NoModifier) return false;
  if (event->key() == Qt::Key_Insert) {
    Report(FCore.InsertRow());
    return true;
  }
  if (event->key() == Qt::Key_Delete) {
    Report(FCore.DeleteRow());
    return true;
  }
  return false;
}

bool TKitGrid::HandleMoveKey(QKeyEvent* event)
{
  const TGridCoord current = FCore.Current();
  const bool extend = event->modifiers() & Qt::ShiftModifier;
  const bool control = event->modifiers() & Qt::ControlModifier;
  const int page = std::max(FCore.RowsShown() - FCore.FixedRows(), 1);
  int col = current.Col, row = current.Row;
  switch (event->key()) {
    case Qt::Key_Up:
      --row;
      break;
    case Qt::Key_Down:
      ++row;
      break;
    case Qt::Key_Left:
      --col;
      break;
    case Qt::Key_Right:
      ++col;
      break;
    case Qt::Key_PageUp:
      row -= page;
      break;
    case Qt::Key_PageDown:
      row += page;
      break;
    case Qt::Key_Home:
      (control ? row : col) = 0;
      break;
    case Qt::Key_End:
      (control ? row : col) = control ? FCore.RowCount() - 1 : FCore.ColCount() - 1;
      break;
    default:
      return false;
  }
  MoveCurrent(col, row, extend);
  return true;
}

void TKitGrid::keyPressEvent(QKeyEvent* event)
{
  bool handled = true;
  Guarded([&] {
    if (HandleCommandKey(event) || HandleMoveKey(event)) return;
    const TVarType type = FCore.Column(FCore.Current().Col).VarType;
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    switch (event->key()) {
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        // Ctrl+Tab leaves the grid; a plain Tab moved between its cells
        // before the key got here.
        if (event->modifiers() & Qt::ControlModifier)
          LeaveGrid(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        else
          handled = false;
        return;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        // In a number field Enter is the form's, as in a text field.
        if (IsNumberField()) {
          handled = false;
          return;
        }
        OpenCell();
        return;
      case Qt::Key_F2:
        OpenCell();
        return;
      case Qt::Key_F4:
        if (type == vtList || type == vtPenStyle) OpenDropDown();
        return;
      default:
        break;
    }
    if ((event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) && type == vtList) {
      OpenDropDown();
    } else if (plain && !text.isEmpty() && text.at(0).isPrint()) {
      OpenCell(text);
    } else {
      handled = false;
    }
  });
  if (!handled) QAbstractScrollArea::keyPressEvent(event);
}

// ---- mouse ----

bool TKitGrid::OnDropDownButton(int col, int row, const QPoint& point)
{
  const TVarType type = FCore.Column(col).VarType;
  if (type != vtList && type != vtPenStyle) return false;
  const QRect rect = CellRect(col, row);
  return point.x() >= rect.right() - rect.height();
}

void TKitGrid::mousePressEvent(QMouseEvent* event)
{
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  const std::optional<TGridCoord> cell = CellAt(event->position().toPoint());
  if (!cell || cell->Row < FCore.FixedRows() || cell->Col < FCore.FixedCols()) return;
  if (FEditor && FEditor->isVisible() && !(FCore.PendingCell() == *cell) && !CommitEditor()) return;
  Guarded([&] {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool wasCurrent = FCore.Current() == *cell && !FCore.RangeSelected();
    MoveCurrent(cell->Col, cell->Row, shift);
    FDragging = !shift;
    if (shift) return;
    const TVarType type = FCore.Column(cell->Col).VarType;
    if (type == vtSpin) {
      const QRect rect = CellRect(cell->Col, cell->Row);
      Report(FCore.Spin(cell->Col, cell->Row, event->position().y() < rect.center().y()));
    } else if (OnDropDownButton(cell->Col, cell->Row, event->position().toPoint())) {
      OpenDropDown();
    } else if (wasCurrent && !(FEditor && FEditor->isVisible())) {
      // A click on the current cell opens it, as a double click does.
      OpenCell();
    }
  });
}

void TKitGrid::mouseMoveEvent(QMouseEvent* event)
{
  if (!FDragging || !(event->buttons() & Qt::LeftButton)) return;
  if (const std::optional<TGridCoord> cell = CellAt(event->position().toPoint()))
    if (cell->Row >= FCore.FixedRows() && !(FCore.Current() == *cell)) MoveCurrent(cell->Col, cell->Row, true);
}

void TKitGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
  mousePressEvent(event);
}

void TKitGrid::focusInEvent(QFocusEvent* event)
{
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TKitGrid::focusOutEvent(QFocusEvent* event)
{
  QAbstractScrollArea::focusOutEvent(event);
  FDragging = false;
  viewport()->update();
}

// ---- editing ----

void TKitGrid::OpenCell(const QString& typed)
{
  const TGridCoord cell = FCore.Current();
  if (!FCore.CanEdit(cell.Col, cell.Row)) return;
  switch (FCore.Column(cell.Col).VarType) {
    case vtEnum:
    case vtBool:
      Report(FCore.Cycle(cell.Col, cell.Row, true));
      return;
    case vtSpin:
      Report(FCore.Spin(cell.Col, cell.Row, true));
      return;
    case vtList:
    case vtPenStyle:
      OpenDropDown();
      return;
    case vtColour:
      ChooseColour();
      return;
    default:
      OpenTextEditor(typed.isEmpty() ? QString::fromStdString(FCore.EditText(cell.Col, cell.Row)) : typed,
                     !typed.isEmpty());
  }
}

void TKitGrid::OpenTextEditor(const QString& text, bool typed)
{
  if (!FEditor) {
    FEditor = new QLineEdit(viewport());
    FEditor->setFrame(false);
    FEditor->installEventFilter(this);
    connect(FEditor, &QLineEdit::textEdited, this,
            [this](const QString& edited) { FCore.SetEditText(edited.toStdString()); });
  }
  FCore.BeginEdit(text.toStdString());
  const TColumn& column = FCore.Column(FCore.Current().Col);
  const TAlignment alignment = column.Alignment;
  // The text stays where the cell shows it.
  const int margin = int(std::lround(column.Margin * FCharWidth));
  FEditor->setTextMargins(alignment == taLeftJustify ? margin : 0, 0, alignment == taRightJustify ? margin : 0, 0);
  FEditor->setAlignment(alignment == taLeftJustify ? Qt::AlignLeft
                        : alignment == taCenter    ? Qt::AlignHCenter
                                                   : Qt::AlignRight);
  FEditor->setText(text);
  PlaceEditor();
  FEditor->show();
  FEditor->setFocus(Qt::OtherFocusReason);
  if (typed)
    FEditor->end(false);
  else
    FEditor->selectAll();
}

void TKitGrid::PlaceEditor()
{
  const TGridCoord cell = FCore.PendingCell();
  FEditor->setGeometry(CellRect(cell.Col, cell.Row));
}

bool TKitGrid::CommitEditor()
{
  if (!FCore.HasPendingEdit()) {
    CloseEditor();
    return true;
  }
  TGridOutcome outcome;
  Guarded([&] { outcome = FCore.CommitEdit(); });
  if (outcome.Refused()) {
    Report(outcome);
    // The editor stays open with the rejected text.
    if (FEditor) FEditor->setFocus(Qt::OtherFocusReason);
    return false;
  }
  CloseEditor();
  return true;
}

void TKitGrid::CloseEditor()
{
  FCore.CancelEdit();
  if (!FEditor || !FEditor->isVisible()) return;
  FClosingEditor = true;
  const bool hadFocus = FEditor->hasFocus();
  FEditor->hide();
  if (hadFocus) setFocus(Qt::OtherFocusReason);
  FClosingEditor = false;
  viewport()->update();
}

bool TKitGrid::CommitPendingEdit()
{
  if (!FCore.HasPendingEdit()) return true;
  if (FEditor && FEditor->isVisible()) return CommitEditor();
  TGridOutcome outcome;
  Guarded([&] { outcome = FCore.CommitEdit(); });
  Report(outcome);
  return !outcome.Refused();
}

bool TKitGrid::IsNumberField() const
{
  if (FCore.FixedRows() != 0 || FCore.Counter() != nullptr || FCore.DataRowCount() != 1) return false;
  // Cells that cycle or open a list or dialog keep Enter for that.
  switch (FCore.Column(FCore.Current().Col).VarType) {
    case vtReal:
    case vtInt:
    case vtCard:
    case vtLong:
    case vtHex:
      return true;
    default:
      return false;
  }
}

bool TKitGrid::MoveByTab(bool forward)
{
  const std::optional<TGridCoord> target = FCore.TabTarget(forward);
  if (!target) return false;
  MoveCurrent(target->Col, target->Row, false);
  return true;
}

void TKitGrid::LeaveGrid(bool forward)
{
  QAbstractScrollArea::focusNextPrevChild(forward);
}

bool TKitGrid::focusNextPrevChild(bool next)
{
  // Tab and Shift+Tab go from cell to cell, as in a spreadsheet, and leave
  // the grid past its first and last cells.
  if (hasFocus() && MoveByTab(next)) return true;
  return QAbstractScrollArea::focusNextPrevChild(next);
}

bool TKitGrid::eventFilter(QObject* watched, QEvent* event)
{
  if (watched != FEditor) return QAbstractScrollArea::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (CommitEditor() && IsNumberField()) {
          // The value is in; the form takes the key as from a text field.
          QKeyEvent press(QEvent::KeyPress, key->key(), key->modifiers());
          QApplication::sendEvent(this, &press);
        }
        return true;
      case Qt::Key_Escape:
        CloseEditor();
        return true;
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        if (CommitEditor()) HandleMoveKey(key);
        return true;
      case Qt::Key_Tab:
      case Qt::Key_Backtab: {
        const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
        if (!CommitEditor()) return true;
        if ((key->modifiers() & Qt::ControlModifier) || !MoveByTab(forward)) LeaveGrid(forward);
        return true;
      }
      default:
        return false;
    }
  }
  if (event->type() == QEvent::FocusOut && !FClosingEditor && FEditor->isVisible()) {
    // Leaving the grid commits; a window losing activation does not.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) CommitEditor();
  }
  return false;
}

void TKitGrid::OpenDropDown()
{
  if (!FDropDown) FDropDown = new TKitGridDropDownList(*this);
  FDropDown->Open(FCore.Current());
}

void TKitGrid::ChooseColour()
{
  const TGridCoord cell = FCore.Current();
  const TCellRead read = FCore.ReadCell(cell.Col, cell.Row);
  const auto current = static_cast<TGridColour>(read.Value.ToInteger().value_or(0));
  if (const std::optional<TGridColour> chosen = ColourChooser()(current, this))
    Report(FCore.SetCell(cell.Col, cell.Row, TVariant(static_cast<std::int64_t>(*chosen)), vtColour));
}

// ---- clipboard ----

void TKitGrid::CopyToClipboard()
{
  const TGridClipboard copied = FCore.Copy();
  if (copied.Text.empty() && copied.Table.empty()) return;
  auto* mime = new QMimeData;
  mime->setText(QString::fromStdString(copied.Text));
  if (!copied.Table.empty())
    mime->setData(QString::fromLatin1(EditingTableMimeType),
                  QByteArray(reinterpret_cast<const char*>(copied.Table.data()), qsizetype(copied.Table.size())));
  QApplication::clipboard()->setMimeData(mime);
}

void TKitGrid::PasteFromClipboard()
{
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  if (!mime) return;
  TGridClipboard clipboard;
  const QString tableType = QString::fromLatin1(EditingTableMimeType);
  if (mime->hasFormat(tableType)) {
    const QByteArray bytes = mime->data(tableType);
    clipboard.Table.assign(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                           reinterpret_cast<const std::uint8_t*>(bytes.constData()) + bytes.size());
  }
  clipboard.Text = mime->text().toStdString();
  Report(FCore.Paste(clipboard));
}

}  // namespace umbrinex
