#pragma once

// Picture files built byte by byte for the tests: Windows bitmaps, GIF files with a real LZW
// coder, and JPEG files through libjpeg.
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace TestPictures {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A bitmap file. For 1, 4 and 8 bits `indices` holds one index per pixel (rows top to bottom)
// and `palette` the colours; for 16, 24 and 32 bits `pixels` holds the stored pixel values
// (24 bits: 0xRRGGBB; 16 and 32: the raw little-endian word).
struct BmpSpec {
    int width = 1;
    int height = 1; // the picture's height; topDown stores it negative
    int bitsPerPixel = 24;
    int headerSize = 40;
    std::uint32_t compression = 0;
    bool topDown = false;
    std::vector<Rgb> palette;
    std::uint32_t coloursUsed = 0;
    std::vector<int> indices;
    std::vector<std::uint32_t> pixels;
    std::vector<std::uint32_t> masks; // written after a 40-byte header, or inside a longer one
    std::optional<std::uint32_t> pixelOffset;
};
Bytes MakeBmp(const BmpSpec& spec);

struct GifFrame {
    int left = 0, top = 0, width = 1, height = 1;
    bool interlaced = false;
    std::vector<Rgb> localTable;
    std::vector<int> indices; // rows top to bottom, in display order
    std::optional<int> transparentIndex;
    int minCodeSize = 0; // 0: from the table size
};
struct GifSpec {
    const char* signature = "GIF89a";
    int width = 1, height = 1;
    std::vector<Rgb> globalTable;
    int backgroundIndex = 0;
    std::vector<GifFrame> frames;
};
// A frame at the screen's corner, as high as the indices make it.
GifFrame Frame(int width, std::vector<int> indices, std::optional<int> transparentIndex = {});
Bytes MakeGif(const GifSpec& spec);
// The LZW data of one image (sub-blocks and the terminator), as a GIF encoder writes it.
Bytes EncodeLzw(const std::vector<int>& indices, int minCodeSize);

// A baseline JPEG of 1 (grey) or 3 components, samples rows top to bottom.
Bytes MakeJpeg(int width, int height, int components, const Bytes& samples, int quality = 95);

bool WriteFile(const QString& path, const Bytes& bytes);
QByteArray ToByteArray(const Bytes& bytes);

} // namespace TestPictures
