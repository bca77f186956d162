#include "framework/data/ValueStrings.h"

#include "framework/data/TextUtils.h"

namespace umbrinex {

TValueStrings::TValueStrings(int highestOrdinal)
    : FNames(static_cast<std::size_t>(highestOrdinal + 1)), FAlternatives(static_cast<std::size_t>(highestOrdinal + 1))
{
}

TValueStrings::TValueStrings(std::initializer_list<std::string> names) : FNames(names), FAlternatives(names.size()) {}

void TValueStrings::Insert(int ordinal, std::string name, TAltStrings alternatives)
{
  FNames.at(static_cast<std::size_t>(ordinal)) = std::move(name);
  FAlternatives.at(static_cast<std::size_t>(ordinal)) = std::move(alternatives);
}

int TAbstractValueStrings::IndexOf(const std::string& text) const
{
  if (!text.empty()) {
    for (int i = 0; i < Count(); ++i)
      if (SameText(Name(i), text)) return i;
  }
  int matchedOrdinal = -1;
  std::vector<std::string> matches;
  for (int i = 0; i < Count(); ++i) {
    for (const std::string& pattern : Alternatives(i)) {
      if (WildcardMatch(pattern, text)) {
        matchedOrdinal = i;
        matches.push_back(pattern);
      }
    }
  }
  if (matches.size() == 1 && !text.empty()) return matchedOrdinal;
  std::string lines;
  if (matches.size() > 1 && !text.empty()) {
    for (const std::string& m : matches) lines += LineBreak + m;
    throw EValueStringNotFound(Format("'%s' not unique.  It matches: %s", VisibleText(text).c_str(), lines.c_str()));
  }
  for (int i = 0; i < Count(); ++i)
    if (!Name(i).empty()) lines += LineBreak + Name(i);
  throw EValueStringNotFound(
      Format("'%s' not found.  Possible values are: %s", VisibleText(text).c_str(), lines.c_str()));
}

const TValueStrings& BooleanValueStrings()
{
  static const TValueStrings strings = [] {
    TValueStrings s(1);
    s.Insert(0, "No", {"n"});
    s.Insert(1, "Yes", {"y"});
    return s;
  }();
  return strings;
}

}  // namespace umbrinex
