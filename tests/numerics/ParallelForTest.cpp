#include "numerics/ParallelFor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace umbrinex {
namespace {

struct TItemFailure : std::runtime_error {
  explicit TItemFailure(int item) : std::runtime_error("item " + std::to_string(item)), Item(item) {}
  int Item;
};

struct TCancelled {};

class ParallelForRuns : public ::testing::TestWithParam<int> {};

TEST_P(ParallelForRuns, EveryItemRunsOnceOnAKnownWorkerAndThePollsCountUpToTheEnd)
{
  const int threads = GetParam();
  for (const int count : {0, 1, 7, 300}) {
    std::vector<std::atomic<int>> runs(static_cast<std::size_t>(count));
    std::vector<int> workers(static_cast<std::size_t>(count), -1);
    std::vector<int> polls;
    ParallelFor(
        count, threads,
        [&](int item, int worker) {
          ++runs[static_cast<std::size_t>(item)];
          workers[static_cast<std::size_t>(item)] = worker;
        },
        [&](int finished) {
          // Whatever the poll is told has finished must have finished.
          for (int item = 0; item < finished; ++item) ASSERT_EQ(runs[static_cast<std::size_t>(item)], 1);
          polls.push_back(finished);
        });
    for (int item = 0; item < count; ++item) {
      EXPECT_EQ(runs[static_cast<std::size_t>(item)], 1) << item;
      EXPECT_GE(workers[static_cast<std::size_t>(item)], 0);
      EXPECT_LT(workers[static_cast<std::size_t>(item)], threads);
    }
    ASSERT_FALSE(polls.empty());
    EXPECT_EQ(polls.front(), 0) << "a first poll before any item";
    EXPECT_EQ(polls.back(), count);
    for (std::size_t k = 1; k < polls.size(); ++k) EXPECT_LE(polls[k - 1], polls[k]);
    if (threads == 1) {
      EXPECT_EQ(polls.size(), static_cast<std::size_t>(count) + 1) << "one poll per item";
    }
  }
}

TEST_P(ParallelForRuns, TheFirstFailedItemsErrorComesOutAfterEveryItemBeforeIt)
{
  const int threads = GetParam();
  std::vector<std::atomic<int>> runs(200);
  int lastPoll = -1;
  try {
    ParallelFor(
        200, threads,
        [&](int item, int) {
          ++runs[static_cast<std::size_t>(item)];
          if (item == 150 || item == 60) throw TItemFailure(item);
        },
        [&](int finished) { lastPoll = finished; });
    FAIL() << "the failure must propagate";
  } catch (const TItemFailure& failure) {
    EXPECT_EQ(failure.Item, 60);
  }
  for (int item = 0; item <= 60; ++item) EXPECT_EQ(runs[static_cast<std::size_t>(item)], 1) << item;
  EXPECT_EQ(lastPoll, 60) << "the items before the failure are polled as done";
}

TEST_P(ParallelForRuns, ACancellingPollStopsTheRunAndNoThreadOutlivesIt)
{
  const int threads = GetParam();
  std::atomic<int> running{0};
  std::atomic<int> started{0};
  EXPECT_THROW(ParallelFor(
                   100000, threads,
                   [&](int, int) {
                     ++running;
                     ++started;
                     std::this_thread::sleep_for(std::chrono::microseconds(20));
                     --running;
                   },
                   [&](int finished) {
                     if (finished >= 10) throw TCancelled();
                   }),
               TCancelled);
  EXPECT_EQ(running, 0);
  const int afterReturn = started;
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(started, afterReturn) << "nothing starts after the call has returned";
  EXPECT_LT(afterReturn, 100000);
}

INSTANTIATE_TEST_SUITE_P(Threads, ParallelForRuns, ::testing::Values(1, 2, 5));

TEST(CalculationThreads, TheSettingWinsThenAValidEnvironmentValueThenTheCores)
{
  const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  SetCalculationThreads(0);
  struct TCase {
    const char* Text;
    int Expected;
  };
  const TCase cases[] = {{"3", 3},      {"1", 1},    {"256", 256},   {"0", cores},   {"-2", cores},
                         {"3x", cores}, {"", cores}, {"abc", cores}, {"257", cores}, {"99999999999", cores}};
  for (const TCase& c : cases) {
    ::setenv("UMBRINEX_THREADS", c.Text, 1);
    EXPECT_EQ(CalculationThreads(), c.Expected) << "'" << c.Text << "'";
  }
  ::setenv("UMBRINEX_THREADS", "3", 1);
  SetCalculationThreads(2);
  EXPECT_EQ(CalculationThreads(), 2);
  SetCalculationThreads(0);
  EXPECT_EQ(CalculationThreads(), 3);
  ::unsetenv("UMBRINEX_THREADS");
  EXPECT_EQ(CalculationThreads(), cores);
}

TEST(CalculationThreads, OnlyAValueSetButNotUsableIsWarnedOf)
{
  ::unsetenv("UMBRINEX_THREADS");
  EXPECT_EQ(ThreadsEnvironmentWarning(), "");
  ::setenv("UMBRINEX_THREADS", "4", 1);
  EXPECT_EQ(ThreadsEnvironmentWarning(), "");
  for (const char* bad : {"abc", "0", "257", ""}) {
    ::setenv("UMBRINEX_THREADS", bad, 1);
    const std::string warning = ThreadsEnvironmentWarning();
    EXPECT_NE(warning.find(std::string("UMBRINEX_THREADS=\"") + bad + "\" is not a number of threads from 1 to 256"),
              std::string::npos)
        << warning;
    EXPECT_NE(warning.find("the long calculations use the default"), std::string::npos) << warning;
  }
  ::unsetenv("UMBRINEX_THREADS");
}

}  // namespace
}  // namespace umbrinex
