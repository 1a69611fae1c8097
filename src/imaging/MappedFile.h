#pragma once

#include "imaging/DecodedPicture.h"

#include <QFile>

// The whole of a regular file in memory without copying it (mapped from disk). Anything that
// is not a regular file (a folder, a pipe, a device) does not open.
class MappedFile {
public:
    explicit MappedFile(const QString& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool IsOpen() const { return m_open; }
    ByteView Bytes() const { return m_bytes; }

private:
    QFile m_file;
    uchar* m_mapped = nullptr;
    ByteView m_bytes;
    bool m_open = false;
};
