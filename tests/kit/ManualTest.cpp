// The Help menu's manual: where it is looked for and what the user is told
// when it is nowhere.

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

#include "KitTestSupport.h"
#include "desktop/kit/FileNames.h"
#include "desktop/kit/Help.h"

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

TEST_F(Manual, IsFoundBesideTheProgramOrInTheInstalledDataFolder)
{
  const fs::path bin = Folder.Path / "usr" / "bin", data = Folder.Path / "usr" / "share" / "umbrinex";
  fs::create_directories(bin);
  fs::create_directories(data);
  EXPECT_TRUE(FindManual(bin.string()).empty());
  WriteText((data / ManualFileName).string(), "%PDF-1.4");
  EXPECT_EQ(FindManual(bin.string()), (data / ManualFileName).string());
  WriteText((bin / ManualFileName).string(), "%PDF-1.4");
  EXPECT_EQ(FindManual(bin.string()), (bin / ManualFileName).string()) << "beside the program comes first";
}

// Receives what the desktop would open.
class TOpenedUrls : public QObject {
  Q_OBJECT
 public:
  std::vector<QUrl> Urls;
 public slots:
  void Open(const QUrl& url) { Urls.push_back(url); }
};

TEST_F(Manual, WithoutAViewerTheMessageNamesTheWholePathAndWhatIsMissing)
{
  WriteText(Folder.File(ManualFileName), "%PDF-1.4");
  TOpenedUrls opened;
  // A handler that cannot be called is how the desktop answers when it has
  // nothing to open the file with.
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "NoViewer");
  OpenManual(Folder.Path.string());
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  ASSERT_EQ(Messages.Texts().size(), 1u);
  EXPECT_EQ(Messages.Texts().front(),
            "Cannot open file " + Folder.File(ManualFileName) + ".  No PDF viewer was found.");
  EXPECT_EQ(Messages.Requests.front().Type, TMessageType::Information);
}

#ifdef UMBRINEX_MANUAL_PDF
TEST_F(Manual, TheBuiltManualIsOpenedByHelpManual)
{
  const fs::path built = UMBRINEX_MANUAL_PDF;
  ASSERT_TRUE(fs::exists(built)) << built;
  EXPECT_EQ(FindManual(built.parent_path().string()), built.string());
  TOpenedUrls opened;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "Open");
  OpenManual(built.parent_path().string());
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  ASSERT_EQ(opened.Urls.size(), 1u);
  EXPECT_EQ(opened.Urls.front().toLocalFile().toStdString(), built.string());
  EXPECT_TRUE(Messages.Texts().empty());
}
#endif

}  // namespace
}  // namespace umbrinex::testing

#include "ManualTest.moc"
