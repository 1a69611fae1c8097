#pragma once

#include <algorithm>
#include <cstdint>

// Positions and sizes read from a file can hold any 32-bit value. Geometry on them saturates at
// the ends of the range instead of overflowing, so a damaged format draws oddly but safely.
constexpr std::int32_t Saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

constexpr std::int32_t SaturatedAdd(std::int32_t a, std::int64_t b) {
    return Saturate(std::int64_t{a} + b);
}

// a + (b - a) / 2, the half truncated toward zero, as the layout rules take it.
constexpr std::int32_t Midpoint(std::int32_t a, std::int32_t b) {
    return Saturate(std::int64_t{a} + (std::int64_t{b} - a) / 2);
}
