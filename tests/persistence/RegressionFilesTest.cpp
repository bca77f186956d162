// Damaged design files that once crashed or hung the reader, kept so that
// they never do again: each must load or fail with a file error, quickly.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "TaggedFileTestSupport.h"
#include "bend/Bend.h"
#include "persistence/BendFile.h"
#include "persistence/FileErrors.h"

namespace umbrinex {
namespace {

TEST(RegressionFiles, EveryKeptInputLoadsOrFailsCleanly)
{
  testing::TCapturedMessages messages;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(UMBRINEX_REGRESSIONS)) {
    ++files;
    for (const TFileClass* fileClass : {&DataFileClass, &OldDataFileClass}) {
      auto bend = New<TBend>();
      const auto start = std::chrono::steady_clock::now();
      try {
        LoadFromFile(*bend, entry.path().string(), *fileClass);
      } catch (const EFileError&) {
      }
      EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << entry.path();
      EXPECT_GE(bend->LoadCaseCount(), 1);
    }
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace umbrinex
