#include "PictureResampler.h"

#include <gtest/gtest.h>

namespace {

QImage Filled(int w, int h, std::uint8_t (*f)(int x, int y, int c)) {
    QImage img(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* p = img.scanLine(y);
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                *p++ = f(x, y, c);
    }
    return img;
}

int Channel(const QImage& img, int x, int y, int c) {
    return img.constScanLine(y)[x * 3 + c];
}

} // namespace

TEST(PictureResampler, WeightTables) {
    using W = PictureResampler::Weight;
    auto same = [](const std::vector<W>& t, const std::vector<W>& expected) {
        ASSERT_EQ(t.size(), expected.size());
        for (std::size_t i = 0; i < t.size(); ++i) {
            EXPECT_DOUBLE_EQ(t[i].w0, expected[i].w0) << i;
            EXPECT_DOUBLE_EQ(t[i].w1, expected[i].w1) << i;
        }
    };
    // Reducing 4 to 2: each source pixel gives half of itself; every second one ends a pixel.
    same(PictureResampler::BuildTable(4, 2, false), {{0.5, 0}, {0.5, -1}, {0.5, 0}, {0.5, -1}});
    // Reducing 3 to 2: the middle pixel is split between both destination pixels.
    same(PictureResampler::BuildTable(3, 2, false),
         {{2.0 / 3, 0}, {1.0 / 3, 1.0 / 3}, {2.0 / 3, -1}});
    // Enlarging 2 to 3: the middle destination pixel mixes both sources.
    same(PictureResampler::BuildTable(2, 3, true), {{1, 0}, {0.5, 0.5}, {1, -1}});
    same(PictureResampler::BuildTable(5, 5, false), {{1, -1}, {1, -1}, {1, -1}, {1, -1}, {1, -1}});
}

TEST(PictureResampler, TheThreeOutcomes) {
    const QImage src = Filled(100, 100, [](int x, int y, int c) {
        return static_cast<std::uint8_t>((x * 2 + y + c * 50) & 255);
    });
    EXPECT_TRUE(PictureResampler::Resize(src, 50, 200).isNull());
    EXPECT_TRUE(PictureResampler::Resize(src, 200, 50).isNull());
    const QImage reduced = PictureResampler::Resize(src, 50, 50);
    ASSERT_EQ(reduced.size(), QSize(50, 50));
    // Each destination pixel is the truncated mean of a 2 x 2 block.
    for (int c = 0; c < 3; ++c) {
        const int sum = Channel(src, 20, 30, c) + Channel(src, 21, 30, c) +
                        Channel(src, 20, 31, c) + Channel(src, 21, 31, c);
        EXPECT_EQ(Channel(reduced, 10, 15, c), sum / 4);
    }
    const QImage enlarged = PictureResampler::Resize(src, 200, 150);
    ASSERT_EQ(enlarged.size(), QSize(200, 150));
    EXPECT_EQ(Channel(enlarged, 0, 0, 0), Channel(src, 0, 0, 0));
    EXPECT_EQ(Channel(enlarged, 199, 149, 2), Channel(src, 99, 99, 2));
    // Same size on both axes keeps the picture as it is.
    EXPECT_EQ(PictureResampler::Resize(src, 100, 100), src);
}

TEST(PictureResampler, MixesAndTruncates) {
    // 3 pixels of 0, 100, 201 reduced to 2: (0 * 2/3 + 100 * 1/3) and (100 * 1/3 + 201 * 2/3).
    const QImage row = Filled(3, 1, [](int x, int, int) {
        return static_cast<std::uint8_t>(x == 0 ? 0 : x == 1 ? 100 : 201);
    });
    const QImage two = PictureResampler::Resize(row, 2, 1);
    ASSERT_FALSE(two.isNull());
    EXPECT_EQ(Channel(two, 0, 0, 0), 33);
    EXPECT_EQ(Channel(two, 1, 0, 0), 167);
    // 2 pixels of 10 and 21 enlarged to 3: 10, 15 (15.5 truncated), 21.
    const QImage pair =
        Filled(2, 1, [](int x, int, int) { return static_cast<std::uint8_t>(x ? 21 : 10); });
    const QImage three = PictureResampler::Resize(pair, 3, 1);
    ASSERT_FALSE(three.isNull());
    EXPECT_EQ(Channel(three, 0, 0, 1), 10);
    EXPECT_EQ(Channel(three, 1, 0, 1), 15);
    EXPECT_EQ(Channel(three, 2, 0, 1), 21);
    // A white picture stays white through thirds that do not add up exactly in binary.
    const QImage white = Filled(9, 7, [](int, int, int) { return std::uint8_t{255}; });
    const QImage small = PictureResampler::Resize(white, 4, 3);
    EXPECT_GE(Channel(small, 1, 1, 0), 254);
}
