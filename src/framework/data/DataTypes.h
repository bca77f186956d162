#pragma once
// The vocabulary of item access: item types and representations, the status
// every access returns, and the interface through which objects answer
// numbered data items.

#include <cstdint>
#include <string>

#include "framework/data/Dimension.h"

namespace umbrinex {

class TVariant;

// Item type of a descriptor or column, and the representation a caller asks for.
enum TVarType : std::uint8_t {
  vtNull = 0,
  vtInt = 1,            // 16-bit signed integer
  vtCard = 2,           // 16-bit unsigned with the "?" and "~" codes
  vtReal = 3,
  vtName = 4,
  vtText = 5,           // enumerations answer with their name
  vtEnum = 6,           // enumerations answer with their name
  vtList = 7,           // a list target is filled or read
  vtBool = 8,
  vtIndex = 9,          // row number, display only
  vtLetteredIndex = 10, // row letter, display only
  vtLong = 11,          // 32-bit signed integer
  vtHex = 12,
  vtColour = 13,
  vtSpin = 14,
  vtPenStyle = 15,
  vtVector = 16,
  vtDelete = 17,        // on a row-count item: delete row Index
  vtInsertBefore = 18,  // on a row-count item: insert a row before Index
  vtInsertAfter = 19,
  vtUnits = 20,
  vtVariable = 21,
};

// Status codes of an item access.
enum TAccessCode : std::uint8_t {
  acValid = 0,          // result of validation only
  acOk = 1,             // available and changeable; after a set, the change was made
  acNotApplicable = 2,  // no object answers the item now
  acReadOnly = 3,
  acUnrecognised = 4,
  acInvalidIndex = 5,
  acChangeNotAllowed = 6,
  acInvalidValue = 7,
  acInvalidType = 8,
  acListEmpty = 9,
  acNotAllowed = 10,    // Message says why
};

struct TAccessStatus {
  std::uint8_t Code = acValid;
  std::string Message;

  // Message, or the code's default message when Message is empty.
  std::string Text() const;
  void Set(std::uint8_t code, std::string message = {})
  {
    Code = code;
    Message = std::move(message);
  }
};

// The default message of a status code, empty for codes that have none.
const char* DefaultAccessMessage(std::uint8_t code);

// What an item is, beyond its value: its name and type (from its descriptor;
// empty and vtNull when it has none), the dimension of its values, which
// decides the unit names shown with it, and for an item indexed by a row, the
// item that holds the row count (0 for an item without rows).
struct TItemInfo {
  std::string Name;
  TVarType Type = vtNull;
  TDimension Dimension = dmDimensionless;
  int CountVarNum = 0;
};

// Implemented by every object that answers numbered data items: data objects,
// units and tables. Found tells whether the object recognised VarNum.
class IUnitsListener;
class IDataItemAccess {
 public:
  virtual void GetValue(int varNum, int index, bool& found, TAccessStatus& status, TVariant& value,
                        TVarType representation) = 0;
  virtual void SetValue(int varNum, int index, bool& found, TAccessStatus& status, const TVariant& value,
                        TVarType representation) = 0;
  // The object's units listener, when it has one: the owner that registers
  // this object forwards unit changes to it.
  virtual IUnitsListener* UnitsListener() { return nullptr; }
  // Fills in what the object knows of the item; false when it does not
  // answer it.
  virtual bool DescribeItem(int /*varNum*/, TItemInfo& /*info*/) { return false; }

 protected:
  ~IDataItemAccess() = default;
};

}  // namespace umbrinex
