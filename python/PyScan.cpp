// design.scan: a load history through the design, every tension and angle a
// load case of its own, solved on every calculation thread while Python
// goes on, and handed back as columns that pandas takes as they are.

#include <chrono>
#include <climits>
#include <cstdint>
#include <vector>

#include <pybind11/numpy.h>

#include "NumpyColumns.h"
#include "PyDesign.h"
#include "bend/Bend.h"
#include "bend/BendErrors.h"
#include "bend/BendVarNums.h"
#include "bend/LoadHistoryScan.h"
#include "framework/data/TextUtils.h"
#include "framework/data/VarList.h"
#include "framework/data/Variant.h"
#include "numerics/ParallelFor.h"

namespace umbrinex {

namespace py = pybind11;

namespace {

std::string TypeName(const py::handle& value)
{
  return py::str(py::type::of(value).attr("__name__")).cast<std::string>();
}

// Numbers as a script has them (a numpy array, a pandas Series, a list) as
// doubles. Texts, booleans, complex numbers, dates and anything that is not
// one row of numbers are refused: none of them is a tension or an angle.
std::vector<double> InputColumn(const py::handle& values, const char* name)
{
  if (values.is_none() || py::isinstance<py::str>(values) || py::isinstance<py::bytes>(values))
    throw py::type_error(Format("%s is an array of numbers, not %s", name, TypeName(values).c_str()));
  const py::array array = py::module_::import("numpy").attr("asarray")(values);
  const char kind = array.dtype().kind();
  if (kind != 'f' && kind != 'i' && kind != 'u' && kind != 'O')
    throw py::type_error(
        Format("%s holds real numbers, not numpy %s", name, py::str(array.dtype()).cast<std::string>().c_str()));
  if (array.ndim() != 1)
    throw py::value_error(Format("%s is one-dimensional, not of shape %s", name,
                                 py::str(array.attr("shape")).cast<std::string>().c_str()));
  if (array.size() > INT_MAX) throw py::value_error(Format("%s has more than %d entries", name, INT_MAX));
  py::array_t<double> doubles;
  try {
    doubles = array.attr("astype")("float64");
  } catch (py::error_already_set& e) {
    // An integer too large for a double, among the objects.
    if (!e.matches(PyExc_ArithmeticError)) throw;
    throw py::value_error(Format("%s: %s", name, py::str(e.value()).cast<std::string>().c_str()));
  }
  const auto cells = doubles.unchecked<1>();
  std::vector<double> column(static_cast<std::size_t>(cells.shape(0)));
  for (py::ssize_t i = 0; i < cells.shape(0); ++i) column[static_cast<std::size_t>(i)] = cells(i);
  return column;
}

// Every entry as the load case item would take it, or ValueError naming
// the first that it refuses.
void CheckEntries(const std::vector<double>& values, int varNum, const char* name)
{
  const TVar& descriptor = TBend::Vars().Find(varNum);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const TAccessStatus status = Validate(descriptor, TVariant(values[i]), vtReal);
    if (status.Code != acValid)
      throw py::value_error(
          Format("%s[%zu] = %s: %s", name, i, ShortestNumberText(values[i]).c_str(), status.Text().c_str()));
  }
}

// Polled on the calling thread while the workers solve, without the GIL: it
// takes the GIL now and then for Python's signal handlers, so that Ctrl+C
// (or whatever a handler raises) stops the scan within a fraction of a
// second, and otherwise leaves the GIL to the script's other threads.
TParallelPoll SignalPoll()
{
  using TClock = std::chrono::steady_clock;
  return [last = TClock::now()](int) mutable {
    if (TClock::now() - last < std::chrono::milliseconds(50)) return;
    last = TClock::now();
    const py::gil_scoped_acquire gil;
    if (PyErr_CheckSignals() != 0) throw py::error_already_set();
  };
}

// One scan of the design running, for the refusal of changes meanwhile.
class TScanning {
 public:
  explicit TScanning(int& scans) : FScans(scans) { ++FScans; }
  ~TScanning() { --FScans; }
  TScanning(const TScanning&) = delete;
  TScanning& operator=(const TScanning&) = delete;

 private:
  int& FScans;
};

struct TScanInput {
  std::vector<double> Tension;
  std::vector<double> Angle;
  std::optional<std::vector<double>> Time;
};

TScanInput ReadInput(const py::handle& tension, const py::handle& angle, const py::handle& time)
{
  TScanInput input{InputColumn(tension, "tension"), InputColumn(angle, "angle"), std::nullopt};
  if (!time.is_none()) input.Time = InputColumn(time, "time");
  const std::size_t count = input.Tension.size();
  if (input.Angle.size() != count || (input.Time && input.Time->size() != count))
    throw py::value_error(Format("tension, angle and time have one entry a row: %zu tensions, %zu angles%s", count,
                                 input.Angle.size(),
                                 input.Time ? Format(", %zu times", input.Time->size()).c_str() : ""));
  CheckEntries(input.Tension, vnLoadCaseTension, "tension");
  CheckEntries(input.Angle, vnLoadCaseAngle, "angle");
  return input;
}

py::dict ScanColumns(const TScanInput& input, const std::vector<int>& states,
                     const std::vector<TScanResponse>& responses)
{
  const std::size_t perRow = states.size(), count = responses.size();
  const auto perRowOf = [&](const std::vector<double>& values) {
    return NumpyColumn<double>(count, [&](std::size_t i) { return values[i / perRow]; });
  };
  const auto response = [&](double TScanResponse::*field) {
    return NumpyColumn<double>(count, [&](std::size_t i) { return PlainNumber(responses[i].*field); });
  };
  py::dict columns;
  columns["row"] = NumpyColumn<std::int64_t>(count, [&](std::size_t i) { return i / perRow + 1; });
  if (input.Time) columns["time"] = perRowOf(*input.Time);
  columns["state"] = NumpyColumn<std::int64_t>(count, [&](std::size_t i) { return states[i % perRow] + 1; });
  columns["tension"] = perRowOf(input.Tension);
  columns["angle"] = perRowOf(input.Angle);
  columns["root_moment"] = response(&TScanResponse::RootMoment);
  columns["root_shear"] = response(&TScanResponse::RootShear);
  columns["min_bend_radius"] = response(&TScanResponse::MinBendRadius);
  columns["position"] = response(&TScanResponse::Position);
  const py::array_t<bool> onCable = NumpyColumn<bool>(count, [&](std::size_t i) { return responses[i].OnCable; });
  columns["on"] = py::module_::import("numpy").attr("where")(onCable, "cable", "stiffener");
  columns["ratio"] = response(&TScanResponse::Ratio);
  columns["max_strain"] = response(&TScanResponse::MaxStrain);
  return columns;
}

}  // namespace

py::dict TPyDesign::Scan(const py::handle& tension, const py::handle& angle, std::optional<int> state,
                         const py::handle& time)
{
  const TScanInput input = ReadInput(tension, angle, time);
  std::vector<int> states;
  try {
    states = ScanStates(Bend(), state);
  } catch (const EBendStiffenerError& e) {
    throw py::value_error(e.what());
  }
  const auto count = static_cast<int>(input.Tension.size());
  std::vector<TScanResponse> responses(input.Tension.size() * states.size());
  {
    const TScanning scanning(FScans);
    TLoadHistoryScan scan(Bend(), states, CalculationThreads());
    const py::gil_scoped_release released;
    scan.Solve(input.Tension.data(), input.Angle.data(), count, responses.data(), {}, SignalPoll());
  }
  return ScanColumns(input, states, responses);
}

}  // namespace umbrinex
