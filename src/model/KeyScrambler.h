#pragma once

#include <QByteArray>

#include <string_view>

// Hides the author and the access key from a casual look at a format file: every byte is
// XORed with every character of the scrambling key in turn. Doing it twice gives the original
// back, and a byte may become 0 without ending the string.
class KeyScrambler {
public:
    // Part of the file format: every format ever written holds its author and key scrambled with
    // these characters. They were once the application's title; they stay what they are whatever
    // the application comes to be called.
    static constexpr std::string_view kKey = "Plenovixalia";

    static QByteArray Scramble(const QByteArray& bytes);
};
