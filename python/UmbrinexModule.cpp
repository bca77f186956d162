// The Python module "umbrinex": bend stiffener designs for scripts, with the
// batch program's items, messages and results and no window in sight.

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

// Ctrl-C reaches the program where long calculations look for Cancel.
void CheckInterrupt()
{
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
an older .dat file). Its data items are read and changed by VarNum, and rows
count from 1, exactly as `umbrinex-cli --items` lists them and `--set
VarNum:ROW=TEXT` changes them; a refused value raises ValueError with the
message the batch program prints. Results are the dicts and lists that
`umbrinex-cli --json` prints, number for number; only the station arrays of a
load case are numpy arrays.

    import umbrinex
    design = umbrinex.Design()              # the default design
    design.set(21021, 2.5)                  # ActiveLength
    print(design.key_results()["max_root_moment"]["root_moment"])
)";

}  // namespace

PYBIND11_MODULE(umbrinex, m)
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

  py::class_<TPyDesign>(m, "Design", "A bend stiffener design.")
      .def(py::init<>(), "The default design.")
      .def_static(
          "open", &TPyDesign::Open, py::arg("file_name"),
          "Opens a design file (.mxd, or an older .dat). The program's messages while reading become "
          "UserWarnings; a file that cannot be read raises umbrinex.Error, an empty name or one with a NUL ValueError.")
      .def(
          "save", &TPyDesign::Save, py::arg("file_name"),
          "Saves the design as a data file (.mxd) under exactly the name given; an empty name or one with a NUL raises "
          "ValueError, a file that cannot be written umbrinex.Error, and the file that was there is kept.")
      .def("get", &TPyDesign::Get, py::arg("varnum"), py::arg("row") = py::none(),
           "The value of a data item (row from 1 for items with rows), as `items()` gives it.")
      .def("set", &TPyDesign::Set, py::arg("varnum"), py::arg("value"), py::arg("row") = py::none(),
           "Enters a value (str, int, float or bool) as `umbrinex-cli --set` does; raises ValueError with the "
           "program's message when the value is refused.")
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
           "`umbrinex-cli --items --json` lists them.")
      .def(
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
           "relative tolerance. Ctrl+C stops it.");
  m.def("open", &TPyDesign::Open, py::arg("file_name"), "Opens a design file; the same as Design.open.");
}
