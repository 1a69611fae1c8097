#pragma once

// Helpers the capture-control tests share: archives in memory, and the number of handles.
#include "Archive.h"
#include "CControles.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

inline QByteArray Store(const std::function<void(Archive&)>& write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    write(ar);
    ar.Flush();
    return bytes;
}

// Runs read over the bytes and returns how many were left unread.
inline qint64 Load(const QByteArray& bytes, const std::function<void(Archive&)>& read) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    Archive ar(buffer, Archive::Mode::Load);
    read(ar);
    return ar.BytesLeft();
}

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
