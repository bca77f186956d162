#pragma once
// The manual: "Umbrinex.pdf" beside the program file, in the installed
// program's data folder ("share/umbrinex" beside "bin"), or in the folder the
// configuration entry "Installation Directory" names.

#include <string>

namespace umbrinex {

inline constexpr const char* ManualFileName = "Umbrinex.pdf";
// The same manual as one HTML page, shown by the help window, with its
// pictures in "images" beside it.
inline constexpr const char* ManualHtmlName = "Umbrinex.html";

// The manual's full name, or an empty one when it is in none of the places.
std::string FindManual();
// The same for a program file in programFolder.
std::string FindManual(const std::string& programFolder);
// Any file of the manual (fileName) in the same places.
std::string FindManualFile(const std::string& fileName, const std::string& programFolder);
// Opens it with the desktop's viewer; tells the user when it cannot.
void OpenManual();
void OpenManual(const std::string& programFolder);

}  // namespace umbrinex
