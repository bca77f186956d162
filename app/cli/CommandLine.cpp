// The run of the batch program: open, every --set in the order given, then
// the outputs (the design saved first, so that a calculation error does not
// lose the edited design).

#include <unistd.h>
#include <algorithm>
#include <charconv>
#include <csignal>
#include <functional>
#include <ostream>
#include <set>
#include <sstream>

#include <CLI/CLI.hpp>

#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "bend/KeyResults.h"
#include "bend/LoadCaseResults.h"
#include "bend/PerformanceChartResults.h"
#include "cli/Cli.h"
#include "cli/ItemListing.h"
#ifdef UMBRINEX_CLI_GRAPHS
#include "graphics/DrawingFiles.h"
#include "graphics/GraphFiles.h"
#endif
#include "framework/data/DiskFile.h"
#include "framework/data/Messages.h"
#include "framework/data/Progress.h"
#include "framework/data/TextUtils.h"
#include "numerics/ParallelFor.h"
#include "persistence/BendFile.h"
#include "persistence/LoadCaseCsv.h"
#include "presentation/Reports.h"
#include "presentation/SpreadSheet.h"
#include "presentation/WorkbookFiles.h"

namespace umbrinex {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int)
{
  if (interrupted) _exit(ExitCancelled);
  interrupted = 1;
}

void CheckInterrupted()
{
  if (interrupted) throw ESilentAbort();
}

bool EndsWith(const std::string& text, const char* ending)
{
  const std::string_view end(ending);
  return text.size() >= end.size() && SameText(std::string_view(text).substr(text.size() - end.size()), end);
}

void ApplySettings(TBend& bend, const std::vector<std::string>& settings)
{
  for (const std::string& argument : settings) {
    const std::optional<TItemSetting> setting = ParseItemSetting(argument);
    if (!setting)
      throw EUsageError("--set " + VisibleText(argument) +
                        ": expected ITEM=TEXT with ITEM a VarNum or VarNum:ROW (rows from 1)");
    const TAccessStatus status = EnterItemText(bend, setting->VarNum, std::max(setting->Row - 1, 0), setting->Text);
    if (status.Code != acOk) throw EUsageError(setting->Item + ": " + status.Text());
  }
}

// The design a run works on: opened (or the default one), its load cases
// replaced by --load-cases, then every --set in order.
std::unique_ptr<TBend> PreparedDesign(const TCliOptions& options)
{
  SetCalculationThreads(options.Threads);
  std::unique_ptr<TBend> bend = New<TBend>();
  if (!options.Design.empty()) LoadFromFile(*bend, options.Design);
  if (!options.LoadCasesFile.empty()) ImportLoadCasesCsv(*bend, options.LoadCasesFile);
  ApplySettings(*bend, options.Settings);
  return bend;
}

void CheckLoadCaseExists(const TBend& bend, int loadCase)
{
  if (loadCase > bend.LoadCaseCount())
    throw EUsageError(Format("--load-case %d: the design has %d load cases", loadCase, bend.LoadCaseCount()));
}

void SelectLoadCase(TBend& bend, int loadCase)
{
  CheckLoadCaseExists(bend, loadCase);
  TAccessStatus status;
  bend.SetValue(vnSelectedLoadCase, 0, status, loadCase - 1, vtInt);
}

// Each report has a workbook of its own, but one run tells the user of a
// truncated sheet only once.
void ShowOnce(const std::string& text)
{
  static std::set<std::string> shown;
  if (shown.insert(text).second) ShowInformation(text);
}

using TReportSink = std::function<void(TWorkbook&)>;

// Writes one report on a workbook of its own: the load case and chart
// reports decide how many sheets their workbook has.
template <typename TResults>
void WriteReport(TResults& results, const TReportSink& sink)
{
  CheckInterrupted();
  TWorkbook workbook;
  TSpreadSheet sheet(workbook);
  sheet.OnInformation = ShowOnce;
  WriteToSheet(results, sheet);
  sink(workbook);
}

// The chosen reports in order; with every report, only the load cases and
// charts that have something to show.
void WriteReports(TBend& bend, const TReportChoice& choice, bool everything, const TReportSink& sink)
{
  const bool key = everything || choice.Key || !choice.Any();
  if (key) WriteReport(bend.KeyResults(), sink);
  if (everything) {
    for (int i = 0; i < bend.LoadCaseCount(); ++i) {
      if (!bend.AnyStateIncluded(i)) continue;
      SelectLoadCase(bend, i + 1);
      WriteReport(bend.LoadCaseResults(), sink);
    }
  } else if (choice.LoadCase > 0) {
    SelectLoadCase(bend, choice.LoadCase);
    CheckLoadCaseCanBeDisplayed(bend);
    WriteReport(bend.LoadCaseResults(), sink);
  }
  if (choice.DesignChart || (everything && bend.AnyLoadCaseActive())) {
    CheckDesignChartCanBeDisplayed(bend);
    WriteReport(bend.DesignChartResults(), sink);
  }
  if (everything || choice.PerformanceChart) WriteReport(bend.PerformanceChartResults(), sink);
}

// Sheets of several reports in one workbook, named by the workbook's rule
// for repeated names ("State 1", then "State 1 (2)" for the next load case).
void AppendSheets(TWorkbook& target, bool& targetEmpty, const TWorkbook& source)
{
  TSpreadSheet sheet(target);
  for (int i = 0; i < source.SheetCount(); ++i) {
    const int index = targetEmpty ? 0 : target.SheetCount();
    if (!targetEmpty) target.SetSheetCount(index + 1);
    targetEmpty = false;
    target.Sheet(index) = source.Sheet(i);
    target.Sheet(index).SetName("");
    sheet.SelectSheet(index);
    sheet.NameSheet(source.Sheet(i).Name());
  }
  sheet.SelectSheet(0);
}

void PrintReports(TBend& bend, const TCliOptions& options, std::ostream& out)
{
  if (options.Json) {
    out << JsonText(ResultsJson(bend, options.Reports)) << '\n';
    return;
  }
  const bool key = options.Reports.Key || !options.Reports.Any();
  bool first = true;
  WriteReports(bend, options.Reports, false, [&](TWorkbook& workbook) {
    if (!first) out << '\n';
    out << WorkbookReportText(workbook);
    // The key results come first, and the design check right after them.
    if (first && key) out << '\n' << DesignCheckText(bend);
    first = false;
  });
  const std::string checks = AccuracyAndConvergedText(bend, options.Reports);
  if (!checks.empty()) out << '\n' << checks;
}

// The items in the same JSON object as any results asked for with them.
void PrintItemsJson(TBend& bend, const TReportChoice& choice, std::ostream& out)
{
  nlohmann::ordered_json json = choice.Any() ? ResultsJson(bend, choice) : nlohmann::ordered_json::object();
  json["items"] = ItemsJson(bend)["items"];
  out << JsonText(json) << '\n';
}

void SaveReports(TBend& bend, const TCliOptions& options)
{
  TWorkbook workbook;
  bool empty = true;
  WriteReports(bend, options.Reports, !options.Reports.Any(),
               [&](TWorkbook& report) { AppendSheets(workbook, empty, report); });
  if (EndsWith(options.ReportFile, ".txt"))
    SaveWorkbookText(workbook, options.ReportFile);
  else
    SaveWorkbookXlsx(workbook, options.ReportFile);
}

#ifdef UMBRINEX_CLI_GRAPHS
// The names --graph accepts: the graphs, then the drawings.
std::vector<std::string> GraphNames()
{
  std::vector<std::string> names;
  const std::string graphs = GraphFileNames();
  for (std::size_t start = 0; start <= graphs.size();) {
    const std::size_t end = std::min(graphs.find(", ", start), graphs.size());
    names.push_back(graphs.substr(start, end - start));
    start = end + 2;
  }
  for (const char* drawing : {"General Arrangement", "Deflected Shape"})
    if (IsDrawingName(drawing)) names.emplace_back(drawing);
  return names;
}

std::string JoinedGraphNames()
{
  std::string joined;
  for (const std::string& name : GraphNames()) joined += (joined.empty() ? "\"" : ", \"") + name + "\"";
  return joined;
}
#endif

// A graph the program does not know is a usage error, found before the
// design is opened or anything is calculated.
void CheckGraphName(const std::string& name)
{
  if (name.empty()) return;
#ifdef UMBRINEX_CLI_GRAPHS
  const std::vector<std::string> names = GraphNames();
  if (std::find(names.begin(), names.end(), name) == names.end())
    throw EUsageError("--graph " + VisibleText(name) + ": unknown graph; the graphs are " + JoinedGraphNames() + ".");
#else
  throw EUsageError("--graph needs the desktop libraries, which this build leaves out.");
#endif
}

void RenderGraph(TBend& bend, const TCliOptions& options)
{
#ifdef UMBRINEX_CLI_GRAPHS
  const int loadCase = options.Reports.LoadCase > 0 ? options.Reports.LoadCase : 1;
  // --colour overrides the "Monochrome Output" setting for this run only.
  const std::optional<bool> monochrome = options.Colour ? std::optional<bool>(false) : std::nullopt;
  if (IsDrawingName(options.Graph)) {
    RenderDrawingToFile(bend, options.Graph, loadCase, options.GraphFile, monochrome);
  } else {
    TGraphFileOptions graphOptions;
    graphOptions.LoadCase = loadCase;
    graphOptions.Monochrome = monochrome;
    RenderGraphToFile(bend, options.Graph, options.GraphFile, graphOptions);
  }
#else
  (void)bend;
  CheckGraphName(options.Graph);
#endif
}

void Run(const TCliOptions& options, std::ostream& out)
{
  CheckGraphName(options.Graph);
  // A file that cannot be written is found before anything is calculated.
  for (const std::string* target : {&options.SaveFile, &options.ReportFile, &options.GraphFile})
    if (!target->empty()) CheckWritableTarget(*target);
  if (!options.ExportLoadCasesFile.empty() && options.ExportLoadCasesFile != "-")
    CheckWritableTarget(options.ExportLoadCasesFile);
  std::unique_ptr<TBend> bend = PreparedDesign(options);
  CheckLoadCaseExists(*bend, options.Reports.LoadCase);
  // The name typed is the file written: no extension is added to it. With
  // --load-cases and no graph, --out names the design saved.
  if (!options.SaveFile.empty()) SaveToFile(*bend, options.SaveFile, TFileNaming::Exact);
  if (options.Graph.empty() && !options.GraphFile.empty()) SaveToFile(*bend, options.GraphFile, TFileNaming::Exact);
  if (options.ExportLoadCasesFile == "-")
    WriteLoadCasesCsv(*bend, out);
  else if (!options.ExportLoadCasesFile.empty())
    SaveLoadCasesCsv(*bend, options.ExportLoadCasesFile);
  if (options.Items && !options.Json) ListItems(*bend, out);
  // The key results are the default output when nothing else is asked for.
  const bool otherOutput = options.Items || !options.SaveFile.empty() || !options.ReportFile.empty() ||
                           !options.Graph.empty() || !options.GraphFile.empty() ||
                           !options.ExportLoadCasesFile.empty();
  // With --graph, --load-case only chooses the load case of the graph.
  TCliOptions printed = options;
  if (!options.Graph.empty()) printed.Reports.LoadCase = 0;
  const bool checks = printed.Reports.Accuracy || printed.Reports.Converged;
  if (options.Items && options.Json)
    PrintItemsJson(*bend, printed.Reports, out);
  else if (printed.Json || printed.Reports.Any() || checks || !otherOutput)
    PrintReports(*bend, printed, out);
  if (!options.ReportFile.empty()) SaveReports(*bend, options);
  if (!options.Graph.empty()) RenderGraph(*bend, options);
  CheckInterrupted();
}

// --size: sizes the stiffener of the design (after the --set steps), prints
// the table or the JSON and saves the sized design to --out; the design is
// never changed when nothing fits.
int RunSizing(const TCliOptions& options, std::ostream& out, std::ostream& err)
{
  const TSizingRequest request = SizingRequestFrom(options.Sizing);
  if (!options.GraphFile.empty()) CheckWritableTarget(options.GraphFile);
  std::unique_ptr<TBend> bend = PreparedDesign(options);
  const TSizingRequest complete = CompleteSizingRequest(*bend, request);
  const TSizingResult result = SizeStiffener(*bend, complete, [](int) { CheckInterrupted(); });
  if (options.Json)
    out << JsonText({{"sizing", SizingJson(complete, result)}}) << '\n';
  else
    out << SizingText(*bend, complete, result);
  if (!result.Sized) {
    out.flush();
    err << VisibleText(result.Message, true) << '\n';
    return ExitFailed;
  }
  if (!options.GraphFile.empty()) {
    ApplySizing(*bend, complete, result.After);
    SaveToFile(*bend, options.GraphFile, TFileNaming::Exact);
  }
  return ExitOk;
}

// --scan: the history's response to --out or standard output.
int RunScan(const TCliOptions& options, std::ostream& out, std::ostream& err)
{
  if (!options.GraphFile.empty() && options.GraphFile != "-") CheckWritableTarget(options.GraphFile);
  std::unique_ptr<TBend> bend = PreparedDesign(options);
  return ScanHistory(*bend, options.Scan, options.GraphFile, out, err, CheckInterrupted);
}

std::string CheckLoadCaseNumber(const std::string& text)
{
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error == std::errc() && end == text.data() + text.size() && number >= 1) return {};
  return "load cases are numbered from 1";
}

std::string CheckTolerance(const std::string& text)
{
  double tolerance = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), tolerance);
  if (error == std::errc() && end == text.data() + text.size() && tolerance > 0.0 && tolerance < 1.0) return {};
  return "the tolerance must be a number above 0 and below 1";
}

// An empty name would silently skip the output it asks for.
std::string CheckFileNameGiven(const std::string& fileName)
{
  return fileName.empty() ? "a file name is needed" : "";
}

std::string CheckGraphNameGiven(const std::string& name)
{
  if (!name.empty()) return {};
#ifdef UMBRINEX_CLI_GRAPHS
  return "a graph name is needed; the graphs are " + JoinedGraphNames() + ".";
#else
  return "--graph needs the desktop libraries, which this build leaves out.";
#endif
}

std::string CheckReportFileName(const std::string& fileName)
{
  if (EndsWith(fileName, ".xlsx") || EndsWith(fileName, ".txt")) return {};
  return "the report file must end in .xlsx or .txt";
}

}  // namespace

int RunOptions(const TCliOptions& options, std::ostream& out, std::ostream& err)
{
  // The variable counts only where --threads does not say otherwise.
  if (options.Threads == 0)
    if (const std::string warning = ThreadsEnvironmentWarning(); !warning.empty())
      err << VisibleText(warning, true) << '\n';
  try {
    if (!options.ExportDataFile.empty()) return ExportData(options, out, err);
    if (options.Size) return RunSizing(options, out, err);
    if (!options.Scan.History.empty()) return RunScan(options, out, err);
    Run(options, out);
    return ExitOk;
  } catch (const ESilentAbort&) {
    return ExitCancelled;
  } catch (const EUsageError& e) {
    err << VisibleText(e.what(), true) << '\n';
    return ExitUsage;
  } catch (const std::exception& e) {
    // Messages carry texts of the design and of the command line: shown,
    // never obeyed by the terminal.
    out.flush();
    err << VisibleText(e.what(), true) << '\n';
    return ExitFailed;
  }
}

// The options of --size; it runs alone, with --set, --threads, --json and
// --out.
void AddSizingOptions(CLI::App& app, TCliOptions& options)
{
  auto* size = app.add_flag("--size", options.Size,
                            "Sizes the stiffener: the least volume (or length) within the bounds of the --vary "
                            "variables that keeps every included load case and state at MBR/ABR of at least "
                            "--target; with --out, saves the sized design there");
  app.add_option("--vary", options.Sizing.Vary,
                 "The variables of --size, comma-separated: length, root-diameter, tip-diameter, shape-power "
                 "(stiffness power law), length-scale, diameter-scale (user-defined profile); default length and "
                 "root diameter, or both scales")
      ->type_name("NAMES")
      ->needs(size);
  app.add_option("--bounds", options.Sizing.Bounds,
                 "Bounds of the variables in the design's units, for example length=1:6,root-diameter=0.2:0.6; "
                 "a side left empty keeps its default (half and three times the value as it is)")
      ->type_name("NAME=LOWER:UPPER,...")
      ->needs(size);
  app.add_option("--target", options.Sizing.Target, "The smallest MBR/ABR allowed (default 1.0)")
      ->type_name("RATIO")
      ->needs(size);
  app.add_option_function<double>(
         "--max-strain", [&options](double limit) { options.Sizing.MaxStrain = limit; },
         "The largest outer-fibre polymer strain allowed")
      ->type_name("STRAIN")
      ->needs(size);
  app.add_option("--objective", options.Sizing.Objective, "What --size makes least: volume (default) or length")
      ->type_name("volume|length")
      ->needs(size);
  app.add_flag("--moulds", options.Sizing.Moulds,
               "Also rounds the sized diameters up to the mould diameters and checks the rounded design")
      ->needs(size);
  for (const char* other : {"--items", "--key", "--load-case", "--design-chart", "--performance-chart", "--accuracy",
                            "--converged", "--report", "--save", "--graph", "--export-data"})
    size->excludes(other);
}

// --export-data runs alone.
void AddExportDataOption(CLI::App& app, TCliOptions& options)
{
  auto* exportData = app.add_option("--export-data", options.ExportDataFile,
                                    "Writes the design's data as the data forms show them (the desktop program's "
                                    "Export Data) to FILE, or to standard output for \"-\"")
                         ->type_name("FILE")
                         ->check(CheckFileNameGiven);
  for (const char* other : {"--set", "--items", "--key", "--load-case", "--design-chart", "--performance-chart",
                            "--accuracy", "--converged", "--json", "--report", "--save", "--graph"})
    exportData->excludes(other);
}

// --load-cases and --scan; --scan runs alone, with --load-cases, --set,
// --threads and --out.
void AddHistoryOptions(CLI::App& app, TCliOptions& options)
{
  app.add_option("--load-cases", options.LoadCasesFile,
                 "Replaces the design's load cases by those of a CSV table (comma, semicolon or tab separated; a "
                 "header naming Tension, Angle and optionally ABR, State 1, State 2, with units such as "
                 "\"Tension (kN)\"); with --out and no --graph, saves the design there")
      ->type_name("FILE.csv")
      ->check(CheckFileNameGiven);
  app.add_option("--export-load-cases", options.ExportLoadCasesFile,
                 "Writes the design's load cases (after --load-cases and --set) as a CSV table in the design's "
                 "units, which --load-cases reads back, to FILE or to standard output for \"-\"")
      ->type_name("FILE.csv")
      ->check(CheckFileNameGiven);
  auto* scan = app.add_option("--scan", options.Scan.History,
                              "Scans a load history (CSV: time optional, tension, angle; \"-\" for standard input): "
                              "for every row and state, the root moment and shear, the smallest bend radius with "
                              "its position, MBR/ABR and the largest strain, as CSV to --out or standard output")
                   ->type_name("HISTORY.csv")
                   ->check(CheckFileNameGiven);
  app.add_option_function<int>(
         "--state", [&options](int state) { options.Scan.State = state; },
         "The state --scan solves (default: every state a load case includes)")
      ->type_name("N")
      ->check(CLI::Range(1, StateCount))
      ->needs(scan);
  for (const char* other : {"--items", "--key", "--load-case", "--design-chart", "--performance-chart", "--accuracy",
                            "--converged", "--json", "--report", "--save", "--graph", "--export-data", "--size",
                            "--export-load-cases"})
    scan->excludes(other);
}

std::optional<int> ParseCommandLine(int argc, const char* const* argv, TCliOptions& options, std::ostream& out,
                                    std::ostream& err)
{
  CLI::App app("Runs a bend stiffener design without a window and prints or saves its results.", "umbrinex-cli");
  app.add_option("DESIGN", options.Design, "Design file (.mxd, or an older .dat); the default design without one");
  app.add_option("--set", options.Settings,
                 "Enters TEXT into the data item ITEM (VarNum or VarNum:ROW, rows from 1) as typed in a grid cell; "
                 "repeatable, applied in order")
      ->type_name("ITEM=TEXT")
      ->expected(1)
      ->allow_extra_args(false)
      ->take_all();
  app.add_flag("--items", options.Items,
               "Lists every data item: VarNum[:ROW], name, value and unit (with --json, as a JSON object)");
  app.add_flag("--key", options.Reports.Key, "Prints the key results (the default output)");
  app.add_option("--load-case", options.Reports.LoadCase, "Prints the station results of load case N (from 1)")
      ->type_name("N")
      ->check(CheckLoadCaseNumber);
  app.add_flag("--design-chart", options.Reports.DesignChart, "Prints the design chart");
  app.add_flag("--performance-chart", options.Reports.PerformanceChart, "Prints the performance chart");
  app.add_flag("--accuracy", options.Reports.Accuracy,
               "Adds the discretisation error of every root moment, root shear and smallest bend radius, estimated "
               "from a second solution at half the station intervals");
  auto* converged = app.add_flag("--converged", options.Reports.Converged,
                                 "Adds results freed of the discretisation error: the station intervals are halved "
                                 "until the extrapolated root moments settle within the --tolerance");
  app.add_option("--tolerance", options.Reports.Tolerance,
                 "Relative change of the root moments at which --converged stops (default 1e-4)")
      ->type_name("TOL")
      ->check(CheckTolerance)
      ->needs(converged);
  app.add_option("--threads", options.Threads,
                 "Threads of the long calculations (default: UMBRINEX_THREADS, else one per core)")
      ->type_name("N")
      ->check(CLI::Range(1, 256));
  app.add_flag("--json", options.Json, "Prints the chosen results as one JSON object instead of text");
  app.add_option("--report", options.ReportFile,
                 "Writes the chosen reports (all of them when none is chosen) to a workbook, .xlsx or .txt")
      ->type_name("FILE")
      ->check(CheckReportFileName);
  app.add_option("--save", options.SaveFile, "Saves the design after the --set steps, to exactly the FILE named")
      ->type_name("FILE")
      ->check(CheckFileNameGiven);
  auto* graph =
      app.add_option("--graph", options.Graph,
                     "Renders a graph or drawing into the --out file (.svg, .pdf, .png or .bmp): \"Diameter\", "
                     "\"Stiffness\", \"Design Chart\", \"Performance Chart\", \"Performance Map\", "
                     "\"General Arrangement\", or for the --load-case (default 1) \"Deflection Chart\", "
                     "\"Curvature Chart\", \"Strain Chart\", \"Deflected Shape\"")
          ->type_name("NAME")
          ->check(CheckGraphNameGiven);
  auto* outFile = app.add_option("--out", options.GraphFile,
                                 "The file the --graph is rendered into, or the design --size sizes is saved to")
                      ->type_name("FILE")
                      ->check(CheckFileNameGiven);
  auto* colour = app.add_flag("--colour", options.Colour,
                              "Renders the --graph in colour, whatever the \"Monochrome Output\" setting says");
  AddExportDataOption(app, options);
  graph->needs(outFile);
  colour->needs(graph);
  AddSizingOptions(app, options);
  AddHistoryOptions(app, options);
  try {
    app.parse(argc, argv);
    if (outFile->count() > 0 && options.Graph.empty() && !options.Size && options.Scan.History.empty() &&
        options.LoadCasesFile.empty())
      throw CLI::RequiresError("--out", "--graph, --size, --scan or --load-cases");
  } catch (const CLI::ParseError& e) {
    // The parser quotes the arguments it refuses as they were typed.
    std::ostringstream parserOut, parserErr;
    const int status = app.exit(e, parserOut, parserErr);
    out << VisibleText(parserOut.str(), true);
    err << VisibleText(parserErr.str(), true);
    return status == 0 ? ExitOk : ExitUsage;
  }
  return std::nullopt;
}

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
  TCliOptions options;
  if (const std::optional<int> status = ParseCommandLine(argc, argv, options, out, err)) return *status;
  return RunOptions(options, out, err);
}

int FinishStandardOutput(int status, std::ostream& err)
{
  try {
    FlushStandardOutput();
  } catch (const std::exception& e) {
    err << VisibleText(e.what(), true) << '\n';
    return status == ExitOk ? ExitFailed : status;
  }
  return status;
}

void InstallInterruptHandler()
{
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  // Long calculations check the progress display between steps: that is
  // where an interrupt becomes the cancellation the user asked for.
  SetProcessPendingEvents([] {
    if (interrupted) Progress().RequestCancel();
  });
}

}  // namespace umbrinex
