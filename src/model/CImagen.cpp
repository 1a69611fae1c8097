#include "model/CImagen.h"

#include "imaging/ImageLimits.h"
#include "imaging/PictureError.h"
#include "model/ControlType.h"
#include "platform/Archive.h"
#include "platform/ArchiveException.h"

#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

// An extension read from a format becomes part of a file name: anything that could lead out of
// the temporary folder or make an unusable name is replaced, and very long ones are cut.
constexpr qsizetype kMaxExtension = 16;

// What the pictures of one format claim of the archive they are read from.
constexpr QStringView kPicturePixelsClaim = u"picture pixels";

QString SafeExtension(const QString& extension) {
    QString safe = extension.right(kMaxExtension);
    for (QChar& c : safe) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           c == QLatin1Char('.') || c == QLatin1Char('_') || c == QLatin1Char('-');
        if (!plain)
            c = QLatin1Char('_');
    }
    return safe;
}

// Reads the picture shown for the format's own copy of the file; a picture that cannot be
// decoded leaves the control empty and the reader's words in the archive's warnings.
template <typename Load>
void LoadEmbedded(Archive& ar, Load load) {
    try {
        load();
    } catch (const PictureError& e) {
        ar.AddWarning(e.Message());
    }
}

} // namespace

CImagen::CImagen() : CControles(ControlTypeCode::Imagen) {}

CImagen::~CImagen() {
    if (!m_path.isEmpty() && m_ownsFile)
        QFile::remove(m_path);
}

std::unique_ptr<CImagen> CImagen::Create(const QString& file, int x, int y) {
    auto control = std::make_unique<CImagen>();
    control->m_ownsFile = false; // the user's file is never deleted
    control->m_path = file;
    if (!control->m_picture.LoadFile(file))
        return nullptr;
    // Drawn with its first row at the rectangle's lower edge, the picture must be upside down
    // to show upright.
    control->m_picture.Flip(CPictureBitmap::Reverse::Rows);
    const std::int64_t w = control->m_picture.Width();
    const std::int64_t h = control->m_picture.Height();
    control->pageRect =
        PageRect(x, y, static_cast<std::int32_t>(x + w), static_cast<std::int32_t>(y - h));
    control->UpdateHandles();
    return control;
}

bool CImagen::ReadPictureFile(QByteArray& bytes, QString& extension) const {
    if (m_path.isEmpty()) {
        if (m_unwritten.isEmpty())
            return false;
        bytes = m_unwritten;
        extension = m_storedExtension.value_or(QString());
        return true;
    }
    QFile file(m_path);
    if (!QFileInfo(m_path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() > std::numeric_limits<std::int32_t>::max())
        return false;
    bytes = file.readAll();
    if (bytes.size() != file.size())
        return false;
    extension = m_storedExtension ? *m_storedExtension : m_path.right(4);
    return true;
}

QString CImagen::WriteTemporaryCopy(const QByteArray& bytes, const QString& extension) {
    // Another program (or another copy of this one) may take the same name between the choice
    // and the creation; a few tries settle it.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString name =
            CPictureBitmap::MakeTempName(QString(), QStringLiteral("VR"), SafeExtension(extension));
        if (name.isEmpty())
            return QString();
        QFile file(name);
        // A cheque's signature is read by its user only.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            continue;
        if (file.write(bytes) != bytes.size()) {
            file.remove();
            return QString();
        }
        file.close();
        return name;
    }
    return QString();
}

void CImagen::WriteRecord(Archive& ar) const {
    WriteBase(ar);
    QByteArray bytes;
    QString extension;
    if (!ReadPictureFile(bytes, extension)) {
        ar.WriteInt32(0);
        ar.AddWarning(QStringLiteral("- Error al serializar imagen -"));
        return;
    }
    ar.WriteInt32(static_cast<std::int32_t>(bytes.size()));
    ar.WriteString(extension);
    ar.WriteRaw(bytes);
}

void CImagen::ReadRecord(Archive& ar) {
    ReadBase(ar);
    const std::int32_t length = ar.ReadInt32();
    if (length < 0)
        throw ArchiveException(ArchiveException::Cause::BadFormat,
                               QStringLiteral("longitud de imagen negativa"));
    if (length > 0) {
        const QString extension = ar.ReadString();
        const QByteArray bytes = ar.ReadRaw(length);
        if (!m_path.isEmpty() && m_ownsFile)
            QFile::remove(m_path);
        m_storedExtension = extension;
        m_path = WriteTemporaryCopy(bytes, extension);
        m_ownsFile = true;
        m_unwritten = m_path.isEmpty() ? bytes : QByteArray();
        m_picture = CPictureBitmap();
        pageRect = pageRect.Normalized();
        const QSize size = FittedSize();
        // Counted before the picture is decoded, so that a format past the bound costs no more
        // than its own bytes.
        if (!ar.Claim(kPicturePixelsClaim, std::int64_t{size.width()} * size.height(),
                      kMostPixelsPerFormat)) {
            ar.AddWarning(QStringLiteral("La imagen de %1 x %2 píxeles no se muestra: las "
                                         "imágenes del formato pasarían de %3 píxeles.")
                              .arg(size.width())
                              .arg(size.height())
                              .arg(kMostPixelsPerFormat));
        } else {
            if (m_path.isEmpty()) {
                LoadEmbedded(ar, [&] {
                    m_picture.LoadBytes(
                        ByteView{reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                 static_cast<std::size_t>(bytes.size())},
                        extension.right(3).toLower());
                });
            } else {
                LoadEmbedded(ar, [&] { m_picture.LoadFile(m_path); });
            }
            m_picture.Flip(CPictureBitmap::Reverse::Rows);
            const QString problem = FitPicture();
            if (!problem.isEmpty())
                ar.AddWarning(problem);
        }
    }
    UpdateHandles();
}

QSize CImagen::FittedSize() const {
    const std::int64_t w = std::llabs(std::int64_t{pageRect.right} - pageRect.left);
    const std::int64_t h = std::llabs(std::int64_t{pageRect.bottom} - pageRect.top);
    return QSize(static_cast<int>(w & 0xFFFF), static_cast<int>(h & 0xFFFF));
}

QString CImagen::FitPicture() {
    pageRect = pageRect.Normalized();
    const QSize size = FittedSize();
    const QSize before = m_picture.Bitmap().size();
    try {
        m_picture.Resize(size.width(), size.height());
    } catch (const std::bad_alloc&) {
        m_picture = CPictureBitmap();
    }
    if (before.isEmpty() || !m_picture.Bitmap().isNull() || size.isEmpty())
        return QString();
    if (!ImageLimits::Allows(size.width(), size.height()))
        return ImageLimits::TooLargeMessage(size.width(), size.height());
    return QStringLiteral("No hay memoria suficiente para mostrar la imagen de %1 x %2 píxeles.")
        .arg(size.width())
        .arg(size.height());
}

void CImagen::UpdateHandles() {
    SetHandles(DesignRect(), true, true);
}

void CImagen::ResizeByHandle(Handle handle, int dx, int dy) {
    // A side may shrink to 5 units and no further.
    ResizeRect(pageRect, handle, dx, dy, kMinimumImageSide - 1);
    UpdateHandles();
}

void CImagen::Draw(DrawingSurface& dc) const {
    const Pen previous = dc.SelectPen(Pen{PenStyle::Solid, 1, kSelectionRed});
    const Rect r = DesignRect();
    m_picture.DrawAt(dc, r.left, r.top);
    if (selected) {
        DrawHandles(dc);
        dc.MoveTo(r.left, r.top);
        dc.LineTo(r.right, r.top);
        dc.LineTo(r.right, r.bottom);
        dc.LineTo(r.left, r.bottom);
        dc.LineTo(r.left, r.top);
    }
    dc.SelectPen(previous);
}

void CImagen::Print(DrawingSurface& dc) const {
    if (!m_picture.IsLoaded())
        return;
    const Rect r = pageRect.Normalized();
    m_picture.PrintAt(dc, r.left, r.top);
}

void CImagen::DescribeOwnFields(ControlFields& fields) const {
    QByteArray bytes;
    QString extension;
    if (ReadPictureFile(bytes, extension)) {
        fields.emplace_back(QStringLiteral("imageLength"), static_cast<int>(bytes.size()));
        fields.emplace_back(QStringLiteral("imageExtension"), extension);
    } else {
        fields.emplace_back(QStringLiteral("imageLength"), 0);
        fields.emplace_back(QStringLiteral("imageExtension"), QString());
    }
}
