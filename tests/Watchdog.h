#pragma once
// Ends the test program when a calculation does not finish in time, so that
// a loop that never ends fails its test within seconds instead of holding
// the run up until the test driver gives up.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace umbrinex::testing {

class TWatchdog {
 public:
  TWatchdog(std::chrono::seconds limit, std::string what)
      : FWhat(std::move(what)), FThread([this, limit] { Watch(limit); })
  {
  }
  ~TWatchdog()
  {
    {
      const std::lock_guard lock(FMutex);
      FDone = true;
    }
    FChanged.notify_one();
    FThread.join();
  }
  TWatchdog(const TWatchdog&) = delete;
  TWatchdog& operator=(const TWatchdog&) = delete;

 private:
  void Watch(std::chrono::seconds limit)
  {
    std::unique_lock lock(FMutex);
    if (FChanged.wait_for(lock, limit, [this] { return FDone; })) return;
    std::fprintf(stderr, "FAILED: %s did not finish within %lld s\n", FWhat.c_str(),
                 static_cast<long long>(limit.count()));
    std::fflush(stderr);
    std::_Exit(1);
  }

  std::string FWhat;
  std::mutex FMutex;
  std::condition_variable FChanged;
  bool FDone = false;
  std::thread FThread;
};

}  // namespace umbrinex::testing
