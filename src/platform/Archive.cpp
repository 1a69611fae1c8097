#include "platform/Archive.h"

#include "platform/ArchiveException.h"
#include "platform/Cp1252.h"

#include <QIODevice>

#include <algorithm>
#include <bit>
#include <cstring>
#include <exception>
#include <limits>

static_assert(sizeof(double) == 8 && std::numeric_limits<double>::is_iec559);

namespace {

constexpr qint64 kChunk = 64 * 1024;

template <typename T>
T FromLittleEndian(const unsigned char* p) {
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return static_cast<T>(v);
}

template <typename T>
void ToLittleEndian(T value, unsigned char* p) {
    const auto v = static_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

} // namespace

Archive::Archive(QIODevice& device, Mode mode)
    : m_device(device), m_mode(mode), m_uncaughtAtStart(std::uncaught_exceptions()) {}

Archive::~Archive() {
    // Writing into the device here could only fail in silence: a writer flushes when it is done.
    Q_ASSERT_X(!IsStoring() || m_buffer.isEmpty() || std::uncaught_exceptions() > m_uncaughtAtStart,
               "Archive", "a storing archive was dropped without Flush()");
}

qint64 Archive::BytesLeft() const {
    const qint64 buffered = m_buffer.size() - m_bufferPos;
    if (m_device.isSequential())
        return -1;
    return buffered + std::max<qint64>(0, m_device.size() - m_device.pos());
}

bool Archive::Refill() {
    m_buffer.resize(kChunk);
    const qint64 got = m_device.read(m_buffer.data(), kChunk);
    if (got < 0)
        throw ArchiveException(ArchiveException::Cause::ReadFailed, m_device.errorString());
    m_buffer.resize(got);
    m_bufferPos = 0;
    return got > 0;
}

void Archive::ReadExact(char* dst, qint64 size) {
    while (size > 0) {
        if (m_bufferPos >= m_buffer.size() && !Refill())
            throw ArchiveException(ArchiveException::Cause::EndOfFile);
        const qint64 take = std::min(size, m_buffer.size() - m_bufferPos);
        std::memcpy(dst, m_buffer.constData() + m_bufferPos, static_cast<std::size_t>(take));
        m_bufferPos += take;
        dst += take;
        size -= take;
    }
}

std::uint8_t Archive::ReadByte() {
    unsigned char b = 0;
    ReadExact(reinterpret_cast<char*>(&b), 1);
    return b;
}

std::uint16_t Archive::ReadUInt16() {
    unsigned char b[2];
    ReadExact(reinterpret_cast<char*>(b), 2);
    return FromLittleEndian<std::uint16_t>(b);
}

std::int32_t Archive::ReadInt32() {
    return static_cast<std::int32_t>(ReadUInt32());
}

std::uint32_t Archive::ReadUInt32() {
    unsigned char b[4];
    ReadExact(reinterpret_cast<char*>(b), 4);
    return FromLittleEndian<std::uint32_t>(b);
}

double Archive::ReadDouble() {
    unsigned char b[8];
    ReadExact(reinterpret_cast<char*>(b), 8);
    return std::bit_cast<double>(FromLittleEndian<std::uint64_t>(b));
}

Rect Archive::ReadRect() {
    unsigned char b[16];
    ReadExact(reinterpret_cast<char*>(b), 16);
    return Rect(FromLittleEndian<std::int32_t>(b), FromLittleEndian<std::int32_t>(b + 4),
                FromLittleEndian<std::int32_t>(b + 8), FromLittleEndian<std::int32_t>(b + 12));
}

QByteArray Archive::ReadRaw(qint64 size) {
    if (size < 0)
        throw ArchiveException(ArchiveException::Cause::BadFormat);
    const qint64 left = BytesLeft();
    if (left >= 0 && size > left)
        throw ArchiveException(ArchiveException::Cause::EndOfFile);
    QByteArray out;
    if (left >= 0) {
        out.resize(size);
        ReadExact(out.data(), size);
        return out;
    }
    // A pipe cannot say how much it holds: grow with what actually arrives.
    while (size > 0) {
        const qint64 take = std::min(size, kChunk);
        const qint64 at = out.size();
        out.resize(at + take);
        ReadExact(out.data() + at, take);
        size -= take;
    }
    return out;
}

qint64 Archive::ReadStringLength(bool& wide) {
    wide = false;
    std::uint8_t b = ReadByte();
    if (b < 0xFF)
        return b;
    std::uint16_t w = ReadUInt16();
    if (w == 0xFFFE) {
        wide = true;
        b = ReadByte();
        if (b < 0xFF)
            return b;
        w = ReadUInt16();
    }
    if (w < 0xFFFF)
        return w;
    return ReadUInt32();
}

QByteArray Archive::ReadByteString() {
    bool wide = false;
    const qint64 length = ReadStringLength(wide);
    if (!wide)
        return ReadRaw(length);
    const QByteArray units = ReadRaw(length * 2);
    QString text(length, Qt::Uninitialized);
    const auto* p = reinterpret_cast<const unsigned char*>(units.constData());
    for (qint64 i = 0; i < length; ++i)
        text[i] = QChar(FromLittleEndian<std::uint16_t>(p + 2 * i));
    return Cp1252::Encode(text);
}

QString Archive::ReadString() {
    return Cp1252::Decode(ReadByteString());
}

void Archive::WriteRaw(const char* data, qint64 size) {
    m_buffer.append(data, size);
    if (m_buffer.size() >= kChunk)
        Flush();
}

void Archive::WriteByte(std::uint8_t value) {
    WriteRaw(reinterpret_cast<const char*>(&value), 1);
}

void Archive::WriteUInt16(std::uint16_t value) {
    unsigned char b[2];
    ToLittleEndian(value, b);
    WriteRaw(reinterpret_cast<const char*>(b), 2);
}

void Archive::WriteInt32(std::int32_t value) {
    WriteUInt32(static_cast<std::uint32_t>(value));
}

void Archive::WriteUInt32(std::uint32_t value) {
    unsigned char b[4];
    ToLittleEndian(value, b);
    WriteRaw(reinterpret_cast<const char*>(b), 4);
}

void Archive::WriteDouble(double value) {
    unsigned char b[8];
    ToLittleEndian(std::bit_cast<std::uint64_t>(value), b);
    WriteRaw(reinterpret_cast<const char*>(b), 8);
}

void Archive::WriteRect(const Rect& rect) {
    unsigned char b[16];
    ToLittleEndian(rect.left, b);
    ToLittleEndian(rect.top, b + 4);
    ToLittleEndian(rect.right, b + 8);
    ToLittleEndian(rect.bottom, b + 12);
    WriteRaw(reinterpret_cast<const char*>(b), 16);
}

void Archive::WriteByteString(const QByteArray& bytes) {
    const qint64 n = bytes.size();
    if (n > 0xFFFFFFFFLL)
        throw ArchiveException(ArchiveException::Cause::WriteFailed,
                               QStringLiteral("texto demasiado largo"));
    if (n < 0xFF) {
        WriteByte(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteByte(0xFF);
        WriteUInt16(static_cast<std::uint16_t>(n));
    } else {
        WriteByte(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<std::uint32_t>(n));
    }
    WriteRaw(bytes);
}

void Archive::WriteString(const QString& text) {
    WriteByteString(Cp1252::Encode(text));
}

void Archive::Flush() {
    if (!IsStoring() || m_buffer.isEmpty())
        return;
    const qint64 size = m_buffer.size();
    const qint64 written = m_device.write(m_buffer);
    m_buffer.clear();
    if (written != size)
        throw ArchiveException(ArchiveException::Cause::WriteFailed, m_device.errorString());
}

bool Archive::Claim(QStringView kind, std::int64_t amount, std::int64_t bound) {
    std::int64_t& total = m_claimed[kind.toString()];
    if (amount < 0 || amount > bound - total)
        return false;
    total += amount;
    return true;
}
