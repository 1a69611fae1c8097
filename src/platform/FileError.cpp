#include "platform/FileError.h"

#include <cerrno>

FileError::FileError(const QString& path, const QString& what, const QString& reason)
    : PlenovaError(QStringLiteral("%1: %2 (%3)").arg(path, what, reason)) {}

FileError::FileError(const QString& path, const QString& what, int errorNumber)
    : FileError(path, what, Reason(errorNumber)) {
    m_errorNumber = errorNumber;
}

QString FileError::Reason(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return QStringLiteral("No existe el archivo o el directorio");
    case EACCES:
    case EPERM:
        return QStringLiteral("Permiso denegado");
    case ENOSPC:
        return QStringLiteral("No queda espacio en el dispositivo");
    case EDQUOT:
        return QStringLiteral("Se excedió la cuota de disco");
    case EFBIG:
        return QStringLiteral("El archivo es demasiado grande");
    case EROFS:
        return QStringLiteral("El sistema de archivos es de solo lectura");
    case EISDIR:
        return QStringLiteral("Es un directorio");
    case ENOTDIR:
        return QStringLiteral("Una parte de la ruta no es un directorio");
    case EIO:
        return QStringLiteral("Error de entrada/salida");
    case ENAMETOOLONG:
        return QStringLiteral("El nombre del archivo es demasiado largo");
    case ELOOP:
        return QStringLiteral("Hay demasiados enlaces simbólicos en la ruta");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Hay demasiados archivos abiertos");
    case ENOMEM:
        return QStringLiteral("No hay memoria suficiente");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("El archivo está en uso");
    case EXDEV:
        return QStringLiteral("El archivo está en otro dispositivo");
    case EEXIST:
        return QStringLiteral("El archivo ya existe");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("No existe el dispositivo");
    case EPIPE:
        return QStringLiteral("Nadie lee del otro extremo");
    case EINVAL:
        return QStringLiteral("Argumento no válido");
    default:
        return QStringLiteral("error del sistema %1").arg(errorNumber);
    }
}
