#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the code page in which formats and captured-data files keep their texts.
class Cp1252 {
public:
    static QString Decode(const QByteArray& bytes);
    // One byte per character; a character the code page cannot hold becomes '?'.
    static QByteArray Encode(const QString& text);
    // What a text becomes after a trip through the code page (unrepresentable characters as '?').
    static QString RoundTrip(const QString& text) { return Decode(Encode(text)); }
};
