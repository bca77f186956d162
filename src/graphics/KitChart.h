#pragma once
// The chart kit: everything a graph window needs, from the engine that
// turns results into curves and ranges to the widget, the files and the
// values table.
//
//   GraphSettings  the user's fonts, legend and curve styles
//   GraphAxis      ranges, nice steps, ticks and tick labels
//   ChartItems     pens, marker points, reference lines
//   Curve          a curve's values and the series drawn from them
//   ChartEngine    curves, data extents, axis ranges, building and zooming
//   GraphPainter   the one painting for screen, files and printer
//   Graph          the widget: zoom, copy, export, print, properties
//   GraphOutput    SVG, PDF, PNG and BMP at 120 mm
//   GraphValues    the values table of a graph on a sheet
//   GraphProperties  the "Graph Properties" dialog
//   ResultsGraphs  the builders of the design's results graphs
//   GraphFiles     results graphs straight to files, without a window

#include "graphics/ChartEngine.h"
#include "graphics/ChartItems.h"
#include "graphics/Curve.h"
#include "graphics/Graph.h"
#include "graphics/GraphAxis.h"
#include "graphics/GraphFiles.h"
#include "graphics/GraphOutput.h"
#include "graphics/GraphPainter.h"
#include "graphics/GraphProperties.h"
#include "graphics/GraphSettings.h"
#include "graphics/GraphValues.h"
#include "graphics/ResultsGraphs.h"
