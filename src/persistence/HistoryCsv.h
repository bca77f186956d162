#pragma once
// A load history as CSV: a header naming the tension and angle columns (and
// optionally time), then a pair a row, read in blocks so that a history of
// any length takes the memory of one block.

#include <istream>
#include <vector>

#include "persistence/CsvColumns.h"
#include "persistence/CsvReader.h"

namespace umbrinex {

class TBend;
struct TVar;

struct THistoryBlock {
  std::vector<double> Time;  // empty when the history has no time column
  std::vector<double> Tension;
  std::vector<double> Angle;
  std::vector<int> Line;
  int Count() const { return static_cast<int>(Tension.size()); }
};

class THistoryReader {
 public:
  // Reads the header at once: raises ECsvError for text without one.
  THistoryReader(std::istream& in, const TBend& bend);

  bool HasTime() const { return FHeader.Has(ccTime); }
  // Replaces the block's rows by the next ones, at most `rows`; an empty
  // block at the end. A refused row (not a number, out of the load case
  // items' range) raises ECsvError naming its line; the block then holds
  // the rows before it.
  void Read(int rows, THistoryBlock& block);
  // Rows read so far.
  long long RowsRead() const { return FRows; }

 private:
  double Number(TCsvColumn column, const TVar* descriptor);

  TCsvReader FReader;
  TCsvRecord FRecord;
  TCsvHeader FHeader;
  const TVar* FTension;
  const TVar* FAngle;
  long long FRows = 0;
};

}  // namespace umbrinex
