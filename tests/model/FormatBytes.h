#pragma once

// Small helpers the model tests share: formats written to and read from memory.
#include "Archive.h"
#include "Format.h"
#include "FormatFile.h"

#include <QBuffer>

inline QByteArray WriteFormat(Format& format, const FormatSettings& settings,
                              FormatFile::Writer writer = FormatFile::Writer::Design) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    FormatFile::Write(ar, format, settings, writer);
    ar.Flush();
    return bytes;
}

inline void ReadFormat(const QByteArray& bytes, Format& format, FormatSettings& settings) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    Archive ar(buffer, Archive::Mode::Load);
    FormatFile::Read(ar, format, settings);
}

inline QByteArray Hex(const char* spaced) {
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}
