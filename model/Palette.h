#pragma once
#include <array>
#include <cstdint>

// The palette that every material list starts with and that 8-bit materials index.
const std::array<uint8_t, 768>& BuiltInPalette();
