#include "persistence/LoadCaseCsv.h"

#include <fstream>
#include <sstream>

#include "bend/Bend.h"
#include "framework/data/DiskFile.h"
#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"
#include "framework/data/VarList.h"
#include "framework/data/Variant.h"
#include "numerics/ReservedDoubles.h"
#include "persistence/BendFile.h"
#include "persistence/CsvColumns.h"

namespace umbrinex {

namespace {

// The refusals what() shows; Messages() has them all.
constexpr std::size_t ShownMessages = 10;

constexpr unsigned LoadCaseColumns =
    (1u << ccTension) | (1u << ccAngle) | (1u << ccABR) | (1u << ccState1) | (1u << ccState2);

std::string JoinedMessages(const std::vector<std::string>& messages)
{
  std::string text;
  for (std::size_t i = 0; i < messages.size() && i < ShownMessages; ++i) text += (i ? "\n" : "") + messages[i];
  if (messages.size() > ShownMessages) text += Format("\n... and %zu more refused.", messages.size() - ShownMessages);
  return text;
}

class TRowReader {
 public:
  TRowReader(const TCsvHeader& header, std::vector<std::string>& messages)
      : FHeader(header),
        FMessages(messages),
        FTension(&TBend::Vars().Find(vnLoadCaseTension)),
        FAngle(&TBend::Vars().Find(vnLoadCaseAngle)),
        FABR(&TBend::Vars().Find(vnLoadCaseABR))
  {
  }

  // The row, or false with its refusals added to the messages.
  bool Read(const TCsvRecord& record, TImportedLoadCase& row)
  {
    const std::size_t before = FMessages.size();
    row.Line = record.Line;
    row.Tension = Number(record, ccTension, *FTension);
    row.Angle = Number(record, ccAngle, *FAngle);
    row.ABR = DefaultValue;
    if (FHeader.Has(ccABR)) {
      const std::string_view abr = TrimmedCsvField(CsvCell(record, FHeader, ccABR));
      if (!abr.empty() && abr != "~") row.ABR = Number(record, ccABR, *FABR);
    }
    for (int s = 0; s < 2; ++s) {
      const TCsvColumn column = s == 0 ? ccState1 : ccState2;
      if (FHeader.Has(column)) row.Included[s] = Included(record, column);
    }
    return FMessages.size() == before;
  }

 private:
  double Number(const TCsvRecord& record, TCsvColumn column, const TVar& descriptor)
  {
    std::string message;
    const std::optional<double> value = ReadCsvValue(record, FHeader, column, &descriptor, message);
    if (!value) FMessages.push_back(std::move(message));
    return value.value_or(0.0);
  }

  bool Included(const TCsvRecord& record, TCsvColumn column)
  {
    const std::string_view text = TrimmedCsvField(CsvCell(record, FHeader, column));
    for (const char* yes : {"Yes", "Y", "True", "1", "X"})
      if (SameText(text, yes)) return true;
    for (const char* no : {"No", "N", "False", "0"})
      if (SameText(text, no)) return false;
    FMessages.push_back(Format("Line %d, %s: \"%s\" is neither Yes nor No.", record.Line, CsvColumnName(column),
                               VisibleText(text.substr(0, 40)).c_str()));
    return true;
  }

  const TCsvHeader& FHeader;
  std::vector<std::string>& FMessages;
  const TVar* FTension;
  const TVar* FAngle;
  const TVar* FABR;
};

void SetItem(TBend& bend, int varNum, int row, const TVariant& value, TVarType representation)
{
  TAccessStatus status;
  bend.SetValue(varNum, row, status, value, representation);
  if (status.Code != acOk) throw ECsvError(status.Text());
}

}  // namespace

ELoadCaseImportError::ELoadCaseImportError(std::vector<std::string> messages)
    : ECsvError(JoinedMessages(messages)), FMessages(std::move(messages))
{
}

std::vector<TImportedLoadCase> ReadLoadCasesCsv(std::istream& in, const TBend& bend)
{
  TCsvReader reader(in);
  TCsvRecord record;
  if (!reader.Next(record)) throw ECsvError("The file holds no table: not even a header naming the columns.");
  const TCsvHeader header = ReadCsvHeader(record, reader.Delimiter(), bend, LoadCaseColumns);
  const int most = static_cast<int>(TBend::Vars().Find(vnNumberOfLoadCases).Max);
  std::vector<TImportedLoadCase> rows;
  std::vector<std::string> messages;
  TRowReader rowReader(header, messages);
  const int headerLine = record.Line;
  int count = 0;
  while (reader.Next(record)) {
    if (++count == most + 1)
      messages.push_back(Format("Line %d: more rows than the load case table allows (%d).", record.Line, most));
    TImportedLoadCase row;
    if (rowReader.Read(record, row) && count <= most) rows.push_back(row);
  }
  if (count == 0) messages.push_back(Format("Line %d: the table has a header but no load case after it.", headerLine));
  if (!messages.empty()) throw ELoadCaseImportError(std::move(messages));
  return rows;
}

std::vector<TImportedLoadCase> ReadLoadCasesCsvFile(const std::string& fileName, const TBend& bend)
{
  std::ifstream in = OpenCsvFile(fileName);
  return ReadLoadCasesCsv(in, bend);
}

namespace {

void SetRows(TBend& bend, const std::vector<TImportedLoadCase>& rows)
{
  const int count = static_cast<int>(rows.size());
  SetItem(bend, vnNumberOfLoadCases, 0, count, vtInt);
  for (int i = 0; i < count; ++i) {
    const TImportedLoadCase& row = rows[static_cast<std::size_t>(i)];
    SetItem(bend, vnLoadCaseTension, i, row.Tension, vtReal);
    SetItem(bend, vnLoadCaseAngle, i, row.Angle, vtReal);
    SetItem(bend, vnLoadCaseABR, i, row.ABR, vtReal);
    SetItem(bend, vnState1Included, i, row.Included[0] ? "Yes" : "No", vtText);
    SetItem(bend, vnState2Included, i, row.Included[1] ? "Yes" : "No", vtText);
  }
}

}  // namespace

void ApplyLoadCases(TBend& bend, const std::vector<TImportedLoadCase>& rows)
{
  // Tried on a copy first, so that the design changes whole or not at all.
  std::unique_ptr<TBend> trial = New<TBend>();
  LoadFromMemory(*trial, SaveToMemory(bend), DataFileClass);
  SetRows(*trial, rows);
  SetRows(bend, rows);
  bend.InvalidateResults();
}

void ImportLoadCasesCsv(TBend& bend, const std::string& fileName)
{
  ApplyLoadCases(bend, ReadLoadCasesCsvFile(fileName, bend));
}

void WriteLoadCasesCsv(TBend& bend, std::ostream& out)
{
  // The heading names the model's "kp" as the kip it is.
  const std::string& force = bend.Units().ForceLabel();
  out << "Tension (" << force << "),Angle (deg),ABR (" << bend.Units().LengthName() << "),State 1,State 2\n";
  for (int i = 0; i < bend.LoadCaseCount(); ++i) {
    const double abr = bend.LoadCases().Cell(i, vnLoadCaseABR);
    out << ShortestNumberText(bend.LoadCaseTension(i)) << ',' << ShortestNumberText(bend.LoadCaseAngle(i)) << ','
        << (IsDefault(abr) ? std::string("~") : ShortestNumberText(abr)) << ','
        << (bend.StateIncluded(i, 0) ? "Yes" : "No") << ',' << (bend.StateIncluded(i, 1) ? "Yes" : "No") << '\n';
  }
}

void SaveLoadCasesCsv(TBend& bend, const std::string& fileName)
{
  std::ostringstream text;
  WriteLoadCasesCsv(bend, text);
  SaveTextFile(fileName, text.str());
}

}  // namespace umbrinex
