// The grid as fixed-pitch text: the form's copy, export and printing as
// text write every grid this way.

#include <algorithm>
#include <cmath>

#include "framework/data/DataAccess.h"
#include "framework/data/TextUtils.h"
#include "framework/grid/DataTextPort.h"
#include "framework/grid/GridCore.h"

namespace umbrinex {

namespace {

void WriteAligned(TDataTextPort& port, int start, int width, int line, const std::string& text, TAlignment alignment)
{
  if (text.empty()) return;
  const int length = static_cast<int>(CharLength(text));
  int at = start + 1;  // left-aligned text starts one character in
  if (alignment == taRightJustify) at = start + width - length;
  if (alignment == taCenter) at = start + (width - length) / 2;
  port.WriteAt(std::max(at, start), line, text);
}

}  // namespace

std::string TGridCore::TitleText(int col, int titleRow) const
{
  const std::string caption = Column(col).TitleCaption(titleRow);
  return FDataObject ? FDataObject->ExpandUnitNames(caption) : caption;
}

void TGridCore::RenderAsText(TDataTextPort& port, int column, int line, const std::vector<int>& columnWidths,
                             double charWidth) const
{
  if (charWidth <= 0.0) charWidth = 1.0;
  const auto count = static_cast<std::size_t>(ColCount());
  std::vector<int> starts(count, column), widths(count, 0);
  int x = column;
  for (int col = 0; col < ColCount(); ++col) {
    const auto c = static_cast<std::size_t>(col);
    starts[c] = x;
    if (Column(col).VarType == vtSpin) continue;
    const int pixels = c < columnWidths.size() ? columnWidths[c] : 0;
    int width = static_cast<int>(std::lround(pixels / charWidth * 1.2));
    for (int r = 0; r < FFixedRows; ++r)
      if (r < static_cast<int>(Column(col).Titles().size()) && Column(col).Titles()[std::size_t(r)].Extent() == 1)
        width = std::max(width, static_cast<int>(CharLength(TitleText(col, r))));
    widths[c] = width;
    x += width + 1;
  }
  for (int r = 0; r < FFixedRows; ++r, ++line) {
    for (int col = 0; col < ColCount(); ++col) {
      if (r >= static_cast<int>(Column(col).Titles().size()) || Column(col).VarType == vtSpin) continue;
      const TColumnTitle& title = Column(col).Titles()[std::size_t(r)];
      // A title over several columns spans them and the blanks between.
      const auto first = static_cast<std::size_t>(std::max(0, col - title.Extent() + 1));
      const auto last = static_cast<std::size_t>(col);
      WriteAligned(port, starts[first], starts[last] + widths[last] - starts[first], line, TitleText(col, r),
                   title.Alignment);
    }
  }
  for (int row = FFixedRows; row < RowCount(); ++row) {
    if (!IsCountedRow(row)) continue;  // the empty table's row has no height
    for (int col = 0; col < ColCount(); ++col) {
      if (Column(col).VarType == vtSpin) continue;
      const auto c = static_cast<std::size_t>(col);
      WriteAligned(port, starts[c], widths[c], line, CellText(col, row), Column(col).Alignment);
    }
    ++line;
  }
}

}  // namespace umbrinex
