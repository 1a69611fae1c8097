#pragma once

#include <cstdint>

// How a format file holds a flag: a 32-bit integer, 0 when off and any other value when on.
// Writers store 1 for on, except for the upper-case flag, which earlier writers toggled by
// complement and so left at -1.
namespace StoredFlag {

constexpr std::int32_t kOn = 1;
constexpr std::int32_t kUpperCaseOn = -1;

constexpr bool Read(std::int32_t value) {
    return value != 0;
}

constexpr std::int32_t Write(bool on) {
    return on ? kOn : 0;
}

constexpr std::int32_t WriteUpperCase(bool on) {
    return on ? kUpperCaseOn : 0;
}

} // namespace StoredFlag
