#pragma once
// The units of one model. Every dimensioned value of a model is held, shown,
// stored and analysed in the model's current units; nothing is converted at
// display time. When the units change, TUnits hands every listener a scale
// that takes its stored values from the old units to the new ones, so the
// physical quantities stay the same. Constants in program code are written
// in the SI reference set (m, te, kN, s, °C) and brought into current units
// with FromSI.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/data/DataTypes.h"
#include "framework/data/Dimension.h"
#include "numerics/Errors.h"

namespace umbrinex {

class ITaggedFile;
class TValueStrings;

class EUnitsError : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

// Unit systems, and the indices of the temperature units.
enum TUnitsSystem : std::uint8_t { usSI = 0, usUS = 1, usUser = 2 };
enum TTemperatureUnits : std::uint8_t { tuCelsius = 0, tuFahrenheit = 1 };

// Four ratios (new units per old unit of length, mass, force and time) and
// a temperature conversion. The identity is detected once, when the scale is
// set, so that applying it to the many values of a model costs nothing.
class TScaleValueWithoutReferenceCounting final : public IScaleValue {
 public:
  void Set(double rL, double rM, double rF, double rT, std::uint8_t fromTemperature, std::uint8_t toTemperature);
  void Apply(double& value, const TDimension& dimension) const override;
  bool IsIdentity() const { return FIdentity; }

 private:
  double FLength = 1.0;
  double FMass = 1.0;
  double FForce = 1.0;
  double FTime = 1.0;
  std::uint8_t FFromTemperature = tuCelsius;
  std::uint8_t FToTemperature = tuCelsius;
  bool FIdentity = true;
};

class TUnits final : public IDataItemAccess {
 public:
  // Offsets from BaseVarNum of the items this object answers.
  enum TItem : int {
    uiSystem = 0,
    uiLength = 1,
    uiMass = 2,
    uiForce = 3,
    uiTime = 4,
    uiTemperature = 5,
    uiGravity = 6,
  };
  static constexpr int ItemCount = 7;

  // Starts in SI. The first recompute tells nobody: there are no listeners
  // yet whose values could be in other units.
  explicit TUnits(int baseVarNum = -1);
  TUnits(const TUnits&) = delete;
  TUnits& operator=(const TUnits&) = delete;

  void ResetToSI();
  // Copies the system and the user choices, never the item numbers, the
  // listeners or the event; the listeners of this object are told.
  void Assign(const TUnits& source);

  int BaseVarNum() const { return FBaseVarNum; }

  int System() const { return FChoice.System; }
  void SetSystem(int system);
  // Only allowed while System is User; raise EUnitsError otherwise.
  void SetLengthUnits(int index);
  void SetMassUnits(int index);
  void SetForceUnits(int index);
  void SetTimeUnits(int index);
  void SetTemperatureUnits(int index);

  // The indices and names of the units in force.
  int LengthUnitsIndex() const;
  int MassUnitsIndex() const;
  int ForceUnitsIndex() const;
  int TimeUnitsIndex() const;
  int TemperatureUnitsIndex() const;
  const std::string& LengthName() const;
  const std::string& MassName() const;
  const std::string& ForceName() const;
  const std::string& TimeName() const;
  const std::string& TemperatureName() const;
  // The force unit as captions, headings, reports and graphs show it. The
  // unit of 1000 lb keeps "kp" as the force item's choice (what --set
  // takes and listings of items give), but a heading reads "kip": "kp"
  // would be read as a kilopond.
  const std::string& ForceLabel() const;
  // The label of a force unit of that name (of ForceNames).
  static const std::string& ForceLabelOf(const std::string& forceName);

  // Standard gravity in current units.
  double Gravity() const { return FGravity; }
  // The force, in current force units, that gives one current mass unit one
  // current unit of acceleration: 1 in SI, about 0.0311 in US.
  double MassAccelerationToForce() const { return FMassAccelerationToForce; }

  double FromSI(const TDimension& dimension, double value) const;
  double ToSI(const TDimension& dimension, double value) const;

  // The scales are owned here; callers use them only for the duration of a call.
  const IScaleValue& FromSIScale() const { return FFromSIScale; }
  const IScaleValue& ToSIScale() const { return FToSIScale; }
  // From the units before the last change to the units after it.
  const IScaleValue& ChangeScale() const { return FChangeScale; }
  const IScaleValue& MassToForceScale() const { return FMassToForceScale; }
  const IScaleValue& ForceToMassScale() const { return FForceToMassScale; }

  // Replaces the placeholders LL, MM, FF, TT and °T of a caption by the
  // current unit names, force by its label; with seconds, "1/TT" and
  // "TT^-1" read "Hz".
  std::string ExpandUnitNames(std::string text) const;
  // The same with the force unit named by its choice, as the units items
  // give it: for the unit columns of item listings, next to those items.
  std::string ExpandChoiceNames(std::string text) const;
  // The dimension of a caption's unit expression such as "FF/LL^2";
  // dimensionless for anything not recognised.
  static TDimension DimensionFromName(const std::string& name);

  // Listeners are not owned. Adding one already present does nothing, and a
  // listener may be removed at any time, also from inside its own
  // notification; it is then not called again.
  void AddListener(IUnitsListener* listener);
  void RemoveListener(IUnitsListener* listener);
  // Raised after the listeners have been told of a change.
  std::function<void(TUnits&)> OnChange;

  bool DescribeItem(int varNum, TItemInfo& info) override;
  void GetValue(int varNum, int index, bool& found, TAccessStatus& status, TVariant& value,
                TVarType representation) override;
  void SetValue(int varNum, int index, bool& found, TAccessStatus& status, const TVariant& value,
                TVarType representation) override;

  // The units block of a data file: System and the user choices, one byte
  // each. Reading adopts the file's units and tells the listeners, so values
  // read afterwards are already in the units they are stored in.
  void WriteToFile(ITaggedFile& file, bool includeTemperature = true) const;
  void ReadFromFile(ITaggedFile& file);

  // The names of each enumeration item, in index order.
  static const TValueStrings& SystemNames();
  static const TValueStrings& LengthNames();
  static const TValueStrings& MassNames();
  static const TValueStrings& ForceNames();
  static const TValueStrings& TimeNames();
  static const TValueStrings& TemperatureNames();

 private:
  // The stored choices; what Recompute last saw is kept to tell whether a
  // recompute changed anything.
  struct TChoice {
    std::uint8_t System = usSI;
    std::uint8_t Length = 0;
    std::uint8_t Mass = 0;
    std::uint8_t Force = 0;
    std::uint8_t Time = 0;
    std::uint8_t Temperature = 0;
    friend bool operator==(const TChoice&, const TChoice&) = default;
  };

  // The choices of the SI or US system; meaningless for User.
  const TChoice& FixedUnits() const;
  void SetUserUnit(std::uint8_t TChoice::*field, int index, int highest, const char* quantity);
  void Recompute();
  void NotifyListeners();
  std::string Expand(std::string text, const std::string& force) const;
  // The item's names, or nullptr for an offset that is not an enumeration.
  const TValueStrings* ItemNames(int offset) const;
  int ItemIndex(int offset) const;
  bool IsItemEditable(int offset) const;
  void SetItemIndex(int offset, int index);

  int FBaseVarNum;
  TChoice FChoice;
  TChoice FLastChoice;
  std::uint8_t FCurrentTemperature = tuCelsius;
  double FGravity = 0.0;
  double FMassAccelerationToForce = 0.0;
  double FL = 1.0;
  double FM = 1.0;
  double FF = 1.0;
  double FT = 1.0;
  TScaleValueWithoutReferenceCounting FChangeScale;
  TScaleValueWithoutReferenceCounting FFromSIScale;
  TScaleValueWithoutReferenceCounting FToSIScale;
  TScaleValueWithoutReferenceCounting FMassToForceScale;
  TScaleValueWithoutReferenceCounting FForceToMassScale;
  std::vector<IUnitsListener*> FListeners;
  int FNotifyDepth = 0;
  bool FInitialised = false;
};

}  // namespace umbrinex
