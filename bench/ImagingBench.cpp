// The picture readers and the resampler, each beside a peer that does the same work: giflib
// decoding to RGB frames, plain libjpeg decoding to RGB, Qt's own BMP reader, and Qt's smooth
// scaling. The input files are drawn by code at start-up into a temporary folder.
#include "TestPictures.h"
#include "imaging/CPictureBitmap.h"
#include "imaging/PictureResampler.h"

#include <QImage>
#include <QTemporaryDir>
#include <QThreadPool>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>

namespace {

constexpr int kGifWidth = 320, kGifHeight = 240, kGifFrames = 200;
constexpr int kPhotoWidth = 4000, kPhotoHeight = 3000;

QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}
std::string PathOf(const char* name) {
    return Folder().filePath(QString::fromLatin1(name)).toStdString();
}

std::uint32_t Noise(std::uint32_t& seed) {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 24;
}

// A photograph-like picture: smooth shading with grain.
std::vector<std::uint8_t> Photo(int w, int h) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
    std::uint32_t seed = 7;
    std::size_t i = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int grain = static_cast<int>(Noise(seed) & 15);
            rgb[i++] = static_cast<std::uint8_t>((x * 255 / w + grain) & 255);
            rgb[i++] = static_cast<std::uint8_t>((y * 255 / h + grain) & 255);
            rgb[i++] = static_cast<std::uint8_t>(((x + y) * 128 / (w + h) + 64 + grain) & 255);
        }
    return rgb;
}

void WriteGif() {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(PathOf("anim.gif").c_str(), false, &error);
    ColorMapObject* map = GifMakeMapObject(256, nullptr);
    for (int c = 0; c < 256; ++c)
        map->Colors[c] =
            GifColorType{static_cast<GifByteType>(c), static_cast<GifByteType>(255 - c),
                         static_cast<GifByteType>((c * 5) & 255)};
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, kGifWidth, kGifHeight, 8, 0, map);
    std::vector<GifPixelType> line(kGifWidth);
    std::uint32_t seed = 11;
    for (int k = 0; k < kGifFrames; ++k) {
        EGifPutImageDesc(gif, 0, 0, kGifWidth, kGifHeight, false, nullptr);
        for (int y = 0; y < kGifHeight; ++y) {
            for (int x = 0; x < kGifWidth; ++x) {
                const int base = (x / 3 + y / 5 + k * 2) & 255;
                line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(
                    (x & 3) == 0 ? Noise(seed) : static_cast<std::uint32_t>(base));
            }
            EGifPutLine(gif, line.data(), kGifWidth);
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
}

void WriteJpeg(const std::vector<std::uint8_t>& rgb) {
    TestPictures::WriteFile(QString::fromStdString(PathOf("photo.jpg")),
                            TestPictures::MakeJpeg(kPhotoWidth, kPhotoHeight, 3, rgb, 90));
}

void WriteBmp(const std::vector<std::uint8_t>& rgb) {
    TestPictures::BmpSpec spec;
    spec.width = kPhotoWidth;
    spec.height = kPhotoHeight;
    spec.bitsPerPixel = 24;
    spec.pixels.reserve(rgb.size() / 3);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        spec.pixels.push_back((std::uint32_t{rgb[i]} << 16) | (std::uint32_t{rgb[i + 1]} << 8) |
                              rgb[i + 2]);
    TestPictures::WriteFile(QString::fromStdString(PathOf("photo.bmp")),
                            TestPictures::MakeBmp(spec));
}

void Prepare() {
    static bool done = false;
    if (done)
        return;
    done = true;
    WriteGif();
    const std::vector<std::uint8_t> photo = Photo(kPhotoWidth, kPhotoHeight);
    WriteJpeg(photo);
    WriteBmp(photo);
}

void LoadFile(benchmark::State& state, const char* name) {
    Prepare();
    const QString path = QString::fromStdString(PathOf(name));
    for (auto _ : state) {
        CPictureBitmap picture;
        if (!picture.LoadFile(path))
            state.SkipWithError("LoadFile failed");
        benchmark::DoNotOptimize(picture.Bitmap().constBits());
    }
}

// giflib reads every image, and each becomes an RGB frame of the screen's size over the
// background colour, through the image's own colour table or the global one.
void BM_Gif_Giflib(benchmark::State& state) {
    Prepare();
    for (auto _ : state) {
        int error = 0;
        GifFileType* gif = DGifOpenFileName(PathOf("anim.gif").c_str(), &error);
        if (!gif || DGifSlurp(gif) != GIF_OK) {
            state.SkipWithError("giflib failed");
            break;
        }
        const int w = gif->SWidth, h = gif->SHeight;
        std::vector<std::uint8_t> frames(static_cast<std::size_t>(w) * h * 3 * gif->ImageCount);
        for (int k = 0; k < gif->ImageCount; ++k) {
            const SavedImage& image = gif->SavedImages[k];
            const ColorMapObject* map =
                image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
            std::uint8_t* frame = &frames[static_cast<std::size_t>(k) * w * h * 3];
            const GifColorType bg = gif->SColorMap->Colors[gif->SBackGroundColor];
            for (int i = 0; i < w * h; ++i) {
                frame[i * 3] = bg.Red;
                frame[i * 3 + 1] = bg.Green;
                frame[i * 3 + 2] = bg.Blue;
            }
            const GifImageDesc& d = image.ImageDesc;
            for (int y = 0; y < d.Height && d.Top + y < h; ++y) {
                std::uint8_t* out = frame + (static_cast<std::size_t>(d.Top + y) * w + d.Left) * 3;
                const GifByteType* in = image.RasterBits + static_cast<std::size_t>(y) * d.Width;
                for (int x = 0; x < d.Width && d.Left + x < w; ++x, out += 3) {
                    const GifColorType c = map->Colors[in[x]];
                    out[0] = c.Red;
                    out[1] = c.Green;
                    out[2] = c.Blue;
                }
            }
        }
        DGifCloseFile(gif, &error);
        benchmark::DoNotOptimize(frames.data());
    }
}

void BM_Gif_LoadFile(benchmark::State& state) {
    LoadFile(state, "anim.gif");
}

void BM_Jpeg_Libjpeg(benchmark::State& state) {
    Prepare();
    for (auto _ : state) {
        std::FILE* f = std::fopen(PathOf("photo.jpg").c_str(), "rb");
        jpeg_decompress_struct info;
        jpeg_error_mgr err;
        info.err = jpeg_std_error(&err);
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, f);
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info);
        std::vector<std::uint8_t> rgb(static_cast<std::size_t>(info.output_width) *
                                      info.output_height * 3);
        while (info.output_scanline < info.output_height) {
            JSAMPROW row =
                &rgb[static_cast<std::size_t>(info.output_scanline) * info.output_width * 3];
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        std::fclose(f);
        benchmark::DoNotOptimize(rgb.data());
    }
}

void BM_Jpeg_LoadFile(benchmark::State& state) {
    LoadFile(state, "photo.jpg");
}

void BM_Bmp_QtReader(benchmark::State& state) {
    Prepare();
    const QString path = QString::fromStdString(PathOf("photo.bmp"));
    for (auto _ : state) {
        QImage image(path, "BMP");
        if (image.isNull())
            state.SkipWithError("Qt could not read the BMP");
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_Bmp_LoadFile(benchmark::State& state) {
    LoadFile(state, "photo.bmp");
}

QImage Source(int w, int h) {
    const std::vector<std::uint8_t> rgb = Photo(w, h);
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        std::memcpy(image.scanLine(y), &rgb[static_cast<std::size_t>(y) * w * 3],
                    static_cast<std::size_t>(w) * 3);
    return image;
}

void BM_Resize(benchmark::State& state) {
    const QImage source =
        Source(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        QImage out = PictureResampler::Resize(source, static_cast<int>(state.range(2)),
                                              static_cast<int>(state.range(3)));
        benchmark::DoNotOptimize(out.constBits());
    }
}

void BM_Resize_QtSmooth(benchmark::State& state) {
    const QImage source =
        Source(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        QImage out =
            source.scaled(static_cast<int>(state.range(2)), static_cast<int>(state.range(3)),
                          Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(out.constBits());
    }
}

// Qt spreads large scalings over its thread pool; the same with one thread compares the work.
void BM_Resize_QtSmoothOneThread(benchmark::State& state) {
    const int threads = QThreadPool::globalInstance()->maxThreadCount();
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    BM_Resize_QtSmooth(state);
    QThreadPool::globalInstance()->setMaxThreadCount(threads);
}

} // namespace

BENCHMARK(BM_Gif_LoadFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gif_Giflib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Jpeg_LoadFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Jpeg_Libjpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp_LoadFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp_QtReader)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resize)
    ->Args({3000, 2000, 600, 400})
    ->Args({300, 200, 1500, 1000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resize_QtSmooth)
    ->Args({3000, 2000, 600, 400})
    ->Args({300, 200, 1500, 1000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resize_QtSmoothOneThread)
    ->Args({3000, 2000, 600, 400})
    ->Args({300, 200, 1500, 1000})
    ->Unit(benchmark::kMillisecond);
