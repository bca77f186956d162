// Every help topic that F1 can ask for on the eight data forms has its entry
// in the manual's HTML page: an anchor "topic-N" on a block with text.

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "bend/Bend.h"
#include "presentation/DataForms.h"
#include "presentation/HelpContexts.h"

namespace umbrinex::testing {
namespace {

// A bound item's topic is its descriptor's, else the control's own.
int TopicOf(int varNum, int own)
{
  if (const TVar* descriptor = TBend::Vars().TryFind(varNum); descriptor && descriptor->HelpContext > 0)
    return descriptor->HelpContext;
  return own;
}

// Each topic with where it is used, for the message.
std::map<int, std::string> TopicsOfTheForms()
{
  std::map<int, std::string> topics;
  for (int position = 0; position < DataFormCount; ++position) {
    const TFormDescription& form = DataFormDescription(position);
    topics.emplace(form.HelpContext, form.Caption);
    for (const TControlDescription& control : form.Controls) {
      if (control.VarNum != 0)
        topics.emplace(TopicOf(control.VarNum, 0), form.Caption + ", item " + std::to_string(control.VarNum));
      for (const TColumn& column : control.Grid.Columns)
        if (column.VarNum != 0 || column.HelpContext != 0)
          topics.emplace(TopicOf(column.VarNum, column.HelpContext),
                         form.Caption + ", column of item " + std::to_string(column.VarNum));
    }
  }
  topics.erase(0);
  return topics;
}

std::string ManualPage()
{
  std::ifstream file(UMBRINEX_MANUAL_HTML, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The text of the block that holds the anchor, without its markup.
std::string EntryText(const std::string& page, const std::string& anchor)
{
  const std::size_t at = page.find("name=\"" + anchor + "\"");
  if (at == std::string::npos) return {};
  const std::size_t end = std::min(page.find("</p>", at), page.find("</h", at));
  if (end == std::string::npos) return {};
  std::string text = std::regex_replace(page.substr(at, end - at), std::regex("<[^>]*>|^[^>]*>"), "");
  return std::regex_replace(text, std::regex("^\\s+|\\s+$"), "");
}

TEST(HelpTopics, TheFormsAskForTheItemsTopicsAndTheirOwn)
{
  const std::map<int, std::string> topics = TopicsOfTheForms();
  for (const int form : {hcProjectData, hcCableData, hcStiffenerData, hcMaterialsData, hcLoadCaseData,
                         hcAnalysisData, hcDrawingData, hcMouldData})
    EXPECT_TRUE(topics.contains(form)) << form;
  EXPECT_TRUE(topics.contains(vnActiveLength)) << "the length field asks for the length's entry";
  EXPECT_TRUE(topics.contains(vnLoadCaseTension)) << "a table column asks for its item's entry";
  EXPECT_GT(topics.size(), 50u);
}

TEST(HelpTopics, EveryTopicOfTheFormsHasAnEntryInTheManualPage)
{
  const std::string page = ManualPage();
  ASSERT_FALSE(page.empty()) << "cannot read " << UMBRINEX_MANUAL_HTML;
  std::ostringstream missing;
  for (const auto& [topic, where] : TopicsOfTheForms()) {
    const std::string anchor = "topic-" + std::to_string(topic);
    if (page.find("name=\"" + anchor + "\"") == std::string::npos)
      missing << "\n  " << anchor << " (" << where << "): no anchor";
    else if (EntryText(page, anchor).size() < 3)
      missing << "\n  " << anchor << " (" << where << "): no text";
  }
  EXPECT_TRUE(missing.str().empty()) << "topics without an entry:" << missing.str();
}

TEST(HelpTopics, TheMarkersStayOutOfThePage)
{
  const std::string page = ManualPage();
  EXPECT_EQ(page.find("{#topic-"), std::string::npos);
  EXPECT_NE(page.find("name=\"section-1\""), std::string::npos) << "headings are anchors for the contents";
}

}  // namespace
}  // namespace umbrinex::testing
