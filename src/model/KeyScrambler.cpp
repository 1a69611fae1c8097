#include "model/KeyScrambler.h"

#include <cstring>

const char* const KeyScrambler::kTitle = "Plenovixalia";

QByteArray KeyScrambler::Scramble(const QByteArray& bytes) {
    char key = 0;
    for (const char* c = kTitle; *c; ++c)
        key = static_cast<char>(key ^ *c);
    QByteArray out = bytes;
    for (char& b : out)
        b = static_cast<char>(b ^ key);
    return out;
}
