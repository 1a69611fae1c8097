// One libFuzzer harness per picture reader, chosen when it is built: the reader must come back
// from any bytes, with a picture or a failure, within bounded time and memory.
#include "imaging/BmpFile.h"
#include "imaging/GifDecoder.h"
#include "imaging/ImageLimits.h"
#include "imaging/JpegFile.h"
#include "imaging/PictureResampler.h"

#include <cstring>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Small pictures keep each run short; the limit itself is what is being exercised.
    ImageLimits::SetMaxPixels(4'000'000);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ByteView bytes{data, size};
    DecodedPicture picture;
    if (std::strcmp(PLENOVA_FUZZ_READER, "bmp") == 0)
        picture = BmpFile::Decode(bytes);
    else if (std::strcmp(PLENOVA_FUZZ_READER, "gif") == 0)
        picture = GifDecoder::Decode(bytes);
    else
        picture = JpegFile::Decode(bytes);
    if (picture.Ok()) {
        // Every byte of the bitmap must have been written (the sanitizer sees reads of
        // uninitialised memory only under MSan; this at least touches every row).
        const QImage& image = picture.bitmap;
        unsigned sum = 0;
        for (int y = 0; y < image.height(); y += 7)
            sum += image.constScanLine(y)[0];
        if (picture.frameHeight <= 0 || image.height() < picture.frameHeight || sum == 0xFFFFFFFF)
            __builtin_trap();
        // The resampler on what came out, both ways, kept small.
        if (image.width() * static_cast<long>(image.height()) <= 4096) {
            (void)PictureResampler::Resize(image, image.width() / 2 + 1, image.height() / 2 + 1);
            (void)PictureResampler::Resize(image, image.width() + 3, image.height() * 2);
        }
    }
    return 0;
}
