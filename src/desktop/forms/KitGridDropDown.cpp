#include "desktop/forms/KitGridDropDown.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "desktop/forms/KitGrid.h"
#include "desktop/kit/ErrorHandler.h"
#include "graphics/QtColours.h"

namespace umbrinex {

namespace {

// Pen styles are shown as line samples rather than names.
class TPenStyleDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
  {
    QStyleOptionViewItem plain = option;
    plain.text.clear();
    QStyledItemDelegate::paint(painter, plain, index);
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setPen(QPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 1,
                         ToQtPenStyle(index.row())));
    const int y = option.rect.center().y();
    painter->drawLine(option.rect.left() + 4, y, option.rect.right() - 4, y);
    painter->restore();
  }
};

}  // namespace

TKitGridDropDownList::TKitGridDropDownList(TKitGrid& grid) : QListWidget(&grid), FGrid(grid), FTarget(*this)
{
  setWindowFlags(Qt::Popup);
  setUniformItemSizes(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

bool TKitGridDropDownList::Open(TGridCoord cell)
{
  TGridCore& core = FGrid.Core();
  if (!core.CellEditable(cell.Col, cell.Row)) return false;
  FCell = cell;
  const TColumn& column = core.Column(cell.Col);
  setItemDelegate(column.VarType == vtPenStyle ? new TPenStyleDelegate(this) : new QStyledItemDelegate(this));
  if (!core.FillList(cell.Col, cell.Row, FTarget) || count() == 0) return false;
  const QRect rect = FGrid.CellRect(cell.Col, cell.Row);
  const int itemHeight = std::max(rect.height() - 3, fontMetrics().height());
  for (int i = 0; i < count(); ++i) item(i)->setSizeHint(QSize(rect.width(), itemHeight));
  const int visible = std::min(count(), std::max(column.FieldWidth2, 8));
  const QPoint topLeft = FGrid.viewport()->mapToGlobal(rect.topLeft() + QPoint(-1, -2));
  setGeometry(QRect(topLeft, QSize(rect.width() + 2, visible * itemHeight + 2 * frameWidth())));
  if (currentRow() >= 0) scrollToItem(currentItem());
  FOpen = true;
  show();
  setFocus();
  return true;
}

void TKitGridDropDownList::Dismiss()
{
  FOpen = false;
  hide();
}

bool TKitGridDropDownList::Commit()
{
  const TGridOutcome outcome = FGrid.Core().CommitList(FCell.Col, FCell.Row, FTarget);
  FGrid.Report(outcome);
  return outcome.Status.Code != acInvalidValue;
}

void TKitGridDropDownList::keyPressEvent(QKeyEvent* event)
{
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Guarded([this] {
        if (!Commit()) return;
        FOpen = false;
        hide();
      });
      return;
    case Qt::Key_Escape:
      Dismiss();
      return;
    default:
      QListWidget::keyPressEvent(event);
  }
}

void TKitGridDropDownList::mouseReleaseEvent(QMouseEvent* event)
{
  QListWidget::mouseReleaseEvent(event);
  if (!itemAt(event->position().toPoint())) return;
  Guarded([this] {
    if (!Commit()) return;
    FOpen = false;
    hide();
  });
}

void TKitGridDropDownList::hideEvent(QHideEvent* event)
{
  QListWidget::hideEvent(event);
  // Closed by a click elsewhere: leaving the list commits its choice.
  if (FOpen) {
    FOpen = false;
    Guarded([this] { Commit(); });
  }
  FGrid.setFocus();
}

}  // namespace umbrinex
