#include "imaging/ImageLimits.h"

namespace {

std::int64_t g_maxPixels = ImageLimits::kDefaultMaxPixels;

} // namespace

std::int64_t ImageLimits::MaxPixels() {
    return g_maxPixels;
}

void ImageLimits::SetMaxPixels(std::int64_t pixels) {
    g_maxPixels = pixels > 0 ? pixels : kDefaultMaxPixels;
}

bool ImageLimits::Allows(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0)
        return false;
    // Both sides come from 32-bit fields, so the product fits in 64 bits.
    return width * height <= g_maxPixels;
}

QString ImageLimits::TooLargeMessage(std::int64_t width, std::int64_t height) {
    return QStringLiteral("La imagen es demasiado grande (%1 x %2 píxeles).")
        .arg(width)
        .arg(height);
}
