#pragma once

#include <QString>

// The settings a format carries: how numbers and amounts are shown and written in words, who
// made the format and the key that protects it. The application holds one set, replaced by
// whichever window last read a format that has them and stored with every save.
struct FormatSettings {
    int decimals = 2;
    QString currencyName = QStringLiteral("PESOS");
    QString postfix = QStringLiteral("M.N.");
    bool currencySign = true;
    bool calculatedReadOnly = false;
    QString author;
    QString key;

    // The application-wide set.
    static FormatSettings& Current();

    friend bool operator==(const FormatSettings&, const FormatSettings&) = default;
};
