// The compiled part of the Python package "umbrinex" (umbrinex._umbrinex,
// which umbrinex/__init__.py hands on): bend stiffener designs for scripts,
// with the batch program's items, messages and results and no window in
// sight.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <string>

#include "PyDesign.h"
#include "bend/ProgramInfo.h"
#include "framework/data/Progress.h"
#include "numerics/ParallelFor.h"

namespace py = pybind11;
using umbrinex::TPyDesign;
using umbrinex::TReportChoice;

namespace {

// Ctrl-C reaches the program where long calculations look for Cancel. A
// solve that runs without the GIL (a scan on the calling thread) must not
// touch Python here: the scan looks at the signals itself, with the GIL.
void CheckInterrupt()
{
  if (PyGILState_Check() == 0) return;
  if (PyErr_CheckSignals() == 0) return;
  PyErr_Clear();
  if (!umbrinex::Progress().Active()) throw umbrinex::ESilentAbort();
  umbrinex::Progress().RequestCancel();
}

TReportChoice Choice(bool key, int loadCase, bool designChart, bool performanceChart)
{
  TReportChoice choice;
  choice.Key = key;
  choice.LoadCase = loadCase;
  choice.DesignChart = designChart;
  choice.PerformanceChart = performanceChart;
  return choice;
}

constexpr const char* ModuleDoc = R"(Bend stiffener designs for scripts.

A Design is one design: the default one, or one opened from a .mxd file (or
an older .dat file). Its data items are read and changed by VarNum or by
name, and rows count from 1, exactly as `umbrinex-cli --items` lists them
and `--set VarNum:ROW=TEXT` changes them; a refused value raises ValueError
with the message the batch program prints. Results are the dicts and lists
that `umbrinex-cli --json` prints, number for number; only the station
arrays of a load case are numpy arrays. design.scan solves a load history
(arrays of tensions and angles) on every core and returns numpy columns for
pandas; a Design pickles as its file, so it travels to other processes, and
umbrinex.dask scans a Dask DataFrame on a cluster.

    import umbrinex
    design = umbrinex.Design()              # the default design
    design.set("ActiveLength", 2.5)         # or design.set(21021, 2.5)
    print(design.key_results()["max_root_moment"]["root_moment"])
    response = design.scan([31.0, 120.0], [29.0, 10.0])
)";

constexpr const char* ScanDoc = R"(The response to a load history, each row a load case of its own.

tension and angle are array-likes of real numbers of one length (a numpy
array, a pandas Series, a list), in the design's units and in degrees; each
entry is checked as the load case items check it, and ValueError names the
first refused. state (1-based) picks one state; None takes every state that
some load case of the design includes. time, when given, is carried along.

Returns a dict of numpy arrays, one entry per row and state (rows in order,
states in order within a row): row (from 1), time (when given), state,
tension, angle, root_moment, root_shear, min_bend_radius, position, on
("stiffener" or "cable": where the smallest bend radius lies), ratio
(min_bend_radius over the design's ABR) and max_strain; Infinity is inf.
pandas.DataFrame(design.scan(...)) makes the table. The solve runs on every
calculation thread (UMBRINEX_THREADS) without the GIL; Ctrl+C stops it.)";

// Making, opening, saving and pickling a design; its items.
void DefineData(py::class_<TPyDesign>& type)
{
  type.def(py::init<>(), "The default design.")
      .def_static(
          "open", &TPyDesign::Open, py::arg("file_name"),
          "Opens a design file (.mxd, or an older .dat). The program's messages while reading become "
          "UserWarnings; a file that cannot be read raises umbrinex.Error, an empty name or one with a NUL ValueError.")
      .def(
          "save", &TPyDesign::Save, py::arg("file_name"),
          "Saves the design as a data file (.mxd) under exactly the name given; an empty name or one with a NUL raises "
          "ValueError, a file that cannot be written umbrinex.Error, and the file that was there is kept.")
      .def("get", py::overload_cast<int, std::optional<int>>(&TPyDesign::Get), py::arg("varnum"),
           py::arg("row") = py::none(),
           "The value of a data item (row from 1 for items with rows), as `items()` gives it.")
      .def("get", py::overload_cast<const std::string&, std::optional<int>>(&TPyDesign::Get), py::arg("name"),
           py::arg("row") = py::none(),
           "The same by the item's name as `items()` gives it (\"ActiveLength\", \"LoadCase.Tension\"); an "
           "unknown name raises ValueError with the closest names.")
      .def("set", py::overload_cast<int, const py::handle&, std::optional<int>>(&TPyDesign::Set), py::arg("varnum"),
           py::arg("value"), py::arg("row") = py::none(),
           "Enters a value (str, int, float or bool) as `umbrinex-cli --set` does; raises ValueError with the "
           "program's message when the value is refused.")
      .def("set", py::overload_cast<const std::string&, const py::handle&, std::optional<int>>(&TPyDesign::Set),
           py::arg("name"), py::arg("value"), py::arg("row") = py::none(),
           "The same by the item's name, with the same refusals.")
      .def("load_cases_frame", &TPyDesign::LoadCasesFrame,
           "The load case table as a dict of numpy arrays for pandas.DataFrame: number, tension, angle, abr (the "
           "design's allowable bend radius where the row has the default \"~\"), state1 and state2 (bools).")
      .def(py::pickle([](TPyDesign& design) { return design.PickleState(); }, &TPyDesign::FromPickleState))
      // As protocol 2 has it for every protocol: protocols 0 and 1 would
      // make the object without the class's own __new__, which a bound
      // class does not survive.
      .def("__reduce__",
           [](const py::object& self) {
             return py::make_tuple(py::module_::import("copyreg").attr("__newobj__"),
                                   py::make_tuple(self.attr("__class__")), self.attr("__getstate__")());
           })
      .def("size", &TPyDesign::Size, py::arg("vary") = py::none(), py::arg("bounds") = py::none(),
           py::arg("target") = 1.0, py::arg("max_strain") = py::none(), py::arg("objective") = "volume",
           py::arg("moulds") = false,
           "Sizes the stiffener as `umbrinex-cli --size` does: vary names the variables (length, root-diameter, "
           "tip-diameter, shape-power, length-scale, diameter-scale), bounds maps a name to (lower, upper) in the "
           "design's units. Returns (the sized Design, or None when nothing fits, and the report as a dict: the "
           "`sizing` object of --json). This design is left as it was.")
      .def("export_data", &TPyDesign::ExportData,
           "The design's data as the data forms show it, the text `umbrinex-cli --export-data FILE` writes: a "
           "title line naming the design's file, then every form of the data tree.")
      .def("items", &TPyDesign::Items,
           "Every data item with its rows: dicts of item, varnum, row, name, value, unit and read_only, as "
           "`umbrinex-cli --items --json` lists them.");
}

// Its results, and the response to a load history.
void DefineResults(py::class_<TPyDesign>& type)
{
  type.def(
          "results",
          [](TPyDesign& design, bool key, int loadCase, bool designChart, bool performanceChart) {
            return design.Results(Choice(key, loadCase, designChart, performanceChart));
          },
          py::arg("key") = false, py::arg("load_case") = 0, py::arg("design_chart") = false,
          py::arg("performance_chart") = false,
          "The results `umbrinex-cli --json` prints with the same choices (--key, --load-case N, --design-chart, "
          "--performance-chart); with none, the key results.")
      .def("key_results", &TPyDesign::KeyResults, "The largest root moment and root shear and where they occur.")
      .def("load_cases", &TPyDesign::LoadCases, "Every load case with the root results of its included states.")
      .def("load_case", &TPyDesign::LoadCase, py::arg("number"),
           "Load case number (from 1) with the station results of each included state as numpy arrays.")
      .def("design_chart", &TPyDesign::DesignChart, "The design chart: Rmin / ABR over the length factors.")
      .def("performance_chart", &TPyDesign::PerformanceChart, "The largest angle each tension allows.")
      .def("design_check", &TPyDesign::DesignCheck,
           "Minimum bend radius against the allowable one for every load case and state, the governing "
           "case and the verdict PASS or FAIL.")
      .def("accuracy", &TPyDesign::Accuracy,
           "Root moments, root shears and minimum bend radii extrapolated from a solve at half the station "
           "intervals, with the estimated relative error of each value at the design's own intervals.")
      .def("converged", &TPyDesign::Converged, py::arg("tolerance") = umbrinex::DefaultConvergenceTolerance,
           "Refines the station intervals until the extrapolated root moments change by less than the "
           "relative tolerance. Ctrl+C stops it.")
      .def("scan", &TPyDesign::Scan, py::arg("tension"), py::arg("angle"), py::arg("state") = py::none(),
           py::arg("time") = py::none(), ScanDoc);
}

}  // namespace

PYBIND11_MODULE(_umbrinex, m)
{
  m.doc() = ModuleDoc;
  m.attr("__version__") = umbrinex::ApplicationVersion;
  py::register_exception<umbrinex::EUmbrinexError>(m, "Error", PyExc_RuntimeError);
  // Registered last, so tried first: a cancelled calculation is the
  // interrupt that cancelled it.
  py::register_exception_translator([](std::exception_ptr error) {
    try {
      if (error) std::rethrow_exception(error);
    } catch (const umbrinex::ESilentAbort&) {
      PyErr_SetNone(PyExc_KeyboardInterrupt);
    }
  });
  umbrinex::SetProcessPendingEvents(CheckInterrupt);
  // numpy's C API is set up once, behind a guard of its own that knows
  // nothing of the GIL: a thread that meets it while another one is inside,
  // importing numpy and so letting the GIL go, waits for ever holding the
  // GIL that the other needs. Set up here, under the import lock, no thread
  // meets it again.
  py::module_::import("numpy");
  py::array_t<double> setUp(0);
  if (const std::string warning = umbrinex::ThreadsEnvironmentWarning(); !warning.empty())
    if (PyErr_WarnEx(PyExc_RuntimeWarning, warning.c_str(), 1) != 0) throw py::error_already_set();

  py::class_<TPyDesign> design(m, "Design", "A bend stiffener design.");
  DefineData(design);
  DefineResults(design);
  m.def("open", &TPyDesign::Open, py::arg("file_name"), "Opens a design file; the same as Design.open.");
}
