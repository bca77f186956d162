#include "framework/data/DataTypes.h"

namespace umbrinex {

const char* DefaultAccessMessage(std::uint8_t code)
{
  switch (code) {
    case acUnrecognised: return "Unrecognised variable";
    case acInvalidIndex: return "Invalid index";
    case acChangeNotAllowed: return "Change not allowed";
    case acInvalidValue: return "Invalid value";
    case acInvalidType: return "Invalid type";
    case acListEmpty: return "List box empty";
    default: return "";
  }
}

std::string TAccessStatus::Text() const
{
  return Message.empty() ? std::string(DefaultAccessMessage(Code)) : Message;
}

}  // namespace umbrinex
