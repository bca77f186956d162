#include "numerics/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "numerics/Errors.h"

namespace umbrinex {

namespace {

constexpr int MaxThreads = 256;
constexpr const char* ThreadsVariable = "UMBRINEX_THREADS";

std::atomic<int> chosenThreads{0};

// The run a worker thread works for: what CheckParallelAbandoned looks at.
thread_local const std::atomic<bool>* workerAbandoned = nullptr;

// 0 when the variable is unset or holds no usable number.
int ThreadsFromEnvironment()
{
  const char* text = std::getenv(ThreadsVariable);
  if (text == nullptr) return 0;
  const char* end = text + std::strlen(text);
  int value = 0;
  const auto [last, error] = std::from_chars(text, end, value);
  if (error != std::errc() || last != end || value < 1 || value > MaxThreads) return 0;
  return value;
}

// Sets the worker's run for as long as the worker works.
class TWorkerScope {
 public:
  explicit TWorkerScope(const std::atomic<bool>& abandoned) { workerAbandoned = &abandoned; }
  ~TWorkerScope() { workerAbandoned = nullptr; }
  TWorkerScope(const TWorkerScope&) = delete;
  TWorkerScope& operator=(const TWorkerScope&) = delete;
};

// What the workers and the waiting thread share. Items are handed out in
// order from one counter, so when an item fails every earlier one has
// already started.
class TParallelRun {
 public:
  TParallelRun(int count, const TParallelWork& work) : FCount(count), FWork(work), FDone(count, 0), FStopAt(count) {}

  void Work(int worker)
  {
    const TWorkerScope scope(FAbandoned);
    for (;;) {
      const int item = FNext.fetch_add(1);
      if (item >= FStopAt.load()) break;
      try {
        FWork(item, worker);
      } catch (...) {
        Fail(item, std::current_exception());
        continue;
      }
      const std::lock_guard lock(FMutex);
      FDone[static_cast<std::size_t>(item)] = 1;
    }
    const std::lock_guard lock(FMutex);
    if (--FRunning == 0) FChanged.notify_one();
  }

  void WorkerStarted()
  {
    const std::lock_guard lock(FMutex);
    ++FRunning;
  }
  void WorkerNotStarted()
  {
    const std::lock_guard lock(FMutex);
    --FRunning;
  }

  // Waits up to the poll interval, or until every worker has gone; returns
  // the number of leading items done.
  int Wait(bool& allGone)
  {
    std::unique_lock lock(FMutex);
    FChanged.wait_for(lock, std::chrono::milliseconds(PollInterval), [this] { return FRunning == 0; });
    while (FFinished < FCount && FDone[static_cast<std::size_t>(FFinished)]) ++FFinished;
    allGone = FRunning == 0;
    return FFinished;
  }

  void Abandon()
  {
    FStopAt.store(0);
    FAbandoned.store(true);
  }

  void RethrowFailure() const
  {
    if (FFailure) std::rethrow_exception(FFailure);
  }

 private:
  void Fail(int item, std::exception_ptr failure)
  {
    const std::lock_guard lock(FMutex);
    if (FFailedItem < 0 || item < FFailedItem) {
      FFailedItem = item;
      FFailure = std::move(failure);
    }
    FStopAt.store(std::min(FStopAt.load(), item));
  }

  const int FCount;
  const TParallelWork& FWork;
  std::mutex FMutex;
  std::condition_variable FChanged;
  std::vector<char> FDone;
  int FFinished = 0;
  int FRunning = 0;
  int FFailedItem = -1;
  std::exception_ptr FFailure;
  std::atomic<int> FNext{0};
  std::atomic<int> FStopAt;
  // Set when the calling thread gives the run up; items that are running
  // see it through CheckParallelAbandoned.
  std::atomic<bool> FAbandoned{false};
};

// The worker threads of one run. Leaving the scope, by an exception too,
// starts no further item and waits for the running ones, so no thread
// outlives the objects it works on.
class TWorkers {
 public:
  TWorkers(TParallelRun& run, int threads) : FRun(run)
  {
    FThreads.reserve(static_cast<std::size_t>(threads));
    for (int worker = 0; worker < threads; ++worker) {
      FRun.WorkerStarted();
      try {
        FThreads.emplace_back([this, worker] { FRun.Work(worker); });
      } catch (const std::system_error&) {
        // No more threads to be had: those there are share the items.
        FRun.WorkerNotStarted();
        break;
      }
    }
  }
  ~TWorkers()
  {
    FRun.Abandon();
    for (std::thread& thread : FThreads) thread.join();
  }
  TWorkers(const TWorkers&) = delete;
  TWorkers& operator=(const TWorkers&) = delete;

  int Count() const { return static_cast<int>(FThreads.size()); }

 private:
  TParallelRun& FRun;
  std::vector<std::thread> FThreads;
};

}  // namespace

int DefaultCalculationThreads()
{
  return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, MaxThreads);
}

int CalculationThreads()
{
  if (const int chosen = chosenThreads.load(); chosen > 0) return chosen;
  if (const int fromEnvironment = ThreadsFromEnvironment(); fromEnvironment > 0) return fromEnvironment;
  return DefaultCalculationThreads();
}

std::string ThreadsEnvironmentWarning()
{
  const char* text = std::getenv(ThreadsVariable);
  if (text == nullptr || ThreadsFromEnvironment() > 0) return {};
  const int threads = DefaultCalculationThreads();
  return std::string("Warning: ") + ThreadsVariable + "=\"" + text + "\" is not a number of threads from 1 to " +
         std::to_string(MaxThreads) + "; the long calculations use the default, " + std::to_string(threads) +
         (threads == 1 ? " thread" : " threads") + " (one per processor core).";
}

bool InParallelWorker()
{
  return workerAbandoned != nullptr;
}

void CheckParallelAbandoned()
{
  if (workerAbandoned != nullptr && workerAbandoned->load(std::memory_order_relaxed)) throw ESilentAbort();
}

void SetCalculationThreads(int threads)
{
  chosenThreads.store(std::clamp(threads, 0, MaxThreads));
}

void ParallelFor(int count, int threads, const TParallelWork& work, const TParallelPoll& poll)
{
  poll(0);
  if (count <= 0) return;
  threads = std::clamp(threads, 1, count);
  bool started = false;
  if (threads > 1) {
    TParallelRun run(count, work);
    {
      TWorkers workers(run, threads);
      started = workers.Count() > 0;
      for (bool allGone = !started; !allGone;) poll(run.Wait(allGone));
    }
    if (started) {
      run.RethrowFailure();
      return;
    }
  }
  for (int item = 0; item < count; ++item) {
    work(item, 0);
    poll(item + 1);
  }
}

}  // namespace umbrinex
