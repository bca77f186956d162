#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "charts/ResultsGraphs.h"
#include "graphics/GraphFiles.h"
#include "graphics/GraphPainter.h"

namespace umbrinex {
namespace {

// A new graph window's first build (titles, curves, ranges) and its first
// painting, off screen, once the results it shows are calculated.
void BuildAndPaint(benchmark::State& state, TBend& bend, TResultsGraph graph)
{
  QImage image(800, 560, QImage::Format_RGB32);
  for (auto _ : state) {
    TChartEngine engine(ResultsGraphBuilder(bend, graph));
    ConfigureResultsGraph(engine, graph);
    engine.Rebuild(rfAll);
    QPainter painter(&image);
    PaintChart(painter, engine, QRectF(0, 0, 800, 560), TPaintOptions{});
  }
}

// The load case is solved again by every build, as a view of it asks.
void BM_BuildCurvatureGraph(benchmark::State& state)
{
  EnsureGuiApplication();
  auto bend = New<TBend>();
  BuildAndPaint(state, *bend, TResultsGraph::CurvatureChart);
}
BENCHMARK(BM_BuildCurvatureGraph)->Unit(benchmark::kMillisecond);

void BM_BuildDesignChartGraph(benchmark::State& state)
{
  EnsureGuiApplication();
  auto bend = New<TBend>();
  bend->DesignChartResults().EnsureCalculated();
  BuildAndPaint(state, *bend, TResultsGraph::DesignChart);
}
BENCHMARK(BM_BuildDesignChartGraph)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace umbrinex
