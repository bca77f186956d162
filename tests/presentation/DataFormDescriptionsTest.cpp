// The eight forms' descriptions hold together: every control is bound to an
// item the design answers, names what exists, and lies on its form.

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "bend/Bend.h"
#include "framework/data/VarList.h"
#include "presentation/DataForms.h"

namespace umbrinex::testing {
namespace {

bool IsContainer(const TControlDescription& control)
{
  return control.Kind == TControlKind::Panel || control.Kind == TControlKind::GroupBox;
}

TEST(DataFormDescriptions, EveryBoundControlNamesAnItemOfTheDesign)
{
  const TVarList& vars = TBend::Vars();
  // The units of the project form are the model's own items.
  const std::set<int> modelItems = {2, 3, 5};
  for (int position = 0; position < DataFormCount; ++position) {
    const TFormDescription& form = DataFormDescription(position);
    for (const TControlDescription& control : form.Controls) {
      std::vector<int> bound;
      if (control.Kind == TControlKind::Edit || control.Kind == TControlKind::DropDownList)
        bound.push_back(control.VarNum);
      for (const TColumn& column : control.Grid.Columns)
        if (!column.IsIndex() && column.VarType != vtSpin) bound.push_back(column.VarNum);
      for (const int varNum : bound)
        EXPECT_TRUE(vars.TryFind(varNum) || modelItems.count(varNum)) << form.Caption << ": item " << varNum;
    }
  }
}

TEST(DataFormDescriptions, LabelsCountersAndContainersNameControlsThatExist)
{
  for (int position = 0; position < DataFormCount; ++position) {
    const TFormDescription& form = DataFormDescription(position);
    const int count = static_cast<int>(form.Controls.size());
    std::set<std::string> names;
    for (int i = 0; i < count; ++i) {
      const TControlDescription& control = form[i];
      const std::string where = form.Caption + ", control " + std::to_string(i);
      if (!control.Name.empty()) {
        EXPECT_TRUE(names.insert(control.Name).second) << where << " " << control.Name;
      }
      // A container is made before what it holds.
      if (control.Parent >= 0) {
        ASSERT_LT(control.Parent, i) << where;
        EXPECT_TRUE(IsContainer(form[control.Parent])) << where;
      }
      if (control.Buddy >= 0) {
        ASSERT_LT(control.Buddy, count) << where;
        EXPECT_TRUE(control.Kind == TControlKind::Label || control.Kind == TControlKind::PlainLabel) << where;
      }
      if (control.Counter >= 0) {
        ASSERT_LT(control.Counter, count) << where;
        EXPECT_EQ(form[control.Counter].Kind, TControlKind::Grid) << where;
        EXPECT_EQ(control.Kind, TControlKind::Grid) << where;
      }
      // A label that is written out names the field it belongs to.
      if (control.Kind == TControlKind::Label && !control.NeverOutput && !control.FirstStateOnly) {
        EXPECT_GE(control.Buddy, 0) << where << " " << control.Caption;
      }
    }
  }
}

TEST(DataFormDescriptions, EveryControlLiesInsideItsContainerOrItsForm)
{
  for (int position = 0; position < DataFormCount; ++position) {
    const TFormDescription& form = DataFormDescription(position);
    for (int i = 0; i < static_cast<int>(form.Controls.size()); ++i) {
      const TControlDescription& control = form[i];
      if (control.Width < 0) continue;  // sized by its caption
      const int width = control.Parent >= 0 ? form[control.Parent].Width : form.Width;
      const int height = control.Parent >= 0 ? form[control.Parent].Height : form.Height;
      const std::string where = form.Caption + ", control " + std::to_string(i);
      EXPECT_GE(control.Left, 0) << where;
      EXPECT_GE(control.Top, 0) << where;
      EXPECT_LE(control.Left + control.Width, width) << where;
      EXPECT_LE(control.Top + control.Height, height) << where;
    }
    // OK, Cancel and Next (three buttons 40 apart, 25 high) stand to the
    // right of every control beside them.
    const int buttonsBottom = form.ButtonsTop + 2 * 40 + 25;
    for (const TControlDescription& control : form.Controls)
      if (control.Parent < 0 && control.Width >= 0 && control.Top < buttonsBottom) {
        EXPECT_LE(control.Left + control.Width, form.ButtonsLeft) << form.Caption;
      }
  }
}

TEST(DataFormDescriptions, EachFormIsTheOneOfItsObjectInTheDataTree)
{
  auto bend = New<TBend>();
  const std::vector<TModelObject*> objects = DataObjectSequence(*bend);
  ASSERT_EQ(objects.size(), static_cast<std::size_t>(DataFormCount));
  const char* captions[] = {"Project Data",  "Cable Data",    "Bend Stiffener Data", "Materials Data",
                            "Load Case Data", "Analysis Data", "Drawing Data",        "Mould Data"};
  for (int position = 0; position < DataFormCount; ++position) {
    EXPECT_EQ(DataFormPosition(*bend, *objects[static_cast<std::size_t>(position)]), position);
    EXPECT_EQ(DataFormDescription(position).Caption, captions[position]);
  }
  EXPECT_FALSE(DataFormPosition(*bend, *bend));
  EXPECT_THROW(DataFormDescription(DataFormCount), std::out_of_range);
}

}  // namespace
}  // namespace umbrinex::testing
