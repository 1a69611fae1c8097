#pragma once

#include "platform/Rect.h"

struct ScreenRect;

// A rectangle on the page, in page units (0.1 mm) with y growing upward; a control keeps its top
// edge above its bottom edge (top > bottom). It draws wherever a Rect is taken, but a rectangle of
// the capture screen never becomes one, nor one of these a screen rectangle, without being named.
struct PageRect : Rect {
    constexpr PageRect() = default;
    constexpr PageRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
        : Rect(l, t, r, b) {}
    // A plain rectangle taken as lying on the page.
    constexpr explicit PageRect(const Rect& r) : Rect(r) {}

    PageRect Normalized() const { return PageRect(Rect::Normalized()); }
    PageRect Offsetted(std::int32_t dx, std::int32_t dy) const {
        return PageRect(Rect::Offsetted(dx, dy));
    }

    // Page units and pixels do not compare.
    bool operator==(const ScreenRect&) const = delete;
};
