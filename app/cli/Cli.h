#pragma once
// The batch program: open a design (or take the default one), change data
// items as a user would type them in the grid, and print or save the
// program's own reports. Everything but main() lives in this library so
// that the tests can drive it in-process.

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "bend/ConvergedResults.h"
#include "bend/Sizing.h"
#include "framework/data/DataTypes.h"
#include "framework/data/Dimension.h"
#include "numerics/Errors.h"

namespace umbrinex {

class TBend;
struct TAccuracy;
class TSheet;
class TWorkbook;

// Exit statuses.
inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;  // file, validation and calculation errors
inline constexpr int ExitUsage = 2;   // bad options and refused --set values
inline constexpr int ExitCancelled = 130;

// The reports asked for; none at all means the key results. The key
// results come with the design check; the discretisation error and the
// converged results come on top of whatever else is printed.
struct TReportChoice {
  bool Key = false;
  int LoadCase = 0;  // 1-based; 0 for none
  bool DesignChart = false;
  bool PerformanceChart = false;
  bool Accuracy = false;
  bool Converged = false;
  double Tolerance = DefaultConvergenceTolerance;  // of the converged root moments, relative

  bool Any() const { return Key || LoadCase > 0 || DesignChart || PerformanceChart; }
};

// A usage error found after parsing, such as a load case the design lacks.
class EUsageError : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

// --size as typed: the variables ("length,root-diameter"), their bounds
// ("length=1:6,root-diameter=0.2:"), the target, the strain limit, the
// objective ("volume" or "length") and --moulds.
struct TSizingWords {
  std::string Vary;
  std::string Bounds;
  double Target = 1.0;
  std::optional<double> MaxStrain;
  std::string Objective = "volume";
  bool Moulds = false;
};

// --scan as typed: the history ("-" for standard input) and the state
// (1-based) when only one is wanted.
struct TScanWords {
  std::string History;
  std::optional<int> State;
};

struct TCliOptions {
  std::string Design;
  std::vector<std::string> Settings;
  bool Items = false;
  TReportChoice Reports;
  bool Json = false;
  std::string ReportFile;
  std::string SaveFile;
  // A graph or drawing by name, rendered into GraphFile.
  std::string Graph;
  std::string GraphFile;
  bool Colour = false;
  int Threads = 0;  // of the long calculations; 0 for the default
  // The text export of the data forms, to this file or "-".
  std::string ExportDataFile;
  // --size, and its request; the sized design goes to GraphFile (--out).
  bool Size = false;
  TSizingWords Sizing;
  // --load-cases: the design's load cases replaced by a CSV table's.
  std::string LoadCasesFile;
  // --export-load-cases: the load case table as CSV, to this file or "-".
  std::string ExportLoadCasesFile;
  // --scan, and its response file (--out; standard output without).
  TScanWords Scan;
};

// ---- sizing the stiffener ----

// The request the words make; an unknown variable, a bound of a variable
// --vary leaves out, a bound that is not NAME=LOWER:UPPER or an unknown
// objective is a usage error.
TSizingRequest SizingRequestFrom(const TSizingWords& words);
// The "sizing" object of the JSON, and the before/after table.
nlohmann::ordered_json SizingJson(const TSizingRequest& request, const TSizingResult& result);
std::string SizingText(TBend& bend, const TSizingRequest& request, const TSizingResult& result);

// ---- load histories ----

// Scans the history through the design: a row of responses for every row
// and state, to the response file (replaced only once written) or to out
// when none is named; progress and refusals go to err. checkCancel raises
// ESilentAbort to stop: the rows scanned so far are kept and the response
// ends in a line "# incomplete: ...", as it does after a refused row.
// Returns the exit status.
int ScanHistory(TBend& bend, const TScanWords& words, const std::string& responseFile, std::ostream& out,
                std::ostream& err, const std::function<void()>& checkCancel);

// ---- entering item values ----

// --export-data: the design's data as the data forms show it, to a file or
// to standard output; its exit status.
int ExportData(const TCliOptions& options, std::ostream& out, std::ostream& err);

// One --set argument: "VarNum=TEXT" or "VarNum:ROW=TEXT" with a 1-based row.
struct TItemSetting {
  std::string Item;  // as given, for messages
  int VarNum = 0;
  int Row = 0;  // 0 when no row was given
  std::string Text;
};
std::optional<TItemSetting> ParseItemSetting(const std::string& argument);

// Reads the text by the rules of the item's descriptor, as the grid does on
// commit, and sets it. Code acOk means the change was made, and results
// calculated before it are invalid; anything else is a refusal whose Text()
// is the program's message.
TAccessStatus EnterItemText(TBend& bend, int varNum, int index, const std::string& text);

// ---- listing items ----

// The unit caption of a dimension with placeholders, such as "FF.LL^2",
// "FF/LL^2" or "1/LL"; empty when dimensionless.
std::string UnitPlaceholders(const TDimension& dimension);
// Every data item of the design with its rows, one per line after a header
// line: VarNum[:ROW], name, value, unit, separated by tabs.
void ListItems(TBend& bend, std::ostream& out);

// ---- reports as text and JSON ----

// A cell number as a spreadsheet shows it under its number format.
std::string FormatCellNumber(double value, const std::string& numberFormat);
// A sheet as aligned columns; a text spills into the empty cells to its
// right as it does on screen.
std::string SheetText(const TSheet& sheet);
// Every sheet in turn, a sheet not titled with its own name preceded by it.
std::string WorkbookReportText(const TWorkbook& workbook);

// The chosen results as one JSON object; special values become their texts.
nlohmann::ordered_json ResultsJson(TBend& bend, const TReportChoice& choice);
// A number as the JSON shows it: special values as their texts.
nlohmann::ordered_json JsonNumber(double value);
// JSON as the program prints it, indented by two: always UTF-8 (a broken
// byte becomes U+FFFD), with the C1 and bidirectional controls of the
// design's texts escaped, so that a terminal shows them instead of obeying.
std::string JsonText(const nlohmann::ordered_json& json);

// ---- design check, discretisation error, converged results ----

// The JSON objects, built from the plain results of the analysis; a
// front end that wants the same data can call these.
nlohmann::ordered_json DesignCheckJson(const TDesignCheck& check);
nlohmann::ordered_json AccuracyJson(const TDesignCheck& check, const TAccuracy& accuracy);
nlohmann::ordered_json ConvergedJson(const TBend& bend, const TConvergedResults& converged);
// Adds "design_check" (with the key results), "accuracy" and "converged"
// as the choice asks.
void AddCheckJson(TBend& bend, const TReportChoice& choice, nlohmann::ordered_json& json);
// The text sections: the design check, printed after the key results, and
// the discretisation error and the converged results, printed after every
// other report.
std::string DesignCheckText(TBend& bend);
std::string AccuracyAndConvergedText(TBend& bend, const TReportChoice& choice);

// ---- the program ----

// Parses the arguments into options; the exit status when that ends the
// run (help, or a usage error, told on out or err), otherwise nothing.
std::optional<int> ParseCommandLine(int argc, const char* const* argv, TCliOptions& options, std::ostream& out,
                                    std::ostream& err);
// Parses the arguments and runs; returns the exit status.
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
// Runs parsed options on a design.
int RunOptions(const TCliOptions& options, std::ostream& out, std::ostream& err);
// Standard output flushed at the end of a run: output lost on the way (a
// full disk) is reported on err and fails a run that had succeeded.
int FinishStandardOutput(int status, std::ostream& err);
// Ctrl-C cancels a running calculation through the progress display; a
// second Ctrl-C ends the program at once.
void InstallInterruptHandler();

}  // namespace umbrinex
