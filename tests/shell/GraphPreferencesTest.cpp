#include <gtest/gtest.h>

#include "ShellTestSupport.h"
#include "charts/GraphSettings.h"
#include "shell/GraphPreferences.h"
#include "shell/Preferences.h"

namespace umbrinex {
namespace {

TEST(GraphPreferences, ChartsStartFromTheStoredSettingsAndSetAsDefaultStoresThem)
{
  Preferences().LoadCaseState2Curve.ChangeValue([] {
    TCurveStyle green = Preferences().LoadCaseState2Curve.DefaultValue();
    green.Colour = 0x00FF00;
    return green;
  }());
  ConnectGraphPreferences();
  EXPECT_EQ(GraphSettings().StateCurves[1].Colour, 0x00FF00u);

  GraphSettings().LegendVisible = false;
  NotifyGraphSettingsChanged(TGraphSettingsChange::Legend);
  EXPECT_FALSE(Preferences().LegendVisible.CurrentValue());

  KitPreferences().MonochromeOutput.ChangeValue(false);
  EXPECT_FALSE(GraphSettings().MonochromeOutput);
  DisconnectGraphPreferences();

  KitPreferences().MonochromeOutput.ChangeValue(true);
  EXPECT_FALSE(GraphSettings().MonochromeOutput) << "no longer connected";
  Preferences().LoadCaseState2Curve.ChangeValue(Preferences().LoadCaseState2Curve.DefaultValue());
  Preferences().LegendVisible.ChangeValue(true);
  GraphSettings() = TGraphSettings();
}

}  // namespace
}  // namespace umbrinex
