#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

// What fuzz_amount reads from its input, and how the seed writer makes one: a locale, the
// decimals of the format and a typed text.
struct AmountInput {
    // The locales the test suites pin: the C locale of the command line, the user's Mexican
    // Spanish, and the others whose separators, signs and digits differ.
    static const std::array<QLocale, 6>& Locales() {
        static const std::array<QLocale, 6> locales = {
            QLocale::c(),
            QLocale(QStringLiteral("es_MX")),
            QLocale(QStringLiteral("en_US")),
            QLocale(QStringLiteral("de_DE")),
            QLocale(QStringLiteral("fr_FR")),
            QLocale(QStringLiteral("ar_EG")),
        };
        return locales;
    }

    // The first byte picks the locale, the second the decimals (-1 to 7: automatic, 0 to 6, and
    // one past them), the rest is the text in UTF-8.
    static AmountInput Read(const std::uint8_t* data, std::size_t size) {
        AmountInput input;
        input.locale = Locales()[size > 0 ? data[0] % Locales().size() : 0];
        input.decimals = size > 1 ? data[1] % 9 - 1 : 2;
        if (size > 2)
            input.text = QString::fromUtf8(reinterpret_cast<const char*>(data + 2),
                                           static_cast<qsizetype>(size - 2));
        return input;
    }

    static QByteArray Write(std::size_t localeIndex, int decimals, const QString& text) {
        QByteArray bytes;
        bytes.append(static_cast<char>(localeIndex));
        bytes.append(static_cast<char>(decimals + 1));
        bytes.append(text.toUtf8());
        return bytes;
    }

    QLocale locale;
    int decimals = 2;
    QString text;
};
