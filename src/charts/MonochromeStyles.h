#pragma once
// In black and white the curves of a graph cannot be told apart by colour,
// so output in monochrome tells them apart by pen style instead.

#include <vector>

namespace umbrinex {

class TChartEngine;

// The pen style of each curve of the engine (in curve order) for monochrome
// output. A style the user chose for a curve other than solid is kept; the
// solid curves that are drawn take, in curve order, solid, dash, dot,
// dash-dot and dash-dot-dot, skipping what the chosen styles already use,
// and start again once every style has been used. Curves that are not drawn
// keep their style.
std::vector<int> MonochromeCurveStyles(const TChartEngine& engine);

}  // namespace umbrinex
