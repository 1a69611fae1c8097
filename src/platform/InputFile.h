#pragma once

#include <QFile>
#include <QString>

// A document to read (a format, captured data): opened only when it is a regular file of at
// most a given size, so that a FIFO or a device named like a document is refused at once instead
// of hanging the reader or feeding it without end, and every length the archive reads can be
// checked against the bytes the file has left. A failure is a FileError naming the file.
class InputFile {
public:
    InputFile(const QString& path, qint64 maxBytes);
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    QFile& Device() { return m_file; }
    qint64 Size() const { return m_size; }

    // A size as the user reads it: "900 bytes", "256 MB".
    static QString SizeText(qint64 bytes);

private:
    QFile m_file;
    qint64 m_size = 0;
};
