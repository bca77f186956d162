#include "shell/Preferences.h"

#include <cmath>
#include <memory>

#include "persistence/CheckLog.h"

namespace umbrinex {

namespace {

std::unique_ptr<TProgramPreferences>& Instance()
{
  static std::unique_ptr<TProgramPreferences> preferences;
  return preferences;
}

std::int32_t Scaled(int pixels)
{
  return static_cast<std::int32_t>(std::lround(pixels * ScreenScalingRatio()));
}

TCurveStyle Curve(std::uint32_t colour)
{
  TCurveStyle curve;
  curve.Colour = colour;
  return curve;
}

// The in-house settings drive the comparison of stored results; they start
// from what the comparison itself assumes.
void ConnectCheckSettings(TProgramPreferences& p)
{
  p.ReportAllDifferences.AddListener(
      &p, [&p](TPreference&) { CheckSettings().ReportAllDifferences = p.ReportAllDifferences.CurrentValue(); });
  p.DifferenceCount.AddListener(
      &p, [&p](TPreference&) { CheckSettings().DifferenceCount = p.DifferenceCount.CurrentValue(); });
  p.DifferenceThreshold.AddListener(
      &p, [&p](TPreference&) { CheckSettings().DifferenceThreshold = p.DifferenceThreshold.CurrentValue(); });
}

}  // namespace

TProgramPreferences::TProgramPreferences()
    : ShowStandardDiameters("Show Standard Diameters", false, false),
      ShowLoadCaseLabels("Show Load Case Labels", false, true),
      LoadCaseState1Curve("Graph Umbrinex Load Case State 1", false, Curve(0x0000FF)),
      LoadCaseState2Curve("Graph Umbrinex Load Case State 2", false, Curve(0xFF0000)),
      XAxisCaptionFont("Graph X axis Caption Font", false, TFontSetting()),
      XAxisLabelFont("Graph X axis Label Font", false, TFontSetting()),
      YAxisCaptionFont("Graph Y axis Caption Font", false, TFontSetting()),
      YAxisLabelFont("Graph Y axis Label Font", false, TFontSetting()),
      LegendFont("Graph Legend Font", false, TFontSetting()),
      LegendAlignment("Graph Legend Alignment", false, 1),
      LegendVisible("Graph Legend Visible", false, true),
      // The shared framework's default is black; drawings of stiffeners
      // read better on white, which this program has always started with.
      ViewBackgroundColour("View Background Colour", false, 0xFFFFFF),
      TreeViewPanelWidth("Tree View Panel Width", false, Scaled(150)),
      DataTreeViewPanelHeight("Data Tree View Panel Height", false, Scaled(140)),
      CompareFormTop("Compare Form Top", false, 100),
      CompareFormLeft("Compare Form Left", false, 100),
      CompareFormWidth("Compare Form Width", false, 500),
      CompareProgram("Compare Program", true, ""),
      CompareCommandLine("Compare Command Line", true, "%1 %2"),
      LatestLoadCaseFile("Latest Load Case File", false, ""),
      CompareResultsEnabled("", false, false),
      DoUnitsTest("", false, false),
      ReportAllDifferences("", false, TCheckSettings().ReportAllDifferences),
      DifferenceCount("", false, TCheckSettings().DifferenceCount, 0, 1000000),
      DifferenceThreshold("", false, TCheckSettings().DifferenceThreshold)
{
  ConnectCheckSettings(*this);
}

TProgramPreferences& Preferences()
{
  auto& preferences = Instance();
  if (!preferences) preferences = std::make_unique<TProgramPreferences>();
  return *preferences;
}

void ReleasePreferences()
{
  Instance().reset();
  ReleaseKitPreferences();
}

}  // namespace umbrinex
