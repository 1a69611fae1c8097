#pragma once

#include <QByteArray>

// Hides the author and the access key from a casual look at a format file: every byte is
// XORed with every character of the application's title in turn. Doing it twice gives the
// original back, and a byte may become 0 without ending the string.
class KeyScrambler {
public:
    static QByteArray Scramble(const QByteArray& bytes);
    static const char* const kTitle;
};
