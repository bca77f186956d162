#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFileInfo>

#include "KitTestSupport.h"
#include "framework/data/DiskFile.h"
#include "desktop/kit/FileCommands.h"
#include "desktop/kit/FileNames.h"
#include "desktop/kit/Filer.h"
#include "desktop/kit/KitErrors.h"

namespace umbrinex {
namespace {

using namespace umbrinex::testing;

struct TCaptionCase {
  std::string FileName;
  bool Modified;
  std::string Caption;
  std::string TaskBar;
};

void PrintTo(const TCaptionCase& c, std::ostream* os)
{
  *os << '"' << c.FileName << '"';
}

class Captions : public ::testing::TestWithParam<TCaptionCase> {};

TEST_P(Captions, ShowTheShortenedNameAndTheModifiedMark)
{
  const TCaptionCase& c = GetParam();
  EXPECT_EQ(WindowCaption("Umbrinex 4.2b", c.FileName, c.Modified), c.Caption);
  EXPECT_EQ(TaskBarTitle("Umbrinex", c.FileName, c.Modified), c.TaskBar);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Captions,
    ::testing::Values(
        TCaptionCase{"", false, "Umbrinex 4.2b", "Umbrinex"},
        TCaptionCase{"", true, "Umbrinex 4.2b (modified)", "Umbrinex (modified)"},
        // Five separators in the folder part still show whole.
        TCaptionCase{"/a/b/c/d/x.mxd", true, "Umbrinex 4.2b - [/a/b/c/d/x] (modified)", "Umbrinex [x] (modified)"},
        TCaptionCase{"/a/b/c/d/e/x.mxd", false, "Umbrinex 4.2b - [/.../b/c/d/e/x]", "Umbrinex [x]"},
        TCaptionCase{"/a/b/c/d/e/f/x.v2.mxd", false, "Umbrinex 4.2b - [/.../c/d/e/f/x.v2]", "Umbrinex [x.v2]"}));

TEST(FileNames, KeepTheirLastFoldersWhenShortenedForMenus)
{
  EXPECT_EQ(MenuFileName("/a/b/x.mxd"), "/a/b/x.mxd");
  EXPECT_EQ(MenuFileName("/a/b/c/x.mxd"), "/.../b/c/x.mxd");
  EXPECT_EQ(MenuFileName("rel/a/b/c/x.mxd"), "rel/.../b/c/x.mxd");
  EXPECT_EQ(ChangeFileExt("/d.v1/design", ".mxd"), "/d.v1/design.mxd");
  EXPECT_EQ(ChangeFileExt("/d/old.dat", ".mxd"), "/d/old.mxd");
}

class Filer : public TKitTest, public IFilerOwner {
 protected:
  void CurrentFileNameChanged() override { ++Changes; }
  TTessanFiler MakeFiler() { return TTessanFiler(this, &KitPreferences().LatestMainFileName, true); }
  int Changes = 0;
  std::unique_ptr<TBend> Bend = New<TBend>();
};

TEST_F(Filer, FindsTheExamplesFolderAboveTheProgramAndStartsDialogsBesideIt)
{
  fs::create_directories(Folder.Path / "Prog" / "Bin");
  fs::create_directories(Folder.Path / "Prog" / "Examples");
  const std::string examples = ExamplesFolder((Folder.Path / "Prog" / "Bin").string());
  EXPECT_EQ(examples, (Folder.Path / "Prog" / "Examples").string());
  EXPECT_EQ(ExamplesFolder(Folder.Path.string()), Folder.Path.string());

  KitPreferences().LatestMainFileName.ChangeValue(examples);
  TTessanFiler filer = MakeFiler();
  EXPECT_EQ(filer.InitialFolder(""), (Folder.Path / "Prog").string() + "/");
}

TEST_F(Filer, AnInstalledProgramFindsItsOwnExamplesBeforeAnyFurtherUp)
{
  // prefix/bin/umbrinex with prefix/share/umbrinex/Examples, below a home
  // folder that has an Examples folder of its own.
  const fs::path prefix = Folder.Path / "home" / ".local";
  fs::create_directories(prefix / "bin");
  fs::create_directories(Folder.Path / "home" / "Examples");
  EXPECT_EQ(ExamplesFolder((prefix / "bin").string()), (Folder.Path / "home" / "Examples").string());
  fs::create_directories(prefix / "share" / "umbrinex" / "Examples");
  EXPECT_EQ(ExamplesFolder((prefix / "bin").string()), (prefix / "share" / "umbrinex" / "Examples").string());
  EXPECT_EQ(InstalledDataFolder((prefix / "bin").string()), (prefix / "share" / "umbrinex").string());
}

TEST_F(Filer, ProposesUntitledForTheFirstSaveAndRemembersTheChosenName)
{
  TTessanFiler filer = MakeFiler();
  Dialogs.Names = {Folder.File("first.mxd")};
  filer.ShowSaveDialog("Save Data", {DataFileClass}, DataFileClass);
  ASSERT_EQ(Dialogs.Requests.size(), 1u);
  EXPECT_EQ(Dialogs.Requests[0].ProposedName, "untitled.mxd");
  EXPECT_EQ(Dialogs.Requests[0].Title, "Save Data");
  EXPECT_EQ(filer.LatestFileName(), Folder.File("first.mxd"));
  EXPECT_EQ(KitPreferences().LatestMainFileName.CurrentValue(), Folder.File("first.mxd"));

  // The open dialog proposes the latest name with the offered class's extension.
  Dialogs.Names = {""};
  EXPECT_THROW(filer.ShowOpenDialog("Open", {OldDataFileClass, AllFilesClass}, false, "", OldDataFileClass),
               ESilentAbort);
  EXPECT_EQ(Dialogs.Requests[1].ProposedName, "first.dat");
  EXPECT_EQ(Dialogs.Requests[1].Folder, Folder.Path.string() + "/");
}

// Save As never starts in the program's folder, which an installed program
// cannot write to.
class SaveFolder : public Filer {
 protected:
  void SetUp() override
  {
    Filer::SetUp();
    FHome = qgetenv("HOME");
    fs::create_directories(Folder.Path / "home");
    qputenv("HOME", QByteArray::fromStdString(Home()));
  }
  void TearDown() override
  {
    qputenv("HOME", FHome);
    Filer::TearDown();
  }
  std::string Home() const { return (Folder.Path / "home").string(); }
  std::string SaveAsFolder(TTessanFiler& filer)
  {
    Dialogs.Names = {""};
    EXPECT_THROW(filer.ShowSaveDialog("Save Data", {DataFileClass}, DataFileClass), ESilentAbort);
    return Dialogs.Requests.empty() ? std::string() : Dialogs.Requests.back().Folder;
  }

 private:
  QByteArray FHome;
};

TEST_F(SaveFolder, IsTheDesignsFolderThenTheLastFolderUsedThenHome)
{
  ASSERT_TRUE(KitPreferences().LatestMainFileName.IsDefault());
  TTessanFiler filer = MakeFiler();
  EXPECT_EQ(SaveAsFolder(filer), Home()) << "a new design with no folder used yet";
  EXPECT_EQ(Dialogs.Requests.back().ProposedName, "untitled.mxd");

  fs::create_directories(Folder.Path / "a");
  fs::create_directories(Folder.Path / "b");
  filer.Load(WriteDesign(Folder.File("a/riser.mxd"), "A"), DataFileClass, *Bend);
  // Another dialog since then chose a file elsewhere.
  Dialogs.Names = {Folder.File("b/other.mxd")};
  filer.ShowOpenDialog("Open", {DataFileClass}, false, "", DataFileClass);
  EXPECT_EQ(SaveAsFolder(filer), Folder.Path.string() + "/a/");
  EXPECT_EQ(Dialogs.Requests.back().ProposedName, "riser.mxd");

  // New forgets the design; the folder last used is remembered.
  filer.Forget();
  EXPECT_EQ(SaveAsFolder(filer), Folder.Path.string() + "/b/");
  TTessanFiler nextRun = MakeFiler();
  EXPECT_EQ(SaveAsFolder(nextRun), Folder.Path.string() + "/b/");
}

TEST_F(SaveFolder, PassesOverAFolderThatCannotBeWritten)
{
  const fs::path examples = Folder.Path / "share" / "Examples";
  fs::create_directories(examples);
  const std::string example = WriteDesign((examples / "riser.mxd").string(), "Example");
  fs::permissions(examples, fs::perms::owner_read | fs::perms::owner_exec);
  struct TRestore {
    fs::path Path;
    ~TRestore() { fs::permissions(Path, fs::perms::owner_all); }
  } restore{examples};
  TTessanFiler filer = MakeFiler();
  filer.Load(example, DataFileClass, *Bend);
  if (QFileInfo(QString::fromStdString(examples.string())).isWritable()) {
    // This user writes to any folder of the disk; a process's own folder
    // of /proc is closed even to it.
    filer.SetCurrentFileName("/proc/self/riser.mxd");
    filer.SetLatestFileName("/proc/self/riser.mxd");
  }
  EXPECT_EQ(SaveAsFolder(filer), Home());
  EXPECT_EQ(Dialogs.Requests.back().ProposedName, "riser.mxd");
}

TEST_F(Filer, SavesADesignReadFromAnOlderFileUnderTheNewExtensionWithoutAsking)
{
  const std::string older = Folder.File("x.dat");
  WriteOlderDesign(older, "From DOS");
  WriteText(Folder.File("x.mxd"), "to be replaced");
  TTessanFiler filer = MakeFiler();
  filer.Load(older, OldDataFileClass, *Bend);
  EXPECT_EQ(Bend->Project(), "From DOS");
  EXPECT_EQ(filer.CurrentFileName(), older);

  TFileCommands commands(filer, [this]() -> TBend& { return *Bend; });
  commands.Save();
  EXPECT_TRUE(Messages.Requests.empty());
  EXPECT_EQ(filer.CurrentFileName(), Folder.File("x.mxd"));
  EXPECT_EQ(PeekFileTypeCode(Folder.File("x.mxd")), ftDataFile);
  const std::string description = filer.DescriptionText("Umbrinex");
  EXPECT_EQ(description.rfind("Umbrinex: x.mxd (modified ", 0), 0u) << description;
  EXPECT_NE(description.find(" on "), std::string::npos);
}

TEST_F(Filer, AsksBeforeSaveAsOverwritesAFile)
{
  const std::string existing = Folder.File("kept.mxd");
  WriteText(existing, "precious");
  TTessanFiler filer = MakeFiler();
  TFileCommands commands(filer, [this]() -> TBend& { return *Bend; });

  Dialogs.Names = {existing};
  Messages.Answers = {maNo};
  EXPECT_THROW(commands.SaveAs(), ESilentAbort);
  ASSERT_EQ(Messages.Texts(),
            std::vector<std::string>{"A file called '" + existing + "' already exists.  Do you want to overwrite it?"});
  EXPECT_EQ(ReadText(existing), "precious");
  EXPECT_FALSE(filer.HasFileName());

  // A name typed without extension is asked about under the name it gets.
  Dialogs.Names = {Folder.File("kept")};
  commands.SaveAs();
  EXPECT_EQ(Messages.Requests.size(), 2u);
  EXPECT_EQ(filer.CurrentFileName(), existing);
  EXPECT_EQ(PeekFileTypeCode(existing), ftDataFile);
}

TEST_F(Filer, SaveAsNeverGivesADeviceOrAPipeAnExtensionOfItsOwn)
{
  const std::string full = Folder.File("full"), pipe = Folder.File("pipe");
  fs::create_symlink("/dev/full", full);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  TTessanFiler filer = MakeFiler();
  TFileCommands commands(filer, [this]() -> TBend& { return *Bend; });
  for (const std::string& name : {full, pipe}) {
    Dialogs.Names = {name};
    try {
      commands.SaveAs();
      ADD_FAILURE() << "saved into " << name;
    } catch (const EFileError& e) {
      EXPECT_EQ(std::string(e.what()), "File Error: File '" + FileNameForMessage(name) + "' is not a regular file.");
    }
    EXPECT_FALSE(fs::exists(name + ".mxd")) << "no new file beside " << name;
  }
  EXPECT_FALSE(filer.HasFileName());
}

TEST_F(Filer, KeepsTheOpenDesignAndItsNameWhenAnOpenFails)
{
  TTessanFiler filer = MakeFiler();
  const std::string good = WriteDesign(Folder.File("good.mxd"), "Good");
  filer.Load(good, DataFileClass, *Bend);
  const std::string missing = Folder.File("missing.mxd");
  try {
    filer.Load(missing, DataFileClass, *Bend);
    FAIL() << "opened a missing file";
  } catch (const EExpected& e) {
    EXPECT_EQ(std::string(e.what()), "File Error: File '" + missing + "' does not exist.");
  }
  EXPECT_EQ(Bend->Project(), "Good");
  EXPECT_EQ(filer.CurrentFileName(), good);
}

TEST_F(Filer, AsksToSaveAModifiedDesignBeforeNewAndCancelKeepsIt)
{
  TTessanFiler filer = MakeFiler();
  TFileCommands commands(filer, [this]() -> TBend& { return *Bend; });
  TAccessStatus status;
  Bend->SetValue(vnProject, 0, status, TVariant("Unsaved"), vtText);
  ASSERT_TRUE(Bend->Modified());

  Messages.Answers = {maCancel};
  EXPECT_THROW(commands.New(), ESilentAbort);
  EXPECT_EQ(Bend->Project(), "Unsaved");

  Messages.Answers = {maNo};
  commands.New();
  EXPECT_NE(Bend->Project(), "Unsaved");
  EXPECT_FALSE(Bend->Modified());
  EXPECT_EQ(BusyCount(), 0);

  // Yes saves first; cancelling that save dialog keeps the design too.
  Bend->SetValue(vnProject, 0, status, TVariant("Again"), vtText);
  Messages.Answers = {maYes};
  Dialogs.Names = {""};
  EXPECT_THROW(commands.New(), ESilentAbort);
  EXPECT_EQ(Bend->Project(), "Again");
}

TEST_F(Filer, OpensARecentFileByTheTypeInItsHeader)
{
  TTessanFiler filer = MakeFiler();
  TFileCommands commands(filer, [this]() -> TBend& { return *Bend; });
  const std::string older = Folder.File("named-like-new.mxd");
  WriteOlderDesign(older, "Really old");
  commands.OpenFile(older);
  EXPECT_EQ(Bend->Project(), "Really old");
  EXPECT_GT(Changes, 0);
}

}  // namespace
}  // namespace umbrinex
