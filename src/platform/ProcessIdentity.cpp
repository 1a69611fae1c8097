#include "platform/ProcessIdentity.h"

#include <QFile>
#include <QSysInfo>

#include <cerrno>
#include <signal.h>
#include <unistd.h>

ProcessIdentity ProcessIdentity::Current() {
    ProcessIdentity identity;
    identity.pid = ::getpid();
    identity.host = QSysInfo::machineHostName();
    identity.start = StartOf(identity.pid);
    return identity;
}

QString ProcessIdentity::StartOf(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    // The command name in parentheses may hold blanks and parentheses of its own: the fields
    // are counted from the last closing one, after which the state is field 3 and the start
    // time field 22.
    const QByteArray line = stat.read(4096);
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return {};
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    constexpr qsizetype kStartField = 22 - 3;
    return fields.size() > kStartField ? QString::fromLatin1(fields.at(kStartField)) : QString();
}

bool ProcessIdentity::MayBeRunning() const {
    if (host != QSysInfo::machineHostName())
        return true;
    if (pid <= 0)
        return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
        return false;
    const QString now = StartOf(pid);
    return start.isEmpty() || now.isEmpty() || now == start;
}
