#include "platform/Rect.h"

#include "platform/Saturate.h"

#include <algorithm>

std::int32_t Rect::Width() const {
    return Saturate(std::int64_t{right} - left);
}

std::int32_t Rect::Height() const {
    return Saturate(std::int64_t{bottom} - top);
}

Rect Rect::Normalized() const {
    return Rect(std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom));
}

bool Rect::IsEmpty() const {
    return right <= left || bottom <= top;
}

bool Rect::Contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
}

void Rect::Offset(std::int32_t dx, std::int32_t dy) {
    left = SaturatedAdd(left, dx);
    right = SaturatedAdd(right, dx);
    top = SaturatedAdd(top, dy);
    bottom = SaturatedAdd(bottom, dy);
}

Rect Rect::Offsetted(std::int32_t dx, std::int32_t dy) const {
    Rect r = *this;
    r.Offset(dx, dy);
    return r;
}

void Rect::Inflate(std::int32_t dx, std::int32_t dy) {
    left = SaturatedAdd(left, -std::int64_t{dx});
    top = SaturatedAdd(top, -std::int64_t{dy});
    right = SaturatedAdd(right, dx);
    bottom = SaturatedAdd(bottom, dy);
}

Rect Rect::United(const Rect& other) const {
    if (other.IsEmpty())
        return *this;
    if (IsEmpty())
        return other;
    return Rect(std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom));
}

Point Rect::Center() const {
    return Point{Midpoint(left, right), Midpoint(top, bottom)};
}

Rect Rect::PageSquare(Point p, std::int32_t half) {
    return Rect(SaturatedAdd(p.x, -std::int64_t{half}), SaturatedAdd(p.y, half),
                SaturatedAdd(p.x, half), SaturatedAdd(p.y, -std::int64_t{half}));
}
