#pragma once

#include "model/FormatSettings.h"

#include <QString>

#include <array>
#include <cstdint>

// Writes an amount out in Spanish capitals the way cheques and receipts repeat it: the whole
// pesos in words, the currency name, the cents as a fraction of 100 and a postfix, as in
// "CIENTO VEINTITRES MIL CUATROCIENTOS CINCUENTA Y SEIS PESOS 78/100 M.N.". The words cover
// 0 to 999,999; anything else gives the out-of-range message alone. The blanks between words
// are part of the result that forms print, so they are kept exactly as the rules make them.
// The currency name and postfix are those of the format the amount belongs to.
class CNumberWords {
public:
    // With "PESOS" and "M.N.", as a new format has them.
    CNumberWords();
    // With the currency name and postfix of a format's settings.
    explicit CNumberWords(const FormatSettings& settings);

    // The whole line for an amount, its cents rounded as a currency figure rounds them (in
    // decimal, a half away from zero): 1.005 gives 01/100. A negative amount, or one too large
    // to write, gives the out-of-range message.
    QString AmountInWords(double amount) const;
    void SetCurrencyName(const QString& name) { m_currencyName = name; }
    void SetPostfix(const QString& postfix) { m_postfix = postfix; }
    const QString& CurrencyName() const { return m_currencyName; }
    const QString& Postfix() const { return m_postfix; }

    // The words for 0 to 999,999, or the out-of-range message for any other number.
    QString IntegerInWords(std::int32_t n) const;
    // The words of one digit (count 1) or of two digits (count 2, units digit first); any other
    // count, or a digit outside 0 to 9, gives the empty text.
    QString PairInWords(int count, const int* digits) const;

    static const QString& OutOfRangeMessage();

private:
    using Table = std::array<QString, 10>;

    // The hundreds word of digit d, or "CIEN" for an even hundred with nothing after it.
    QString Hundreds(int digit, const QString& rest) const;

    Table m_units;
    Table m_teens;
    Table m_tens;
    Table m_hundreds;
    QString m_currencyName = QStringLiteral("PESOS");
    QString m_postfix = QStringLiteral("M.N.");
};
