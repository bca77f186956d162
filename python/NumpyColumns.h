#pragma once
// Tables for scripts as dicts of numpy arrays, one array a column, which
// pandas.DataFrame takes as they are. The program's special doubles become
// inf, -inf and nan, as in the station arrays of a load case.

#include <cstddef>
#include <utility>

#include <pybind11/numpy.h>

namespace umbrinex {

// Infinity and -Infinity (the program's and IEEE's) as inf and -inf;
// Undefined, Default, N/A and NaN as nan; any other number as it is.
double PlainNumber(double value);

// A new one-dimensional array of count entries, entry i being at(i).
template <typename T, typename TAt>
pybind11::array_t<T> NumpyColumn(std::size_t count, TAt&& at)
{
  pybind11::array_t<T> column(static_cast<pybind11::ssize_t>(count));
  T* cells = column.mutable_data();
  for (std::size_t i = 0; i < count; ++i) cells[i] = static_cast<T>(at(i));
  return column;
}

}  // namespace umbrinex
