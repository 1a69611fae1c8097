#include "imaging/CPictureBitmap.h"
#include "TestPictures.h"
#include "imaging/PictureError.h"
#include "platform/PainterSurface.h"
#include "platform/PrivateTempFolder.h"
#include "platform/RecordingSurface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace TestPictures;

namespace {

// A 2 x 2 bitmap: red, green on top; blue, white below.
Bytes Quad() {
    BmpSpec s;
    s.width = 2;
    s.height = 2;
    s.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    return MakeBmp(s);
}

QRgb Px(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFF;
}

class PictureFiles : public ::testing::Test {
protected:
    QString Put(const QString& name, const Bytes& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(WriteFile(path, bytes));
        return path;
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(PictureFiles, ChoosesTheReaderByTheLastThreeLetters) {
    CPictureBitmap p;
    EXPECT_TRUE(p.LoadFile(Put(QStringLiteral("a.BMP"), Quad())));
    EXPECT_TRUE(p.IsLoaded());
    EXPECT_EQ(p.Width(), 2);
    EXPECT_EQ(p.Height(), 2);
    EXPECT_EQ(p.FrameCount(), 1);
    // Four letters are not recognised, and the picture held before is gone.
    EXPECT_FALSE(p.LoadFile(Put(QStringLiteral("a.jpeg"), MakeJpeg(8, 8, 1, Bytes(64, 90)))));
    EXPECT_FALSE(p.IsLoaded());
    EXPECT_TRUE(p.Bitmap().isNull());
    EXPECT_TRUE(p.LoadFile(Put(QStringLiteral("b.Jpg"), MakeJpeg(8, 8, 1, Bytes(64, 90)))));
    // A missing file fails at once and keeps what was held.
    EXPECT_FALSE(p.LoadFile(dir.filePath(QStringLiteral("none.bmp"))));
    EXPECT_TRUE(p.IsLoaded());
    // A GIF's content under a BMP name goes to the BMP reader, which says so.
    GifSpec g;
    g.globalTable = {{1, 2, 3}, {4, 5, 6}};
    g.frames = {Frame(1, {1})};
    QStringList shown;
    try {
        p.LoadFile(Put(QStringLiteral("c.bmp"), MakeGif(g)));
    } catch (const PictureError& e) {
        shown << e.Message();
    }
    EXPECT_EQ(shown, QStringList{QStringLiteral("Not a valid BMP File")});
    EXPECT_FALSE(p.IsLoaded());
    EXPECT_TRUE(p.LoadFile(Put(QStringLiteral("c.gif"), MakeGif(g))));
    // A folder is no picture.
    EXPECT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("d.gif")));
    EXPECT_FALSE(p.LoadFile(dir.filePath(QStringLiteral("d.gif"))));
}

TEST_F(PictureFiles, MakeTempName) {
    // Without a folder, the names are in the run's own folder, which only its user can enter, so
    // names left by other runs in the system's temporary folder cost nothing.
    const QString first =
        CPictureBitmap::MakeTempName(QString(), QStringLiteral("VRtest"), QStringLiteral(".jpg"));
    const QString own = PrivateTempFolder::Path();
    ASSERT_FALSE(own.isEmpty());
    EXPECT_EQ(first, QDir(own).filePath(QStringLiteral("VRtest1.jpg")));
    EXPECT_EQ(QFileInfo(own).permissions() &
                  (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                   QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther),
              QFileDevice::Permissions());
    EXPECT_TRUE(QFileInfo(own).fileName().startsWith(PrivateTempFolder::Prefix() + "-"));

    // The folders of runs that were killed go at the next start; a live run's and anything else
    // stay.
    const QString gone = dir.filePath(PrivateTempFolder::Prefix() + "-999999999-abcdef");
    const QString alive =
        dir.filePath(PrivateTempFolder::Prefix() + QStringLiteral("-%1-abcdef").arg(getpid()));
    const QString other = dir.filePath(QStringLiteral("plenova-otro"));
    for (const QString& folder : {gone, alive, other})
        ASSERT_TRUE(QDir().mkpath(folder + "/dentro"));
    EXPECT_EQ(PrivateTempFolder::RemoveLeftovers(dir.path()), 1);
    EXPECT_FALSE(QFileInfo::exists(gone));
    EXPECT_TRUE(QFileInfo::exists(alive));
    EXPECT_TRUE(QFileInfo::exists(other));
    // In a given folder the bare name comes back, skipping names taken.
    Put(QStringLiteral("VR1.gif"), {1});
    Put(QStringLiteral("VR2.gif"), {1});
    EXPECT_EQ(
        CPictureBitmap::MakeTempName(dir.path(), QStringLiteral("VR"), QStringLiteral(".gif")),
        QStringLiteral("VR3.gif"));
}

TEST_F(PictureFiles, TemporaryNamesGoOnFromTheLastOneGiven) {
    // Each name is taken by a file before the next is asked for, as the image controls do; a
    // name freed meanwhile is not looked at again before the numbers wrap round.
    const auto next = [this] {
        const QString name =
            CPictureBitmap::MakeTempName(dir.path(), QStringLiteral("VR"), QStringLiteral(".bmp"));
        Put(name, {1});
        return name;
    };
    Put(QStringLiteral("VR2.bmp"), {1});
    EXPECT_EQ(next(), QStringLiteral("VR1.bmp"));
    EXPECT_EQ(next(), QStringLiteral("VR3.bmp"));
    QFile::remove(dir.filePath(QStringLiteral("VR1.bmp")));
    EXPECT_EQ(next(), QStringLiteral("VR4.bmp"));
    // Another extension is a series of its own.
    EXPECT_EQ(
        CPictureBitmap::MakeTempName(dir.path(), QStringLiteral("VR"), QStringLiteral(".gif")),
        QStringLiteral("VR1.gif"));
}

TEST_F(PictureFiles, ResizeFlipAndTheAnimationState) {
    CPictureBitmap p;
    ASSERT_TRUE(p.LoadFile(Put(QStringLiteral("q.bmp"), Quad())));
    p.Flip(CPictureBitmap::Reverse::Rows);
    EXPECT_EQ(Px(p.Bitmap(), 0, 0), 0x0000FFu);
    EXPECT_EQ(Px(p.Bitmap(), 1, 1), 0x00FF00u);
    p.Flip(CPictureBitmap::Reverse::Columns);
    EXPECT_EQ(Px(p.Bitmap(), 0, 0), 0xFFFFFFu);
    p.Resize(65536 + 4, 4);
    EXPECT_EQ(p.Bitmap().size(), QSize(4, 4));
    EXPECT_EQ(p.Width(), 4);
    // Enlarging one side while reducing the other resamples as well.
    p.Resize(2, 8);
    EXPECT_EQ(p.Bitmap().size(), QSize(2, 8));
    // A size of nothing drops the bitmap but keeps the size and the loaded flag; drawing then
    // draws nothing, and a further resize does nothing.
    p.Resize(0, 8);
    EXPECT_TRUE(p.Bitmap().isNull());
    EXPECT_TRUE(p.IsLoaded());
    EXPECT_EQ(p.Width(), 0);
    EXPECT_EQ(p.Height(), 8);
    RecordingSurface dc;
    p.DrawAt(dc, 0, 0);
    p.Show(dc, 0, 0, 10, 10, CPictureBitmap::ShowOption::Centre);
    EXPECT_TRUE(dc.Calls().empty());
}

TEST_F(PictureFiles, DrawAtPlacesTheFirstRowAtTheGivenPoint) {
    CPictureBitmap p;
    ASSERT_TRUE(p.LoadFile(Put(QStringLiteral("q.bmp"), Quad())));
    // On pixels, y downward: upright.
    QImage screen(4, 4, QImage::Format_RGB32);
    screen.fill(Qt::black);
    {
        QPainter painter(&screen);
        PainterSurface dc(painter);
        p.DrawAt(dc, 1, 1);
    }
    EXPECT_EQ(Px(screen, 1, 1), 0xFF0000u);
    EXPECT_EQ(Px(screen, 2, 2), 0xFFFFFFu);
    // On the page (0.1 mm, y upward, one pixel per unit at 254 dpi) the picture is flipped once
    // after loading, as the image control does, and drawn at its lower-left corner: upright.
    p.Flip(CPictureBitmap::Reverse::Rows);
    QImage page(4, 4, QImage::Format_RGB32);
    page.fill(Qt::black);
    {
        QPainter painter(&page);
        PainterSurface::DeviceInfo info;
        info.dpiX = info.dpiY = 254;
        PainterSurface dc(painter, info);
        dc.SetMapMode(MapMode::LoMetric);
        p.DrawAt(dc, 0, -2);
    }
    EXPECT_EQ(Px(page, 0, 0), 0xFF0000u);
    EXPECT_EQ(Px(page, 1, 0), 0x00FF00u);
    EXPECT_EQ(Px(page, 0, 1), 0x0000FFu);
}

TEST_F(PictureFiles, ShowCentresAnimatesAndLeavesTransparentPixelsOut) {
    GifSpec g;
    g.width = 2;
    g.height = 1;
    g.globalTable = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {9, 9, 9}};
    g.frames = {Frame(2, {1, 3}), Frame(2, {2, 2}), Frame(2, {3, 1}, 3)};
    CPictureBitmap p;
    ASSERT_TRUE(p.LoadFile(Put(QStringLiteral("a.gif"), MakeGif(g))));
    EXPECT_EQ(p.FrameCount(), 3);
    EXPECT_EQ(p.Bitmap().size(), QSize(2, 3));
    EXPECT_EQ(p.TransparentColor(), MakeColorRef(9, 9, 9));

    RecordingSurface rec;
    p.Show(rec, 10, 20, 20, 30, CPictureBitmap::ShowOption::Centre);
    ASSERT_EQ(rec.Calls().size(), 1u);
    EXPECT_EQ(rec.Calls()[0].args, (std::vector<int>{14, 24, 16, 25, 0, 0, 2, 1}));
    EXPECT_EQ(p.CurrentFrame(), 1);
    // Too small a box: the corner stays at the box's corner.
    p.Show(rec, 10, 20, 11, 21, CPictureBitmap::ShowOption::Centre);
    EXPECT_EQ(rec.Calls()[1].args[0], 10);
    p.Show(rec, 0, 0);
    EXPECT_EQ(p.CurrentFrame(), 0);

    // Transparent: frame by frame, the pixels of the transparent colour are left out.
    QImage screen(2, 1, QImage::Format_RGB32);
    screen.fill(QColor(1, 2, 3));
    {
        QPainter painter(&screen);
        PainterSurface dc(painter);
        p.Show(dc, 0, 0, 2, 1, CPictureBitmap::ShowOption::Transparent);
    }
    EXPECT_TRUE(p.IsTransparentMode());
    EXPECT_EQ(Px(screen, 0, 0), 0xFF0000u);
    EXPECT_EQ(Px(screen, 1, 0), 0x010203u);
    EXPECT_EQ(p.Mask().pixelIndex(1, 2), 0);
    EXPECT_EQ(p.Mask().pixelIndex(0, 2), 1);
}

TEST_F(PictureFiles, ShowFitsSinglePicturesIntoTheBox) {
    BmpSpec s;
    s.width = 100;
    s.height = 50;
    s.pixels.assign(5000, 0x336699);
    CPictureBitmap p;
    ASSERT_TRUE(p.LoadFile(Put(QStringLiteral("w.bmp"), MakeBmp(s))));
    RecordingSurface dc;
    // Twice as wide as the box, once as high: the width decides, 50 x 25 centred.
    p.Show(dc, 0, 0, 50, 50, CPictureBitmap::ShowOption::Fit | CPictureBitmap::ShowOption::Centre);
    EXPECT_EQ(p.Bitmap().size(), QSize(50, 25));
    EXPECT_EQ(dc.Calls().back().args, (std::vector<int>{0, 12, 50, 37, 0, 0, 50, 25}));
    // A box taller than wide relative to the picture: the height decides.
    p.Show(dc, 0, 0, 400, 100, CPictureBitmap::ShowOption::Fit);
    EXPECT_EQ(p.Bitmap().size(), QSize(200, 100));
}

TEST(CPictureBitmapResources, BuiltInPictures) {
    CPictureBitmap p;
    EXPECT_TRUE(p.LoadBitmapResource(102));
    EXPECT_EQ(QSize(p.Width(), p.Height()), QSize(360, 220));
    EXPECT_TRUE(p.LoadBitmapResource(161));
    EXPECT_EQ(QSize(p.Width(), p.Height()), QSize(240, 160));
    EXPECT_TRUE(p.LoadJpegResource(234));
    EXPECT_EQ(p.FrameCount(), 1);
    EXPECT_EQ(QSize(p.Width(), p.Height()), QSize(480, 300));
    EXPECT_FALSE(p.LoadBitmapResource(999));
    EXPECT_FALSE(p.LoadJpegResource(102));
}
