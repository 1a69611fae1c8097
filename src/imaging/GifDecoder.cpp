#include "imaging/GifDecoder.h"

#include "imaging/ImageLimits.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kMaxCodes = 4096;
constexpr int kMaxCodeBits = 12;

using ColourTable = std::array<std::uint8_t, 256 * 3>;

ColourTable GreyRamp() {
    ColourTable t{};
    for (int i = 0; i < 256; ++i)
        t[i * 3] = t[i * 3 + 1] = t[i * 3 + 2] = static_cast<std::uint8_t>(i);
    return t;
}

// Reading position over the file's bytes; running past the end sets the failed flag.
class Cursor {
public:
    explicit Cursor(ByteView in) : m_data(in.data), m_size(in.size) {}
    bool Has(std::size_t count) const { return m_size - m_pos >= count; }
    bool Failed() const { return m_failed; }
    std::uint8_t Byte() {
        if (!Has(1)) {
            m_failed = true;
            return 0;
        }
        return m_data[m_pos++];
    }
    std::uint16_t Word() {
        const std::uint16_t lo = Byte();
        return static_cast<std::uint16_t>(lo | (Byte() << 8));
    }
    const std::uint8_t* Take(std::size_t count) {
        if (!Has(count)) {
            m_failed = true;
            m_pos = m_size;
            return nullptr;
        }
        const std::uint8_t* p = m_data + m_pos;
        m_pos += count;
        return p;
    }
    // Skips data sub-blocks up to and including the empty one that ends them.
    void SkipSubBlocks() {
        while (!m_failed) {
            const std::uint8_t length = Byte();
            if (m_failed || length == 0)
                return;
            Take(length);
        }
    }
    bool ReadTable(int entries, ColourTable& table) {
        const std::uint8_t* p = Take(static_cast<std::size_t>(entries) * 3);
        if (!p)
            return false;
        table.fill(0);
        std::memcpy(table.data(), p, static_cast<std::size_t>(entries) * 3);
        return true;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_failed = false;
};

// The frames of the picture, one after the other in one block of memory that grows by
// doubling, so that adding a frame costs only that frame. The block becomes the bitmap at the
// end without a copy.
class FrameStack {
public:
    FrameStack(int width, int height)
        : m_width(width), m_height(height),
          m_stride((static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}),
          m_frameBytes(m_stride * static_cast<std::size_t>(height)) {}
    ~FrameStack() { std::free(m_data); }
    FrameStack(const FrameStack&) = delete;
    FrameStack& operator=(const FrameStack&) = delete;

    int Count() const { return m_count; }
    std::size_t Stride() const { return m_stride; }

    // A new frame filled with the background colour, or nullptr when the picture may not grow.
    std::uint8_t* Add(const std::uint8_t* background) {
        if (!ImageLimits::Allows(m_width, std::int64_t{m_height} * (m_count + 1)))
            return nullptr;
        const std::size_t needed = m_frameBytes * static_cast<std::size_t>(m_count + 1);
        if (needed > m_capacity) {
            // Doubling, but never past what the picture limit lets the stack grow to.
            const std::size_t mostFrames = static_cast<std::size_t>(
                ImageLimits::MaxPixels() / (std::int64_t{m_width} * m_height));
            const std::size_t capacity =
                std::max(needed, std::min(m_capacity * 2, m_frameBytes * mostFrames));
            void* grown = std::realloc(m_data, capacity);
            if (!grown)
                return nullptr;
            m_data = static_cast<std::uint8_t*>(grown);
            m_capacity = capacity;
        }
        std::uint8_t* frame = m_data + m_frameBytes * static_cast<std::size_t>(m_count);
        std::uint8_t* row = frame;
        for (int x = 0; x < m_width; ++x)
            std::memcpy(row + x * 3, background, 3);
        std::memset(row + std::size_t(m_width) * 3, 0, m_stride - std::size_t(m_width) * 3);
        for (int y = 1; y < m_height; ++y)
            std::memcpy(frame + m_stride * static_cast<std::size_t>(y), row, m_stride);
        ++m_count;
        return frame;
    }
    void DropLast() { --m_count; }

    // The stacked frames as one bitmap; at least one frame's worth, even with no frame.
    QImage Release(const std::uint8_t* background) {
        if (m_count == 0) {
            if (!Add(background))
                return QImage();
            m_count = 0;
        }
        const int frames = std::max(m_count, 1);
        const std::size_t used = m_frameBytes * static_cast<std::size_t>(frames);
        if (used < m_capacity) {
            if (void* shrunk = std::realloc(m_data, used)) {
                m_data = static_cast<std::uint8_t*>(shrunk);
                m_capacity = used;
            }
        }
        QImage image(
            m_data, m_width, m_height * frames, static_cast<qsizetype>(m_stride),
            QImage::Format_RGB888, [](void* p) { std::free(p); }, m_data);
        if (image.isNull())
            return image;
        m_data = nullptr;
        m_capacity = 0;
        return image;
    }

private:
    int m_width;
    int m_height;
    std::size_t m_stride;
    std::size_t m_frameBytes;
    std::uint8_t* m_data = nullptr;
    std::size_t m_capacity = 0;
    int m_count = 0;
};

enum class ImageEnd { Complete, Truncated };

// Decodes one image's LZW data into its frame: rows placed at the image's offsets within the
// logical screen (interlaced rows in the four passes' order), clipped to the screen.
class ImageDecoder {
public:
    ImageDecoder(Cursor& in, std::uint8_t* frame, std::size_t stride, int screenW, int screenH)
        : m_in(in), m_frame(frame), m_stride(stride), m_screenW(screenW), m_screenH(screenH) {}

    ImageEnd Decode(int left, int top, int width, int height, bool interlaced,
                    const ColourTable& colours, int minCodeSize) {
        m_left = left;
        m_top = top;
        m_width = width;
        m_height = height;
        m_interlaced = interlaced;
        m_colours = &colours;
        m_row.assign(static_cast<std::size_t>(width), 0);
        if (width == 0 || height == 0)
            m_rowIndex = height; // nothing to paint; the data is still read through

        const int clear = 1 << minCodeSize;
        const int end = clear + 1;
        int codeSize = minCodeSize + 1;
        int next = clear + 2;
        int previous = -1;
        for (int i = 0; i < clear; ++i) {
            m_prefix[i] = -1;
            m_suffix[i] = static_cast<std::uint8_t>(i);
            m_first[i] = static_cast<std::uint8_t>(i);
            m_length[i] = 1;
        }
        std::uint32_t bits = 0;
        int bitCount = 0;
        int blockLeft = 0;
        bool dataEnded = false;
        for (;;) {
            while (bitCount < codeSize) {
                if (blockLeft == 0) {
                    blockLeft = m_in.Byte();
                    if (m_in.Failed())
                        return ImageEnd::Truncated;
                    if (blockLeft == 0) {
                        dataEnded = true;
                        break;
                    }
                }
                bits |= static_cast<std::uint32_t>(m_in.Byte()) << bitCount;
                if (m_in.Failed())
                    return ImageEnd::Truncated;
                bitCount += 8;
                --blockLeft;
            }
            if (dataEnded) {
                FlushPartialRow();
                return ImageEnd::Complete; // the block terminator is consumed
            }
            const int code = static_cast<int>(bits & ((1u << codeSize) - 1));
            bits >>= codeSize;
            bitCount -= codeSize;

            if (code == clear) {
                codeSize = minCodeSize + 1;
                next = clear + 2;
                previous = -1;
                continue;
            }
            if (code == end)
                break;
            if (previous < 0) {
                if (code >= clear)
                    break; // points past the table
                Emit(code, -1);
                previous = code;
                continue;
            }
            if (code > next || (code == next && next >= kMaxCodes))
                break; // points past the table
            if (code == next) {
                // The string of the previous code followed by its own first byte.
                Emit(previous, m_first[previous]);
            } else {
                Emit(code, -1);
            }
            if (next < kMaxCodes) {
                m_prefix[next] = static_cast<std::int16_t>(previous);
                m_suffix[next] = code == next ? m_first[previous] : m_first[code];
                m_first[next] = m_first[previous];
                m_length[next] = static_cast<std::uint16_t>(m_length[previous] + 1);
                ++next;
                if (next == (1 << codeSize) && codeSize < kMaxCodeBits)
                    ++codeSize;
            }
            previous = code;
        }
        // The image ends here (end code or a bad code); what follows up to the block
        // terminator belongs to it and is dropped.
        FlushPartialRow();
        if (blockLeft > 0)
            m_in.Take(static_cast<std::size_t>(blockLeft));
        m_in.SkipSubBlocks();
        return ImageEnd::Complete;
    }

private:
    // Writes the string of a code (and one byte more when extra >= 0) into the image's rows.
    void Emit(int code, int extra) {
        const int length = m_length[code];
        const int total = length + (extra >= 0 ? 1 : 0);
        if (m_rowIndex < m_height && total <= m_width - m_column) {
            // The usual case: the string lies within the current row and goes straight there.
            std::uint8_t* start = m_row.data() + m_column;
            std::uint8_t* out = start + length;
            for (int c = code; c >= 0; c = m_prefix[c])
                *--out = m_suffix[c];
            if (extra >= 0)
                start[length] = static_cast<std::uint8_t>(extra);
            m_column += total;
            if (m_column == m_width)
                FlushRow();
            return;
        }
        std::uint8_t* out = m_string.data() + length;
        for (int c = code; c >= 0; c = m_prefix[c])
            *--out = m_suffix[c];
        int count = length;
        if (extra >= 0)
            m_string[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(extra);
        const std::uint8_t* src = m_string.data();
        while (count > 0 && m_rowIndex < m_height) {
            const int room = m_width - m_column;
            const int n = count < room ? count : room;
            std::memcpy(m_row.data() + m_column, src, static_cast<std::size_t>(n));
            m_column += n;
            src += n;
            count -= n;
            if (m_column == m_width)
                FlushRow();
        }
    }

    int TargetRow(int index) const {
        if (!m_interlaced)
            return index;
        // Pass 1 every 8th row from 0, pass 2 every 8th from 4, pass 3 every 4th from 2,
        // pass 4 every 2nd from 1.
        const int pass1 = (m_height + 7) / 8;
        if (index < pass1)
            return index * 8;
        index -= pass1;
        const int pass2 = (m_height + 3) / 8;
        if (index < pass2)
            return 4 + index * 8;
        index -= pass2;
        const int pass3 = (m_height + 1) / 4;
        if (index < pass3)
            return 2 + index * 4;
        index -= pass3;
        return 1 + index * 2;
    }

    // The pixels of a row that the data ended within.
    void FlushPartialRow() {
        if (m_column > 0 && m_rowIndex < m_height)
            FlushRow(m_column);
    }

    void FlushRow() { FlushRow(m_width); }

    void FlushRow(int count) {
        const int y = m_top + TargetRow(m_rowIndex);
        ++m_rowIndex;
        m_column = 0;
        if (y >= m_screenH || m_left >= m_screenW)
            return;
        const int visible = std::min(count, m_screenW - m_left);
        std::uint8_t* dst =
            m_frame + m_stride * static_cast<std::size_t>(y) + std::size_t(m_left) * 3;
        const std::uint8_t* table = m_colours->data();
        for (int x = 0; x < visible; ++x, dst += 3) {
            const std::uint8_t* c = table + m_row[static_cast<std::size_t>(x)] * 3;
            dst[0] = c[0];
            dst[1] = c[1];
            dst[2] = c[2];
        }
    }

    Cursor& m_in;
    std::uint8_t* m_frame;
    std::size_t m_stride;
    int m_screenW;
    int m_screenH;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_interlaced = false;
    const ColourTable* m_colours = nullptr;
    std::vector<std::uint8_t> m_row;
    int m_rowIndex = 0;
    int m_column = 0;
    std::array<std::int16_t, kMaxCodes> m_prefix{};
    std::array<std::uint8_t, kMaxCodes> m_suffix{};
    std::array<std::uint8_t, kMaxCodes> m_first{};
    std::array<std::uint16_t, kMaxCodes> m_length{};
    std::array<std::uint8_t, kMaxCodes + 1> m_string{};
};

ColorRef ToColorRef(const ColourTable& table, int index) {
    const std::size_t i = static_cast<std::size_t>(index) * 3;
    return MakeColorRef(table[i], table[i + 1], table[i + 2]);
}

} // namespace

DecodedPicture GifDecoder::Decode(ByteView bytes) {
    Cursor in(bytes);
    const std::uint8_t* header = in.Take(6);
    if (!header || std::memcmp(header, "GIF", 3) != 0)
        return DecodedPicture::Failure();
    const int screenW = in.Word();
    const int screenH = in.Word();
    const std::uint8_t packed = in.Byte();
    const std::uint8_t backgroundIndex = in.Byte();
    in.Byte(); // aspect ratio
    if (in.Failed() || screenW == 0 || screenH == 0)
        return DecodedPicture::Failure();
    if (!ImageLimits::Allows(screenW, screenH))
        return DecodedPicture::Failure();
    ColourTable global = GreyRamp();
    if ((packed & 0x80) && !in.ReadTable(2 << (packed & 7), global))
        return DecodedPicture::Failure();
    const std::uint8_t* background = &global[std::size_t{backgroundIndex} * 3];

    FrameStack frames(screenW, screenH);
    ColorRef transparent = 0;
    ColourTable local{};
    bool more = true;
    while (more) {
        const std::uint8_t introducer = in.Byte();
        if (in.Failed())
            break;
        if (introducer == 0x2C) {
            const int left = in.Word();
            const int top = in.Word();
            const int width = in.Word();
            const int height = in.Word();
            const std::uint8_t flags = in.Byte();
            if (in.Failed())
                break;
            const ColourTable* colours = &global;
            if (flags & 0x80) {
                if (!in.ReadTable(2 << (flags & 7), local))
                    break;
                colours = &local;
            }
            const int minCodeSize = in.Byte();
            if (in.Failed() || minCodeSize < 1 || minCodeSize > kMaxCodeBits - 1)
                break;
            std::uint8_t* frame = frames.Add(background);
            if (!frame)
                break;
            ImageDecoder image(in, frame, frames.Stride(), screenW, screenH);
            if (image.Decode(left, top, width, height, (flags & 0x40) != 0, *colours,
                             minCodeSize) == ImageEnd::Truncated) {
                frames.DropLast();
                break;
            }
        } else if (introducer == 0x21) {
            const std::uint8_t label = in.Byte();
            const std::uint8_t length = in.Byte();
            const std::uint8_t* block = in.Take(length);
            if (in.Failed())
                break;
            if (label == 0xF9 && length >= 4)
                transparent = (block[0] & 1) ? ToColorRef(global, block[3]) : 0;
            if (length > 0) // an empty first block already ends the extension
                in.SkipSubBlocks();
            if (in.Failed())
                break;
        } else {
            more = false; // the trailer, or a byte that begins nothing
        }
    }

    DecodedPicture result;
    result.frameCount = frames.Count();
    result.frameHeight = screenH;
    result.transparentColor = transparent;
    result.bitmap = frames.Release(background);
    if (result.bitmap.isNull())
        return DecodedPicture::Failure();
    return result;
}
