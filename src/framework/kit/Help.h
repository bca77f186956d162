#pragma once
// The manual: "Umbrinex.pdf" beside the program file, or in the folder the
// configuration entry "Installation Directory" names.

#include <string>

namespace umbrinex {

inline constexpr const char* ManualFileName = "Umbrinex.pdf";

// The manual's full name, or an empty one when it is in neither place.
std::string FindManual();
// Opens it with the desktop's viewer; tells the user when it cannot.
void OpenManual();

}  // namespace umbrinex
