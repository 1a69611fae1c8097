#include "imaging/BmpFile.h"
#include "TestPictures.h"
#include "imaging/ImageLimits.h"

#include <gtest/gtest.h>

using namespace TestPictures;

namespace {

DecodedPicture Decode(const Bytes& b) {
    return BmpFile::Decode(ByteView{b.data(), b.size()});
}

Rgb At(const QImage& img, int x, int y) {
    const std::uint8_t* p = img.constScanLine(y) + x * 3;
    return Rgb{p[0], p[1], p[2]};
}

BmpSpec TwoColourIndexed(int bits, int headerSize) {
    BmpSpec s;
    s.width = 5;
    s.height = 2;
    s.bitsPerPixel = bits;
    s.headerSize = headerSize;
    s.palette = {{10, 20, 30}, {200, 100, 50}};
    s.coloursUsed = bits == 1 ? 0 : 2;
    s.indices = {0, 1, 1, 0, 1, /**/ 1, 0, 0, 1, 0};
    return s;
}

} // namespace

TEST(BmpFile, ReadsPaddedRowsBottomUp) {
    BmpSpec s;
    s.width = 3;
    s.height = 2;
    s.pixels = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112};
    const Bytes file = MakeBmp(s);
    ASSERT_EQ(file.size(), 54u + 2 * 12); // 9 bytes of pixels and 3 of padding per row
    const DecodedPicture p = Decode(file);
    ASSERT_TRUE(p.Ok()) << p.message.toStdString();
    EXPECT_EQ(p.bitmap.size(), QSize(3, 2));
    EXPECT_EQ(p.frameCount, 1);
    // The file's second stored row is the picture's first.
    EXPECT_EQ(At(p.bitmap, 0, 0), (Rgb{1, 2, 3}));
    EXPECT_EQ(At(p.bitmap, 2, 0), (Rgb{7, 8, 9}));
    EXPECT_EQ(At(p.bitmap, 0, 1), (Rgb{10, 11, 12}));
    EXPECT_EQ(At(p.bitmap, 2, 1), (Rgb{16, 17, 18}));
}

TEST(BmpFile, IndexedPicturesThroughTheirPalette) {
    // One bit with colours used 0 reads a two-entry palette.
    for (int bits : {1, 4, 8}) {
        const DecodedPicture p = Decode(MakeBmp(TwoColourIndexed(bits, 40)));
        ASSERT_TRUE(p.Ok()) << bits << ": " << p.message.toStdString();
        EXPECT_EQ(At(p.bitmap, 0, 0), (Rgb{10, 20, 30})) << bits;
        EXPECT_EQ(At(p.bitmap, 1, 0), (Rgb{200, 100, 50})) << bits;
        EXPECT_EQ(At(p.bitmap, 4, 1), (Rgb{10, 20, 30})) << bits;
        EXPECT_EQ(At(p.bitmap, 3, 1), (Rgb{200, 100, 50})) << bits;
    }
    // An 8-bit file whose palette is shorter than its indices reach shows black, not memory.
    BmpSpec s = TwoColourIndexed(8, 40);
    s.indices[0] = 255;
    const DecodedPicture p = Decode(MakeBmp(s));
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(At(p.bitmap, 0, 0), (Rgb{0, 0, 0}));
}

TEST(BmpFile, PaletteFollowsLongerHeaders) {
    for (int header : {108, 124}) {
        const DecodedPicture p = Decode(MakeBmp(TwoColourIndexed(4, header)));
        ASSERT_TRUE(p.Ok()) << header;
        EXPECT_EQ(At(p.bitmap, 0, 0), (Rgb{10, 20, 30})) << header;
        EXPECT_EQ(At(p.bitmap, 1, 0), (Rgb{200, 100, 50})) << header;
    }
}

TEST(BmpFile, SixteenAndThirtyTwoBitsTopDown) {
    BmpSpec s;
    s.width = 2;
    s.height = 2;
    s.bitsPerPixel = 16;
    s.topDown = true;
    s.pixels = {0x7C00, 0x03E0, 0x001F, 0x7FFF}; // 5-5-5
    DecodedPicture p = Decode(MakeBmp(s));
    ASSERT_TRUE(p.Ok()) << p.message.toStdString();
    EXPECT_EQ(At(p.bitmap, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(At(p.bitmap, 1, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(At(p.bitmap, 0, 1), (Rgb{0, 0, 255}));
    EXPECT_EQ(At(p.bitmap, 1, 1), (Rgb{255, 255, 255}));

    s.compression = 3; // 5-6-5 through masks after a 40-byte header
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.pixels = {0xF800, 0x07E0, 0x0010, 0x0000};
    p = Decode(MakeBmp(s));
    ASSERT_TRUE(p.Ok()) << p.message.toStdString();
    EXPECT_EQ(At(p.bitmap, 1, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(At(p.bitmap, 0, 1), (Rgb{0, 0, 131}));

    BmpSpec t;
    t.width = 2;
    t.height = 1;
    t.bitsPerPixel = 32;
    t.headerSize = 124;
    t.compression = 3;
    t.masks = {0x000000FF, 0x0000FF00, 0x00FF0000}; // red in the low byte
    t.pixels = {0xFF332211, 0x00000080};
    p = Decode(MakeBmp(t));
    ASSERT_TRUE(p.Ok()) << p.message.toStdString();
    EXPECT_EQ(At(p.bitmap, 0, 0), (Rgb{0x11, 0x22, 0x33}));
    EXPECT_EQ(At(p.bitmap, 1, 0), (Rgb{0x80, 0, 0}));
}

TEST(BmpFile, RefusesWithTheReadersMessages) {
    EXPECT_EQ(Decode(Bytes{'B', 'X', 0, 0}).message, BmpFile::NotBmpMessage());
    EXPECT_EQ(Decode(Bytes{}).message, BmpFile::NotBmpMessage());

    BmpSpec one;
    one.pixels = {0};
    Bytes shortHeader = MakeBmp(one);
    shortHeader.resize(30);
    EXPECT_EQ(Decode(shortHeader).message, QStringLiteral("Read Error!"));

    BmpSpec rle = TwoColourIndexed(8, 40);
    rle.compression = 1;
    EXPECT_EQ(Decode(MakeBmp(rle)).message, QStringLiteral("This is a compressed file."));

    // The pixel data offset inside the palette.
    BmpSpec corrupt = TwoColourIndexed(8, 40);
    corrupt.pixelOffset = 54 + 4;
    EXPECT_EQ(Decode(MakeBmp(corrupt)).message, QStringLiteral("Corrupt palette"));

    // A palette that runs past the end of the file.
    BmpSpec longPalette = TwoColourIndexed(8, 40);
    longPalette.coloursUsed = 0x40000000;
    EXPECT_EQ(Decode(MakeBmp(longPalette)).message, QStringLiteral("Read Error!"));

    Bytes truncated = MakeBmp(TwoColourIndexed(8, 40));
    truncated.pop_back();
    EXPECT_EQ(Decode(truncated).message, QStringLiteral("Read Error"));

    BmpSpec odd = TwoColourIndexed(8, 40);
    odd.bitsPerPixel = 2;
    EXPECT_TRUE(Decode(MakeBmp(odd)).message.contains(QStringLiteral("2 bits")));

    BmpSpec core = TwoColourIndexed(8, 40);
    Bytes coreFile = MakeBmp(core);
    coreFile[14] = 12; // an older 12-byte header
    EXPECT_FALSE(Decode(coreFile).Ok());
    EXPECT_EQ(Decode(coreFile).message,
              QStringLiteral("Encabezado de BMP no compatible (12 bytes)."));
}

TEST(BmpFile, RefusesHugeDeclaredSizesBeforeAllocating) {
    BmpSpec s;
    s.width = 1;
    s.height = 1;
    s.pixels = {0};
    Bytes file = MakeBmp(s);
    const auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k)
            file[at + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(v >> (8 * k));
    };
    put32(18, 20000);
    put32(22, 20000); // 400 million pixels
    EXPECT_EQ(Decode(file).message, ImageLimits::TooLargeMessage(20000, 20000));
    put32(18, 0x7FFFFFFF);
    put32(22, 0x80000000); // the most negative height
    EXPECT_FALSE(Decode(file).Ok());
    put32(18, 9000);
    put32(22, 9000); // within the limit, but the rows are not in the file
    EXPECT_EQ(Decode(file).message, QStringLiteral("Read Error"));
    put32(18, 0);
    EXPECT_FALSE(Decode(file).Ok());
}
