#include "shell/Main.h"

#include <QCoreApplication>
#include <QIcon>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "bend/Bend.h"
#include "framework/data/Progress.h"
#include "shell/MainPanels.h"
#include "shell/Preferences.h"

namespace umbrinex {

namespace {

// Settings outlive the window: a listener goes with the object it serves.
void Follow(TPreference& setting, QObject* follower, TPreference::TListener listener)
{
  setting.AddListener(follower, std::move(listener));
  QObject::connect(follower, &QObject::destroyed, [&setting, follower] { setting.RemoveListener(follower); });
}

}  // namespace

TMainForm::TMainForm()
{
  FPanels = new TMainPanels([this]() -> const TBend* { return ModelOrNull(); });
  setCentralWidget(FPanels);
  FStatusBar = new TMainStatusBar;
  setStatusBar(FStatusBar);
  MakeCommands();
  BuildMenus();
  BuildToolBar();
  // Long calculations report in the status bar and keep the window alive.
  SetDefaultProgressOwner(FStatusBar);
  SetProcessPendingEvents([] { QCoreApplication::processEvents(); });
}

TMainForm::~TMainForm()
{
  SetDefaultProgressOwner(nullptr);
  SetProcessPendingEvents({});
}

std::unique_ptr<TBend> TMainForm::CreateModel()
{
  return New<TBend>();
}

QAction* TMainForm::PreferenceToggle(const QString& caption, TBooleanPreference& setting)
{
  QAction* action = AddCommand(caption, [&setting] { setting.Toggle(); });
  action->setCheckable(true);
  action->setChecked(setting.CurrentValue());
  Follow(setting, action, [action](TPreference& changed) {
    action->setChecked(static_cast<TBooleanPreference&>(changed).CurrentValue());
  });
  return action;
}

void TMainForm::MakeCommands()
{
  TProgramPreferences& p = Preferences();
  // Commands whose windows and forms come later stay disabled until then.
  acFileSaveDataAndResults = AddCommand(QStringLiteral("Save Data and Results"), {});
  acFileCompareResults = AddCommand(QStringLiteral("Compare Results"), {});
  for (QAction* inHouse : {acFileSaveDataAndResults, acFileCompareResults}) {
    inHouse->setVisible(p.CompareResultsEnabled.CurrentValue());
    Follow(p.CompareResultsEnabled, inHouse, [inHouse](TPreference& changed) {
      inHouse->setVisible(static_cast<TBooleanPreference&>(changed).CurrentValue());
    });
  }
  acFileCompareData = AddCommand(QStringLiteral("Co&mpare Data"), {});
  acFileExportData = AddCommand(QStringLiteral("&Export Data"), {});
  acFilePrintData = AddCommand(QStringLiteral("Print &Data"), {});
  acEditCopy = AddCommand(QStringLiteral("&Copy"), {}, QKeySequence(Qt::CTRL | Qt::Key_C));
  acResultsKeyValues = AddCommand(QStringLiteral("&Key Values"), {});
  acResultsValues = AddCommand(QStringLiteral("&Values"), {});
  acResultsAddPoints = AddCommand(QStringLiteral("&Add Points"), {});
  acToolsPreferences = AddCommand(QStringLiteral("&Preferences.."), {});
  acShowStandardDiameters = PreferenceToggle(QStringLiteral("&Show Standard Diameters"), p.ShowStandardDiameters);
  acApplyStandardDiameters = AddCommand(QStringLiteral("&Apply Standard Diameters"), {});
  acShowLoadCaseLabels = PreferenceToggle(QStringLiteral("Show Load Case &Labels"), p.ShowLoadCaseLabels);
}

void TMainForm::BuildFileMenu()
{
  FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  FileMenu->addActions(
      {acFileNew, acFileOpen, acFileSave, acFileSaveAs, acFileSaveDataAndResults, acFileCompareResults});
  FileMenu->addSeparator();
  FileMenu->addActions({acFileCompareData, acFileExportData, acFilePrintData});
  FileMenu->addSeparator();
  AddPrinterMenu(FileMenu);
  FileMenu->addAction(acFilePrinterSetup);
  QAction* recentStart = FileMenu->addSeparator();
  QAction* recentFinish = FileMenu->addSeparator();
  FileMenu->addAction(acFileExit);
  RecentFiles().AddMenuPlace(FileMenu, recentStart, recentFinish);
}

void TMainForm::BuildMenus()
{
  BuildFileMenu();
  EditMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
  EditMenu->addAction(acEditCopy);
  ResultsMenu = menuBar()->addMenu(QStringLiteral("&Results"));
  ResultsMenu->addActions({acResultsKeyValues, acResultsValues, acResultsAddPoints});
  ToolsMenu = menuBar()->addMenu(QStringLiteral("&Tools"));
  ToolsMenu->addAction(acToolsPreferences);
  ToolsMenu->addSeparator();
  ToolsMenu->addActions({acShowStandardDiameters, acApplyStandardDiameters, acShowLoadCaseLabels});
  HelpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
  HelpMenu->addAction(acHelpManual);
  HelpMenu->addSeparator();
  HelpMenu->addAction(acHelpAbout);
}

void TMainForm::BuildToolBar()
{
  acFileNew->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
  acFileOpen->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  acFileSave->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  acEditCopy->setIcon(
      QIcon::fromTheme(QStringLiteral("edit-copy"), style()->standardIcon(QStyle::SP_FileDialogDetailedView)));

  MainToolBar = addToolBar(QStringLiteral("Tools"));
  MainToolBar->setMovable(false);
  MainToolBar->addAction(acFileNew);
  OpenButtonMenu = new QMenu(this);
  QAction* recentStart = OpenButtonMenu->addSeparator();
  QAction* recentFinish = OpenButtonMenu->addSeparator();
  RecentFiles().AddMenuPlace(OpenButtonMenu, recentStart, recentFinish);
  auto* openButton = new QToolButton;
  openButton->setDefaultAction(acFileOpen);
  openButton->setMenu(OpenButtonMenu);
  openButton->setPopupMode(QToolButton::MenuButtonPopup);
  MainToolBar->addWidget(openButton);
  MainToolBar->addAction(acFileSave);
  MainToolBar->addSeparator();
  MainToolBar->addAction(acEditCopy);
}

void TMainForm::ModelNotification(TModelNotification id, int value, TNamedObject* object)
{
  TTessanMainForm::ModelNotification(id, value, object);
  // The project texts may have changed, or a new design come in.
  if (id == TModelNotification::ModelReset || id == TModelNotification::DataChanged) FPanels->TitlePanel()->update();
}

void TMainForm::BusyChanged(bool busy)
{
  TTessanMainForm::BusyChanged(busy);
  FPanels->SetTreesEnabled(!busy);
}

std::unique_ptr<TMainForm> CreateMainForm(const QStringList& arguments)
{
  auto form = std::make_unique<TMainForm>();
  form->Initialise(arguments);
  return form;
}

}  // namespace umbrinex
