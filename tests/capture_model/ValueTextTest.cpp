#include "capture_model/ValueText.h"
#include "capture_model/DataType.h"
#include "model/FormatSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const QLocale kMexico(QStringLiteral("es_MX"));
const QLocale kUnitedStates(QStringLiteral("en_US"));
const QLocale kGermany(QStringLiteral("de_DE"));
const QLocale kFrance(QStringLiteral("fr_FR"));
const QLocale kEgypt(QStringLiteral("ar_EG"));

QString Number(const QString& text, int decimals) {
    return ValueText::FormatValue(text, DataTypeCode::Numero, decimals, false, QLocale::c());
}

TEST(ValueTextTest, NumbersTakeTheFormatsDecimals) {
    EXPECT_EQ(Number(QStringLiteral("12.46"), 0), "12");
    EXPECT_EQ(Number(QStringLiteral("12.46"), 1), "12.5");
    EXPECT_EQ(Number(QStringLiteral("12.46"), 2), "12.46");
    EXPECT_EQ(Number(QStringLiteral("abc"), 2), "0.00");
    EXPECT_EQ(Number(QString(), 0), "0");
    EXPECT_EQ(ValueText::FormatValue(QStringLiteral("7.5"), DataTypeCode::NumeroCalculado, 3, false,
                                     QLocale::c()),
              "7.500");
}

TEST(ValueTextTest, AutomaticAndUnlistedDecimals) {
    EXPECT_EQ(ValueText::FormatNumber(3.0, -1), "3");
    EXPECT_EQ(ValueText::FormatNumber(3.25, -1), "3.25");
    EXPECT_EQ(ValueText::FormatNumber(-2.0, -1), "-2");
    // Outside the 32-bit range a whole number still counts as one with a fraction.
    EXPECT_EQ(ValueText::FormatNumber(5e9, -1), "5000000000.00");
    EXPECT_EQ(ValueText::FormatNumber(3.2, 7), "3.200000");
    EXPECT_EQ(ValueText::FormatNumber(3.2, -5), "3.200000");
    EXPECT_EQ(ValueText::FormatNumber(1.0 / 3.0, 6), "0.333333");
    // Ties of exact binary fractions round to even, as printf does.
    EXPECT_EQ(ValueText::FormatNumber(2.5, 0), "2");
    EXPECT_EQ(ValueText::FormatNumber(0.125, 2), "0.12");
    // The largest amounts are written out in full, every digit the double's own.
    EXPECT_EQ(ValueText::FormatNumber(1e300, 6),
              "1000000000000000052504760255204420248704468581108159154915854115511802457988908195"
              "7863713750804478640437044438328838781769425232353604305756447921847867069828483872"
              "0092657580373783023379478809005936895323497079994508111903896764088007465274278014"
              "2494579258788820056842838115669472196386865459400540160.000000");
}

TEST(ValueTextTest, ComputedResultsRoundToCentsInDecimal) {
    // The binary neighbours of these lie below the half cent; the amounts they stand for do not.
    EXPECT_EQ(ValueText::FormatNumber(1.005, -1), "1.01");
    EXPECT_EQ(ValueText::FormatNumber(2.675, -1), "2.68");
    EXPECT_EQ(ValueText::FormatNumber(0.125, -1), "0.13");
    EXPECT_EQ(ValueText::FormatNumber(-2.675, -1), "-2.68");
    EXPECT_EQ(ValueText::FormatNumber(-0.001, -1), "0.00");
    EXPECT_EQ(ValueText::FormatNumber(2.675, -1, kGermany), "2,68");
    // Where a double holds no ten-thousandths any more, the binary rounding stays: a whole
    // number keeps its last digit.
    EXPECT_EQ(ValueText::FormatNumber(308836698141973.0, -1), "308836698141973.00");
    EXPECT_EQ(ValueText::FormatNumber(1e300, -1).right(3), ".00");
}

TEST(ValueTextTest, NumberFieldsReadAmountsOrNothing) {
    for (const QString& text :
         {QStringLiteral("8500,50"), QStringLiteral("8 500"), QStringLiteral("ocho mil"),
          QStringLiteral("12abc"), QStringLiteral("1e30"), QStringLiteral("Indefinido")}) {
        EXPECT_FALSE(ValueText::Reads(text, DataTypeCode::Moneda, kMexico)) << text.toStdString();
        EXPECT_FALSE(ValueText::Reads(text, DataTypeCode::NumeroCalculado, kMexico))
            << text.toStdString();
        EXPECT_TRUE(ValueText::Reads(text, DataTypeCode::Texto, kMexico)) << text.toStdString();
    }
    for (const QString& text :
         {QString(), QStringLiteral("  "), QStringLiteral("8,500.50"), QStringLiteral("$8,500.50"),
          QStringLiteral("-1.005"), QStringLiteral("1e3")})
        EXPECT_TRUE(ValueText::Reads(text, DataTypeCode::Numero, kMexico)) << text.toStdString();
    // What one locale writes, another may not read.
    EXPECT_TRUE(ValueText::Reads(QStringLiteral("8500,50"), DataTypeCode::Moneda, kGermany));
    EXPECT_FALSE(ValueText::Reads(QStringLiteral("8,500.50"), DataTypeCode::Moneda, kGermany));
}

TEST(ValueTextTest, TextIsNeverChanged) {
    for (const QString& text :
         {QStringLiteral("1,234.50"), QStringLiteral("  12 "), QStringLiteral("abc"), QString()})
        EXPECT_EQ(ValueText::FormatValue(text, DataTypeCode::Texto, 2, false, kMexico), text);
}

TEST(ValueTextTest, CurrencyWithAndWithoutTheSign) {
    const QString amount = QStringLiteral("1234.5");
    EXPECT_EQ(ValueText::FormatValue(amount, DataTypeCode::Moneda, 2, false, kMexico), "$1,234.50");
    EXPECT_EQ(ValueText::FormatValue(amount, DataTypeCode::Moneda, 2, true, kMexico), "1234.5");
    EXPECT_EQ(
        ValueText::FormatValue(amount, DataTypeCode::MonedaCalculado, 2, false, kUnitedStates),
        "$1,234.50");
    EXPECT_EQ(ValueText::FormatValue(amount, DataTypeCode::Moneda, 2, false, QLocale::c()),
              "1234.50");
    EXPECT_EQ(ValueText::FormatValue(amount, DataTypeCode::Moneda, 2, true, QLocale::c()),
              "1234.5");
    EXPECT_EQ(
        ValueText::FormatValue(QStringLiteral("1234,5"), DataTypeCode::Moneda, 2, false, kGermany),
        QStringLiteral("1.234,50\u00a0€"));
    EXPECT_EQ(
        ValueText::FormatValue(QStringLiteral("1234,5"), DataTypeCode::Moneda, 2, true, kGermany),
        "1234,5");
    EXPECT_EQ(ValueText::FormatValue(QStringLiteral("12"), DataTypeCode::Moneda, 2, true, kMexico),
              "12");
    EXPECT_EQ(
        ValueText::FormatValue(QStringLiteral("abc"), DataTypeCode::Moneda, 2, false, kMexico),
        "$0.00");
    // Rounded as the decimal amount it is, not as its nearest binary fraction.
    EXPECT_EQ(
        ValueText::FormatValue(QStringLiteral("1.005"), DataTypeCode::Moneda, 2, false, kMexico),
        "$1.01");
}

TEST(ValueTextTest, BlankIfZero) {
    EXPECT_EQ(ValueText::FormatCurrency(Currency(), false, true, kMexico), "");
    EXPECT_EQ(ValueText::FormatCurrency(Currency(), true, false, kMexico), "0");
    EXPECT_EQ(ValueText::FormatCurrency(Currency::FromUnits(-10000), true, true, kMexico), "-1");
}

TEST(ValueTextTest, ParsingFollowsTheLocale) {
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral("$1,234.5678"), kMexico), 1234.5678);
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral("$-1,234.50"), kMexico), -1234.5);
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral("-$5"), kMexico), -5);
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral("($1,234.50)"), kUnitedStates), -1234.5);
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral("12-"), kUnitedStates), -12);
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral("  +7 "), kUnitedStates), 7);
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral("1.234,5 €"), kGermany), 1234.5);
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral("1 234,5"), kFrance), 1234.5);
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral("1\u202f234,5"), kFrance), 1234.5);
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral("\u0661\u0662\u0663"), kEgypt), 123);
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral("1e3"), QLocale::c()), 1000);
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral("25E-1"), kMexico), 2.5);
    EXPECT_DOUBLE_EQ(ValueText::ParseAmount(QStringLiteral(".5"), QLocale::c()), 0.5);
}

TEST(ValueTextTest, WhatIsNoAmountReadsAsZero) {
    for (const QString& bad :
         {QString(), QStringLiteral("abc"), QStringLiteral("1.2.3"), QStringLiteral("12abc"),
          QStringLiteral("--5"), QStringLiteral(","), QStringLiteral(",5"), QStringLiteral("$"),
          QStringLiteral("1e"), QStringLiteral("(5"), QStringLiteral("1e30"),
          QStringLiteral("99999999999999999999")}) {
        EXPECT_FALSE(ValueText::ParseCurrency(bad, kMexico)) << bad.toStdString();
        EXPECT_EQ(ValueText::ParseAmount(bad, kMexico), 0.0);
    }
    // A well-formed number too large for an amount is shown as the number, or as undefined in an
    // amount's field, but never as a zero.
    const QString large = QStringLiteral("1e15");
    EXPECT_EQ(ValueText::FormatValue(large, DataTypeCode::Numero, 2, false, kMexico),
              "1000000000000000.00");
    EXPECT_EQ(ValueText::FormatValue("-1800000000000000.25", DataTypeCode::NumeroCalculado, 0,
                                     false, kMexico),
              "-1800000000000000");
    EXPECT_EQ(ValueText::FormatValue(large, DataTypeCode::Moneda, 2, false, kMexico), "Indefinido");
    EXPECT_EQ(ValueText::FormatValue("1e400", DataTypeCode::Numero, 2, false, kMexico),
              "Indefinido");
    EXPECT_EQ(ValueText::FormatValue("abc", DataTypeCode::Numero, 2, false, kMexico), "0.00");
}

TEST(ValueTextTest, GroupSeparatorsOnlyBetweenGroupsOfThree) {
    const QLocale india(QStringLiteral("en_IN")); // groups of two further left
    const auto read = [](const char16_t* text, const QLocale& locale) {
        return ValueText::ParseAmount(QString::fromUtf16(text), locale);
    };
    EXPECT_DOUBLE_EQ(read(u"1,234,567.5", kMexico), 1234567.5);
    EXPECT_DOUBLE_EQ(read(u"$0,001", kMexico), 1);
    EXPECT_DOUBLE_EQ(read(u"-999,999.99", kUnitedStates), -999999.99);
    EXPECT_DOUBLE_EQ(read(u"12.345,5 €", kGermany), 12345.5);
    EXPECT_DOUBLE_EQ(read(u"12 345 678,9", kFrance), 12345678.9);
    EXPECT_DOUBLE_EQ(read(u"\u0661\u066c\u0662\u0663\u0664\u066b\u0665", kEgypt), 1234.5);
    EXPECT_DOUBLE_EQ(read(u"1,234e2", QLocale::c()), 123400);
    EXPECT_DOUBLE_EQ(read(u"12,34,567.5", india), 1234567.5);
    // A separator anywhere else makes no amount: read as given it would be ten times too large
    // or too small.
    for (const char16_t* text :
         {u"1234,5", u"$1,5", u"12,34", u"1,2345", u"1,234,56", u"1234,567", u"1,,234", u"1,234,"})
        EXPECT_FALSE(ValueText::ParseCurrency(QString::fromUtf16(text), kMexico))
            << QString::fromUtf16(text).toStdString();
    EXPECT_EQ(read(u"1,234,5678.5", kUnitedStates), 0.0);
    EXPECT_EQ(read(u"1234.5", kGermany), 0.0);
    EXPECT_EQ(read(u"12 34,5", kFrance), 0.0);
    EXPECT_EQ(read(u"\u0661\u0662\u066c\u0663", kEgypt), 0.0);
    EXPECT_EQ(read(u"1,2e3", QLocale::c()), 0.0);
    EXPECT_EQ(read(u"1,234,567.5", india), 0.0);
    EXPECT_EQ(
        ValueText::FormatValue(QStringLiteral("1234,5"), DataTypeCode::Moneda, 2, false, kMexico),
        "$0.00");
}

TEST(ValueTextTest, FourDecimalsSurvive) {
    const auto units = [](const char* text) {
        return ValueText::ParseCurrency(QString::fromLatin1(text), QLocale::c())->Units();
    };
    EXPECT_EQ(units("1.23456"), 12346);
    EXPECT_EQ(units("1.23455"), 12346); // a tie goes to the even ten-thousandth
    EXPECT_EQ(units("1.23445"), 12344);
    EXPECT_EQ(units("0.00004"), 0);
    EXPECT_EQ(units("1e-9"), 0);
    EXPECT_EQ(units("922337203685477.5807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(units("-922337203685477.5808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_FALSE(ValueText::ParseCurrency(QStringLiteral("922337203685477.5808"), QLocale::c()));
    EXPECT_EQ(ValueText::ParseAmount(QStringLiteral("0.123456"), QLocale::c()), 0.1235);
}

TEST(ValueTextTest, TheCurrencyFormReadsBack) {
    for (const QLocale& locale :
         {kMexico, kUnitedStates, kGermany, kFrance, kEgypt, QLocale::c()}) {
        for (qint64 units : {qint64{12345000}, qint64{-12345000}, qint64{500}, qint64{0}}) {
            const Currency amount = Currency::FromUnits(units);
            for (bool withoutSign : {false, true}) {
                const QString text = ValueText::FormatCurrency(amount, withoutSign, false, locale);
                EXPECT_EQ(ValueText::ParseCurrency(text, locale), amount)
                    << locale.name().toStdString() << " " << text.toStdString();
            }
        }
    }
}

TEST(ValueTextTest, NumbersShownReadBackInEveryPinnedLocale) {
    // A field shows its number and is read again each time it is left: a comma locale must not
    // read its own 1234,50 as text, nor the point of 1234.50 as a group separator.
    for (const QLocale& locale : {kMexico, kUnitedStates, kGermany, kFrance, QLocale::c()}) {
        for (double value : {1234.5, -0.25, 1000000.0, 7.0}) {
            const QString shown =
                ValueText::FormatValue(ValueText::FormatNumber(value, -1, locale),
                                       DataTypeCode::NumeroCalculado, 2, false, locale);
            EXPECT_DOUBLE_EQ(ValueText::ParseAmount(shown, locale), value)
                << locale.name().toStdString() << " " << shown.toStdString();
            EXPECT_EQ(ValueText::FormatValue(shown, DataTypeCode::Numero, 2, false, locale), shown)
                << locale.name().toStdString();
        }
    }
    EXPECT_EQ(ValueText::FormatNumber(-1234.5, 2, kGermany), "-1234,50");
    EXPECT_EQ(ValueText::FormatNumber(-1234.5, 2, kMexico), "-1234.50");
}

TEST(ValueTextTest, FormatValueUsesTheFormatSettings) {
    FormatSettings settings;
    settings.decimals = 3;
    settings.currencySign = false;
    EXPECT_EQ(
        ValueText::FormatValue(QStringLiteral("2.5"), DataTypeCode::Numero, settings, QLocale::c()),
        "2.500");
    EXPECT_EQ(
        ValueText::FormatValue(QStringLiteral("1234.5"), DataTypeCode::Moneda, settings, kMexico),
        "1234.5");
    settings.currencySign = true;
    EXPECT_EQ(
        ValueText::FormatValue(QStringLiteral("1234.5"), DataTypeCode::Moneda, settings, kMexico),
        "$1,234.50");
}

TEST(ValueTextTest, DataTypeNames) {
    EXPECT_EQ(DataType::Names(),
              QStringList({QStringLiteral("Texto"), QStringLiteral("Número"),
                           QStringLiteral("Número calculado"), QStringLiteral("Moneda"),
                           QStringLiteral("Moneda calculado")}));
    EXPECT_EQ(DataType::FromName(QStringLiteral("Moneda calculado")),
              DataTypeCode::MonedaCalculado);
    EXPECT_EQ(DataType::Name(static_cast<DataTypeCode>(9)), "");
}

} // namespace
