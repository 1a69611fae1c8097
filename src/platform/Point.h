#pragma once

#include <cstdint>

// A point in the logical units of whatever surface or rectangle it belongs to.
struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};
