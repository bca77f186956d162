#include "persistence/UnrecognisedValues.h"

#include <algorithm>

#include "framework/data/TextUtils.h"
#include "persistence/FileErrors.h"

namespace umbrinex {

namespace {

std::string UnrecognisedWarning(const std::vector<std::string>& names)
{
  if (names.size() == 1)
    return Format("Unrecognised value for %s - using default value.  Results will probably be affected.",
                  names.front().c_str());
  std::string text = "The following data items had unrecognised values:\r\n\n";
  for (const std::string& name : names) text += " - " + name + "\r\n";
  return text + "\r\nDefault values have been used and this will probably affect results.";
}

}  // namespace

void TUnrecognisedValues::Collect(bool on)
{
  FCollecting = on;
  FNames.clear();
}

void TUnrecognisedValues::Note(const std::string& itemName)
{
  if (FCollecting && std::find(FNames.begin(), FNames.end(), itemName) == FNames.end())
    FNames.push_back(itemName);
}

void TUnrecognisedValues::Report()
{
  if (FNames.empty()) return;
  const std::string text = UnrecognisedWarning(FNames);
  FNames.clear();
  ShowFileWarning(text);
}

}  // namespace umbrinex
