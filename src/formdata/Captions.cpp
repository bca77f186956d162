#include "formdata/Captions.h"

#include <charconv>

#include "framework/data/DataAccess.h"

namespace umbrinex {

namespace {

bool ReadItemNumber(const std::string& text, int& varNum)
{
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, varNum);
  return ec == std::errc() && ptr == end;
}

std::string ExpandPair(const std::string& inside, TDataObject* dataObject)
{
  if (inside.empty()) return "%";
  const std::string unchanged = "%" + inside + "%";
  if (!dataObject) return unchanged;
  int varNum = 0;
  if (!ReadItemNumber(inside, varNum)) return dataObject->ExpandUnitNames(inside);
  TAccessStatus status;
  TVariant value;
  dataObject->GetValue(varNum, 0, status, value, vtText);
  if (status.Code != acOk && status.Code != acReadOnly) return unchanged;
  return value.ToText();
}

}  // namespace

std::string ExpandCaption(const std::string& text, TDataObject* dataObject)
{
  std::string result;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t open = text.find('%', i);
    if (open == std::string::npos) break;
    const std::size_t close = text.find('%', open + 1);
    if (close == std::string::npos) break;
    result.append(text, i, open - i);
    result += ExpandPair(text.substr(open + 1, close - open - 1), dataObject);
    i = close + 1;
  }
  if (i < text.size()) result.append(text, i, std::string::npos);
  return result;
}

std::string StripAccelerators(const std::string& caption)
{
  std::string result;
  result.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    else if (caption[i] == '&') continue;
    result += caption[i];
  }
  return result;
}

}  // namespace umbrinex
