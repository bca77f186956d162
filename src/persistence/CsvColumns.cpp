#include "persistence/CsvColumns.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "bend/Bend.h"
#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"
#include "framework/data/VarList.h"
#include "framework/data/Variant.h"
#include "numerics/MathConstants.h"

namespace umbrinex {

namespace {

struct TUnitName {
  const char* Name;
  double Factor;  // in N, m or degrees
};

// Force in newtons: "kp" is the design files' own name of the kip.
constexpr TUnitName ForceUnits[] = {{"n", 1.0},
                                    {"kn", 1e3},
                                    {"mn", 1e6},
                                    {"lb", 4.4482216152605},
                                    {"lbf", 4.4482216152605},
                                    {"kip", 4448.2216152605},
                                    {"kips", 4448.2216152605},
                                    {"kp", 4448.2216152605},
                                    {"klb", 4448.2216152605},
                                    {"klbf", 4448.2216152605}};
constexpr TUnitName LengthUnits[] = {{"m", 1.0},       {"mm", 1e-3},   {"cm", 1e-2},     {"ft", 0.3048},
                                     {"feet", 0.3048}, {"in", 0.0254}, {"inch", 0.0254}, {"inches", 0.0254}};
constexpr TUnitName AngleUnits[] = {{"deg", 1.0},           {"degree", 1.0},        {"degrees", 1.0},
                                    {"\xC2\xB0", 1.0},      {"\xB0", 1.0},          {"rad", 180.0 / Pi},
                                    {"radian", 180.0 / Pi}, {"radians", 180.0 / Pi}};

struct TColumnNames {
  TCsvColumn Column;
  std::vector<std::string_view> Names;  // normalised: lower-case letters and digits
};

const std::vector<TColumnNames>& KnownColumns()
{
  static const std::vector<TColumnNames> columns{
      {ccTension, {"tension", "loadcasetension", "effectivetension", "toptension"}},
      {ccAngle, {"angle", "loadcaseangle", "loadangle"}},
      {ccABR, {"abr", "loadcaseabr", "allowablebendradius"}},
      {ccState1, {"state1", "state1included", "loadcasestate1included"}},
      {ccState2, {"state2", "state2included", "loadcasestate2included"}},
      {ccTime, {"time"}}};
  return columns;
}

// In lower case, without its spaces.
std::string Lower(std::string_view text)
{
  std::string lower = LowerCase(text);
  std::erase(lower, ' ');
  return lower;
}

std::string NormalisedName(std::string_view text)
{
  std::string name;
  for (const char c : Lower(text))
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) name.push_back(c);
  return name;
}

// "Tension (kN)" as "Tension" and "kN"; the unit is empty without brackets.
void SplitUnit(std::string_view field, std::string_view& name, std::string_view& unit)
{
  name = field;
  unit = {};
  const std::size_t end = field.find_last_not_of(' ');
  if (end == std::string_view::npos) return;
  const char close = field[end];
  if (close != ')' && close != ']') return;
  const std::size_t open = field.rfind(close == ')' ? '(' : '[', end);
  if (open == std::string_view::npos) return;
  name = field.substr(0, open);
  unit = field.substr(open + 1, end - open - 1);
}

std::optional<double> Factor(const TUnitName* begin, const TUnitName* end, const std::string& unit)
{
  for (const TUnitName* u = begin; u != end; ++u)
    if (unit == u->Name) return u->Factor;
  return std::nullopt;
}

std::string UnitList(const TUnitName* begin, const TUnitName* end)
{
  std::string list;
  for (const TUnitName* u = begin; u != end; ++u)
    if (static_cast<unsigned char>(u->Name[0]) < 0x80) list += (list.empty() ? "" : ", ") + std::string(u->Name);
  return list;
}

// The scale from the header's unit to the design's, exactly 1 for the same.
double UnitScale(const TCsvRecord& record, TCsvColumn column, std::string_view unitText, const TBend& bend)
{
  const std::string unit = Lower(unitText);
  if (unit.empty() || column == ccTime || column == ccState1 || column == ccState2) return 1.0;
  const TUnitName* begin = nullptr;
  const TUnitName* end = nullptr;
  double design = 1.0;
  switch (column) {
    case ccTension:
      begin = std::begin(ForceUnits), end = std::end(ForceUnits);
      design = bend.Units().ToSI(dmForce, 1.0) * 1e3;
      break;
    case ccABR:
      begin = std::begin(LengthUnits), end = std::end(LengthUnits);
      design = bend.Units().ToSI(dmLength, 1.0);
      break;
    default:
      begin = std::begin(AngleUnits), end = std::end(AngleUnits);
      break;
  }
  const std::optional<double> factor = Factor(begin, end, unit);
  if (!factor)
    throw ECsvError(Format("Line %d: the unit \"%s\" of the %s column is not one the reader knows; it knows %s.",
                           record.Line, VisibleText(unitText).c_str(), CsvColumnName(column),
                           UnitList(begin, end).c_str()));
  return std::fabs(*factor - design) <= 1e-12 * design ? 1.0 : *factor / design;
}

std::optional<TCsvColumn> ColumnNamed(const std::string& name)
{
  for (const TColumnNames& known : KnownColumns())
    for (std::string_view alias : known.Names)
      if (name == alias) return known.Column;
  return std::nullopt;
}

}  // namespace

const char* CsvColumnName(TCsvColumn column)
{
  static const char* const names[CsvColumnCount] = {"tension", "angle", "ABR", "State 1", "State 2", "time"};
  return names[column];
}

TCsvHeader ReadCsvHeader(const TCsvRecord& record, char delimiter, const TBend& bend, unsigned wanted)
{
  TCsvHeader header;
  header.Delimiter = delimiter;
  for (int f = 0; f < record.Count; ++f) {
    std::string_view name, unit;
    SplitUnit(record.Field(f), name, unit);
    const std::optional<TCsvColumn> column = ColumnNamed(NormalisedName(name));
    if (!column || (wanted & (1u << *column)) == 0) continue;
    if (header.Has(*column))
      throw ECsvError(Format("Line %d: the header names the %s column twice.", record.Line, CsvColumnName(*column)));
    header.Field[*column] = f;
    header.Scale[*column] = UnitScale(record, *column, unit, bend);
  }
  for (const TCsvColumn required : {ccTension, ccAngle})
    if (!header.Has(required)) {
      std::string found;
      for (int f = 0; f < record.Count; ++f) found += (f ? ", \"" : "\"") + VisibleText(record.Field(f)) + "\"";
      throw ECsvError(
          Format("Line %d: the header has no %s column. The first line that is not blank or a "
                 "comment must name the columns, such as \"Tension (kN),Angle (deg)\"; it reads %s.",
                 record.Line, CsvColumnName(required), found.c_str()));
    }
  return header;
}

std::string_view TrimmedCsvField(std::string_view text)
{
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

TCsvNumberError ReadCsvNumber(std::string_view text, char delimiter, double& value)
{
  text = TrimmedCsvField(text);
  if (text.empty()) return TCsvNumberError::Empty;
  if (text.front() == '+') text.remove_prefix(1);
  char copy[64];
  if (delimiter != ',' && text.find(',') != std::string_view::npos && text.find('.') == std::string_view::npos &&
      text.size() < sizeof copy) {
    // A decimal comma, as spreadsheets of many countries write it.
    std::copy(text.begin(), text.end(), copy);
    for (std::size_t i = 0; i < text.size(); ++i)
      if (copy[i] == ',') copy[i] = '.';
    text = std::string_view(copy, text.size());
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) return TCsvNumberError::OutOfRange;
  if (error != std::errc() || end != text.data() + text.size()) return TCsvNumberError::NotANumber;
  return std::isfinite(value) ? TCsvNumberError::None : TCsvNumberError::NotFinite;
}

std::string CsvNumberMessage(int line, TCsvColumn column, std::string_view text, TCsvNumberError error)
{
  const std::string shown = VisibleText(text.substr(0, 40)) + (text.size() > 40 ? "..." : "");
  switch (error) {
    case TCsvNumberError::Empty:
      return Format("Line %d, %s: no number is given.", line, CsvColumnName(column));
    case TCsvNumberError::NotFinite:
      return Format("Line %d, %s: \"%s\" is not a finite number.", line, CsvColumnName(column), shown.c_str());
    case TCsvNumberError::OutOfRange:
      return Format("Line %d, %s: %s is out of range: it is beyond the largest number the program can hold.", line,
                    CsvColumnName(column), shown.c_str());
    default:
      return Format("Line %d, %s: \"%s\" is not a number.", line, CsvColumnName(column), shown.c_str());
  }
}

std::string_view CsvCell(const TCsvRecord& record, const TCsvHeader& header, TCsvColumn column)
{
  const int field = header.Field[column];
  return field >= 0 && field < record.Count ? std::string_view(record.Field(field)) : std::string_view();
}

std::optional<double> ReadCsvValue(const TCsvRecord& record, const TCsvHeader& header, TCsvColumn column,
                                   const TVar* descriptor, std::string& message)
{
  const std::string_view text = CsvCell(record, header, column);
  double value = 0.0;
  const TCsvNumberError error = ReadCsvNumber(text, header.Delimiter, value);
  if (error != TCsvNumberError::None) {
    message = CsvNumberMessage(record.Line, column, text, error);
    return std::nullopt;
  }
  value *= header.Scale[column];
  if (descriptor == nullptr) return value;
  const TAccessStatus status = Validate(*descriptor, TVariant(value), vtReal);
  if (status.Code == acValid) return value;
  // Some reasons end in a full stop of their own.
  std::string reason = status.Text();
  if (!reason.empty() && reason.back() == '.') reason.pop_back();
  message = Format("Line %d, %s: %s is refused: %s.", record.Line, CsvColumnName(column),
                   VisibleText(TrimmedCsvField(text).substr(0, 40)).c_str(), reason.c_str());
  return std::nullopt;
}

}  // namespace umbrinex
