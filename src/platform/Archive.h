#pragma once

#include "platform/Rect.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>

class QIODevice;

// The binary archive of formats and captured-data files: little-endian integers, single bytes,
// raw blocks and length-prefixed Windows-1252 strings, with no header or padding of its own.
// A read that finds fewer bytes than it needs throws ArchiveException(EndOfFile); a length
// prefix larger than what the file has left is refused before anything is allocated.
// A storing archive keeps what it is given until Flush(), which its writer calls when the last
// value is in: a failed write is an exception there, never lost in a destructor.
class Archive {
public:
    enum class Mode { Load, Store };

    Archive(QIODevice& device, Mode mode);
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    bool IsLoading() const { return m_mode == Mode::Load; }
    bool IsStoring() const { return m_mode == Mode::Store; }

    std::uint8_t ReadByte();
    std::uint16_t ReadUInt16();
    std::int32_t ReadInt32();
    std::uint32_t ReadUInt32();
    // An 8-byte IEEE double, little-endian (dates and amounts of captured data).
    double ReadDouble();
    Rect ReadRect();
    QByteArray ReadRaw(qint64 size);
    // The bytes of a stored string, as they are on disk (the wide form converted to the code page).
    QByteArray ReadByteString();
    QString ReadString();

    void WriteByte(std::uint8_t value);
    void WriteUInt16(std::uint16_t value);
    void WriteInt32(std::int32_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteDouble(double value);
    void WriteRect(const Rect& rect);
    void WriteRaw(const char* data, qint64 size);
    void WriteRaw(const QByteArray& data) { WriteRaw(data.constData(), data.size()); }
    void WriteByteString(const QByteArray& bytes);
    void WriteString(const QString& text);

    // Bytes not yet read, or -1 when the device cannot tell (a pipe).
    qint64 BytesLeft() const;
    // Hands buffered bytes to the device; throws WriteFailed when it does not take them all.
    void Flush();

    // Problems met on the way that must not stop the reading or writing of the file (a picture
    // that cannot be decoded, a picture file gone), for whoever opened the file to show.
    void AddWarning(const QString& warning) { m_warnings.append(warning); }
    const QStringList& Warnings() const { return m_warnings; }

    // What the objects read from one file hold between them, counted by kind (the pixels of
    // every picture, the cells of every table), so that a file of a few kilobytes cannot make
    // them claim gigabytes however many objects it declares. True, with amount added to the
    // kind's total, when the total stays within bound; false, with nothing added, otherwise.
    bool Claim(QStringView kind, std::int64_t amount, std::int64_t bound);

private:
    void ReadExact(char* dst, qint64 size);
    bool Refill();
    qint64 ReadStringLength(bool& wide);

    QIODevice& m_device;
    Mode m_mode;
    QByteArray m_buffer;
    qint64 m_bufferPos = 0;
    QStringList m_warnings;
    QHash<QString, std::int64_t> m_claimed;
    // Exceptions already in flight when the archive was made: an archive given up because of a
    // newer one may be dropped with bytes unwritten.
    int m_uncaughtAtStart;
};
