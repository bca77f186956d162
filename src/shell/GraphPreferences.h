#pragma once
// The charts read their settings from one program-wide set; the stored
// preferences are where those settings live between runs. This keeps the
// two in step: the set starts from the preferences, a "Set as Default" in a
// graph's properties stores into them, and a changed preference reaches
// every chart made afterwards.

namespace umbrinex {

// Fills the graph settings from the preferences and keeps them in step
// until DisconnectGraphPreferences.
void ConnectGraphPreferences();
void DisconnectGraphPreferences();

}  // namespace umbrinex
