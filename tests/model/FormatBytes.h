#pragma once

// Small helpers the model tests share: formats written to and read from memory.
#include "common/ArchiveBytes.h"
#include "model/Format.h"
#include "model/FormatFile.h"

inline QByteArray WriteFormat(const Format& format, const FormatSettings& settings) {
    return Store([&](Archive& ar) { FormatFile::Write(ar, format, settings); });
}

inline void ReadFormat(const QByteArray& bytes, Format& format, FormatSettings& settings) {
    Load(bytes, [&](Archive& ar) { FormatFile::Read(ar, format, settings); });
}

inline QByteArray Hex(const char* spaced) {
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}
