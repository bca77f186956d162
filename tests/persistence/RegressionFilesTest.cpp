// Damaged design files that once crashed or hung the reader, kept so that
// they never do again: each must load or fail with a file error, and leave
// no table beyond the row counts its items allow (a count read as it stood
// once made the reader build 100,000 profile points).

#include <gtest/gtest.h>

#include <filesystem>

#include "TaggedFileTestSupport.h"
#include "bend/Bend.h"
#include "bend/BendVarNums.h"
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
      try {
        LoadFromFile(*bend, entry.path().string(), *fileClass);
      } catch (const EFileError&) {
      }
      EXPECT_GE(bend->LoadCaseCount(), 1);
      for (const int count : {vnNumberOfPoints, vnNumberOfLoadCases, vnNumberOfCircles, vnCurveNumberOfPoints}) {
        const TVar& descriptor = TBend::Vars().Find(count);
        EXPECT_LE(bend->GetReal(count), descriptor.Max) << entry.path() << " item " << count;
      }
    }
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace umbrinex
