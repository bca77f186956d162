#pragma once
// The values table of graphs: their curves side by side on a sheet, one row
// per point, possible only when every curve has the same X values.

#include <string>
#include <vector>

namespace umbrinex {

class TChartEngine;
class TSpreadSheet;
class IProgressOwner;

// Spreadsheet column letters from a 0-based index: A..Z, AA, AB...
std::string ColumnLetters(int index);

class TChartEngineList {
 public:
  TChartEngineList() = default;
  explicit TChartEngineList(std::vector<TChartEngine*> engines) : FEngines(std::move(engines)) {}

  void Add(TChartEngine& engine) { FEngines.push_back(&engine); }
  int Count() const { return static_cast<int>(FEngines.size()); }

  // At least one curve, every curve of an engine on its first curve's X
  // storage, and one common, positive number of points.
  bool ValuesAvailable() const;
  // Clears the active sheet and writes the header lines, the column
  // descriptions and the table; the progress display shows "Building Table"
  // meanwhile. Returns the caption of the window that shows the values.
  std::string WriteValues(TSpreadSheet& sheet, const std::vector<std::string>& headerLines,
                          IProgressOwner* progressOwner = nullptr) const;

 private:
  std::vector<TChartEngine*> FEngines;
};

}  // namespace umbrinex
