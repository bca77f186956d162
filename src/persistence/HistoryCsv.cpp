#include "persistence/HistoryCsv.h"

#include "bend/Bend.h"
#include "framework/data/TextUtils.h"

namespace umbrinex {

THistoryReader::THistoryReader(std::istream& in, const TBend& bend)
    : FReader(in),
      FTension(&TBend::Vars().Find(vnLoadCaseTension)),
      FAngle(&TBend::Vars().Find(vnLoadCaseAngle))
{
  if (!FReader.Next(FRecord)) throw ECsvError("The history holds no table: not even a header naming the columns.");
  FHeader = ReadCsvHeader(FRecord, FReader.Delimiter(), bend, (1u << ccTension) | (1u << ccAngle) | (1u << ccTime));
}

double THistoryReader::Number(TCsvColumn column, const TVar* descriptor)
{
  std::string message;
  const std::optional<double> value = ReadCsvValue(FRecord, FHeader, column, descriptor, message);
  if (!value) throw ECsvError(message);
  return *value;
}

void THistoryReader::Read(int rows, THistoryBlock& block)
{
  block.Time.clear();
  block.Tension.clear();
  block.Angle.clear();
  block.Line.clear();
  while (block.Count() < rows && FReader.Next(FRecord)) {
    // Read whole before any is kept, so that a refused row leaves the
    // block as it was before it.
    const double time = HasTime() ? Number(ccTime, nullptr) : 0.0;
    const double tension = Number(ccTension, FTension);
    const double angle = Number(ccAngle, FAngle);
    if (HasTime()) block.Time.push_back(time);
    block.Tension.push_back(tension);
    block.Angle.push_back(angle);
    block.Line.push_back(FRecord.Line);
    ++FRows;
  }
}

}  // namespace umbrinex
