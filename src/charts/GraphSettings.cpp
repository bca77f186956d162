#include "charts/GraphSettings.h"

#include <map>

#include "framework/data/TextUtils.h"

namespace umbrinex {

TGraphSettings& GraphSettings()
{
  static TGraphSettings settings;
  return settings;
}

std::string StateCurvePreferenceName(int state)
{
  return Format("Graph Umbrinex Load Case State %d", state + 1);
}

std::string AxisFontPreferenceName(int axis, bool caption)
{
  return Format("Graph %s %s Font", axis == 0 ? "X axis" : "Y axis", caption ? "Caption" : "Label");
}

namespace {
std::map<int, TGraphSettingsListener>& Listeners()
{
  static std::map<int, TGraphSettingsListener> listeners;
  return listeners;
}
}  // namespace

int AddGraphSettingsListener(TGraphSettingsListener listener)
{
  static int nextId = 0;
  Listeners().emplace(++nextId, std::move(listener));
  return nextId;
}

void RemoveGraphSettingsListener(int id)
{
  Listeners().erase(id);
}

void NotifyGraphSettingsChanged(TGraphSettingsChange change)
{
  // A listener may remove itself (a chart closing): call a snapshot.
  const auto snapshot = Listeners();
  for (const auto& [id, listener] : snapshot)
    if (Listeners().contains(id)) listener(change);
}

}  // namespace umbrinex
