#include "platform/PrivateTempFolder.h"

#include "platform/ProcessIdentity.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSysInfo>
#include <QTemporaryDir>

#include <memory>
#include <unistd.h>

namespace {

// The process a folder named Prefix() + "-<pid>-XXXXXX" was made by, or 0 when the name is not
// of that form.
qint64 ProcessOf(const QString& name) {
    const QString prefix = PrivateTempFolder::Prefix() + QLatin1Char('-');
    if (!name.startsWith(prefix))
        return 0;
    const QString rest = name.mid(prefix.size());
    const qsizetype dash = rest.indexOf(QLatin1Char('-'));
    if (dash <= 0)
        return 0;
    bool ok = false;
    const qint64 pid = rest.left(dash).toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

} // namespace

QString PrivateTempFolder::Prefix() {
    return QStringLiteral("plenova-%1").arg(::getuid());
}

QString PrivateTempFolder::Path() {
    static QMutex mutex;
    // Destroyed, and so removed, when the program ends.
    static std::unique_ptr<QTemporaryDir> folder;
    const QMutexLocker lock(&mutex);
    if (!folder) {
        RemoveLeftovers(QDir::tempPath());
        // mkdtemp makes the folder for its owner only.
        folder = std::make_unique<QTemporaryDir>(
            QDir(QDir::tempPath())
                .filePath(QStringLiteral("%1-%2-XXXXXX").arg(Prefix()).arg(::getpid())));
    }
    return folder->isValid() ? folder->path() : QString();
}

int PrivateTempFolder::RemoveLeftovers(const QString& root) {
    int removed = 0;
    const QFileInfoList entries = QDir(root).entryInfoList(
        {Prefix() + QStringLiteral("-*")}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const qint64 pid = ProcessOf(entry.fileName());
        // Only real folders of this user: a link planted under such a name is left alone.
        // The folder's name records no start time: a pid taken again by another program keeps
        // it, as a pid still running would.
        const ProcessIdentity maker{pid, QSysInfo::machineHostName(), QString()};
        if (pid == 0 || entry.isSymLink() || entry.ownerId() != ::getuid() || maker.MayBeRunning())
            continue;
        if (QDir(entry.filePath()).removeRecursively())
            ++removed;
    }
    return removed;
}
