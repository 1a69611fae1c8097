#include "model/ReferenceBackdrop.h"

#include "imaging/ImageLimits.h"
#include "model/PlenovaSettings.h"
#include "platform/InputFile.h"
#include "platform/PlenovaError.h"
#include "platform/PrivateTempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonObject>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace {

// A tenth of a millimetre per unit: 254 units to the inch.
constexpr double kUnitsPerInch = 254.0;
constexpr double kInchesPerMetre = 1.0 / 0.0254;
// Until the user sizes a picture that says nothing of its resolution.
constexpr double kFallbackDpi = 100.0;
// A placement beyond a few metres is not a sheet of paper.
constexpr double kMaxPlacementUnits = 100'000.0;
// The resolution of a picture is stated in its first bytes.
constexpr qint64 kHeaderBytes = 64 * 1024;

quint32 BigEndian32(const QByteArray& b, qsizetype at) {
    return (quint32(quint8(b[at])) << 24) | (quint32(quint8(b[at + 1])) << 16) |
           (quint32(quint8(b[at + 2])) << 8) | quint32(quint8(b[at + 3]));
}

quint32 BigEndian16(const QByteArray& b, qsizetype at) {
    return (quint32(quint8(b[at])) << 8) | quint32(quint8(b[at + 1]));
}

qint32 LittleEndian32(const QByteArray& b, qsizetype at) {
    return static_cast<qint32>(quint32(quint8(b[at])) | (quint32(quint8(b[at + 1])) << 8) |
                               (quint32(quint8(b[at + 2])) << 16) |
                               (quint32(quint8(b[at + 3])) << 24));
}

// The horizontal resolution a PNG, JPEG or BMP file states in its header, in dots per inch; 0
// when it states none (or only an aspect ratio). A scanner writes it; a camera or a screen
// capture usually does not.
double DeclaredDpi(const QByteArray& head) {
    if (head.startsWith("\x89PNG\r\n\x1a\n")) {
        qsizetype at = 8;
        while (at + 8 <= head.size()) {
            const quint32 length = BigEndian32(head, at);
            const QByteArray type = head.mid(at + 4, 4);
            if (type == "IDAT" || type == "IEND")
                break;
            if (type == "pHYs" && length >= 9 && at + 8 + 9 <= head.size()) {
                const quint32 perUnit = BigEndian32(head, at + 8);
                const bool metres = quint8(head[at + 16]) == 1;
                return metres ? perUnit / kInchesPerMetre : 0.0;
            }
            if (length > quint32(head.size()))
                break;
            at += 12 + qsizetype(length);
        }
        return 0.0;
    }
    if (head.startsWith("\xff\xd8")) {
        qsizetype at = 2;
        while (at + 4 <= head.size() && quint8(head[at]) == 0xff) {
            const int marker = quint8(head[at + 1]);
            if (marker == 0xda || marker == 0xd9) // the picture's data begins
                break;
            const quint32 length = BigEndian16(head, at + 2);
            if (marker == 0xe0 && length >= 14 && at + 2 + 14 <= head.size() &&
                head.mid(at + 4, 5) == QByteArray("JFIF\0", 5)) {
                const int units = quint8(head[at + 11]);
                const quint32 density = BigEndian16(head, at + 12);
                if (units == 1)
                    return density;
                if (units == 2)
                    return density * 2.54;
                return 0.0;
            }
            at += 2 + qsizetype(length);
        }
        return 0.0;
    }
    if (head.startsWith("BM") && head.size() >= 46 && LittleEndian32(head, 14) >= 40) {
        const qint32 perMetre = LittleEndian32(head, 38);
        return perMetre > 0 ? perMetre / kInchesPerMetre : 0.0;
    }
    return 0.0;
}

QString NativeName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Whether a PNG file runs, chunk by chunk, to its closing IEND chunk. The PNG library the
// picture reader uses tells a cut-off file on the standard error stream, in English, before the
// reader reports it: a file that stops short is refused first, in words the user reads.
bool PngIsWhole(QFile& device) {
    const qint64 size = device.size();
    const qint64 start = device.pos();
    qint64 at = 8;
    bool whole = false;
    while (at + 8 <= size) {
        if (!device.seek(at))
            break;
        const QByteArray head = device.read(8);
        if (head.size() != 8)
            break;
        const qint64 length = BigEndian32(head, 0);
        if (head.mid(4, 4) == "IEND") {
            whole = at + 12 <= size;
            break;
        }
        at += 12 + length;
    }
    device.seek(start);
    return whole;
}

// Qt refuses to decode a picture of more than its allocation limit (128 MB) even when it is to
// be scaled down at once: a sheet scanned at 600 dpi decodes to more. The limit is raised for one
// read to what the picture needs, which the pixel limit checked before it bounds.
class AllocationAllowance {
public:
    explicit AllocationAllowance(QSize size) : m_was(QImageReader::allocationLimit()) {
        const qint64 megabytes = qint64(size.width()) * size.height() * 4 / (1024 * 1024) + 1;
        if (m_was > 0 && megabytes > m_was)
            QImageReader::setAllocationLimit(int(megabytes));
    }
    ~AllocationAllowance() { QImageReader::setAllocationLimit(m_was); }
    AllocationAllowance(const AllocationAllowance&) = delete;
    AllocationAllowance& operator=(const AllocationAllowance&) = delete;

private:
    int m_was;
};

// Reads a PNG, JPEG or BMP picture, scaled down to kMaxHeldPixels when larger. shownPath names
// it in messages.
QImage ReadPicture(const QString& path, const QString& shownPath, double& declaredDpi) {
    InputFile input(path, ReferenceBackdrop::kMaxFileBytes);
    QFile& device = input.Device();
    declaredDpi = DeclaredDpi(device.peek(kHeaderBytes));
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg" && format != "bmp")
        throw PlenovaError(
            QStringLiteral("%1 no es una imagen PNG, JPEG o BMP ni un PDF.").arg(shownPath));
    if (format == "png" && !PngIsWhole(device))
        throw PlenovaError(
            QStringLiteral("La imagen %1 está dañada o incompleta y no se puede leer.")
                .arg(shownPath));
    const QSize size = reader.size();
    if (!size.isValid())
        throw PlenovaError(
            QStringLiteral("La imagen %1 está dañada o incompleta y no se puede leer.")
                .arg(shownPath));
    if (!ImageLimits::Allows(size.width(), size.height()))
        throw PlenovaError(QStringLiteral("%1: %2").arg(
            shownPath, ImageLimits::TooLargeMessage(size.width(), size.height())));
    const double pixels = double(size.width()) * size.height();
    if (pixels > ReferenceBackdrop::kMaxHeldPixels) {
        const double factor = std::sqrt(ReferenceBackdrop::kMaxHeldPixels / pixels);
        reader.setScaledSize(QSize(std::max(1, int(size.width() * factor)),
                                   std::max(1, int(size.height() * factor))));
    }
    QImage picture;
    {
        const AllocationAllowance allowance(size);
        picture = reader.read();
    }
    if (picture.isNull())
        throw PlenovaError(
            QStringLiteral("La imagen %1 está dañada o incompleta y no se puede leer.")
                .arg(shownPath));
    // Scaled down, each pixel held stands for more of the sheet: the true size is kept by the
    // placement, which is worked out from the file's own pixel count.
    if (picture.width() != size.width() && declaredDpi > 0)
        declaredDpi *= double(picture.width()) / size.width();
    return picture.convertToFormat(QImage::Format_RGB32);
}

bool Finite(double value, double limit) {
    return std::isfinite(value) && std::abs(value) <= limit;
}

} // namespace

void ReferenceBackdrop::Load(const QString& picturePath, int page, const PdfPageRenderer& pdf) {
    const QString shown = NativeName(picturePath);
    double dpi = 0;
    QImage picture;
    if (QFileInfo(picturePath).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0) {
        if (!pdf)
            throw PlenovaError(QStringLiteral("El PDF %1 no se puede leer aquí; use una imagen "
                                              "PNG, JPEG o BMP.")
                                   .arg(shown));
        // Only a regular file of a sane size goes to the converter.
        { InputFile check(picturePath, kMaxFileBytes); }
        // In the run's own folder, so that a page left by a killed run goes at the next start.
        QTemporaryDir folder(
            QDir(PrivateTempFolder::Path()).filePath(QStringLiteral("pdf-XXXXXX")));
        if (PrivateTempFolder::Path().isEmpty() || !folder.isValid())
            throw PlenovaError(
                QStringLiteral("No se puede crear una carpeta temporal para convertir el PDF %1.")
                    .arg(shown));
        const QString png = pdf(picturePath, page, folder.path(), kMaxHeldPixels, dpi);
        double stated = 0;
        picture = ReadPicture(png, shown, stated);
        // The page was rendered at dpi; a page scaled down further keeps its true size.
        dpi = stated > 0 ? stated : dpi;
    } else {
        page = 1;
        picture = ReadPicture(picturePath, shown, dpi);
    }
    Take(std::move(picture), picturePath, page, dpi);
    const double effective = dpi > 0 ? dpi : kFallbackDpi;
    m_place = QRectF(0, 0, m_picture.width() * kUnitsPerInch / effective,
                     m_picture.height() * kUnitsPerInch / effective);
}

void ReferenceBackdrop::Take(QImage picture, const QString& path, int page, double declaredDpi) {
    m_picture = std::move(picture);
    m_path = path;
    m_page = page;
    m_declaredDpi = declaredDpi;
}

void ReferenceBackdrop::Clear() {
    m_picture = QImage();
    m_path.clear();
    m_page = 1;
    m_declaredDpi = 0;
    m_place = QRectF();
    m_opacity = kDefaultOpacity;
    m_shown = true;
}

void ReferenceBackdrop::SetPlacement(const QRectF& place) {
    m_place = place;
}

void ReferenceBackdrop::SizeAtDpi(double dpi) {
    if (!(dpi > 0) || !IsSet())
        return;
    m_place.setWidth(m_picture.width() * kUnitsPerInch / dpi);
    m_place.setHeight(m_picture.height() * kUnitsPerInch / dpi);
}

bool ReferenceBackdrop::SizeAtDeclaredResolution() {
    if (!(m_declaredDpi > 0) || !IsSet())
        return false;
    SizeAtDpi(m_declaredDpi);
    return true;
}

bool ReferenceBackdrop::CalibrateTwoPoints(QPointF pageA, QPointF pageB, double trueDistance,
                                           QPointF targetA) {
    const QPointF shown = pageB - pageA;
    const double shownDistance = std::hypot(shown.x(), shown.y());
    if (!IsSet() || !(shownDistance > 0) || !(trueDistance > 0))
        return false;
    const double factor = trueDistance / shownDistance;
    // The first mark keeps its place on the picture: the corner moves with the scale about it
    // and then follows the mark to where it belongs.
    const QPointF corner = targetA + (m_place.topLeft() - pageA) * factor;
    m_place = QRectF(corner.x(), corner.y(), m_place.width() * factor, m_place.height() * factor);
    return true;
}

void ReferenceBackdrop::SetOpacity(int percent) {
    m_opacity = std::clamp(percent, kMinOpacity, kMaxOpacity);
}

void ReferenceBackdrop::Draw(QPainter& painter) const {
    if (!IsSet() || !m_shown || m_place.isEmpty())
        return;
    painter.save();
    painter.setOpacity(m_opacity / 100.0);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The picture's rows run downward while page y runs upward.
    painter.translate(m_place.left(), m_place.top());
    painter.scale(m_place.width() / m_picture.width(), -m_place.height() / m_picture.height());
    painter.drawImage(QPointF(0, 0), m_picture);
    painter.restore();
}

QJsonObject ReferenceBackdrop::Record(const QString& formatPath) const {
    if (!IsSet())
        return QJsonObject();
    QJsonObject json;
    json.insert(QStringLiteral("picture"), PlenovaSettings::PictureNameFor(m_path, formatPath));
    json.insert(QStringLiteral("page"), m_page);
    json.insert(QStringLiteral("left"), m_place.left());
    json.insert(QStringLiteral("top"), m_place.top());
    json.insert(QStringLiteral("width"), m_place.width());
    json.insert(QStringLiteral("height"), m_place.height());
    json.insert(QStringLiteral("opacity"), m_opacity);
    json.insert(QStringLiteral("shown"), m_shown);
    return json;
}

void ReferenceBackdrop::SaveFor(const QString& formatPath) const {
    PlenovaSettings settings = PlenovaSettings::LoadFor(formatPath).settings;
    settings.SetBackdropRecord(Record(formatPath));
    settings.SaveFor(formatPath);
}

QString ReferenceBackdrop::LoadFor(const QString& formatPath, const PdfPageRenderer& pdf) {
    const PlenovaSettings::Loaded loaded = PlenovaSettings::LoadFor(formatPath);
    const QString problem = Restore(loaded.settings.BackdropRecord(), formatPath, pdf);
    if (loaded.warning.isEmpty() || problem.isEmpty())
        return loaded.warning + problem;
    return loaded.warning + QLatin1Char(' ') + problem;
}

QString ReferenceBackdrop::Restore(const QJsonObject& json, const QString& formatPath,
                                   const PdfPageRenderer& pdf) {
    Clear();
    if (json.isEmpty())
        return QString();
    const auto damaged = [](const QString& why) {
        return QStringLiteral("El fondo de referencia guardado junto al formato no se puede usar "
                              "(%1); el formato se abre sin fondo.")
            .arg(why);
    };
    const QString stored = json.value(QStringLiteral("picture")).toString();
    const int page = json.value(QStringLiteral("page")).toInt(1);
    const QRectF place(json.value(QStringLiteral("left")).toDouble(),
                       json.value(QStringLiteral("top")).toDouble(),
                       json.value(QStringLiteral("width")).toDouble(),
                       json.value(QStringLiteral("height")).toDouble());
    if (stored.isEmpty() || page < 1 || !Finite(place.left(), kMaxPlacementUnits) ||
        !Finite(place.top(), kMaxPlacementUnits) || !Finite(place.width(), kMaxPlacementUnits) ||
        !Finite(place.height(), kMaxPlacementUnits) || !(place.width() > 0) ||
        !(place.height() > 0))
        return damaged(QStringLiteral("faltan datos o están fuera de rango"));
    const QString picture = QFileInfo(stored).isAbsolute()
                                ? stored
                                : QFileInfo(formatPath).absoluteDir().filePath(stored);
    if (!QFileInfo::exists(picture))
        return QStringLiteral("No se encuentra la imagen del fondo de referencia, %1; el formato "
                              "se abre sin fondo.")
            .arg(NativeName(picture));
    try {
        Load(picture, page, pdf);
    } catch (const PlenovaError& e) {
        Clear();
        return QStringLiteral("%1 El formato se abre sin fondo.").arg(e.Message());
    }
    m_place = place;
    SetOpacity(json.value(QStringLiteral("opacity")).toInt(kDefaultOpacity));
    m_shown = json.value(QStringLiteral("shown")).toBool(true);
    return QString();
}
