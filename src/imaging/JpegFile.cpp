#include "imaging/JpegFile.h"

#include "imaging/ImageLimits.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace {

// A progressive file can ask for thousands of scans over the same few bytes; past this many it
// is taken as hostile rather than decoded for minutes.
constexpr long kMaxScans = 1000;
constexpr long kMaxDecoderMemory = 1024L * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf back;
};

// A fatal decoder error returns control to the reader instead of ending the program.
[[noreturn]] void ReturnToReader(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(err->back, 1);
}

// Warnings about damaged data are not the user's business.
void IgnoreMessage(j_common_ptr) {}

void LimitScans(j_common_ptr info) {
    if (info->is_decompressor) {
        auto* cinfo = reinterpret_cast<j_decompress_ptr>(info);
        if (cinfo->input_scan_number > kMaxScans)
            ReturnToReader(info);
    }
}

// Everything the decoder owns lives here, outside the frame that setjmp saves, so that the
// cleanup after a long jump sees its final state.
struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    QImage image;
    std::vector<JSAMPLE> grey;
    QString message;
    bool created = false;

    ~Decoder() {
        if (created)
            jpeg_destroy_decompress(&info);
    }

    bool Run(ByteView in) {
        info.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = ReturnToReader;
        err.pub.output_message = IgnoreMessage;
        if (setjmp(err.back)) {
            image = QImage();
            return false;
        }
        jpeg_create_decompress(&info);
        created = true;
        // Progressive files keep every coefficient of the picture; past this the decoder
        // gives up rather than take the machine's memory.
        info.mem->max_memory_to_use = kMaxDecoderMemory;
        progress.progress_monitor = LimitScans;
        info.progress = &progress;
        jpeg_mem_src(&info, in.data, static_cast<unsigned long>(in.size));
        jpeg_read_header(&info, TRUE);
        if (info.num_components != 1 && info.num_components != 3) {
            message = QStringLiteral("JPEG de %1 componentes de color no compatible.")
                          .arg(info.num_components);
            return false;
        }
        if (info.num_components == 3)
            info.out_color_space = JCS_RGB;
        jpeg_calc_output_dimensions(&info);
        if (!ImageLimits::Allows(info.output_width, info.output_height)) {
            message = ImageLimits::TooLargeMessage(info.output_width, info.output_height);
            return false;
        }
        jpeg_start_decompress(&info);
        image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       QImage::Format_RGB888);
        if (image.isNull()) {
            message = QStringLiteral("JpegFile :\nOut of memory");
            return false;
        }
        const bool isGrey = info.output_components == 1;
        if (isGrey)
            grey.resize(info.output_width);
        while (info.output_scanline < info.output_height) {
            const int y = static_cast<int>(info.output_scanline);
            std::uint8_t* row = image.scanLine(y);
            JSAMPROW target = isGrey ? grey.data() : row;
            if (jpeg_read_scanlines(&info, &target, 1) != 1) {
                // Never leave rows with whatever the memory held.
                for (int rest = y; rest < image.height(); ++rest)
                    std::memset(image.scanLine(rest), 0,
                                static_cast<std::size_t>(image.bytesPerLine()));
                break;
            }
            if (isGrey) {
                for (JDIMENSION x = 0; x < info.output_width; ++x, row += 3)
                    row[0] = row[1] = row[2] = grey[x];
            }
        }
        jpeg_finish_decompress(&info);
        return true;
    }
};

} // namespace

DecodedPicture JpegFile::Decode(ByteView in) {
    if (in.size == 0)
        return DecodedPicture::Failure();
    Decoder decoder;
    if (!decoder.Run(in))
        return DecodedPicture::Failure(decoder.message);
    DecodedPicture result;
    result.frameHeight = decoder.image.height();
    result.bitmap = std::move(decoder.image);
    result.frameCount = 1;
    return result;
}
