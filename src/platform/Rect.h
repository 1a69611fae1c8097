#pragma once

#include "platform/Point.h"

#include <cstdint>

// Left, top, right, bottom as four signed 32-bit integers. Nothing here orders the edges: page
// rectangles keep their top above their bottom (top > bottom, y grows upward), screen rectangles
// keep it the other way round. Operations that need order work on a Normalized() copy.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr Rect() = default;
    constexpr Rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
        : left(l), top(t), right(r), bottom(b) {}

    // Saturated at the ends of the 32-bit range.
    std::int32_t Width() const;
    std::int32_t Height() const;

    // Left <= right and top <= bottom numerically; after this "top" is the smaller y.
    Rect Normalized() const;
    // No area: width or height zero or negative.
    bool IsEmpty() const;
    // All four members zero.
    bool IsNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // The platform's rule: left and the numerically smaller y inside, right and larger y outside.
    // The rectangle is taken as it stands; callers normalize when they need to.
    bool Contains(Point p) const;
    void Offset(std::int32_t dx, std::int32_t dy);
    Rect Offsetted(std::int32_t dx, std::int32_t dy) const;
    void Inflate(std::int32_t dx, std::int32_t dy);
    // The smallest rectangle holding both; an empty side contributes nothing.
    Rect United(const Rect& other) const;
    Point Center() const;

    // A square of side 2 * half centred on the page point p, its top above its bottom as page
    // rectangles keep them: (x - half, y + half, x + half, y - half).
    static Rect PageSquare(Point p, std::int32_t half);

    friend bool operator==(const Rect&, const Rect&) = default;
};
