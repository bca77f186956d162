// In black and white the curves of a graph differ by pen style.

#include <gtest/gtest.h>

#include "charts/ChartEngine.h"
#include "charts/MonochromeStyles.h"

namespace umbrinex {
namespace {

struct TCurveSpec {
  int Style = psSolid;
  bool Visible = true;
};

std::vector<int> StylesOf(const std::vector<TCurveSpec>& curves)
{
  TChartEngine engine;
  for (const TCurveSpec& wanted : curves) {
    TCurve& curve = engine.AddCurve();
    curve.Pen.Style = wanted.Style;
    curve.Visible = wanted.Visible;
  }
  return MonochromeCurveStyles(engine);
}

TEST(MonochromeStyles, CurvesDrawnSolidTakeTheStylesInTurnAndChosenStylesAreKept)
{
  struct TCase {
    const char* Name;
    std::vector<TCurveSpec> Curves;
    std::vector<int> Styles;
  };
  const TCase cases[] = {
      {"two states", {{}, {}}, {psSolid, psDash}},
      {"five stiffness factors after a heading with no line",
       {{psClear}, {}, {}, {}, {}, {}},
       {psClear, psSolid, psDash, psDot, psDashDot, psDashDotDot}},
      {"a sixth curve starts the styles again", {{}, {}, {}, {}, {}, {}}, {0, 1, 2, 3, 4, 0}},
      {"a chosen dash is kept and not given to another curve", {{}, {psDash}, {}}, {psSolid, psDash, psDot}},
      {"a hidden curve takes no style", {{}, {psSolid, false}, {}}, {psSolid, psSolid, psDash}},
      {"inside-frame pens draw solid lines", {{psInsideFrame}, {}}, {psSolid, psDash}},
      {"every style chosen", {{1}, {2}, {3}, {4}, {}}, {1, 2, 3, 4, psSolid}},
  };
  for (const TCase& c : cases) EXPECT_EQ(StylesOf(c.Curves), c.Styles) << c.Name;
}

}  // namespace
}  // namespace umbrinex
