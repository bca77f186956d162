#pragma once
// The columns of a table of load cases or of a load history, found by the
// names in its header in any order and letter case, each with the unit its
// header gives ("Tension (kN)", "Angle [deg]"), so that its numbers can be
// brought into the design's units; a column without a unit is in the
// design's own. Columns the reader does not know are passed over.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "persistence/CsvReader.h"

namespace umbrinex {

class TBend;
struct TVar;

enum TCsvColumn : int { ccTension, ccAngle, ccABR, ccState1, ccState2, ccTime, CsvColumnCount };

// The names a column is known by in messages and in the files written.
const char* CsvColumnName(TCsvColumn column);

struct TCsvHeader {
  // The field of each column in a record, -1 when the header lacks it.
  std::array<int, CsvColumnCount> Field{-1, -1, -1, -1, -1, -1};
  // What takes a number of the column into the design's units: the factor
  // exactly 1 when the header's unit is the design's (or none is given), so
  // that such numbers are taken as they are.
  std::array<double, CsvColumnCount> Scale{1, 1, 1, 1, 1, 1};
  char Delimiter = ',';

  bool Has(TCsvColumn column) const { return Field[column] >= 0; }
};

// Reads the header record: the columns known among `wanted` (a bit per
// TCsvColumn) are found, tension and angle are required. Raises ECsvError
// naming the line for a column named twice, a unit the column cannot have
// and a missing column.
TCsvHeader ReadCsvHeader(const TCsvRecord& record, char delimiter, const TBend& bend, unsigned wanted);

enum class TCsvNumberError { None, Empty, NotANumber, NotFinite, OutOfRange };

// A number as a spreadsheet writes it: spaces around it, an optional sign
// and exponent, and with a semicolon or tab separator a decimal comma
// ("31,5"). NaN and infinities are refused, and so is a number beyond the
// doubles (1e400).
TCsvNumberError ReadCsvNumber(std::string_view text, char delimiter, double& value);

// "line 7, tension: ..." for the reason a number was refused.
std::string CsvNumberMessage(int line, TCsvColumn column, std::string_view text, TCsvNumberError error);

// The text without the spaces and tabs around it.
std::string_view TrimmedCsvField(std::string_view text);
// The cell of a column in a record; empty where the record is short.
std::string_view CsvCell(const TCsvRecord& record, const TCsvHeader& header, TCsvColumn column);

// The column's number of the record in the design's units, checked against
// the item's descriptor when one is given; empty with the message (line,
// column and reason) when it is refused.
std::optional<double> ReadCsvValue(const TCsvRecord& record, const TCsvHeader& header, TCsvColumn column,
                                   const TVar* descriptor, std::string& message);

}  // namespace umbrinex
