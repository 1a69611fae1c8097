#include "platform/FormatLock.h"

#include "platform/InputFile.h"
#include "platform/PlenovaError.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QLocale>
#include <QLockFile>
#include <QSysInfo>

namespace {

// A lock file is six short lines; anything longer is no lock of ours and is read no further.
constexpr qint64 kMaxLockBytes = 4096;

QString LocalUser() {
    for (const char* name : {"USER", "USERNAME", "LOGNAME"}) {
        const QString user = qEnvironmentVariable(name).simplified();
        if (!user.isEmpty())
            return user;
    }
    return {};
}

// The lines of the lock file, read no further than a lock can be long; empty when it is gone or
// is not a regular file.
QList<QByteArray> LockLines(const QString& lockPath) {
    try {
        InputFile file(lockPath, kMaxLockBytes);
        return file.Device().readAll().split('\n');
    } catch (const PlenovaError&) {
        return {};
    }
}

} // namespace

FormatLock::FormatLock() = default;

FormatLock::~FormatLock() = default;

QString FormatLock::LockPathFor(const QString& path) {
    return path + QStringLiteral(".bloqueo");
}

FormatLock::Result FormatLock::Take(const QString& path) {
    Release();
    auto lock = std::make_unique<QLockFile>(LockPathFor(path));
    // The lock lasts as long as the window is open: never old enough to be taken for stale by
    // its age; only a process gone from this host leaves a stale lock.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return lock->error() == QLockFile::LockFailedError ? Result::Held : Result::Unlockable;
    // The lock names the process and the host; the person who has the file open is what a
    // colleague needs to know. A line after the lock's own is ignored by whoever reads it as a
    // plain lock. Without it (a system that denies the second writer) the file's owner is named.
    const QString user = LocalUser();
    QFile extra(LockPathFor(path));
    if (!user.isEmpty() && extra.open(QIODevice::WriteOnly | QIODevice::Append))
        extra.write(user.toUtf8() + '\n');
    m_lock = std::move(lock);
    m_path = path;
    return Result::Taken;
}

QString FormatLock::Path() const {
    return m_path;
}

bool FormatLock::Holds() const {
    return m_lock != nullptr;
}

void FormatLock::Release() {
    m_lock.reset();
    m_path.clear();
}

std::optional<FormatLock::Holder> FormatLock::HolderOf(const QString& path) {
    const QString lockPath = LockPathFor(path);
    const QList<QByteArray> lines = LockLines(lockPath);
    // pid, program, host, host id, boot id, user.
    if (lines.size() < 3 || lines.at(0).toLongLong() <= 0)
        return std::nullopt;
    Holder holder;
    holder.host = QString::fromUtf8(lines.at(2)).simplified();
    holder.pid = lines.at(0).toLongLong();
    if (lines.size() > 5)
        holder.user = QString::fromUtf8(lines.at(5)).simplified();
    const QFileInfo info(lockPath);
    if (holder.user.isEmpty())
        holder.user = info.owner();
    holder.since = info.lastModified();
    const QByteArray hostId = lines.size() > 3 ? lines.at(3) : QByteArray();
    const QByteArray ourHostId = QSysInfo::machineUniqueId();
    holder.elsewhere = !hostId.isEmpty() && !ourHostId.isEmpty()
                           ? hostId != ourHostId
                           : !holder.host.isEmpty() && holder.host != QSysInfo::machineHostName();
    return holder;
}

bool FormatLock::LooksForgotten(const Holder& holder, const QDateTime& now) {
    return holder.elsewhere && holder.since.isValid() &&
           holder.since.secsTo(now) > kForgottenSeconds;
}

bool FormatLock::RemoveForgotten(const QString& path) {
    QLockFile lock(LockPathFor(path));
    return lock.removeStaleLockFile();
}

QString FormatLock::HeldMessage(const QString& path, const Holder& holder) {
    const QLocale mexico(QLocale::Spanish, QLocale::Mexico);
    const QString user = holder.user.isEmpty() ? QStringLiteral("otro usuario") : holder.user;
    const QString host = holder.host.isEmpty() ? QStringLiteral("otro equipo") : holder.host;
    return QStringLiteral("%1 está abierto por %2 en %3 desde el %4.")
        .arg(QFileInfo(path).fileName(), user, host,
             mexico.toString(holder.since, QStringLiteral("dd/MM/yyyy HH:mm")));
}

QString FormatLock::WhoHolds(const QString& path) {
    if (const std::optional<Holder> holder = HolderOf(path))
        return HeldMessage(path, *holder);
    return QStringLiteral("%1 está abierto en otra ventana.").arg(QFileInfo(path).fileName());
}
