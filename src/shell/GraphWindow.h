#pragma once
// The graph window: one of the results graphs, built by its chart engine and
// drawn by a graph, with Undo Zoom and the graph's properties in its menu.

#include "charts/ChartEngine.h"
#include "charts/ResultsGraphs.h"
#include "desktop/kit/ResultWindow.h"

class QLabel;

namespace umbrinex {

class TBend;
class TGraph;

class TGraphWindow : public TResultWindow {
  Q_OBJECT

 public:
  TGraphWindow(TBend& bend, TResultsGraph kind, QWidget* parent = nullptr);
  ~TGraphWindow() override;

  TResultsGraph Kind() const { return FKind; }
  TChartEngine& Engine() { return FEngine; }
  TGraph& Graph() const { return *FGraph; }
  // The line below the graph about what it leaves out; hidden when empty.
  QLabel* StatusLine() const { return FStatus; }

  // Rebuilds from the results with the default ranges.
  void Refresh() override;
  void Copy() override;
  void Export() override;
  void Print() override;

 private:
  void PrepareOutput();
  void UpdateStatusLine();
  TResultsGraph FKind;
  TChartEngine FEngine;
  TGraph* FGraph;
  QLabel* FStatus;
};

}  // namespace umbrinex
