#include "shell/MainResults.h"

#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTreeWidget>

#include "bend/Bend.h"
#include "bend/BendResults.h"
#include "bend/BendVarNums.h"
#include "bend/DesignCheck.h"
#include "bend/KeyResults.h"
#include "bend/LoadCaseResults.h"
#include "framework/data/Messages.h"
#include "desktop/kit/ErrorHandler.h"
#include "desktop/kit/Graph.h"
#include "desktop/kit/TableWindow.h"
#include "graphics/StiffenerDrawing.h"
#include "presentation/CheckReports.h"
#include "presentation/Reports.h"
#include "shell/GraphWindow.h"
#include "shell/MainPanels.h"
#include "shell/Preferences.h"
#include "shell/ViewWindow.h"

namespace umbrinex {

namespace {

constexpr TResultsGraph FixedGraphs[] = {TResultsGraph::Diameter, TResultsGraph::Stiffness, TResultsGraph::DesignChart,
                                         TResultsGraph::PerformanceChart, TResultsGraph::PerformanceMap};
constexpr TResultsGraph LoadCaseGraphs[] = {TResultsGraph::DeflectionChart, TResultsGraph::CurvatureChart,
                                            TResultsGraph::StrainChart};

QAction* InsertCommand(TResultWindow* window, QAction* before, const QString& caption, std::function<void()> command)
{
  auto* action = new QAction(caption, window);
  window->ContextMenu()->insertAction(before, action);
  QObject::connect(action, &QAction::triggered, window, [command = std::move(command)] { Guarded(command); });
  return action;
}

// The menu entry that follows the owner's commands: Export for the
// diameter graph, the separator above it elsewhere.
QAction* ExportEntry(TResultWindow* window)
{
  const QList<QAction*> actions = window->ContextMenu()->actions();
  const qsizetype place = actions.indexOf(window->ExtrasPlace());
  return actions.value(place + 1);
}

}  // namespace

TMainResults::TMainResults(TBend& bend, TMainPanels& panels, QObject* parent)
    : QObject(parent), FBend(bend), FPanels(panels)
{
  MakeWindows();
  AddExtras();
  connect(FPanels.ResultsTree(), &QTreeWidget::currentItemChanged, this, [this] { NodeSelected(); });
  connect(FPanels.LoadCaseViewTree(), &QTreeWidget::currentItemChanged, this, [this] { NodeSelected(); });
  UpdateLoadCaseNodes();
  FCurrent = FArrangement;
}

TMainResults::~TMainResults() = default;

void TMainResults::MakeWindows()
{
  QStackedWidget* stack = FPanels.ResultsPanel();
  auto title = [this] { return ReportTitle ? ReportTitle() : std::string("Umbrinex"); };
  FArrangement = new TViewWindow(FBend, amGeneralArrangement);
  FDeflected = new TViewWindow(FBend, amDeflectedShape);
  stack->addWidget(FArrangement);
  stack->addWidget(FDeflected);
  for (TResultsGraph kind : FixedGraphs) FGraphs.push_back(new TGraphWindow(FBend, kind));
  for (TResultsGraph kind : LoadCaseGraphs) FGraphs.push_back(new TGraphWindow(FBend, kind));
  for (TGraphWindow* graph : FGraphs) stack->addWidget(graph);
  for (TResultWindow* window : stack->findChildren<TResultWindow*>(Qt::FindDirectChildrenOnly))
    window->ReportTitle = title;
}

void TMainResults::AddExtras()
{
  TProgramPreferences& p = Preferences();
  InsertCommand(FArrangement, FArrangement->ExtrasPlace(), QStringLiteral("&Key Values"), [this] { ShowKeyValues(); });
  InsertCommand(FDeflected, FDeflected->ExtrasPlace(), QStringLiteral("&Values"), [this] { ShowValues(); });

  TGraphWindow* diameter = GraphWindow(TResultsGraph::Diameter);
  QAction* exportEntry = ExportEntry(diameter);
  QAction* show = InsertCommand(diameter, exportEntry, QStringLiteral("&Show Standard Diameters"),
                                [&p] { p.ShowStandardDiameters.Toggle(); });
  show->setCheckable(true);
  connect(diameter->ContextMenu(), &QMenu::aboutToShow, show,
          [show, &p] { show->setChecked(p.ShowStandardDiameters.CurrentValue()); });
  QAction* apply = InsertCommand(diameter, exportEntry, QStringLiteral("&Apply Standard Diameters"),
                                 [this] { ApplyStandardDiameters(); });
  connect(diameter->ContextMenu(), &QMenu::aboutToShow, apply,
          [this, apply] { apply->setEnabled(FBend.StiffenerDefinition() == sdPowerLaw); });
  diameter->ContextMenu()->insertSeparator(exportEntry);

  for (TResultsGraph kind :
       {TResultsGraph::DesignChart, TResultsGraph::PerformanceChart, TResultsGraph::DeflectionChart,
        TResultsGraph::CurvatureChart, TResultsGraph::StrainChart}) {
    TGraphWindow* graph = GraphWindow(kind);
    InsertCommand(graph, graph->ExtrasPlace(), QStringLiteral("&Values"), [this] { ShowValues(); });
  }
  TGraphWindow* map = GraphWindow(TResultsGraph::PerformanceMap);
  InsertCommand(map, map->ExtrasPlace(), QStringLiteral("&Add Points"), [this] { AddPoints(); });
  for (TResultsGraph kind : {TResultsGraph::PerformanceChart, TResultsGraph::PerformanceMap}) {
    TGraphWindow* graph = GraphWindow(kind);
    QAction* labels = InsertCommand(graph, graph->ExtrasPlace(), QStringLiteral("Show Load Case &Labels"),
                                    [&p] { p.ShowLoadCaseLabels.Toggle(); });
    labels->setCheckable(true);
    connect(graph->ContextMenu(), &QMenu::aboutToShow, labels,
            [labels, &p] { labels->setChecked(p.ShowLoadCaseLabels.CurrentValue()); });
  }
}

TGraphWindow* TMainResults::GraphWindow(TResultsGraph kind) const
{
  for (TGraphWindow* graph : FGraphs)
    if (graph->Kind() == kind) return graph;
  return nullptr;
}

bool TMainResults::ShowingCannotDisplay() const
{
  return FPanels.ResultsPanel()->currentWidget() == FPanels.CannotDisplayLabel();
}

void TMainResults::UpdateLoadCaseNodes()
{
  QTreeWidget* tree = FPanels.ResultsTree();
  const int needed = FixedResultsNodes + FBend.LoadCaseCount();
  if (tree->topLevelItemCount() > needed) {
    if (tree->indexOfTopLevelItem(tree->currentItem()) >= needed) tree->setCurrentItem(tree->topLevelItem(needed - 1));
    while (tree->topLevelItemCount() > needed) delete tree->takeTopLevelItem(tree->topLevelItemCount() - 1);
  }
  while (tree->topLevelItemCount() < needed) tree->addTopLevelItem(new QTreeWidgetItem);
  for (int i = FixedResultsNodes; i < needed; ++i)
    tree->topLevelItem(i)->setText(0, QString::fromStdString(FBend.LoadCaseCaption(i - FixedResultsNodes)));
  // A design opened, renewed or put back brings its own selected load case;
  // the highlighted node must be the one the views show.
  const int node = tree->indexOfTopLevelItem(tree->currentItem());
  const int selected = FixedResultsNodes + FBend.SelectedLoadCase();
  if (node >= FixedResultsNodes && node != selected && selected < needed)
    tree->setCurrentItem(tree->topLevelItem(selected));
}

TResultWindow* TMainResults::SelectedWindow() const
{
  const int node = FPanels.ResultsTree()->indexOfTopLevelItem(FPanels.ResultsTree()->currentItem());
  if (node < FixedResultsNodes) {
    if (node <= rnGeneralArrangement) return FArrangement;
    return GraphWindow(FixedGraphs[node - rnDiameter]);
  }
  const int view =
      std::max(0, FPanels.LoadCaseViewTree()->indexOfTopLevelItem(FPanels.LoadCaseViewTree()->currentItem()));
  if (view == lvDeflectedShape) return FDeflected;
  return GraphWindow(LoadCaseGraphs[view - lvDeflectionChart]);
}

void TMainResults::NodeSelected()
{
  const int node = FPanels.ResultsTree()->indexOfTopLevelItem(FPanels.ResultsTree()->currentItem());
  const bool loadCase = node >= FixedResultsNodes;
  if (loadCase) {
    // Through the item, so that whoever listens to the model hears of it.
    TAccessStatus status;
    FBend.SetValue(vnSelectedLoadCase, 0, status, TVariant(static_cast<std::int64_t>(node - FixedResultsNodes)), vtInt);
  }
  FPanels.LoadCaseViewTree()->setVisible(loadCase);
  Refresh();
}

namespace {

// A value of the design that its item refuses is named in the panel, so that
// the user sees what to correct once the message box is gone.
QString CannotDisplayText(std::exception_ptr error)
{
  try {
    std::rethrow_exception(error);
  } catch (const EBendDataError& e) {
    return QString::fromStdString(e.what());
  } catch (...) {
  }
  return QStringLiteral("Results cannot be displayed");
}

}  // namespace

void TMainResults::ShowCannotDisplay(const QString& text)
{
  FPanels.CannotDisplayLabel()->setText(text);
  FPanels.ResultsPanel()->setCurrentWidget(FPanels.CannotDisplayLabel());
}

void TMainResults::Refresh()
{
  if (BusyCount() > 0 || FRefreshing) {
    FRefreshPending = true;
    return;
  }
  FRefreshPending = false;
  FRefreshing = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FRefreshing};
  FCurrent = SelectedWindow();
  FPanels.TitlePanel()->update();
  FPanels.ResultsPanel()->setCurrentWidget(FCurrent);
  try {
    FCurrent->Refresh();
  } catch (const EBendResultCannotBeDisplayed& e) {
    ShowCannotDisplay(QString::fromStdString(e.what()));
  } catch (const ESilentAbort&) {
    // Cancelled: whatever was drawn stays as it was.
  } catch (...) {
    ShowCannotDisplay(CannotDisplayText(std::current_exception()));
    // Some views solve their load case directly rather than through the
    // results status, so the window remembers that the error was shown.
    if (FResultsFailed) return;
    FResultsFailed = true;
    FBend.MarkResultsFailed();
    HandleCurrentException();
  }
}

void TMainResults::Idle()
{
  if (FRefreshPending && BusyCount() == 0) Refresh();
}

void TMainResults::DataChanged()
{
  FBend.InvalidateResults();
  // The map's points were worked out for the design as it was.
  FBend.SetPerformanceMapState(pmNotBuilt);
  FResultsFailed = false;
  // A change arrives in the middle of the edit that made it; the view is
  // redrawn once the edit is over.
  FRefreshPending = true;
}

void TMainResults::CopyCurrent()
{
  if (FCurrent && !ShowingCannotDisplay()) FCurrent->Copy();
}

void TMainResults::RunTable(const std::function<bool(TTableWindow&)>& fill)
{
  TTableWindow table(FPanels.window());
  if (!fill(table)) return;
  table.Sheet().SelectSheet(0);
  table.Reload();
  if (OnTableShown) {
    OnTableShown(table);
    return;
  }
  table.exec();
}

void TMainResults::ShowKeyValues()
{
  RunTable([this](TTableWindow& table) {
    table.setWindowTitle(QStringLiteral("Key Values"));
    WriteToSheet(FBend.KeyResults(), table.Sheet());
    // Whether the design passes belongs with its key figures, as the batch
    // program prints them; in cells, it is copied and exported with them.
    WriteDesignCheck(FBend, CheckDesign(FBend), table.Sheet());
    return true;
  });
}

bool TMainResults::FillValues(TTableWindow& table)
{
  if (FCurrent == GraphWindow(TResultsGraph::DesignChart)) {
    table.setWindowTitle(QStringLiteral("Design Chart Values"));
    WriteToSheet(FBend.DesignChartResults(), table.Sheet());
  } else if (FCurrent == GraphWindow(TResultsGraph::PerformanceChart)) {
    table.setWindowTitle(QStringLiteral("Performance Chart Values"));
    WriteToSheet(FBend.PerformanceChartResults(), table.Sheet());
  } else if (FCurrent == FDeflected || FCurrent == GraphWindow(TResultsGraph::DeflectionChart) ||
             FCurrent == GraphWindow(TResultsGraph::CurvatureChart) ||
             FCurrent == GraphWindow(TResultsGraph::StrainChart)) {
    CheckLoadCaseCanBeDisplayed(FBend);
    table.setWindowTitle(QStringLiteral("Load Case %1 Values").arg(FBend.SelectedLoadCase() + 1));
    WriteToSheet(FBend.LoadCaseResults(), table.Sheet());
  } else {
    return false;
  }
  return true;
}

void TMainResults::ShowValues()
{
  RunTable([this](TTableWindow& table) { return FillValues(table); });
}

void TMainResults::ApplyStandardDiameters()
{
  if (FBend.StiffenerDefinition() != sdPowerLaw) return;
  if (!AskQuestion("This will set the user-defined stiffener data.  Do you want to continue?")) return;
  auto apply = [this] {
    if (!FBend.StandardDiameters().Apply(FBend)) return;
    TAccessStatus status;
    FBend.SetValue(vnStiffenerDefinition, 0, status, TVariant("User Defined"), vtText);
  };
  if (ChangeDesign)
    ChangeDesign(QStringLiteral("Apply Standard Diameters"), apply);
  else
    apply();
  FBend.InvalidateResults();
  Refresh();
}

void TMainResults::AddPoints()
{
  TGraphWindow* map = GraphWindow(TResultsGraph::PerformanceMap);
  if (FCurrent != map) return;
  AddPerformancePoints(map->Engine());
  map->Graph().update();
}

}  // namespace umbrinex
