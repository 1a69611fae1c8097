#include "designer/DesignerPictures.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// The buttons of the design window's two toolbars, in order, separators left out, then those
// only the capture-screen designer's toolbar has.
const QList<int> kToolbarCommands{32771, 32772, 32773, 32817, 32776, 32788, 32790, 32795, 32789,
                                  32777, 32778, 32821, 32779, 32780, 32781, 32782, 32783, 32818,
                                  32784, 32785, 32812, 32787, 32791, 32792, 32793, 32794, 32822,
                                  32796, 32797, 32820, 32819, 32802, 32806, 32805, 32807, 57664};

TEST(DesignerPicturesTest, EveryToolbarButtonHasItsOwnPictureAtBothDensities) {
    EXPECT_EQ(DesignerPictures::ToolIds(), kToolbarCommands);
    std::vector<QImage> seen;
    for (int id : kToolbarCommands) {
        const QIcon icon = DesignerPictures::ToolIcon(id);
        ASSERT_FALSE(icon.isNull()) << id;
        EXPECT_EQ(icon.pixmap(QSize(16, 15), 1.0).size(), QSize(16, 15)) << id;
        EXPECT_EQ(icon.pixmap(QSize(16, 15), 2.0).size(), QSize(32, 30)) << id;
        const QImage picture = DesignerPictures::ToolPixmap(id).toImage();
        for (const QImage& other : seen)
            EXPECT_NE(picture, other) << id << " looks like another button";
        seen.push_back(picture);
    }
    EXPECT_TRUE(DesignerPictures::ToolIcon(32774).isNull()); // "Guardar como": menu only
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
