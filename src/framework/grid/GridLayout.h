#pragma once
// The sizes of a grid's columns and rows and of the control itself, worked
// out from its columns' relative widths and the font's character size.

#include <vector>

namespace umbrinex {

class TGridCore;

// What the window system tells the layout.
struct TGridMetrics {
  double CharWidth = 8.0;    // width of "0123456789" / 10
  double CharHeight = 16.0;  // height of "0"
  int ClientWidth = 0;       // inside the borders
  int BorderWidth = 1;       // one border; the control has two
  int GridLineWidth = 1;
  int ScrollBarWidth = 16;   // of a vertical scroll bar
  int ScrollBarHeight = 16;  // of a horizontal one
};

class TGridLayout {
 public:
  std::vector<int> ColumnWidths;
  int ControlHeight = 0;
  bool VerticalScrollBar = false;
  bool HorizontalScrollBar = false;

  // Height of a row of the grid (0 for the row of an empty table).
  int RowHeight(int row) const;
  // Width of all columns with their grid lines.
  int TotalWidth() const;
  int GridLineWidth() const { return FGridLineWidth; }

 private:
  friend TGridLayout LayoutGrid(const TGridCore& grid, const TGridMetrics& metrics);
  std::vector<int> FShownHeights;  // the first RowsShown rows
  int FFixedRows = 0;
  int FRowCount = 0;
  bool FEmptyTable = false;
  int FGridLineWidth = 1;
};

TGridLayout LayoutGrid(const TGridCore& grid, const TGridMetrics& metrics);

}  // namespace umbrinex
