#pragma once
// The panels of the main window below its tool bar: the title panel with
// the project texts, the control panel on the left with the data, results
// and load case view trees, and the results panel that the result windows
// fill. The trees carry their fixed nodes; opening forms and showing
// results from them is the result windows' business.

#include <functional>

#include <QPointer>
#include <QStatusBar>
#include <QWidget>

#include "framework/data/Progress.h"

class QLabel;
class QSplitter;
class QStackedWidget;
class QTreeWidget;

namespace umbrinex {

class TBend;

class TTitlePanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int PanelHeight = 56;
  // logoWidth: the width the logo is centred over (the left panel's).
  TTitlePanel(std::function<const TBend*()> model, std::function<int()> logoWidth, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<const TBend*()> FModel;
  std::function<int()> FLogoWidth;
};

class TMainPanels : public QWidget {
  Q_OBJECT

 public:
  explicit TMainPanels(std::function<const TBend*()> model, QWidget* parent = nullptr);
  // The two panel sizes go back into their settings, once they have been
  // on the screen.
  ~TMainPanels() override;

  TTitlePanel* TitlePanel() const { return FTitlePanel; }
  QTreeWidget* DataTree() const { return FDataTree; }
  QTreeWidget* ResultsTree() const { return FResultsTree; }
  QTreeWidget* LoadCaseViewTree() const { return FLoadCaseViewTree; }
  // Holds the result windows and, on top when nothing can be shown, the
  // panel with the reason.
  QStackedWidget* ResultsPanel() const { return FResultsPanel; }
  QLabel* CannotDisplayLabel() const { return FCannotDisplay; }
  // While a modal operation runs the trees take no input.
  void SetTreesEnabled(bool enabled);

 protected:
  void showEvent(QShowEvent* event) override;

 signals:
  // Double-click or Enter on node i of the data tree.
  void DataNodeActivated(int node);

 private:
  QWidget* MakeControlPanel();
  TTitlePanel* FTitlePanel;
  QWidget* FControlPanel = nullptr;
  QSplitter* FMainSplitter;
  QSplitter* FTreeSplitter = nullptr;
  QTreeWidget* FDataTree = nullptr;
  QTreeWidget* FResultsTree = nullptr;
  QTreeWidget* FLoadCaseViewTree = nullptr;
  QStackedWidget* FResultsPanel;
  QLabel* FCannotDisplay;
  QPointer<QWidget> FFocusBeforeBusy;
  bool FShown = false;
};

// Three panels; only the first is written, by the progress display.
class TMainStatusBar : public QStatusBar, public IProgressOwner {
  Q_OBJECT

 public:
  explicit TMainStatusBar(QWidget* parent = nullptr);
  QLabel* Panel(int i) const { return FPanels[i]; }
  void ProgressStarted() override { ProgressChanged(0); }
  void ProgressChanged(int percent) override;
  void ProgressStopped() override;

 private:
  QLabel* FPanels[3];
};

}  // namespace umbrinex
