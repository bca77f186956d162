// The Help menu's manual: where it is looked for and what the user is told
// when it is nowhere.

#include "KitTestSupport.h"
#include "framework/kit/FileNames.h"
#include "framework/kit/Help.h"

namespace umbrinex::testing {
namespace {

class Manual : public TKitTest {
 protected:
  // The installation folder as the installer stores it: with its separator.
  void InstallIn(const std::string& folder)
  {
    TKitRegistry& registry = KitRegistry();
    ASSERT_TRUE(registry.OpenKey(std::string(ProgramKey) + "/Installation Directory", true));
    registry.WriteString("Normal", folder);
    registry.CloseKey();
  }
};

TEST_F(Manual, MissingEverywhereSaysItCannotBeFoundByItsBareName)
{
  ASSERT_FALSE(fs::exists(fs::path(ProgramFolder()) / ManualFileName));
  EXPECT_TRUE(FindManual().empty());
  OpenManual();
  ASSERT_EQ(Messages.Texts().size(), 1u);
  EXPECT_EQ(Messages.Texts().front(), "Cannot find file Umbrinex.pdf.");
  EXPECT_EQ(Messages.Requests.front().Type, TMessageType::Information);
}

TEST_F(Manual, IsFoundInTheInstallationFolder)
{
  WriteText(Folder.File(ManualFileName), "%PDF-1.4");
  InstallIn((Folder.Path / "").string());
  EXPECT_EQ(FindManual(), Folder.File(ManualFileName));
}

TEST_F(Manual, AnInstallationFolderWithoutTheManualFindsNothing)
{
  InstallIn((Folder.Path / "").string());
  EXPECT_TRUE(FindManual().empty());
}

}  // namespace
}  // namespace umbrinex::testing
