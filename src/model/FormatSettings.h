#pragma once

#include <QString>

// The settings a format carries: how numbers and amounts are shown and written in words, who
// made the format and the key that protects it. Each window holds the settings of the format it
// loaded and hands them to whatever formats that format's values; no set is shared between
// formats, so saving one format never writes another's settings into it.
struct FormatSettings {
    int decimals = 2;
    QString currencyName = QStringLiteral("PESOS");
    QString postfix = QStringLiteral("M.N.");
    bool currencySign = true;
    bool calculatedReadOnly = false;
    QString author;
    QString key;

    friend bool operator==(const FormatSettings&, const FormatSettings&) = default;
};
