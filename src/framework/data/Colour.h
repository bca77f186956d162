#pragma once
// Colours as every layer stores them, with no toolkit in sight.

#include <cstdint>

namespace umbrinex {

// Colours are 0x00BBGGRR. NoColour stands for "none": no fill, or the
// automatic (window-text) font colour.
using TColour = std::uint32_t;
inline constexpr TColour NoColour = 0x1FFFFFFF;

}  // namespace umbrinex
