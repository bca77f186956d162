#include "desktop/kit/KitMain.h"

#include <algorithm>
#include <filesystem>

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "framework/data/Messages.h"
#include "framework/data/Progress.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/FileNames.h"
#include "desktop/kit/Help.h"
#include "desktop/kit/HelpWindow.h"
#include "desktop/kit/KitPreferences.h"
#include "desktop/kit/Printing.h"
#include "desktop/kit/StartUp.h"
#include "desktop/kit/Program.h"

namespace umbrinex {

// ---- TKitMainWindow ----

TKitMainWindow::TKitMainWindow(QWidget* parent) : QMainWindow(parent), TFormBase(static_cast<QWidget&>(*this))
{
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { Guarded([this] { Idle(); }); });
}

TKitMainWindow::~TKitMainWindow()
{
  BeginDestruction();
}

void TKitMainWindow::BusyChanged(bool busy)
{
  for (const QPointer<QAction>& action : FBusyActions)
    if (action) action->setEnabled(!busy);
}

void TKitMainWindow::keyPressEvent(QKeyEvent* event)
{
  if (!HandleEscape(event)) QMainWindow::keyPressEvent(event);
}

QAction* TKitMainWindow::AddCommand(const QString& caption, std::function<void()> command, const QKeySequence& shortcut,
                                    bool followsBusy)
{
  auto* action = new QAction(caption, this);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  if (!command) {
    action->setEnabled(false);
    return action;
  }
  connect(action, &QAction::triggered, this, [command = std::move(command)] { Guarded(command); });
  if (followsBusy) {
    FBusyActions.emplace_back(action);
    action->setEnabled(BusyCount() == 0);
  }
  return action;
}

// ---- TTessanFilerForm ----

TTessanFilerForm::TTessanFilerForm(const std::string& recentListName)
    : FFiler(this, &KitPreferences().LatestMainFileName, true),
      FRecentFiles(std::make_unique<TMRU>(recentListName)),
      FFileCommands(FFiler, [this]() -> TModel& { return Model(); })
{
  acFileNew = AddCommand(QStringLiteral("&New"), [this] { FFileCommands.New(); });
  acFileOpen = AddCommand(QStringLiteral("&Open.."), [this] { FFileCommands.Open(); });
  acFileSave = AddCommand(
      QStringLiteral("&Save"), [this] { FFileCommands.Save(); }, QKeySequence(Qt::CTRL | Qt::Key_S));
  acFileSaveAs = AddCommand(QStringLiteral("Save &As.."), [this] { FFileCommands.SaveAs(); });
  acFileExit = AddCommand(
      QStringLiteral("E&xit"), [this] { close(); }, QKeySequence(Qt::ALT | Qt::Key_F4), false);
  FRecentFiles->SetClickHandler(
      [this](const std::string& fileName) { Guarded([&] { FFileCommands.OpenFile(fileName); }); });
}

TTessanFilerForm::~TTessanFilerForm() = default;

void TTessanFilerForm::CurrentFileNameChanged()
{
  UpdateCaption();
  std::error_code error;
  const std::string& fileName = FFiler.CurrentFileName();
  if (!fileName.empty() && std::filesystem::exists(fileName, error)) FRecentFiles->AddFile(LongFileName(fileName));
}

void TTessanFilerForm::UpdateCaption()
{
  const bool modified = ModelModified();
  const QString caption = QString::fromStdString(WindowCaption(Title(), FFiler.CurrentFileName(), modified));
  if (windowTitle() != caption) setWindowTitle(caption);
  FTaskBarTitle = TaskBarTitle(ProgramName(), FFiler.CurrentFileName(), modified);
}

void TTessanFilerForm::Idle()
{
  UpdateCaption();
}

void TTessanFilerForm::closeEvent(QCloseEvent* event)
{
  // Closing in the middle of a calculation asks it to stop instead.
  if (BusyCount() > 0) {
    Progress().RequestCancel();
    event->ignore();
    return;
  }
  bool canClose = false;
  Guarded([&] {
    FFileCommands.CheckSaveChanges();
    canClose = true;
  });
  if (canClose)
    event->accept();
  else
    event->ignore();
}

// ---- TTessanMainForm ----

TTessanMainForm::TTessanMainForm()
    : TTessanFilerForm("MRU"), FSecondFiler(nullptr, &KitPreferences().LatestMainFileName, false)
{
  acFilePrinterSetup = AddCommand(QStringLiteral("Printer Set&up.."), [this] { ShowPrinterSetup(this); });
  acHelpContents = AddCommand(
      QStringLiteral("&Contents"), [] { ShowHelp(); }, QKeySequence(Qt::Key_F1), false);
  acHelpManual = AddCommand(
      QStringLiteral("&Manual (PDF)"), [] { OpenManual(); }, {}, false);
  acHelpAbout = AddCommand(
      QStringLiteral("About.."), [this] { ShowAbout(); }, {}, false);
}

TTessanMainForm::~TTessanMainForm()
{
  CloseHelpWindow();
  if (FModel) FModel->SetNotificationTarget(nullptr);
}

std::string TTessanMainForm::Title() const
{
  return Program().Title;
}

std::string TTessanMainForm::ProgramName() const
{
  return Program().Name;
}

bool TTessanMainForm::ModelModified() const
{
  return FModel && FModel->Modified();
}

QWidget* TTessanMainForm::WelcomeForm() const
{
  return FWelcome;
}

void TTessanMainForm::Initialise(const QStringList& arguments)
{
  std::vector<std::string> parameters;
  for (qsizetype i = 1; i < arguments.size(); ++i) parameters.push_back(arguments[i].toStdString());
  FCommandLineFileName = ReadCommandLine(parameters);
  FWelcome = MakeWelcomeForm();
  FModel = CreateModel();
  FModel->SetNotificationTarget(this);
  ModelCreated();
  FWindows.clear();
  UpdateCaption();
  PlaceWindow();
}

void TTessanMainForm::PlaceWindow()
{
  const TKitPreferences& p = KitPreferences();
  QRect placed(p.MainWindowLeft.CurrentValue(), p.MainWindowTop.CurrentValue(), p.MainWindowWidth.CurrentValue(),
               p.MainWindowHeight.CurrentValue());
  const QScreen* screen = QGuiApplication::screenAt(placed.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen)
    placed =
        KeepOnMonitor(placed, style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth), screen->availableGeometry());
  setGeometry(placed);
  FStartState = StartingWindowState(p.WindowState.CurrentValue());
}

void TTessanMainForm::ShowMainWindow()
{
  if (FStartState == 2)
    showMaximized();
  else
    showNormal();
  raise();
  activateWindow();
  // The welcome window stays in front until it goes.
  if (FWelcome) FWelcome->raise();
  QTimer::singleShot(0, this, [this] { FirstIdle(); });
}

void TTessanMainForm::FirstIdle()
{
  if (FStarted) return;
  FStarted = true;
  if (FCommandLineFileName.empty()) return;
  // A failed read leaves the default design open.
  try {
    Filer().Load(FCommandLineFileName, CommandLineOpeningClass(FCommandLineFileName), Model());
  } catch (...) {
    HandleCommandLineException(std::current_exception());
  }
}

void TTessanMainForm::ModelNotification(TModelNotification id, int value, TNamedObject* /*object*/)
{
  // A new design has no file yet; values put back belong to the open one.
  if (id == TModelNotification::ModelReset && value != ResetRestoresValues) Filer().Forget();
}

void TTessanMainForm::closeEvent(QCloseEvent* event)
{
  TTessanFilerForm::closeEvent(event);
  if (!event->isAccepted() || !FStarted) return;
  if (isMinimized())
    StoreWindowPlacement(TClosingState::Minimised, {});
  else if (isMaximized() || isFullScreen())
    StoreWindowPlacement(TClosingState::Maximised, {});
  else
    StoreWindowPlacement(TClosingState::Normal, geometry());
}

void TTessanMainForm::AddPrinterMenu(QMenu* fileMenu)
{
  QMenu* printers = fileMenu->addMenu(QStringLiteral("Sele&cted Printer"));
  new TPrinterMenu(fileMenu, printers);
}

}  // namespace umbrinex
