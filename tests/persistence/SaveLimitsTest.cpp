// What a data file cannot take: more bytes than the disk has room for, and
// texts longer than a string of the file holds.

#include <gtest/gtest.h>

#include "BendFileTestSupport.h"
#include "TaggedFileTestSupport.h"
#include "bend/Bend.h"
#include "persistence/BendFile.h"
#include "persistence/FileErrors.h"

namespace umbrinex {
namespace {

using namespace umbrinex::testing;

class SaveLimits : public TDesignFileTest {};

TEST_F(SaveLimits, ASaveThatRunsOutOfRoomGivesTheCauseAndKeepsTheEarlierFile)
{
  auto bend = New<TBend>();
  const std::string name = SaveToFile(*bend, folder.File("design.mxd"));
  const TBytes before = ReadBytes(name);
  Set(*bend, vnNumberOfLoadCases, 200, vtInt);
  {
    // A file size limit stands in for a full disk: writes fail the same way.
    TFileSizeLimit limit(before.size() + 100);
    EXPECT_EQ(FileErrorOf([&] { SaveToFile(*bend, name); }),
              "File Error: Write error on file '" + FileNameForMessage(name) + "'.  File too large.");
  }
  EXPECT_EQ(ReadBytes(name), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path), fs::directory_iterator()), 1);
}

TEST_F(SaveLimits, TextsUpToTheLongestAFileHoldsAreKeptAndLongerOnesAreRefusedAtEntry)
{
  auto bend = New<TBend>();
  const std::string longest(MaxTextLength, 'p');
  Set(*bend, vnProject, longest, vtText);
  TAccessStatus status;
  bend->SetValue(vnClient, 0, status, std::string(100000, 'c'), vtText);
  EXPECT_EQ(status.Code, acInvalidValue);
  EXPECT_EQ(status.Text(), "Texts cannot be longer than 65535 characters");
  EXPECT_EQ(bend->Client(), "Tessan Ltd");

  auto loaded = New<TBend>();
  LoadFromFile(*loaded, SaveToFile(*bend, folder.File("long.mxd")));
  EXPECT_EQ(loaded->Project(), longest);
  EXPECT_TRUE(messages.Warnings.empty());
}

TEST_F(SaveLimits, ATextLongerThanAFileHoldsThatCameInAnotherWayIsSavedCutWithAWarning)
{
  auto bend = New<TBend>();
  bend->Materials().Material(0)->SetName(std::string(70000, 'm'));
  const std::string name = SaveToFile(*bend, folder.File("cut.mxd"));
  EXPECT_EQ(messages.Warnings,
            std::vector<std::string>{"WARNING.  Some texts of this design are longer than a data file can hold; they "
                                     "were saved cut to 65535 characters."});
  auto loaded = New<TBend>();
  LoadFromFile(*loaded, name);
  EXPECT_EQ(loaded->Materials().Material(0)->Name(), std::string(MaxTextLength, 'm'));
}

}  // namespace
}  // namespace umbrinex
