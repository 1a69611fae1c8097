#include "imaging/GifDecoder.h"
#include "TestPictures.h"
#include "imaging/ImageLimits.h"

#include <gtest/gtest.h>

using namespace TestPictures;

namespace {

DecodedPicture Decode(const Bytes& b) {
    return GifDecoder::Decode(ByteView{b.data(), b.size()});
}

Rgb At(const QImage& img, int x, int y) {
    const std::uint8_t* p = img.constScanLine(y) + x * 3;
    return Rgb{p[0], p[1], p[2]};
}

const std::vector<Rgb> kPalette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

// A screen of w x h with one full-screen image of a diagonal pattern in colours 1 to 3.
GifSpec Pattern(int w, int h, bool interlaced = false) {
    GifSpec s;
    s.width = w;
    s.height = h;
    s.globalTable = kPalette;
    GifFrame f;
    f.width = w;
    f.height = h;
    f.interlaced = interlaced;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            f.indices.push_back(1 + (x + 2 * y) % 3);
    s.frames = {f};
    return s;
}

} // namespace

TEST(GifDecoder, ReadsBothVersionsAndRefusesOtherSignatures) {
    GifSpec s = Pattern(7, 5);
    for (const char* sig : {"GIF87a", "GIF89a"}) {
        s.signature = sig;
        const DecodedPicture p = Decode(MakeGif(s));
        ASSERT_TRUE(p.Ok()) << sig;
        EXPECT_EQ(p.bitmap.size(), QSize(7, 5));
        EXPECT_EQ(p.frameCount, 1);
        EXPECT_EQ(At(p.bitmap, 0, 0), (Rgb{255, 0, 0}));
        EXPECT_EQ(At(p.bitmap, 1, 0), (Rgb{0, 255, 0}));
        EXPECT_EQ(At(p.bitmap, 0, 1), (Rgb{0, 0, 255}));
    }
    s.signature = "GIX89a";
    EXPECT_FALSE(Decode(MakeGif(s)).Ok());
    EXPECT_FALSE(Decode(Bytes{'G', 'I', 'F'}).Ok());
}

TEST(GifDecoder, LongImagesGoThroughTheWholeCodeTable) {
    // Enough varied pixels for the code size to reach 12 bits and the table to be cleared.
    GifSpec s;
    s.width = 301;
    s.height = 97;
    for (int i = 0; i < 256; ++i)
        s.globalTable.push_back(Rgb{static_cast<std::uint8_t>(i),
                                    static_cast<std::uint8_t>(255 - i),
                                    static_cast<std::uint8_t>(i * 7)});
    GifFrame f;
    f.width = s.width;
    f.height = s.height;
    std::uint32_t seed = 12345;
    for (int i = 0; i < s.width * s.height; ++i) {
        seed = seed * 1103515245 + 12345;
        f.indices.push_back(i % 5 == 0 ? static_cast<int>((seed >> 16) & 255) : (i / 7) & 255);
    }
    s.frames = {f};
    const DecodedPicture p = Decode(MakeGif(s));
    ASSERT_TRUE(p.Ok());
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const Rgb expected = s.globalTable[static_cast<std::size_t>(
                f.indices[static_cast<std::size_t>(y * s.width + x)])];
            ASSERT_EQ(At(p.bitmap, x, y), expected) << x << "," << y;
        }
}

TEST(GifDecoder, InterlacedEqualsPlain) {
    for (int h : {1, 2, 5, 9, 17}) {
        const DecodedPicture plain = Decode(MakeGif(Pattern(6, h, false)));
        const DecodedPicture interlaced = Decode(MakeGif(Pattern(6, h, true)));
        ASSERT_TRUE(plain.Ok() && interlaced.Ok()) << h;
        EXPECT_EQ(plain.bitmap, interlaced.bitmap) << h;
    }
}

TEST(GifDecoder, FramesStackOverTheBackgroundAtTheirOffsets) {
    GifSpec s;
    s.width = 4;
    s.height = 3;
    s.globalTable = kPalette;
    s.backgroundIndex = 3; // blue
    GifFrame whole;
    whole.width = 4;
    whole.height = 3;
    whole.indices.assign(12, 1);
    GifFrame placed; // a 2 x 1 image at (2, 1) with a table of its own
    placed.left = 2;
    placed.top = 1;
    placed.width = 2;
    placed.height = 1;
    placed.localTable = {{9, 9, 9}, {50, 60, 70}};
    placed.indices = {1, 0};
    GifFrame third = whole;
    third.indices.assign(12, 2);
    third.transparentIndex = 1;
    s.frames = {whole, placed, third};
    const DecodedPicture p = Decode(MakeGif(s));
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(p.frameCount, 3);
    EXPECT_EQ(p.frameHeight, 3);
    EXPECT_EQ(p.bitmap.size(), QSize(4, 9));
    EXPECT_EQ(At(p.bitmap, 3, 2), (Rgb{255, 0, 0}));
    // The second frame starts again from the background, not from the first frame.
    EXPECT_EQ(At(p.bitmap, 0, 3), (Rgb{0, 0, 255}));
    EXPECT_EQ(At(p.bitmap, 1, 4), (Rgb{0, 0, 255}));
    EXPECT_EQ(At(p.bitmap, 2, 4), (Rgb{50, 60, 70}));
    EXPECT_EQ(At(p.bitmap, 3, 4), (Rgb{9, 9, 9}));
    EXPECT_EQ(At(p.bitmap, 2, 5), (Rgb{0, 0, 255}));
    EXPECT_EQ(At(p.bitmap, 0, 6), (Rgb{0, 255, 0}));
    // The transparent colour is the global table's colour of the extension's index.
    EXPECT_EQ(p.transparentColor, MakeColorRef(255, 0, 0));
}

TEST(GifDecoder, ClipsImagesToTheLogicalScreen) {
    GifSpec s;
    s.width = 3;
    s.height = 2;
    s.globalTable = kPalette;
    GifFrame f;
    f.left = 1;
    f.top = 1;
    f.width = 4;
    f.height = 3;
    f.indices = {1, 2, 3, 1, /**/ 2, 2, 2, 2, /**/ 3, 3, 3, 3};
    GifFrame far;
    far.left = 60000;
    far.top = 60000;
    far.width = 2;
    far.height = 2;
    far.indices = {1, 1, 1, 1};
    s.frames = {f, far};
    const DecodedPicture p = Decode(MakeGif(s));
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(p.frameCount, 2);
    EXPECT_EQ(At(p.bitmap, 0, 1), (Rgb{0, 0, 0}));
    EXPECT_EQ(At(p.bitmap, 1, 1), (Rgb{255, 0, 0}));
    EXPECT_EQ(At(p.bitmap, 2, 1), (Rgb{0, 255, 0}));
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(At(p.bitmap, x, 3), (Rgb{0, 0, 0}));
}

TEST(GifDecoder, DamagedDataEndsTheImageOrThePicture) {
    GifSpec s = Pattern(4, 2);
    Bytes file = MakeGif(s);
    // Replace the image data by: clear (4), literal 1, then 31, far past the table; the code
    // size is 3 bits. Bits, low first: 100 100 111 11...
    const std::size_t data = 6 + 7 + 12 + 10 + 1; // header, screen, table, descriptor, code size
    ASSERT_EQ(file[data - 1], 2);
    Bytes damaged(file.begin(), file.begin() + static_cast<long>(data));
    damaged.insert(damaged.end(), {2, 0b11001100, 0b00000011, 0, 0x3B});
    DecodedPicture p = Decode(damaged);
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(p.frameCount, 1);
    EXPECT_EQ(At(p.bitmap, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(At(p.bitmap, 1, 0), (Rgb{0, 0, 0})); // the background, never painted

    // A file cut inside its second image keeps the first frame only.
    s.frames.push_back(s.frames[0]);
    file = MakeGif(s);
    file.resize(file.size() - 4);
    p = Decode(file);
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(p.frameCount, 1);
    EXPECT_EQ(p.bitmap.height(), 2);

    // No image at all: one frame of background, frame count 0.
    s.frames.clear();
    p = Decode(MakeGif(s));
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(p.frameCount, 0);
    EXPECT_EQ(p.bitmap.size(), QSize(4, 2));
}

TEST(GifDecoder, SkipsExtensionsWhateverTheirBlocks) {
    Bytes file = MakeGif(Pattern(2, 1));
    const std::size_t descriptor = 6 + 7 + 12;
    ASSERT_EQ(file[descriptor], 0x2C);
    // A comment with two sub-blocks, then an extension whose first block is already empty.
    const Bytes extensions = {0x21, 0xFE, 3, 'a', 'b', 'c', 2, 'd', 'e', 0, 0x21, 0x01, 0};
    file.insert(file.begin() + static_cast<long>(descriptor), extensions.begin(), extensions.end());
    const DecodedPicture p = Decode(file);
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(p.frameCount, 1);
    EXPECT_EQ(At(p.bitmap, 0, 0), (Rgb{255, 0, 0}));
}

TEST(GifDecoder, WithoutAGlobalTableColoursThroughTheGreyRamp) {
    GifSpec s = Pattern(3, 1);
    s.globalTable.clear();
    s.backgroundIndex = 7;
    s.frames[0].width = 2;
    s.frames[0].indices = {2, 3};
    const DecodedPicture p = Decode(MakeGif(s));
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(At(p.bitmap, 0, 0), (Rgb{2, 2, 2}));
    EXPECT_EQ(At(p.bitmap, 1, 0), (Rgb{3, 3, 3}));
    EXPECT_EQ(At(p.bitmap, 2, 0), (Rgb{7, 7, 7}));
}

TEST(GifDecoder, StopsAddingFramesAtThePictureLimit) {
    ImageLimits::SetMaxPixels(4 * 2 * 2); // two frames of 4 x 2
    GifSpec s = Pattern(4, 2);
    s.frames = {s.frames[0], s.frames[0], s.frames[0]};
    const DecodedPicture p = Decode(MakeGif(s));
    ImageLimits::SetMaxPixels(ImageLimits::kDefaultMaxPixels);
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(p.frameCount, 2);

    GifSpec huge = Pattern(1, 1);
    huge.width = 65535;
    huge.height = 65535;
    EXPECT_FALSE(Decode(MakeGif(huge)).Ok());
}
