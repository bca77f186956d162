#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bend/Bend.h"
#include "formdata/Captions.h"
#include "formdata/FormText.h"
#include "formdata/ReferenceFont.h"

namespace umbrinex::testing {
namespace {

TEST(ReferenceFont, MeasuresAsTheToolkitMeasuresItsFormFont)
{
  // What the toolkit reports for these texts in the form font: pair
  // kerning makes the whole narrower than the sum of its characters.
  EXPECT_DOUBLE_EQ(ReferenceFont::Advance("Active length (m):"), 6911 / 64.0);
  EXPECT_EQ(ReferenceFont::LabelWidth("Active length (m):"), 108);
  EXPECT_EQ(ReferenceFont::LabelWidth("Active &length (m):"), 118);
  EXPECT_EQ(ReferenceFont::LabelWidth(" "), 4);
  EXPECT_EQ(ReferenceFont::RoundedAdvance("XXXXXXXXXX"), 82);
  EXPECT_DOUBLE_EQ(ReferenceFont::Advance("0123456789") / 10.0, ReferenceFont::DigitWidth);
  EXPECT_EQ(ReferenceFont::Advance(""), 0.0);
}

TEST(ReferenceFont, ReadsEveryTextWhateverItsBytes)
{
  // "é" as UTF-8 is one character, of the width of its Latin-1 glyph.
  EXPECT_DOUBLE_EQ(ReferenceFont::Advance("\xC3\xA9"), ReferenceFont::Advance("e"));
  EXPECT_DOUBLE_EQ(ReferenceFont::Advance("\xC3\xA9t\xC3\xA9"), ReferenceFont::Advance("ete"));
  // Broken sequences and characters beyond the table still measure.
  for (const char* text : {"\xC3", "\xE2\x82", "\xF0\x9F\x98\x80", "\xFF\xFE", "\x80 \xBF"})
    EXPECT_GT(ReferenceFont::Advance(text), 0.0) << text;
  EXPECT_DOUBLE_EQ(ReferenceFont::Advance("\xE2\x82\xAC"), ReferenceFont::AverageCharWidth);
}

TEST(Captions, AcceleratorMarksGoAndADoubledMarkStays)
{
  EXPECT_EQ(StripAccelerators("&Number of &Materials:"), "Number of Materials:");
  EXPECT_EQ(StripAccelerators("Tessan && Co"), "Tessan & Co");
  EXPECT_EQ(StripAccelerators("end&"), "end");
  EXPECT_EQ(StripAccelerators(""), "");
}

class FormText : public ::testing::Test {
 protected:
  std::unique_ptr<TBend> Bend = New<TBend>();
  TFormDescription Form;

  std::vector<std::string> Lines()
  {
    TFormText text(Form, *Bend);
    std::vector<std::string> lines;
    text.Write(lines);
    return lines;
  }
};

TEST_F(FormText, ALabelAndItsFieldShareALineAndFarRowsCloseUp)
{
  const int project = Form.Label("&Project:", 16, 16);
  Form.Name(project, Form.Edit(vnProject, 64, 16, 385, 21));
  const int client = Form.Label("C&lient:", 16, 200);
  Form.Name(client, Form.Edit(vnClient, 64, 200, 385, 21));
  // The second row follows the first edit (23 pixels high) after a line
  // gap of 14: 37 pixels down, the fourth line.
  EXPECT_EQ(Lines(),
            (std::vector<std::string>{"Project:   Umbrinex Design Example", "", "", "Client:    Tessan Ltd", ""}));
}

TEST_F(FormText, TheTextGoesToTheColumnAndLineOfItsPlace)
{
  // 15 columns to 82 pixels, a line to 14: a cell 100 reference pixels to
  // the right of the label (120 pixels) starts 22 columns further on.
  const int label = Form.Label("Length:", 0, 0);
  Form.Name(label, Form.Cell(vnActiveLength, 100, 0, 73, 18));
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("Length:", 0), 0u);
  EXPECT_EQ(lines[0].find("2.000"), 22u + 8u) << lines[0];
}

TEST_F(FormText, HiddenControlsLabelsWithoutAFieldAndEmptyTablesAreLeftOut)
{
  const int hidden = Form.Edit(vnProject, 0, 0, 100, 21);
  Form[hidden].Hidden = true;
  Form.Label("Alone:", 0, 40);
  const int circlesLabel = Form.Label("Circles:", 0, 80);
  const int count = Form.Counter(vnNumberOfCircles, 100, 80, 53, 18);
  const int circles = Form.Table(0, 100, 217, 86, 2, 5);
  Form.AddColumn(circles, vnCircleX, vtReal, "", "x (LL)", 8, 10, 2);
  Form[circles].Counter = count;
  Form.Name(circlesLabel, circles);
  const int never = Form.Edit(vnClient, 0, 300, 100, 21);
  Form[never].NeverOutput = true;
  // The counter of no circles still shows its count.
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].find("Alone"), std::string::npos);
  EXPECT_EQ(lines[0].find("Circles"), std::string::npos);
  EXPECT_NE(lines[0].find('0'), std::string::npos) << lines[0];
}

TEST_F(FormText, APanelShowsWhileItsConditionHolds)
{
  const int powerLaw = Form.Panel(16, 80, 337, 209);
  Form[powerLaw].ShownWhen = {vnStiffenerDefinition, sdPowerLaw};
  const int lengthLabel = Form.Label("Active &length (%LL%):", 0, 16, powerLaw);
  Form.Name(lengthLabel, Form.Cell(vnActiveLength, 0, 32, 73, 18, powerLaw));
  const int userDefined = Form.Panel(16, 80, 329, 209);
  Form[userDefined].ShownWhen = {vnStiffenerDefinition, sdUserDefined};
  const int countLabel = Form.Label("Number of &points:", 0, 8, userDefined);
  Form.Name(countLabel, Form.Counter(vnNumberOfPoints, 92, 4, 61, 18, userDefined));

  std::vector<std::string> lines = Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "Active length (m):");
  Bend->SetInteger(vnStiffenerDefinition, 0, sdUserDefined);
  lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("Number of points:", 0), 0u) << lines[0];
}

TEST_F(FormText, AGroupBoxOpensIntoItsHeadingAndItsContents)
{
  const int box = Form.GroupBox("Design Chart ranges", 184, 16, 233, 177);
  const int label = Form.PlainLabel("L&ength factors:", 16, 16, box);
  const int grid = Form.Table(16, 32, 201, 52, 2, 3, box);
  Form.GridOf(grid).ScrollBars = ssNone;
  Form.AddColumn(grid, vnLengthFactorMin, vtReal, "Minimum", "Factor", 7, 10, 2);
  Form.Name(label, grid);
  const std::vector<std::string> lines = Lines();
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], "Design Chart ranges");
  EXPECT_EQ(lines[1], "");
  // Indented by the label's place in the box: 19 pixels, three columns.
  EXPECT_EQ(lines[2].find("Length factors:"), 3u) << lines[2];
}

TEST_F(FormText, AFormWrittenPerStateWritesEachPassWithItsCaptions)
{
  const int heading = Form.Label("Properties of '%21047%'", 0, 0);
  Form[heading].OutputCaption = "Properties of %21047%";
  Form[heading].FirstStateOnly = true;
  const int state = Form.Label(" ", 0, 30);
  Form[state].OutputCaption = "State {state}:";
  Form.Name(state, Form.Cell(vnLinearE, 0, 50, 79, 18));
  std::vector<int> states;
  Form.Passes = [&](TDataObject&, const std::function<void(int)>& pass) {
    for (int s = 0; s < 2; ++s) {
      states.push_back(s);
      pass(s);
    }
  };
  const std::vector<std::string> lines = Lines();
  EXPECT_EQ(states, (std::vector<int>{0, 1}));
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[0], "Properties of Material 1");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Properties of Material 1"), 1);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "State 1:"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "State 2:"), lines.end());
}

TEST_F(FormText, AListWithoutASelectionIsLeftOutAndOneWithShowsItsEntry)
{
  const int label = Form.Label("&Definition:", 16, 16);
  Form.Name(label, Form.DropDownList(vnStiffenerDefinition, 16, 32, 153, 21));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Definition:", "Stiffness Power Law", ""}));
  Form[1].VarNum = vnProject;  // a text item offers no list
  EXPECT_EQ(Lines(), std::vector<std::string>{""});
}

}  // namespace
}  // namespace umbrinex::testing
