#include "graphics/StiffenerDrawing.h"

#include <cmath>

#include "bend/Bend.h"
#include "bend/LoadCaseResults.h"
#include "charts/GraphSettings.h"
#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"
#include "framework/data/ValueText.h"
#include "presentation/Reports.h"

namespace umbrinex {

namespace {

constexpr TDrawingPenStyle OutlinePen{0, 1, 0};
constexpr int CircleSegments = 180;

TDrawingPenStyle PenOf(const TDrawingPen& pen) { return {pen.Style, pen.Width, pen.Colour}; }

void DrawOutline(TViewPort& viewport, const TOutline& outline)
{
  if (outline.Upper.empty()) return;
  viewport.Polyline(outline.Upper);
  viewport.Polyline(outline.Lower);
  viewport.Line(outline.Upper.front(), outline.Lower.front());
  const auto tip = static_cast<std::size_t>(outline.TipStation - 1);
  if (tip < outline.Upper.size()) viewport.Line(outline.Upper[tip], outline.Lower[tip]);
}

// Lines of text written downwards from a pixel position.
class TTextColumn {
 public:
  TTextColumn(TViewPort& viewport, double x, double y) : FViewPort(viewport), FX(x), FY(y) {}
  void Down(const std::string& text)
  {
    FViewPort.TextAt(QPointF(FX, FY), text);
    FY += FViewPort.TextHeight();
  }
  void Up(const std::string& text)
  {
    FViewPort.TextAt(QPointF(FX, FY), text);
    FY -= FViewPort.TextHeight();
  }

 private:
  TViewPort& FViewPort;
  double FX, FY;
};

std::string Dimension(const char* label, double value, const std::string& unit)
{
  return Format("%s = %s%s", label, FormatGeneral(value, 3).c_str(), unit.c_str());
}

}  // namespace

TOutline StiffenerOutline(const TBendStiffener& solution, bool deflected)
{
  TOutline outline;
  const int n = solution.NumOfStations();
  outline.TipStation = solution.NumOfStiffenerStations();
  outline.Upper.reserve(static_cast<std::size_t>(n));
  outline.Lower.reserve(static_cast<std::size_t>(n));
  for (int i = 1; i <= n; ++i) {
    TVector centre{solution.ArcLength(i), 0.0, 0.0};
    TVector normal{0.0, 1.0, 0.0};
    if (deflected) {
      const double alpha = solution.Angle() - solution.Theta(i);
      centre = {solution.X(i), solution.Y(i), 0.0};
      normal = {-std::sin(alpha), std::cos(alpha), 0.0};
    }
    const double r = solution.Diameter(i) / 2.0;
    outline.Upper.push_back({centre[0] + r * normal[0], centre[1] + r * normal[1], 0.0});
    outline.Lower.push_back({centre[0] - r * normal[0], centre[1] - r * normal[1], 0.0});
  }
  return outline;
}

void PlaceView(const TBend& bend, TViewPort& viewport, int mode)
{
  const double length = bend.AnalysedLength();
  if (mode == amGeneralArrangement) {
    viewport.SetViewSize(1.1 * length);
    viewport.SetViewCentre({length / 2.0, 0.0, 0.0});
  } else {
    viewport.SetViewSize(1.3 * length);
    viewport.SetViewCentre({length / 2.0, 0.2 * length - bend.StiffenerRootDiameter() / 2.0, 0.0});
  }
}

void DrawArrangement(TBend& bend, TViewPort& viewport, int mode)
{
  TLoadCaseResults& results = bend.LoadCaseResults();
  const std::string unit = bend.Units().LengthName();
  if (mode == amGeneralArrangement) {
    TBendStiffener& solution = results.Solution(0);
    solution.CheckData();
    solution.GenerateStations();
    const double half = bend.StiffenerID() / 2.0;
    const double end = solution.ArcLength(solution.NumOfStations());
    viewport.SetPen(PenOf(bend.Pen(0)));
    viewport.Polyline({{0, half, 0}, {end, half, 0}, {end, -half, 0}, {0, -half, 0}, {0, half, 0}});
    viewport.SetPen(OutlinePen);
    DrawOutline(viewport, StiffenerOutline(solution, false));
  } else {
    CheckLoadCaseCanBeDisplayed(bend);
    results.SetLoadCase(bend.SelectedLoadCase());
    for (int s = 0; s < StateCount; ++s) {
      if (!results.StateCounts(s)) continue;
      viewport.SetPen({0, 1, GraphSettings().StateCurves[static_cast<std::size_t>(s)].Colour});
      DrawOutline(viewport, StiffenerOutline(results.Solution(s), true));
    }
  }

  const double margin = std::min(viewport.Width(), viewport.Height()) / 30.0;
  viewport.SetPen(PenOf(bend.Pen(1)));
  if (mode == amGeneralArrangement) {
    TTextColumn column(viewport, margin, margin);
    column.Down(Dimension("Root OD", bend.StiffenerRootDiameter(), unit));
    column.Down(Dimension("Tip OD", bend.StiffenerTipDiameter(), unit));
    column.Down(Dimension("Bore ID", bend.StiffenerID(), unit));
    column.Down(Dimension("Flexible length", bend.StiffenerLength(), unit));
  }
  TTextColumn title(viewport, margin, viewport.Height() - margin - viewport.TextHeight());
  title.Up(RunLine());
  title.Up("File: " + (bend.FileName().empty() ? std::string("(none)") : ShortenedFileName(bend.FileName())));
  title.Up("Designer: " + bend.Designer());
  title.Up("Client: " + bend.Client());
  title.Up("Project: " + bend.Project());
  if (mode == amDeflectedShape) title.Up(bend.LoadCaseCaption(bend.SelectedLoadCase()));
}

void DrawCircles(const TBend& bend, TViewPort& viewport)
{
  const TTable& circles = bend.Circles();
  for (int row = 0; row < circles.RowCount(); ++row) {
    const TVector centre{circles.Cell(row, vnCircleX), circles.Cell(row, vnCircleY), 0.0};
    viewport.Mark(centre);
    viewport.Circle(centre, {0.0, 0.0, 1.0}, CircleSegments, circles.Cell(row, vnCircleDiameter) / 2.0);
  }
}

void DrawView(TBend& bend, TViewPort& viewport, int mode)
{
  DrawArrangement(bend, viewport, mode);
  if (mode == amDeflectedShape) DrawCircles(bend, viewport);
  viewport.ScaleBar(bend.Units().LengthName());
  viewport.AxesTriad();
}

}  // namespace umbrinex
