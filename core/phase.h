#pragma once
#include <cstdint>

namespace quellin {

// Stored as a 32-bit signed value by the cycle; other parts only read it.
enum class Phase : std::int32_t { Green = 0, Amber = 1, Red = 2 };

// Whole seconds of calendar time. Kept 64 bits wide so that the cycle keeps working
// past 2038; nothing of it is stored, so the width is the program's own business.
using Seconds = std::int64_t;

}  // namespace quellin
