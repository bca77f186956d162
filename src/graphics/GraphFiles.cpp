#include "graphics/GraphFiles.h"

#include <QGuiApplication>

#include "bend/Bend.h"
#include "charts/ResultsGraphs.h"
#include "framework/data/TextUtils.h"
#include "graphics/GraphOutput.h"

namespace umbrinex {

namespace {
constexpr TResultsGraph FileGraphs[] = {
    TResultsGraph::Diameter,         TResultsGraph::Stiffness,      TResultsGraph::DesignChart,
    TResultsGraph::PerformanceChart, TResultsGraph::PerformanceMap, TResultsGraph::DeflectionChart,
    TResultsGraph::CurvatureChart,   TResultsGraph::StrainChart,
};

TResultsGraph FileGraph(const std::string& name)
{
  for (TResultsGraph graph : FileGraphs)
    if (ResultsGraphName(graph) == name) return graph;
  throw EGraphOutputError(Format("Unknown graph \"%s\"; the graphs are %s.", name.c_str(), GraphFileNames().c_str()));
}

void SelectLoadCase(TBend& bend, int loadCase)
{
  if (loadCase < 1 || loadCase > bend.LoadCaseCount())
    throw EGraphOutputError(
        Format("Load case %d does not exist; the design has %d load cases.", loadCase, bend.LoadCaseCount()));
  TAccessStatus status;
  bend.SetValue(vnSelectedLoadCase, 0, status, loadCase - 1, vtInt);
  if (status.Code != acOk) throw EGraphOutputError(status.Text());
}
}  // namespace

std::string GraphFileNames()
{
  std::string names;
  for (TResultsGraph graph : FileGraphs) names += (names.empty() ? "" : ", ") + ResultsGraphName(graph);
  return names;
}

void EnsureGuiApplication()
{
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (QCoreApplication::instance())
    throw EGraphOutputError("Graphs cannot be drawn in a program without a graphical application object.");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Made once and never destroyed: it must outlive every font and picture,
  // and the program ends soon after the files are written.
  static int argc = 1;
  static char name[] = "umbrinex";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);
}

void RenderGraphToFile(TBend& bend, const std::string& name, int loadCase, const std::string& fileName)
{
  TGraphFileOptions options;
  options.LoadCase = loadCase;
  RenderGraphToFile(bend, name, fileName, options);
}

void RenderGraphToFile(TBend& bend, const std::string& name, const std::string& fileName,
                       const TGraphFileOptions& options)
{
  const TGraphFileKind kind = GraphFileKind(fileName);
  const TResultsGraph graph = FileGraph(name);
  if (IsLoadCaseGraph(graph)) SelectLoadCase(bend, options.LoadCase);
  // Refused before anything is calculated; replaced only by a whole file.
  TReplacementFile file(fileName);
  EnsureGuiApplication();
  TChartEngine engine(ResultsGraphBuilder(bend, graph));
  ConfigureResultsGraph(engine, graph);
  engine.Rebuild(rfAll);
  TGraphOutput output;
  output.Header = options.Header;
  output.Monochrome = options.Monochrome.value_or(GraphSettings().MonochromeOutput);
  SavePictureFile(file, GraphFileBytes(engine, kind, output));
}

}  // namespace umbrinex
