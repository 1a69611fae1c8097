#include "platform/ColorRef.h"
#include "platform/LogFont.h"
#include "platform/Rect.h"

#include <gtest/gtest.h>

TEST(RectTest, PointInRectangleIncludesLeftAndSmallerYOnly) {
    const Rect page = Rect(1000, -1955, 1400, -2000).Normalized();
    EXPECT_EQ(page, Rect(1000, -2000, 1400, -1955));
    EXPECT_TRUE(page.Contains({1000, -2000}));  // left edge and lower edge on the page: inside
    EXPECT_FALSE(page.Contains({1400, -1990})); // right edge: outside
    EXPECT_FALSE(page.Contains({1200, -1955})); // upper edge on the page: outside
    EXPECT_TRUE(page.Contains({1399, -1956}));
    // An unnormalized rectangle contains nothing.
    EXPECT_FALSE(Rect(1000, -1955, 1400, -2000).Contains({1200, -1980}));
}

TEST(RectTest, UnionIgnoresEmptyRectangles) {
    const Rect start(0, 0, 100, 100);
    EXPECT_EQ(start.United(Rect()), start);
    EXPECT_EQ(start.United(Rect(50, 50, 50, 80)), start); // no width
    EXPECT_EQ(start.United(Rect(90, 20, 300, 40)), Rect(0, 0, 300, 100));
    EXPECT_EQ(Rect().United(Rect(5, 5, 10, 10)), Rect(5, 5, 10, 10));
}

TEST(RectTest, PageSquareKeepsTopAboveBottom) {
    EXPECT_EQ(Rect::PageSquare({1050, -2028}, 10), Rect(1040, -2018, 1060, -2038));
}

TEST(LogFontTest, FaceIsCodePageTextWithinThirtyOneBytes) {
    LogFont f;
    f.SetFace(QStringLiteral("Times New Roman"));
    EXPECT_EQ(f.Face(), QStringLiteral("Times New Roman"));
    f.SetFace(QString(40, QLatin1Char('x')));
    EXPECT_EQ(f.Face().size(), 31);
    EXPECT_EQ(f.faceName[31], '\0');
    f.SetFace(QStringLiteral("Señal"));
    EXPECT_EQ(static_cast<unsigned char>(f.faceName[2]), 0xF1);
    EXPECT_EQ(f.Face(), QStringLiteral("Señal"));
}

TEST(ColorRefTest, StoresBlueGreenRed) {
    EXPECT_EQ(MakeColorRef(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(MakeColorRef(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(ToQColor(0x563412u), QColor(0x12, 0x34, 0x56));
}
