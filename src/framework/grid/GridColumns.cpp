#include "framework/grid/GridColumns.h"

#include "numerics/ReservedDoubles.h"

namespace umbrinex {

TColumnTitle& TColumn::Title(int row)
{
  if (row < 0) row = 0;
  if (static_cast<std::size_t>(row) >= FTitles.size()) FTitles.resize(static_cast<std::size_t>(row) + 1);
  return FTitles[static_cast<std::size_t>(row)];
}

std::string TColumn::TitleCaption(int row) const
{
  if (row < 0 || static_cast<std::size_t>(row) >= FTitles.size()) return {};
  return FTitles[static_cast<std::size_t>(row)].Caption;
}

double TColumn::StoredLimit(double value)
{
  if (value > 1e30) return Infinity;
  if (value < -1e30) return MinusInfinity;
  if (value > 0.0 && value < 1e-20) return Tiny;
  return value;
}

}  // namespace umbrinex
