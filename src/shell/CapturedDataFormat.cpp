#include "shell/CapturedDataFormat.h"

#include "capture_model/CaptureFile.h"
#include "capture_model/CaptureFileError.h"
#include "platform/Archive.h"
#include "platform/ArchiveException.h"
#include "platform/FileError.h"
#include "platform/InputFile.h"

#include <QDir>
#include <QFileInfo>

QString CapturedDataFormat::RecordedName(const QString& capPath) {
    QString name;
    try {
        InputFile file(capPath, CaptureFile::kMaxFileBytes);
        Archive ar(file.Device(), Archive::Mode::Load);
        name = ar.ReadString();
    } catch (const FileError& e) {
        throw CaptureFileError(CaptureFileError::Cause::CannotOpen, e.Message());
    } catch (const ArchiveException& e) {
        throw CaptureFileError(CaptureFileError::Cause::Damaged, e.Describe(capPath));
    }
    // A saved file records the part of the format's path after its last separator; anything
    // else would look outside the folders searched.
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        CaptureFile::FormatNameOf(name) != name || name.contains(QChar(0)))
        throw CaptureFileError(CaptureFileError::Cause::Damaged,
                               QStringLiteral("%1: el archivo no indica de qué formato son los "
                                              "datos capturados.")
                                   .arg(QDir::toNativeSeparators(capPath)));
    return name;
}

QString CapturedDataFormat::Locate(const QString& capPath, const QString& formatName,
                                   const QStringList& folders) {
    QStringList places{QFileInfo(capPath).absolutePath()};
    places += folders;
    for (const QString& folder : std::as_const(places)) {
        if (folder.isEmpty())
            continue;
        const QFileInfo candidate(QDir(folder), formatName);
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return QString();
}

QString CapturedDataFormat::FormatFor(const QString& capPath, const QStringList& folders) {
    const QString name = RecordedName(capPath);
    const QString format = Locate(capPath, name, folders);
    if (format.isEmpty())
        throw CaptureFileError(
            CaptureFileError::Cause::CannotOpen,
            QStringLiteral("Los datos capturados %1 son del formato %2, que no se encontró "
                           "junto a ellos (en %3) ni en las carpetas de los formatos recientes. "
                           "Copie el formato junto a los datos y vuelva a abrirlos.")
                .arg(QDir::toNativeSeparators(capPath), name,
                     QDir::toNativeSeparators(QFileInfo(capPath).absolutePath())));
    return format;
}
