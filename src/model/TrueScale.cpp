#include "model/TrueScale.h"

#include "platform/Saturate.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kUnitsPerInch = 254.0;
// Held as a drawing surface holds device coordinates, so that a damaged format's extreme values
// give the same pixels wherever they are worked out.
constexpr double kMaxPixel = 4e6;

int Pixel(double value) {
    return Saturate(std::llround(std::clamp(value, -kMaxPixel, kMaxPixel)));
}

} // namespace

Point TrueScale::ToScreen(Point page) {
    constexpr double scale = kPixelsPerInch / kUnitsPerInch;
    return Point{Pixel(page.x * scale), Pixel(page.y * -scale)};
}

ScreenRect TrueScale::ToScreen(const PageRect& page) {
    const Point a = ToScreen(Point{page.left, page.top});
    const Point b = ToScreen(Point{page.right, page.bottom});
    return ScreenRect(a.x, a.y, b.x, b.y);
}

int TrueScale::WidthOnScreen(int pageWidth) {
    return ToScreen(Point{pageWidth, 0}).x;
}

PainterSurface::DeviceInfo TrueScale::Device() {
    PainterSurface::DeviceInfo info;
    info.dpiX = info.dpiY = kPixelsPerInch;
    return info;
}
