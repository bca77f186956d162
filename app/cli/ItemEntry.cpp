// Entering a value into a data item as the data grid does when a user
// commits a typed cell: the text is read by the rules of the item's type and
// handed to SetValue, so every refusal carries the program's own message.

#include <charconv>

#include "bend/Bend.h"
#include "cli/Cli.h"
#include "framework/data/TextUtils.h"
#include "framework/data/Units.h"
#include "framework/data/ValueText.h"

namespace umbrinex {

namespace {

std::optional<int> PositiveInteger(std::string_view text)
{
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
  return value;
}

std::string ReadErrorMessage(TTextError error)
{
  switch (error) {
    case TTextError::OutOfRange:
      return "Number out of range";
    case TTextError::Negative:
      return "Positive number expected";
    default:
      return {};  // the code's own "Invalid value"
  }
}

// The typed text as the value and representation the item takes, or the
// read error.
TTextError ReadTypedText(TVarType type, const std::string& text, TVariant& value, TVarType& representation)
{
  std::int32_t integer = 0;
  double real = 0.0;
  TTextError error = TTextError::None;
  representation = type;
  switch (type) {
    case vtInt:
      error = TextToSmallInt(text, integer);
      break;
    case vtCard:
      error = TextToCardinal(text, integer);
      break;
    case vtLong:
      error = TextToLong(text, integer);
      break;
    case vtHex:
      error = TextToHex(text, integer);
      break;
    case vtReal:
      error = TextToReal(text, real);
      value = real;
      return error;
    default:
      // Names, enumerations, booleans and list choices are matched as text.
      representation = vtText;
      value = text;
      return TTextError::None;
  }
  value = integer;
  return error;
}

// The units of length, mass, force, time and temperature follow the units
// system unless it is "User": a refusal there says what to change first.
void ExplainUnitsRefusal(TBend& bend, int varNum, TAccessStatus& status)
{
  const TUnits& units = bend.Units();
  const int offset = varNum - units.BaseVarNum();
  if (status.Code != acChangeNotAllowed || offset < TUnits::uiLength || offset > TUnits::uiTemperature ||
      units.System() == usUser)
    return;
  status.Message = Format("%s: the units system is %s; set %d=User first", DefaultAccessMessage(acChangeNotAllowed),
                          TUnits::SystemNames().Name(units.System()).c_str(), units.BaseVarNum() + TUnits::uiSystem);
}

}  // namespace

std::optional<TItemSetting> ParseItemSetting(const std::string& argument)
{
  const std::size_t equals = argument.find('=');
  if (equals == std::string::npos) return std::nullopt;
  TItemSetting setting;
  setting.Item = argument.substr(0, equals);
  setting.Text = argument.substr(equals + 1);
  const std::string_view item = setting.Item;
  const std::size_t colon = item.find(':');
  const auto varNum = PositiveInteger(item.substr(0, colon));
  if (!varNum) return std::nullopt;
  setting.VarNum = *varNum;
  if (colon != std::string_view::npos) {
    const auto row = PositiveInteger(item.substr(colon + 1));
    if (!row) return std::nullopt;
    setting.Row = *row;
  }
  return setting;
}

TAccessStatus EnterItemText(TBend& bend, int varNum, int index, const std::string& text)
{
  TAccessStatus status;
  // An item nobody answers, or a row that does not exist, is named as such
  // rather than as a change that is not allowed.
  TVariant current;
  bend.GetValue(varNum, index, status, current, vtText);
  if (status.Code == acUnrecognised || status.Code == acInvalidIndex) return status;

  // A name or text of the design is saved, listed and given to JSON as
  // UTF-8; a broken one would come back as something else, or not at all.
  if (!IsValidUtf8(text)) {
    status.Set(acInvalidValue, "The text is not valid UTF-8");
    return status;
  }
  const TVar* descriptor = TBend::Vars().TryFind(varNum);
  TVariant value;
  TVarType representation = vtText;
  const TTextError error = ReadTypedText(descriptor ? descriptor->VarType : vtText, text, value, representation);
  if (error != TTextError::None) {
    status.Set(acInvalidValue, ReadErrorMessage(error));
    return status;
  }
  try {
    bend.SetValue(varNum, index, status, value, representation);
  } catch (const EValueStringNotFound& e) {
    status.Set(acInvalidValue, e.what());
  }
  ExplainUnitsRefusal(bend, varNum, status);
  // As the main window does when a data form closes with changes: results
  // calculated before the change are results of another design.
  if (status.Code == acOk && bend.DataChanged()) {
    bend.InvalidateResults();
    bend.SetDataChanged(false);
  }
  return status;
}

}  // namespace umbrinex
