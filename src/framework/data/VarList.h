#pragma once
// Validation descriptors of data items, and the validation of a new value.

#include <string>
#include <vector>

#include "framework/data/DataTypes.h"
#include "framework/data/ValueStrings.h"
#include "numerics/Errors.h"

namespace umbrinex {

class TVariant;

class EVarListError : public EUmbrinexError {
 public:
  using EUmbrinexError::EUmbrinexError;
};

struct TVar {
  std::string Name;
  TAltStrings Alternatives;
  int VarNum = 0;
  int HelpContext = 0;
  TVarType VarType = vtNull;
  bool HasRange = false;
  double Min = 0.0;
  double Max = 0.0;
  bool AllowDefault = false;
  bool AllowInfinity = false;
  bool AllowUndefined = false;
};

// Special values a descriptor accepts.
enum TAllowFlags : unsigned { afNone = 0, afDefault = 1, afInfinity = 2, afUndefined = 4 };

// Descriptors in insertion order; a model class builds its list once.
class TVarList {
 public:
  TVar& AddRanged(int varNum, TVarType type, double min, double max, unsigned allow = afNone,
                  std::string name = {}, TAltStrings alternatives = {}, int helpContext = 0);
  TVar& AddUnranged(int varNum, TVarType type, unsigned allow = afNone, std::string name = {},
                    TAltStrings alternatives = {}, int helpContext = 0);
  void AddFrom(const TVarList& other);

  // The first descriptor with this VarNum; raises EVarListError when absent.
  const TVar& Find(int varNum) const;
  TVar& Find(int varNum);
  // The first descriptor with this VarNum, or nullptr.
  const TVar* TryFind(int varNum) const;
  int Count() const { return static_cast<int>(FVars.size()); }
  const TVar& operator[](int i) const { return FVars.at(static_cast<std::size_t>(i)); }

 private:
  std::vector<TVar> FVars;
};

// The longest text a data file can hold: its length is stored in 16 bits,
// and every character takes one byte of the file's code page.
inline constexpr std::size_t MaxTextLength = 65535;

// Checks a new value against a descriptor; code 0 means valid. Besides the
// descriptor's own rules, a real that is NaN or beyond the special values is
// refused, and so is a text or name longer than MaxTextLength.
TAccessStatus Validate(const TVar& descriptor, const TVariant& value, TVarType representation);

}  // namespace umbrinex
