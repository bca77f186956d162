#include <gtest/gtest.h>

#include "framework/data/Messages.h"

namespace umbrinex {
namespace {

TEST(MessageRecorder, KeepsEveryTextAnswersAsToldAndGivesThePresenterBack)
{
  const TMessageRecorder outer(maYes);
  {
    const TMessageRecorder inner(maNo);
    ShowInformation("first", false, true);
    EXPECT_FALSE(AskQuestion("second?", false, true));
    EXPECT_EQ(inner.Texts(), (std::vector<std::string>{"first", "second?"}));
  }
  EXPECT_TRUE(AskQuestion("third?", false, true));
  EXPECT_EQ(outer.Texts(), std::vector<std::string>{"third?"});
}

}  // namespace
}  // namespace umbrinex
