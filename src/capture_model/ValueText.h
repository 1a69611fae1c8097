#pragma once

#include "capture_model/Currency.h"
#include "capture_model/DataType.h"
#include "model/FormatSettings.h"

#include <QLocale>
#include <QString>

#include <optional>

// Turns a typed or computed value into the text a field shows and prints, by its data type:
// text as typed, numbers with the format's decimals, amounts in the locale's currency form.
// The locale is the application's (QLocale's default, the user's unless the application chose
// one) unless a caller (a test, a script) names another.
class ValueText {
public:
    // With the decimals and currency sign of the format the field belongs to.
    static QString FormatValue(const QString& text, DataTypeCode dataType,
                               const FormatSettings& settings, const QLocale& locale = QLocale());
    static QString FormatValue(const QString& text, DataTypeCode dataType, int decimals,
                               bool withoutSign, const QLocale& locale = QLocale());

    // The number in text read as a currency amount: the locale's digits, decimal point, group
    // separator, currency symbol and signs are accepted, and at most four decimals survive.
    // Text that is no amount reads as 0.
    static double ParseAmount(const QString& text, const QLocale& locale = QLocale());
    // The same, or nothing when the text is no amount or does not fit the currency type.
    static std::optional<Currency> ParseCurrency(const QString& text,
                                                 const QLocale& locale = QLocale());

    // Whether a field of the data type takes text as its value: any text for a text field; for
    // a number or an amount, an amount the locale reads, or blanks (an empty field). Text it
    // does not take counts as 0.
    static bool Reads(const QString& text, DataTypeCode dataType,
                      const QLocale& locale = QLocale());

    // What a computed field or cell shows for an infinite or undefined result (a division by
    // zero), whatever its data type.
    static const QString& UndefinedText();

    // printf-style: decimals 0 to 6 give "%.Nf", anything else but -1 "%f". The automatic -1 of
    // computed results gives "%.0f" for a whole number and two decimals for a fraction, rounded
    // in decimal as an amount is (2.675 gives 2.68). The decimal point is always a point.
    static QString FormatNumber(double value, int decimals);
    // The same with the locale's decimal separator and minus sign: what a field of a numeric
    // type shows, so that the text reads back as the same number in that locale.
    static QString FormatNumber(double value, int decimals, const QLocale& locale);

    // Empty for zero when blankIfZero; without the sign the plain amount (no symbol, no
    // grouping); with it the locale's currency form with its symbol, grouping and decimals.
    static QString FormatCurrency(Currency amount, bool withoutSign, bool blankIfZero,
                                  const QLocale& locale = QLocale());
};
