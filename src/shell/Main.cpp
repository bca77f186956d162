#include "shell/Main.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "bend/Bend.h"
#include "framework/data/Messages.h"
#include "framework/data/Progress.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/ResultWindow.h"
#include "shell/AboutBox.h"
#include "shell/CheckViews.h"
#include "shell/CompareData.h"
#include "shell/DataCommands.h"
#include "shell/LoadCaseCommands.h"
#include "shell/MainEditing.h"
#include "shell/MainPanels.h"
#include "shell/MainResults.h"
#include "shell/Preferences.h"
#include "shell/PreferencesForm.h"
#include "shell/SizingForm.h"
#include "shell/UnitsForm.h"
#include "shell/WelcomeForm.h"

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
  FPanels = new TMainPanels([this]() -> const TBend* { return static_cast<const TBend*>(ModelOrNull()); });
  setCentralWidget(FPanels);
  FStatusBar = new TMainStatusBar;
  setStatusBar(FStatusBar);
  FCheckLine = new TDesignCheckLine;
  FCheckLine->PlaceBelow(FPanels->TitlePanel());
  FEditing = new TMainEditing(*this);
  MakeCommands();
  BuildMenus();
  BuildToolBar();
  // Long calculations report in the status bar and keep the window alive.
  SetDefaultProgressOwner(FStatusBar);
  SetProcessPendingEvents([] { QCoreApplication::processEvents(); });
  qApp->installEventFilter(this);
}

TMainForm::~TMainForm()
{
  // The comparison window keeps its settings as it goes.
  delete FCompareData.data();
  DeleteCompareDocuments();
  SetDefaultProgressOwner(nullptr);
  SetProcessPendingEvents({});
}

QWidget* TMainForm::MakeWelcomeForm()
{
  return new TWelcomeForm(this);
}

void TMainForm::ShowAbout()
{
  TAboutBox about(this);
  about.exec();
}

std::unique_ptr<TModel> TMainForm::CreateModel()
{
  return New<TBend>();
}

void TMainForm::ModelCreated()
{
  FResults = new TMainResults(Model(), *FPanels, this);
  FResults->ReportTitle = [this] { return ReportTitle(); };
  connect(acEditCopy, &QAction::triggered, this, [this] { Guarded([this] { FResults->CopyCurrent(); }); });
  connect(acResultsKeyValues, &QAction::triggered, this, [this] { Guarded([this] { FResults->ShowKeyValues(); }); });
  connect(acResultsValues, &QAction::triggered, this, [this] { Guarded([this] { FResults->ShowValues(); }); });
  connect(acResultsAddPoints, &QAction::triggered, this, [this] { Guarded([this] { FResults->AddPoints(); }); });
  connect(acResultsAccuracy, &QAction::triggered, this,
          [this] { Guarded([this] { ShowAccuracy(Model(), this, FResults->OnTableShown); }); });
  connect(acApplyStandardDiameters, &QAction::triggered, this,
          [this] { Guarded([this] { FResults->ApplyStandardDiameters(); }); });
  connect(acToolsSizeStiffener, &QAction::triggered, this, [this] {
    Guarded([this] {
      TSizingForm form(*this);
      form.ShowModal();
    });
  });
  for (QAction* action : {acEditCopy, acResultsKeyValues, acResultsValues, acResultsAddPoints, acResultsAccuracy,
                          acApplyStandardDiameters, acToolsSizeStiffener})
    action->setEnabled(true);
  TProgramPreferences& p = Preferences();
  // The graphs read these switches from their own settings, which follow
  // the preference in a listener of their own: the redraw waits for them.
  auto refreshSoon = [this] { QTimer::singleShot(0, FResults, [this] { FResults->Refresh(); }); };
  Follow(p.ShowStandardDiameters, FResults, [refreshSoon](TPreference&) { refreshSoon(); });
  // Labels are drawn as the map is built, so the map starts again.
  Follow(p.ShowLoadCaseLabels, FResults, [this, refreshSoon](TPreference&) {
    Model().SetPerformanceMapState(pmNotBuilt);
    refreshSoon();
  });
  FResults->ChangeDesign = [this](const QString& caption, const std::function<void()>& change) {
    FEditing->ChangeDesign(caption, change);
  };
  FileCommands().AfterFileCommand = [this] { FEditing->ClearUndo(); };
  ConnectDataCommands(*this);
  connect(FPanels, &TMainPanels::DataNodeActivated, this,
          [this](int node) { Guarded([this, node] { FEditing->EditNode(node); }); });
  FResults->Refresh();
}

std::string TMainForm::ReportTitle()
{
  return ReportTitleFor(Filer().HasFileName() ? Filer().CurrentFileName() : std::string());
}

void TMainForm::Idle()
{
  TTessanMainForm::Idle();
  if (!FResults) return;
  acApplyStandardDiameters->setEnabled(BusyCount() == 0 && Model().StiffenerDefinition() == sdPowerLaw);
  FResults->Idle();
  if (BusyCount() == 0 && !Progress().Active()) FCheckLine->Update(Model());
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
      Progress().Active()) {
    Progress().RequestCancel();
    return true;
  }
  return TTessanMainForm::eventFilter(watched, event);
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
  // Commands whose windows come later stay disabled until then.
  acFileSaveDataAndResults = AddCommand(QStringLiteral("Save Data and Results"), [this] { SaveDataAndResults(); });
  acFileCompareResults = AddCommand(QStringLiteral("Compare Results"), [this] { CompareResults(); });
  for (QAction* inHouse : {acFileSaveDataAndResults, acFileCompareResults}) {
    inHouse->setVisible(p.CompareResultsEnabled.CurrentValue());
    Follow(p.CompareResultsEnabled, inHouse, [inHouse](TPreference& changed) {
      inHouse->setVisible(static_cast<TBooleanPreference&>(changed).CurrentValue());
    });
  }
  acFileCompareData = AddCommand(QStringLiteral("Co&mpare Data"), [this] {
    if (!FCompareData) FCompareData = new TCompareDataWindow(this);
    FCompareData->exec();
  });
  acFileExportData = AddCommand(QStringLiteral("&Export Data"), {});
  acFilePrintData = AddCommand(QStringLiteral("Print &Data"), {});
  // Made with their commands, so that they are disabled while a calculation
  // runs (an import changes the design under it); nothing before the model.
  acFileImportLoadCases = AddCommand(QStringLiteral("&Import Load Cases.."), [this] {
    if (FResults) ImportLoadCases(*this);
  });
  acFileExportLoadCases = AddCommand(QStringLiteral("Export &Load Cases.."), [this] {
    if (FResults) ExportLoadCases(*this);
  });
  acEditCopy = AddCommand(QStringLiteral("&Copy"), {}, QKeySequence(Qt::CTRL | Qt::Key_C));
  acResultsKeyValues = AddCommand(QStringLiteral("&Key Values"), {});
  acResultsValues = AddCommand(QStringLiteral("&Values"), {});
  acResultsAddPoints = AddCommand(QStringLiteral("&Add Points"), {});
  acResultsAccuracy = AddCommand(QStringLiteral("A&ccuracy"), {});
  acToolsPreferences =
      AddCommand(QStringLiteral("&Preferences.."), [this] { TPreferencesForm::Make(this)->Execute(); });
  acShowStandardDiameters = PreferenceToggle(QStringLiteral("&Show Standard Diameters"), p.ShowStandardDiameters);
  acApplyStandardDiameters = AddCommand(QStringLiteral("&Apply Standard Diameters"), {});
  acShowLoadCaseLabels = PreferenceToggle(QStringLiteral("Show Load Case &Labels"), p.ShowLoadCaseLabels);
  acToolsSizeStiffener = AddCommand(QStringLiteral("Si&ze Stiffener..."), {});
  acToolsUnits = AddCommand(QStringLiteral("&Units..."), [this] {
    TUnitsForm form(*this);
    form.ShowModal();
  });
}

void TMainForm::BuildFileMenu()
{
  FileMenu = menuBar()->addMenu(QStringLiteral("&File"));
  FileMenu->addActions(
      {acFileNew, acFileOpen, acFileSave, acFileSaveAs, acFileSaveDataAndResults, acFileCompareResults});
  FileMenu->addSeparator();
  FileMenu->addActions({acFileCompareData, acFileExportData, acFilePrintData});
  FileMenu->addSeparator();
  FileMenu->addActions({acFileImportLoadCases, acFileExportLoadCases});
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
  EditMenu->addActions({FEditing->acUndo, FEditing->acRedo});
  EditMenu->addSeparator();
  EditMenu->addAction(acEditCopy);
  ResultsMenu = menuBar()->addMenu(QStringLiteral("&Results"));
  ResultsMenu->addActions({acResultsKeyValues, acResultsValues, acResultsAddPoints});
  ResultsMenu->addSeparator();
  ResultsMenu->addAction(acResultsAccuracy);
  ToolsMenu = menuBar()->addMenu(QStringLiteral("&Tools"));
  ToolsMenu->addAction(acToolsPreferences);
  ToolsMenu->addAction(acToolsUnits);
  ToolsMenu->addSeparator();
  ToolsMenu->addActions({acShowStandardDiameters, acApplyStandardDiameters, acShowLoadCaseLabels});
  ToolsMenu->addSeparator();
  ToolsMenu->addAction(acToolsSizeStiffener);
  HelpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
  HelpMenu->addAction(acHelpContents);
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
  if (TTessanDataForm* form = FEditing->CurrentDataForm()) form->ModelNotification(id, value, object);
  // The project texts may have changed, or a new design come in.
  if (id == TModelNotification::ModelReset || id == TModelNotification::DataChanged) {
    FPanels->TitlePanel()->update();
    FCheckLine->Invalidate();
  }
  if (!FResults) return;
  switch (id) {
    case TModelNotification::LoadCasesChanged:
      FResults->UpdateLoadCaseNodes();
      break;
    case TModelNotification::ModelReset:
      FResults->UpdateLoadCaseNodes();
      FResults->DataChanged();
      break;
    case TModelNotification::DataChanged:
      FResults->DataChanged();
      break;
    case TModelNotification::AddPerformancePoints:
      FResults->Refresh();
      break;
    default:
      break;
  }
}

void TMainForm::BusyChanged(bool busy)
{
  TTessanMainForm::BusyChanged(busy);
  FPanels->SetTreesEnabled(!busy);
}

void TMainForm::contextMenuEvent(QContextMenuEvent* event)
{
  QWidget* panel = FPanels->ResultsPanel();
  const QPoint inPanel = panel->mapFrom(this, event->pos());
  if (FResults && inPanel.x() < 0 && !FResults->ShowingCannotDisplay() && FResults->CurrentWindow()) {
    FResults->CurrentWindow()->ContextMenu()->popup(panel->mapToGlobal(QPoint(0, 0)));
    return;
  }
  TTessanMainForm::contextMenuEvent(event);
}

// ---- in-house testing: results saved with the design and compared ----

namespace {
// The results mode of the design for one command, 0 again afterwards.
class TResultsFileMode {
 public:
  TResultsFileMode(TBend& bend, std::uint8_t mode) : FBend(bend) { FBend.SetResultsFileMode(mode); }
  ~TResultsFileMode() { FBend.SetResultsFileMode(0); }
  TResultsFileMode(const TResultsFileMode&) = delete;
  TResultsFileMode& operator=(const TResultsFileMode&) = delete;

 private:
  TBend& FBend;
};
}  // namespace

void TMainForm::SaveDataAndResults()
{
  TResultsFileMode mode(Model(), 1);
  Filer().ShowSaveDialog("Save Data and Results", {DataFileClass}, DataFileClass);
  Filer().Save(Filer().LatestFileName(), DataFileClass, true, Model());
}

void TMainForm::CompareResults()
{
  TResultsFileMode mode(Model(), 2);
  FileCommands().CheckSaveChanges();
  Filer().ShowOpenDialog("Open Umbrinex File", {DataFileClass, OldDataFileClass, AllFilesClass}, false, "",
                         DataFileClass);
  const std::string fileName = Filer().LatestFileName();
  const TFileClass chosen = Filer().ChosenFileClass();
  Filer().Load(fileName, chosen == AllFilesClass ? DataFileClassOf(fileName) : chosen, Model());
  FEditing->ClearUndo();
}

std::unique_ptr<TMainForm> CreateMainForm(const QStringList& arguments)
{
  // The in-house configuration is a switch of its own, not a file name.
  QStringList rest = arguments;
  if (rest.removeAll(QStringLiteral("--in-house")) > 0) SetInHouseConfiguration(true);
  // In-house, a copy for Cancel that fails is shown even in quiet mode.
  SetCopyProblemReporter(InHouseConfiguration()
                             ? TCopyProblemReporter([](const std::string& message) { ShowError(message, true); })
                             : TCopyProblemReporter());
  auto form = std::make_unique<TMainForm>();
  form->Initialise(rest);
  return form;
}

}  // namespace umbrinex
