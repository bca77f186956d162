#include "framework/data/Units.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "MemoryTaggedFile.h"
#include "TestSupport.h"
#include "framework/data/ValueStrings.h"
#include "framework/data/Variant.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

using testing::TMemoryTaggedFile;

constexpr double Foot = 0.3048;
constexpr double KipForce = 4448.2216152605;
constexpr double KipMass = 453.59237;

const double SpecialValues[] = {Infinity, MinusInfinity, Undefined, DefaultValue, NotApplicable, Tiny, -Tiny};

bool SameBits(double a, double b)
{
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Holds values the way a model object does and rescales them when told.
struct TValueHolder : IUnitsListener {
  struct TEntry {
    TDimension Dimension;
    double Value;
  };
  std::vector<TEntry> Values;
  std::vector<std::string>* Log = nullptr;
  std::string Name;
  std::function<void()> During;

  void UnitsChanged(const IScaleValue& scale) override
  {
    for (TEntry& e : Values) scale.Apply(e.Value, e.Dimension);
    if (Log) Log->push_back(Name);
    if (During) During();
  }
};

std::string AllNames(const TUnits& units)
{
  return units.LengthName() + " " + units.MassName() + " " + units.ForceName() + " " + units.TimeName() + " " +
         units.TemperatureName();
}

void UseUser(TUnits& units, int length, int mass, int force, int time, int temperature)
{
  units.SetSystem(usUser);
  units.SetLengthUnits(length);
  units.SetMassUnits(mass);
  units.SetForceUnits(force);
  units.SetTimeUnits(time);
  units.SetTemperatureUnits(temperature);
}

// ---------------------------------------------------------------------------

TEST(ScaleValue, IsTheIdentityOnlyWhenNothingWouldChange)
{
  TScaleValueWithoutReferenceCounting scale;
  EXPECT_TRUE(scale.IsIdentity());
  scale.Set(1, 1, 1, 1, tuFahrenheit, tuFahrenheit);
  EXPECT_TRUE(scale.IsIdentity());
  scale.Set(1, 1, 1, 1, tuCelsius, tuFahrenheit);
  EXPECT_FALSE(scale.IsIdentity());
  scale.Set(1, 1, 2, 1, tuCelsius, tuCelsius);
  EXPECT_FALSE(scale.IsIdentity());
}

TEST(ScaleValue, MultipliesByIntegerPowersOfEachRatio)
{
  TScaleValueWithoutReferenceCounting scale;
  scale.Set(2.0, 3.0, 5.0, 7.0, tuCelsius, tuCelsius);
  struct TCase {
    TDimension Dimension;
    double Expected;
  } cases[] = {
      {dmDimensionless, 1.0},        {dmLength, 2.0},        {dmVolume, 8.0},
      {dmStress, 5.0 / 4.0},         {dmDensity, 3.0 / 8.0}, {dmAcceleration, 2.0 / 49.0},
      {{1, 1, 1, -2, 0}, 30.0 / 49}, {dmTemperature, 1.0},   {{3, 0, 0, 0, 1}, 1.0},
  };
  for (const TCase& c : cases) {
    double v = 1.0;
    scale.Apply(v, c.Dimension);
    EXPECT_CLOSE(c.Expected, v, 1e-15) << c.Dimension.Length << " " << c.Dimension.Time;
  }
}

TEST(ScaleValue, ConvertsTemperaturesByFormulaBothWays)
{
  TScaleValueWithoutReferenceCounting toF, toC;
  toF.Set(1, 1, 1, 1, tuCelsius, tuFahrenheit);
  toC.Set(1, 1, 1, 1, tuFahrenheit, tuCelsius);
  for (auto [c, f] : {std::pair{20.0, 68.0}, {-40.0, -40.0}, {100.0, 212.0}, {0.0, 32.0}}) {
    double v = c;
    toF.Apply(v, dmTemperature);
    EXPECT_DOUBLE_EQ(f, v);
    toC.Apply(v, dmTemperature);
    EXPECT_DOUBLE_EQ(c, v);
  }
  double length = 20.0;
  toF.Apply(length, dmLength);
  EXPECT_EQ(20.0, length);
}

TEST(ScaleValue, LeavesSpecialValuesUntouched)
{
  TScaleValueWithoutReferenceCounting scale;
  scale.Set(0.5, 3.0, 0.25, 60.0, tuCelsius, tuFahrenheit);
  for (double special : SpecialValues) {
    for (const TDimension& d : {dmLength, dmStress, dmFrequency, dmTemperature}) {
      double v = special;
      scale.Apply(v, d);
      EXPECT_TRUE(SameBits(special, v)) << special;
    }
  }
}

// ---------------------------------------------------------------------------

TEST(UnitsSystems, NameTheUnitsInForce)
{
  TUnits units;
  EXPECT_EQ("m te kN s \u00B0C", AllNames(units));
  units.SetSystem(usUS);
  EXPECT_EQ("ft kp kp s \u00B0F", AllNames(units));
  EXPECT_EQ(2, units.LengthUnitsIndex());
  EXPECT_EQ(3, units.MassUnitsIndex());
  UseUser(units, 3, 2, 1, 2, 1);
  EXPECT_EQ("in lb N hr \u00B0F", AllNames(units));
  // The user's choices survive a visit to another system.
  units.SetSystem(usSI);
  EXPECT_EQ("m te kN s \u00B0C", AllNames(units));
  units.SetSystem(usUser);
  EXPECT_EQ("in lb N hr \u00B0F", AllNames(units));
}

TEST(UnitsSystems, ConvertSIConstantsWithExactFactors)
{
  TUnits units;
  units.SetSystem(usUser);
  struct TCase {
    void (TUnits::*Setter)(int);
    int Index;
    TDimension Dimension;
    double Expected;  // one SI reference unit in the chosen unit
  } cases[] = {
      {&TUnits::SetLengthUnits, 1, dmLength, 1000.0},
      {&TUnits::SetLengthUnits, 2, dmLength, 1.0 / 0.3048},
      {&TUnits::SetLengthUnits, 3, dmLength, 1.0 / 0.0254},
      {&TUnits::SetMassUnits, 1, dmMass, 1000.0},
      {&TUnits::SetMassUnits, 2, dmMass, 1000.0 / 0.45359237},
      {&TUnits::SetMassUnits, 3, dmMass, 1000.0 / KipMass},
      {&TUnits::SetForceUnits, 1, dmForce, 1000.0},
      {&TUnits::SetForceUnits, 2, dmForce, 1000.0 / 4.4482216152605},
      {&TUnits::SetForceUnits, 3, dmForce, 1000.0 / KipForce},
      {&TUnits::SetTimeUnits, 1, dmTime, 1.0 / 60.0},
      {&TUnits::SetTimeUnits, 2, dmTime, 1.0 / 3600.0},
  };
  for (const TCase& c : cases) {
    (units.*c.Setter)(c.Index);
    EXPECT_DOUBLE_EQ(c.Expected, units.FromSI(c.Dimension, 1.0)) << c.Index;
    EXPECT_DOUBLE_EQ(1.0, units.ToSI(c.Dimension, units.FromSI(c.Dimension, 1.0))) << c.Index;
    (units.*c.Setter)(0);
  }
  units.SetTemperatureUnits(tuFahrenheit);
  EXPECT_DOUBLE_EQ(68.0, units.FromSI(dmTemperature, 20.0));
  EXPECT_DOUBLE_EQ(20.0, units.ToSI(dmTemperature, 68.0));
}

TEST(UnitsSystems, DeriveGravityAndTheMassToForceFactor)
{
  TUnits units;
  EXPECT_EQ(9.80665, units.Gravity());
  EXPECT_EQ(1.0, units.MassAccelerationToForce());
  units.SetSystem(usUS);
  EXPECT_DOUBLE_EQ(9.80665 / Foot, units.Gravity());
  EXPECT_NEAR(32.174, units.Gravity(), 1e-3);
  EXPECT_DOUBLE_EQ(Foot * KipMass / KipForce, units.MassAccelerationToForce());

  double mass = 1.0;
  units.MassToForceScale().Apply(mass, dmMass);
  EXPECT_DOUBLE_EQ(1.0 / units.MassAccelerationToForce(), mass);
  units.ForceToMassScale().Apply(mass, dmMass);
  EXPECT_DOUBLE_EQ(1.0, mass);

  UseUser(units, 0, 0, 0, 1, 0);  // minutes
  EXPECT_DOUBLE_EQ(9.80665 * 3600.0, units.Gravity());
}

TEST(UnitsSystems, RescaleHeldValuesThereAndBackAgain)
{
  TUnits units;
  TValueHolder holder;
  holder.Values = {{dmLength, 1.0}, {dmStress, 1.0}, {dmTemperature, 20.0}, {dmBendingStiffness, 123.456}};
  for (double special : SpecialValues) holder.Values.push_back({dmStress, special});
  const std::vector<TValueHolder::TEntry> start = holder.Values;
  units.AddListener(&holder);

  units.SetSystem(usUS);
  EXPECT_DOUBLE_EQ(1.0 / Foot, holder.Values[0].Value);
  EXPECT_NEAR(3.28084, holder.Values[0].Value, 5e-6);
  EXPECT_DOUBLE_EQ(1000.0 / KipForce * Foot * Foot, holder.Values[1].Value);
  EXPECT_NEAR(0.0208854, holder.Values[1].Value, 5e-8);
  EXPECT_DOUBLE_EQ(68.0, holder.Values[2].Value);

  units.SetSystem(usSI);
  for (std::size_t i = 0; i < start.size(); ++i) {
    if (IsSpecial(start[i].Value))
      EXPECT_TRUE(SameBits(start[i].Value, holder.Values[i].Value)) << i;
    else
      EXPECT_CLOSE(start[i].Value, holder.Values[i].Value, 1e-15);
  }
}

TEST(UnitsSystems, LeaveTemperaturesAloneWhenOnlyLengthsChange)
{
  TUnits units;
  units.SetSystem(usUser);
  TValueHolder holder;
  holder.Values = {{dmTemperature, 20.0}, {dmLength, 1.0}};
  units.AddListener(&holder);
  units.SetLengthUnits(1);
  EXPECT_EQ(20.0, holder.Values[0].Value);
  EXPECT_DOUBLE_EQ(1000.0, holder.Values[1].Value);
}

TEST(UnitsSystems, RefuseSingleUnitsUnlessTheSystemIsUser)
{
  struct TCase {
    void (TUnits::*Setter)(int);
    const char* Message;
  } cases[] = {
      {&TUnits::SetLengthUnits, "Cannot set Length Units unless using user specified units."},
      {&TUnits::SetMassUnits, "Cannot set Mass Units unless using user specified units."},
      {&TUnits::SetForceUnits, "Cannot set Force Units unless using user specified units."},
      {&TUnits::SetTimeUnits, "Cannot set Time Units unless using user specified units."},
      {&TUnits::SetTemperatureUnits, "Cannot set Temperature Units unless using user specified units."},
  };
  for (int system : {usSI, usUS}) {
    TUnits units;
    units.SetSystem(system);
    for (const TCase& c : cases) {
      try {
        (units.*c.Setter)(1);
        ADD_FAILURE() << "no error for " << c.Message;
      } catch (const EUnitsError& e) {
        EXPECT_STREQ(c.Message, e.what());
      }
    }
    units.SetSystem(usUser);
    EXPECT_EQ("m te kN s \u00B0C", AllNames(units));
  }
}

// ---------------------------------------------------------------------------

TEST(UnitsListeners, HearOnlyOfRealChangesInOrderBeforeOnChange)
{
  TUnits units;
  std::vector<std::string> log;
  TValueHolder first, second;
  first.Log = second.Log = &log;
  first.Name = "first";
  second.Name = "second";
  units.AddListener(&first);
  units.AddListener(&second);
  units.AddListener(&first);  // already there: still told once
  units.OnChange = [&](TUnits& sender) {
    EXPECT_EQ(&units, &sender);
    log.push_back("OnChange");
  };

  units.SetSystem(usSI);
  units.ResetToSI();
  TUnits same;
  units.Assign(same);
  EXPECT_TRUE(log.empty());

  units.SetSystem(usUS);
  EXPECT_EQ((std::vector<std::string>{"first", "second", "OnChange"}), log);
  log.clear();
  units.Assign(same);
  EXPECT_EQ(usSI, units.System());
  EXPECT_EQ(3u, log.size());
}

TEST(UnitsListeners, StartSilentWithAnIdentityChangeScale)
{
  TUnits units(2);
  double v = 5.0;
  units.ChangeScale().Apply(v, dmLength);
  EXPECT_EQ(5.0, v);
  EXPECT_EQ(usSI, units.System());
  EXPECT_EQ(2, units.BaseVarNum());
}

TEST(UnitsListeners, CanBeRemovedAtAnyTimeEvenDuringNotification)
{
  TUnits units;
  std::vector<std::string> log;
  TValueHolder a, b, c, late;
  for (auto [holder, name] : {std::pair{&a, "a"}, {&b, "b"}, {&c, "c"}, {&late, "late"}}) {
    holder->Log = &log;
    holder->Name = name;
  }
  units.AddListener(&a);
  units.AddListener(&b);
  units.AddListener(&c);
  // a removes itself and the not-yet-told c, and adds a listener that was
  // made in the new units and must not be rescaled by this change.
  a.During = [&] {
    units.RemoveListener(&a);
    units.RemoveListener(&c);
    units.AddListener(&late);
  };
  units.RemoveListener(nullptr);
  units.SetSystem(usUS);
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), log);

  log.clear();
  units.SetSystem(usSI);
  EXPECT_EQ((std::vector<std::string>{"b", "late"}), log);
}

// ---------------------------------------------------------------------------

TEST(UnitsNames, ExpandPlaceholdersInCaptions)
{
  TUnits units;
  const struct {
    const char* Text;
    const char* Expected;
  } cases[] = {{"(LL)", "(m)"},
               {"FF.LL^2", "kN.m^2"},
               {"Stress (FF/LL^2)", "Stress (kN/m^2)"},
               {"1/TT", "Hz"},
               {"Frequency (TT^-1)", "Frequency (Hz)"},
               {"Density (MM/LL^3)", "Density (te/m^3)"},
               {"Time (TT)", "Time (s)"},
               {"Temperature (\u00B0T)", "Temperature (\u00B0C)"},
               {"ll and Ff stay", "ll and Ff stay"},
               {"LLLL", "mm"}};
  for (const auto& c : cases) EXPECT_EQ(c.Expected, units.ExpandUnitNames(c.Text)) << c.Text;

  units.SetSystem(usUS);
  // Captions name the force unit "kip"; the item's own choice, "kp", stays
  // for the listings of items next to it. Mass keeps its name.
  EXPECT_EQ("(kip.ft) at \u00B0F", units.ExpandUnitNames("(FF.LL) at \u00B0T"));
  EXPECT_EQ("(kp.ft) at \u00B0F", units.ExpandChoiceNames("(FF.LL) at \u00B0T"));
  EXPECT_EQ("kp/ft kip", units.ExpandUnitNames("MM/LL FF"));
  EXPECT_EQ("kp", units.ForceName());
  UseUser(units, 0, 0, 2, 0, 0);
  EXPECT_EQ("lb", units.ForceLabel());
  EXPECT_EQ(units.ExpandChoiceNames("FF/LL"), units.ExpandUnitNames("FF/LL"));
  UseUser(units, 0, 0, 0, 1, 0);
  EXPECT_EQ("1/mn", units.ExpandUnitNames("1/TT"));
  EXPECT_EQ("m/mn^2", units.ExpandUnitNames("LL/TT^2"));
}

TEST(UnitsNames, GiveTheDimensionOfAUnitExpression)
{
  const struct {
    const char* Name;
    TDimension Expected;
  } cases[] = {{"LL", dmLength},        {"MM", dmMass},          {"ll^3", dmVolume},          {"FF", dmForce},
               {"FF.LL", dmMoment},     {"LL/TT", dmVelocity},   {"LL/TT^2", dmAcceleration}, {"rad/LL", dmCurvature},
               {"DEG/ll", dmCurvature}, {"ff/ll^2", dmStress},   {"FF/LL", dmForcePerLength}, {"TT", dmDimensionless},
               {"", dmDimensionless},   {" LL", dmDimensionless}};
  for (const auto& c : cases) EXPECT_EQ(c.Expected, TUnits::DimensionFromName(c.Name)) << c.Name;
}

// ---------------------------------------------------------------------------

struct TItemRead {
  bool Found = false;
  TAccessStatus Status;
  TVariant Value;
};

TItemRead Read(TUnits& units, int varNum, TVarType representation, TVariant value = {})
{
  TItemRead r;
  r.Status.Code = acOk;  // as the data object leaves it before asking
  r.Value = std::move(value);
  units.GetValue(varNum, 0, r.Found, r.Status, r.Value, representation);
  return r;
}

TAccessStatus Write(TUnits& units, int varNum, const TVariant& value, TVarType representation)
{
  TAccessStatus status;
  status.Code = acOk;
  bool found = false;
  units.SetValue(varNum, 0, found, status, value, representation);
  EXPECT_TRUE(found);
  return status;
}

TEST(UnitsItems, AnswerOnlyTheirSevenNumbers)
{
  TUnits none;
  EXPECT_FALSE(Read(none, -1, vtLong).Found);
  EXPECT_FALSE(Read(none, 0, vtLong).Found);
  TUnits units(2);
  EXPECT_FALSE(Read(units, 1, vtLong).Found);
  EXPECT_FALSE(Read(units, 9, vtLong).Found);
  for (int varNum = 2; varNum <= 8; ++varNum) EXPECT_TRUE(Read(units, varNum, vtLong).Found) << varNum;
}

TEST(UnitsItems, ReadNamesIndicesAndReadOnlyStatus)
{
  TUnits units(2);
  TItemRead r = Read(units, 2, vtText);
  EXPECT_EQ(acOk, r.Status.Code);
  EXPECT_EQ(TVariant("SI"), r.Value);
  r = Read(units, 3, vtEnum);
  EXPECT_EQ(acReadOnly, r.Status.Code);
  EXPECT_EQ(TVariant("m"), r.Value);
  r = Read(units, 8, vtReal);
  EXPECT_EQ(acReadOnly, r.Status.Code);
  EXPECT_EQ(TVariant(9.80665), r.Value);

  units.SetSystem(usUS);
  EXPECT_EQ(TVariant(3), Read(units, 5, vtLong).Value);
  EXPECT_EQ(TVariant("\u00B0F"), Read(units, 7, vtText).Value);
  EXPECT_NEAR(32.174, *Read(units, 8, vtReal).Value.ToReal(), 1e-3);
  EXPECT_EQ(acReadOnly, Read(units, 8, vtReal).Status.Code);

  UseUser(units, 1, 1, 1, 1, 1);
  EXPECT_EQ(acOk, Read(units, 3, vtText).Status.Code);
  EXPECT_EQ(TVariant("mm"), Read(units, 3, vtText).Value);
  EXPECT_EQ(acReadOnly, Read(units, 8, vtReal).Status.Code);
}

TEST(UnitsItems, FillAListWithTheNamesAndSelectTheCurrentOne)
{
  TUnits units(2);
  units.SetSystem(usUser);
  units.SetTimeUnits(2);
  TStringListTarget list;
  list.Add("stale", 99);
  const TItemRead r = Read(units, 6, vtList, TVariant(&list));
  EXPECT_EQ(acOk, r.Status.Code);
  ASSERT_EQ(3, list.Count());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(TUnits::TimeNames().Name(i), list.TextAt(i));
    EXPECT_EQ(i, list.DataAt(i));
  }
  EXPECT_EQ(2, list.SelectedIndex());
}

TEST(UnitsItems, AcceptTextListOrIntegerAndRefuseInvalidIndices)
{
  TUnits units(2);
  EXPECT_EQ(acOk, Write(units, 2, "us", vtText).Code);
  EXPECT_EQ(usUS, units.System());

  TStringListTarget list;
  Read(units, 2, vtList, TVariant(&list));
  ASSERT_TRUE(list.SelectText("User"));
  EXPECT_EQ(acOk, Write(units, 2, TVariant(&list), vtList).Code);
  EXPECT_EQ(usUser, units.System());
  EXPECT_EQ(acOk, Write(units, 3, 3, vtLong).Code);
  EXPECT_EQ("in", units.LengthName());

  for (auto [varNum, value] : {std::pair{2, 3}, {2, -1}, {3, 4}, {6, 3}, {7, 2}})
    EXPECT_EQ(acInvalidValue, Write(units, varNum, value, vtLong).Code) << varNum << " " << value;
  list.SetSelectedIndex(-1);
  EXPECT_EQ(acInvalidValue, Write(units, 2, TVariant(&list), vtList).Code);
  EXPECT_EQ(usUser, units.System());
  EXPECT_EQ("in", units.LengthName());

  EXPECT_THROW(Write(units, 2, "metric", vtText), EValueStringNotFound);
  EXPECT_EQ(acChangeNotAllowed, Write(units, 8, 1.0, vtReal).Code);
  EXPECT_EQ(usUser, units.System());

  units.SetSystem(usSI);
  EXPECT_THROW(Write(units, 4, "kg", vtText), EUnitsError);
  EXPECT_EQ("te", units.MassName());
}

// ---------------------------------------------------------------------------

TEST(UnitsFile, WriteOneByteEachAndReadThemBack)
{
  TUnits written;
  UseUser(written, 2, 2, 1, 2, 1);
  written.SetSystem(usUS);  // the user's choices are stored all the same
  TMemoryTaggedFile file;
  written.WriteToFile(file);
  EXPECT_EQ((std::vector<std::uint8_t>{1, 2, 2, 1, 2, 1}), file.Bytes);

  file.Rewind();
  TUnits read;
  std::vector<std::string> log;
  TValueHolder holder;
  holder.Log = &log;
  read.AddListener(&holder);
  read.ReadFromFile(file);
  EXPECT_EQ(1u, log.size());
  EXPECT_TRUE(file.Unrecognised.empty());
  EXPECT_EQ("ft kp", read.LengthName() + " " + read.ForceName());
  read.SetSystem(usUser);
  EXPECT_EQ("ft lb N hr \u00B0F", AllNames(read));

  // The same units again change nothing and tell nobody.
  log.clear();
  file.Rewind();
  file.Bytes[0] = usUser;
  read.ReadFromFile(file);
  EXPECT_TRUE(log.empty());
}

TEST(UnitsFile, KeepValuesThatAreMissingOrOutOfRange)
{
  TUnits source;
  UseUser(source, 1, 1, 1, 1, tuCelsius);
  TMemoryTaggedFile file;
  file.BeginRecord();
  source.WriteToFile(file, false);
  file.EndRecord();
  EXPECT_EQ(4u + 5u, file.Bytes.size());

  file.Rewind();
  TUnits read;
  read.SetSystem(usUser);
  read.SetTemperatureUnits(tuFahrenheit);
  file.BeginReadRecord();
  read.ReadFromFile(file);
  file.EndReadRecord();
  EXPECT_EQ("mm kg N mn \u00B0F", AllNames(read));

  TMemoryTaggedFile bad(std::vector<std::uint8_t>{3, 4, 2, 2, 3, 2});
  read.ReadFromFile(bad);
  EXPECT_EQ((std::vector<std::string>{"units system", "length units", "time units", "temperature units"}),
            bad.Unrecognised);
  EXPECT_EQ("mm lb lb mn \u00B0F", AllNames(read));
}

TEST(UnitsFile, LeaveTheUnitsAsTheyWereWhenTheFileEndsEarly)
{
  TUnits units;
  TMemoryTaggedFile truncated(std::vector<std::uint8_t>{1, 0, 0});
  EXPECT_THROW(units.ReadFromFile(truncated), EUmbrinexError);
  EXPECT_EQ(usSI, units.System());
}

// The fake file is shared by other tests' round trips, so its encodings
// must be those of real files.
TEST(UnitsFileEncoding, MatchesTheDataFileLayout)
{
  TMemoryTaggedFile file;
  file.WriteFixedString("abc", 6);
  file.WriteString("  abc ");
  file.WriteInteger(-2);
  file.WriteSmallInt(0x1234);
  file.WriteBoolean(true);
  file.BeginRecord();
  file.EndRecord();
  EXPECT_EQ((std::vector<std::uint8_t>{0x61, 0x62, 0x63, 0,    0,    0,    3, 0, 0x61, 0x62, 0x63,
                                       0xFE, 0xFF, 0xFF, 0xFF, 0x34, 0x12, 1, 4, 0,    0,    0}),
            file.Bytes);
  file.WriteDouble(1.5);
  file.Rewind();
  std::string fixed, text;
  std::int32_t i = 0;
  std::int16_t s = 0;
  bool b = false;
  double d = 0.0, inEmpty = 7.0;
  file.ReadFixedString(fixed, 6);
  file.ReadString(text);
  file.ReadInteger(i);
  file.ReadSmallInt(s);
  file.ReadBoolean(b);
  file.BeginReadRecord();
  file.ReadDouble(inEmpty);  // nothing in the record: keeps its value
  file.EndReadRecord();
  file.ReadDouble(d);
  EXPECT_EQ("abc", fixed);
  EXPECT_EQ("abc", text);
  EXPECT_EQ(-2, i);
  EXPECT_EQ(0x1234, s);
  EXPECT_TRUE(b);
  EXPECT_EQ(7.0, inEmpty);
  EXPECT_EQ(1.5, d);
  EXPECT_TRUE(file.AtEnd());
  EXPECT_THROW(file.ReadDouble(d), EUmbrinexError);
}

}  // namespace
}  // namespace umbrinex
