#pragma once
// Tables in data files. A table block is one record holding, for each listed
// column, one record: the row count, then one cell per row. A reader reads
// the cells for the table's current row count (set beforehand from a count
// stored elsewhere, or fixed); stored cells beyond it are skipped with the
// rest of the record, and rows without a stored cell keep their values.

#include <functional>
#include <vector>

#include "framework/data/TaggedFileInterface.h"

namespace umbrinex {

class TTable;

// A column whose cells are not plain doubles: its owner writes and reads
// each row itself.
struct TOwnColumn {
  int VarNum;
  std::function<void(ITaggedFile& file, int row)> Write;
  std::function<void(ITaggedFile& file, int row)> Read;
};

// What a reader makes of the row count stored with each column.
enum class TStoredRows {
  Ignored,    // the cells are read for the table's rows, whatever was stored
  MustAgree,  // a column that stores another count marks a damaged file
};

void WriteTableBlock(ITaggedFile& file, const TTable& table, const std::vector<int>& columns,
                     const TOwnColumn* own = nullptr);
void ReadTableBlock(ITaggedFile& file, TTable& table, const std::vector<int>& columns, const TOwnColumn* own = nullptr,
                    TStoredRows stored = TStoredRows::Ignored);

}  // namespace umbrinex
