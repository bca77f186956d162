#include <gtest/gtest.h>

#include <stdexcept>

#include "KitTestSupport.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/KitErrors.h"

namespace umbrinex {
namespace {

using namespace umbrinex::testing;

class ErrorHandler : public TKitTest {};

TEST_F(ErrorHandler, AddsAFullStopOnlyAfterACharacterThatSortsAfterIt)
{
  EXPECT_EQ(ErrorMessageText("Value out of range"), "Value out of range.");
  EXPECT_EQ(ErrorMessageText("Too many points: 12"), "Too many points: 12.");
  EXPECT_EQ(ErrorMessageText("Already done."), "Already done.");
  EXPECT_EQ(ErrorMessageText("Stop!"), "Stop!");
  EXPECT_EQ(ErrorMessageText("(see above)"), "(see above)");
  EXPECT_EQ(ErrorMessageText(""), "");
}

TEST_F(ErrorHandler, LogsOnlyUnexpectedErrorsAndIgnoresTheSilentAbort)
{
  std::vector<std::string> log;
  TErrorLog previous = SetUnexpectedErrorLog([&](const std::string& text) { log.push_back(text); });
  Guarded([] { throw ECommandLineSwitchError("Bad switch"); });
  Guarded([] { throw std::out_of_range("index 7"); });
  Guarded([] { throw ESilentAbort(); });
  Guarded([] { throw EExpected("error in the data"); });
  SetUnexpectedErrorLog(previous);
  EXPECT_EQ(Messages.Texts(),
            (std::vector<std::string>{"ERROR.  Bad switch.", "ERROR.  index 7.", "error in the data."}));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].find("index 7"), std::string::npos);
}

TEST_F(ErrorHandler, UnexpectedErrorsAreLoggedByTheirMessageAndNeverByAMangledTypeName)
{
  std::vector<std::string> log;
  TErrorLog previous = SetUnexpectedErrorLog([&](const std::string& text) { log.push_back(text); });
  Guarded([] { throw EUmbrinexError("Active length (item 21021) is -1.  Must be positive."); });
  Guarded([] { throw std::out_of_range("index 7"); });
  SetUnexpectedErrorLog({});
  ::testing::internal::CaptureStderr();
  Guarded([] { throw EUmbrinexError("Root diameter (item 21022) is 0."); });
  const std::string errors = ::testing::internal::GetCapturedStderr();
  SetUnexpectedErrorLog(previous);
  EXPECT_EQ(log, (std::vector<std::string>{"Active length (item 21021) is -1.  Must be positive.",
                                           "std::out_of_range: index 7"}));
  EXPECT_EQ(errors, "Unexpected error: Root diameter (item 21022) is 0.\n");
  EXPECT_EQ(Messages.Texts().front(), "ERROR.  Active length (item 21021) is -1.  Must be positive.");
}

}  // namespace
}  // namespace umbrinex
