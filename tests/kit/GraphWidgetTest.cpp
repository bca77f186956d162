#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include "desktop/kit/Graph.h"
#include "desktop/kit/GraphProperties.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

class GraphWidget : public ::testing::Test {
 protected:
  GraphWidget()
  {
    engine.SetAxisTitle(0, "X");
    engine.SetAxisTitle(1, "Y");
    for (int c = 0; c < 2; ++c) {
      TCurve& curve = engine.AddCurve(TCurveKind::Plain, c == 0 ? &style : nullptr);
      curve.Name = c == 0 ? "State 1" : "State 2";
      curve.SetPointCount(11, true);
      for (int k = 0; k <= 10; ++k) curve.SetPoint(k, k, (c + 1) * k);
    }
    engine.Refresh();
    engine.SetAxisRange(0, Undefined, Undefined, Undefined);
    engine.SetAxisRange(1, Undefined, Undefined, Undefined);
  }
  void TearDown() override { GraphSettings() = saved; }

  TGraphSettings saved = GraphSettings();
  TCurveStyle style = GraphSettings().StateCurves[0];
  TChartEngine engine;
};

TEST_F(GraphWidget, DraggingDownAndRightZoomsAndUpAndLeftUndoes)
{
  int rebuilds = 0;
  TChartEngine zoomable([&](TChartEngine& e, int flags) {
    ++rebuilds;
    if (flags & rfRanges) {
      e.SetAxisRange(0, Undefined, 0.0, 10.0);
      e.SetAxisRange(1, Undefined, 0.0, 20.0);
    }
  });
  zoomable.Rebuild(rfAll);
  TGraph graph(zoomable);
  graph.resize(600, 420);
  graph.grab();  // lays the plot out
  const QRectF plot = graph.Layout().Plot;
  ASSERT_FALSE(graph.Layout().Empty());
  const QPoint from = (plot.topLeft() + QPointF(plot.width() * 0.25, plot.height() * 0.25)).toPoint();
  const QPoint to = (plot.topLeft() + QPointF(plot.width() * 0.75, plot.height() * 0.75)).toPoint();
  QTest::mousePress(&graph, Qt::LeftButton, {}, from);
  QTest::mouseMove(&graph, to);
  QTest::mouseRelease(&graph, Qt::LeftButton, {}, to);
  EXPECT_TRUE(graph.Zoomed());
  const TGraphAxis& x = zoomable.Chart().Axes[0];
  EXPECT_NEAR(x.Minimum, 2.5, 0.1);
  EXPECT_NEAR(x.Maximum, 7.5, 0.1);
  EXPECT_NEAR(zoomable.Chart().Axes[1].Maximum, 15.0, 0.2);

  QTest::mousePress(&graph, Qt::LeftButton, {}, to);
  QTest::mouseRelease(&graph, Qt::LeftButton, {}, from);
  EXPECT_FALSE(graph.Zoomed());
  EXPECT_EQ(x.Maximum, 10.0);
  EXPECT_EQ(rebuilds, 2);
}

TEST_F(GraphWidget, CopyPutsAnSvgAndAnImageOnTheClipboard)
{
  TGraph graph(engine);
  graph.resize(500, 350);
  graph.SetHeaderText("Umbrinex");
  graph.CopyToClipboard();
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_TRUE(mime->data(QStringLiteral("image/svg+xml")).contains("<svg"));
  EXPECT_EQ(qvariant_cast<QImage>(mime->imageData()).size(), QSize(500, 350));
}

TEST_F(GraphWidget, PropertiesOfferOnlyThePagesTheGraphHasUseFor)
{
  TGraphProperties both(engine);
  EXPECT_TRUE(both.HasPage(TGraphProperties::pgCurves));
  EXPECT_TRUE(both.HasPage(TGraphProperties::pgLegend));
  EXPECT_TRUE(both.HasPage(TGraphProperties::pgIntercepts));
  engine.DeleteCurve(1);
  engine.Chart().OfferInterceptsPage = false;
  TGraphProperties one(engine);
  EXPECT_FALSE(one.HasPage(TGraphProperties::pgLegend));
  EXPECT_FALSE(one.HasPage(TGraphProperties::pgIntercepts));
  engine.ClearCurves();
  EXPECT_FALSE(TGraphProperties(engine).HasPage(TGraphProperties::pgCurves));
}

TEST_F(GraphWidget, PropertiesRefuseANonPositiveLogarithmicRangeAndCancelRestoresTheDisplay)
{
  engine.Chart().Axes[0].Logarithmic = true;
  engine.SetAxisRange(0, Undefined, 1.0, 100.0);
  TGraphProperties dialog(engine);
  EXPECT_EQ(dialog.EnterAxisValue(0, 0, 0.0), "Logarithmic axis ranges must be positive.");
  EXPECT_EQ(engine.Chart().Axes[0].Minimum, 1.0);
  EXPECT_EQ(dialog.EnterAxisValue(1, 1, 55.0), "");
  EXPECT_EQ(engine.Chart().Axes[1].Maximum, 55.0);
  engine.Curve(1).Pen.Width = 5;
  dialog.AddIntercept();
  dialog.reject();
  EXPECT_EQ(engine.Chart().Axes[1].Maximum, 20.0);
  EXPECT_EQ(engine.Curve(1).Pen.Width, 1);
  EXPECT_EQ(engine.Intercepts().Count(), 0);
}

TEST_F(GraphWidget, DeletingAnInterceptSelectsTheOneTakingItsPlace)
{
  TGraphProperties dialog(engine);
  EXPECT_EQ(dialog.SelectedIntercept(), -1);
  for (int i = 0; i < 3; ++i) dialog.AddIntercept();
  EXPECT_EQ(engine.Intercepts().Item(2).Label, "Intercept3");
  EXPECT_EQ(dialog.SelectedIntercept(), 2);
  dialog.SelectIntercept(1);
  dialog.DeleteIntercept();
  EXPECT_EQ(dialog.SelectedIntercept(), 1);
  EXPECT_EQ(engine.Intercepts().Item(1).Label, "Intercept3");
  dialog.DeleteIntercept();
  EXPECT_EQ(dialog.SelectedIntercept(), 0) << "the new last line";
  dialog.DeleteIntercept();
  EXPECT_EQ(dialog.SelectedIntercept(), -1);
}

TEST_F(GraphWidget, SetAsDefaultStoresTheStyleOfCurvesThatFollowOne)
{
  TGraphProperties dialog(engine);
  dialog.ShowPage(TGraphProperties::pgAxes);
  EXPECT_FALSE(dialog.SetAsDefaultVisible());
  dialog.ShowPage(TGraphProperties::pgLabels);
  EXPECT_TRUE(dialog.SetAsDefaultVisible());
  dialog.ShowPage(TGraphProperties::pgCurves);
  dialog.SelectCurve(1);
  EXPECT_FALSE(dialog.SetAsDefaultVisible()) << "State 2 here follows no curve style";
  dialog.SelectCurve(0);
  EXPECT_TRUE(dialog.SetAsDefaultVisible());

  // The curve follows a style of the settings, as the builders' curves do.
  TChartEngine styled;
  TCurve& curve = styled.AddCurve(TCurveKind::Plain, &GraphSettings().StateCurves[1]);
  curve.Pen.Width = 3;
  std::vector<TGraphSettingsChange> heard;
  const int listener = AddGraphSettingsListener([&](TGraphSettingsChange change) { heard.push_back(change); });
  TGraphProperties styledDialog(styled);
  styledDialog.ShowPage(TGraphProperties::pgCurves);
  styledDialog.SetAsDefault();
  RemoveGraphSettingsListener(listener);
  EXPECT_EQ(GraphSettings().StateCurves[1].Width, 3);
  EXPECT_EQ(heard, std::vector<TGraphSettingsChange>{TGraphSettingsChange::Curves});
}

}  // namespace
}  // namespace umbrinex
