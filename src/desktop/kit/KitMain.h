#pragma once
// The framework's main-window classes, one layer each:
//   TKitMainWindow    a form (FormBase.h) with commands that follow the busy
//                     count, and idle processing;
//   TTessanFilerForm  the file commands, the recent files and the caption;
//   TTessanMainForm   start-up, the command line, placement, printers, about.
// The program's own main window (Main.h) derives from the last.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QPointer>

#include "framework/data/Model.h"
#include "desktop/kit/FileCommands.h"
#include "desktop/kit/Filer.h"
#include "desktop/kit/FormBase.h"
#include "desktop/kit/Mru.h"

class QMenu;

namespace umbrinex {

class TModel;

class TKitMainWindow : public QMainWindow, public TFormBase {
  Q_OBJECT

 public:
  explicit TKitMainWindow(QWidget* parent = nullptr);
  ~TKitMainWindow() override;

  // An action whose command runs under the program's error handler. An
  // action that follows the busy count is disabled while a modal operation
  // runs. Without a command the action stays disabled: its command comes
  // with a later part of the program.
  QAction* AddCommand(const QString& caption, std::function<void()> command, const QKeySequence& shortcut = {},
                      bool followsBusy = true);

 protected:
  // At every moment the event queue runs empty.
  virtual void Idle() {}
  void BusyChanged(bool busy) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::vector<QPointer<QAction>> FBusyActions;
};

class TTessanFilerForm : public TKitMainWindow, public IFilerOwner {
  Q_OBJECT

 public:
  ~TTessanFilerForm() override;

  virtual TModel& Model() = 0;
  // The program's title with its version.
  virtual std::string Title() const = 0;
  virtual std::string ProgramName() const = 0;

  TTessanFiler& Filer() { return FFiler; }
  TMRU& RecentFiles() { return *FRecentFiles; }
  TFileCommands& FileCommands() { return FFileCommands; }
  // Recomputed at idle moments; the task-bar title is kept for whoever
  // shows one.
  void UpdateCaption();
  const std::string& TaskBarTitleText() const { return FTaskBarTitle; }

  QAction* acFileNew;
  QAction* acFileOpen;
  QAction* acFileSave;
  QAction* acFileSaveAs;
  QAction* acFileExit;

 protected:
  explicit TTessanFilerForm(const std::string& recentListName);
  // False while there is no model yet.
  virtual bool ModelModified() const = 0;
  void CurrentFileNameChanged() override;
  void Idle() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  TTessanFiler FFiler;
  std::unique_ptr<TMRU> FRecentFiles;
  TFileCommands FFileCommands;
  std::string FTaskBarTitle;
};

class TTessanMainForm : public TTessanFilerForm, public IModelNotificationTarget {
  Q_OBJECT

 public:
  ~TTessanMainForm() override;

  // The construction steps that need the finished object: the command line,
  // the welcome window, the model, the caption and the placement.
  void Initialise(const QStringList& arguments);
  // Shows the window in its stored state and waits for the first idle moment.
  void ShowMainWindow();
  // Opens the file named on the command line; from then on the window
  // counts as started and stores its placement when it closes.
  void FirstIdle();

  bool Started() const { return FStarted; }
  const std::string& CommandLineFileName() const { return FCommandLineFileName; }
  TModel& Model() override { return *FModel; }
  // Null until Initialise has made the model.
  TModel* ModelOrNull() const { return FModel.get(); }
  std::string Title() const override;
  std::string ProgramName() const override;
  // A filer that does not remember its names, for the framework's prompts.
  TTessanFiler& SecondFiler() { return FSecondFiler; }
  // The window that greets the user at start-up, while it shows.
  QWidget* WelcomeForm() const;
  // The state the window shows in: 0 normal, 2 maximised.
  int StartState() const { return FStartState; }

  QAction* acFilePrinterSetup;
  QAction* acHelpContents;
  QAction* acHelpManual;
  QAction* acHelpAbout;

 protected:
  TTessanMainForm();
  virtual std::unique_ptr<TModel> CreateModel() = 0;
  // Called once the model exists, before the caption and placement.
  virtual void ModelCreated() {}
  // The program's own greeting and About box.
  virtual QWidget* MakeWelcomeForm() { return nullptr; }
  virtual void ShowAbout() = 0;
  bool ModelModified() const override;
  void ModelNotification(TModelNotification id, int value, TNamedObject* object) override;
  void closeEvent(QCloseEvent* event) override;
  // Adds the "Sele&cted Printer" sub-menu to the File menu.
  void AddPrinterMenu(QMenu* fileMenu);

 private:
  void PlaceWindow();
  std::string FCommandLineFileName;
  std::unique_ptr<TModel> FModel;
  std::vector<QWidget*> FWindows;
  TTessanFiler FSecondFiler;
  QPointer<QWidget> FWelcome;
  int FStartState = 2;
  bool FStarted = false;
  bool FFirstIdleDone = false;
};

}  // namespace umbrinex
