#include "Rect.h"

#include <algorithm>

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
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

Rect Rect::Offsetted(std::int32_t dx, std::int32_t dy) const {
    Rect r = *this;
    r.Offset(dx, dy);
    return r;
}

void Rect::Inflate(std::int32_t dx, std::int32_t dy) {
    left -= dx;
    top -= dy;
    right += dx;
    bottom += dy;
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
    return Point{left + (right - left) / 2, top + (bottom - top) / 2};
}

Rect Rect::PageSquare(Point p, std::int32_t half) {
    return Rect(p.x - half, p.y + half, p.x + half, p.y - half);
}
