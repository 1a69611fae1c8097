#pragma once

// Archives in memory, for the suites that check what is written and read back.
#include "platform/Archive.h"

#include <QBuffer>

#include <functional>

// The bytes that `write` puts into an archive.
inline QByteArray Store(const std::function<void(Archive&)>& write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    write(ar);
    ar.Flush();
    return bytes;
}

// Runs `read` over the bytes and returns how many were left unread.
inline qint64 Load(const QByteArray& bytes, const std::function<void(Archive&)>& read) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    Archive ar(buffer, Archive::Mode::Load);
    read(ar);
    return ar.BytesLeft();
}
