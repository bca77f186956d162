#include <gtest/gtest.h>

#include "FormsTestSupport.h"
#include "framework/data/Model.h"
#include "desktop/forms/DataForm.h"
#include "framework/data/TaggedFileInterface.h"

namespace umbrinex::testing {
namespace {

// An object that cannot be written, so no copy of it can be kept.
class TUnwritableObject : public TModelObject {
 public:
  using TModelObject::TModelObject;
  void WriteData(ITaggedFile& /*file*/) override { throw EUmbrinexError("disk full"); }
};

TEST_F(TFormsTest, ACopyThatCannotBeMadeOrPutBackIsReportedWhenSomeoneListens)
{
  std::vector<std::string> reported;
  SetCopyProblemReporter([&](const std::string& message) { reported.push_back(message); });
  auto object = New<TUnwritableObject>(nullptr);
  {
    TTessanDataForm form(nullptr, true, *object);
    form.Open();
    EXPECT_EQ(reported, std::vector<std::string>{"Problem creating copy."});
    form.setResult(mrCancel);
  }
  EXPECT_EQ(reported, (std::vector<std::string>{"Problem creating copy.", "Problem restoring copy."}));

  // Nobody listening: the copy is given up without a word, and OK needs none.
  SetCopyProblemReporter({});
  reported.clear();
  {
    TTessanDataForm form(nullptr, true, *object);
    form.Open();
    form.setResult(mrOk);
  }
  EXPECT_TRUE(reported.empty());
}

}  // namespace
}  // namespace umbrinex::testing
