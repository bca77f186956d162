#include "persistence/ResultsFile.h"

#include <cstdint>
#include <string>
#include <vector>

#include "bend/Bend.h"
#include "bend/DesignChartResults.h"
#include "bend/KeyResults.h"
#include "bend/LoadCaseResults.h"
#include "bend/PerformanceChartResults.h"
#include "framework/data/Progress.h"
#include "framework/data/TableFile.h"
#include "persistence/TaggedFile.h"

namespace umbrinex {

namespace {

constexpr int sectionResults = 5;

// Reported under these names, in the order of BendStiffener's ResultArray.
constexpr const char* StiffenerArrayNames[TBendStiffener::ResultArrayCount] = {
    "FC", "FM", "FShear", "FX", "FY", "FTheta", "FMaxTensileStrain", "FMaxCompressiveStrain"};

const std::vector<int> DesignChartColumns = {dcLengthFactor, dcRatio, dcPosition, dcLoadCase};
const std::vector<int> PerformanceColumns = {pcTension, pcAngleLimit};

// The design and performance charts run progress displays of their own,
// which the one display refuses while the save or the open shows its run.
// That run is stopped around them and started again with its caption and
// owner, also when a calculation fails, since the caller goes on to stop it.
class TProgressPause {
 public:
  TProgressPause()
  {
    TProgress& progress = Progress();
    FWasActive = progress.Active();
    if (!FWasActive) return;
    FText = progress.StageText();
    FMaxCounter = progress.MaxCounter();
    FOwner = progress.Owner();
    progress.Stop();
  }
  ~TProgressPause()
  {
    TProgress& progress = Progress();
    if (!FWasActive || progress.Active()) return;
    try {
      progress.SetStageText(FText);
      progress.SetMaxCounter(FMaxCounter);
      progress.Start(FOwner);
    } catch (...) {
      // Nothing to report from here; the caller's own Stop will complain.
    }
  }
  TProgressPause(const TProgressPause&) = delete;
  TProgressPause& operator=(const TProgressPause&) = delete;

 private:
  bool FWasActive = false;
  std::string FText;
  int FMaxCounter = 1;
  IProgressOwner* FOwner = nullptr;
};

// Check mode for as long as the comparison runs, however it ends.
class TCheckModeScope {
 public:
  explicit TCheckModeScope(TTaggedFile& file) : FFile(file) { FFile.Check().SetCheckMode(true); }
  ~TCheckModeScope()
  {
    FFile.Check().SetCheckMode(false);
    FFile.Check().SetItemIndex(-1);
  }
  TCheckModeScope(const TCheckModeScope&) = delete;
  TCheckModeScope& operator=(const TCheckModeScope&) = delete;

 private:
  TTaggedFile& FFile;
};

// A results object that failed earlier stays failed until invalidated; the
// stored results must be the design's own, so it gets another chance here.
void Calculate(TBendResults& results)
{
  if (results.Status() == TResultsStatus::Failed) results.Invalidate();
  results.EnsureCalculated();
}

// ---- writing ----

void WriteStiffener(TTaggedFile& file, const TBendStiffener& solution)
{
  file.BeginRecord();
  file.WriteInteger(solution.NumOfStations());
  for (int k = 0; k < TBendStiffener::ResultArrayCount; ++k) {
    const std::vector<double>& values = solution.ResultArray(k);
    file.WriteDoubleArray(values.data(), static_cast<int>(values.size()) - 1);
  }
  file.EndRecord();
}

void WriteEvent(TTaggedFile& file, const TKeyEvent& event)
{
  file.BeginRecord();
  file.WriteInteger(event.StateNumber);
  file.WriteInteger(event.LoadCaseNumber);
  file.WriteDouble(event.RootMoment);
  file.WriteDouble(event.RootShear);
  file.EndRecord();
}

void WriteLoadCases(TBend& bend, TTaggedFile& file)
{
  TLoadCaseResults& cases = bend.LoadCaseResults();
  file.BeginRecord();
  for (int i = 0; i < bend.LoadCaseCount(); ++i) {
    cases.SetLoadCase(i);
    // Both states, also those the case leaves out, so that every block has
    // the same shape.
    file.BeginRecord();
    for (int s = 0; s < StateCount; ++s) WriteStiffener(file, cases.Solution(s));
    file.EndRecord();
  }
  file.EndRecord();
}

void WriteKeyResults(TBend& bend, TTaggedFile& file)
{
  TKeyResults& key = bend.KeyResults();
  Calculate(key);
  file.BeginRecord();
  WriteEvent(file, key.FMaxRootMomentEvent);
  WriteEvent(file, key.FMaxRootShearEvent);
  file.EndRecord();
}

void WriteDesignChart(TBend& bend, TTaggedFile& file)
{
  TDesignChartResults& chart = bend.DesignChartResults();
  Calculate(chart);
  file.BeginRecord();
  for (const TDesignChartEntry& entry : chart.FDesignChartValues) {
    file.BeginRecord();
    file.WriteDouble(entry.KFactor);
    WriteTableBlock(file, *entry.Values, DesignChartColumns);
    file.EndRecord();
  }
  file.EndRecord();
}

void WritePerformanceChart(TBend& bend, TTaggedFile& file)
{
  TPerformanceChartResults& chart = bend.PerformanceChartResults();
  Calculate(chart);
  file.BeginRecord();
  WriteTableBlock(file, chart.FPerformanceLimits(), PerformanceColumns);
  file.EndRecord();
}

// ---- comparing ----
// In check mode nothing read is stored, but the values are read into copies
// all the same: a comparison must never be able to change the results.

void CompareStiffener(TTaggedFile& file, const TBendStiffener& solution)
{
  file.BeginReadRecord();
  file.Check().SetItemName("FNumOfStations");
  std::int32_t stations = solution.NumOfStations();
  file.ReadInteger(stations);
  for (int k = 0; k < TBendStiffener::ResultArrayCount; ++k) {
    file.Check().SetItemName(StiffenerArrayNames[k]);
    std::vector<double> values = solution.ResultArray(k);
    file.ReadDoubleArray(values.data(), static_cast<int>(values.size()) - 1);
  }
  file.EndReadRecord();
}

void CompareEvent(TTaggedFile& file, const std::string& name, TKeyEvent event)
{
  file.BeginReadRecord();
  file.Check().SetItemName(name + ".StateNumber");
  file.ReadInteger(event.StateNumber);
  file.Check().SetItemName(name + ".LoadCaseNumber");
  file.ReadInteger(event.LoadCaseNumber);
  file.Check().SetItemName(name + ".RootMoment");
  file.ReadDouble(event.RootMoment);
  file.Check().SetItemName(name + ".RootShear");
  file.ReadDouble(event.RootShear);
  file.EndReadRecord();
}

void CompareLoadCases(TBend& bend, TTaggedFile& file)
{
  TLoadCaseResults& cases = bend.LoadCaseResults();
  file.BeginReadRecord();
  for (int i = 0; i < bend.LoadCaseCount(); ++i) {
    cases.SetLoadCase(i);
    file.BeginReadRecord();
    for (int s = 0; s < StateCount; ++s) CompareStiffener(file, cases.Solution(s));
    file.EndReadRecord();
  }
  file.EndReadRecord();
}

void CompareKeyResults(TBend& bend, TTaggedFile& file)
{
  TKeyResults& key = bend.KeyResults();
  Calculate(key);
  file.BeginReadRecord();
  CompareEvent(file, "FMaxRootMomentEvent", key.FMaxRootMomentEvent);
  CompareEvent(file, "FMaxRootShearEvent", key.FMaxRootShearEvent);
  file.EndReadRecord();
}

// Stored factors beyond those of the new chart are skipped with the record;
// the count of each column shows a table of another length.
void CompareDesignChart(TBend& bend, TTaggedFile& file)
{
  TDesignChartResults& chart = bend.DesignChartResults();
  Calculate(chart);
  file.BeginReadRecord();
  for (std::size_t i = 0; i < chart.FDesignChartValues.size(); ++i) {
    TDesignChartEntry& entry = chart.FDesignChartValues[i];
    file.Check().SetItemIndex(static_cast<int>(i));
    file.BeginReadRecord();
    file.Check().SetItemName("FDesignChartValues[%d].KFactor");
    double factor = entry.KFactor;
    file.ReadDouble(factor);
    file.Check().SetItemName("FDesignChartValues[%d].Values");
    ReadTableBlock(file, *entry.Values, DesignChartColumns);
    file.EndReadRecord();
  }
  file.Check().SetItemIndex(-1);
  file.EndReadRecord();
}

void ComparePerformanceChart(TBend& bend, TTaggedFile& file)
{
  TPerformanceChartResults& chart = bend.PerformanceChartResults();
  Calculate(chart);
  file.BeginReadRecord();
  file.Check().SetItemName("FPerformanceLimits");
  ReadTableBlock(file, chart.FPerformanceLimits(), PerformanceColumns);
  file.EndReadRecord();
}

}  // namespace

void WriteResults(TBend& bend, TTaggedFile& file)
{
  TProgressPause pause;
  file.BeginTag(tcBend, sectionResults);
  WriteLoadCases(bend, file);
  WriteKeyResults(bend, file);
  WriteDesignChart(bend, file);
  WritePerformanceChart(bend, file);
  file.EndTag();
}

void CompareResults(TBend& bend, TTaggedFile& file)
{
  // The results tag follows every data section: with the names resolved the
  // design is complete and can be calculated.
  bend.ResolveNames();
  TProgressPause pause;
  TCheckModeScope checking(file);
  CompareLoadCases(bend, file);
  CompareKeyResults(bend, file);
  CompareDesignChart(bend, file);
  ComparePerformanceChart(bend, file);
}

}  // namespace umbrinex
