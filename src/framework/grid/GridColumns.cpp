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

void TColumn::SetJustify(int justify)
{
  switch (justify) {
    case 0:
      Alignment = taLeftJustify;
      break;
    case 1:
      Alignment = taCenter;
      break;
    default:
      Alignment = taRightJustify;
      break;
  }
}

void TColumn::SetFormatBits(unsigned bits)
{
  auto bit = [bits](int n) { return (bits & (1u << n)) != 0; };
  if (bit(1)) AllowDefault = true;
  if (bit(8)) AllowInfinity = true;
  if (bit(9)) AllowUndefined = true;
  if (bit(4)) Editable = false;
  if (bit(6) && bit(7)) {
    LineFormat = lfDouble;
  } else if (bit(6)) {
    LineFormat = lfThick;
  } else if (bit(7)) {
    LineFormat = lfNone;
  } else {
    LineFormat = lfSingle;
  }
}

double TColumn::StoredLimit(double value)
{
  if (value > 1e30) return Infinity;
  if (value < -1e30) return MinusInfinity;
  if (value > 0.0 && value < 1e-20) return Tiny;
  return value;
}

}  // namespace umbrinex
