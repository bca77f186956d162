#pragma once
// Who the program says it is.

namespace umbrinex {

inline constexpr const char* ApplicationName = "Umbrinex";
inline constexpr const char* ApplicationVersion = "4.2b";
// The name with the version: "Umbrinex 4.2b".
inline constexpr const char* ApplicationTitle = "Umbrinex 4.2b";

}  // namespace umbrinex
