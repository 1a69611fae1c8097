#include "model/KeyScrambler.h"

namespace {

// XORing with every character in turn is XORing with all of them folded into one byte.
constexpr char FoldedKey() {
    char key = 0;
    for (const char c : KeyScrambler::kKey)
        key = static_cast<char>(key ^ c);
    return key;
}

} // namespace

QByteArray KeyScrambler::Scramble(const QByteArray& bytes) {
    constexpr char key = FoldedKey();
    QByteArray out = bytes;
    for (char& b : out)
        b = static_cast<char>(b ^ key);
    return out;
}
