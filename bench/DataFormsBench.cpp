// The design's data forms as the user meets them: opening a form (copies
// for Cancel, binding, the first paint) must feel instant, under 100 ms,
// and Cancel on a design with a thousand load cases, which reads the whole
// design back from its copy, under 50 ms.

#include <chrono>

#include <benchmark/benchmark.h>

#include <QApplication>

#include "WidgetApplication.h"
#include "bend/Bend.h"
#include "framework/data/Messages.h"
#include "presentation/DataForms.h"
#include "shell/forms/DataForms.h"

namespace umbrinex {
namespace {

class TSilentPresenter : public IMessagePresenter {
 public:
  int Present(const TMessageRequest&) override { return maOk; }
};

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_OpenDataForm(benchmark::State& state)
{
  if (!EnsureWidgetApplication()) return state.SkipWithError("another kind of application object exists");
  auto bend = New<TBend>();
  TModelObject& node = *DataObjectSequence(*bend)[static_cast<std::size_t>(state.range(0))];
  std::string caption;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<TTessanDataForm> form = CreateDataForm(node, true, nullptr);
    form->show();
    QApplication::processEvents();
    state.SetIterationTime(Seconds(std::chrono::steady_clock::now() - start));
    caption = form->windowTitle().toStdString();
    form->setResult(mrOk);
    form.reset();
  }
  state.SetLabel(caption);
}
BENCHMARK(BM_OpenDataForm)->DenseRange(0, 7)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_CancelLoadCaseFormThousandCases(benchmark::State& state)
{
  if (!EnsureWidgetApplication()) return state.SkipWithError("another kind of application object exists");
  TSilentPresenter presenter;
  IMessagePresenter* previous = SetMessagePresenter(&presenter);
  auto bend = New<TBend>();
  bend->SetInteger(vnNumberOfLoadCases, 0, 1000);
  TModelObject& node = *DataObjectSequence(*bend)[4];
  for (auto _ : state) {
    std::unique_ptr<TTessanDataForm> form = CreateDataForm(node, true, nullptr);
    bend->SetInteger(vnNumberOfLoadCases, 0, 10);
    form->setResult(mrCancel);
    const auto start = std::chrono::steady_clock::now();
    form.reset();
    state.SetIterationTime(Seconds(std::chrono::steady_clock::now() - start));
    if (bend->LoadCaseCount() != 1000) return state.SkipWithError("Cancel did not put the load cases back");
  }
  SetMessagePresenter(previous);
}
BENCHMARK(BM_CancelLoadCaseFormThousandCases)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace umbrinex
