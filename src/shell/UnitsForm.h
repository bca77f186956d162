#pragma once
// Tools > "Units...": the units system of the design and, for the User
// system, its units of length, mass, force, time and temperature. OK enters
// them as the units items take them (the system first, then the user's
// choices), as one step that Undo takes back; every stored value is
// converted, so the physical quantities stay the same. Cancel changes
// nothing.

#include <array>

#include "desktop/forms/KitForm.h"

class QComboBox;
class QPushButton;

namespace umbrinex {

class TMainForm;
class TValueStrings;

class TUnitsForm : public TKitForm {
  Q_OBJECT

 public:
  explicit TUnitsForm(TMainForm& main);
  ~TUnitsForm() override;

  // The lists of the units, in the order of the items after the system.
  enum TQuantity : int { uqLength, uqMass, uqForce, uqTime, uqTemperature };
  static constexpr int QuantityCount = 5;

  QComboBox* System;
  // Enabled only for the User system; for SI and US they show its units.
  std::array<QComboBox*, QuantityCount> Units{};
  QPushButton* btOk;
  QPushButton* btCancel;

  // The units chosen into the design as one step of Undo, and the form
  // closed; a refusal leaves the design as it was and the form open.
  void Apply();

 private:
  void ShowSystemUnits();

  TMainForm& FMain;
};

}  // namespace umbrinex
