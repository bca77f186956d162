#include "framework/data/TableFile.h"

#include "framework/data/Table.h"

namespace umbrinex {

void WriteTableBlock(ITaggedFile& file, const TTable& table, const std::vector<int>& columns, const TOwnColumn* own)
{
  file.BeginRecord();
  for (int varNum : columns) {
    file.BeginRecord();
    file.WriteInteger(table.RowCount());
    for (int row = 0; row < table.RowCount(); ++row) {
      if (own != nullptr && own->VarNum == varNum) own->Write(file, row);
      else file.WriteDouble(table.Cell(row, varNum));
    }
    file.EndRecord();
  }
  file.EndRecord();
}

void ReadTableBlock(ITaggedFile& file, TTable& table, const std::vector<int>& columns, const TOwnColumn* own,
                    TStoredRows stored)
{
  file.BeginReadRecord();
  for (int varNum : columns) {
    file.BeginReadRecord();
    // The stored count is read (and compared in check mode) but the cells
    // are read for the rows the table has now.
    std::int32_t count = table.RowCount();
    file.ReadInteger(count);
    if (stored == TStoredRows::MustAgree && count != table.RowCount()) file.Corrupt();
    for (int row = 0; row < table.RowCount(); ++row) {
      if (own != nullptr && own->VarNum == varNum) {
        own->Read(file, row);
      } else {
        double cell = table.Cell(row, varNum);
        file.ReadDouble(cell);
        table.SetCell(row, varNum, cell);
      }
    }
    file.EndReadRecord();
  }
  file.EndReadRecord();
}

}  // namespace umbrinex
