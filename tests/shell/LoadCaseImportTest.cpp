// File > Import Load Cases and Export Load Cases as the engineer uses them:
// a spreadsheet's table replaces the load cases as one step that Undo takes
// back to exactly the design there was, a table with a refused row leaves
// the design, its modified mark and the steps of Undo alone and says which
// lines were refused, and an exported table imports as the same table.

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTreeWidget>

#include "ShellTestSupport.h"
#include "bend/Bend.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/FileCommands.h"
#include "desktop/kit/FileNames.h"
#include "desktop/kit/Filer.h"
#include "numerics/ReservedDoubles.h"
#include "persistence/BendFile.h"
#include "persistence/LoadCaseCsv.h"
#include "shell/LoadCaseCommands.h"
#include "shell/MainEditing.h"
#include "shell/MainPanels.h"
#include "shell/MainResults.h"

namespace umbrinex::testing {
namespace {

using TBytes = std::vector<std::uint8_t>;

constexpr double KipInKN = 4.4482216152605;

// As a spreadsheet of a decimal-comma country saves it, in kips.
const std::string SpreadsheetTable =
    "\xEF\xBB\xBF"
    "Angle (deg);Tension (kips);State 2\r\n"
    "12,5;31;No\r\n"
    "30;7,25;Yes\r\n"
    "45;1;yes\r\n";

class LoadCaseImport : public TMainWindowTest {
 protected:
  // A refused file is the user's to put right, not a fault of the program:
  // nothing may reach the log of unexpected errors.
  void SetUp() override
  {
    TMainWindowTest::SetUp();
    FPreviousLog = SetUnexpectedErrorLog([this](const std::string& text) { Unexpected.push_back(text); });
  }
  void TearDown() override
  {
    SetUnexpectedErrorLog(std::move(FPreviousLog));
    EXPECT_TRUE(Unexpected.empty()) << Unexpected.front();
    TMainWindowTest::TearDown();
  }
  TMainEditing& Editing() { return Form->Editing(); }

  void Import(const std::string& fileName)
  {
    Dialogs.Names = {fileName};
    ASSERT_TRUE(Form->acFileImportLoadCases->isEnabled());
    Form->acFileImportLoadCases->trigger();
  }
  void Export(const std::string& fileName)
  {
    Dialogs.Names = {fileName};
    ASSERT_TRUE(Form->acFileExportLoadCases->isEnabled());
    Form->acFileExportLoadCases->trigger();
  }
  // The design saved to a file of its own, so that it starts unmodified.
  std::string SaveDesign(const std::string& name)
  {
    Form->Filer().Save(Folder.File(name), DataFileClass, false, Bend());
    return Form->Filer().CurrentFileName();
  }
  std::string Table(const std::string& name, const std::string& text)
  {
    const std::string fileName = Folder.File(name);
    WriteText(fileName, text);
    return fileName;
  }
  bool CaptionModified()
  {
    Form->UpdateCaption();
    return Form->windowTitle().contains(QStringLiteral("(modified)"));
  }
  int LoadCaseNodes() { return Form->Panels().ResultsTree()->topLevelItemCount() - FixedResultsNodes; }
  std::string CsvText()
  {
    std::ostringstream out;
    WriteLoadCasesCsv(Bend(), out);
    return out.str();
  }
  // The one message of the command, which must be of this type.
  std::string OnlyMessage(TMessageType type)
  {
    EXPECT_EQ(Messages.Requests.size(), 1u);
    if (Messages.Requests.empty()) return {};
    const TMessageRequest request = Messages.Requests.back();
    Messages.Requests.clear();
    EXPECT_EQ(request.Type, type) << request.Text;
    return request.Text;
  }

  std::vector<std::string> Unexpected;

 private:
  TErrorLog FPreviousLog;
};

// ---- the menu ----

TEST_F(LoadCaseImport, TheFileMenuOffersBothCommandsWithAcceleratorsOfTheirOwn)
{
  std::set<QChar> letters;
  bool import = false, exportTable = false;
  for (QAction* action : Form->FileMenu->actions()) {
    if (action->isSeparator() || !action->isVisible()) continue;
    import = import || action == Form->acFileImportLoadCases;
    exportTable = exportTable || action == Form->acFileExportLoadCases;
    const QString text = action->text();
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    if (at < 0 || at + 1 >= text.size()) continue;
    EXPECT_TRUE(letters.insert(text[at + 1].toLower()).second) << text.toStdString() << " clashes";
  }
  EXPECT_TRUE(import);
  EXPECT_TRUE(exportTable);
}

// ---- a good table ----

TEST_F(LoadCaseImport, AGoodTableReplacesTheLoadCasesAsOneStepThatUndoAndRedoTakeBackAndForth)
{
  SaveDesign("riser.mxd");
  ASSERT_FALSE(Bend().Modified());
  const TBytes before = SaveToMemory(Bend());
  const int casesBefore = Bend().LoadCaseCount();
  ASSERT_NE(casesBefore, 3);
  const std::string table = Table("hang-off cases.csv", SpreadsheetTable);

  Import(table);
  ASSERT_EQ(Dialogs.Requests.size(), 1u);
  const TFileDialogRequest& request = Dialogs.Requests.back();
  EXPECT_EQ(request.Title, "Import Load Cases");
  ASSERT_EQ(request.Classes.size(), 2u);
  EXPECT_EQ(DialogFilter(request.Classes[0]), QStringLiteral("CSV Files (*.csv *.txt)"));
  EXPECT_EQ(request.Classes[1], AllFilesClass);
  EXPECT_EQ(request.Folder, FolderPart(Form->Filer().CurrentFileName())) << "starts beside the design";

  ASSERT_EQ(Bend().LoadCaseCount(), 3);
  EXPECT_EQ(Bend().LoadCaseTension(0), 31.0 * KipInKN);
  EXPECT_EQ(Bend().LoadCaseAngle(0), 12.5);
  EXPECT_EQ(Bend().LoadCaseTension(1), 7.25 * KipInKN);
  EXPECT_FALSE(Bend().StateIncluded(0, 1));
  EXPECT_TRUE(Bend().StateIncluded(2, 1));
  EXPECT_EQ(LoadCaseNodes(), 3) << "the results tree has a node per imported case";
  EXPECT_TRUE(Bend().Modified());
  EXPECT_TRUE(CaptionModified());
  const std::string told = OnlyMessage(TMessageType::Information);
  EXPECT_NE(told.find("3 load cases imported"), std::string::npos) << told;
  EXPECT_NE(told.find(table), std::string::npos) << told;

  ASSERT_TRUE(Editing().CanUndo());
  EXPECT_EQ(Editing().UndoText(), QStringLiteral("&Undo Import Load Cases"));
  const TBytes imported = SaveToMemory(Bend());
  Editing().Undo();
  EXPECT_TRUE(SaveToMemory(Bend()) == before) << "Undo gives back exactly the design there was";
  EXPECT_EQ(LoadCaseNodes(), casesBefore);
  EXPECT_FALSE(Editing().CanUndo()) << "the import was one step";
  Editing().Redo();
  EXPECT_TRUE(SaveToMemory(Bend()) == imported);
  EXPECT_EQ(LoadCaseNodes(), 3);
  EXPECT_FALSE(Editing().CanRedo());
}

TEST_F(LoadCaseImport, ATableOfOneCaseIsToldInTheSingular)
{
  Import(Table("one.txt", "Tension,Angle\n100,10\n"));
  EXPECT_EQ(Bend().LoadCaseCount(), 1);
  const std::string told = OnlyMessage(TMessageType::Information);
  EXPECT_NE(told.find("1 load case imported"), std::string::npos) << told;
}

// ---- refused tables ----

TEST_F(LoadCaseImport, ARefusedRowLeavesTheDesignItsMarkAndTheStepsOfUndoAsTheyWere)
{
  const std::string bad = Table("bad.csv", "Tension (kN),Angle (deg)\n100,10\n-5,20\n200,x\n");
  // Unmodified and without steps; then modified with a step to undo and one
  // to redo. Each time the refusal changes nothing of it.
  for (const bool edited : {false, true}) {
    if (edited) {
      Import(Table("good.csv", "Tension,Angle\n100,10\n200,20\n"));
      Import(Table("good2.csv", "Tension,Angle\n300,30\n"));
      Editing().Undo();
      Messages.Requests.clear();
    } else {
      SaveDesign("kept.mxd");
    }
    const TBytes before = SaveToMemory(Bend());
    const bool modified = Bend().Modified();
    const QString undo = Editing().UndoText(), redo = Editing().RedoText();
    ASSERT_EQ(Editing().CanRedo(), edited);

    Import(bad);
    const std::string told = OnlyMessage(TMessageType::Error);
    EXPECT_NE(told.find(bad), std::string::npos) << told;
    EXPECT_NE(told.find("Line 3, tension"), std::string::npos) << told;
    EXPECT_NE(told.find("Line 4, angle"), std::string::npos) << told;
    EXPECT_EQ(told.find("Line 2"), std::string::npos) << told;
    EXPECT_EQ(told.find(".."), std::string::npos) << "one full stop to a sentence: " << told;
    EXPECT_TRUE(SaveToMemory(Bend()) == before) << edited;
    EXPECT_EQ(Bend().Modified(), modified);
    EXPECT_EQ(CaptionModified(), modified);
    EXPECT_EQ(Editing().UndoText(), undo);
    EXPECT_EQ(Editing().RedoText(), redo);
    EXPECT_EQ(Editing().CanRedo(), edited) << "the step to redo is still there";
  }
}

TEST_F(LoadCaseImport, FilesThatAreNoTableAreToldByNameAndChangeNothing)
{
  SaveDesign("kept.mxd");
  const TBytes before = SaveToMemory(Bend());
  const struct {
    std::string FileName;
    std::string Reason;
  } files[] = {
      {Folder.File("missing.csv"), "does not exist"},
      {Folder.Path.string(), "is a folder"},
      {Table("empty.csv", ""), "no table"},
      {Table("no angle.csv", "Tension (kN)\n100\n"), "ngle"},
      {Table("header only.csv", "Tension,Angle\n"), "no load case"},
      {Table("unicode.csv", std::string("\xFF\xFET\0,\0A\0\n\0", 10)), "UTF-16"},
  };
  for (const auto& file : files) {
    Import(file.FileName);
    const std::string told = OnlyMessage(TMessageType::Error);
    EXPECT_NE(told.find(FileNameOnly(file.FileName)), std::string::npos) << told;
    EXPECT_NE(told.find(file.Reason), std::string::npos) << told;
    EXPECT_TRUE(SaveToMemory(Bend()) == before) << file.FileName;
    EXPECT_FALSE(Bend().Modified());
    EXPECT_FALSE(Editing().CanUndo());
  }
  // A long refusal shows its first ten rows and a count of the rest.
  std::string many = "Tension,Angle\n";
  for (int i = 0; i < 25; ++i) many += "-1,5\n";
  Import(Table("many.csv", many));
  const std::string told = OnlyMessage(TMessageType::Error);
  EXPECT_NE(told.find("Line 11, tension"), std::string::npos) << told;
  EXPECT_EQ(told.find("Line 12"), std::string::npos) << told;
  EXPECT_NE(told.find("... and 15 more refused."), std::string::npos) << told;
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 2 + 10) << told;
  EXPECT_TRUE(SaveToMemory(Bend()) == before);
}

TEST_F(LoadCaseImport, CancellingTheDialogDoesNothing)
{
  Import("");
  EXPECT_EQ(Dialogs.Requests.size(), 1u);
  EXPECT_TRUE(Messages.Requests.empty());
  EXPECT_FALSE(Editing().CanUndo());
  Export("");
  EXPECT_TRUE(Messages.Requests.empty());
}

// ---- export ----

TEST_F(LoadCaseImport, AnExportedTableImportsAsTheSameTable)
{
  Form->FileCommands().OpenFile(UMBRINEX_EXAMPLES_DIR "/Jumper US Units.mxd");
  ASSERT_GT(Bend().LoadCaseCount(), 1);
  TAccessStatus status;
  Bend().SetValue(vnLoadCaseABR, 1, status, TVariant(12.75), vtReal);
  Bend().SetValue(vnState2Included, 0, status, TVariant("No"), vtText);
  ASSERT_EQ(status.Code, acOk) << status.Text();
  const std::string table = CsvText();
  const int cases = Bend().LoadCaseCount();

  // A name typed without an extension gets the table's.
  Export(Folder.File("jumper table"));
  const TFileDialogRequest& request = Dialogs.Requests.back();
  EXPECT_EQ(request.Title, "Export Load Cases");
  EXPECT_EQ(request.ProposedName, "Jumper US Units load cases.csv");
  ASSERT_EQ(request.Classes.size(), 1u);
  EXPECT_EQ(request.Classes[0].DefaultExtension, ".csv");
  const std::string written = Folder.File("jumper table.csv");
  EXPECT_EQ(ReadText(written), table);
  EXPECT_TRUE(Messages.Requests.empty());

  Bend().SetInteger(vnNumberOfLoadCases, 0, 1);
  Import(written);
  EXPECT_EQ(Dialogs.Requests.back().Folder, FolderPart(written)) << "starts where the last table went";
  EXPECT_EQ(Bend().LoadCaseCount(), cases);
  EXPECT_EQ(CsvText(), table);
  EXPECT_TRUE(IsDefault(Bend().LoadCases().Cell(0, vnLoadCaseABR))) << "a default ABR stays the default";
  EXPECT_EQ(Bend().LoadCases().Cell(1, vnLoadCaseABR), 12.75);
}

TEST_F(LoadCaseImport, TheDesignsOwnTableImportedBackMarksNothing)
{
  SaveDesign("riser.mxd");
  const TBytes before = SaveToMemory(Bend());
  Export(Folder.File("riser load cases.csv"));
  Import(Folder.File("riser load cases.csv"));
  EXPECT_TRUE(SaveToMemory(Bend()) == before);
  EXPECT_FALSE(Bend().Modified());
  EXPECT_FALSE(CaptionModified());
  EXPECT_FALSE(Editing().CanUndo());
}

TEST_F(LoadCaseImport, AnExportOverAnExistingFileAsksFirst)
{
  const std::string fileName = Table("cases.csv", "kept\n");
  Messages.Answers = {maNo};
  Export(fileName);
  const std::string asked = OnlyMessage(TMessageType::Question);
  EXPECT_NE(asked.find("already exists"), std::string::npos) << asked;
  EXPECT_EQ(ReadText(fileName), "kept\n");

  Messages.Answers = {maYes};
  Export(fileName);
  OnlyMessage(TMessageType::Question);
  EXPECT_EQ(ReadText(fileName), CsvText());
  EXPECT_FALSE(Editing().CanUndo()) << "an export changes nothing of the design";
}

TEST_F(LoadCaseImport, AnExportThatCannotBeWrittenIsToldAndLeavesNoFile)
{
  const std::string fileName = Folder.File("no such folder/cases.csv");
  Export(fileName);
  const std::string told = OnlyMessage(TMessageType::Error);
  EXPECT_NE(told.find("does not exist"), std::string::npos) << told;
  EXPECT_FALSE(fs::exists(fileName));
}

TEST(LoadCaseExportName, FollowsTheDesignsFile)
{
  EXPECT_EQ(LoadCaseExportName(""), "load cases.csv");
  EXPECT_EQ(LoadCaseExportName("/designs/riser.v2.mxd"), "riser.v2 load cases.csv");
  EXPECT_EQ(LoadCaseExportName("/designs.old/riser"), "riser load cases.csv");
}

}  // namespace
}  // namespace umbrinex::testing
