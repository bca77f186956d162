#pragma once
// One design for Python scripts: the bend model with the batch program's own
// ways of entering items and reporting results, so that a script and the
// command line agree to the last digit and refuse values with the same
// messages.

#include <memory>
#include <optional>
#include <string>

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
  pybind11::object Items();
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
  // One section of the results JSON.
  nlohmann::ordered_json Section(const TReportChoice& choice, const char* key);

  std::unique_ptr<TBend> FBend;
  // The file the design was opened from or last saved to, absolute; empty
  // for a design made in the script.
  std::string FFileName;
};

}  // namespace umbrinex
