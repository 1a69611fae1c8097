#pragma once

#include "platform/Rect.h"

// A rectangle on the capture screen, in pixels with y growing downward (top < bottom). It draws
// wherever a Rect is taken, but never becomes a page rectangle, nor one of those a screen
// rectangle, without being named.
struct ScreenRect : Rect {
    constexpr ScreenRect() = default;
    constexpr ScreenRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
        : Rect(l, t, r, b) {}
    // A plain rectangle taken as lying on the capture screen.
    constexpr explicit ScreenRect(const Rect& r) : Rect(r) {}

    ScreenRect Normalized() const { return ScreenRect(Rect::Normalized()); }
    ScreenRect Offsetted(std::int32_t dx, std::int32_t dy) const {
        return ScreenRect(Rect::Offsetted(dx, dy));
    }
    ScreenRect United(const ScreenRect& other) const { return ScreenRect(Rect::United(other)); }
};
