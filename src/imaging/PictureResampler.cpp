#include "imaging/PictureResampler.h"

#include "imaging/ImageLimits.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

std::uint8_t Truncated(double v) {
    if (!(v > 0))
        return 0;
    if (v >= 255)
        return 255;
    return static_cast<std::uint8_t>(static_cast<int>(v));
}

bool Advances(const PictureResampler::Weight& w) {
    return std::fabs(w.w1) > PictureResampler::kThreshold;
}

bool Spills(const PictureResampler::Weight& w) {
    return w.w1 > PictureResampler::kThreshold;
}

} // namespace

std::vector<PictureResampler::Weight> PictureResampler::BuildTable(int oldLength, int newLength,
                                                                   bool enlarging) {
    const std::int64_t longer = enlarging ? newLength : oldLength;
    const std::int64_t shorter = enlarging ? oldLength : newLength;
    const double divisor = static_cast<double>(enlarging ? shorter : longer);
    std::vector<Weight> table(static_cast<std::size_t>(std::max<std::int64_t>(longer, 0)));
    std::int64_t remainder = 0;
    for (Weight& w : table) {
        const std::int64_t c = shorter + remainder;
        if (c > longer) {
            w.w0 = static_cast<double>(longer - remainder) / divisor;
            w.w1 = static_cast<double>(c - longer) / divisor;
            remainder = c - longer;
        } else {
            w.w0 = enlarging ? 1.0 : static_cast<double>(shorter) / static_cast<double>(longer);
            if (c == longer) {
                w.w1 = -1;
                remainder = 0;
            } else {
                w.w1 = 0;
                remainder = c;
            }
        }
    }
    return table;
}

QImage PictureResampler::Resize(const QImage& source, int width, int height) {
    if (source.isNull() || width <= 0 || height <= 0)
        return QImage();
    if (!ImageLimits::Allows(width, height))
        return QImage();
    const QImage rgb = source.format() == QImage::Format_RGB888
                           ? source
                           : source.convertToFormat(QImage::Format_RGB888);
    const bool wider = width > rgb.width();
    const bool taller = height > rgb.height();
    // A picture that grows one way and shrinks the other (a logo stored in a rectangle wider
    // but lower than itself) is reduced along the one side first and enlarged along the other
    // after, each step as its own resampling: the smaller of the two ways through.
    if (wider && height < rgb.height()) {
        const QImage lower = Reduce(rgb, rgb.width(), height);
        return lower.isNull() ? lower : Enlarge(lower, width, height);
    }
    if (taller && width < rgb.width()) {
        const QImage narrower = Reduce(rgb, width, rgb.height());
        return narrower.isNull() ? narrower : Enlarge(narrower, width, height);
    }
    if (wider || taller)
        return Enlarge(rgb, width, height);
    return Reduce(rgb, width, height);
}

QImage PictureResampler::Reduce(const QImage& source, int width, int height) {
    const int oldW = source.width();
    const int oldH = source.height();
    const std::vector<Weight> tx = BuildTable(oldW, width, false);
    const std::vector<Weight> ty = BuildTable(oldH, height, false);
    QImage out(width, height, QImage::Format_RGB888);
    if (out.isNull())
        return out;
    out.fill(Qt::black);

    // Accumulators of the current and the next destination row, one slot spare at the end.
    const std::size_t slotCount = (static_cast<std::size_t>(width) + 2) * 3;
    std::vector<double> current(slotCount, 0.0), next(slotCount, 0.0);
    std::vector<int> column(static_cast<std::size_t>(oldW));
    {
        int dx = 0;
        for (int sx = 0; sx < oldW; ++sx) {
            column[static_cast<std::size_t>(sx)] = dx;
            if (Advances(tx[static_cast<std::size_t>(sx)]) && dx < width)
                ++dx;
        }
    }
    // The products of the weights for one source row: a to the current pixel, b to the next
    // column, c to the next row, d to both. Most rows share their vertical weights, so the
    // products are worked out again only when those change.
    const std::size_t n = static_cast<std::size_t>(oldW);
    std::vector<double> a(n), b(n), c(n), d(n);
    std::vector<char> spills(n);
    for (std::size_t sx = 0; sx < n; ++sx)
        spills[sx] = Spills(tx[sx]) ? 1 : 0;
    Weight madeFor{-2, -2};
    int dy = 0;
    for (int sy = 0; sy < oldH; ++sy) {
        const Weight wy = ty[static_cast<std::size_t>(sy)];
        const bool nextRow = Spills(wy);
        if (wy.w0 != madeFor.w0 || wy.w1 != madeFor.w1) {
            for (std::size_t sx = 0; sx < n; ++sx) {
                a[sx] = tx[sx].w0 * wy.w0;
                b[sx] = tx[sx].w1 * wy.w0;
                c[sx] = tx[sx].w0 * wy.w1;
                d[sx] = tx[sx].w1 * wy.w1;
            }
            madeFor = wy;
        }
        const std::uint8_t* src = source.constScanLine(sy);
        double* const acc = current.data();
        double* const accNext = next.data();
        // Every sum takes its terms in the order of the source pixels, row by row, so that the
        // truncated results do not depend on how the loops are arranged.
        if (!nextRow) {
            // Runs of source pixels that fall into the same destination pixel are summed in
            // registers, in the same order as one by one.
            std::size_t sx = 0;
            while (sx < n) {
                const int col = column[sx];
                double* cur = acc + static_cast<std::size_t>(col) * 3;
                double s0 = cur[0], s1 = cur[1], s2 = cur[2];
                for (; sx < n && column[sx] == col; ++sx, src += 3) {
                    const double p0 = src[0], p1 = src[1], p2 = src[2];
                    const double w = a[sx];
                    s0 += p0 * w;
                    s1 += p1 * w;
                    s2 += p2 * w;
                    if (spills[sx]) {
                        const double v = b[sx];
                        cur[3] += p0 * v;
                        cur[4] += p1 * v;
                        cur[5] += p2 * v;
                    }
                }
                cur[0] = s0;
                cur[1] = s1;
                cur[2] = s2;
            }
        } else {
            for (std::size_t sx = 0; sx < n; ++sx, src += 3) {
                const std::size_t at = static_cast<std::size_t>(column[sx]) * 3;
                double* cur = acc + at;
                double* nxt = accNext + at;
                const double p0 = src[0], p1 = src[1], p2 = src[2];
                cur[0] += p0 * a[sx];
                cur[1] += p1 * a[sx];
                cur[2] += p2 * a[sx];
                if (spills[sx]) {
                    cur[3] += p0 * b[sx];
                    cur[4] += p1 * b[sx];
                    cur[5] += p2 * b[sx];
                }
                nxt[0] += p0 * c[sx];
                nxt[1] += p1 * c[sx];
                nxt[2] += p2 * c[sx];
                if (spills[sx]) {
                    nxt[3] += p0 * d[sx];
                    nxt[4] += p1 * d[sx];
                    nxt[5] += p2 * d[sx];
                }
            }
        }
        if (Advances(wy)) {
            if (dy < height) {
                std::uint8_t* dst = out.scanLine(dy);
                for (std::size_t k = 0; k < static_cast<std::size_t>(width) * 3; ++k)
                    dst[k] = Truncated(current[k]);
                ++dy;
            }
            current.swap(next);
            std::fill(next.begin(), next.end(), 0.0);
        }
    }
    return out;
}

QImage PictureResampler::Enlarge(const QImage& source, int width, int height) {
    const int oldW = source.width();
    const int oldH = source.height();
    const std::vector<Weight> tx = BuildTable(oldW, width, true);
    const std::vector<Weight> ty = BuildTable(oldH, height, true);
    QImage out(width, height, QImage::Format_RGB888);
    if (out.isNull())
        return out;

    // The source column of every destination column.
    std::vector<int> column(static_cast<std::size_t>(width));
    {
        int sx = 0;
        for (int dx = 0; dx < width; ++dx) {
            column[static_cast<std::size_t>(dx)] = sx;
            if (Advances(tx[static_cast<std::size_t>(dx)]) && sx < oldW - 1)
                ++sx;
        }
    }
    // The products of the weights for one destination row, worked out again only when the
    // vertical weights change.
    const std::size_t n = static_cast<std::size_t>(width);
    std::vector<double> a(n), b(n), c(n), d(n);
    std::vector<char> spills(n);
    for (std::size_t dx = 0; dx < n; ++dx)
        spills[dx] = Spills(tx[dx]) ? 1 : 0;
    Weight madeFor{-2, -2};
    int sy = 0;
    for (int dy = 0; dy < height; ++dy) {
        const Weight wy = ty[static_cast<std::size_t>(dy)];
        const bool nextRow = Spills(wy);
        if (wy.w0 != madeFor.w0 || wy.w1 != madeFor.w1) {
            for (std::size_t dx = 0; dx < n; ++dx) {
                a[dx] = tx[dx].w0 * wy.w0;
                b[dx] = tx[dx].w1 * wy.w0;
                c[dx] = tx[dx].w0 * wy.w1;
                d[dx] = tx[dx].w1 * wy.w1;
            }
            madeFor = wy;
        }
        const std::uint8_t* row0 = source.constScanLine(sy);
        const std::uint8_t* row1 = source.constScanLine(std::min(sy + 1, oldH - 1));
        std::uint8_t* dst = out.scanLine(dy);
        if (!nextRow) {
            for (std::size_t dx = 0; dx < n; ++dx, dst += 3) {
                const std::uint8_t* p = row0 + static_cast<std::size_t>(column[dx]) * 3;
                if (!spills[dx]) {
                    dst[0] = Truncated(a[dx] * p[0]);
                    dst[1] = Truncated(a[dx] * p[1]);
                    dst[2] = Truncated(a[dx] * p[2]);
                    continue;
                }
                const std::uint8_t* q =
                    row0 + static_cast<std::size_t>(std::min(column[dx] + 1, oldW - 1)) * 3;
                for (std::size_t ch = 0; ch < 3; ++ch) {
                    double v = a[dx] * p[ch];
                    v += b[dx] * q[ch];
                    dst[ch] = Truncated(v);
                }
            }
        } else {
            for (std::size_t dx = 0; dx < n; ++dx, dst += 3) {
                const std::size_t sx = static_cast<std::size_t>(column[dx]) * 3;
                const std::size_t sx1 =
                    static_cast<std::size_t>(std::min(column[dx] + 1, oldW - 1)) * 3;
                for (std::size_t ch = 0; ch < 3; ++ch) {
                    double v = a[dx] * row0[sx + ch];
                    if (spills[dx])
                        v += b[dx] * row0[sx1 + ch];
                    v += c[dx] * row1[sx + ch];
                    if (spills[dx])
                        v += d[dx] * row1[sx1 + ch];
                    dst[ch] = Truncated(v);
                }
            }
        }
        if (Advances(wy) && sy < oldH - 1)
            ++sy;
    }
    return out;
}
