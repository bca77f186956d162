#include "shell/GraphPreferences.h"

#include "charts/GraphSettings.h"
#include "shell/Preferences.h"

namespace umbrinex {

namespace {

int graphListener = -1;
// Changes coming back from the preferences must not be stored again.
bool copying = false;

void CopyPreferencesToSettings()
{
  const TProgramPreferences& p = Preferences();
  TGraphSettings& s = GraphSettings();
  s.MonochromeOutput = KitPreferences().MonochromeOutput.CurrentValue();
  s.ShowStandardDiameters = p.ShowStandardDiameters.CurrentValue();
  s.ShowLoadCaseLabels = p.ShowLoadCaseLabels.CurrentValue();
  s.StateCurves[0] = p.LoadCaseState1Curve.CurrentValue();
  s.StateCurves[1] = p.LoadCaseState2Curve.CurrentValue();
  s.XAxisCaptionFont = p.XAxisCaptionFont.CurrentValue();
  s.XAxisLabelFont = p.XAxisLabelFont.CurrentValue();
  s.YAxisCaptionFont = p.YAxisCaptionFont.CurrentValue();
  s.YAxisLabelFont = p.YAxisLabelFont.CurrentValue();
  s.LegendFont = p.LegendFont.CurrentValue();
  s.LegendAlignment = p.LegendAlignment.CurrentValue();
  s.LegendVisible = p.LegendVisible.CurrentValue();
}

void StoreSettings(TGraphSettingsChange change)
{
  if (copying) return;
  TProgramPreferences& p = Preferences();
  const TGraphSettings& s = GraphSettings();
  copying = true;
  switch (change) {
    case TGraphSettingsChange::AxisFonts:
      p.XAxisCaptionFont.ChangeValue(s.XAxisCaptionFont);
      p.XAxisLabelFont.ChangeValue(s.XAxisLabelFont);
      p.YAxisCaptionFont.ChangeValue(s.YAxisCaptionFont);
      p.YAxisLabelFont.ChangeValue(s.YAxisLabelFont);
      break;
    case TGraphSettingsChange::Legend:
      p.LegendFont.ChangeValue(s.LegendFont);
      p.LegendAlignment.ChangeValue(s.LegendAlignment);
      p.LegendVisible.ChangeValue(s.LegendVisible);
      break;
    case TGraphSettingsChange::Curves:
      p.LoadCaseState1Curve.ChangeValue(s.StateCurves[0]);
      p.LoadCaseState2Curve.ChangeValue(s.StateCurves[1]);
      break;
    case TGraphSettingsChange::Switches:
      KitPreferences().MonochromeOutput.ChangeValue(s.MonochromeOutput);
      p.ShowStandardDiameters.ChangeValue(s.ShowStandardDiameters);
      p.ShowLoadCaseLabels.ChangeValue(s.ShowLoadCaseLabels);
      break;
  }
  copying = false;
}

// Every graph preference, with the kind of change it makes to the settings.
std::vector<std::pair<TPreference*, TGraphSettingsChange>> GraphPreferenceList()
{
  TProgramPreferences& p = Preferences();
  return {{&KitPreferences().MonochromeOutput, TGraphSettingsChange::Switches},
          {&p.ShowStandardDiameters, TGraphSettingsChange::Switches},
          {&p.ShowLoadCaseLabels, TGraphSettingsChange::Switches},
          {&p.LoadCaseState1Curve, TGraphSettingsChange::Curves},
          {&p.LoadCaseState2Curve, TGraphSettingsChange::Curves},
          {&p.XAxisCaptionFont, TGraphSettingsChange::AxisFonts},
          {&p.XAxisLabelFont, TGraphSettingsChange::AxisFonts},
          {&p.YAxisCaptionFont, TGraphSettingsChange::AxisFonts},
          {&p.YAxisLabelFont, TGraphSettingsChange::AxisFonts},
          {&p.LegendFont, TGraphSettingsChange::Legend},
          {&p.LegendAlignment, TGraphSettingsChange::Legend},
          {&p.LegendVisible, TGraphSettingsChange::Legend}};
}

}  // namespace

void ConnectGraphPreferences()
{
  DisconnectGraphPreferences();
  CopyPreferencesToSettings();
  graphListener = AddGraphSettingsListener(StoreSettings);
  for (auto [preference, change] : GraphPreferenceList()) {
    preference->AddListener(&graphListener, [change = change](TPreference&) {
      if (copying) return;
      copying = true;
      CopyPreferencesToSettings();
      NotifyGraphSettingsChanged(change);
      copying = false;
    });
  }
}

void DisconnectGraphPreferences()
{
  if (graphListener < 0) return;
  RemoveGraphSettingsListener(graphListener);
  for (auto [preference, change] : GraphPreferenceList()) preference->RemoveListener(&graphListener);
  graphListener = -1;
}

}  // namespace umbrinex
