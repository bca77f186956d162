#pragma once
// Results in the data file, for regression testing: "Save Data and Results"
// stores every result the program can calculate next to the design, and
// "Compare Results" recalculates them from the design in the file and
// compares, value by value, in the reader's check mode. Opening a file in
// normal use ignores stored results.

namespace umbrinex {

class TBend;
class TTaggedFile;

// Writes tag (39, 5): every load case (recalculated), the key results, the
// design chart and the performance chart.
void WriteResults(TBend& bend, TTaggedFile& file);

// Reads tag (39, 5) in check mode against freshly calculated results; the
// differences go to the file's comparison log.
void CompareResults(TBend& bend, TTaggedFile& file);

}  // namespace umbrinex
