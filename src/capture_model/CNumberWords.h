#pragma once

#include "model/AmountWording.h"
#include "model/FormatSettings.h"

#include <QString>

#include <array>
#include <cstdint>

// Writes an amount out in Spanish capitals the way cheques and receipts repeat it: the whole
// pesos in words, the currency name, the cents as a fraction of 100 and a postfix, as in
// "CIENTO VEINTITRES MIL CUATROCIENTOS CINCUENTA Y SEIS PESOS 78/100 M.N.". The words cover
// 0 to 999,999,999,999; anything else gives the out-of-range message alone. The currency name
// and postfix are those of the format the amount belongs to.
//
// Two wordings. The traditional one, which every format had before it could choose, is kept
// below a million exactly as forms have always printed it, blank for blank ("UN PESOS",
// "UN MIL", "CIENTO  UN", "Cero"), because printed pages and the files that hold them must not
// change; from a million up it puts the millions before those same words ("UN MILLON UN MIL
// CIENTO UN PESOS"). The grammatical one writes what a reader of Spanish expects: single blanks,
// "UN PESO", "MIL", "CERO PESOS", "UN MILLON MIL CIENTO UN PESOS". Both count the millions
// alike ("UN MILLON", "DOS MILLONES", "MIL MILLONES") and write "DE" after a round million.
class CNumberWords {
public:
    using Wording = AmountWording;

    // The largest whole amount that has words.
    static constexpr std::int64_t kMaxWhole = 999'999'999'999;

    // With "PESOS" and "M.N.", as a new format has them, in the traditional wording.
    CNumberWords();
    // With the currency name and postfix of a format's settings.
    explicit CNumberWords(const FormatSettings& settings, Wording wording = Wording::Traditional);

    // The whole line for an amount, its cents rounded as a currency figure rounds them (in
    // decimal, a half away from zero): 1.005 gives 01/100. A negative amount, or one too large
    // to write, gives the out-of-range message.
    QString AmountInWords(double amount) const;
    void SetCurrencyName(const QString& name) { m_currencyName = name; }
    void SetPostfix(const QString& postfix) { m_postfix = postfix; }
    void SetWording(Wording wording) { m_wording = wording; }
    const QString& CurrencyName() const { return m_currencyName; }
    const QString& Postfix() const { return m_postfix; }
    Wording CurrentWording() const { return m_wording; }

    // The traditional words for 0 to 999,999, or the out-of-range message for any other number.
    QString IntegerInWords(std::int32_t n) const;
    // The grammatical words for 0 to kMaxWhole, single blanks, "CERO" for nothing; the
    // out-of-range message for any other number.
    QString WholeInWords(std::int64_t n) const;
    // The singular of a currency name by the Spanish rule, word by word: PESOS gives PESO,
    // DOLARES DOLAR, QUETZALES QUETZAL, PESOS MEXICANOS PESO MEXICANO. A word that is not a
    // plural stays as given.
    static QString Singular(const QString& name);
    // The words of one digit (count 1) or of two digits (count 2, units digit first); any other
    // count, or a digit outside 0 to 9, gives the empty text.
    QString PairInWords(int count, const int* digits) const;

    static const QString& OutOfRangeMessage();

private:
    using Table = std::array<QString, 10>;

    // The hundreds word of digit d, or "CIEN" for an even hundred with nothing after it.
    QString Hundreds(int digit, const QString& rest) const;
    // Grammatical words for 1 to 999 and for 1 to 999,999; the empty text for 0.
    QString BelowThousand(int n) const;
    QString BelowMillion(int n) const;

    Table m_units;
    Table m_teens;
    Table m_tens;
    Table m_hundreds;
    QString m_currencyName = QStringLiteral("PESOS");
    QString m_postfix = QStringLiteral("M.N.");
    Wording m_wording = Wording::Traditional;
};
