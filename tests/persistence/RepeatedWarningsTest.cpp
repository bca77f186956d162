// A file that names a missing material at every profile point: the first
// few are warned of, the rest counted in one more line.

#include <gtest/gtest.h>

#include <functional>

#include "BendFileTestSupport.h"
#include "TaggedFileTestSupport.h"
#include "bend/Bend.h"
#include "persistence/BendFile.h"

namespace umbrinex {
namespace {

using namespace umbrinex::testing;

// Section 2 of a user-defined profile of n points, each point's material
// the name given for it.
std::string ProfileFile(const TTempFolder& folder, int n, const std::function<std::string(int)>& material)
{
  const std::string name = folder.File("profile.mxd");
  WriteBytes(name, WriteDataFile([&](TTaggedFile& file) {
               file.BeginTag(39, 2);
               file.BeginRecord();
               file.WriteByte(1);
               file.EndRecord();
               file.BeginRecord();
               for (double v : {2.0, 0.25, 0.16, 0.5, 2.0}) file.WriteDouble(v);
               file.WriteString("Material 1");
               file.EndRecord();
               file.BeginRecord();
               file.WriteInteger(n);
               file.BeginRecord();
               for (int column = 0; column < 2; ++column) {
                 file.BeginRecord();
                 file.WriteInteger(n);
                 for (int i = 0; i < n; ++i) file.WriteDouble(column == 0 ? 0.01 * i : 0.3 - 0.0001 * i);
                 file.EndRecord();
               }
               file.BeginRecord();
               file.WriteInteger(n);
               for (int i = 0; i + 1 < n; ++i) file.WriteString(material(i));
               file.EndRecord();
               file.EndRecord();
               file.EndRecord();
               file.EndTag();
             }));
  return name;
}

class RepeatedWarnings : public TDesignFileTest {};

TEST_F(RepeatedWarnings, AfterTwentyMissingMaterialsTheRestAreCounted)
{
  const std::string name = ProfileFile(folder, 1000, [](int i) { return "Gone " + std::to_string(i + 1); });
  auto bend = New<TBend>();
  LoadFromFile(*bend, name);
  ASSERT_EQ(bend->Profile().Count(), 1000);
  ASSERT_EQ(messages.Warnings.size(), 21u);
  EXPECT_EQ(messages.Warnings[0], "WARNING.  Cannot find material type 'Gone 1' - using first material type.");
  EXPECT_EQ(messages.Warnings[19], "WARNING.  Cannot find material type 'Gone 20' - using first material type.");
  EXPECT_EQ(messages.Warnings[20], "WARNING.  ... and 979 more such warnings");
  EXPECT_EQ(bend->Profile().Point(998).Material, bend->Materials().Material(0)) << "every point still resolved";
}

TEST_F(RepeatedWarnings, UpToTwentyAreEachWarnedOfWithoutACount)
{
  auto bend = New<TBend>();
  LoadFromFile(*bend, ProfileFile(folder, 21, [](int i) { return i % 2 ? "Material 1" : "Gone"; }));
  EXPECT_EQ(messages.Warnings.size(), 10u);
  messages.Warnings.clear();
  LoadFromFile(*bend, ProfileFile(folder, 21, [](int) { return "Gone"; }));
  EXPECT_EQ(messages.Warnings.size(), 20u);
}

}  // namespace
}  // namespace umbrinex
