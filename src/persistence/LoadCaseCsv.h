#pragma once
// The design's load case table to and from CSV: a header naming the
// columns (tension and angle, and optionally ABR, State 1 and State 2, with
// their units), then a load case a row. An import replaces the load cases
// whole or not at all: every refused row is told with its line and the
// reason, and the design is left as it was.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "persistence/CsvReader.h"

namespace umbrinex {

class TBend;

struct TImportedLoadCase {
  int Line = 0;
  double Tension = 0.0;  // in the design's units
  double Angle = 0.0;    // degrees
  double ABR;            // the design's ABR ("~") unless the file gives one
  bool Included[2] = {true, true};
};

// Every refusal of a table, one message a line; what() joins the first few.
class ELoadCaseImportError : public ECsvError {
 public:
  explicit ELoadCaseImportError(std::vector<std::string> messages);
  const std::vector<std::string>& Messages() const { return FMessages; }

 private:
  std::vector<std::string> FMessages;
};

// Reads and checks every row against the load case items of the design
// (their ranges, the most rows the table holds), without changing it.
// Raises ELoadCaseImportError with every refusal, ECsvError for text that is
// no table.
std::vector<TImportedLoadCase> ReadLoadCasesCsv(std::istream& in, const TBend& bend);
std::vector<TImportedLoadCase> ReadLoadCasesCsvFile(const std::string& fileName, const TBend& bend);

// Replaces the design's load cases by the rows read; the results are
// invalidated.
void ApplyLoadCases(TBend& bend, const std::vector<TImportedLoadCase>& rows);
// Read and, when every row is accepted, applied.
void ImportLoadCasesCsv(TBend& bend, const std::string& fileName);

// The table as the importer reads it, in the design's units with the units
// in the header; a default ABR is written "~".
void WriteLoadCasesCsv(TBend& bend, std::ostream& out);
void SaveLoadCasesCsv(TBend& bend, const std::string& fileName);

}  // namespace umbrinex
