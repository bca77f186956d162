// Painting the data grid: title cells across the columns they cover, data
// cells by type (check boxes, spin buttons, drop-down buttons, colour
// swatches, pen samples, text), grey text where a cell cannot be changed,
// the selection, and each column's line at its right edge.

#include <algorithm>

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOption>

#include "desktop/forms/KitGrid.h"
#include "graphics/QtColours.h"

namespace umbrinex {

namespace {
// Pixels between a cell's edge and its text, whatever the margin.
constexpr int CellPadding = 2;
}  // namespace

QRect IndentedTextRect(const QRect& box, int textWidth, int margin, TAlignment alignment)
{
  // The margin indents the text from the side it is aligned to, as a
  // typist's indent does; where the text and the margin do not both fit,
  // the margin gives way, so that a number is never cut.
  const int indent = std::clamp(box.width() - textWidth, 0, std::max(margin, 0));
  switch (alignment) {
    case taLeftJustify:
      return box.adjusted(indent, 0, 0, 0);
    case taRightJustify:
      return box.adjusted(0, 0, -indent, 0);
    default:
      return box;
  }
}

class TKitGridPainter {
 public:
  TKitGridPainter(TKitGrid& grid, QPainter& painter)
      : FGrid(grid), FCore(grid.FCore), FLayout(grid.FLayout), FPainter(painter), FPalette(grid.palette())
  {
  }
  void Paint();

 private:
  int ColumnX(int col) const;
  void PaintTitleRow(int row, int y, int height);
  void PaintDataRow(int row, int y, int height);
  void PaintCell(int col, int row, const QRect& rect);
  void PaintRightLine(const QRect& rect, TLineFormat format);
  void PaintButton(const QRect& rect, QStyle::PrimitiveElement arrow, bool enabled);
  void PaintText(const QRect& rect, const QString& text, Qt::Alignment alignment, const QColor& colour);
  void PaintCellText(const QRect& rect, const QString& text, TAlignment alignment, int margin, const QColor& colour);

  TKitGrid& FGrid;
  TGridCore& FCore;
  const TGridLayout& FLayout;
  QPainter& FPainter;
  const QPalette& FPalette;
};

int TKitGridPainter::ColumnX(int col) const
{
  int x = -FGrid.horizontalScrollBar()->value();
  for (int c = 0; c < col; ++c) x += FLayout.ColumnWidths[std::size_t(c)] + FLayout.GridLineWidth();
  return x;
}

void TKitGridPainter::Paint()
{
  FPainter.fillRect(FGrid.viewport()->rect(), FPalette.color(QPalette::Base));
  const int viewportHeight = FGrid.viewport()->height();
  int y = 0;
  for (int row = 0; row < FCore.FixedRows(); ++row) {
    const int height = FLayout.RowHeight(row);
    PaintTitleRow(row, y, height);
    y += height + FLayout.GridLineWidth();
  }
  for (int row = FGrid.TopRow(); row < FCore.RowCount() && y < viewportHeight; ++row) {
    const int height = FLayout.RowHeight(row);
    if (height > 0) PaintDataRow(row, y, height);
    y += height + (height > 0 ? FLayout.GridLineWidth() : 0);
  }
}

void TKitGridPainter::PaintTitleRow(int row, int y, int height)
{
  // Titles print on white; on the screen they have the button face.
  const QColor face = FCore.OutputMode == omScreen ? FPalette.color(QPalette::Button) : QColor(Qt::white);
  const QColor line = FPalette.color(QPalette::Mid);
  std::vector<bool> covered(std::size_t(FCore.ColCount()), false);
  for (int col = FCore.ColCount() - 1; col >= 0; --col) {
    if (covered[std::size_t(col)]) continue;
    const auto& titles = FCore.Column(col).Titles();
    const TColumnTitle title = row < int(titles.size()) ? titles[std::size_t(row)] : TColumnTitle{};
    const int first = std::max(0, col - title.Extent() + 1);
    for (int c = first; c < col; ++c) covered[std::size_t(c)] = true;
    const int x = ColumnX(first);
    const int right = ColumnX(col) + FLayout.ColumnWidths[std::size_t(col)];
    const QRect rect(x, y, right - x, height);
    FPainter.fillRect(rect.adjusted(0, 0, 1, 1), face);
    QFont font = FGrid.font();
    font.setBold(title.FontStyle & fsBold);
    font.setItalic(title.FontStyle & fsItalic);
    FPainter.setFont(font);
    const Qt::Alignment alignment = title.Alignment == taLeftJustify    ? Qt::AlignLeft
                                    : title.Alignment == taRightJustify ? Qt::AlignRight
                                                                        : Qt::AlignHCenter;
    PaintText(rect.adjusted(2, 0, -2, 0), QString::fromStdString(FCore.TitleText(col, row)), alignment,
              FPalette.color(QPalette::ButtonText));
    FPainter.setPen(line);
    if (title.HorizontalLine) FPainter.drawLine(x, y + height, right, y + height);
    if (title.VerticalLine) FPainter.drawLine(right, y, right, y + height);
  }
  FPainter.setFont(FGrid.font());
}

void TKitGridPainter::PaintDataRow(int row, int y, int height)
{
  for (int col = 0; col < FCore.ColCount(); ++col) {
    const QRect rect(ColumnX(col), y, FLayout.ColumnWidths[std::size_t(col)], height);
    if (rect.right() < 0 || rect.left() > FGrid.viewport()->width()) continue;
    PaintCell(col, row, rect);
    FPainter.setPen(FPalette.color(QPalette::Mid));
    FPainter.drawLine(rect.left(), y + height, rect.right() + FLayout.GridLineWidth(), y + height);
    // A printed table has no line at its right edge.
    const bool lastPrinted = FCore.OutputMode == omPrinting && col == FCore.ColCount() - 1;
    PaintRightLine(rect, lastPrinted ? lfNone : FCore.Column(col).LineFormat);
  }
}

void TKitGridPainter::PaintRightLine(const QRect& rect, TLineFormat format)
{
  const int x = rect.left() + rect.width();
  switch (format) {
    case lfNone:
      return;
    case lfSingle:
      FPainter.setPen(FPalette.color(QPalette::Mid));
      FPainter.drawLine(x, rect.top(), x, rect.bottom() + 1);
      return;
    case lfDouble:
      FPainter.setPen(FPalette.color(QPalette::Dark));
      FPainter.drawLine(x, rect.top(), x, rect.bottom() + 1);
      FPainter.drawLine(x - 2, rect.top(), x - 2, rect.bottom() + 1);
      return;
    case lfThick:
      FPainter.setPen(FPalette.color(QPalette::Dark));
      FPainter.drawLine(x, rect.top(), x, rect.bottom() + 1);
      FPainter.drawLine(x - 1, rect.top(), x - 1, rect.bottom() + 1);
      return;
  }
}

void TKitGridPainter::PaintButton(const QRect& rect, QStyle::PrimitiveElement arrow, bool enabled)
{
  QStyleOptionButton button;
  button.rect = rect;
  button.palette = FPalette;
  button.state = enabled ? QStyle::State_Enabled | QStyle::State_Raised : QStyle::State_Raised;
  FGrid.style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &FPainter, &FGrid);
  QStyleOption option;
  option.rect = rect.adjusted(2, 2, -2, -2);
  option.palette = FPalette;
  option.state = button.state;
  FGrid.style()->drawPrimitive(arrow, &option, &FPainter, &FGrid);
}

void TKitGridPainter::PaintText(const QRect& rect, const QString& text, Qt::Alignment alignment, const QColor& colour)
{
  if (text.isEmpty()) return;
  FPainter.setPen(colour);
  FPainter.drawText(rect, int(alignment | Qt::AlignVCenter | Qt::TextSingleLine), text);
}

void TKitGridPainter::PaintCellText(const QRect& rect, const QString& text, TAlignment alignment, int margin,
                                    const QColor& colour)
{
  const int textWidth = QFontMetrics(FPainter.font()).horizontalAdvance(text);
  PaintText(IndentedTextRect(rect, textWidth, margin, alignment), text,
            alignment == taLeftJustify ? Qt::AlignLeft
            : alignment == taCenter    ? Qt::AlignHCenter
                                       : Qt::AlignRight,
            colour);
}

void TKitGridPainter::PaintCell(int col, int row, const QRect& rect)
{
  const TColumn& column = FCore.Column(col);
  const TGridRect selection = FCore.Selection();
  const bool focused = FGrid.hasFocus() || (FGrid.FEditor && FGrid.FEditor->hasFocus());
  const bool picked = (FCore.RangeSelected() && selection.Contains(col, row)) || FCore.IsMarked(col, row);
  const bool selected = picked && (focused || !FCore.HideSelection);
  QColor background = FPalette.color(QPalette::Base);
  if (column.VarType == vtEnum)
    background = FPalette.color(QPalette::Button);
  else if (!column.ParentColor && column.Color)
    background = ToQColor(*column.Color);
  if (selected) background = FPalette.color(QPalette::Highlight);
  FPainter.fillRect(rect, background);
  if (!FCore.IsCountedRow(row)) return;

  const bool editable = FCore.CellEditable(col, row);
  const QColor text = selected   ? FPalette.color(QPalette::HighlightedText)
                      : editable ? FPalette.color(QPalette::Text)
                                 : FPalette.color(QPalette::Disabled, QPalette::Text);
  const int margin = int(std::lround(column.Margin * FGrid.CharWidth()));
  QRect textRect = rect.adjusted(CellPadding, 0, -CellPadding, 0);
  switch (column.VarType) {
    case vtBool: {
      QStyleOptionButton box;
      const int size = FGrid.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &FGrid);
      box.rect = QRect(rect.center().x() - size / 2, rect.center().y() - size / 2, size, size);
      box.palette = FPalette;
      box.state = FCore.ReadCell(col, row).Value.ToInteger().value_or(0) != 0 ? QStyle::State_On : QStyle::State_Off;
      if (editable) box.state |= QStyle::State_Enabled;
      FGrid.style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &FPainter, &FGrid);
      break;
    }
    case vtSpin: {
      const QRect upper(rect.left(), rect.top(), rect.width(), rect.height() / 2);
      const QRect lower(rect.left(), upper.bottom() + 1, rect.width(), rect.height() - upper.height());
      PaintButton(upper, QStyle::PE_IndicatorArrowUp, editable);
      PaintButton(lower, QStyle::PE_IndicatorArrowDown, editable);
      break;
    }
    case vtColour: {
      const QRect swatch = rect.adjusted(3, 3, -3, -3);
      FPainter.fillRect(swatch, ToQColor(TColour(FCore.ReadCell(col, row).Value.ToInteger().value_or(0))));
      FPainter.setPen(text);
      FPainter.drawRect(swatch);
      break;
    }
    case vtList:
    case vtPenStyle: {
      const QRect button(rect.right() - rect.height() + 1, rect.top(), rect.height(), rect.height());
      textRect.setRight(button.left() - CellPadding);
      if (column.VarType == vtPenStyle) {
        const int style = int(FCore.ReadCell(col, row).Value.ToInteger().value_or(0));
        FPainter.setPen(QPen(text, 1, ToQtPenStyle(style)));
        FPainter.drawLine(textRect.left() + margin, rect.center().y(), textRect.right() - margin, rect.center().y());
      } else {
        PaintCellText(textRect, FGrid.CellText(col, row), column.Alignment, margin, text);
      }
      if (editable) PaintButton(button, QStyle::PE_IndicatorArrowDown, true);
      break;
    }
    default:
      PaintCellText(textRect, FGrid.CellText(col, row), column.Alignment, margin, text);
  }
  if (focused && FCore.Current() == TGridCoord{col, row} && !(FGrid.FEditor && FGrid.FEditor->isVisible())) {
    FPainter.setPen(QPen(FPalette.color(QPalette::Highlight), 2));
    FPainter.drawRect(rect.adjusted(1, 1, -1, -1));
  }
}

void TKitGrid::PaintOn(QPainter& painter, const QPoint& at)
{
  Layout();
  painter.save();
  painter.translate(at);
  painter.setFont(font());
  const int frame = frameWidth();
  if (frame > 0) {
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(QRect(0, 0, width() - 1, height() - 1));
  }
  painter.translate(frame, frame);
  // A grid that never showed has not sized its viewport to its height.
  const QRect inside(frame, frame, width() - 2 * frame, height() - 2 * frame);
  if (viewport()->geometry() != inside) viewport()->setGeometry(inside);
  painter.setClipRect(QRect(QPoint(0, 0), inside.size()));
  TKitGridPainter(*this, painter).Paint();
  painter.restore();
}

void TKitGrid::paintEvent(QPaintEvent* /*event*/)
{
  if (!FLayoutValid) {
    ComputeLayout();
    QMetaObject::invokeMethod(
        this, [this] { ApplyLayout(); }, Qt::QueuedConnection);
  }
  QPainter painter(viewport());
  TKitGridPainter(*this, painter).Paint();
}

}  // namespace umbrinex
