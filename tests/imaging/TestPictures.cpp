#include "TestPictures.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <map>

#include <jpeglib.h>

namespace TestPictures {

namespace {

void Put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

int TableBits(std::size_t entries) {
    int bits = 1;
    while ((std::size_t{1} << bits) < entries)
        ++bits;
    return bits;
}

void PutTable(Bytes& out, const std::vector<Rgb>& table) {
    const std::size_t size = std::size_t{1} << TableBits(table.size());
    for (std::size_t i = 0; i < size; ++i) {
        const Rgb c = i < table.size() ? table[i] : Rgb{};
        out.insert(out.end(), {c.r, c.g, c.b});
    }
}

} // namespace

Bytes MakeBmp(const BmpSpec& s) {
    const int stride = ((s.width * s.bitsPerPixel + 31) / 32) * 4;
    Bytes rows;
    for (int stored = 0; stored < s.height; ++stored) {
        const int y = s.topDown ? stored : s.height - 1 - stored;
        Bytes row(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < s.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * s.width + x);
            switch (s.bitsPerPixel) {
            case 24: {
                const std::uint32_t v = s.pixels[i];
                row[static_cast<std::size_t>(x * 3)] = static_cast<std::uint8_t>(v);
                row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<std::uint8_t>(v >> 8);
                row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<std::uint8_t>(v >> 16);
                break;
            }
            case 32:
                for (int k = 0; k < 4; ++k)
                    row[static_cast<std::size_t>(x * 4 + k)] =
                        static_cast<std::uint8_t>(s.pixels[i] >> (8 * k));
                break;
            case 16:
                row[static_cast<std::size_t>(x * 2)] = static_cast<std::uint8_t>(s.pixels[i]);
                row[static_cast<std::size_t>(x * 2 + 1)] =
                    static_cast<std::uint8_t>(s.pixels[i] >> 8);
                break;
            default: {
                const int bit = x * s.bitsPerPixel;
                const int shift = 8 - s.bitsPerPixel - bit % 8;
                row[static_cast<std::size_t>(bit / 8)] |=
                    static_cast<std::uint8_t>(s.indices[i] << shift);
            }
            }
        }
        rows.insert(rows.end(), row.begin(), row.end());
    }
    Bytes extra; // the palette or the masks after the header
    if (s.headerSize == 40)
        for (std::uint32_t m : s.masks)
            Put32(extra, m);
    for (const Rgb& c : s.palette)
        extra.insert(extra.end(), {c.b, c.g, c.r, 0});
    const std::uint32_t offset = s.pixelOffset.value_or(
        14 + static_cast<std::uint32_t>(s.headerSize) + static_cast<std::uint32_t>(extra.size()));

    Bytes out = {'B', 'M'};
    Put32(out, offset + static_cast<std::uint32_t>(rows.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, static_cast<std::uint32_t>(s.headerSize));
    Put32(out, static_cast<std::uint32_t>(s.width));
    Put32(out, static_cast<std::uint32_t>(s.topDown ? -s.height : s.height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(s.bitsPerPixel));
    Put32(out, s.compression);
    Put32(out, static_cast<std::uint32_t>(rows.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, s.coloursUsed);
    Put32(out, 0);
    for (std::size_t i = 0; i + 40 < static_cast<std::size_t>(s.headerSize); i += 4)
        Put32(out, s.headerSize > 40 && i < 12 && i / 4 < s.masks.size() ? s.masks[i / 4] : 0);
    out.insert(out.end(), extra.begin(), extra.end());
    while (out.size() < offset)
        out.push_back(0xEE);
    out.resize(offset);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

Bytes EncodeLzw(const std::vector<int>& indices, int minCodeSize) {
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    int codeSize = minCodeSize + 1;
    int next = clear + 2;
    std::map<std::pair<int, int>, int> table;
    Bytes packed;
    std::uint32_t bits = 0;
    int count = 0;
    auto put = [&](int code) {
        bits |= static_cast<std::uint32_t>(code) << count;
        count += codeSize;
        while (count >= 8) {
            packed.push_back(static_cast<std::uint8_t>(bits));
            bits >>= 8;
            count -= 8;
        }
    };
    put(clear);
    if (!indices.empty()) {
        int prefix = indices[0];
        for (std::size_t i = 1; i < indices.size(); ++i) {
            const int pixel = indices[i];
            const auto found = table.find({prefix, pixel});
            if (found != table.end()) {
                prefix = found->second;
                continue;
            }
            put(prefix);
            if (next < 4096) {
                table[{prefix, pixel}] = next++;
                if (next > (1 << codeSize) && codeSize < 12)
                    ++codeSize;
            } else {
                put(clear);
                table.clear();
                next = clear + 2;
                codeSize = minCodeSize + 1;
            }
            prefix = pixel;
        }
        put(prefix);
    }
    put(end);
    if (count > 0)
        packed.push_back(static_cast<std::uint8_t>(bits));
    Bytes out;
    for (std::size_t at = 0; at < packed.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, packed.size() - at);
        out.push_back(static_cast<std::uint8_t>(n));
        out.insert(out.end(), packed.begin() + static_cast<long>(at),
                   packed.begin() + static_cast<long>(at + n));
    }
    out.push_back(0);
    return out;
}

GifFrame Frame(int width, std::vector<int> indices, std::optional<int> transparentIndex) {
    GifFrame f;
    f.width = width;
    f.height = static_cast<int>(indices.size()) / width;
    f.indices = std::move(indices);
    f.transparentIndex = transparentIndex;
    return f;
}

Bytes MakeGif(const GifSpec& s) {
    Bytes out(s.signature, s.signature + 6);
    Put16(out, static_cast<std::uint32_t>(s.width));
    Put16(out, static_cast<std::uint32_t>(s.height));
    const bool global = !s.globalTable.empty();
    out.push_back(static_cast<std::uint8_t>(
        global ? 0x80 | 0x70 | (TableBits(s.globalTable.size()) - 1) : 0x70));
    out.push_back(static_cast<std::uint8_t>(s.backgroundIndex));
    out.push_back(0);
    if (global)
        PutTable(out, s.globalTable);
    for (const GifFrame& f : s.frames) {
        if (f.transparentIndex) {
            out.insert(out.end(), {0x21, 0xF9, 4, 1, 10, 0,
                                   static_cast<std::uint8_t>(*f.transparentIndex), 0});
        }
        out.push_back(0x2C);
        Put16(out, static_cast<std::uint32_t>(f.left));
        Put16(out, static_cast<std::uint32_t>(f.top));
        Put16(out, static_cast<std::uint32_t>(f.width));
        Put16(out, static_cast<std::uint32_t>(f.height));
        std::uint8_t flags = f.interlaced ? 0x40 : 0;
        if (!f.localTable.empty())
            flags |= static_cast<std::uint8_t>(0x80 | (TableBits(f.localTable.size()) - 1));
        out.push_back(flags);
        if (!f.localTable.empty())
            PutTable(out, f.localTable);
        const std::size_t tableSize = !f.localTable.empty()
                                          ? f.localTable.size()
                                          : std::max<std::size_t>(s.globalTable.size(), 4);
        const int minCode = f.minCodeSize ? f.minCodeSize : std::max(2, TableBits(tableSize));
        out.push_back(static_cast<std::uint8_t>(minCode));
        // Interlaced images store their rows in the order of the four passes.
        std::vector<int> stored;
        if (f.interlaced) {
            for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
                for (int y = start; y < f.height; y += step)
                    stored.insert(stored.end(), f.indices.begin() + y * f.width,
                                  f.indices.begin() + (y + 1) * f.width);
        } else {
            stored = f.indices;
        }
        const Bytes data = EncodeLzw(stored, minCode);
        out.insert(out.end(), data.begin(), data.end());
    }
    out.push_back(0x3B);
    return out;
}

Bytes MakeJpeg(int width, int height, int components, const Bytes& samples, int quality) {
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(
            &samples[static_cast<std::size_t>(info.next_scanline) * width * components]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

bool WriteFile(const QString& path, const Bytes& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

QByteArray ToByteArray(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

} // namespace TestPictures
