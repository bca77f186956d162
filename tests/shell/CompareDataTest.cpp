#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include <QApplication>
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
  const std::string first = (fs::path(folder) / "riser.txt").string();
  const std::string second = (fs::path(folder) / "0iser.txt").string();  // the same name again
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
  EXPECT_EQ(CompareArguments(QStringLiteral("%1 %1 /diff %2"), QStringLiteral("/t/a %2.txt"), QStringLiteral("/t/b.txt")),
            (QStringList{QStringLiteral("/t/a %2.txt"), QStringLiteral("/t/a %2.txt"), QStringLiteral("/diff"),
                         QStringLiteral("/t/b.txt")}));
}

TEST_F(CompareData, ADocumentThatCannotBeReplacedKeepsItsNameAndTheNewOneCounts)
{
  const std::string folder = Folder.File("docs");
  fs::create_directories(folder);
  const std::string taken = (fs::path(folder) / "riser.txt").string();
  std::ofstream(taken) << "old";
  // Free to delete: the name is used again.
  EXPECT_EQ(CompareDocumentName("/x/riser.mxd", folder, ""), taken);
  // The other document of this comparison is never replaced.
  std::ofstream(taken) << "first";
  EXPECT_EQ(CompareDocumentName("/y/riser.mxd", folder, taken), (fs::path(folder) / "0iser.txt").string());
  std::ofstream((fs::path(folder) / "0iser.txt").string()) << "x";
  EXPECT_EQ(CompareDocumentName("/y/riser.mxd", folder, taken), (fs::path(folder) / "1iser.txt").string());
  EXPECT_EQ(CompareDocumentName("/y/a.mxd", folder, (fs::path(folder) / "a.txt").string()),
            (fs::path(folder) / "a.txt").string());
}

}  // namespace
}  // namespace umbrinex::testing
