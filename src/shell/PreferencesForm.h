#pragma once
// The "Preferences" dialog: the output and general settings (and, in the
// in-house configuration, the testing settings) edited in a data form over
// a small object that maps numbered items onto the settings. Every setting
// is stored the moment it changes; Cancel puts them all back.

#include <memory>

#include "desktop/forms/DataForm.h"

namespace umbrinex {

// The in-house configuration: the testing settings and commands. Off
// unless the program starts with --in-house.
bool InHouseConfiguration();
void SetInHouseConfiguration(bool on);

class TPreferencesData;

class TPreferencesForm : public TTessanDataForm {
  Q_OBJECT

 public:
  // The form over a new preferences object of its own.
  static std::unique_ptr<TPreferencesForm> Make(QWidget* owner);
  ~TPreferencesForm() override;

  QString GetOutputCaption() const override { return windowTitle(); }
  // Keeps every value, shows the form, and puts them back on Cancel.
  int Execute();

 private:
  TPreferencesForm(QWidget* owner, std::unique_ptr<TPreferencesData> settings);
  std::unique_ptr<TPreferencesData> FData;
};

}  // namespace umbrinex
