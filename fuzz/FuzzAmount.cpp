// Amount reading and showing against any text, in every locale the test suites pin: the reader
// comes back with an amount or with nothing, an amount shown is read back as itself, and a field
// left again keeps the text it was given the first time. The amount in words is written for
// every amount that reads.
//
// The input: the first byte picks the locale, the second the decimals of the format, the rest
// is the typed text in UTF-8.
#include "AmountInput.h"
#include "FuzzCheck.h"
#include "capture_model/CNumberWords.h"
#include "capture_model/Currency.h"
#include "capture_model/DataType.h"
#include "capture_model/ValueText.h"

#include <cmath>
#include <cstdint>

namespace {

// Beyond this many ten-thousandths (ten thousand million pesos) the locale's currency form
// passes through a double whose digits no longer hold every cent.
constexpr std::int64_t kExactlyShown = 100'000'000'000'000;

// A locale with a decimal point writes a number field's value in the form it reads it back in;
// the others read the point as something else, and a number field keeps its printf form there.
bool ReadsThePoint(const QLocale& locale) {
    return locale.decimalPoint() == QStringLiteral(".");
}

void CheckCurrency(const QString& text, const QLocale& locale) {
    const std::optional<Currency> amount = ValueText::ParseCurrency(text, locale);
    if (!amount)
        return;
    // A currency field without its sign stores the plain amount: it must read back exactly.
    const QString plain = ValueText::FormatCurrency(*amount, true, false, locale);
    FuzzCheck::Require(ValueText::ParseCurrency(plain, locale) == amount,
                       "the plain amount does not read back as itself", text, plain);

    // With the sign, what is shown is rounded to the locale's decimals once: reading it and
    // showing it again must give the same text.
    if (amount->Units() > -kExactlyShown && amount->Units() < kExactlyShown) {
        const QString shown = ValueText::FormatCurrency(*amount, false, false, locale);
        const std::optional<Currency> again = ValueText::ParseCurrency(shown, locale);
        FuzzCheck::Require(again.has_value(), "a shown amount does not read", text, shown);
        FuzzCheck::Require(ValueText::FormatCurrency(*again, false, false, locale) == shown,
                           "a shown amount changes when shown again", text, shown);
    }

    // The words: only whole pesos from 0 to 999,999,999,999 (cents rounded as printed) have them.
    const double value = amount->ToDouble();
    const double cents = std::round(value * 100);
    const QString words = CNumberWords().AmountInWords(value);
    const bool outOfRange = words == CNumberWords::OutOfRangeMessage();
    const bool writable = cents >= 0 && cents < 100'000'000'000'000.0;
    FuzzCheck::Require(outOfRange != writable, "the amount in words disagrees with its range", text,
                       words);
    if (writable)
        FuzzCheck::Require(words.endsWith(QStringLiteral("/100 M.N.")),
                           "the amount in words lacks its cents and postfix", text, words);
}

void CheckNumber(const QString& text, int decimals, const QLocale& locale) {
    const QString shown =
        ValueText::FormatValue(text, DataTypeCode::Numero, decimals, false, locale);
    const double value = ValueText::ParseAmount(text, locale);
    // Four decimals are all an amount keeps: a number field with more changes as it is read.
    if (!ReadsThePoint(locale) || decimals > 4 || std::fabs(value) >= 1e14)
        return;
    // What the field shows reads as the number it was given, rounded to the field's decimals.
    const QString again =
        ValueText::FormatValue(shown, DataTypeCode::Numero, decimals, false, locale);
    FuzzCheck::Require(ValueText::ParseAmount(again, locale) ==
                           ValueText::ParseAmount(shown, locale),
                       "a number field reads as another number when it is left again", text, again);
    // With fixed decimals the text stays too, but for printf's "-0.00" for a negative amount
    // that rounds to nothing, which reads as 0. Automatic decimals may drop a fraction that
    // rounded to ".00" ("1.00", then "1").
    if (decimals < 0)
        return;
    const bool minusZero = shown.startsWith(QLatin1Char('-')) && again == shown.mid(1) &&
                           ValueText::ParseAmount(again, locale) == 0;
    FuzzCheck::Require(again == shown || minusZero, "a number field changes when it is left again",
                       text, shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const AmountInput input = AmountInput::Read(data, size);
    CheckCurrency(input.text, input.locale);
    CheckNumber(input.text, input.decimals, input.locale);
    // Every data type, with and without the sign, must come back with a text.
    for (int type = 0; type <= 5; ++type) {
        (void)ValueText::FormatValue(input.text, static_cast<DataTypeCode>(type), input.decimals,
                                     type % 2 == 0, input.locale);
    }
    return 0;
}
