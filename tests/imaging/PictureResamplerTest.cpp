#include "imaging/PictureResampler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

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
    // One side shrinking while the other grows: the shrinking first, then the growing.
    EXPECT_EQ(PictureResampler::Resize(src, 50, 200),
              PictureResampler::Resize(PictureResampler::Resize(src, 50, 100), 50, 200));
    EXPECT_EQ(PictureResampler::Resize(src, 200, 50),
              PictureResampler::Resize(PictureResampler::Resize(src, 100, 50), 200, 50));
    EXPECT_EQ(PictureResampler::Resize(src, 200, 50).size(), QSize(200, 50));
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

namespace {

// The resampling written out pixel by pixel and channel by channel, with nothing shared or
// reordered: the fast loops must give exactly this.
QImage Literal(const QImage& src, int w, int h) {
    const int ow = src.width(), oh = src.height();
    // Growing one way and shrinking the other: the shrinking side first, then the other.
    if (w > ow && h < oh)
        return Literal(Literal(src, ow, h), w, h);
    if (w < ow && h > oh)
        return Literal(Literal(src, w, oh), w, h);
    const bool enlarging = w > ow || h > oh;
    const auto tx = PictureResampler::BuildTable(ow, w, enlarging);
    const auto ty = PictureResampler::BuildTable(oh, h, enlarging);
    const double e = PictureResampler::kThreshold;
    QImage out(w, h, QImage::Format_RGB888);
    out.fill(Qt::black);
    auto px = [&](int x, int y, int c) {
        return static_cast<double>(src.constScanLine(y)[x * 3 + c]);
    };
    auto put = [&](int x, int y, int c, double v) {
        out.scanLine(y)[x * 3 + c] = static_cast<std::uint8_t>(std::min(255, static_cast<int>(v)));
    };
    if (!enlarging) {
        std::vector<double> cur((w + 2) * 3, 0.0), nxt((w + 2) * 3, 0.0);
        int dy = 0;
        for (int sy = 0; sy < oh; ++sy) {
            const auto [w0y, w1y] = ty[static_cast<std::size_t>(sy)];
            int dx = 0;
            for (int sx = 0; sx < ow; ++sx) {
                const auto [w0x, w1x] = tx[static_cast<std::size_t>(sx)];
                for (int c = 0; c < 3; ++c) {
                    cur[dx * 3 + c] += px(sx, sy, c) * (w0x * w0y);
                    if (w1x > e)
                        cur[(dx + 1) * 3 + c] += px(sx, sy, c) * (w1x * w0y);
                    if (w1y > e)
                        nxt[dx * 3 + c] += px(sx, sy, c) * (w0x * w1y);
                    if (w1x > e && w1y > e)
                        nxt[(dx + 1) * 3 + c] += px(sx, sy, c) * (w1x * w1y);
                }
                if (std::fabs(w1x) > e)
                    ++dx;
            }
            if (std::fabs(w1y) > e) {
                for (int x = 0; x < w && dy < h; ++x)
                    for (int c = 0; c < 3; ++c)
                        put(x, dy, c, cur[x * 3 + c]);
                ++dy;
                cur = nxt;
                std::fill(nxt.begin(), nxt.end(), 0.0);
            }
        }
        return out;
    }
    int sy = 0;
    for (int dy = 0; dy < h; ++dy) {
        const auto [w0y, w1y] = ty[static_cast<std::size_t>(dy)];
        int sx = 0;
        for (int dx = 0; dx < w; ++dx) {
            const auto [w0x, w1x] = tx[static_cast<std::size_t>(dx)];
            for (int c = 0; c < 3; ++c) {
                double v = w0x * w0y * px(sx, sy, c);
                if (w1x > e)
                    v += w1x * w0y * px(sx + 1, sy, c);
                if (w1y > e)
                    v += w0x * w1y * px(sx, sy + 1, c);
                if (w1x > e && w1y > e)
                    v += w1x * w1y * px(sx + 1, sy + 1, c);
                put(dx, dy, c, v);
            }
            if (std::fabs(w1x) > e)
                ++sx;
        }
        if (std::fabs(w1y) > e)
            ++sy;
    }
    return out;
}

} // namespace

TEST(PictureResampler, SameAsThePixelByPixelSums) {
    std::uint32_t seed = 42;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    int compared = 0;
    for (int round = 0; round < 150; ++round) {
        const int ow = 1 + static_cast<int>(next() >> 27), oh = 1 + static_cast<int>(next() >> 27);
        const int w = 1 + static_cast<int>(next() >> 26), h = 1 + static_cast<int>(next() >> 26);
        QImage src(ow, oh, QImage::Format_RGB888);
        for (int y = 0; y < oh; ++y)
            for (int x = 0; x < ow * 3; ++x)
                src.scanLine(y)[x] = round % 5 == 0 ? 255 : static_cast<std::uint8_t>(next() >> 24);
        const QImage expected = Literal(src, w, h);
        const QImage got = PictureResampler::Resize(src, w, h);
        ASSERT_EQ(got.isNull(), expected.isNull()) << ow << "x" << oh << " to " << w << "x" << h;
        if (expected.isNull())
            continue;
        ++compared;
        ASSERT_EQ(got, expected) << ow << "x" << oh << " to " << w << "x" << h;
    }
    // The sizes are the same on every run: 54 of them enlarge one way and shrink the other.
    EXPECT_EQ(compared, 150);
}
