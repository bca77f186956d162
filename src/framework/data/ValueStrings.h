#pragma once
// Names of enumeration values, with the patterns a user may type instead.

#include <string>
#include <vector>

#include "numerics/Errors.h"

namespace umbrinex {

class EValueStringNotFound : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

// Wildcard patterns accepted in place of a name.
using TAltStrings = std::vector<std::string>;

class TAbstractValueStrings {
 public:
  virtual ~TAbstractValueStrings() = default;
  virtual int Count() const = 0;
  virtual const std::string& Name(int ordinal) const = 0;
  virtual const TAltStrings& Alternatives(int ordinal) const = 0;
  // The ordinal named or matched by text; raises EValueStringNotFound when
  // nothing, or more than one pattern, matches.
  int IndexOf(const std::string& text) const;
};

// Names in ordinal order. An empty name marks an ordinal that cannot be chosen.
class TValueStrings final : public TAbstractValueStrings {
 public:
  explicit TValueStrings(int highestOrdinal);
  TValueStrings(std::initializer_list<std::string> names);

  void Insert(int ordinal, std::string name, TAltStrings alternatives = {});
  int Count() const override { return static_cast<int>(FNames.size()); }
  const std::string& Name(int ordinal) const override { return FNames.at(static_cast<std::size_t>(ordinal)); }
  const TAltStrings& Alternatives(int ordinal) const override
  {
    return FAlternatives.at(static_cast<std::size_t>(ordinal));
  }
  // True when ordinal names a value that can be chosen.
  bool IsValid(int ordinal) const { return ordinal >= 0 && ordinal < Count() && !Name(ordinal).empty(); }

 private:
  std::vector<std::string> FNames;
  std::vector<TAltStrings> FAlternatives;
};

// The shared No/Yes strings of boolean items ("n" and "y" accepted).
const TValueStrings& BooleanValueStrings();

}  // namespace umbrinex
