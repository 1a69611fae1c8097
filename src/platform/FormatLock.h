#pragma once

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

class QLockFile;

// The lock file that says a file is being edited, "FACTURA.fmt.bloqueo" beside "FACTURA.fmt",
// so that two people on one shared folder do not overwrite each other's work without knowing.
// It holds the process, the program, the host and the user who took it; its time is its own
// modification time. A lock left by a process that no longer runs on this host is taken over
// without a word; a lock from another host can only be removed by a person who knows it was
// forgotten, since its process cannot be asked about from here.
//
// Taking the lock never waits: the answer is at once whether this window may edit the file.
class FormatLock {
public:
    // Who holds a lock, as its file says.
    struct Holder {
        QString user;
        QString host;
        qint64 pid = 0;
        QDateTime since;
        // Taken on another host (where this one cannot tell whether it still runs).
        bool elsewhere = false;
    };
    enum class Result {
        // This object holds the lock now.
        Taken,
        // Someone else holds it; Held() says who.
        Held,
        // No lock could be made (a folder that cannot be written, say): nobody can hold it
        // either, so the file is edited without one.
        Unlockable,
    };

    // A lock from another host older than this is offered for removal.
    static constexpr qint64 kForgottenSeconds = 24 * 60 * 60;

    FormatLock();
    ~FormatLock();
    FormatLock(const FormatLock&) = delete;
    FormatLock& operator=(const FormatLock&) = delete;

    // "FACTURA.fmt.bloqueo" for "FACTURA.fmt".
    static QString LockPathFor(const QString& path);

    // Tries to lock path, releasing what this object held before.
    Result Take(const QString& path);
    // The file this object holds locked; empty when it holds none.
    QString Path() const;
    bool Holds() const;
    // Lets the lock go: its file is removed.
    void Release();

    // Who holds path's lock, as its file says; nothing when there is no lock file (or not one
    // that can be read).
    static std::optional<Holder> HolderOf(const QString& path);
    // Whether the holder's lock may be one that was forgotten: from another host and older than
    // a day.
    static bool LooksForgotten(const Holder& holder, const QDateTime& now);
    // Removes the lock of path that someone else holds, once a person said it was forgotten.
    // False when it could not be removed.
    static bool RemoveForgotten(const QString& path);

    // "FACTURA.fmt está abierto por ANA en CAJA2 desde el 03/02/2025 09:41."
    static QString HeldMessage(const QString& path, const Holder& holder);
    // The same for whoever holds path's lock now; said plainly when the lock cannot be read.
    static QString WhoHolds(const QString& path);

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
};
