#include "model/CImagen.h"
#include "common/ArchiveBytes.h"
#include "imaging/ImageLimits.h"
#include "imaging/PictureError.h"
#include "imaging/TestPictures.h"
#include "model/ControlFactory.h"
#include "model/FormatFile.h"
#include "model/FormatPrinter.h"
#include "platform/Archive.h"
#include "platform/PrivateTempFolder.h"
#include "platform/RecordingSurface.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace TestPictures;

namespace {

Bytes Bmp(int w, int h) {
    BmpSpec s;
    s.width = w;
    s.height = h;
    for (int i = 0; i < w * h; ++i)
        s.pixels.push_back(static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF);
    return MakeBmp(s);
}

class ImageControl : public ::testing::Test {
protected:
    QString Put(const QString& name, const Bytes& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(WriteFile(path, bytes));
        return path;
    }
    // Writes the controls as a format and reads them back.
    Format RoundTrip(std::unique_ptr<CControles> control) {
        Format format;
        format.controls.push_back(std::move(control));
        const QString file = dir.filePath(QStringLiteral("f%1.fmt").arg(++saved));
        messages << FormatFile::Save(file, format, FormatSettings());
        Format back;
        FormatSettings settings;
        messages << FormatFile::Load(file, back, settings);
        return back;
    }
    static CImagen& Image(Format& f) { return dynamic_cast<CImagen&>(*f.controls.front()); }

    QTemporaryDir dir;
    QStringList messages;
    int saved = 0;
};

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The record of an image control on rect carrying picture under the given extension.
QByteArray ImageRecord(const PageRect& rect, const Bytes& picture, const QString& extension) {
    CImagen empty;
    empty.pageRect = rect;
    QByteArray record = Store([&empty](Archive& ar) { empty.Serialize(ar); });
    record.chop(4); // the length 0 of a control without a picture
    return record + Store([&](Archive& ar) {
               ar.WriteInt32(static_cast<std::int32_t>(picture.size()));
               ar.WriteString(extension);
               ar.WriteRaw(ToByteArray(picture));
           });
}

} // namespace

TEST_F(ImageControl, InsertingTakesOnePageUnitPerPixel) {
    const QString user = Put(QStringLiteral("pic.bmp"), Bmp(300, 200));
    auto image = CImagen::Create(user, 500, -500);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pageRect, Rect(500, -500, 800, -700));
    EXPECT_FALSE(image->OwnsFile());
    EXPECT_EQ(image->Type(), ControlTypeCode::Imagen);
    EXPECT_TRUE(ControlFactory::IsRegistered(ControlTypeCode::Imagen));
    // Handles on the design rectangle: 1 left, 2 right, 3 lower, 4 upper.
    EXPECT_EQ(image->handles[0], Rect::PageSquare(Point{550, -650}, 10));
    EXPECT_EQ(image->handles[2], Rect::PageSquare(Point{700, -750}, 10));
    image.reset();
    EXPECT_TRUE(QFile::exists(user)); // the user's file is never deleted

    QString why;
    try {
        EXPECT_FALSE(CImagen::Create(Put(QStringLiteral("bad.bmp"), {'B', 'M'}), 0, 0));
    } catch (const PictureError& e) {
        why = e.Message();
    }
    EXPECT_EQ(why, QStringLiteral("Read Error!"));
}

TEST_F(ImageControl, TheFileTravelsWithTheFormat) {
    const Bytes original = Bmp(30, 20);
    auto image = CImagen::Create(Put(QStringLiteral("pic.bmp"), original), 100, -100);
    ASSERT_TRUE(image);
    image->pageRect = PageRect(100, -100, 115, -110); // resized in the designer, picture not yet
    Format back = RoundTrip(std::move(image));
    CImagen& read = Image(back);
    // The rectangle is normalized and the picture fitted to it.
    EXPECT_EQ(read.pageRect, Rect(100, -110, 115, -100));
    EXPECT_EQ(read.Picture().Bitmap().size(), QSize(15, 10));
    EXPECT_TRUE(read.OwnsFile());
    const QString temp = read.Path();
    EXPECT_TRUE(QFileInfo(temp).fileName().startsWith(QStringLiteral("VR")));
    EXPECT_TRUE(temp.endsWith(QStringLiteral(".bmp")));
    EXPECT_EQ(FileBytes(temp), ToByteArray(original));
    ControlFields fields;
    read.DescribeOwnFields(fields);
    EXPECT_EQ(fields[0].second.toInt(), static_cast<int>(original.size()));
    EXPECT_EQ(fields[1].second.toString(), QStringLiteral(".bmp"));

    // Written again, the embedded bytes are the same whatever the resampling did.
    Format again = RoundTrip(std::move(back.controls.front()));
    EXPECT_FALSE(QFile::exists(temp)); // deleted with its control
    EXPECT_EQ(FileBytes(Image(again).Path()), ToByteArray(original));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ImageControl, FourLetterExtensionsTravelButDoNotShow) {
    const Bytes jpeg = MakeJpeg(16, 8, 1, Bytes(128, 77));
    const QString user = Put(QStringLiteral("photo.jpeg"), jpeg);
    auto inserted = CImagen::Create(user, 0, 0);
    EXPECT_FALSE(inserted); // not a reader's ending

    // A format carrying the bytes under "jpeg".
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    {
        Archive out(buffer, Archive::Mode::Store);
        CImagen base;
        base.pageRect = PageRect(0, 0, 16, -8);
        base.Serialize(out); // writes the base record and length 0
        out.Flush();
    }
    QByteArray bytes = buffer.data();
    bytes.chop(4); // drop the length 0 and put the picture in
    QBuffer own;
    own.open(QIODevice::ReadWrite);
    {
        Archive out(own, Archive::Mode::Store);
        out.WriteInt32(static_cast<std::int32_t>(jpeg.size()));
        out.WriteString(QStringLiteral("jpeg"));
        out.WriteRaw(ToByteArray(jpeg));
        out.Flush();
    }
    bytes += own.data();
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    Archive ar(in, Archive::Mode::Load);
    CImagen read;
    read.Serialize(ar);
    EXPECT_TRUE(read.Path().endsWith(QStringLiteral("jpeg")));
    EXPECT_FALSE(read.Picture().IsLoaded());
    EXPECT_EQ(FileBytes(read.Path()), ToByteArray(jpeg));
    RecordingSurface dc;
    read.Print(dc);
    EXPECT_TRUE(dc.Calls().empty());
}

TEST_F(ImageControl, AFileGoneBeforeWritingIsDroppedWithAMessage) {
    const QString user = Put(QStringLiteral("gone.bmp"), Bmp(4, 4));
    auto image = CImagen::Create(user, 0, 0);
    ASSERT_TRUE(image);
    QFile::remove(user);
    Format back = RoundTrip(std::move(image));
    EXPECT_EQ(messages, QStringList{QStringLiteral("- Error al serializar imagen -")});
    EXPECT_TRUE(Image(back).Path().isEmpty());
    RoundTrip(std::move(back.controls.front()));
    EXPECT_EQ(messages.size(), 2);
}

TEST_F(ImageControl, ResizeByHandleStopsAtFiveUnits) {
    CImagen image;
    image.pageRect = PageRect(0, 0, 10, -10);
    image.ResizeByHandle(Handle::Left, 6, 0);
    EXPECT_EQ(image.pageRect.left, 0);
    image.ResizeByHandle(Handle::Left, 5, 0);
    EXPECT_EQ(image.pageRect.left, 5);
    image.ResizeByHandle(Handle::Lower, 0, 6);
    EXPECT_EQ(image.pageRect.bottom, -10);
    image.ResizeByHandle(Handle::Lower, 0, 5);
    EXPECT_EQ(image.pageRect.bottom, -5);
}

TEST_F(ImageControl, AnimationsShowTheLastFrameUntilFitted) {
    GifSpec g;
    g.width = 2;
    g.height = 1;
    g.globalTable = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    g.frames = {Frame(2, {1, 1}), Frame(2, {2, 2}), Frame(2, {3, 3})};
    auto image = CImagen::Create(Put(QStringLiteral("a.gif"), MakeGif(g)), 0, 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pageRect, Rect(0, 0, 2, -1));
    // The flipped bitmap has the last frame on top, and that is what the design view draws.
    EXPECT_EQ(image->Picture().Bitmap().pixel(0, 0) & 0xFFFFFF, 0x0000FFu);
    image->selected = 1;
    RecordingSurface dc(MapMode::LoMetric);
    image->Draw(dc);
    const auto blits = dc.CallsNamed(QStringLiteral("StretchImage"));
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].args, (std::vector<int>{50, -51, 52, -50, 0, 0, 2, 1}));
    EXPECT_EQ(blits[0].pen.color, kSelectionRed);
    EXPECT_EQ(dc.CallsNamed(QStringLiteral("LineTo")).size(), 4u);

    // After a resize the whole stack is squeezed into the rectangle.
    image->pageRect = PageRect(0, 0, 2, -3);
    image->FitPicture();
    EXPECT_EQ(image->Picture().Bitmap().size(), QSize(2, 3));
    EXPECT_EQ(image->Picture().Bitmap().pixel(0, 2) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(ImageControl, HostileRecordsStayInTheTemporaryFolder) {
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    {
        Archive out(buffer, Archive::Mode::Store);
        CImagen base;
        base.Serialize(out);
        out.Flush();
    }
    QByteArray bytes = buffer.data();
    bytes.chop(4);
    QByteArray record;
    QBuffer own(&record);
    own.open(QIODevice::WriteOnly);
    {
        Archive out(own, Archive::Mode::Store);
        out.WriteInt32(3);
        out.WriteString(QStringLiteral("/../../x.bmp"));
        out.WriteRaw(QByteArray("abc"));
        out.Flush();
    }
    QByteArray hostile = bytes + record;
    QBuffer in(&hostile);
    in.open(QIODevice::ReadOnly);
    Archive ar(in, Archive::Mode::Load);
    CImagen read;
    read.Serialize(ar);
    EXPECT_EQ(QFileInfo(read.Path()).absolutePath(),
              QFileInfo(PrivateTempFolder::Path()).absoluteFilePath());
    EXPECT_EQ(FileBytes(read.Path()), QByteArray("abc"));
    // Only its user reads the copy.
    EXPECT_EQ(QFileInfo(read.Path()).permissions() &
                  (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteOther),
              QFileDevice::Permissions());
    // Bytes no reader takes still travel; the reader's words are left for the user.
    EXPECT_EQ(ar.Warnings(), QStringList{QStringLiteral("Not a valid BMP File")});

    // A negative length is no picture at all.
    QByteArray negative = bytes;
    negative.append(QByteArray("\xff\xff\xff\xff", 4));
    QBuffer in2(&negative);
    in2.open(QIODevice::ReadOnly);
    Archive ar2(in2, Archive::Mode::Load);
    CImagen bad;
    EXPECT_ANY_THROW(bad.Serialize(ar2));
}

TEST_F(ImageControl, PrintsUprightWhereItStands) {
    BmpSpec s; // red, green on top; blue, white below
    s.width = 2;
    s.height = 2;
    s.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    auto image = CImagen::Create(Put(QStringLiteral("q.bmp"), MakeBmp(s)), 100, -100);
    ASSERT_TRUE(image);
    image->pageRect = PageRect(100, -100, 104, -104);
    image->FitPicture();
    ControlList controls;
    controls.push_back(std::move(image));
    // At 254 dpi one pixel is one page unit, the page's corner at the sheet's corner.
    const QImage sheet = FormatPrinter::PrintToImage(controls, QSizeF(20, 20), 254, {});
    ASSERT_FALSE(sheet.isNull());
    EXPECT_EQ(sheet.pixel(100, 100) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(sheet.pixel(103, 100) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(sheet.pixel(100, 103) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(sheet.pixel(103, 103) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(sheet.pixel(99, 99) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(ImageControl, ARectangleWiderButLowerThanItsPictureKeepsItScaled) {
    // Red and green quadrants over blue and white ones.
    BmpSpec s;
    s.width = 4;
    s.height = 4;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            s.pixels.push_back(row < 2 ? (column < 2 ? 0xFF0000u : 0x00FF00u)
                                       : (column < 2 ? 0x0000FFu : 0xFFFFFFu));
    const QString file = Put(QStringLiteral("logo.bmp"), MakeBmp(s));
    struct Case {
        PageRect stored;
        QSize fitted;
        QPoint lowerRight; // the last pixel on the sheet, from (100, 100)
    };
    // Wider but lower, and narrower but taller.
    for (const Case& c : {Case{PageRect(100, -100, 108, -102), QSize(8, 2), QPoint(107, 101)},
                          Case{PageRect(100, -100, 102, -108), QSize(2, 8), QPoint(101, 107)}}) {
        auto image = CImagen::Create(file, 100, -100);
        ASSERT_TRUE(image);
        image->pageRect = c.stored;
        Format back = RoundTrip(std::move(image));
        EXPECT_EQ(Image(back).Picture().Bitmap().size(), c.fitted);
        // At 254 dpi one pixel is one page unit: each quadrant lands in its corner of the
        // rectangle, on paper as on the screen.
        const QImage sheet = FormatPrinter::PrintToImage(back.controls, QSizeF(20, 20), 254, {});
        ASSERT_FALSE(sheet.isNull());
        const int right = c.lowerRight.x();
        const int lower = c.lowerRight.y();
        EXPECT_EQ(sheet.pixel(100, 100) & 0xFFFFFF, 0xFF0000u);
        EXPECT_EQ(sheet.pixel(right, 100) & 0xFFFFFF, 0x00FF00u);
        EXPECT_EQ(sheet.pixel(100, lower) & 0xFFFFFF, 0x0000FFu);
        EXPECT_EQ(sheet.pixel(right, lower) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(sheet.pixel(right + 1, lower + 1) & 0xFFFFFF, 0xFFFFFFu);
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ImageControl, ExtensionsComeBackAsTheFormatStoredThem) {
    // Without a dot, empty, long, or naming a way out of the temporary folder: written again,
    // the record is the record read.
    for (const QString& extension :
         {QStringLiteral("bmp"), QString(), QStringLiteral(".bmp"),
          QStringLiteral(".a-very-long-extension.bmp"), QStringLiteral("/../x.bmp")}) {
        const QByteArray record = ImageRecord(PageRect(0, -2, 2, 0), Bmp(2, 2), extension);
        CImagen read;
        EXPECT_EQ(Load(record, [&read](Archive& ar) { read.Serialize(ar); }), 0);
        EXPECT_EQ(Store([&read](Archive& ar) { read.Serialize(ar); }), record)
            << extension.toStdString();
        ControlFields fields;
        read.DescribeOwnFields(fields);
        EXPECT_EQ(fields[1].second.toString(), extension);
        // The temporary copy's name ends in the letters a reader may know it by.
        EXPECT_EQ(read.Picture().IsLoaded(), extension.endsWith(QStringLiteral("bmp")))
            << extension.toStdString();
    }
}

TEST_F(ImageControl, PicturesOfOneFormatShareABoundOnPixels) {
    // 1 x 1 pictures on rectangles of 10001 x 10000 units, then 2 x 2: the first would pass
    // the bound alone, and is neither decoded nor resampled; the next is shown.
    const QByteArray record = ImageRecord(PageRect(0, 0, 10001, -10000), Bmp(1, 1), ".bmp") +
                              ImageRecord(PageRect(0, 0, 2, -2), Bmp(1, 1), ".bmp");
    CImagen large;
    CImagen small;
    QStringList warnings;
    EXPECT_EQ(Load(record,
                   [&](Archive& ar) {
                       large.Serialize(ar);
                       small.Serialize(ar);
                       warnings = ar.Warnings();
                   }),
              0);
    EXPECT_EQ(warnings, QStringList{QStringLiteral(
                            "La imagen de 10001 x 10000 píxeles no se muestra: las imágenes del "
                            "formato pasarían de 100000000 píxeles.")});
    EXPECT_FALSE(large.Picture().IsLoaded());
    EXPECT_EQ(FileBytes(large.Path()), ToByteArray(Bmp(1, 1))); // it still travels
    EXPECT_EQ(small.Picture().Bitmap().size(), QSize(2, 2));
    RecordingSurface dc;
    large.Print(dc);
    EXPECT_TRUE(dc.Calls().empty());
}

TEST_F(ImageControl, FittingSaysWhyAPictureIsDropped) {
    // Past the largest picture there is: dropped, and the user told.
    auto image = CImagen::Create(Put(QStringLiteral("p.bmp"), Bmp(4, 4)), 0, 0);
    ASSERT_TRUE(image);
    ImageLimits::SetMaxPixels(100);
    image->pageRect = PageRect(0, 0, 20, -20);
    const QString tooLarge = image->FitPicture();
    ImageLimits::SetMaxPixels(ImageLimits::kDefaultMaxPixels);
    EXPECT_EQ(tooLarge, ImageLimits::TooLargeMessage(20, 20));
    EXPECT_TRUE(image->Picture().Bitmap().isNull());

    // One side growing while the other shrinks is resampled like any other change.
    auto other = CImagen::Create(Put(QStringLiteral("q.bmp"), Bmp(4, 4)), 0, 0);
    ASSERT_TRUE(other);
    other->pageRect = PageRect(0, 0, 8, -2);
    EXPECT_EQ(other->FitPicture(), QString());
    EXPECT_EQ(other->Picture().Bitmap().size(), QSize(8, 2));
}
