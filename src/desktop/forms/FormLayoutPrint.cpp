// Printing a form layout page by page; a long table is split between pages
// with its titles repeated.

#include <algorithm>
#include <climits>

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

#include "desktop/forms/FormLayout.h"
#include "desktop/forms/FormOutput.h"
#include "desktop/forms/KitGrid.h"

namespace umbrinex {

namespace {

QFont HeadingFont(const QFont& font)
{
  QFont heading = font;
  if (heading.pointSizeF() > 0)
    heading.setPointSizeF(heading.pointSizeF() + 2);
  else
    heading.setPixelSize(heading.pixelSize() + 3);
  heading.setBold(true);
  return heading;
}

// The caption between two short lines, in the heading font.
void DrawHeading(QPainter& canvas, const QFont& font, const QString& caption, int x0, int y)
{
  const QFontMetrics metrics(font);
  const QString text = u' ' + caption + u' ';
  const int w = metrics.horizontalAdvance(QStringLiteral("XXXXX"));
  const int middle = y + metrics.height() / 2;
  canvas.save();
  canvas.setFont(font);
  canvas.drawLine(x0, middle, x0 + w, middle);
  canvas.drawText(x0 + w, y + metrics.ascent(), text);
  const int after = x0 + w + metrics.horizontalAdvance(text);
  canvas.drawLine(after, middle, after + w, middle);
  canvas.restore();
}

}  // namespace

int TFormLayout::RowsThatFit(TKitGrid& grid, int height) const
{
  const TGridLayout& layout = grid.Layout();
  const int border = FWindow.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &grid);
  int used = 2 * border;
  int rows = 0;
  for (int row = 0; row < grid.Core().RowCount(); ++row) {
    used += layout.RowHeight(row) + layout.GridLineWidth();
    if (used > height) break;
    ++rows;
  }
  return rows;
}

TFormLayout::TPageResult TFormLayout::PrintPage(QPainter& canvas, int y, int top, int pageHeight)
{
  const QFont headingFont = HeadingFont(FWindow.font());
  const QString caption = FForm.GetOutputCaption();
  const QFontMetrics headingMetrics(headingFont);
  const int heading = FForm.HeadingPrinted ? 0 : 2 * headingMetrics.height();

  const auto firstLeft = std::find_if(FItems.begin(), FItems.end(),
                                      [](const TFormLayoutItem& i) { return i.PrintState != psPrinted; });
  if (firstLeft == FItems.end()) return {INT_MIN, true};
  const int first = firstLeft->Y;
  const int limit = pageHeight + first - top - heading - y;

  for (TFormLayoutItem& item : FItems) {
    if (item.PrintState == psPrinted) continue;
    if (item.Y < first || item.Y > limit)
      item.PrintState = psNotOnPage;
    else
      item.PrintState = item.Y + Height(item) <= limit ? psFits : psPartlyFits;
  }
  for (TFormLayoutItem& item : FItems) {
    if (item.PrintState != psPartlyFits) continue;
    auto* grid = qobject_cast<TKitGrid*>(item.Control);
    const bool split = grid && grid->Core().DataRowCount() >= 8 &&
                       RowsThatFit(*grid, limit - item.Y) > grid->Core().FixedRows() + 3;
    if (!split) item.PrintState = psNotOnPage;
  }
  std::vector<std::size_t> waiting;
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].PrintState == psNotOnPage) waiting.push_back(i);
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    if (FItems[i].PrintState != psFits && FItems[i].PrintState != psPartlyFits) continue;
    if (std::any_of(waiting.begin(), waiting.end(), [&](std::size_t w) { return Related(i, w); }))
      FItems[i].PrintState = psNotOnPage;
  }

  int x0 = INT_MAX;
  for (const TFormLayoutItem& item : FItems) x0 = std::min(x0, item.X);
  TPageResult result{INT_MIN, true};
  for (TFormLayoutItem& item : FItems) {
    int p = item.Y - first + top + y;
    if (!FForm.HeadingPrinted) {
      DrawHeading(canvas, headingFont, caption, x0, p);
      FForm.HeadingPrinted = true;
    }
    p += heading;
    if (item.PrintState == psFits) {
      FForm.PrintControl(*item.Control, canvas, p, item.X);
      item.PrintState = psPrinted;
      result.Bottom = std::max(result.Bottom, p + Height(item));
    } else if (item.PrintState == psPartlyFits) {
      auto& grid = *qobject_cast<TKitGrid*>(item.Control);
      TGridCore& core = grid.Core();
      const int shown = core.RowsShown();
      const int n = RowsThatFit(grid, limit - item.Y);
      const int topRow = grid.TopRow();
      core.SetRowsShown(n);
      grid.Invalidate();
      grid.Layout();
      grid.SetTopRow(topRow);
      FForm.PrintControl(grid, canvas, p, item.X);
      result.Bottom = std::max(result.Bottom, p + grid.height());
      core.SetRowsShown(core.FixedRows() + (shown - n));
      grid.Invalidate();
      grid.Layout();
      grid.SetTopRow(topRow + n - core.FixedRows());
      item.PrintState = psFirstPartPrinted;
    }
    result.Done = result.Done && item.PrintState == psPrinted;
  }
  if (!result.Done) Compact();
  return result;
}

}  // namespace umbrinex
