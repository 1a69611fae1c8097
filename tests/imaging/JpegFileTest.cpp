#include "imaging/JpegFile.h"
#include "TestPictures.h"
#include "imaging/ImageLimits.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace TestPictures;

namespace {

DecodedPicture Decode(const Bytes& b) {
    return JpegFile::Decode(ByteView{b.data(), b.size()});
}

} // namespace

TEST(JpegFile, GreyPicturesGiveEqualChannels) {
    Bytes grey;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            grey.push_back(static_cast<std::uint8_t>(x * 10 + y));
    const DecodedPicture p = Decode(MakeJpeg(24, 16, 1, grey));
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(p.bitmap.size(), QSize(24, 16));
    for (int y = 0; y < 16; ++y) {
        const std::uint8_t* row = p.bitmap.constScanLine(y);
        for (int x = 0; x < 24; ++x, row += 3) {
            ASSERT_EQ(row[0], row[1]);
            ASSERT_EQ(row[1], row[2]);
            EXPECT_NEAR(row[0], x * 10 + y, 4);
        }
    }
}

TEST(JpegFile, ColourPicturesComeOutAsRedGreenBlue) {
    Bytes rgb;
    for (int i = 0; i < 32 * 32; ++i)
        rgb.insert(rgb.end(), {200, 40, 90});
    const DecodedPicture p = Decode(MakeJpeg(32, 32, 3, rgb));
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(p.frameCount, 1);
    const std::uint8_t* px = p.bitmap.constScanLine(17) + 9 * 3;
    EXPECT_NEAR(px[0], 200, 3);
    EXPECT_NEAR(px[1], 40, 3);
    EXPECT_NEAR(px[2], 90, 3);
}

TEST(JpegFile, DamagedOrHugeFilesFail) {
    Bytes rgb(8 * 8 * 3, 128);
    Bytes file = MakeJpeg(8, 8, 3, rgb);
    EXPECT_FALSE(Decode(Bytes{}).Ok());
    EXPECT_FALSE(Decode(Bytes{0xFF, 0xD8, 0xFF}).Ok());
    EXPECT_TRUE(Decode(Bytes{0xFF, 0xD8, 0xFF}).message.isEmpty()); // decoder errors are silent
    Bytes garbage = file;
    for (std::size_t i = 20; i < garbage.size(); i += 3)
        garbage[i] = static_cast<std::uint8_t>(garbage[i] * 31 + 7);
    (void)Decode(garbage); // whatever it makes of it, it comes back

    // The frame header declares 60000 x 60000.
    Bytes huge = file;
    for (std::size_t i = 0; i + 8 < huge.size(); ++i) {
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = 0xEA, huge[i + 6] = 0x60, huge[i + 7] = 0xEA, huge[i + 8] = 0x60;
            break;
        }
    }
    const DecodedPicture p = Decode(huge);
    EXPECT_FALSE(p.Ok());
    EXPECT_EQ(p.message, ImageLimits::TooLargeMessage(60000, 60000));
}
