#pragma once
// Helpers for tests of files on disk.

#include <sys/resource.h>

#include <csignal>
#include <string>

#include "framework/data/DiskFile.h"

namespace umbrinex::testing {

// The message of the EFileError that action raises, or a note that none came.
template <typename F>
std::string FileErrorOf(F action)
{
  try {
    action();
  } catch (const EFileError& error) {
    return error.what();
  }
  return "(no file error)";
}

// A limit on the size of the files the test process writes, for as long as
// the object lives: writes beyond it fail as they would on a full disk.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes)
  {
    FSignal = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &FPrevious);
    rlimit limit = FPrevious;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit()
  {
    setrlimit(RLIMIT_FSIZE, &FPrevious);
    std::signal(SIGXFSZ, FSignal);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  rlimit FPrevious{};
  void (*FSignal)(int) = nullptr;
};

}  // namespace umbrinex::testing
