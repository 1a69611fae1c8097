#include "platform/ArchiveException.h"

namespace {

const char* CauseText(ArchiveException::Cause cause) {
    switch (cause) {
    case ArchiveException::Cause::EndOfFile:
        return "fin de archivo inesperado";
    case ArchiveException::Cause::BadFormat:
        return "el archivo no tiene un formato válido";
    case ArchiveException::Cause::ReadFailed:
        return "error al leer el archivo";
    case ArchiveException::Cause::WriteFailed:
        return "error al escribir el archivo";
    }
    return "error de archivo";
}

QString Sentence(ArchiveException::Cause cause, const QString& detail) {
    QString text = QString::fromUtf8(CauseText(cause));
    if (!detail.isEmpty())
        text += QStringLiteral(" (%1)").arg(detail);
    return text;
}

} // namespace

ArchiveException::ArchiveException(Cause cause, const QString& detail)
    : PlenovaError(Sentence(cause, detail)), m_cause(cause), m_detail(detail) {}

QString ArchiveException::Describe(const QString& fileName) const {
    return QStringLiteral("%1: %2").arg(fileName, Message());
}
