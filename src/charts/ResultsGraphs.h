#pragma once
// The results graphs of a design. Each builder fills a chart engine from
// the bend model's results when the engine asks with its request flags:
// rfTitles sets the axis titles (in the model's units), rfData rebuilds
// curves, points and lines from the results (calculating them when needed),
// rfRanges sets the default axis ranges.
//
// A view that has nothing to show raises EBendResultCannotBeDisplayed before
// drawing anything; calculation errors pass through as they are, except in
// the performance map, which skips the samples that fail.

#include <cstdint>
#include <optional>
#include <string>

#include "charts/ChartEngine.h"

namespace umbrinex {

class TBend;

enum class TResultsGraph {
  Diameter,
  Stiffness,
  DesignChart,
  PerformanceChart,
  PerformanceMap,
  DeflectionChart,
  CurvatureChart,
  StrainChart,
  Material,
};

// "Diameter", "Stiffness", "Design Chart", "Performance Chart",
// "Performance Map", "Deflection Chart", "Curvature Chart", "Strain Chart",
// "Material".
std::string ResultsGraphName(TResultsGraph graph);
std::optional<TResultsGraph> FindResultsGraph(const std::string& name);
bool IsLoadCaseGraph(TResultsGraph graph);

// The builder of a graph, bound to the design.
TChartEngine::TBuilder ResultsGraphBuilder(TBend& bend, TResultsGraph graph);
// The settings the main window gives its graphs: the legend on the right of
// the design chart and at the top elsewhere; the performance chart and map
// hide it while they hold fewer than two curves. Embedded graphs do without
// the Legend and Intercepts pages of the properties dialog.
void ConfigureResultsGraph(TChartEngine& engine, TResultsGraph graph);

void CurvatureGraph(TBend& bend, TChartEngine& engine, int flags);
void DeflectionGraph(TBend& bend, TChartEngine& engine, int flags);
void StrainGraph(TBend& bend, TChartEngine& engine, int flags);
void DesignChartGraph(TBend& bend, TChartEngine& engine, int flags);
void DiameterGraph(TBend& bend, TChartEngine& engine, int flags);
void StiffnessGraph(TBend& bend, TChartEngine& engine, int flags);
void PerformanceChartGraph(TBend& bend, TChartEngine& engine, int flags);
void PerformanceMapGraph(TBend& bend, TChartEngine& engine, int flags);
void MaterialGraph(TBend& bend, TChartEngine& engine, int flags);

inline constexpr int PerformanceMapSamples = 1000;
// "Add Points": up to another 1000 samples on top of those shown.
void AddPerformancePoints(TChartEngine& engine);

}  // namespace umbrinex
