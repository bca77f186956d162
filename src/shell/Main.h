#pragma once
// The program's main window: the bend model of the open design, the menus,
// tool bar and status bar, and the panels that show the design's data and
// results. File handling, start-up and placement come from the framework
// classes (KitMain.h); the commands of the result windows, data forms and
// tools are added by those parts as they come.

#include <memory>

#include <QPointer>

#include "bend/Bend.h"
#include "desktop/kit/KitMain.h"

class QMenu;
class QToolBar;

namespace umbrinex {

class TDesignCheckLine;
class TCompareDataWindow;
class TMainEditing;
class TMainPanels;
class TMainResults;
class TMainStatusBar;

class TMainForm : public TTessanMainForm {
  Q_OBJECT

 public:
  TMainForm();
  ~TMainForm() override;

  // The kit holds the model as a TModel; this program's is the bend design.
  TBend& Model() override { return static_cast<TBend&>(TTessanMainForm::Model()); }

  TMainPanels& Panels() const { return *FPanels; }
  TMainStatusBar& StatusPanels() const { return *FStatusBar; }
  // The verdict of the design check, below the title panel.
  TDesignCheckLine& CheckLine() const { return *FCheckLine; }
  // Null until the model exists.
  TMainResults* Results() const { return FResults; }
  // The data forms, Undo and Redo.
  TMainEditing& Editing() const { return *FEditing; }
  // The header of copies, prints, exports and values tables: the program's
  // name, and the file with its last change once the design has one.
  std::string ReportTitle();

  QMenu* FileMenu;
  QMenu* EditMenu;
  QMenu* ResultsMenu;
  QMenu* ToolsMenu;
  QMenu* HelpMenu;
  QToolBar* MainToolBar;
  // The recent files also drop down from the tool bar's Open button.
  QMenu* OpenButtonMenu;

  QAction* acFileSaveDataAndResults;
  QAction* acFileCompareResults;
  QAction* acFileCompareData;
  QAction* acFileExportData;
  QAction* acFilePrintData;
  QAction* acFileImportLoadCases;
  QAction* acFileExportLoadCases;
  QAction* acEditCopy;
  QAction* acResultsKeyValues;
  QAction* acResultsValues;
  QAction* acResultsAddPoints;
  QAction* acResultsAccuracy;
  QAction* acToolsPreferences;
  QAction* acShowStandardDiameters;
  QAction* acApplyStandardDiameters;
  QAction* acShowLoadCaseLabels;
  QAction* acToolsSizeStiffener;
  QAction* acToolsUnits;

 protected:
  std::unique_ptr<TModel> CreateModel() override;
  void ModelCreated() override;
  QWidget* MakeWelcomeForm() override;
  void ShowAbout() override;
  void Idle() override;
  // Escape during a calculation asks the progress display to cancel it.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The menu key over the trees opens the current result window's menu.
  void contextMenuEvent(QContextMenuEvent* event) override;
  void ModelNotification(TModelNotification id, int value, TNamedObject* object) override;
  void BusyChanged(bool busy) override;

 private:
  // The in-house commands: the design saved with every result, and a file
  // so saved read back with its results compared.
  void SaveDataAndResults();
  void CompareResults();
  void MakeCommands();
  void BuildFileMenu();
  void BuildMenus();
  void BuildToolBar();
  QAction* PreferenceToggle(const QString& caption, class TBooleanPreference& setting);

  TMainPanels* FPanels;
  TMainStatusBar* FStatusBar;
  TDesignCheckLine* FCheckLine;
  TMainEditing* FEditing;
  QPointer<TCompareDataWindow> FCompareData;
  TMainResults* FResults = nullptr;
};

// The main window made and initialised as at start-up (arguments as the
// program got them, its own name first); not yet shown.
std::unique_ptr<TMainForm> CreateMainForm(const QStringList& arguments);

}  // namespace umbrinex
