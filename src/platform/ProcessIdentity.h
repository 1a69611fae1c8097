#pragma once

#include <QString>

// Which run of a program on which machine: the process number, the host name and when the
// process started (the system reuses process numbers, so a number alone could name a later,
// unrelated program). Read from the running system, recorded in files a run leaves behind, and
// compared later to tell a run still going from one that died.
class ProcessIdentity {
public:
    qint64 pid = 0;
    QString host;
    // The system's start time of the process, in clock ticks since boot, as text; empty where
    // the system does not tell it.
    QString start;

    // The process running this code.
    static ProcessIdentity Current();
    // When the process numbered pid started, as Current() records it; empty when there is no
    // such process or the system does not tell.
    static QString StartOf(qint64 pid);

    // Whether the process may still be running: true for a process on another host, which
    // cannot be asked; on this host, false once no process has the number, or the one that has
    // it started at another time.
    bool MayBeRunning() const;
};
