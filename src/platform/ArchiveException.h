#pragma once

#include "platform/PlenovaError.h"

#include <QString>

// What goes wrong while a file is read or written through an archive. The archive does not know
// the file's name; whoever opened the file says which one it was with Describe(). Message() is
// the cause and the detail without the name.
class ArchiveException : public PlenovaError {
public:
    enum class Cause {
        EndOfFile,   // a value needed more bytes than the file has left
        BadFormat,   // the bytes cannot be what they claim to be
        ReadFailed,  // the device refused to read
        WriteFailed, // the device refused to write
    };

    explicit ArchiveException(Cause cause, const QString& detail = QString());

    Cause GetCause() const { return m_cause; }
    const QString& Detail() const { return m_detail; }
    // A full sentence for the user, naming the file.
    QString Describe(const QString& fileName) const;

private:
    Cause m_cause;
    QString m_detail;
};
