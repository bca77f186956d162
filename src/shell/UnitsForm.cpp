#include "shell/UnitsForm.h"

#include <string>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "bend/Bend.h"
#include "desktop/kit/ErrorHandler.h"
#include "framework/data/Units.h"
#include "framework/data/ValueStrings.h"
#include "numerics/Errors.h"
#include "shell/Main.h"
#include "shell/MainEditing.h"
#include "shell/MainResults.h"

namespace umbrinex {

namespace {

struct TQuantityList {
  const char* Caption;
  const TValueStrings& (*Names)();
  int (TUnits::*Index)() const;
};

const std::array<TQuantityList, TUnitsForm::QuantityCount>& Quantities()
{
  static const std::array<TQuantityList, TUnitsForm::QuantityCount> quantities{{
      {"&Length:", &TUnits::LengthNames, &TUnits::LengthUnitsIndex},
      {"&Mass:", &TUnits::MassNames, &TUnits::MassUnitsIndex},
      {"&Force:", &TUnits::ForceNames, &TUnits::ForceUnitsIndex},
      {"T&ime:", &TUnits::TimeNames, &TUnits::TimeUnitsIndex},
      {"&Temperature:", &TUnits::TemperatureNames, &TUnits::TemperatureUnitsIndex},
  }};
  return quantities;
}

void Fill(QComboBox& list, const TValueStrings& names, bool force)
{
  for (int i = 0; i < names.Count(); ++i) {
    // The lists name the force unit as the headings will: "kp" is the kip.
    list.addItem(QString::fromStdString(force ? TUnits::ForceLabelOf(names.Name(i)) : names.Name(i)));
  }
}

// Enters one units item by the name of its choice, as a typed cell would;
// a refusal is raised with the item's own message.
void Enter(IDataItemAccess& target, int varNum, const TValueStrings& names, int index)
{
  bool found = false;
  TAccessStatus status;
  target.SetValue(varNum, 0, found, status, TVariant(names.Name(index)), vtText);
  // The units' own items leave a change they accept as valid; the design's say it was made.
  if (!found || (status.Code != acOk && status.Code != acValid))
    throw EExpected("The units cannot be changed.\n\n" + (found ? status.Text() : std::string("No units item.")));
}

}  // namespace

TUnitsForm::TUnitsForm(TMainForm& main) : TKitForm(&main), FMain(main)
{
  setWindowTitle(QStringLiteral("Units"));
  auto* layout = new QVBoxLayout(this);
  auto* fields = new QFormLayout;
  layout->addLayout(fields);
  System = new QComboBox(this);
  Fill(*System, TUnits::SystemNames(), false);
  auto* systemLabel = new QLabel(QStringLiteral("&System:"), this);
  systemLabel->setBuddy(System);
  fields->addRow(systemLabel, System);
  const TUnits& units = main.Model().Units();
  for (int q = 0; q < QuantityCount; ++q) {
    const TQuantityList& quantity = Quantities()[static_cast<std::size_t>(q)];
    QComboBox* list = Units[static_cast<std::size_t>(q)] = new QComboBox(this);
    Fill(*list, quantity.Names(), q == uqForce);
    list->setCurrentIndex((units.*quantity.Index)());
    auto* label = new QLabel(QString::fromLatin1(quantity.Caption), this);
    label->setBuddy(list);
    fields->addRow(label, list);
  }
  System->setCurrentIndex(units.System());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  btOk = buttons->button(QDialogButtonBox::Ok);
  btCancel = buttons->button(QDialogButtonBox::Cancel);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(btOk, &QPushButton::clicked, this, [this] { Guarded([this] { Apply(); }); });
  connect(btCancel, &QPushButton::clicked, this, &TUnitsForm::reject);
  connect(System, &QComboBox::currentIndexChanged, this, [this] { ShowSystemUnits(); });
  ShowSystemUnits();
}

TUnitsForm::~TUnitsForm() = default;

void TUnitsForm::ShowSystemUnits()
{
  const int system = System->currentIndex();
  const bool user = system == usUser;
  if (!user) {
    // What the system fixes, worked out by a units object of its own.
    TUnits fixed;
    fixed.SetSystem(system);
    for (int q = 0; q < QuantityCount; ++q)
      Units[static_cast<std::size_t>(q)]->setCurrentIndex((fixed.*Quantities()[static_cast<std::size_t>(q)].Index)());
  }
  // Switching to User starts from the units the lists show.
  for (QComboBox* list : Units) list->setEnabled(user);
}

void TUnitsForm::Apply()
{
  TBend& bend = FMain.Model();
  const int base = bend.Units().BaseVarNum();
  const int system = System->currentIndex();
  const auto enterAll = [&](IDataItemAccess& target) {
    Enter(target, base + TUnits::uiSystem, TUnits::SystemNames(), system);
    if (system != usUser) return;
    for (int q = 0; q < QuantityCount; ++q)
      Enter(target, base + TUnits::uiLength + q, Quantities()[static_cast<std::size_t>(q)].Names(),
            Units[static_cast<std::size_t>(q)]->currentIndex());
  };
  // Tried on units of their own first, so that a refusal changes nothing.
  TUnits trial(base);
  trial.Assign(bend.Units());
  enterAll(trial);
  FMain.Editing().ChangeDesign(QStringLiteral("Units"), [&] { enterAll(bend); });
  // The load case nodes name their tensions in the units.
  if (TMainResults* results = FMain.Results()) {
    results->UpdateLoadCaseNodes();
    results->Refresh();
  }
  done(mrOk);
}

}  // namespace umbrinex
