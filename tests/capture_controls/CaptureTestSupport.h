#pragma once

// Helpers the capture-control tests share: archives in memory, and the number of handles.
#include "common/ArchiveBytes.h"
#include "model/CControles.h"

#include <gtest/gtest.h>

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
