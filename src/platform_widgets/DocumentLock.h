#pragma once

#include "platform/FormatLock.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QWidget;

// The lock a window keeps on the file it edits, and whether it has the file only to read because
// someone else is editing it. The lock follows the window's file: it is taken before a file is
// read or written and the one held before goes only once that went through, so a failed opening
// or save leaves the window holding what it held.
class DocumentLock {
public:
    // The answer when someone else has the file open.
    enum class Answer { ReadOnly, RemoveLock, Cancel };
    // Asks what to do about a file someone else has open; the message says who and since when,
    // and ends in "¿Quitar el bloqueo?" when offerRemoval (a lock from another host, forgotten
    // there for more than a day).
    using Asker = std::function<Answer(const QString& message, bool offerRemoval)>;

    // What an opening or a save of path will hold once it went through.
    struct Claim {
        QString path;
        // A new lock; none when the window goes on with the one it holds, has the file only to
        // read, or the file's folder takes no lock.
        std::unique_ptr<FormatLock> lock;
        bool readOnly = false;
        bool keepsHeld = false;
    };

    explicit DocumentLock(QWidget* parent);

    void SetAsker(Asker asker) { m_ask = std::move(asker); }

    // Locks path for an opening; when someone else has it open, asks whether to open it only to
    // read it (or to remove a forgotten lock). Nothing when the user cancelled.
    std::optional<Claim> ClaimForOpening(const QString& path);
    // Locks path when it is free, and otherwise has it only to read, without asking: for files
    // whose reading harms nobody, as long as they are not written over.
    Claim ClaimQuietly(const QString& path);
    // Before a write to path: a claim when this window may write there; nothing, with refusal
    // set to who has it open, when someone else does (also for a window that has that very file
    // only to read).
    std::optional<Claim> ClaimForSaving(const QString& path, QString& refusal);
    // The opening or save went through: the claim's lock replaces what the window held.
    void Keep(Claim claim);
    // Reads the file at path into the window as an opening does: locked first (asking as
    // ClaimForOpening does), then read by read, which throws PlenovaError when it cannot and
    // returns its warnings, and the lock kept once that went through. An empty path names no
    // file: nothing is locked and what the window held goes. The warnings and a failure's
    // message go to tell; false when the user cancelled or the reading failed.
    bool Open(const QString& path, const std::function<QStringList()>& read,
              const std::function<void(const QString&)>& tell);
    void Release();

    // Whether the window has its file only to read.
    bool IsReadOnly() const { return m_readOnly; }
    const QString& Path() const { return m_path; }

    // The question as a box: "Quitar el bloqueo" when offered, "Abrir de solo lectura" and
    // "Cancelar".
    static Answer Ask(QWidget* parent, const QString& message, bool offerRemoval);

private:
    std::optional<Claim> KeepsHeld(const QString& path) const;

    QWidget* m_parent;
    Asker m_ask;
    std::unique_ptr<FormatLock> m_lock;
    QString m_path;
    bool m_readOnly = false;
};
