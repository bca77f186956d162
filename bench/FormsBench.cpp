// The data grid on the largest table a design has: a thousand load cases.
// A frame (scroll one row and repaint) must stay well under the 16 ms of a
// 60 Hz screen, and pasting a thousand rows of text must not keep the user
// waiting.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include "bend/Bend.h"
#include "framework/data/Messages.h"
#include "desktop/forms/KitGrid.h"
#include "WidgetApplication.h"

namespace umbrinex {
namespace {

class TYesPresenter : public IMessagePresenter {
 public:
  int Present(const TMessageRequest&) override { return maYes; }
};

// The load case table as the load case form shows it.
void BuildLoadCaseGrid(TKitGrid& grid, TBend& bend)
{
  TGridCore& core = grid.Core();
  core.SetFixedRows(2);
  core.SetRowsShown(10);
  core.ScrollBars = ssVertical;
  core.Column(0).VarType = vtIndex;
  for (const int varNum : {vnLoadCaseTension, vnLoadCaseAngle, vnLoadCaseABR}) {
    TColumn& column = core.AddColumn(varNum, vtReal);
    column.Title(0).Caption = "Value";
    column.Title(1).Caption = "(FF)";
  }
  core.AddColumn(vnState1Included, vtBool);
  core.AddColumn(vnState2Included, vtBool);
  grid.SetDataObject(&bend);
  grid.resize(420, 200);
}

void BuildCounter(TKitGrid& counter, TKitGrid& grid, TBend& bend)
{
  counter.Core().SetFixedRows(0);
  counter.Core().Column(0).VarNum = vnNumberOfLoadCases;
  counter.Core().Column(0).VarType = vtCard;
  counter.SetDataObject(&bend);
  grid.SetCounter(&counter);
}

void SetLoadCaseCount(TBend& bend, int count)
{
  TAccessStatus status;
  bend.SetValue(vnNumberOfLoadCases, 0, status, TVariant(count), vtInt);
}

void BM_GridScrollAndRepaintThousandRows(benchmark::State& state)
{
  if (!EnsureWidgetApplication()) return state.SkipWithError("another kind of application object exists");
  auto bend = New<TBend>();
  SetLoadCaseCount(*bend, 1000);
  TKitGrid counter, grid;
  BuildLoadCaseGrid(grid, *bend);
  BuildCounter(counter, grid, *bend);
  grid.Layout();
  QImage frame(grid.size(), QImage::Format_ARGB32_Premultiplied);
  const int last = grid.verticalScrollBar()->maximum();
  int top = 0;
  for (auto _ : state) {
    top = (top + 1) % (last + 1);
    grid.verticalScrollBar()->setValue(top);
    grid.render(&frame);
  }
  state.counters["rows"] = grid.Core().DataRowCount();
}
BENCHMARK(BM_GridScrollAndRepaintThousandRows)->Unit(benchmark::kMillisecond);

void BM_GridPasteThousandRowsOfText(benchmark::State& state)
{
  if (!EnsureWidgetApplication()) return state.SkipWithError("another kind of application object exists");
  TYesPresenter yes;
  IMessagePresenter* previous = SetMessagePresenter(&yes);
  auto bend = New<TBend>();
  TKitGrid counter, grid;
  BuildLoadCaseGrid(grid, *bend);
  BuildCounter(counter, grid, *bend);
  std::string text;
  for (int i = 0; i < 1000; ++i)
    text +=
        std::to_string(1 + i % 50) + "\t" + std::to_string(10 + i % 80) + "\t~\tyes\t" + (i % 2 ? "yes" : "no") + "\n";
  for (auto _ : state) {
    state.PauseTiming();
    SetLoadCaseCount(*bend, 5);
    grid.Core().MoveTo(1, 2);
    state.ResumeTiming();
    const TGridOutcome outcome = grid.Core().Paste(TGridClipboard{text, {}});
    if (outcome.Refused() || bend->LoadCaseCount() != 1000) state.SkipWithError("the paste was refused");
  }
  SetMessagePresenter(previous);
}
BENCHMARK(BM_GridPasteThousandRowsOfText)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace umbrinex
