#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "bend/Bend.h"
#include "bend/LoadCaseResults.h"
#include "graphics/StiffenerDrawing.h"

namespace umbrinex {
namespace {

TViewPort DrawingView(int width, int height)
{
  TViewPort view;
  view.SetSize(width, height);
  view.SetAzimuth(264.0);
  view.SetElevation(90.0);
  return view;
}

// Renders a view of the design and tells whether any pixel carries colour.
QImage Render(TBend& bend, TViewPort& view, int mode)
{
  QImage image(view.Width(), view.Height(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PlaceView(bend, view, mode);
  view.BeginDraw(painter);
  DrawView(bend, view, mode);
  view.EndDraw();
  return image;
}

bool HasColouredPixels(const QImage& image)
{
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() != c.green() || c.green() != c.blue()) return true;
    }
  return false;
}

TEST(ViewPort, ProjectsTheArcLengthToTheRightRisingSixDegrees)
{
  TViewPort view = DrawingView(800, 600);
  view.SetViewSize(2.0);
  view.SetViewCentre({1.0, 0.0, 0.0});
  const QPointF centre = view.Project({1.0, 0.0, 0.0});
  EXPECT_NEAR(centre.x(), 400.0, 1e-9);
  EXPECT_NEAR(centre.y(), 300.0, 1e-9);
  const QPointF along = view.Project({2.0, 0.0, 0.0});
  EXPECT_GT(along.x(), centre.x());
  EXPECT_NEAR(std::atan2(centre.y() - along.y(), along.x() - centre.x()) * 180.0 / M_PI, 6.0, 1e-9);
  EXPECT_LT(view.Project({1.0, 0.5, 0.0}).y(), centre.y()) << "the lateral axis runs upwards";
  EXPECT_NEAR(view.Scale(), 300.0, 1e-12) << "the smaller dimension holds the view size";
  const TVector back = view.Unproject(view.Project({1.7, -0.4, 0.0}));
  EXPECT_NEAR(back[0], 1.7, 1e-12);
  EXPECT_NEAR(back[1], -0.4, 1e-12);
}

TEST(ViewPort, ScaleBarIsASeventhOfTheViewToOneFigure)
{
  EXPECT_DOUBLE_EQ(TViewPort::ScaleBarLength(2.42), 0.3);
  EXPECT_DOUBLE_EQ(TViewPort::ScaleBarLength(7.0), 1.0);
  EXPECT_DOUBLE_EQ(TViewPort::ScaleBarLength(69.0), 10.0);
  EXPECT_DOUBLE_EQ(TViewPort::ScaleBarLength(0.0035), 0.0005);
}

TEST(StiffenerDrawing, StraightOutlineFollowsTheDiametersAndTheBore)
{
  auto bend = New<TBend>();
  TBendStiffener& solution = bend->LoadCaseResults().Solution(0);
  solution.GenerateStations();
  const TOutline outline = StiffenerOutline(solution, false);
  ASSERT_EQ(outline.Upper.size(), 47u);
  EXPECT_EQ(outline.TipStation, 41);
  EXPECT_DOUBLE_EQ(outline.Upper[0][1], 0.125);
  EXPECT_DOUBLE_EQ(outline.Lower[0][1], -0.125);
  EXPECT_NEAR(outline.Upper[40][1], 0.08, 1e-12);
  EXPECT_DOUBLE_EQ(outline.Upper[46][0], 2.2);
  EXPECT_DOUBLE_EQ(outline.Upper[46][1], 0.075);
}

TEST(StiffenerDrawing, DeflectedOutlineStartsSquareToTheAxisAtTheRoot)
{
  auto bend = New<TBend>();
  bend->LoadCaseResults().SetLoadCase(3);
  const TOutline outline = StiffenerOutline(bend->LoadCaseResults().Solution(0), true);
  EXPECT_NEAR(outline.Upper[0][0], 0.0, 1e-12);
  EXPECT_NEAR(outline.Upper[0][1], 0.125, 1e-12);
  // Further along, the cable has turned towards the tension.
  EXPECT_GT(outline.Upper.back()[1], 0.3);
}

TEST(StiffenerDrawing, TheWholeDesignStaysInViewWhateverTheWindowShape)
{
  auto bend = New<TBend>();
  for (auto [w, h] : {std::pair{800, 600}, {300, 900}, {1200, 200}}) {
    TViewPort view = DrawingView(w, h);
    PlaceView(*bend, view, amGeneralArrangement);
    TBendStiffener& solution = bend->LoadCaseResults().Solution(0);
    solution.GenerateStations();
    for (const TVector& p : StiffenerOutline(solution, false).Upper) {
      const QPointF q = view.Project(p);
      EXPECT_GE(q.x(), 0);
      EXPECT_LE(q.x(), w);
      EXPECT_GE(q.y(), 0);
      EXPECT_LE(q.y(), h);
    }
  }
}

TEST(StiffenerDrawing, MonochromeDrawingsHaveNoColour)
{
  auto bend = New<TBend>();
  TViewPort view = DrawingView(400, 300);
  EXPECT_TRUE(HasColouredPixels(Render(*bend, view, amDeflectedShape))) << "the two states in their colours";
  view.SetColourMode(cmBlack);
  EXPECT_FALSE(HasColouredPixels(Render(*bend, view, amDeflectedShape)));
}

TEST(StiffenerDrawing, ALoadCaseWithoutStatesCannotBeDrawnDeflected)
{
  auto bend = New<TBend>();
  bend->SetStateIncluded(0, 0, false);
  bend->SetStateIncluded(0, 1, false);
  TViewPort view = DrawingView(400, 300);
  EXPECT_THROW(Render(*bend, view, amDeflectedShape), EBendResultCannotBeDisplayed);
  EXPECT_NO_THROW(Render(*bend, view, amGeneralArrangement));
}

}  // namespace
}  // namespace umbrinex
