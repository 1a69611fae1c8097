#pragma once

#include "platform/ProcessIdentity.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// What a window with unsaved changes leaves behind in case Plenova dies before they are saved:
// which kind of window it was, the format (and captured-data file) it had open, when it was
// written, by which run, and the window's state as its own file would hold it (a format's bytes,
// or a capture's values as a .cap holds them).
//
// On disk: an 8-byte mark, the layout's version (4 bytes), the length of a JSON description
// (4 bytes) and the description, the length of the state (8 bytes) and the state; numbers big
// endian. Reading checks every length against the bytes there are, so a file cut short or of
// random bytes is refused with a message naming it.
class RecoveryFile {
public:
    enum class Window { Design, Screen, Capture };

    Window window = Window::Design;
    // The format's path; empty for a format never saved.
    QString formatPath;
    // A capture window's captured-data file; empty when its values were never saved.
    QString capturePath;
    QDateTime time;
    ProcessIdentity process;
    // What a design window keeps beside the format (paper, amounts in words), as its JSON.
    QByteArray ownSettings;
    QByteArray state;

    // Far beyond any format or capture, small enough that a stray large file is refused unread.
    static constexpr qint64 kMaxStateBytes = qint64{256} * 1024 * 1024;
    static constexpr qint64 kMaxDescriptionBytes = qint64{1024} * 1024;
    static constexpr qint64 kMaxFileBytes = kMaxStateBytes + kMaxDescriptionBytes + 64;

    QByteArray Encode() const;
    // Throws a FileError naming path when the bytes are no recovery file Plenova can read.
    static RecoveryFile Decode(const QByteArray& bytes, const QString& path);
    // Reads a regular file of at most kMaxFileBytes; failures are FileError.
    static RecoveryFile Read(const QString& path);
    // A safe write: a failure throws a FileError and leaves an older file whole.
    void Write(const QString& path) const;
};
