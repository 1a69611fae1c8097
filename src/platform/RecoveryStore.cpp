#include "platform/RecoveryStore.h"

#include "platform/FileError.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <unistd.h>

namespace {

const QString& Suffix() {
    static const QString suffix = QStringLiteral(".recuperacion");
    return suffix;
}

} // namespace

RecoveryStore::RecoveryStore(const QString& folder) : m_folder(folder) {}

QString RecoveryStore::DefaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recuperacion");
}

QString RecoveryStore::NewName() {
    static QAtomicInt serial;
    return QStringLiteral("%1-%2%3")
        .arg(::getpid())
        .arg(serial.fetchAndAddRelaxed(1) + 1)
        .arg(Suffix());
}

void RecoveryStore::Write(const QString& name, const RecoveryFile& file) const {
    QDir folder(m_folder);
    if (!folder.exists()) {
        if (!QDir().mkpath(m_folder))
            throw FileError(m_folder, QStringLiteral("no se puede crear la carpeta"),
                            QStringLiteral("sin permiso o sin espacio"));
        // What a user was typing is theirs alone.
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner);
    }
    file.Write(folder.filePath(name));
}

void RecoveryStore::Remove(const QString& name) const {
    QFile::remove(QDir(m_folder).filePath(name));
}

RecoveryStore::Leftovers RecoveryStore::FindLeftovers() const {
    Leftovers found;
    const QFileInfoList entries =
        QDir(m_folder).entryInfoList({QStringLiteral("*") + Suffix()}, QDir::Files, QDir::Name);
    int read = 0;
    for (const QFileInfo& entry : entries) {
        if (++read > kMaxFiles)
            break;
        try {
            RecoveryFile file = RecoveryFile::Read(entry.filePath());
            if (!file.process.MayBeRunning())
                found.recoverable.push_back({entry.fileName(), std::move(file)});
        } catch (const FileError& e) {
            found.damaged.push_back({entry.fileName(), e.Message()});
        }
    }
    std::stable_sort(
        found.recoverable.begin(), found.recoverable.end(),
        [](const Leftover& a, const Leftover& b) { return a.file.time < b.file.time; });
    return found;
}
