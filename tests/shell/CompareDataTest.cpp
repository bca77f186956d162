#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "ShellTestSupport.h"
#include "bend/Bend.h"
#include "persistence/BendFile.h"
#include "shell/CompareData.h"
#include "shell/Preferences.h"

namespace fs = std::filesystem;

namespace umbrinex::testing {
namespace {

class CompareData : public TShellTest {
 protected:
  void SetUp() override
  {
    TShellTest::SetUp();
    // A program whose folder a shell would take apart, and which records
    // the arguments it got, one per line.
    Tools = Folder.Path / "tools; $(touch HACKED) `x` & y";
    fs::create_directories(Tools);
    Script = (Tools / "record args.sh").string();
    Record = Folder.File("record.txt");
    std::ofstream(Script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" << Record << "'\n";
    fs::permissions(Script, fs::perms::owner_all);
    DeleteCompareDocuments();
  }
  void TearDown() override
  {
    DeleteCompareDocuments();
    TShellTest::TearDown();
  }
  std::string Design(const std::string& folder, const std::string& name, double tension)
  {
    fs::create_directories(Folder.Path / folder);
    auto bend = New<TBend>();
    TAccessStatus status;
    bend->SetValue(vnLoadCaseTension, 0, status, tension, vtReal);
    const std::string file = (Folder.Path / folder / name).string();
    SaveToFile(*bend, file);
    return file;
  }
  std::vector<std::string> Recorded()
  {
    for (int wait = 0; wait < 200 && !fs::exists(Record); ++wait)
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream in(Record);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  static std::string Text(const std::string& file)
  {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path Tools;
  std::string Script;
  std::string Record;
};

TEST_F(CompareData, BothDocumentsAreWrittenAndPassedInTheOrderOfTheParameters)
{
  const std::string one = Design("old", "riser.mxd", 11.0);
  const std::string two = Design("new", "riser.mxd", 12.5);
  ASSERT_TRUE(CompareDataFiles(QString::fromStdString(Script), QStringLiteral("-x %2 --then %1"), one, two));
  const std::vector<std::string> arguments = Recorded();
  const std::string folder = CompareFolder();
  // The same name twice: each is told by its folder.
  const std::string first = (fs::path(folder) / "riser (old).txt").string();
  const std::string second = (fs::path(folder) / "riser (new).txt").string();
  ASSERT_EQ(arguments, (std::vector<std::string>{"-x", second, "--then", first}));
  EXPECT_NE(Text(first).find("11.000"), std::string::npos);
  EXPECT_NE(Text(second).find("12.500"), std::string::npos);
  EXPECT_EQ(Text(first).rfind("Umbrinex: ", 0), 0u);
  // The path with the shell's special characters was started as it is.
  EXPECT_FALSE(fs::exists(Folder.Path / "HACKED"));
  EXPECT_FALSE(fs::exists("HACKED"));

  DeleteCompareDocuments();
  EXPECT_FALSE(fs::exists(first));
  EXPECT_FALSE(fs::exists(second));
  EXPECT_FALSE(fs::exists(folder));
}

TEST_F(CompareData, TheDocumentsGoToAFolderOfThisRunAloneThatTheEndOfTheRunRemoves)
{
  const std::string folder = CompareFolder();
  EXPECT_EQ(CompareFolder(), folder) << "one folder for the whole run";
  EXPECT_NE(fs::path(folder), fs::temp_directory_path() / "Tessan");
  EXPECT_EQ(fs::path(folder).parent_path(), fs::path(QDir::tempPath().toStdString()));
  EXPECT_EQ(fs::status(folder).permissions() & (fs::perms::group_all | fs::perms::others_all), fs::perms::none)
      << "no other user reads the designs' data";

  const std::string one = Design("a", "riser.mxd", 11.0);
  const std::string two = Design("a", "buoy.mxd", 12.5);
  ASSERT_TRUE(CompareDataFiles(QString::fromStdString(Script), QStringLiteral("%1 %2"), one, two));
  EXPECT_EQ(Recorded(), (std::vector<std::string>{(fs::path(folder) / "riser.txt").string(),
                                                  (fs::path(folder) / "buoy.txt").string()}));
  DeleteCompareDocuments();
  EXPECT_FALSE(fs::exists(folder));
  // A comparison after that gets a folder of its own again.
  const std::string next = CompareFolder();
  EXPECT_TRUE(fs::is_directory(next));
  EXPECT_NE(next, folder);
}

TEST_F(CompareData, NothingStartsWhenFileTwoIsNotADesign)
{
  const std::string one = Design("a", "riser.mxd", 11.0);
  const std::string two = Folder.File("notes.mxd");
  std::ofstream(two) << "not a design";
  Messages.Requests.clear();
  EXPECT_FALSE(CompareDataFiles(QString::fromStdString(Script), QStringLiteral("%1 %2"), one, two));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(fs::exists(Record));
  EXPECT_TRUE(Messages.Requests.empty());
}

TEST_F(CompareData, SettingsAreCheckedBeforeAnythingIsConverted)
{
  auto message = [](const QString& program, const QString& parameters) {
    try {
      CheckCompareSettings(program, parameters);
    } catch (const EExpected& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  EXPECT_EQ(message({}, QStringLiteral("%1 %2")), "You have not specified a Compare Program.  Click Help for details.");
  EXPECT_EQ(message(QStringLiteral("meld"), QStringLiteral("%2")),
            "The compare program's Command Line Parameters must include %1.  Click Help for details.");
  EXPECT_EQ(message(QStringLiteral("meld"), QStringLiteral("%1 x")),
            "The compare program's Command Line Parameters must include %2.  Click Help for details.");
  EXPECT_EQ(message(QStringLiteral("meld"), QStringLiteral("%1 %2")), "");

  TCompareDataWindow window(nullptr);
  window.Program->clear();
  window.File1->setText(QStringLiteral("a.mxd"));
  EXPECT_FALSE(window.btCompare->isEnabled());
  window.File2->setText(QStringLiteral("b.mxd"));
  EXPECT_TRUE(window.btCompare->isEnabled());
  Messages.Requests.clear();
  window.btCompare->click();
  ASSERT_EQ(Messages.Requests.size(), 1u);
  EXPECT_NE(Messages.Requests[0].Text.find("You have not specified a Compare Program."), std::string::npos);
  EXPECT_EQ(window.Pages->currentIndex(), 1);
}

TEST(CompareArguments, QuotedNamesReplaceEachPlaceholderOnce)
{
  EXPECT_EQ(
      CompareArguments(QStringLiteral("%1 %1 /diff %2"), QStringLiteral("/t/a %2.txt"), QStringLiteral("/t/b.txt")),
      (QStringList{QStringLiteral("/t/a %2.txt"), QStringLiteral("/t/a %2.txt"), QStringLiteral("/diff"),
                   QStringLiteral("/t/b.txt")}));
}

TEST_F(CompareData, DocumentsOfAnEarlierComparisonStayAndTheNewOnesAreNumbered)
{
  const std::string folder = Folder.File("docs");
  fs::create_directories(folder);
  auto in = [&](const std::string& name) { return (fs::path(folder) / name).string(); };
  using TNames = std::array<std::string, 2>;
  EXPECT_EQ(CompareDocumentNames("/x/riser.mxd", "/x/buoy.dat", folder), (TNames{in("riser.txt"), in("buoy.txt")}));
  // Still open in the comparison program, perhaps: never replaced.
  std::ofstream(in("riser.txt")) << "earlier";
  EXPECT_EQ(CompareDocumentNames("/x/riser.mxd", "/x/buoy.dat", folder), (TNames{in("riser (2).txt"), in("buoy.txt")}));
  std::ofstream(in("riser (2).txt")) << "earlier";
  EXPECT_EQ(CompareDocumentNames("/y/riser.mxd", "/y/buoy.mxd", folder), (TNames{in("riser (3).txt"), in("buoy.txt")}));
  // The same name in folders of the same name: the second counts on from the first.
  EXPECT_EQ(CompareDocumentNames("/x/a/riser.mxd", "/y/a/riser.mxd", folder),
            (TNames{in("riser (3).txt"), in("riser (4).txt")}));
  // The same file twice.
  EXPECT_EQ(CompareDocumentNames("/x/b/pipe.mxd", "/x/b/pipe.mxd", folder),
            (TNames{in("pipe.txt"), in("pipe (2).txt")}));
  EXPECT_EQ(CompareDocumentNames("/x/old/pipe.mxd", "/x/new/pipe.mxd", folder),
            (TNames{in("pipe (old).txt"), in("pipe (new).txt")}));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2) << "naming writes nothing";
}

}  // namespace
}  // namespace umbrinex::testing
