// The picture seeds: a few small valid pictures of each kind the readers know, made by the
// tests' builders.
#include "Seeds.h"
#include "TestPictures.h"

using namespace TestPictures;

void Seeds::WritePictures(const QDir& out) {
    for (const char* sub : {"bmp", "gif", "jpeg"})
        out.mkpath(QString::fromLatin1(sub));
    int n = 0;
    auto put = [&](const char* sub, const Bytes& bytes) {
        WriteFile(out.filePath(QStringLiteral("%1/seed%2").arg(QString::fromLatin1(sub)).arg(++n)),
                  bytes);
    };

    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (int header : {40, 124}) {
            BmpSpec s;
            s.width = 5;
            s.height = 3;
            s.bitsPerPixel = bits;
            s.headerSize = header;
            s.topDown = bits == 8;
            if (bits <= 8) {
                s.palette = {{1, 2, 3}, {200, 100, 0}, {7, 7, 7}};
                s.coloursUsed = 3;
                for (int i = 0; i < 15; ++i)
                    s.indices.push_back(i % (bits == 1 ? 2 : 3));
            } else {
                for (int i = 0; i < 15; ++i)
                    s.pixels.push_back(static_cast<std::uint32_t>(i * 0x1234567));
                if (bits != 24 && header == 124) {
                    s.compression = 3;
                    s.masks = bits == 16 ? std::vector<std::uint32_t>{0xF800, 0x07E0, 0x001F}
                                         : std::vector<std::uint32_t>{0xFF, 0xFF00, 0xFF0000};
                }
            }
            put("bmp", MakeBmp(s));
        }
    }

    GifSpec g;
    g.width = 9;
    g.height = 6;
    g.globalTable = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    GifFrame a;
    a.width = 9;
    a.height = 6;
    for (int i = 0; i < 54; ++i)
        a.indices.push_back((i / 3) % 4);
    GifFrame b = a;
    b.interlaced = true;
    b.left = 2;
    b.top = 1;
    b.width = 6;
    b.height = 4;
    b.indices.resize(24);
    b.localTable = {{9, 9, 9}, {1, 1, 1}};
    for (int& i : b.indices)
        i &= 1;
    b.transparentIndex = 1;
    g.frames = {a, b};
    put("gif", MakeGif(g));
    g.signature = "GIF87a";
    g.frames = {a};
    put("gif", MakeGif(g));

    Bytes rgb, grey;
    for (int i = 0; i < 24 * 16; ++i) {
        rgb.insert(rgb.end(), {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 3),
                               static_cast<std::uint8_t>(255 - i)});
        grey.push_back(static_cast<std::uint8_t>(i * 5));
    }
    put("jpeg", MakeJpeg(24, 16, 3, rgb, 80));
    put("jpeg", MakeJpeg(24, 16, 1, grey, 50));
}
