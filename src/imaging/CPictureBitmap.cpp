#include "imaging/CPictureBitmap.h"

#include "imaging/BmpFile.h"
#include "imaging/GifDecoder.h"
#include "imaging/JpegFile.h"
#include "imaging/MappedFile.h"
#include "imaging/PictureError.h"
#include "imaging/PictureResampler.h"
#include "imaging/PictureResources.h"
#include "platform/DrawingSurface.h"
#include "platform/PrivateTempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QScopeGuard>

#include <algorithm>

namespace {

Rect ToRect(const QRect& r) {
    return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

} // namespace

bool CPictureBitmap::LoadFile(DrawingSurface&, const QString& path) {
    return LoadFile(path);
}

bool CPictureBitmap::LoadFile(const QString& path) {
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    Drop();
    const QString ending = path.right(3).toLower();
    if (ending != QLatin1String("jpg") && ending != QLatin1String("bmp") &&
        ending != QLatin1String("gif"))
        return false;
    const MappedFile file(path);
    if (!file.IsOpen()) {
        if (ending == QLatin1String("jpg"))
            return Take(
                DecodedPicture::Failure(QStringLiteral("JPEG :\nCan't open %1\n").arg(path)));
        if (ending == QLatin1String("bmp"))
            return Take(
                DecodedPicture::Failure(QStringLiteral("Can't open file for reading :\n") + path));
        return false;
    }
    return LoadBytes(file.Bytes(), ending);
}

bool CPictureBitmap::LoadBytes(ByteView bytes, const QString& ending) {
    Drop();
    if (ending == QLatin1String("jpg"))
        return Take(JpegFile::Decode(bytes));
    if (ending == QLatin1String("bmp"))
        return Take(BmpFile::Decode(bytes));
    if (ending == QLatin1String("gif"))
        return Take(GifDecoder::Decode(bytes));
    return false;
}

bool CPictureBitmap::LoadBitmapResource(int id) {
    const ByteView bytes = PictureResources::Find("BMP", id);
    if (!bytes.data)
        return false;
    return LoadBytes(bytes, QStringLiteral("bmp"));
}

bool CPictureBitmap::LoadJpegResource(int id) {
    const ByteView bytes = PictureResources::Find("JPG", id);
    if (!bytes.data)
        return false;
    const QString name = MakeTempName(QString(), QStringLiteral("VR"), QStringLiteral(".jpg"));
    if (name.isEmpty())
        return false;
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    const bool written =
        file.write(reinterpret_cast<const char*>(bytes.data), static_cast<qint64>(bytes.size)) ==
        static_cast<qint64>(bytes.size);
    file.close();
    const auto removeCopy = qScopeGuard([&name] { QFile::remove(name); });
    return written && LoadFile(name);
}

QString CPictureBitmap::MakeTempName(const QString& folder, const QString& prefix,
                                     const QString& extension) {
    // Each image read from a format takes a name of this form: the search goes on from the
    // number after the last one given for the same folder, prefix and extension, and wraps
    // round to 1, so that a format with thousands of pictures does not look at every name
    // taken before each new one, and names freed since are found again once the top is reached.
    static QMutex mutex;
    static QHash<QString, int> nextNumber;
    constexpr int kLast = 9999;
    const QDir dir(folder.isEmpty() ? PrivateTempFolder::Path() : folder);
    const QString key = dir.absolutePath() + QChar(0) + prefix + QChar(0) + extension;
    const QMutexLocker lock(&mutex);
    const int start = nextNumber.value(key, 1);
    for (int i = 0; i < kLast; ++i) {
        const int n = (start - 1 + i) % kLast + 1;
        const QString name = prefix + QString::number(n) + extension;
        if (!QFileInfo::exists(dir.filePath(name))) {
            nextNumber.insert(key, n % kLast + 1);
            return folder.isEmpty() ? dir.filePath(name) : name;
        }
    }
    return QString();
}

bool CPictureBitmap::Take(DecodedPicture picture) {
    if (!picture.Ok()) {
        if (!picture.message.isEmpty())
            throw PictureError(picture.message);
        return false;
    }
    m_bitmap = std::move(picture.bitmap);
    m_width = m_bitmap.width();
    m_height = picture.frameHeight;
    m_loaded = true;
    m_frameCount = picture.frameCount;
    m_currentFrame = 0;
    m_transparentMode = false;
    m_mask = QImage();
    m_transparentColor = picture.transparentColor;
    return true;
}

void CPictureBitmap::Drop() {
    m_bitmap = QImage();
    m_mask = QImage();
    m_width = m_height = 0;
    m_loaded = false;
    m_frameCount = 0;
    m_currentFrame = 0;
    m_transparentMode = false;
    m_transparentColor = 0;
}

void CPictureBitmap::ResetAnimation() {
    m_mask = QImage();
    m_transparentMode = false;
    m_currentFrame = 0;
    m_transparentColor = 0;
    m_frameCount = 1;
}

void CPictureBitmap::Resize(int w, int h) {
    if (m_bitmap.isNull())
        return;
    w &= 0xFFFF;
    h &= 0xFFFF;
    // A refused change leaves no bitmap; the size is taken all the same.
    m_bitmap = PictureResampler::Resize(m_bitmap, w, h);
    m_width = w;
    m_height = h;
    ResetAnimation();
}

void CPictureBitmap::Flip(Reverse what) {
    if (m_bitmap.isNull())
        return;
    m_bitmap = m_bitmap.mirrored(what == Reverse::Columns, what == Reverse::Rows);
    ResetAnimation();
}

void CPictureBitmap::DrawRegion(DrawingSurface& dc, const QImage& image, const QRect& source, int x,
                                int y) {
    const QRect part = source.intersected(image.rect());
    if (part.isEmpty())
        return;
    const int w = part.width();
    const int h = part.height();
    const Rect dest(x, y, x + w, y + h);
    // The first row goes to y and the rest follow the way y grows: where y grows upward on the
    // device (page units) the picture is turned over, as a block transfer would place it.
    const Point a = dc.LPtoDP(Point{x, y});
    const Point b = dc.LPtoDP(Point{x + w, y + h});
    const bool flipRows = b.y < a.y;
    const bool flipColumns = b.x < a.x;
    if (!flipRows && !flipColumns) {
        dc.StretchImage(dest, image, ToRect(part));
        return;
    }
    const QImage turned = image.copy(part).mirrored(flipColumns, flipRows);
    dc.StretchImage(dest, turned, Rect(0, 0, w, h));
}

void CPictureBitmap::DrawAt(DrawingSurface& dc, int x, int y) const {
    if (m_bitmap.isNull())
        return;
    DrawRegion(dc, m_bitmap, QRect(0, 0, m_width, m_height), x, y);
}

void CPictureBitmap::PrintAt(DrawingSurface& dc, int x, int y) const {
    if (m_bitmap.isNull())
        return;
    DrawRegion(dc, m_bitmap, QRect(0, m_bitmap.height() - m_height, m_width, m_height), x, y);
}

void CPictureBitmap::MakeMask() {
    const int w = m_bitmap.width();
    const int h = m_bitmap.height();
    m_mask = QImage(w, h, QImage::Format_Mono);
    if (m_mask.isNull())
        return;
    m_mask.setColor(0, qRgb(0, 0, 0));
    m_mask.setColor(1, qRgb(255, 255, 255));
    m_mask.fill(0);
    ColorRef key = m_transparentColor;
    if (key == 0) {
        const std::uint8_t* p = m_bitmap.constScanLine(0);
        key = MakeColorRef(p[0], p[1], p[2]);
    }
    const std::uint8_t r = static_cast<std::uint8_t>(RedOf(key));
    const std::uint8_t g = static_cast<std::uint8_t>(GreenOf(key));
    const std::uint8_t b = static_cast<std::uint8_t>(BlueOf(key));
    for (int y = 0; y < h; ++y) {
        std::uint8_t* p = m_bitmap.scanLine(y);
        std::uint8_t* bits = m_mask.scanLine(y);
        for (int x = 0; x < w; ++x, p += 3) {
            if (p[0] == r && p[1] == g && p[2] == b) {
                bits[x >> 3] = static_cast<std::uint8_t>(bits[x >> 3] | (0x80 >> (x & 7)));
                p[0] = p[1] = p[2] = 0;
            }
        }
    }
}

void CPictureBitmap::Show(DrawingSurface& dc, int x1, int y1, int x2, int y2, ShowOptions options) {
    if (m_bitmap.isNull())
        return;
    if (options.testFlag(ShowOption::Fit) && m_frameCount == 1 && x2 != x1 && y2 != y1) {
        const double rw = static_cast<double>(m_width) / (x2 - x1);
        const double rh = static_cast<double>(m_height) / (y2 - y1);
        if (rw > 0 && rh > 0) {
            if (rw > rh)
                Resize(x2 - x1, static_cast<int>(m_height / rw));
            else
                Resize(static_cast<int>(m_width / rh), y2 - y1);
            if (m_bitmap.isNull())
                return;
        }
    }
    int x = x1;
    int y = y1;
    if (options.testFlag(ShowOption::Centre)) {
        x = std::max(x1, x1 + (x2 - m_width - x1) / 2);
        y = std::max(y1, y1 + (y2 - m_height - y1) / 2);
    }
    if (options.testFlag(ShowOption::Transparent) && m_mask.isNull()) {
        MakeMask();
        m_transparentMode = !m_mask.isNull();
    }
    if (m_transparentMode) {
        // The current frame with its transparent pixels left out, over what the surface holds.
        const int top = m_currentFrame * m_height;
        const QRect frame = QRect(0, top, m_width, m_height).intersected(m_bitmap.rect());
        QImage work(frame.size(), QImage::Format_ARGB32);
        if (!work.isNull()) {
            for (int row = 0; row < frame.height(); ++row) {
                const std::uint8_t* p = m_bitmap.constScanLine(frame.top() + row);
                const std::uint8_t* bits = m_mask.constScanLine(frame.top() + row);
                auto* out = reinterpret_cast<QRgb*>(work.scanLine(row));
                for (int col = 0; col < frame.width(); ++col, p += 3) {
                    const bool clear = bits[col >> 3] & (0x80 >> (col & 7));
                    out[col] = clear ? 0u : qRgb(p[0], p[1], p[2]);
                }
            }
            DrawRegion(dc, work, work.rect(), x, y);
        }
    } else {
        DrawRegion(dc, m_bitmap, QRect(0, 0, m_width, m_height), x, y);
    }
    if (++m_currentFrame >= m_frameCount)
        m_currentFrame = 0;
}
