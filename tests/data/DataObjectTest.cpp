#include "framework/data/DataAccess.h"

#include <gtest/gtest.h>

#include <limits>

#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

// VarNums of the sample object.
enum : int {
  vnPositive = 10,
  vnNonNegative = 11,
  vnPercent = 12,
  vnPositiveUpTo1000 = 13,
  vnAtLeast2 = 14,
  vnAtMost5 = 15,
  vnWithDefault = 16,
  vnSteps = 20,
  vnFlag = 30,
  vnShape = 31,
  vnScale = 32,
  vnLabel = 40,
  vnPosition = 100,
};

const TValueStrings& ShapeNames()
{
  static const TValueStrings names = [] {
    TValueStrings s(2);
    s.Insert(0, "User Defined", {"User*"});
    s.Insert(1, "Stiffness Power Law", {"Stiffness Power*"});
    // Ordinal 2 has no name: it can never be chosen.
    return s;
  }();
  return names;
}

const TValueStrings& ScaleNames()
{
  static const TValueStrings names = [] {
    TValueStrings s(1);
    s.Insert(0, "Linear", {"Lin*"});
    s.Insert(1, "Logarithmic", {"L*"});
    return s;
  }();
  return names;
}

const TVarList& SampleVars()
{
  static const TVarList vars = [] {
    TVarList v;
    v.AddRanged(vnPositive, vtReal, Tiny, Infinity);
    v.AddRanged(vnNonNegative, vtReal, 0.0, Infinity);
    v.AddRanged(vnPercent, vtReal, 0.0, 1000.0);
    v.AddRanged(vnPositiveUpTo1000, vtReal, Tiny, 1000.0);
    v.AddRanged(vnAtLeast2, vtReal, 2.0, Infinity);
    v.AddRanged(vnAtMost5, vtReal, MinusInfinity, 5.0);
    v.AddRanged(vnWithDefault, vtReal, Tiny, Infinity, afDefault);
    v.AddRanged(vnSteps, vtInt, 2, 25);
    v.AddRanged(vnFlag, vtBool, 0, 1);
    v.AddRanged(vnShape, vtEnum, 0, 1);
    return v;
  }();
  return vars;
}

class TSample : public TDataObject {
 public:
  explicit TSample(TNamedObject* owner = nullptr) : TDataObject(owner) {}

  double Reals[7] = {1, 1, 1, 1, 3, 1, 1};
  std::int32_t Steps = 5;
  bool Flag = false;
  std::uint8_t Shape = 1;
  std::uint8_t Scale = 0;
  std::string Label = "start";
  TVector Position{1.0, 2.0, 3.0};
  bool LockPercent = false;
  int CurrentVarNumSeenAfterNestedRead = 0;

  const TVarList* GetVarList() const override { return &SampleVars(); }

 protected:
  void RegisterDataItems(TDataItemRegister& reg) override
  {
    for (int i = 0; i < 7; ++i) reg.RegisterReal(Reals[i], dmLength, vnPositive + i);
    reg.RegisterInteger(Steps, vnSteps);
    reg.RegisterBoolean(Flag, vnFlag);
    reg.RegisterEnum(Shape, ShapeNames(), vnShape);
    reg.RegisterEnum(Scale, ScaleNames(), vnScale);
    reg.RegisterString(Label, vnLabel);
    reg.RegisterVector(Position, dmLength, vnPosition);
  }
  void PrepareAccess(int varNum) override
  {
    TDataObject::PrepareAccess(varNum);
    if (varNum == vnPercent && LockPercent) SetEditable(false);
  }
  void AfterSet(int varNum, TAccessStatus& /*status*/) override
  {
    if (varNum != vnLabel) return;
    // A dependent read from inside a hook must not disturb the outer access.
    GetInteger(vnSteps);
    CurrentVarNumSeenAfterNestedRead = CurrentVarNum();
  }
};

TAccessStatus Set(TDataObject& object, int varNum, const TVariant& value, TVarType representation = vtReal,
                  int index = 0)
{
  TAccessStatus status;
  object.SetValue(varNum, index, status, value, representation);
  return status;
}

struct TRangeCase {
  int VarNum;
  TVariant Value;
  std::uint8_t Code;
  std::string Message;
};

class ValidationMessages : public ::testing::TestWithParam<TRangeCase> {};

TEST_P(ValidationMessages, RefuseTheValueWithTheRangeText)
{
  TSample sample;
  sample.AfterConstruction();
  const double before = sample.GetReal(GetParam().VarNum);
  const TAccessStatus status = Set(sample, GetParam().VarNum, GetParam().Value);
  EXPECT_EQ(status.Code, GetParam().Code);
  EXPECT_EQ(status.Message, GetParam().Message);
  EXPECT_EQ(sample.GetReal(GetParam().VarNum), before) << "a refused value must not be stored";
}

INSTANTIATE_TEST_SUITE_P(
    EveryRangeShape, ValidationMessages,
    ::testing::Values(TRangeCase{vnPositive, 0.0, acInvalidValue, "Must be positive"},
                      TRangeCase{vnNonNegative, -1.0, acInvalidValue, "Cannot be negative."},
                      TRangeCase{vnPercent, 1001.0, acInvalidValue, "Must be in the range 0 to 1000"},
                      TRangeCase{vnPositiveUpTo1000, 1001.0, acInvalidValue, "Must be positive and not greater than 1000"},
                      TRangeCase{vnAtLeast2, 1.0, acInvalidValue, "Must be at least 2"},
                      TRangeCase{vnAtMost5, 6.0, acInvalidValue, "Cannot be greater than 5"},
                      TRangeCase{vnPositive, "~", acNotAllowed, "Default Value not allowed"},
                      TRangeCase{vnPositive, "inf", acNotAllowed, "Infinity not allowed"},
                      TRangeCase{vnPositive, "?", acNotAllowed, "Undefined not allowed"},
                      TRangeCase{vnPercent, MinusInfinity, acInvalidValue, "Must be in the range 0 to 1000"},
                      TRangeCase{vnPositive, "abc", acInvalidValue, ""}));

TEST(Validation, AcceptsValuesInRangeAndAllowedSpecialValues)
{
  TSample sample;
  sample.AfterConstruction();
  EXPECT_EQ(Set(sample, vnPositive, Tiny).Code, acOk);
  EXPECT_EQ(Set(sample, vnPercent, "1000").Code, acOk);
  EXPECT_EQ(sample.GetReal(vnPercent), 1000.0);
  EXPECT_EQ(Set(sample, vnWithDefault, "~").Code, acOk);
  EXPECT_TRUE(IsDefault(sample.GetReal(vnWithDefault)));
}

TEST(Validation, IntegerRangesFollowTheRepresentation)
{
  TSample sample;
  sample.AfterConstruction();
  EXPECT_EQ(Set(sample, vnSteps, 1, vtInt).Message, "Must be in the range 2 to 25");
  EXPECT_EQ(Set(sample, vnSteps, 26, vtInt).Message, "Must be in the range 2 to 25");
  EXPECT_EQ(Set(sample, vnSteps, 1, vtHex).Message, "Must be in the range 00000002 to 00000019");
  EXPECT_EQ(Set(sample, vnSteps, 25, vtInt).Code, acOk);
  EXPECT_EQ(sample.Steps, 25);
  const TAccessStatus notANumber = Set(sample, vnSteps, "many", vtInt);
  EXPECT_EQ(notANumber.Code, acInvalidValue);
  EXPECT_EQ(notANumber.Text(), "Invalid value");
  EXPECT_EQ(sample.Steps, 25);

  TVar wide;
  wide.VarType = vtCard;
  wide.HasRange = true;
  wide.Min = 1;
  wide.Max = Infinity;
  EXPECT_EQ(Validate(wide, 70000, vtCard).Message, "Must be in the range 1 to 65535");
  wide.AllowDefault = true;
  EXPECT_EQ(Validate(wide, 65500, vtCard).Code, acValid);
}

TEST(Validation, RefusesWhatNoNumberFieldCanHoldWhateverTheRange)
{
  TVar any;
  any.VarType = vtReal;
  struct TCase {
    double Value;
    const char* Message;
  };
  const TCase cases[] = {{std::numeric_limits<double>::quiet_NaN(), "Not a number"},
                         {std::numeric_limits<double>::infinity(), "Number out of range"},
                         {-std::numeric_limits<double>::infinity(), "Number out of range"},
                         {1e308, "Number out of range"},
                         {-2e307, "Number out of range"}};
  for (bool ranged : {false, true}) {
    any.HasRange = ranged;
    any.Min = MinusInfinity;
    any.Max = Infinity;
    for (const TCase& c : cases) {
      const TAccessStatus status = Validate(any, c.Value, vtReal);
      EXPECT_EQ(status.Code, acInvalidValue) << c.Value;
      EXPECT_EQ(status.Message, c.Message) << c.Value;
    }
    EXPECT_EQ(Validate(any, -1e307, vtReal).Code, acValid) << "minus Infinity is a number like any other";
  }
}

TEST(Validation, TextsLongerThanAFileCanHoldAreRefused)
{
  for (TVarType type : {vtText, vtName}) {
    TVar text;
    text.VarType = type;
    EXPECT_EQ(Validate(text, std::string(MaxTextLength, 'x'), vtText).Code, acValid);
    // Characters, not bytes, count: each takes one byte in the file.
    std::string accented;
    for (std::size_t i = 0; i < MaxTextLength; ++i) accented += "\xc3\xa9";
    EXPECT_EQ(Validate(text, accented, vtText).Code, acValid);
    const TAccessStatus tooLong = Validate(text, std::string(100000, 'x'), vtText);
    EXPECT_EQ(tooLong.Code, acInvalidValue);
    EXPECT_EQ(tooLong.Message, "Texts cannot be longer than 65535 characters");
  }
}

TEST(BooleanItems, AcceptYesNoAndTheirAlternatives)
{
  TSample sample;
  sample.AfterConstruction();
  EXPECT_EQ(Set(sample, vnFlag, "yes", vtText).Code, acOk);
  EXPECT_TRUE(sample.Flag);
  EXPECT_EQ(Set(sample, vnFlag, "n", vtText).Code, acOk);
  EXPECT_FALSE(sample.Flag);
  EXPECT_EQ(Set(sample, vnFlag, "Y", vtText).Code, acOk);
  EXPECT_TRUE(sample.Flag);
  EXPECT_EQ(sample.GetText(vnFlag), "Yes");
  try {
    Set(sample, vnFlag, "maybe", vtText);
    FAIL() << "an unknown boolean text must raise";
  } catch (const EValueStringNotFound& e) {
    EXPECT_STREQ(e.what(), "'maybe' not found.  Possible values are: \nNo\nYes");
  }
  EXPECT_TRUE(sample.Flag);
}

TEST(EnumerationItems, MatchNamesAndWildcardAlternatives)
{
  TSample sample;
  sample.AfterConstruction();
  EXPECT_EQ(Set(sample, vnShape, "user", vtText).Code, acOk);
  EXPECT_EQ(sample.Shape, 0);
  EXPECT_EQ(Set(sample, vnShape, "stiffness power law", vtText).Code, acOk);
  EXPECT_EQ(sample.Shape, 1);
  try {
    Set(sample, vnShape, "s", vtText);
    FAIL();
  } catch (const EValueStringNotFound& e) {
    EXPECT_STREQ(e.what(), "'s' not found.  Possible values are: \nUser Defined\nStiffness Power Law");
  }
  try {
    Set(sample, vnScale, "lin", vtText);
    FAIL();
  } catch (const EValueStringNotFound& e) {
    EXPECT_STREQ(e.what(), "'lin' not unique.  It matches: \nLin*\nL*");
  }
  // Ordinals beyond the names, or without a name, are refused.
  EXPECT_EQ(Set(sample, vnShape, 2, vtCard).Code, acInvalidValue);
  EXPECT_EQ(Set(sample, vnShape, 3, vtCard).Code, acInvalidValue);
  EXPECT_EQ(Set(sample, vnShape, 2, vtEnum).Code, acInvalidValue);  // the descriptor's range
  EXPECT_EQ(sample.Shape, 1);
  EXPECT_EQ(sample.GetCardinal(vnShape), 1);
  EXPECT_EQ(sample.GetText(vnShape), "Stiffness Power Law");
}

TEST(EnumerationItems, FillAndReadAListTarget)
{
  TSample sample;
  sample.AfterConstruction();
  TStringListTarget list;
  TAccessStatus status;
  TVariant value(&list);
  sample.GetValue(vnShape, 0, status, value, vtList);
  ASSERT_EQ(list.Count(), 2);  // the unnamed ordinal is left out
  EXPECT_EQ(list.TextAt(0), "User Defined");
  EXPECT_EQ(list.SelectedIndex(), 1);
  list.SetSelectedIndex(0);
  EXPECT_EQ(Set(sample, vnShape, &list, vtList).Code, acOk);
  EXPECT_EQ(sample.Shape, 0);
  list.SetSelectedIndex(-1);
  EXPECT_EQ(Set(sample, vnShape, &list, vtList).Code, acInvalidValue);
}

TEST(ItemAccess, ReportsUnknownItemsAndVectorComponents)
{
  TSample sample;
  sample.AfterConstruction();
  TAccessStatus status;
  TVariant value;
  sample.GetValue(999, 0, status, value, vtReal);
  EXPECT_EQ(status.Code, acUnrecognised);
  EXPECT_EQ(status.Text(), "Unrecognised variable");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(sample.GetReal(vnPosition + i), i + 1.0);
  sample.GetValue(vnPosition + 3, 0, status, value, vtReal);
  EXPECT_EQ(status.Code, acUnrecognised);
  EXPECT_EQ(Set(sample, vnPosition + 2, 9.5).Code, acOk);
  EXPECT_EQ(sample.Position[2], 9.5);
}

TEST(ItemAccess, ReadOnlyItemsReadWithStatus3AndRefuseChanges)
{
  TSample sample;
  sample.AfterConstruction();
  sample.LockPercent = true;
  TAccessStatus status;
  TVariant value;
  sample.GetValue(vnPercent, 0, status, value, vtReal);
  EXPECT_EQ(status.Code, acReadOnly);
  EXPECT_EQ(value.ToReal(), 1.0);
  status = Set(sample, vnPercent, 5.0);
  EXPECT_EQ(status.Code, acChangeNotAllowed);
  EXPECT_EQ(status.Text(), "Change not allowed");
  EXPECT_EQ(sample.Reals[2], 1.0);
}

TEST(ItemAccess, NestedAccessFromAHookKeepsTheOuterState)
{
  TSample sample;
  sample.AfterConstruction();
  EXPECT_EQ(sample.CurrentVarNum(), -1);
  EXPECT_EQ(Set(sample, vnLabel, "changed", vtText).Code, acOk);
  EXPECT_EQ(sample.Label, "changed");
  EXPECT_EQ(sample.CurrentVarNumSeenAfterNestedRead, vnLabel);
  EXPECT_EQ(sample.CurrentVarNum(), -1);
}

// Hands 500..509 to a child as 600..609; the child hands 600 on to a
// grandchild as its item 10. The caller's descriptor (for 500) applies.
class TRelay : public TDataObject {
 public:
  TRelay(TNamedObject* owner, TDataObject* next, int from, int to, int delta)
      : TDataObject(owner), Next(next), From(from), To(to), Delta(delta)
  {
  }
  TDataObject* Next;
  int From, To, Delta;
  int Hops = 0;
  const TVarList* GetVarList() const override
  {
    static const TVarList vars = [] {
      TVarList v;
      v.AddRanged(500, vtReal, 0.0, 10.0);
      return v;
    }();
    return &vars;
  }

 protected:
  void Redirect(TDataObject*& target, int& varNum, int& index) override
  {
    if (varNum < From || varNum > To) return;
    ++Hops;
    target = Next;
    varNum += Delta;
    index = 0;
  }
};

TEST(ItemAccess, RedirectChainsAreFollowedUntilTheyStopChanging)
{
  TSample grandchild;
  grandchild.AfterConstruction();
  TRelay child(nullptr, &grandchild, 600, 609, 10 - 600);
  child.AfterConstruction();
  TRelay parent(nullptr, &child, 500, 509, 100);
  parent.AfterConstruction();

  EXPECT_EQ(parent.GetReal(500), 1.0);
  EXPECT_EQ(Set(parent, 500, 11.0).Message, "Must be in the range 0 to 10");
  EXPECT_EQ(Set(parent, 500, 7.0).Code, acOk);
  EXPECT_EQ(grandchild.Reals[0], 7.0);
  EXPECT_GT(parent.Hops, 0);
  TAccessStatus status;
  TVariant value;
  TRelay dangling(nullptr, nullptr, 500, 509, 0);
  dangling.AfterConstruction();
  dangling.GetValue(505, 0, status, value, vtReal);
  EXPECT_EQ(status.Code, acNotApplicable);
}

}  // namespace
}  // namespace umbrinex
