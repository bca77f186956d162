#include <gtest/gtest.h>

#include <QSettings>

#include "KitTestSupport.h"
#include "desktop/kit/Registry.h"
#include "shell/Preferences.h"

namespace umbrinex {
namespace {

using namespace umbrinex::testing;

// The settings store and the kinds of setting, tried on the kit's settings
// and on the program's own, which are forgotten between tests as well.
class Settings : public TSettingsTest<ReleasePreferences> {
 protected:
  // What the settings file holds now, read as another program would.
  static QVariant Stored(const std::string& path)
  {
    KitRegistry().Flush();
    return QSettings(SettingsFileName(), QSettings::IniFormat).value(QString::fromStdString(path));
  }
  static void StoreRaw(const std::string& key, const std::string& name, const QVariant& value)
  {
    TKitRegistry& registry = KitRegistry();
    registry.OpenKey(key, true);
    registry.WriteRawValue(name, value);
    registry.CloseKey();
  }
};

TEST_F(Settings, AreStoredWhenTheyLeaveTheirDefaultAndRemovedWhenTheyReturnToIt)
{
  KitPreferences().MainWindowWidth.ChangeValue(601);
  EXPECT_EQ(Stored("Software/Tessan/Umbrinex/Main Window Width").toInt(), 601);
  KitPreferences().MainWindowWidth.ChangeValue(600);
  EXPECT_FALSE(Stored("Software/Tessan/Umbrinex/Main Window Width").isValid());
}

TEST_F(Settings, OfEveryKindAreReadBackByTheNextRun)
{
  TProgramPreferences& p = Preferences();
  TKitPreferences& kit = KitPreferences();
  kit.WindowState.ChangeValue(0);
  kit.MonochromeOutput.ChangeValue(false);
  p.ViewBackgroundColour.ChangeValue(0x00C0FFEE);
  kit.LatestMainFileName.ChangeValue("/data/Bend Ü.mxd");
  p.CompareProgram.ChangeValue("meld");
  TFontSetting font;
  font.Name = "DejaVu Sans";
  font.Size = 11;
  font.Italic = true;
  p.LegendFont.ChangeValue(font);
  TCurveStyle curve = p.LoadCaseState2Curve.CurrentValue();
  curve.StdDevInterval = 0.1 + 0.2;  // not a round number in binary
  curve.Style = 3;
  curve.Visible = false;
  p.LoadCaseState2Curve.ChangeValue(curve);

  Restart();
  TProgramPreferences& next = Preferences();
  EXPECT_EQ(KitPreferences().WindowState.CurrentValue(), 0);
  EXPECT_FALSE(KitPreferences().MonochromeOutput.CurrentValue());
  EXPECT_EQ(next.ViewBackgroundColour.CurrentValue(), 0x00C0FFEEu);
  EXPECT_EQ(KitPreferences().LatestMainFileName.CurrentValue(), "/data/Bend Ü.mxd");
  EXPECT_EQ(next.LegendFont.CurrentValue(), font);
  EXPECT_EQ(next.LoadCaseState2Curve.CurrentValue(), curve);
  // Shared settings live under the maker's key.
  EXPECT_EQ(Stored("Software/Tessan/Compare Program").toString(), QStringLiteral("meld"));
}

TEST_F(Settings, KeptInASubKeyLoseTheWholeSubKeyAtTheirDefault)
{
  TFontPreference& legend = Preferences().LegendFont;
  TFontSetting bold = legend.DefaultValue();
  bold.Bold = true;
  legend.ChangeValue(bold);
  EXPECT_TRUE(KitRegistry().KeyExists("Software/Tessan/Umbrinex/Graph Legend Font"));
  legend.ChangeValue(legend.DefaultValue());
  EXPECT_FALSE(KitRegistry().KeyExists("Software/Tessan/Umbrinex/Graph Legend Font"));
}

TEST_F(Settings, StoredWithTheWrongTypeReadAsTheirDefaults)
{
  const std::string program = ProgramKey;
  StoreRaw(program, "Main Window Width", QStringLiteral("wide"));
  StoreRaw(program, "Main Window Height", QByteArray(8, '\0'));
  StoreRaw(program, "Latest Main File Name", QByteArray("raw"));
  StoreRaw(program, "Show Load Case Labels", QStringLiteral("yes"));
  StoreRaw(program + "/Graph Umbrinex Load Case State 1", "Std. Dev. Interval", 5);
  StoreRaw(program + "/Graph Umbrinex Load Case State 1", "Width", 3);
  StoreRaw(program + "/Graph Umbrinex Load Case State 1", "Style", 9);
  Restart();
  TProgramPreferences& p = Preferences();
  TKitPreferences& kit = KitPreferences();
  EXPECT_EQ(kit.MainWindowWidth.CurrentValue(), 600);
  EXPECT_EQ(kit.MainWindowHeight.CurrentValue(), 400);
  EXPECT_EQ(kit.LatestMainFileName.CurrentValue(), kit.LatestMainFileName.DefaultValue());
  EXPECT_TRUE(p.ShowLoadCaseLabels.CurrentValue());
  // Each value of a sub-key stands on its own; an unknown style is ignored.
  const TCurveStyle& curve = p.LoadCaseState1Curve.CurrentValue();
  EXPECT_EQ(curve.StdDevInterval, 0.0);
  EXPECT_EQ(curve.Width, 3);
  EXPECT_EQ(curve.Style, 0);
}

TEST_F(Settings, WindowStateReadsClampedIntoItsRange)
{
  StoreRaw(ProgramKey, "Window State", 7);
  Restart();
  EXPECT_EQ(KitPreferences().WindowState.CurrentValue(), 2);
  StoreRaw(ProgramKey, "Window State", -4);
  Restart();
  EXPECT_EQ(KitPreferences().WindowState.CurrentValue(), 0);
}

TEST_F(Settings, WithoutANameAreNeverStored)
{
  Preferences().DifferenceCount.ChangeValue(77);
  Restart();
  EXPECT_EQ(Preferences().DifferenceCount.CurrentValue(), 20);
}

TEST_F(Settings, TellTheirListenersInOrderAfterStoring)
{
  TBooleanPreference& labels = Preferences().ShowLoadCaseLabels;
  std::vector<std::string> heard;
  int first = 0, second = 0;
  labels.AddListener(&first, [&](TPreference&) {
    heard.push_back("first " + Stored("Software/Tessan/Umbrinex/Show Load Case Labels").toString().toStdString());
  });
  labels.AddListener(&second, [&](TPreference&) { heard.push_back("second"); });
  labels.Toggle();
  labels.ChangeValue(false);  // no change, nobody told
  labels.RemoveListener(&first);
  labels.Toggle();
  EXPECT_EQ(heard, (std::vector<std::string>{"first 0", "second", "second"}));
}

TEST_F(Settings, RevertAllPutsBackTheKeptValuesInMemoryAndInStore)
{
  TKitPreferences& p = KitPreferences();
  p.PrinterTop.ChangeValue(25);
  KeepAllValues();
  p.PrinterTop.ChangeValue(40);
  p.MonochromeOutput.ChangeValue(false);
  RevertAllValues();
  EXPECT_EQ(p.PrinterTop.CurrentValue(), 25);
  EXPECT_TRUE(p.MonochromeOutput.CurrentValue());
  EXPECT_EQ(Stored("Software/Tessan/Umbrinex/Printer Top").toInt(), 25);
  EXPECT_FALSE(Stored("Software/Tessan/Umbrinex/Monochrome Output").isValid());
}

TEST_F(Settings, OfThePreviousVersionAreCopiedOnceWithTheirTypes)
{
  const std::string old = std::string(ProgramKey) + "/4";
  StoreRaw(old, "Main Window Width", 777);
  StoreRaw(old, "Latest Main File Name", QStringLiteral("/old/design.mxd"));
  StoreRaw(old + "/MRU", "1", QStringLiteral("/old/design.mxd"));
  StoreRaw(old + "/MRU", "Size", 7);
  MigrateUserSettings();
  EXPECT_EQ(RecentFileCount(), 7);
  Restart();
  EXPECT_EQ(KitPreferences().MainWindowWidth.CurrentValue(), 777);
  EXPECT_EQ(KitPreferences().LatestMainFileName.CurrentValue(), "/old/design.mxd");
  EXPECT_EQ(TMRU("MRU").Files(), std::vector<std::string>{"/old/design.mxd"});

  // The user's own changes are not overwritten by a later start.
  KitPreferences().MainWindowWidth.ChangeValue(640);
  MigrateUserSettings();
  Restart();
  EXPECT_EQ(KitPreferences().MainWindowWidth.CurrentValue(), 640);
}

}  // namespace
}  // namespace umbrinex
