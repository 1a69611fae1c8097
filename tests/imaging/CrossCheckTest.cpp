// The readers beside independent decoders: giflib for GIF files written by giflib's own
// encoder, and Qt's BMP reader for bitmaps of every depth both know.
#include "TestPictures.h"
#include "imaging/BmpFile.h"
#include "imaging/GifDecoder.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <gif_lib.h>

using namespace TestPictures;

namespace {

Bytes ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    return Bytes(b.begin(), b.end());
}

struct Image {
    int left, top, width, height;
    bool interlaced;
    int localColours; // 0: none
};

// This giflib's writer neither frees its copy of an image's local table when the next image
// comes nor when the file is closed.
void ForgetLocalTable(GifFileType* gif) {
    if (gif->Image.ColorMap) {
        GifFreeMapObject(gif->Image.ColorMap);
        gif->Image.ColorMap = nullptr;
    }
}

// Writes a GIF with giflib: a 256-colour global table and the given images, each filled with
// a pattern of its own.
void WriteWithGiflib(const QString& path, int w, int h, const std::vector<Image>& images) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    ASSERT_NE(gif, nullptr);
    ColorMapObject* global = GifMakeMapObject(256, nullptr);
    for (int c = 0; c < 256; ++c)
        global->Colors[c] =
            GifColorType{static_cast<GifByteType>(c), static_cast<GifByteType>(c * 3),
                         static_cast<GifByteType>(255 - c)};
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, w, h, 8, 17, global);
    std::uint32_t seed = 99;
    for (const Image& im : images) {
        ColorMapObject* local = nullptr;
        if (im.localColours) {
            local = GifMakeMapObject(im.localColours, nullptr);
            for (int c = 0; c < im.localColours; ++c)
                local->Colors[c] = GifColorType{static_cast<GifByteType>(200 - c), 7,
                                                static_cast<GifByteType>(c * 2)};
        }
        ForgetLocalTable(gif);
        EGifPutImageDesc(gif, im.left, im.top, im.width, im.height, im.interlaced, local);
        const int colours = im.localColours ? im.localColours : 256;
        std::vector<GifPixelType> line(static_cast<std::size_t>(im.width));
        // giflib takes interlaced rows in the order of the passes, like the file stores them.
        for (int row = 0; row < im.height; ++row) {
            for (int x = 0; x < im.width; ++x) {
                seed = seed * 1664525u + 1013904223u;
                line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(
                    ((x % 9 == 0) ? (seed >> 24) : static_cast<std::uint32_t>(x / 4 + row)) %
                    colours);
            }
            EGifPutLine(gif, line.data(), im.width);
        }
        if (local)
            GifFreeMapObject(local);
    }
    ForgetLocalTable(gif);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(global);
}

// What the frames must be, from giflib's reading: each image over the background colour at its
// offsets, through its own table when it has one.
QImage FramesByGiflib(const QString& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.toLocal8Bit().constData(), &error);
    if (!gif || DGifSlurp(gif) != GIF_OK)
        return QImage();
    const int w = gif->SWidth, h = gif->SHeight;
    QImage out(w, h * gif->ImageCount, QImage::Format_RGB888);
    const GifColorType bg = gif->SColorMap->Colors[gif->SBackGroundColor];
    out.fill(QColor(bg.Red, bg.Green, bg.Blue));
    for (int k = 0; k < gif->ImageCount; ++k) {
        const SavedImage& image = gif->SavedImages[k];
        const GifImageDesc& d = image.ImageDesc;
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        for (int i = 0; i < d.Height; ++i) {
            const int y = d.Top + i; // DGifSlurp puts interlaced rows in place
            if (y >= h)
                continue;
            std::uint8_t* dst = out.scanLine(k * h + y);
            for (int x = 0; x < d.Width && d.Left + x < w; ++x) {
                const GifColorType c = map->Colors[image.RasterBits[i * d.Width + x]];
                std::uint8_t* p = dst + (d.Left + x) * 3;
                p[0] = c.Red, p[1] = c.Green, p[2] = c.Blue;
            }
        }
    }
    DGifCloseFile(gif, &error);
    return out;
}

} // namespace

TEST(CrossCheck, GifFramesMatchGiflib) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.gif"));
    WriteWithGiflib(path, 97, 61,
                    {{0, 0, 97, 61, false, 0},
                     {10, 5, 40, 33, true, 0},
                     {50, 20, 47, 41, false, 16},
                     {3, 2, 60, 59, true, 64},
                     {0, 0, 97, 61, true, 0}});
    const QImage expected = FramesByGiflib(path);
    ASSERT_FALSE(expected.isNull());
    const Bytes bytes = ReadAll(path);
    const DecodedPicture ours = GifDecoder::Decode(ByteView{bytes.data(), bytes.size()});
    ASSERT_TRUE(ours.Ok());
    EXPECT_EQ(ours.frameCount, 5);
    ASSERT_EQ(ours.bitmap.size(), expected.size());
    for (int y = 0; y < expected.height(); ++y)
        ASSERT_EQ(std::memcmp(ours.bitmap.constScanLine(y), expected.constScanLine(y), 97 * 3), 0)
            << "row " << y;
}

TEST(CrossCheck, BitmapsMatchQtsReader) {
    std::uint32_t seed = 3;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    for (int bits : {1, 4, 8, 24}) {
        for (int width : {1, 3, 7, 33}) {
            BmpSpec s;
            s.width = width;
            s.height = 5;
            s.bitsPerPixel = bits;
            if (bits <= 8) {
                const int colours = 1 << bits;
                for (int c = 0; c < colours; ++c)
                    s.palette.push_back(Rgb{static_cast<std::uint8_t>(next() >> 24),
                                            static_cast<std::uint8_t>(next() >> 24),
                                            static_cast<std::uint8_t>(next() >> 24)});
                for (int i = 0; i < width * 5; ++i)
                    s.indices.push_back(static_cast<int>(next() >> 24) % colours);
            } else {
                for (int i = 0; i < width * 5; ++i)
                    s.pixels.push_back(next() >> 8);
            }
            const Bytes file = MakeBmp(s);
            QImage qt;
            ASSERT_TRUE(qt.loadFromData(ToByteArray(file), "BMP")) << bits << " " << width;
            qt = qt.convertToFormat(QImage::Format_RGB888);
            const DecodedPicture ours = BmpFile::Decode(ByteView{file.data(), file.size()});
            ASSERT_TRUE(ours.Ok());
            EXPECT_EQ(ours.bitmap, qt) << bits << " bits, width " << width;
        }
    }
}
