#include "commands/DesignerPictures.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

TEST(DesignerPicturesTest, EveryToolbarButtonHasItsOwnPictureAtBothDensities) {
    // Every drawn picture, from the first to the last the designers' toolbars show.
    const QList<ToolPicture> tools = DesignerPictures::Tools();
    ASSERT_EQ(tools.size(), static_cast<int>(ToolPicture::About));
    std::vector<QImage> seen;
    for (int i = 0; i < tools.size(); ++i) {
        const ToolPicture tool = tools.at(i);
        EXPECT_EQ(static_cast<int>(tool), i + 1);
        const QIcon icon = DesignerPictures::ToolIcon(tool);
        ASSERT_FALSE(icon.isNull()) << i;
        EXPECT_EQ(icon.pixmap(QSize(16, 15), 1.0).size(), QSize(16, 15)) << i;
        EXPECT_EQ(icon.pixmap(QSize(16, 15), 2.0).size(), QSize(32, 30)) << i;
        const QImage picture = DesignerPictures::ToolPixmap(tool).toImage();
        for (const QImage& other : seen)
            EXPECT_NE(picture, other) << i << " looks like another button";
        seen.push_back(picture);
    }
    // The desktop theme draws the capture window's.
    EXPECT_TRUE(DesignerPictures::ToolIcon(ToolPicture::ThemePrint).isNull());
}

TEST(DesignerPicturesTest, EachCursorPointsWithAPartOfItsPicture) {
    EXPECT_EQ(DesignerPictures::CursorIds(), (QList<int>{132, 133, 135, 139, 140, 141}));
    for (int id : DesignerPictures::CursorIds()) {
        const QCursor cursor = DesignerPictures::Cursor(id);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << id;
        const QImage picture = cursor.pixmap().toImage();
        ASSERT_EQ(picture.size(), QSize(32, 32)) << id;
        const QPoint hot = cursor.hotSpot();
        EXPECT_EQ(hot, DesignerPictures::CursorHotSpot(id)) << id;
        EXPECT_GT(qAlpha(picture.pixel(hot)), 128) << id << " points with a transparent pixel";
    }
    EXPECT_EQ(DesignerPictures::Cursor(134).shape(), Qt::ArrowCursor);
}

} // namespace
