#include "platform/Profile.h"

#include "platform/FileError.h"

#include <QSettings>

namespace {

QString& OverrideFile() {
    static QString path;
    return path;
}

QString Key(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

const char* const Profile::kOrganization = "Tarvel Soft";
const char* const Profile::kApplication = "Plenovixalia";

Profile::Profile() {
    QString file = OverrideFile();
    if (file.isEmpty())
        file = qEnvironmentVariable("PLENOVA_SETTINGS");
    if (!file.isEmpty())
        m_settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
    else
        m_settings = std::make_unique<QSettings>(QString::fromLatin1(kOrganization),
                                                 QString::fromLatin1(kApplication));
}

Profile::~Profile() = default;

int Profile::GetInt(const QString& section, const QString& key, int defaultValue) const {
    const QVariant value = m_settings->value(Key(section, key));
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

void Profile::WriteInt(const QString& section, const QString& key, int value) {
    m_settings->setValue(Key(section, key), value);
}

QString Profile::GetString(const QString& section, const QString& key,
                           const QString& defaultValue) const {
    return m_settings->value(Key(section, key), defaultValue).toString();
}

void Profile::WriteString(const QString& section, const QString& key, const QString& value) {
    m_settings->setValue(Key(section, key), value);
}

void Profile::Sync() {
    m_settings->sync();
    switch (m_settings->status()) {
    case QSettings::NoError:
        return;
    case QSettings::AccessError:
        throw FileError(m_settings->fileName(),
                        QStringLiteral("no se pudo guardar la configuración"),
                        QStringLiteral("no se puede escribir el archivo"));
    case QSettings::FormatError:
        throw FileError(m_settings->fileName(), QStringLiteral("no se pudo leer la configuración"),
                        QStringLiteral("el archivo no tiene un formato válido"));
    }
}

void Profile::UseFile(const QString& path) {
    OverrideFile() = path;
}
