// The declarations of the bend items against what is made from them: the
// VarNums the program numbers its items with, the check of a loaded design,
// the defaults of a new design and of new rows, and what the model's storage
// says of each item when it is described or its units change.

#include "bend/BendItemTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "bend/Bend.h"
#include "framework/data/Units.h"
#include "numerics/ReservedDoubles.h"

namespace umbrinex {
namespace {

// The VarNums of the enumeration in BendVarNums.h, as its source states them.
std::vector<int> EnumeratedVarNums()
{
  std::ifstream in(std::string(UMBRINEX_SOURCE_DIR) + "/src/bend/BendVarNums.h");
  std::stringstream text;
  text << in.rdbuf();
  const std::string source = text.str();
  const auto begin = source.find("enum TBendVarNum");
  const auto end = source.find("};", begin);
  if (begin == std::string::npos || end == std::string::npos) return {};
  const std::string body = source.substr(begin, end - begin);
  const std::regex enumerator(R"(\bvn\w+\s*=\s*(\d+))");
  std::vector<int> varNums;
  for (auto it = std::sregex_iterator(body.begin(), body.end(), enumerator); it != std::sregex_iterator(); ++it)
    varNums.push_back(std::stoi((*it)[1].str()));
  return varNums;
}

bool IsInteger(TVarType type) { return type == vtInt || type == vtCard || type == vtLong; }

int Occurrences(const std::string& text, const std::string& part)
{
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(BendItemTable, EveryVarNumOfTheEnumerationIsDeclaredOnce)
{
  const std::vector<int> enumerated = EnumeratedVarNums();
  ASSERT_GT(enumerated.size(), 50u) << "the enumeration was not found in BendVarNums.h";
  std::map<int, int> declarations;
  for (const TBendItem& item : BendItems()) ++declarations[item.VarNum];
  for (const int varNum : enumerated) EXPECT_EQ(declarations[varNum], 1) << "item " << varNum;
  EXPECT_EQ(BendItems().size(), enumerated.size()) << "a declared item is missing from the enumeration";
  EXPECT_EQ(TBend::Vars().Count(), static_cast<int>(enumerated.size()));
}

TEST(BendItemTable, TheCheckHasACaptionForEveryValueItMustRefuse)
{
  for (const TBendItem& item : BendItems()) {
    // A NaN or out-of-range number comes in unnoticed from a damaged file
    // unless the check of a loaded design names it.
    if (item.Type == vtReal || (IsInteger(item.Type) && item.Range.Ranged)) {
      EXPECT_NE(item.Caption, nullptr) << "item " << item.VarNum << " is never checked";
    }
    if (item.Caption == nullptr) continue;
    const std::string caption = item.Caption;
    // The check reads a captioned item as a number.
    EXPECT_TRUE(item.Type == vtReal || IsInteger(item.Type)) << "item " << item.VarNum;
    // A row is named in every message of an item with rows, and only there.
    EXPECT_EQ(Occurrences(caption, "%d"), item.CountVarNum != 0 ? 1 : 0) << caption;
    EXPECT_EQ(Occurrences(caption, "%"), Occurrences(caption, "%d")) << caption;
  }
}

TEST(BendItemTable, DefaultsAreValuesTheirItemsAccept)
{
  for (const TBendItem& item : BendItems()) {
    // A field without a default would keep the previous design's value in a new one.
    if (item.Holder == TItemHolder::Field) {
      EXPECT_TRUE(item.Default.Given) << "item " << item.VarNum;
    }
    if (!item.Default.Given) continue;
    EXPECT_EQ(item.Default.Text != nullptr, item.Type == vtText) << "item " << item.VarNum;
    if (item.Choices != nullptr) {
      EXPECT_TRUE(item.Choices().IsValid(static_cast<int>(item.Default.Number))) << "item " << item.VarNum;
    } else if (item.Type == vtReal) {
      EXPECT_EQ(Validate(TBend::Vars().Find(item.VarNum), item.Default.Number, vtReal).Code, acValid)
          << "item " << item.VarNum;
    } else if (IsInteger(item.Type)) {
      const TVariant value(static_cast<std::int64_t>(item.Default.Number));
      EXPECT_EQ(Validate(TBend::Vars().Find(item.VarNum), value, vtLong).Code, acValid) << "item " << item.VarNum;
      EXPECT_EQ(static_cast<double>(static_cast<std::int64_t>(item.Default.Number)), item.Default.Number);
    }
  }
}

// A new design holds every declared default, and so does the first row of
// an empty table.
TEST(BendItemTable, NewDesignsAndNewRowsTakeTheDeclaredDefaults)
{
  auto bend = New<TBend>();
  for (const TBendItem& item : BendItems()) {
    if (!item.Default.Given || item.CountVarNum != 0) continue;
    if (item.Default.Text != nullptr) {
      EXPECT_EQ(bend->GetText(item.VarNum), item.Default.Text) << "item " << item.VarNum;
    } else if (item.Type == vtReal) {
      EXPECT_EQ(bend->GetReal(item.VarNum), item.Default.Number) << "item " << item.VarNum;
    } else {
      EXPECT_EQ(bend->GetInteger(item.VarNum), static_cast<std::int64_t>(item.Default.Number)) << "item " << item.VarNum;
    }
  }
  int checked = 0;
  for (TTable* table : {&bend->LoadCases(), &bend->Circles(), &bend->MouldDiameters()}) {
    table->Clear();
    table->SetRowCount(1);
    for (const TBendItem& item : BendItems()) {
      if (item.CountVarNum != table->CountVarNum()) continue;
      ASSERT_TRUE(item.Default.Given) << "item " << item.VarNum << " has no value for a new row";
      ++checked;
      if (item.Type == vtReal) {
        EXPECT_EQ(bend->GetReal(item.VarNum, 0), item.Default.Number) << "item " << item.VarNum;
      } else {
        EXPECT_EQ(bend->GetInteger(item.VarNum, 0), static_cast<std::int64_t>(item.Default.Number))
            << "item " << item.VarNum;
      }
    }
  }
  EXPECT_GE(checked, 8);
}

TEST(BendItemTable, ItemsAreDescribedAsDeclared)
{
  auto bend = New<TBend>();
  for (const TBendItem& item : BendItems()) {
    TItemInfo info;
    bend->DescribeItem(item.VarNum, info);
    EXPECT_EQ(info.Name, item.Name) << "item " << item.VarNum;
    EXPECT_EQ(info.Type, item.Type) << "item " << item.VarNum;
    EXPECT_EQ(info.Dimension, item.Dimension) << "item " << item.VarNum;
    EXPECT_EQ(info.CountVarNum, item.CountVarNum) << "item " << item.VarNum;
  }
}

// Whatever holds a value (a field, a table, a profile point, a material)
// converts it by its item's dimension when the units change.
TEST(BendItemTable, EveryValueFollowsAUnitsChangeByItsDeclaredDimension)
{
  auto bend = New<TBend>();
  TAccessStatus status;
  bend->SetValue(vnNumberOfCircles, 0, status, 1, vtInt);
  ASSERT_EQ(status.Code, acOk) << status.Text();
  ASSERT_EQ(bend->Units().System(), usSI);
  struct TValue {
    int VarNum, Row;
    double SI;
  };
  std::vector<TValue> values;
  for (const TBendItem& item : BendItems()) {
    if (item.Type != vtReal) continue;
    const int rows = item.CountVarNum == 0 ? 1 : static_cast<int>(bend->GetInteger(item.CountVarNum));
    for (int row = 0; row < rows; ++row) {
      const double si = bend->GetReal(item.VarNum, row);
      if (!IsSpecial(si) && si != 0.0) values.push_back({item.VarNum, row, si});
    }
  }
  ASSERT_GT(values.size(), 40u);
  bend->SetValue(bend->Units().BaseVarNum() + TUnits::uiSystem, 0, status, "US", vtText);
  ASSERT_EQ(status.Code, acOk) << status.Text();
  for (const TValue& v : values) {
    const double expected = bend->Units().FromSI(BendItem(v.VarNum).Dimension, v.SI);
    EXPECT_DOUBLE_EQ(bend->GetReal(v.VarNum, v.Row), expected) << "item " << v.VarNum << ":" << v.Row + 1;
  }
}

}  // namespace
}  // namespace umbrinex
