#pragma once

#include "platform/PlenovaError.h"

#include <QString>

// A file that cannot be opened, read or written, for a reason the system gave. Message() names
// the file, says what could not be done and why, in Spanish: "x.fmt: no se puede abrir (No
// existe el archivo o el directorio)". Readers and writers of the layers above turn it into
// their own family (FormatError, CaptureFileError, CliError) keeping the sentence.
class FileError : public PlenovaError {
public:
    // `what` is the action that failed, as in "no se puede abrir"; `reason` the cause.
    FileError(const QString& path, const QString& what, const QString& reason);
    // The cause from a system error number.
    FileError(const QString& path, const QString& what, int errorNumber);

    // The system's reason for an error number, in Spanish: the common causes of a failed read
    // or write word for word, any other with its number so it can still be looked up.
    static QString Reason(int errorNumber);
    int ErrorNumber() const { return m_errorNumber; }

private:
    int m_errorNumber = 0;
};
