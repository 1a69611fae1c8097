#pragma once

// Helpers the capture-control tests share: archives in memory, and the number of handles.
#include "common/ArchiveBytes.h"
#include "model/CControles.h"
#include "model/FormatError.h"
#include "model/FormatFile.h"
#include "platform/ArchiveException.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

// A control's record written and read back into a fresh control of the same class.
template <typename T>
void RoundTrip(T& from, T& to) {
    const QByteArray bytes = Store([&from](Archive& ar) { from.Serialize(ar); });
    EXPECT_EQ(Load(bytes, [&to](Archive& ar) { to.Serialize(ar); }), 0);
}

inline int HandleCount(const CControles& c) {
    int n = 0;
    for (const Rect& h : c.handles)
        n += h.IsNull() ? 0 : 1;
    return n;
}

inline std::vector<int> Args(std::initializer_list<int> values) {
    return std::vector<int>(values);
}

// A format's bytes with a few bytes from `from` on overwritten by values readers find hard (0, 1,
// 127, 128, 254, 255), the same ones on every run for the same seed.
class FormatDamage {
public:
    explicit FormatDamage(std::uint32_t seed) : m_seed(seed) {}
    QByteArray Damage(const QByteArray& bytes, qsizetype from = 0, int count = 3) {
        static const char kValues[] = {'\x00', '\x01', '\x7f', '\x80', '\xfe', '\xff'};
        QByteArray damaged = bytes;
        for (int i = 0; i < count; ++i)
            damaged[static_cast<qsizetype>(from + Next() % (damaged.size() - from))] =
                kValues[Next() % 6];
        return damaged;
    }

private:
    std::uint32_t Next() { return m_seed = m_seed * 1103515245u + 12345u; }
    std::uint32_t m_seed;
};

// Reads a format's bytes into read; false when the reader refuses them.
inline bool ReadOrRefuse(const QByteArray& bytes, Format& read) {
    FormatSettings settings;
    try {
        Load(bytes, [&](Archive& ar) { FormatFile::Read(ar, read, settings); });
    } catch (const ArchiveException&) {
        return false;
    } catch (const FormatError&) {
        return false;
    }
    return true;
}
