#include "NumpyColumns.h"

#include <cmath>
#include <limits>

#include "numerics/ReservedDoubles.h"

namespace umbrinex {

double PlainNumber(double value)
{
  constexpr double inf = std::numeric_limits<double>::infinity();
  if (value == Infinity || value == inf) return inf;
  if (value == MinusInfinity || value == -inf) return -inf;
  if (value == Undefined || IsDefault(value) || value == NotApplicable || std::isnan(value))
    return std::numeric_limits<double>::quiet_NaN();
  return value;
}

}  // namespace umbrinex
