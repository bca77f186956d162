#pragma once
// What the results tree shows. The embedded result windows are made once and
// stacked in the results panel; selecting a node brings its window to the
// front and refreshes it, which is when results get calculated. The refresh
// is the one place that sorts out what went wrong: a view with nothing to
// show puts its reason in the panel, a cancellation passes quietly, and any
// other error marks every result failed before it is shown, so that the same
// error does not come back at every selection until the design changes.

#include <functional>
#include <string>
#include <vector>

#include <QObject>

#include "charts/ResultsGraphs.h"

class QAction;
class QTreeWidgetItem;

namespace umbrinex {

class TBend;
class TMainPanels;
class TResultWindow;
class TGraphWindow;
class TViewWindow;
class TTableWindow;

// The fixed nodes of the results tree, in their order.
enum TResultsNode : int {
  rnGeneralArrangement = 0,
  rnDiameter,
  rnStiffness,
  rnDesignChart,
  rnPerformanceChart,
  rnPerformanceMap,
  FixedResultsNodes
};
// The views of a load case, in the order of the load case view tree.
enum TLoadCaseView : int { lvDeflectedShape = 0, lvDeflectionChart, lvCurvatureChart, lvStrainChart };

class TMainResults : public QObject {
  Q_OBJECT

 public:
  TMainResults(TBend& bend, TMainPanels& panels, QObject* parent = nullptr);
  ~TMainResults() override;

  // The header of copies, exports and prints.
  std::function<std::string()> ReportTitle;

  TResultWindow* CurrentWindow() const { return FCurrent; }
  TViewWindow* GeneralArrangement() const { return FArrangement; }
  TViewWindow* DeflectedShape() const { return FDeflected; }
  TGraphWindow* GraphWindow(TResultsGraph kind) const;
  // True while the panel shows why nothing can be displayed.
  bool ShowingCannotDisplay() const;

  // Exactly one node per load case after the fixed ones, with its caption.
  void UpdateLoadCaseNodes();
  // Brings the selected node's window to the front and redraws it; while a
  // modal operation runs this waits for the next idle moment.
  void Refresh();
  bool RefreshPending() const { return FRefreshPending; }
  void Idle();
  // After a change of the design: results calculated afresh at the next idle moment.
  void DataChanged();

  // The commands that depend on the current window.
  void CopyCurrent();
  // The reports in a modal table window; null-result commands do nothing.
  void ShowKeyValues();
  void ShowValues();
  // The sheet of the report the current view has, filled for a table window.
  bool FillValues(TTableWindow& table);
  void ApplyStandardDiameters();
  void AddPoints();

  // Shown on top of a table before it runs modally; tests watch it.
  std::function<void(TTableWindow&)> OnTableShown;
  // Runs a command that changes the design so that it can be undone; by
  // default the command just runs.
  std::function<void(const QString& caption, const std::function<void()>& change)> ChangeDesign;

 private:
  void NodeSelected();
  void MakeWindows();
  void AddExtras();
  void ShowCannotDisplay(const QString& text);
  TResultWindow* SelectedWindow() const;
  void RunTable(const std::function<bool(TTableWindow&)>& fill);

  TBend& FBend;
  TMainPanels& FPanels;
  TViewWindow* FArrangement = nullptr;
  TViewWindow* FDeflected = nullptr;
  std::vector<TGraphWindow*> FGraphs;
  TResultWindow* FCurrent = nullptr;
  bool FRefreshPending = false;
  bool FRefreshing = false;
  bool FResultsFailed = false;
};

}  // namespace umbrinex
