#pragma once
// The chart model: everything a graph needs before it is painted, from the
// engine that turns results into curves and ranges to the values table.
//
//   GraphSettings  the user's fonts, legend and curve styles
//   GraphAxis      ranges, nice steps, ticks and tick labels
//   ChartItems     pens, marker points, reference lines
//   Curve          a curve's values and the series drawn from them
//   ChartEngine    curves, data extents, axis ranges, building and zooming
//   GraphValues    the values table of a graph on a sheet
//   ResultsGraphs  the builders of the design's results graphs
//
// Painting and files are in graphics/ (GraphPainter, GraphOutput,
// GraphFiles); the graph widget and its properties dialog in the window kit.

#include "charts/ChartEngine.h"
#include "charts/ChartItems.h"
#include "charts/Curve.h"
#include "charts/GraphAxis.h"
#include "charts/GraphSettings.h"
#include "charts/GraphValues.h"
#include "charts/ResultsGraphs.h"
