#include "framework/data/Progress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace umbrinex {
namespace {

class TRecordingOwner : public IProgressOwner {
 public:
  std::vector<std::string> Events;
  void ProgressStarted() override { Events.push_back("started"); }
  void ProgressChanged(int percent) override { Events.push_back(std::to_string(percent) + "%"); }
  void ProgressTextChanged(const std::string& text) override { Events.push_back("text " + text); }
  void ProgressStopped() override { Events.push_back("stopped"); }
};

// The display is program-wide: every test leaves it stopped and unhooked.
class ProgressTest : public ::testing::Test {
 protected:
  void TearDown() override
  {
    if (Progress().Active()) Progress().Stop();
    SetProcessPendingEvents(nullptr);
    SetDefaultProgressOwner(nullptr);
  }

  TRecordingOwner owner;
};

TEST(MulDivTest, RoundsHalvesAwayFromZeroAndFailsAsMinusOne)
{
  EXPECT_EQ(MulDiv(2, 100, 3), 67);
  EXPECT_EQ(MulDiv(1, 1, 2), 1);
  EXPECT_EQ(MulDiv(3, 5, -2), -8);
  EXPECT_EQ(MulDiv(1 << 30, 8, 4), -1);
  EXPECT_EQ(MulDiv(5, 5, 0), -1);
}

TEST_F(ProgressTest, ThreeStagesShareTheRangeAtTheRoundedThirdsAndCountersAreClamped)
{
  Progress().SetStageCount(3);
  Progress().SetMaxCounter(10);
  Progress().Start(&owner);
  Progress().Update(99);
  EXPECT_EQ(Progress().Percent(), 33);
  Progress().NextStage();
  Progress().Update(5);
  EXPECT_EQ(Progress().Percent(), 33 + 17);
  Progress().Update(-1);
  EXPECT_EQ(Progress().Percent(), 33);
  Progress().NextStage();
  EXPECT_EQ(Progress().Percent(), 67);
  Progress().NextStage();
  Progress().Update(10);
  EXPECT_EQ(Progress().Percent(), 100) << "there is no stage beyond the last";
}

TEST_F(ProgressTest, TheDefaultOwnerHearsOfTheRunAndOnlyOfChangedPercentages)
{
  SetDefaultProgressOwner(&owner);
  Progress().SetStageText("Building Table");
  Progress().SetMaxCounter(1000);
  Progress().Start();
  for (int i = 0; i <= 20; ++i) Progress().Update(i);
  Progress().SetStageText("Writing");
  Progress().Stop();
  const std::vector<std::string> expected = {"started", "text Building Table", "0%",     "1%",
                                             "2%",      "text Writing",        "stopped"};
  EXPECT_EQ(owner.Events, expected);
  EXPECT_EQ(Progress().StageText(), "") << "the next run starts from the defaults";
}

TEST_F(ProgressTest, MisuseRaisesTheProgressErrors)
{
  auto errorOf = [](void (*misuse)()) -> std::string {
    try {
      misuse();
    } catch (const EProgressError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(errorOf([] { Progress().Stop(); }), "Progress error: Progress must be started before it can be stopped.");
  EXPECT_EQ(errorOf([] { Progress().Update(1); }),
            "Progress error: Progress must be started before it can be updated.");
  EXPECT_EQ(errorOf([] { Progress().SetMaxCounter(0); }), "Progress error: MaxCounter must be positive.");
  Progress().Start();
  EXPECT_EQ(errorOf([] { Progress().Start(); }), "Progress error: Cannot Start progress when already active.");
  EXPECT_EQ(errorOf([] { Progress().SetStageCount(2); }),
            "Progress error: Cannot set StageCount when progress active.");
}

TEST_F(ProgressTest, CancellingRaisesTheSilentAbortAfterPendingEventsAndStopsTheRun)
{
  Progress().RequestCancel();  // no run: nothing to cancel
  int processed = 0;
  SetProcessPendingEvents([&] { ++processed; });
  Progress().Check();
  Progress().Start(&owner);
  Progress().Update(1);
  EXPECT_EQ(processed, 2);

  // Escape arrives while the events are processed.
  SetProcessPendingEvents([] { Progress().RequestCancel(); });
  EXPECT_THROW(Progress().Update(2), ESilentAbort);
  EXPECT_FALSE(Progress().Active());
  EXPECT_EQ(owner.Events.back(), "stopped");

  Progress().Start(&owner);
  EXPECT_THROW(Progress().Check(), ESilentAbort);
  EXPECT_FALSE(Progress().Active());
}

TEST_F(ProgressTest, TheGuardStopsARunOnlyWhenItsScopeIsLeftByAnException)
{
  try {
    TProgressGuard guard;
    Progress().Start(&owner);
    throw EUmbrinexError("solve failed");
  } catch (const EUmbrinexError&) {
  }
  EXPECT_FALSE(Progress().Active());
  {
    TProgressGuard guard;
    Progress().Start(&owner);
  }
  EXPECT_TRUE(Progress().Active());
}

}  // namespace
}  // namespace umbrinex
