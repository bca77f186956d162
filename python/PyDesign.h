#pragma once
// One design for Python scripts: the bend model with the batch program's own
// ways of entering items and reporting results, so that a script and the
// command line agree to the last digit and refuse values with the same
// messages.

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include <pybind11/pybind11.h>

#include "cli/Cli.h"

namespace umbrinex {

class TPyDesign {
 public:
  // The default design.
  TPyDesign();
  ~TPyDesign();

  static std::unique_ptr<TPyDesign> Open(const std::string& fileName);
  void Save(const std::string& fileName);

  // Rows count from 1, as in `--set VarNum:ROW=TEXT`; none for an item
  // without rows. A refused value raises ValueError with the message the
  // batch program prints.
  pybind11::object Get(int varNum, std::optional<int> row);
  void Set(int varNum, const pybind11::handle& value, std::optional<int> row);
  // The same by the item's name as the listing gives it ("ActiveLength",
  // "LoadCase.Tension"); an unknown name raises ValueError with the names
  // closest to it.
  pybind11::object Get(const std::string& name, std::optional<int> row);
  void Set(const std::string& name, const pybind11::handle& value, std::optional<int> row);
  pybind11::object Items();
  // The load case table as columns: number, tension, angle, abr (the
  // design's ABR where a row has the default) and state1, state2 as bools.
  pybind11::dict LoadCasesFrame();

  // The response to a load history: every tension and angle (array-likes of
  // equal length) solved as a load case of its own in the state given
  // (1-based) or in every state some load case includes, on every
  // calculation thread with the GIL let go. Columns row, [time,] state,
  // tension, angle, root_moment, root_shear, min_bend_radius, position, on,
  // ratio, max_strain; one entry per row and state.
  pybind11::dict Scan(const pybind11::handle& tension, const pybind11::handle& angle, std::optional<int> state,
                      const pybind11::handle& time);

  // What a pickle holds: the design's file bytes and the file it was
  // opened from or saved to; and the design made from that again. A state
  // that is no such pair raises TypeError, bytes that are no design file
  // umbrinex.Error.
  pybind11::tuple PickleState();
  static std::unique_ptr<TPyDesign> FromPickleState(const pybind11::tuple& state);
  // The design's data as the data forms show it: the text that
  // `umbrinex-cli --export-data FILE` writes for the design's file (or for
  // the default design), under the same title.
  std::string ExportData() const;
  // Sizes the stiffener as `umbrinex-cli --size` does: the sized design (a
  // new Design; None when nothing fits) and the "sizing" object of the
  // JSON as a dict. This design is left as it was.
  pybind11::tuple Size(const pybind11::object& vary, const pybind11::object& bounds, double target,
                       std::optional<double> maxStrain, const std::string& objective, bool moulds);

  // The results as `umbrinex-cli --json` prints them for the same choice;
  // each function below is one section of them, so a new section of the
  // batch program's JSON becomes one more function of one line.
  pybind11::object Results(const TReportChoice& choice);
  pybind11::object KeyResults();
  pybind11::object LoadCases();
  // Load case number (from 1) with its stations.
  pybind11::object LoadCase(int number);
  pybind11::object DesignChart();
  pybind11::object PerformanceChart();
  pybind11::object DesignCheck();
  pybind11::object Accuracy();
  pybind11::object Converged(double tolerance);

  TBend& Bend() { return *FBend; }

 private:
  // Raises ValueError for a load case (from 1) the design does not have.
  void CheckLoadCase(int number);
  // Raises RuntimeError while another thread scans this design, which must
  // not change under the scan.
  void CheckNotScanning() const;
  // The VarNum of a named item, or ValueError.
  int VarNumOf(const std::string& name);
  pybind11::object GetItem(int varNum, std::optional<int> row, const std::string& label);
  void SetItem(int varNum, const pybind11::handle& value, std::optional<int> row, const std::string& label);
  // One section of the results JSON.
  nlohmann::ordered_json Section(const TReportChoice& choice, const char* key);

  std::unique_ptr<TBend> FBend;
  // The file the design was opened from or last saved to, absolute; empty
  // for a design made in the script.
  std::string FFileName;
  // Scans of this design running now, each in a thread of its own without
  // the GIL; counted under the GIL.
  int FScans = 0;
  // The items by name, filled at the first look-up by name: the names are
  // the item table's and never change.
  std::unordered_map<std::string, int> FVarNumOfName;
};

}  // namespace umbrinex
