#include "platform/RecoveryFile.h"

#include "platform/FileError.h"
#include "platform/InputFile.h"
#include "platform/SafeFile.h"

#include <QBuffer>
#include <QDataStream>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>
#include <array>

namespace {

constexpr char kMark[] = "PLNVRCPR";
constexpr qsizetype kMarkSize = sizeof(kMark) - 1;
constexpr quint32 kVersion = 1;

// The kinds of window as the description names them.
const std::array<QString, 3>& WindowNames() {
    static const std::array<QString, 3> names = {
        QStringLiteral("diseño"), QStringLiteral("pantalla"), QStringLiteral("captura")};
    return names;
}

[[noreturn]] void Refuse(const QString& path, const QString& reason) {
    throw FileError(path, QStringLiteral("no se puede recuperar"), reason);
}

} // namespace

QByteArray RecoveryFile::Encode() const {
    QJsonObject description;
    description[QStringLiteral("ventana")] = WindowNames().at(static_cast<size_t>(window));
    description[QStringLiteral("formato")] = formatPath;
    description[QStringLiteral("captura")] = capturePath;
    description[QStringLiteral("hora")] = time.toUTC().toString(Qt::ISODateWithMs);
    description[QStringLiteral("proceso")] = process.pid;
    description[QStringLiteral("equipo")] = process.host;
    description[QStringLiteral("inicio")] = process.start;
    description[QStringLiteral("ajustes")] = QString::fromUtf8(ownSettings);
    const QByteArray json = QJsonDocument(description).toJson(QJsonDocument::Compact);

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.writeRawData(kMark, kMarkSize);
    out << kVersion << static_cast<quint32>(json.size());
    out.writeRawData(json.constData(), static_cast<int>(json.size()));
    out << static_cast<quint64>(state.size());
    bytes.append(state);
    return bytes;
}

RecoveryFile RecoveryFile::Decode(const QByteArray& bytes, const QString& path) {
    QDataStream in(bytes);
    if (bytes.size() < kMarkSize + 8 || !bytes.startsWith(QByteArrayView(kMark, kMarkSize)))
        Refuse(path, QStringLiteral("no es un archivo de recuperación de Plenova"));
    in.skipRawData(static_cast<int>(kMarkSize));
    quint32 version = 0;
    quint32 jsonSize = 0;
    in >> version >> jsonSize;
    if (version != kVersion)
        Refuse(path, QStringLiteral("lo escribió otra versión de Plenova (%1)").arg(version));
    const qint64 afterJson = kMarkSize + 8 + qint64{jsonSize};
    if (jsonSize > kMaxDescriptionBytes || afterJson + 8 > bytes.size())
        Refuse(path, QStringLiteral("está incompleto"));
    QJsonParseError error{};
    const QJsonDocument document =
        QJsonDocument::fromJson(bytes.mid(kMarkSize + 8, jsonSize), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        Refuse(path, QStringLiteral("su descripción está dañada"));
    in.skipRawData(static_cast<int>(jsonSize));
    quint64 stateSize = 0;
    in >> stateSize;
    if (stateSize > quint64{kMaxStateBytes} ||
        static_cast<qint64>(stateSize) != bytes.size() - afterJson - 8)
        Refuse(path, QStringLiteral("está incompleto"));

    const QJsonObject description = document.object();
    RecoveryFile file;
    const auto& names = WindowNames();
    const QString window = description.value(QStringLiteral("ventana")).toString();
    const auto found = std::find(names.begin(), names.end(), window);
    if (found == names.end())
        Refuse(path, QStringLiteral("no dice de qué ventana es"));
    file.window = static_cast<Window>(found - names.begin());
    file.formatPath = description.value(QStringLiteral("formato")).toString();
    file.capturePath = description.value(QStringLiteral("captura")).toString();
    file.time = QDateTime::fromString(description.value(QStringLiteral("hora")).toString(),
                                      Qt::ISODateWithMs);
    if (!file.time.isValid())
        Refuse(path, QStringLiteral("no dice cuándo se escribió"));
    file.time = file.time.toLocalTime();
    file.process.pid = static_cast<qint64>(description.value(QStringLiteral("proceso")).toDouble());
    file.process.host = description.value(QStringLiteral("equipo")).toString();
    file.process.start = description.value(QStringLiteral("inicio")).toString();
    file.ownSettings = description.value(QStringLiteral("ajustes")).toString().toUtf8();
    if (file.window == Window::Capture && file.formatPath.isEmpty())
        Refuse(path, QStringLiteral("no dice de qué formato son los datos"));
    file.state = bytes.mid(afterJson + 8);
    return file;
}

RecoveryFile RecoveryFile::Read(const QString& path) {
    InputFile file(path, kMaxFileBytes);
    const QByteArray bytes = file.Device().readAll();
    if (file.Device().error() != QFileDevice::NoError || bytes.size() != file.Size())
        throw FileError(path, QStringLiteral("no se puede leer"),
                        QStringLiteral("error de entrada/salida"));
    return Decode(bytes, path);
}

void RecoveryFile::Write(const QString& path) const {
    SafeFile file(path);
    file.Open();
    file.write(Encode());
    file.Commit();
}
