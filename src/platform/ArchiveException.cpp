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

} // namespace

ArchiveException::ArchiveException(Cause cause, const QString& detail)
    : std::runtime_error(CauseText(cause)), m_cause(cause), m_detail(detail) {}

QString ArchiveException::Describe(const QString& fileName) const {
    QString text = QStringLiteral("%1: %2").arg(fileName, QString::fromUtf8(CauseText(m_cause)));
    if (!m_detail.isEmpty())
        text += QStringLiteral(" (%1)").arg(m_detail);
    return text;
}
