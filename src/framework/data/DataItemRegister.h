#pragma once
// The register through which a data object publishes its fields as numbered
// data items. Records are tried in registration order; the first that
// answers a VarNum wins.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/data/DataTypes.h"
#include "framework/data/Dimension.h"
#include "framework/data/TaggedFileInterface.h"

namespace umbrinex {

class TAbstractValueStrings;
class TDataObject;
class TVariant;

// VarNum of fields registered only so that unit changes reach them.
inline constexpr int NoVarNum = -1;

// An enumeration ordinal as the representation asks: its name for vtText
// and vtEnum, the names filled into the list target for vtList (the current
// one selected), otherwise the ordinal.
void EnumerationToVariant(int ordinal, const TAbstractValueStrings& names, TVariant& value, TVarType representation);
// The ordinal a value chooses: the selected entry of a list target, a name or
// alternative typed as text (EValueStringNotFound when nothing matches), or an
// integer. -1 when the value chooses no valid ordinal.
int EnumerationFromVariant(const TAbstractValueStrings& names, const TVariant& value, TVarType representation);

class TDataItemRegister {
 public:
  explicit TDataItemRegister(TDataObject& owner) : FOwner(owner) {}

  void RegisterEnum(std::uint8_t& field, const TAbstractValueStrings& valueStrings, int varNum);
  void RegisterBoolean(bool& field, int varNum);
  void RegisterSmallInt(std::int16_t& field, int varNum);
  void RegisterInteger(std::int32_t& field, int varNum);
  void RegisterString(std::string& field, int varNum);
  void RegisterReal(double& field, const TDimension& dimension, int varNum);
  void RegisterVector(TVector& field, const TDimension& dimension, int varNum);
  // A sub-object answers its own items; its units listener (a table's, say)
  // is fed by the owner from now on rather than by the units directly.
  void RegisterSubObject(IDataItemAccess& object);

  // Both return whether a record answered the VarNum.
  bool GetItem(int varNum, int index, TAccessStatus& status, TVariant& value, TVarType representation);
  bool SetItem(int varNum, int index, TAccessStatus& status, const TVariant& value, TVarType representation);
  // What the record answering varNum knows of it; false when none does.
  bool DescribeItem(int varNum, TItemInfo& info) const;
  void UnitsChanged(const IScaleValue& scale);
  // Copies every field from a register of the same layout (same class).
  void AssignFields(const TDataItemRegister& source);

 private:
  enum class TKind : std::uint8_t { Enumeration, Boolean, SmallInt, Integer, String, Real, Vector, SubObject };
  struct TRecord {
    TKind Kind;
    int VarNum;
    void* Field;
    TDimension Dimension;
    const TAbstractValueStrings* ValueStrings;
    IDataItemAccess* SubObject;
  };

  bool Answers(const TRecord& r, int varNum) const;
  void SetField(const TRecord& r, int varNum, TAccessStatus& status, const TVariant& value);

  TDataObject& FOwner;
  std::vector<TRecord> FRecords;
};

}  // namespace umbrinex
