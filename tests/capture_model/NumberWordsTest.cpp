#include "capture_model/CNumberWords.h"
#include "capture_model/ValueText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

class NumberWordsTest : public ::testing::Test {
protected:
    static QString Words(double amount) { return CNumberWords().AmountInWords(amount); }
    static QString Integer(std::int32_t n) { return CNumberWords().IntegerInWords(n); }
};

TEST_F(NumberWordsTest, AmountsKeepTheirBlanksExactly) {
    EXPECT_EQ(Words(0), "Cero PESOS 00/100 M.N.");
    EXPECT_EQ(Words(0.5), "Cero PESOS 50/100 M.N.");
    EXPECT_EQ(Words(1), "UN PESOS 00/100 M.N.");
    EXPECT_EQ(Words(15.07), "QUINCE PESOS 07/100 M.N.");
    EXPECT_EQ(Words(100), "CIEN  PESOS 00/100 M.N.");
    EXPECT_EQ(Words(101), "CIENTO  UN PESOS 00/100 M.N.");
    EXPECT_EQ(Words(200), "DOSCIENTOS   PESOS 00/100 M.N.");
    EXPECT_EQ(Words(1000), "UN MIL  PESOS 00/100 M.N.");
    EXPECT_EQ(Words(1101), "UN MIL CIENTO UN PESOS 00/100 M.N.");
    EXPECT_EQ(Words(123456.78),
              "CIENTO VEINTITRES MIL CUATROCIENTOS CINCUENTA Y SEIS PESOS 78/100 M.N.");
    EXPECT_EQ(Words(999999.99), "NOVECIENTOS NOVENTA Y NUEVE MIL NOVECIENTOS NOVENTA Y NUEVE "
                                "PESOS 99/100 M.N.");
}

TEST_F(NumberWordsTest, CentsComeFromTwoDecimalRounding) {
    EXPECT_EQ(Words(0.05), "Cero PESOS 05/100 M.N.");
    EXPECT_EQ(Words(2.999), "TRES PESOS 00/100 M.N.");
    // Rounded in decimal, a half away from zero, as the figure beside the words is: neither the
    // binary neighbour of 1.005 (1.00499...) nor printf's tie to the even cent of 0.125.
    EXPECT_EQ(Words(1.005), "UN PESOS 01/100 M.N.");
    EXPECT_EQ(Words(2.675), "DOS PESOS 68/100 M.N.");
    EXPECT_EQ(Words(0.125), "Cero PESOS 13/100 M.N.");
    // The pesos come from the same rounding: the cents carry into them.
    EXPECT_EQ(Words(999.995), "UN MIL  PESOS 00/100 M.N.");
    EXPECT_EQ(Words(999999.999), "UN MILLON DE PESOS 00/100 M.N.");
}

TEST_F(NumberWordsTest, MillionsAndBeyond) {
    EXPECT_EQ(Words(1000000), "UN MILLON DE PESOS 00/100 M.N.");
    EXPECT_EQ(Words(1000000.5), "UN MILLON DE PESOS 50/100 M.N.");
    EXPECT_EQ(Words(1000001), "UN MILLON UN PESOS 00/100 M.N.");
    // Below the millions the traditional words stay, blank for blank.
    EXPECT_EQ(Words(1001000), "UN MILLON UN MIL  PESOS 00/100 M.N.");
    EXPECT_EQ(Words(1001101.01), "UN MILLON UN MIL CIENTO UN PESOS 01/100 M.N.");
    EXPECT_EQ(Words(1257151.25), "UN MILLON DOSCIENTOS CINCUENTA Y SIETE MIL CIENTO CINCUENTA Y "
                                 "UN PESOS 25/100 M.N.");
    EXPECT_EQ(Words(2000000), "DOS MILLONES DE PESOS 00/100 M.N.");
    EXPECT_EQ(Words(21000000), "VEINTIUN MILLONES DE PESOS 00/100 M.N.");
    EXPECT_EQ(Words(100000000), "CIEN MILLONES DE PESOS 00/100 M.N.");
    EXPECT_EQ(Words(101000100), "CIENTO UN MILLONES CIEN  PESOS 00/100 M.N.");
    EXPECT_EQ(Words(1e9), "MIL MILLONES DE PESOS 00/100 M.N.");
    EXPECT_EQ(Words(21001000000), "VEINTIUN MIL UN MILLONES DE PESOS 00/100 M.N.");
    EXPECT_EQ(Words(999999999999.99),
              "NOVECIENTOS NOVENTA Y NUEVE MIL NOVECIENTOS NOVENTA Y NUEVE MILLONES NOVECIENTOS "
              "NOVENTA Y NUEVE MIL NOVECIENTOS NOVENTA Y NUEVE PESOS 99/100 M.N.");
    FormatSettings dollars;
    dollars.currencyName = QStringLiteral("DOLARES");
    EXPECT_EQ(CNumberWords(dollars).AmountInWords(3e6), "TRES MILLONES DE DOLARES 00/100 M.N.");
    // No currency name: no "DE" before nothing.
    dollars.currencyName.clear();
    EXPECT_EQ(CNumberWords(dollars).AmountInWords(3e6), "TRES MILLONES  00/100 M.N.");
}

TEST_F(NumberWordsTest, TheGrammaticalWording) {
    CNumberWords words;
    words.SetWording(CNumberWords::Wording::Grammatical);
    const auto line = [&words](double amount) { return words.AmountInWords(amount); };
    EXPECT_EQ(line(0), "CERO PESOS 00/100 M.N.");
    EXPECT_EQ(line(1), "UN PESO 00/100 M.N.");
    EXPECT_EQ(line(1.5), "UN PESO 50/100 M.N.");
    EXPECT_EQ(line(2), "DOS PESOS 00/100 M.N.");
    EXPECT_EQ(line(100), "CIEN PESOS 00/100 M.N.");
    EXPECT_EQ(line(101), "CIENTO UN PESOS 00/100 M.N.");
    EXPECT_EQ(line(200), "DOSCIENTOS PESOS 00/100 M.N.");
    EXPECT_EQ(line(1000), "MIL PESOS 00/100 M.N.");
    EXPECT_EQ(line(1001), "MIL UN PESOS 00/100 M.N.");
    EXPECT_EQ(line(21000), "VEINTIUN MIL PESOS 00/100 M.N.");
    EXPECT_EQ(line(100000), "CIEN MIL PESOS 00/100 M.N.");
    EXPECT_EQ(line(101000), "CIENTO UN MIL PESOS 00/100 M.N.");
    EXPECT_EQ(line(200000), "DOSCIENTOS MIL PESOS 00/100 M.N.");
    EXPECT_EQ(line(2000000), "DOS MILLONES DE PESOS 00/100 M.N.");
    EXPECT_EQ(line(1001101.01), "UN MILLON MIL CIENTO UN PESOS 01/100 M.N.");
    EXPECT_EQ(line(-1), "Numero fuera de rango!");
    EXPECT_EQ(line(1e12), "Numero fuera de rango!");
    // Exactly one takes the singular of the format's own currency name.
    for (const auto& [plural, singular] :
         {std::pair{"DOLARES", "DOLAR"}, std::pair{"EUROS", "EURO"},
          std::pair{"QUETZALES", "QUETZAL"}, std::pair{"PESOS MEXICANOS", "PESO MEXICANO"},
          std::pair{"colones", "colon"}, std::pair{"DLS", "DLS"}, std::pair{"YEN", "YEN"},
          std::pair{"", ""}}) {
        words.SetCurrencyName(QString::fromUtf8(plural));
        EXPECT_EQ(line(1), QStringLiteral("UN %1 00/100 M.N.").arg(QString::fromUtf8(singular)))
            << plural;
        EXPECT_EQ(line(2), QStringLiteral("DOS %1 00/100 M.N.").arg(QString::fromUtf8(plural)))
            << plural;
    }
}

TEST_F(NumberWordsTest, ThreeDigitAndThousandsJoints) {
    EXPECT_EQ(Integer(100), "CIEN ");
    EXPECT_EQ(Integer(110), "CIENTO  DIEZ");
    EXPECT_EQ(Integer(999), "NOVECIENTOS  NOVENTA Y NUEVE");
    EXPECT_EQ(Integer(1100), "UN MIL CIEN");
    EXPECT_EQ(Integer(1234), "UN MIL DOSCIENTOS TREINTA Y CUATRO");
    EXPECT_EQ(Integer(10000), "DIEZ MIL ");
    EXPECT_EQ(Integer(21000), "VEINTIUN MIL ");
    EXPECT_EQ(Integer(45005), "CUARENTA Y CINCO MIL CINCO");
    EXPECT_EQ(Integer(100000), "CIEN MIL ");
    EXPECT_EQ(Integer(100100), "CIEN MIL CIEN");
    EXPECT_EQ(Integer(101000), "CIENTO UN MIL ");
    EXPECT_EQ(Integer(200000), "DOSCIENTOS  MIL ");
    EXPECT_EQ(Integer(516020), "QUINIENTOS DIECISEIS MIL VEINTE");
}

TEST_F(NumberWordsTest, PairsOfDigits) {
    const CNumberWords words;
    const auto pair = [&words](int tens, int units) {
        const int digits[2] = {units, tens};
        return words.PairInWords(2, digits);
    };
    EXPECT_EQ(pair(2, 1), "VEINTIUN");
    EXPECT_EQ(pair(2, 6), "VEINTISEIS");
    EXPECT_EQ(pair(3, 1), "TREINTA Y UN");
    EXPECT_EQ(pair(2, 0), "VEINTE");
    EXPECT_EQ(pair(0, 5), "CINCO");
    EXPECT_EQ(pair(0, 0), "");
    EXPECT_EQ(pair(1, 9), "DIECINUEVE");
    const int seven[2] = {7, 0};
    EXPECT_EQ(words.PairInWords(1, seven), "SIETE");
    EXPECT_EQ(words.PairInWords(3, seven), "");
    const int bad[2] = {-3, 12};
    EXPECT_EQ(words.PairInWords(2, bad), "");
}

TEST_F(NumberWordsTest, OutOfRangeGivesTheMessageAlone) {
    const QString message = QStringLiteral("Numero fuera de rango!");
    EXPECT_EQ(Words(1e12), message);
    EXPECT_EQ(Words(999999999999.995), message);
    EXPECT_EQ(Words(5e15), message);
    EXPECT_EQ(Words(1e300), message);
    EXPECT_EQ(Words(std::numeric_limits<double>::infinity()), message);
    EXPECT_EQ(Words(std::nan("")), message);
    EXPECT_EQ(Integer(std::numeric_limits<std::int32_t>::max()), message);
}

TEST_F(NumberWordsTest, NegativeAmountsHaveNoWords) {
    const QString message = QStringLiteral("Numero fuera de rango!");
    EXPECT_EQ(Words(-5), message);
    EXPECT_EQ(Words(-0.5), message);
    EXPECT_EQ(Words(-1e12), message);
    EXPECT_EQ(Integer(-7), message);
    EXPECT_EQ(Integer(std::numeric_limits<std::int32_t>::min()), message);
    // Rounds to nothing at all: an amount of zero.
    EXPECT_EQ(Words(-0.001), "Cero PESOS 00/100 M.N.");
}

TEST_F(NumberWordsTest, CurrencyNameAndPostfixAreCopiedAsGiven) {
    FormatSettings settings;
    settings.currencyName = QStringLiteral("DOLARES");
    settings.postfix = QString();
    CNumberWords words(settings);
    EXPECT_EQ(words.AmountInWords(2), "DOS DOLARES 00/100 ");
    words.SetCurrencyName(QString());
    EXPECT_EQ(words.AmountInWords(2), "DOS  00/100 ");
    EXPECT_EQ(words.AmountInWords(1e13), "Numero fuera de rango!");
    // A format's own words stay with it: a second set of settings changes nothing here.
    EXPECT_EQ(Words(2), "DOS PESOS 00/100 M.N.");
}

// The line a figure's words must be: the pesos and cents read off the figure itself.
QString WordsOfFigure(const QString& figure) {
    QString digits = figure;
    digits.remove(QLatin1Char('$')).remove(QLatin1Char(','));
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    const int pesos = digits.left(point).toInt();
    return QStringLiteral("%1 PESOS %2/100 M.N.")
        .arg(CNumberWords().IntegerInWords(pesos), digits.mid(point + 1));
}

TEST_F(NumberWordsTest, WordsSayTheCentsTheFigureShows) {
    const QLocale mexico(QStringLiteral("es_MX"));
    std::mt19937_64 random(20250522);
    for (int i = 0; i < 4000; ++i) {
        // A typed amount with three or four decimals, as a script or a careless hand writes it.
        const int decimals = 3 + static_cast<int>(random() % 2);
        const std::uint64_t scale = decimals == 3 ? 1000 : 10000;
        const std::uint64_t units = random() % (scale * 999999);
        const QString typed = QStringLiteral("%1.%2")
                                  .arg(units / scale)
                                  .arg(units % scale, decimals, 10, QLatin1Char('0'));
        const QString figure =
            ValueText::FormatValue(typed, DataTypeCode::Moneda, 2, false, mexico);
        ASSERT_EQ(Words(ValueText::ParseAmount(typed, mexico)), WordsOfFigure(figure))
            << typed.toStdString();
        // A computed amount (a product, a quotient) is rounded to cents once, for its figure
        // and its words alike.
        const double computed = ValueText::ParseAmount(typed, mexico) * 1.16 / 3.0;
        const QString computedFigure =
            ValueText::FormatValue(ValueText::FormatNumber(computed, -1, mexico),
                                   DataTypeCode::MonedaCalculado, 2, false, mexico);
        ASSERT_EQ(Words(computed), WordsOfFigure(computedFigure)) << computed;
    }
    // Amounts of whole cents are written with exactly their own cents.
    for (int cents = 0; cents < 100000; cents += 7) {
        const QString typed =
            QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
        ASSERT_EQ(Words(cents / 100.0), WordsOfFigure(ValueText::FormatValue(
                                            typed, DataTypeCode::Moneda, 2, false, mexico)))
            << typed.toStdString();
    }
}

} // namespace

namespace {

// The same rules written a second way, by value instead of by digit tables, so that the two can
// be compared across the range.
std::string ReferenceBelowHundred(int n) {
    static const char* const units[] = {"",      "UN",   "DOS",   "TRES", "CUATRO",
                                        "CINCO", "SEIS", "SIETE", "OCHO", "NUEVE"};
    static const char* const teens[] = {"DIEZ",      "ONCE",      "DOCE",      "TRECE",
                                        "CATORCE",   "QUINCE",    "DIECISEIS", "DIECISIETE",
                                        "DIECIOCHO", "DIECINUEVE"};
    static const char* const tens[] = {"",          "",        "VEINTE",  "TREINTA", "CUARENTA",
                                       "CINCUENTA", "SESENTA", "SETENTA", "OCHENTA", "NOVENTA"};
    if (n < 10)
        return units[n];
    if (n < 20)
        return teens[n - 10];
    if (n % 10 == 0)
        return tens[n / 10];
    if (n / 10 == 2)
        return std::string("VEINTI") + units[n % 10];
    return std::string(tens[n / 10]) + " Y " + units[n % 10];
}

std::string ReferenceHundred(int hundreds, const std::string& rest) {
    static const char* const words[] = {"",
                                        "CIENTO ",
                                        "DOSCIENTOS ",
                                        "TRESCIENTOS ",
                                        "CUATROCIENTOS ",
                                        "QUINIENTOS ",
                                        "SEISCIENTOS ",
                                        "SETECIENTOS ",
                                        "OCHOCIENTOS ",
                                        "NOVECIENTOS "};
    return hundreds == 1 && rest.empty() ? "CIEN" : words[hundreds];
}

std::string Reference(int n) {
    if (n == 0)
        return "Cero";
    const std::string low = ReferenceBelowHundred(n % 100);
    const std::string lowHundred = ReferenceHundred(n / 100 % 10, low);
    if (n < 100)
        return low;
    if (n < 1000)
        return lowHundred + " " + low;
    const std::string thousands = ReferenceBelowHundred(n / 1000 % 100);
    const std::string head =
        n < 100000 ? thousands : ReferenceHundred(n / 100000, thousands) + thousands;
    return head + " MIL " + lowHundred + low;
}

// Every amount below 2,000 (each pair of digits, each hundred and the first thousand), every
// count of thousands at its edges (one below, exactly, one and a hundred above), and a fixed
// sample of the rest.
std::vector<int> SampledAmounts() {
    std::vector<int> amounts;
    for (int n = 0; n < 2000; ++n)
        amounts.push_back(n);
    for (int thousand = 2000; thousand < 1000000; thousand += 1000) {
        amounts.push_back(thousand - 1);
        amounts.push_back(thousand);
        amounts.push_back(thousand + 1);
        amounts.push_back(thousand + 100);
    }
    amounts.push_back(999999);
    std::mt19937 random(20240607);
    for (int i = 0; i < 5000; ++i)
        amounts.push_back(static_cast<int>(random() % 1000000));
    return amounts;
}

// The grammatical words written a second way: by value, halving the number at each scale.
std::string ReferenceGrammatical(std::int64_t n) {
    static const char* const hundreds[] = {
        "",           "CIENTO",      "DOSCIENTOS",  "TRESCIENTOS", "CUATROCIENTOS",
        "QUINIENTOS", "SEISCIENTOS", "SETECIENTOS", "OCHOCIENTOS", "NOVECIENTOS"};
    const auto join = [](const std::string& a, const std::string& b) {
        return a.empty() ? b : b.empty() ? a : a + " " + b;
    };
    if (n == 0)
        return "";
    if (n < 100)
        return ReferenceBelowHundred(static_cast<int>(n));
    if (n == 100)
        return "CIEN";
    if (n < 1000)
        return join(hundreds[n / 100], ReferenceGrammatical(n % 100));
    if (n < 1'000'000)
        return join(n / 1000 == 1 ? "MIL" : ReferenceGrammatical(n / 1000) + " MIL",
                    ReferenceGrammatical(n % 1000));
    return join(n / 1'000'000 == 1 ? "UN MILLON"
                                   : ReferenceGrammatical(n / 1'000'000) + " MILLONES",
                ReferenceGrammatical(n % 1'000'000));
}

// Every amount below 2,000, every thousand and every million at its edges up to ten thousand
// millions, every thousand millions, and a fixed sample of the whole range.
std::vector<std::int64_t> SampledLargeAmounts() {
    std::vector<std::int64_t> amounts;
    for (std::int64_t n = 0; n < 2000; ++n)
        amounts.push_back(n);
    const auto edges = [&amounts](std::int64_t at) {
        for (const std::int64_t n : {at - 1, at, at + 1, at + 100, at + 1000})
            amounts.push_back(n);
    };
    for (std::int64_t n = 1000; n < 1'000'000; n += 1000)
        edges(n);
    for (std::int64_t n = 1'000'000; n <= 10'000'000'000; n += 1'000'000)
        edges(n);
    for (std::int64_t n = 1'000'000'000; n < 1'000'000'000'000; n += 1'000'000'000)
        edges(n);
    amounts.push_back(CNumberWords::kMaxWhole);
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 20000; ++i)
        amounts.push_back(static_cast<std::int64_t>(random() % (CNumberWords::kMaxWhole + 1)));
    return amounts;
}

TEST(NumberWordsReferenceTest, LargeAmountsAgreeWithASecondWriting) {
    CNumberWords traditional;
    CNumberWords grammatical;
    grammatical.SetWording(CNumberWords::Wording::Grammatical);
    int mismatches = 0;
    for (const std::int64_t n : SampledLargeAmounts()) {
        const std::string whole = n == 0 ? "CERO" : ReferenceGrammatical(n);
        const std::string currency = n == 1 ? "PESO" : "PESOS";
        const std::string de = n != 0 && n % 1'000'000 == 0 ? " DE" : "";
        const std::string expected = whole + de + " " + currency + " 00/100 M.N.";
        const std::string actual = grammatical.AmountInWords(static_cast<double>(n)).toStdString();
        // From a million up the traditional wording counts the millions alike and writes the
        // rest as it always has.
        const std::int64_t rest = n % 1'000'000;
        const std::string traditionalWords = rest == 0 ? expected
                                                       : ReferenceGrammatical(n - rest) + " " +
                                                             Reference(static_cast<int>(rest)) +
                                                             " PESOS 00/100 M.N.";
        const std::string same =
            n < 1'000'000 ? expected
                          : traditional.AmountInWords(static_cast<double>(n)).toStdString();
        const std::string wanted = n < 1'000'000 ? expected : traditionalWords;
        if (actual != expected || same != wanted) {
            ADD_FAILURE() << n << ": \"" << actual << "\" / \"" << same << "\" instead of \""
                          << expected << "\"";
            if (++mismatches == 5)
                break;
        }
    }
}

TEST(NumberWordsReferenceTest, WholeAmountsAgreeWithASecondWriting) {
    const CNumberWords words;
    int mismatches = 0;
    for (const int n : SampledAmounts()) {
        const std::string expected = Reference(n);
        const std::string actual = words.IntegerInWords(n).toStdString();
        if (actual != expected) {
            ADD_FAILURE() << n << ": \"" << actual << "\" instead of \"" << expected << "\"";
            if (++mismatches == 5)
                break;
        }
    }
}

} // namespace
