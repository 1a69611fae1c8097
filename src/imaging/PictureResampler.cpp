#include "PictureResampler.h"

#include "ImageLimits.h"

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

bool PictureResampler::IsRefused(int oldWidth, int oldHeight, int width, int height) {
    return (width < oldWidth && height > oldHeight) || (width > oldWidth && height < oldHeight);
}

QImage PictureResampler::Resize(const QImage& source, int width, int height) {
    if (source.isNull() || width <= 0 || height <= 0)
        return QImage();
    if (IsRefused(source.width(), source.height(), width, height))
        return QImage();
    if (!ImageLimits::Allows(width, height))
        return QImage();
    const QImage rgb = source.format() == QImage::Format_RGB888
                           ? source
                           : source.convertToFormat(QImage::Format_RGB888);
    if (width > rgb.width() || height > rgb.height())
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
    std::vector<double> a(static_cast<std::size_t>(oldW)), b(a.size()), c(a.size()), d(a.size());
    int dy = 0;
    for (int sy = 0; sy < oldH; ++sy) {
        const Weight wy = ty[static_cast<std::size_t>(sy)];
        const bool nextRow = Spills(wy);
        for (std::size_t sx = 0; sx < a.size(); ++sx) {
            a[sx] = tx[sx].w0 * wy.w0;
            b[sx] = tx[sx].w1 * wy.w0;
            c[sx] = tx[sx].w0 * wy.w1;
            d[sx] = tx[sx].w1 * wy.w1;
        }
        const std::uint8_t* src = source.constScanLine(sy);
        for (int sx = 0; sx < oldW; ++sx, src += 3) {
            const std::size_t i = static_cast<std::size_t>(sx);
            double* cur = &current[static_cast<std::size_t>(column[i]) * 3];
            const double p0 = src[0], p1 = src[1], p2 = src[2];
            cur[0] += p0 * a[i];
            cur[1] += p1 * a[i];
            cur[2] += p2 * a[i];
            const bool nextColumn = Spills(tx[i]);
            if (nextColumn) {
                cur[3] += p0 * b[i];
                cur[4] += p1 * b[i];
                cur[5] += p2 * b[i];
            }
            if (nextRow) {
                double* nxt = &next[static_cast<std::size_t>(column[i]) * 3];
                nxt[0] += p0 * c[i];
                nxt[1] += p1 * c[i];
                nxt[2] += p2 * c[i];
                if (nextColumn) {
                    nxt[3] += p0 * d[i];
                    nxt[4] += p1 * d[i];
                    nxt[5] += p2 * d[i];
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
    int sy = 0;
    for (int dy = 0; dy < height; ++dy) {
        const Weight wy = ty[static_cast<std::size_t>(dy)];
        const bool nextRow = Spills(wy);
        const std::uint8_t* row0 = source.constScanLine(sy);
        const std::uint8_t* row1 = source.constScanLine(std::min(sy + 1, oldH - 1));
        std::uint8_t* dst = out.scanLine(dy);
        for (int dx = 0; dx < width; ++dx, dst += 3) {
            const Weight wx = tx[static_cast<std::size_t>(dx)];
            const int sx = column[static_cast<std::size_t>(dx)];
            const int sx1 = std::min(sx + 1, oldW - 1);
            const bool nextColumn = Spills(wx);
            const double a = wx.w0 * wy.w0;
            for (int ch = 0; ch < 3; ++ch) {
                double v = a * row0[sx * 3 + ch];
                if (nextColumn)
                    v += wx.w1 * wy.w0 * row0[sx1 * 3 + ch];
                if (nextRow)
                    v += wx.w0 * wy.w1 * row1[sx * 3 + ch];
                if (nextColumn && nextRow)
                    v += wx.w1 * wy.w1 * row1[sx1 * 3 + ch];
                dst[ch] = Truncated(v);
            }
        }
        if (Advances(wy) && sy < oldH - 1)
            ++sy;
    }
    return out;
}
