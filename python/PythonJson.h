#pragma once
// Results reach Python as the batch program's JSON does, converted value for
// value, so that a script sees exactly what `umbrinex-cli --json` prints:
// objects become dicts (keys in the same order), arrays lists, numbers ints
// and floats, the special values their texts. Station arrays are the one
// exception: they become numpy arrays of floats.

#include <pybind11/pybind11.h>
#include <nlohmann/json.hpp>

namespace umbrinex {

pybind11::object ToPython(const nlohmann::ordered_json& json);

// A load case from the JSON with the arrays of every state's "stations" as
// numpy arrays; "Infinity" and "-Infinity" become inf and -inf, the other
// special texts nan.
pybind11::object LoadCaseToPython(const nlohmann::ordered_json& loadCase);

}  // namespace umbrinex
