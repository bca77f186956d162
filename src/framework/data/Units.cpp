#include "framework/data/Units.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "framework/data/TaggedFileInterface.h"
#include "framework/data/TextUtils.h"
#include "framework/data/ValueStrings.h"
#include "framework/data/Variant.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {

namespace {

// How many base units (m, kg, N, s) one unit of each table entry is. Index 0
// of every table is the SI reference set, which is consistent: one kN
// accelerates one te at one m/s². "kp" is 1000 lb, as a mass and as a force.
constexpr std::array<double, 4> LengthFactors{1.0, 0.001, 0.3048, 0.0254};
constexpr std::array<double, 4> MassFactors{1000.0, 1.0, 0.45359237, 453.59237};
constexpr std::array<double, 4> ForceFactors{1000.0, 1.0, 4.4482216152605, 4448.2216152605};
constexpr std::array<double, 3> TimeFactors{1.0, 60.0, 3600.0};

constexpr int HighestSystem = 2;
constexpr int HighestLength = 3;
constexpr int HighestMass = 3;
constexpr int HighestForce = 3;
constexpr int HighestTime = 2;
constexpr int HighestTemperature = 1;

// Standard gravity in m/s².
constexpr double StandardGravity = 9.80665;

long double IntPower(long double base, std::int32_t exponent)
{
  // Widen before negating so that the most negative exponent does not overflow.
  std::uint64_t n = exponent < 0 ? std::uint64_t(-std::int64_t{exponent}) : std::uint64_t(exponent);
  long double result = 1.0L;
  while (n != 0) {
    if (n & 1U) result *= base;
    base *= base;
    n >>= 1U;
  }
  return exponent < 0 ? 1.0L / result : result;
}

void ReplaceAll(std::string& text, std::string_view placeholder, std::string_view replacement)
{
  // Searching again from the front after every replacement is how captions
  // have always been expanded; no unit name holds a placeholder, so it ends.
  for (std::size_t pos = text.find(placeholder); pos != std::string::npos; pos = text.find(placeholder))
    text.replace(pos, placeholder.size(), replacement);
}

}  // namespace

// ---------------------------------------------------------------------------
// TScaleValueWithoutReferenceCounting

void TScaleValueWithoutReferenceCounting::Set(double rL, double rM, double rF, double rT, std::uint8_t fromTemperature,
                                              std::uint8_t toTemperature)
{
  FLength = rL;
  FMass = rM;
  FForce = rF;
  FTime = rT;
  FFromTemperature = fromTemperature;
  FToTemperature = toTemperature;
  FIdentity = rL == 1.0 && rM == 1.0 && rF == 1.0 && rT == 1.0 && fromTemperature == toTemperature;
}

void TScaleValueWithoutReferenceCounting::Apply(double& value, const TDimension& dimension) const
{
  if (FIdentity || IsSpecial(value)) return;
  if (dimension.IsTemperature != 0) {
    if (FFromTemperature == tuCelsius && FToTemperature == tuFahrenheit)
      value = value * 1.8 + 32.0;
    else if (FFromTemperature == tuFahrenheit && FToTemperature == tuCelsius)
      value = (value - 32.0) / 1.8;
    return;
  }
  // Extended precision keeps a round trip between two unit systems within
  // one rounding of the start.
  long double v = value;
  if (dimension.Length != 0) v *= IntPower(FLength, dimension.Length);
  if (dimension.Mass != 0) v *= IntPower(FMass, dimension.Mass);
  if (dimension.Force != 0) v *= IntPower(FForce, dimension.Force);
  if (dimension.Time != 0) v *= IntPower(FTime, dimension.Time);
  value = static_cast<double>(v);
}

// ---------------------------------------------------------------------------
// TUnits: names

const TValueStrings& TUnits::SystemNames()
{
  static const TValueStrings names{"SI", "US", "User"};
  return names;
}

const TValueStrings& TUnits::LengthNames()
{
  static const TValueStrings names{"m", "mm", "ft", "in"};
  return names;
}

const TValueStrings& TUnits::MassNames()
{
  static const TValueStrings names{"te", "kg", "lb", "kp"};
  return names;
}

const TValueStrings& TUnits::ForceNames()
{
  static const TValueStrings names{"kN", "N", "lb", "kp"};
  return names;
}

const TValueStrings& TUnits::TimeNames()
{
  static const TValueStrings names{"s", "mn", "hr"};
  return names;
}

const TValueStrings& TUnits::TemperatureNames()
{
  static const TValueStrings names{"\u00B0C", "\u00B0F"};
  return names;
}

// ---------------------------------------------------------------------------
// TUnits: state

TUnits::TUnits(int baseVarNum) : FBaseVarNum(baseVarNum)
{
  Recompute();
}

void TUnits::ResetToSI()
{
  FChoice = TChoice{};
  Recompute();
}

void TUnits::Assign(const TUnits& source)
{
  if (&source == this) return;
  FChoice = source.FChoice;
  Recompute();
}

const TUnits::TChoice& TUnits::FixedUnits() const
{
  // The units of the two fixed systems, as table indices.
  static constexpr TChoice SIUnits{usSI, 0, 0, 0, 0, tuCelsius};
  static constexpr TChoice USUnits{usUS, 2, 3, 3, 0, tuFahrenheit};
  return FChoice.System == usUS ? USUnits : SIUnits;
}

void TUnits::SetSystem(int system)
{
  if (system < 0 || system > HighestSystem) throw EUnitsError(Format("Invalid units system %d.", system));
  if (system == FChoice.System) return;
  FChoice.System = static_cast<std::uint8_t>(system);
  Recompute();
}

void TUnits::SetUserUnit(std::uint8_t TChoice::*field, int index, int highest, const char* quantity)
{
  if (FChoice.System != usUser)
    throw EUnitsError(Format("Cannot set %s Units unless using user specified units.", quantity));
  if (index < 0 || index > highest) throw EUnitsError(Format("Invalid %s Units index %d.", quantity, index));
  if (FChoice.*field == index) return;
  FChoice.*field = static_cast<std::uint8_t>(index);
  Recompute();
}

void TUnits::SetLengthUnits(int index)
{
  SetUserUnit(&TChoice::Length, index, HighestLength, "Length");
}
void TUnits::SetMassUnits(int index)
{
  SetUserUnit(&TChoice::Mass, index, HighestMass, "Mass");
}
void TUnits::SetForceUnits(int index)
{
  SetUserUnit(&TChoice::Force, index, HighestForce, "Force");
}
void TUnits::SetTimeUnits(int index)
{
  SetUserUnit(&TChoice::Time, index, HighestTime, "Time");
}
void TUnits::SetTemperatureUnits(int index)
{
  SetUserUnit(&TChoice::Temperature, index, HighestTemperature, "Temperature");
}

int TUnits::LengthUnitsIndex() const
{
  return FChoice.System == usUser ? FChoice.Length : FixedUnits().Length;
}
int TUnits::MassUnitsIndex() const
{
  return FChoice.System == usUser ? FChoice.Mass : FixedUnits().Mass;
}
int TUnits::ForceUnitsIndex() const
{
  return FChoice.System == usUser ? FChoice.Force : FixedUnits().Force;
}
int TUnits::TimeUnitsIndex() const
{
  return FChoice.System == usUser ? FChoice.Time : FixedUnits().Time;
}
int TUnits::TemperatureUnitsIndex() const
{
  return FChoice.System == usUser ? FChoice.Temperature : FixedUnits().Temperature;
}

const std::string& TUnits::LengthName() const
{
  return LengthNames().Name(LengthUnitsIndex());
}
const std::string& TUnits::MassName() const
{
  return MassNames().Name(MassUnitsIndex());
}
const std::string& TUnits::ForceName() const
{
  return ForceNames().Name(ForceUnitsIndex());
}
const std::string& TUnits::TimeName() const
{
  return TimeNames().Name(TimeUnitsIndex());
}
const std::string& TUnits::TemperatureName() const
{
  return TemperatureNames().Name(TemperatureUnitsIndex());
}

void TUnits::Recompute()
{
  const double newL = LengthFactors[static_cast<std::size_t>(LengthUnitsIndex())];
  const double newM = MassFactors[static_cast<std::size_t>(MassUnitsIndex())];
  const double newF = ForceFactors[static_cast<std::size_t>(ForceUnitsIndex())];
  const double newT = TimeFactors[static_cast<std::size_t>(TimeUnitsIndex())];
  const auto newTemperature = static_cast<std::uint8_t>(TemperatureUnitsIndex());

  if (FInitialised) FChangeScale.Set(FL / newL, FM / newM, FF / newF, FT / newT, FCurrentTemperature, newTemperature);
  FL = newL;
  FM = newM;
  FF = newF;
  FT = newT;
  FCurrentTemperature = newTemperature;

  FGravity = StandardGravity * FT * FT / FL;
  FMassAccelerationToForce = FL * FM / (FT * FT) / FF;

  // The numerators are the factors of the SI reference units.
  FFromSIScale.Set(LengthFactors[0] / FL, MassFactors[0] / FM, ForceFactors[0] / FF, TimeFactors[0] / FT, tuCelsius,
                   FCurrentTemperature);
  FToSIScale.Set(FL / LengthFactors[0], FM / MassFactors[0], FF / ForceFactors[0], FT / TimeFactors[0],
                 FCurrentTemperature, tuCelsius);
  FMassToForceScale.Set(1.0, 1.0 / FMassAccelerationToForce, 1.0, 1.0, FCurrentTemperature, FCurrentTemperature);
  FForceToMassScale.Set(1.0, FMassAccelerationToForce, 1.0, 1.0, FCurrentTemperature, FCurrentTemperature);

  if (!FInitialised) {
    FInitialised = true;
    FLastChoice = FChoice;
    return;
  }
  // Assigning or reading the units already in force must not disturb the
  // objects that show them.
  if (FChoice == FLastChoice) return;
  FLastChoice = FChoice;
  NotifyListeners();
  if (OnChange) OnChange(*this);
}

double TUnits::FromSI(const TDimension& dimension, double value) const
{
  FFromSIScale.Apply(value, dimension);
  return value;
}

double TUnits::ToSI(const TDimension& dimension, double value) const
{
  FToSIScale.Apply(value, dimension);
  return value;
}

// ---------------------------------------------------------------------------
// TUnits: listeners

void TUnits::AddListener(IUnitsListener* listener)
{
  if (listener == nullptr || std::find(FListeners.begin(), FListeners.end(), listener) != FListeners.end()) return;
  FListeners.push_back(listener);
}

void TUnits::RemoveListener(IUnitsListener* listener)
{
  auto it = std::find(FListeners.begin(), FListeners.end(), listener);
  if (it == FListeners.end()) return;
  // While notifying, the slot is only emptied so that the loop's indices
  // stay valid; the list is compacted when the outermost notification ends.
  if (FNotifyDepth > 0)
    *it = nullptr;
  else
    FListeners.erase(it);
}

void TUnits::NotifyListeners()
{
  struct TDepthGuard {
    TUnits& Units;
    explicit TDepthGuard(TUnits& units) : Units(units) { ++Units.FNotifyDepth; }
    ~TDepthGuard()
    {
      if (--Units.FNotifyDepth == 0) std::erase(Units.FListeners, nullptr);
    }
    TDepthGuard(const TDepthGuard&) = delete;
    TDepthGuard& operator=(const TDepthGuard&) = delete;
  } guard(*this);

  // Listeners added during the loop were made in the new units already, so
  // only those present at the start are told.
  const std::size_t count = FListeners.size();
  for (std::size_t i = 0; i < count; ++i)
    if (IUnitsListener* listener = FListeners[i]) listener->UnitsChanged(FChangeScale);
}

// ---------------------------------------------------------------------------
// TUnits: names in captions

const std::string& TUnits::ForceLabel() const
{
  return ForceLabelOf(ForceName());
}

const std::string& TUnits::ForceLabelOf(const std::string& forceName)
{
  static const std::string kip = "kip";
  return forceName == "kp" ? kip : forceName;
}

std::string TUnits::ExpandUnitNames(std::string text) const
{
  return Expand(std::move(text), ForceLabel());
}

std::string TUnits::ExpandChoiceNames(std::string text) const
{
  return Expand(std::move(text), ForceName());
}

std::string TUnits::Expand(std::string text, const std::string& force) const
{
  ReplaceAll(text, "LL", LengthName());
  ReplaceAll(text, "MM", MassName());
  ReplaceAll(text, "FF", force);
  if (TimeName() == "s") {
    ReplaceAll(text, "1/TT", "Hz");
    ReplaceAll(text, "TT^-1", "Hz");
  }
  ReplaceAll(text, "TT", TimeName());
  ReplaceAll(text, "\u00B0T", TemperatureName());
  return text;
}

TDimension TUnits::DimensionFromName(const std::string& name)
{
  struct TNamedDimension {
    const char* Name;
    TDimension Dimension;
  };
  static constexpr TNamedDimension Names[] = {
      {"LL", dmLength},
      {"MM", dmMass},
      {"LL^3", dmVolume},
      {"FF", dmForce},
      {"FF.LL", dmMoment},
      {"LL/TT", dmVelocity},
      {"LL/TT^2", dmAcceleration},
      {"RAD/LL", dmCurvature},
      {"FF/LL^2", dmStress},
      {"FF/LL", dmForcePerLength},
      {"deg/LL", dmCurvature},
  };
  for (const TNamedDimension& entry : Names)
    if (SameText(entry.Name, name)) return entry.Dimension;
  return dmDimensionless;
}

// ---------------------------------------------------------------------------
// TUnits: data items

const TValueStrings* TUnits::ItemNames(int offset) const
{
  switch (offset) {
    case uiSystem:
      return &SystemNames();
    case uiLength:
      return &LengthNames();
    case uiMass:
      return &MassNames();
    case uiForce:
      return &ForceNames();
    case uiTime:
      return &TimeNames();
    case uiTemperature:
      return &TemperatureNames();
    default:
      return nullptr;
  }
}

int TUnits::ItemIndex(int offset) const
{
  switch (offset) {
    case uiSystem:
      return FChoice.System;
    case uiLength:
      return LengthUnitsIndex();
    case uiMass:
      return MassUnitsIndex();
    case uiForce:
      return ForceUnitsIndex();
    case uiTime:
      return TimeUnitsIndex();
    default:
      return TemperatureUnitsIndex();
  }
}

bool TUnits::IsItemEditable(int offset) const
{
  if (offset == uiSystem) return true;
  if (offset == uiGravity) return false;
  return FChoice.System == usUser;
}

void TUnits::SetItemIndex(int offset, int index)
{
  switch (offset) {
    case uiSystem:
      SetSystem(index);
      break;
    case uiLength:
      SetLengthUnits(index);
      break;
    case uiMass:
      SetMassUnits(index);
      break;
    case uiForce:
      SetForceUnits(index);
      break;
    case uiTime:
      SetTimeUnits(index);
      break;
    case uiTemperature:
      SetTemperatureUnits(index);
      break;
    default:
      break;
  }
}

bool TUnits::DescribeItem(int varNum, TItemInfo& info)
{
  const std::int64_t offset = std::int64_t{varNum} - FBaseVarNum;
  if (FBaseVarNum < 0 || offset < 0 || offset >= ItemCount) return false;
  static const char* const names[ItemCount] = {"Units.System", "Units.Length",      "Units.Mass",   "Units.Force",
                                               "Units.Time",   "Units.Temperature", "Units.Gravity"};
  info.Name = names[offset];
  info.Dimension = offset == uiGravity ? dmAcceleration : dmDimensionless;
  return true;
}

void TUnits::GetValue(int varNum, int /*index*/, bool& found, TAccessStatus& status, TVariant& value,
                      TVarType representation)
{
  const std::int64_t offset = std::int64_t{varNum} - FBaseVarNum;
  found = FBaseVarNum >= 0 && offset >= 0 && offset < ItemCount;
  if (!found) return;
  const int item = static_cast<int>(offset);
  if (!IsItemEditable(item)) status.Code = acReadOnly;
  if (item == uiGravity) {
    value = FGravity;
    return;
  }

  const TValueStrings& names = *ItemNames(item);
  const int current = ItemIndex(item);
  switch (representation) {
    case vtText:
    case vtEnum:
      value = names.Name(current);
      break;
    case vtList: {
      IListTarget* list = value.ToList();
      if (list == nullptr) {
        status.Code = acInvalidType;
        return;
      }
      list->Clear();
      for (int i = 0; i < names.Count(); ++i) {
        if (names.Name(i).empty()) continue;
        list->Add(names.Name(i), i);
        if (i != current) continue;
        if (list->MultiSelect())
          list->SetMarked(list->Count() - 1, true);
        else
          list->SetSelectedIndex(list->Count() - 1);
      }
      break;
    }
    default:
      value = current;
      break;
  }
}

void TUnits::SetValue(int varNum, int /*index*/, bool& found, TAccessStatus& status, const TVariant& value,
                      TVarType representation)
{
  const std::int64_t offset = std::int64_t{varNum} - FBaseVarNum;
  found = FBaseVarNum >= 0 && offset >= 0 && offset < ItemCount;
  if (!found) return;
  const int item = static_cast<int>(offset);
  if (item == uiGravity) {
    status.Code = acChangeNotAllowed;
    return;
  }

  const TValueStrings& names = *ItemNames(item);
  std::int64_t ordinal = -1;
  switch (representation) {
    case vtList: {
      const IListTarget* list = value.ToList();
      if (list == nullptr) {
        status.Code = acInvalidType;
        return;
      }
      const int selected = list->SelectedIndex();
      if (selected < 0) {
        status.Code = acInvalidValue;
        return;
      }
      ordinal = list->DataAt(selected);
      break;
    }
    case vtText:
    case vtEnum:
      ordinal = names.IndexOf(value.ToText());
      break;
    default: {
      const std::optional<std::int64_t> v = value.ToInteger();
      if (!v) {
        status.Code = acInvalidValue;
        return;
      }
      ordinal = *v;
      break;
    }
  }
  if (ordinal < 0 || ordinal >= names.Count() || !names.IsValid(static_cast<int>(ordinal))) {
    status.Code = acInvalidValue;
    return;
  }
  SetItemIndex(item, static_cast<int>(ordinal));
}

// ---------------------------------------------------------------------------
// TUnits: data files

void TUnits::WriteToFile(ITaggedFile& file, bool includeTemperature) const
{
  file.WriteByte(FChoice.System);
  file.WriteByte(FChoice.Length);
  file.WriteByte(FChoice.Mass);
  file.WriteByte(FChoice.Force);
  file.WriteByte(FChoice.Time);
  if (includeTemperature) file.WriteByte(FChoice.Temperature);
}

void TUnits::ReadFromFile(ITaggedFile& file)
{
  // Read into a copy so that a file that fails part-way leaves the units as
  // they were, consistent with the values already held.
  TChoice read = FChoice;
  file.ReadEnum(read.System, HighestSystem, "units system");
  file.ReadEnum(read.Length, HighestLength, "length units");
  file.ReadEnum(read.Mass, HighestMass, "mass units");
  file.ReadEnum(read.Force, HighestForce, "force units");
  file.ReadEnum(read.Time, HighestTime, "time units");
  file.ReadEnum(read.Temperature, HighestTemperature, "temperature units");
  FChoice = read;
  Recompute();
}

}  // namespace umbrinex
