#include "charts/MonochromeStyles.h"

#include <algorithm>
#include <array>

#include "charts/ChartEngine.h"

namespace umbrinex {

namespace {

constexpr std::array<int, 5> LineStyles = {psSolid, psDash, psDot, psDashDot, psDashDotDot};

bool Drawn(const TCurve& curve)
{
  return curve.Visible && curve.Pen.Style != psClear;
}

// Inside-frame pens draw solid lines.
bool Solid(int style)
{
  return style == psSolid || style == psInsideFrame;
}

}  // namespace

std::vector<int> MonochromeCurveStyles(const TChartEngine& engine)
{
  std::vector<int> styles;
  std::array<bool, LineStyles.size()> used{};
  for (int i = 0; i < engine.CurveCount(); ++i) {
    const TCurve& curve = engine.Curve(i);
    styles.push_back(curve.Pen.Style);
    if (!Drawn(curve) || Solid(curve.Pen.Style)) continue;
    const auto chosen = std::find(LineStyles.begin(), LineStyles.end(), curve.Pen.Style);
    if (chosen != LineStyles.end()) used[static_cast<std::size_t>(chosen - LineStyles.begin())] = true;
  }
  for (int i = 0; i < engine.CurveCount(); ++i) {
    const TCurve& curve = engine.Curve(i);
    if (!Drawn(curve) || !Solid(curve.Pen.Style)) continue;
    auto free = std::find(used.begin(), used.end(), false);
    if (free == used.end()) {
      used.fill(false);
      free = used.begin();
    }
    *free = true;
    styles[static_cast<std::size_t>(i)] = LineStyles[static_cast<std::size_t>(free - used.begin())];
  }
  return styles;
}

}  // namespace umbrinex
