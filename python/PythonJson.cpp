#include "PythonJson.h"

#include <cmath>
#include <limits>

#include <pybind11/numpy.h>

namespace umbrinex {

namespace py = pybind11;

namespace {

double StationValue(const nlohmann::ordered_json& value)
{
  if (value.is_number()) return value.get<double>();
  const std::string& text = value.get_ref<const std::string&>();
  if (text == "Infinity") return std::numeric_limits<double>::infinity();
  if (text == "-Infinity") return -std::numeric_limits<double>::infinity();
  return std::numeric_limits<double>::quiet_NaN();
}

py::object StationsToPython(const nlohmann::ordered_json& stations)
{
  py::dict result;
  for (const auto& [key, value] : stations.items()) {
    if (!value.is_array()) {
      result[py::str(key)] = ToPython(value);
      continue;
    }
    py::array_t<double> array(static_cast<py::ssize_t>(value.size()));
    auto cells = array.mutable_unchecked<1>();
    for (std::size_t i = 0; i < value.size(); ++i) cells(static_cast<py::ssize_t>(i)) = StationValue(value[i]);
    result[py::str(key)] = std::move(array);
  }
  return result;
}

}  // namespace

py::object ToPython(const nlohmann::ordered_json& json)
{
  switch (json.type()) {
    case nlohmann::json::value_t::null:
      return py::none();
    case nlohmann::json::value_t::boolean:
      return py::bool_(json.get<bool>());
    case nlohmann::json::value_t::number_integer:
      return py::int_(json.get<std::int64_t>());
    case nlohmann::json::value_t::number_unsigned:
      return py::int_(json.get<std::uint64_t>());
    case nlohmann::json::value_t::number_float:
      return py::float_(json.get<double>());
    case nlohmann::json::value_t::string:
      return py::str(json.get_ref<const std::string&>());
    case nlohmann::json::value_t::array: {
      py::list list;
      for (const auto& element : json) list.append(ToPython(element));
      return list;
    }
    case nlohmann::json::value_t::object: {
      py::dict dict;
      for (const auto& [key, value] : json.items()) dict[py::str(key)] = ToPython(value);
      return dict;
    }
    default:
      return py::none();
  }
}

py::object LoadCaseToPython(const nlohmann::ordered_json& loadCase)
{
  py::dict result;
  for (const auto& [key, value] : loadCase.items()) {
    if (key != "states") {
      result[py::str(key)] = ToPython(value);
      continue;
    }
    py::list states;
    for (const auto& state : value) {
      py::dict converted;
      for (const auto& [name, field] : state.items())
        converted[py::str(name)] = name == "stations" ? StationsToPython(field) : ToPython(field);
      states.append(std::move(converted));
    }
    result[py::str(key)] = std::move(states);
  }
  return result;
}

}  // namespace umbrinex
