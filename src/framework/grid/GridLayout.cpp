#include "framework/grid/GridLayout.h"

#include <algorithm>
#include <cmath>

#include "framework/grid/GridCore.h"

namespace umbrinex {

int TGridLayout::RowHeight(int row) const
{
  if (row < 0 || row >= FRowCount || FShownHeights.empty()) return 0;
  if (FEmptyTable && row == FFixedRows) return 0;
  const int shown = static_cast<int>(FShownHeights.size());
  if (row < shown) return FShownHeights[static_cast<std::size_t>(row)];
  // Rows below the shown ones repeat the heights of the shown data rows.
  const int dataShown = shown - FFixedRows;
  if (dataShown <= 0) return FShownHeights.back();
  return FShownHeights[static_cast<std::size_t>(FFixedRows + (row - FFixedRows) % dataShown)];
}

int TGridLayout::TotalWidth() const
{
  int total = 0;
  for (const int width : ColumnWidths) total += width + FGridLineWidth;
  return total;
}

namespace {

// Shares the available width among the columns in proportion to their
// relative widths, in column order, so that rounding never adds up to
// more than there is.
std::vector<int> SharedWidths(const TGridCore& grid, int available)
{
  std::vector<int> widths;
  double remainingTotal = 0.0;
  for (const TColumn& column : grid.Columns()) remainingTotal += std::max(column.Width, 0.0);
  int remaining = std::max(available, 0);
  for (const TColumn& column : grid.Columns()) {
    const double relative = std::max(column.Width, 0.0);
    const int width = remainingTotal > 0.0 ? static_cast<int>(std::lround(relative * remaining / remainingTotal)) : 0;
    widths.push_back(width);
    remaining -= width;
    remainingTotal -= relative;
  }
  return widths;
}

}  // namespace

TGridLayout LayoutGrid(const TGridCore& grid, const TGridMetrics& metrics)
{
  TGridLayout layout;
  layout.FGridLineWidth = metrics.GridLineWidth;
  layout.FFixedRows = grid.FixedRows();
  layout.FRowCount = grid.RowCount();
  layout.FEmptyTable = grid.CountedRows() == 0;
  const int rowsShown = std::max(grid.RowsShown(), 1);
  const bool verticalAllowed = grid.ScrollBars == ssVertical || grid.ScrollBars == ssBoth;
  const bool horizontalAllowed = grid.ScrollBars == ssHorizontal || grid.ScrollBars == ssBoth;

  layout.VerticalScrollBar = verticalAllowed && grid.RowCount() > rowsShown;
  const int available = metrics.ClientWidth - (layout.VerticalScrollBar ? metrics.ScrollBarWidth : 0);
  const int lines = grid.ColCount() * metrics.GridLineWidth;
  int naturalTotal = lines;
  std::vector<int> natural;
  for (const TColumn& column : grid.Columns()) {
    natural.push_back(static_cast<int>(std::lround(std::max(column.Width, 0.0) * metrics.CharWidth)));
    naturalTotal += natural.back();
  }
  if (horizontalAllowed && naturalTotal > available) {
    layout.ColumnWidths = natural;
    layout.HorizontalScrollBar = true;
  } else {
    layout.ColumnWidths = SharedWidths(grid, available - lines);
  }

  const int rowHeight = static_cast<int>(std::lround(metrics.CharHeight * grid.DesignRowHeight));
  int remaining = rowsShown * rowHeight;
  for (int i = 0; i < rowsShown; ++i) {
    const int height = static_cast<int>(std::lround(static_cast<double>(remaining) / (rowsShown - i)));
    layout.FShownHeights.push_back(height);
    remaining -= height;
  }
  layout.ControlHeight = 2 * metrics.BorderWidth + (layout.HorizontalScrollBar ? metrics.ScrollBarHeight : 0) +
                         rowsShown * rowHeight + (rowsShown - 1) * metrics.GridLineWidth;
  return layout;
}

}  // namespace umbrinex
