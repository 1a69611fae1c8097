#include "imaging/BmpFile.h"

#include "imaging/ImageLimits.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kNoCompression = 0;
constexpr std::uint32_t kBitFields = 3;

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// One channel of a 16- or 32-bit pixel, picked out by its mask and scaled to 0..255 (the
// fraction dropped, so that the largest value gives 255 and each step the same share).
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t maximum = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (mask == 0)
            return;
        shift = std::countr_zero(mask);
        maximum = mask >> shift;
    }
    std::uint8_t Of(std::uint32_t pixel) const {
        if (maximum == 0)
            return 0;
        const std::uint64_t v = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>(v * 255 / maximum);
    }
};

} // namespace

const QString& BmpFile::NotBmpMessage() {
    static const QString m = QStringLiteral("Not a valid BMP File");
    return m;
}
const QString& BmpFile::ReadErrorMessage() {
    static const QString m = QStringLiteral("Read Error!");
    return m;
}
const QString& BmpFile::RowErrorMessage() {
    static const QString m = QStringLiteral("Read Error");
    return m;
}
const QString& BmpFile::CompressedMessage() {
    static const QString m = QStringLiteral("This is a compressed file.");
    return m;
}
const QString& BmpFile::CorruptPaletteMessage() {
    static const QString m = QStringLiteral("Corrupt palette");
    return m;
}

DecodedPicture BmpFile::Decode(ByteView in) {
    const std::uint8_t* d = in.data;
    const std::size_t n = in.size;
    if (n < 2 || d[0] != 'B' || d[1] != 'M')
        return DecodedPicture::Failure(NotBmpMessage());
    if (n < kFileHeaderSize + kInfoHeaderSize)
        return DecodedPicture::Failure(ReadErrorMessage());

    const std::uint32_t pixelOffset = U32(d + 10);
    const std::uint8_t* h = d + kFileHeaderSize;
    const std::uint32_t headerSize = U32(h);
    const std::int32_t width = static_cast<std::int32_t>(U32(h + 4));
    const std::int32_t storedHeight = static_cast<std::int32_t>(U32(h + 8));
    const int bitsPerPixel = U16(h + 14);
    const std::uint32_t compression = U32(h + 16);
    std::uint32_t coloursUsed = U32(h + 32);

    // An older 12-byte header keeps its fields elsewhere; reading it as the 40-byte one would
    // show nonsense.
    if (headerSize < kInfoHeaderSize)
        return DecodedPicture::Failure(
            QStringLiteral("Encabezado de BMP no compatible (%1 bytes).").arg(headerSize));
    const bool masked = compression == kBitFields && (bitsPerPixel == 16 || bitsPerPixel == 32);
    if (compression != kNoCompression && !masked)
        return DecodedPicture::Failure(CompressedMessage());
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 &&
        bitsPerPixel != 24 && bitsPerPixel != 32)
        return DecodedPicture::Failure(
            QStringLiteral("Profundidad de color no compatible: %1 bits por pixel.")
                .arg(bitsPerPixel));
    const bool topDown = storedHeight < 0;
    const std::int64_t height = topDown ? -std::int64_t{storedHeight} : storedHeight;
    if (width <= 0 || height == 0)
        return DecodedPicture::Failure(QStringLiteral("Dimensiones de BMP no válidas (%1 x %2).")
                                           .arg(width)
                                           .arg(storedHeight));
    if (!ImageLimits::Allows(width, height))
        return DecodedPicture::Failure(ImageLimits::TooLargeMessage(width, height));

    // The palette (or the colour masks) follows the information header, whatever its size.
    std::uint64_t consumed = kFileHeaderSize + std::uint64_t{headerSize};
    if (consumed > n)
        return DecodedPicture::Failure(ReadErrorMessage());

    std::array<std::uint8_t, 256 * 3> palette{};
    Channel red, green, blue;
    if (bitsPerPixel <= 8) {
        if (coloursUsed == 0)
            coloursUsed = 1u << bitsPerPixel;
        if (consumed + std::uint64_t{coloursUsed} * 4 > n)
            return DecodedPicture::Failure(ReadErrorMessage());
        const std::uint8_t* p = d + consumed;
        // Indices reach at most 2^bits - 1; entries past that are read but never used, and
        // entries the file does not give stay black.
        const std::uint32_t kept = std::min<std::uint32_t>(coloursUsed, 256);
        for (std::uint32_t i = 0; i < kept; ++i) {
            palette[i * 3] = p[i * 4 + 2];
            palette[i * 3 + 1] = p[i * 4 + 1];
            palette[i * 3 + 2] = p[i * 4];
        }
        consumed += std::uint64_t{coloursUsed} * 4;
    } else if (bitsPerPixel == 16 || bitsPerPixel == 32) {
        std::uint32_t masks[3];
        if (masked) {
            // A 40-byte header is followed by the three masks; longer ones hold them inside.
            const std::uint64_t at =
                headerSize == kInfoHeaderSize ? consumed : kFileHeaderSize + 40;
            if (at + 12 > n)
                return DecodedPicture::Failure(ReadErrorMessage());
            for (int i = 0; i < 3; ++i)
                masks[i] = U32(d + at + 4 * static_cast<std::uint64_t>(i));
            if (headerSize == kInfoHeaderSize)
                consumed += 12;
        } else if (bitsPerPixel == 16) {
            masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
        } else {
            masks[0] = 0x00FF0000, masks[1] = 0x0000FF00, masks[2] = 0x000000FF;
        }
        red = Channel(masks[0]);
        green = Channel(masks[1]);
        blue = Channel(masks[2]);
    }
    if (consumed > pixelOffset)
        return DecodedPicture::Failure(CorruptPaletteMessage());

    const std::uint64_t stride =
        ((std::uint64_t(width) * std::uint64_t(bitsPerPixel) + 31) / 32) * 4;
    if (pixelOffset > n || (n - pixelOffset) / stride < std::uint64_t(height))
        return DecodedPicture::Failure(RowErrorMessage());

    QImage image(width, static_cast<int>(height), QImage::Format_RGB888);
    if (image.isNull())
        return DecodedPicture::Failure(QStringLiteral("Memory alloc Failed"));

    const std::uint8_t* rows = d + pixelOffset;
    const int w = width;
    for (std::int64_t row = 0; row < height; ++row) {
        const std::uint8_t* src = rows + std::uint64_t(row) * stride;
        const int y = static_cast<int>(topDown ? row : height - 1 - row);
        std::uint8_t* dst = image.scanLine(y);
        switch (bitsPerPixel) {
        case 24:
            for (int x = 0; x < w; ++x, src += 3, dst += 3) {
                dst[0] = src[2];
                dst[1] = src[1];
                dst[2] = src[0];
            }
            break;
        case 32:
            for (int x = 0; x < w; ++x, src += 4, dst += 3) {
                const std::uint32_t v = U32(src);
                dst[0] = red.Of(v);
                dst[1] = green.Of(v);
                dst[2] = blue.Of(v);
            }
            break;
        case 16:
            for (int x = 0; x < w; ++x, src += 2, dst += 3) {
                const std::uint32_t v = U16(src);
                dst[0] = red.Of(v);
                dst[1] = green.Of(v);
                dst[2] = blue.Of(v);
            }
            break;
        default: {
            // Indices from the most significant bits of each byte down.
            const int bits = bitsPerPixel;
            const int mask = (1 << bits) - 1;
            for (int x = 0; x < w; ++x, dst += 3) {
                const std::uint64_t bit = std::uint64_t(x) * std::uint64_t(bits);
                const int shift = 8 - bits - static_cast<int>(bit % 8);
                const int index = (src[bit / 8] >> shift) & mask;
                std::memcpy(dst, &palette[static_cast<std::size_t>(index) * 3], 3);
            }
            break;
        }
        }
    }
    DecodedPicture result;
    result.bitmap = std::move(image);
    result.frameCount = 1;
    result.frameHeight = static_cast<int>(height);
    return result;
}
