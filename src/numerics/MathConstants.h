#pragma once

namespace umbrinex {

inline constexpr double Pi = 3.14159265358979323846;

}  // namespace umbrinex
