#include "capture_model/CalculatedFields.h"
#include "CalculationForm.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/ValueText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(CalculatedFieldsTest, TokensCarryTheLastDelimiterBeforeThem) {
    QString rest = QStringLiteral("--A+ b*/C-");
    const auto next = [&rest] { return CalculatedFields::NextToken(rest, u"-+*/&$"); };
    CalculatedFields::Token token = next();
    EXPECT_EQ(token.text, "A");
    EXPECT_EQ(token.op, QLatin1Char('-'));
    EXPECT_EQ(rest, "+ b*/C-"); // the delimiter that ended the operand stays in front
    token = next();
    EXPECT_EQ(token.text, " b"); // a blank is part of the operand
    EXPECT_EQ(token.op, QLatin1Char('+'));
    token = next();
    EXPECT_EQ(token.text, "C");
    EXPECT_EQ(token.op, QLatin1Char('/'));
    token = next();
    EXPECT_TRUE(token.text.isEmpty());
    EXPECT_TRUE(rest.isEmpty());
}

TEST(CalculatedFieldsTest, ArithmeticRunsLeftToRightWithoutPrecedence) {
    CalculationForm form;
    CTextlineVar& a = form.Line(QStringLiteral("A"));
    CTextlineVar& b = form.Line(QStringLiteral("B"));
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("A-B"), QStringLiteral("6.00")},
        {QStringLiteral("A+B-2"), QStringLiteral("12.00")},
        {QStringLiteral("A/B*2"), QStringLiteral("5.00")},
        {QStringLiteral("-A"), QStringLiteral("10.00")},
        {QStringLiteral("A--B"), QStringLiteral("6.00")},
        {QStringLiteral("A+X"), QStringLiteral("10.00")},
        {QStringLiteral("A+3.5x"), QStringLiteral("13.50")},
        {QStringLiteral("A&B$B"), QStringLiteral("10.00")},
    };
    std::vector<CTextlineVar*> results;
    for (const auto& [expression, shown] : cases)
        results.push_back(&form.Line(expression, expression));
    auto engine = form.Engine();
    Leave(*engine, a, QStringLiteral("10"));
    Leave(*engine, b, QStringLiteral("4"));
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(results[i]->Value(), cases[i].second) << cases[i].first.toStdString();
    EXPECT_EQ(results[6]->CopyNumber(), 13.5);
    EXPECT_EQ(engine->EvaluateExpression(QStringLiteral("2+3*4")), 20);
    EXPECT_EQ(engine->EvaluateExpression(QStringLiteral("a/b*2")), 5);
    EXPECT_EQ(engine->EvaluateExpression(QStringLiteral("A/0-1")),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(engine->EvaluateExpression(QString()), 0);
}

TEST(CalculatedFieldsTest, OperandsThatNameNoFieldReadAsTheirLeadingNumber) {
    CalculationForm form;
    form.Line(QStringLiteral("Uno")).SetValueCopy(QStringLiteral("1"), 1.25);
    auto engine = form.Engine();
    EXPECT_EQ(engine->OperandValue(QStringLiteral("UNO")), 1.25);
    const std::vector<std::pair<QString, double>> numbers = {
        {QStringLiteral("3.5x"), 3.5},  {QStringLiteral("1e3"), 1000},
        {QStringLiteral("2E2q"), 200},  {QStringLiteral("1e"), 1},
        {QStringLiteral("4ex"), 4},     {QStringLiteral(".5"), 0.5},
        {QStringLiteral("5."), 5},      {QStringLiteral("."), 0},
        {QStringLiteral("x1"), 0},      {QStringLiteral("1.2.3"), 1.2},
        {QStringLiteral("007"), 7},     {QStringLiteral(" 7"), 7},
        {QStringLiteral("0x10"), 0},    {QStringLiteral("inf"), 0},
        {QStringLiteral("nan"), 0},     {QStringLiteral("ñ9"), 0},
        {QStringLiteral("1e-2"), 0.01}, {QStringLiteral(""), 0},
    };
    for (const auto& [token, value] : numbers)
        EXPECT_EQ(engine->OperandValue(token), value) << token.toStdString();
    EXPECT_EQ(engine->OperandValue(QStringLiteral("1e999")),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(engine->OperandValue(QStringLiteral("0.1e-999")), 0);
    EXPECT_EQ(engine->OperandValue(QStringLiteral("1") + QString(400, QLatin1Char('0'))),
              std::numeric_limits<double>::infinity());
}

TEST(CalculatedFieldsTest, NamesAreFoundWithoutRegardToCaseFirstInListOrder) {
    CalculationForm form;
    CTextlineVar& total = form.Line(QStringLiteral("Total"));
    CTextlineVar& doble = form.Line(QStringLiteral("Doble"), QStringLiteral("total*2"));
    CTextlineVar& second = form.Line(QStringLiteral("TOTAL"));
    form.Line(QStringLiteral("Año"), QStringLiteral("AÑO+1"));
    auto marca = std::make_unique<CMarcaVar>();
    marca->text = QStringLiteral("Marca");
    marca->captureOrder = 9;
    form.controls.push_back(std::move(marca));
    auto engine = form.Engine();

    EXPECT_EQ(engine->FindFieldByName(QStringLiteral("TOTAL")), 1174);
    EXPECT_EQ(engine->FindFieldByName(QStringLiteral("total")), 1174);
    EXPECT_EQ(engine->FindFieldByName(QStringLiteral("año")), 1177);
    // Only text lines and tables can be named.
    EXPECT_EQ(engine->FindFieldByName(QStringLiteral("Marca")), 0);
    EXPECT_EQ(engine->FindFieldByName(QStringLiteral("Nada")), 0);
    EXPECT_TRUE(engine->ReferencesName(1175, QStringLiteral("TOTAL")));
    EXPECT_TRUE(engine->ReferencesName(1175, QStringLiteral("2"))); // a literal counts too
    EXPECT_FALSE(engine->ReferencesName(1182, QStringLiteral("Marca")));
    EXPECT_EQ(engine->FieldList(), (std::vector<std::int32_t>{1175, 1177}));

    Leave(*engine, total, QStringLiteral("21"));
    EXPECT_EQ(doble.Value(), "42.00");
    // Leaving the second field of that name recomputes the field, which still reads the first.
    doble.SetValue(QStringLiteral("tecleado"));
    Leave(*engine, second, QStringLiteral("100"));
    EXPECT_EQ(doble.Value(), "42.00");
}

TEST(CalculatedFieldsTest, OnlyAChangedTextIsRecomputed) {
    CalculationForm form;
    CTextlineVar& a = form.Line(QStringLiteral("A"));
    CTextlineVar& r = form.Line(QStringLiteral("R"), QStringLiteral("A*2"));
    auto engine = form.Engine();
    Leave(*engine, a, QStringLiteral("3"));
    EXPECT_EQ(a.Value(), "3.00");
    EXPECT_EQ(a.CopyText(), "3"); // kept as typed: the formatted text reads as a change once
    EXPECT_EQ(r.Value(), "6.00");
    r.SetValue(QStringLiteral("tecleado"));
    engine->Recalculate(1174);
    EXPECT_EQ(r.Value(), "6.00");
    r.SetValue(QStringLiteral("tecleado"));
    engine->Recalculate(1174);
    EXPECT_EQ(r.Value(), "tecleado");
    engine->Recalculate(4000); // no such field
    EXPECT_EQ(r.Value(), "tecleado");
}

TEST(CalculatedFieldsTest, ResultsAreShownWithTheFieldsDecimalsAndKeptUnrounded) {
    CalculationForm form;
    CTextlineVar& a = form.Line(QStringLiteral("A"));
    CTextlineVar& fraction = form.Line(QStringLiteral("F"), QStringLiteral("A+0.127"));
    CTextlineVar& whole = form.Line(QStringLiteral("W"), QStringLiteral("A-4"));
    CTextlineVar& text = form.Line(QStringLiteral("T"), QStringLiteral("A-4"), DataTypeCode::Texto);
    CTextlineVar& third = form.Line(QStringLiteral("B"), QStringLiteral("A/21"));
    CTextlineVar& back = form.Line(QStringLiteral("C"), QStringLiteral("B*21+D"));
    CTextlineVar& d = form.Line(QStringLiteral("D"));
    auto engine = form.Engine();
    Leave(*engine, a, QStringLiteral("7"));
    EXPECT_EQ(fraction.Value(), "7.13");
    EXPECT_EQ(fraction.CopyNumber(), 7 + 0.127);
    EXPECT_EQ(whole.Value(), "3.00");
    EXPECT_EQ(text.Value(), "3");
    // While B passes its change on, C reads the number B shows; afterwards B keeps 1/3.
    EXPECT_EQ(third.Value(), "0.33");
    EXPECT_EQ(third.CopyNumber(), 7.0 / 21.0);
    EXPECT_EQ(back.Value(), "6.93");
    Leave(*engine, d, QStringLiteral("0"));
    EXPECT_EQ(back.Value(), "7.00");
}

TEST(CalculatedFieldsTest, EveryPathRecomputesAFieldInTurn) {
    CalculationForm form;
    CTextlineVar& a = form.Line(QStringLiteral("A"));
    CTextlineVar& sum = form.Line(QStringLiteral("D"), QStringLiteral("B+C"));
    form.Line(QStringLiteral("B"), QStringLiteral("A*2"));
    form.Line(QStringLiteral("C"), QStringLiteral("A+1"));
    CTextlineVar& self = form.Line(QStringLiteral("S"), QStringLiteral("S+A"));
    auto engine = form.Engine();
    Leave(*engine, a, QStringLiteral("1"));
    EXPECT_EQ(sum.Value(), "4.00");
    // A field that names itself is computed, then once more from its own change (1 + 1), and
    // keeps the first result.
    EXPECT_EQ(self.Value(), "2.00");
    EXPECT_EQ(self.CopyNumber(), 1);
    Leave(*engine, a, QStringLiteral("2"));
    EXPECT_EQ(sum.Value(), "7.00");
    EXPECT_EQ(self.Value(), "5.00");
}

TEST(CalculatedFieldsTest, AmountInWordsShowsTheNamedFieldOnly) {
    CalculationForm form;
    CTextlineVar& total = form.Line(QStringLiteral("TOTAL"));
    CTextlineVar& words = form.Line(QStringLiteral("Letra"), QStringLiteral("$TOTAL"));
    CTextlineVar& after = form.Line(QStringLiteral("Otro"), QStringLiteral("Letra*2"));
    words.SetValueCopy(QStringLiteral("antes"), 9);
    auto engine = form.Engine();
    Leave(*engine, total, QStringLiteral("123456.78"));
    EXPECT_EQ(words.Value(),
              "CIENTO VEINTITRES MIL CUATROCIENTOS CINCUENTA Y SEIS PESOS 78/100 M.N.");
    EXPECT_EQ(words.CopyText(), "antes");
    EXPECT_EQ(words.CopyNumber(), 9);
    EXPECT_TRUE(after.Value().isEmpty());
    // Typed into and left, the words field is kept as typed, not formatted.
    Leave(*engine, words, QStringLiteral("5"));
    EXPECT_EQ(words.Value(), "5");
    EXPECT_EQ(after.Value(), "10.00");
}

TEST(CalculatedFieldsTest, EachEngineUsesItsOwnFormatsSettings) {
    CalculationForm pesos;
    CalculationForm dolares;
    dolares.settings.decimals = 0;
    dolares.settings.currencyName = QStringLiteral("DOLARES");
    dolares.settings.postfix = QString();
    std::vector<CTextlineVar*> shown;
    for (CalculationForm* form : {&pesos, &dolares}) {
        form->Line(QStringLiteral("A"));
        shown.push_back(&form->Line(QStringLiteral("Cuarto"), QStringLiteral("A/4")));
        shown.push_back(&form->Line(QStringLiteral("Letra"), QStringLiteral("$a")));
    }
    auto first = pesos.Engine();
    auto second = dolares.Engine();
    Leave(*first, static_cast<CTextlineVar&>(*pesos.controls[0]), QStringLiteral("11"));
    Leave(*second, static_cast<CTextlineVar&>(*dolares.controls[0]), QStringLiteral("11"));
    EXPECT_EQ(shown[0]->Value(), "2.75");
    EXPECT_EQ(shown[1]->Value(), "ONCE PESOS 00/100 M.N.");
    EXPECT_EQ(shown[2]->Value(), "3");
    EXPECT_EQ(shown[3]->Value(), "ONCE DOLARES 00/100 ");
}

TEST(CalculatedFieldsTest, UndefinedResultsShowOneText) {
    CalculationForm form;
    CTextlineVar& a = form.Line(QStringLiteral("A"));
    form.Line(QStringLiteral("B"));
    CTextlineVar& quotient = form.Line(QStringLiteral("Q"), QStringLiteral("A/B"));
    CTextlineVar& next = form.Line(QStringLiteral("R"), QStringLiteral("Q+1"));
    CTextlineVar& money =
        form.Line(QStringLiteral("M"), QStringLiteral("Q"), DataTypeCode::MonedaCalculado);
    CTextlineVar& words = form.Line(QStringLiteral("W"), QStringLiteral("$Q"));
    auto engine = form.Engine();
    Leave(*engine, a, QStringLiteral("1"));
    EXPECT_EQ(quotient.Value(), ValueText::UndefinedText());
    EXPECT_EQ(quotient.CopyNumber(), std::numeric_limits<double>::infinity());
    EXPECT_EQ(next.Value(), ValueText::UndefinedText());
    EXPECT_EQ(money.Value(), ValueText::UndefinedText());
    EXPECT_EQ(words.Value(), "Numero fuera de rango!");
    Leave(*engine, a, QStringLiteral("0"));
    EXPECT_TRUE(std::isnan(quotient.CopyNumber()));
    EXPECT_EQ(quotient.Value(), ValueText::UndefinedText());
    EXPECT_EQ(ValueText::UndefinedText(), "Indefinido");

    // A sum beyond what an amount holds is neither shown nor written out as zero.
    CTextlineVar& b = *static_cast<CTextlineVar*>(form.controls[1].get());
    Leave(*engine, b, QStringLiteral("1"));
    CalculationForm big;
    CTextlineVar& first = big.Line(QStringLiteral("A"));
    CTextlineVar& second = big.Line(QStringLiteral("B"));
    CTextlineVar& number = big.Line(QStringLiteral("C"), QStringLiteral("A+B"));
    CTextlineVar& amount =
        big.Line(QStringLiteral("D"), QStringLiteral("A+B"), DataTypeCode::MonedaCalculado);
    CTextlineVar& letters = big.Line(QStringLiteral("L"), QStringLiteral("$D"));
    auto bigEngine = big.Engine();
    Leave(*bigEngine, first, QStringLiteral("900000000000000"));
    Leave(*bigEngine, second, QStringLiteral("900000000000000"));
    EXPECT_EQ(number.Value(), "1800000000000000.00");
    EXPECT_EQ(amount.Value(), "Indefinido");
    EXPECT_EQ(amount.CopyNumber(), 1.8e15);
    EXPECT_EQ(letters.Value(), "Numero fuera de rango!");
}

TEST(CalculatedFieldsTest, CyclesStopWhereTheyComeBack) {
    CalculationForm form;
    CTextlineVar& x = form.Line(QStringLiteral("X"));
    CTextlineVar& a = form.Line(QStringLiteral("A"), QStringLiteral("X+B"));
    CTextlineVar& b = form.Line(QStringLiteral("B"), QStringLiteral("A+1"));
    // A ring of 2,000 fields, each naming the one before and the first naming the last.
    const int ring = 2000;
    for (int i = 1; i <= ring; ++i)
        form.Line(QStringLiteral("R%1").arg(i),
                  i == 1 ? QStringLiteral("X+R%1").arg(ring) : QStringLiteral("R%1+1").arg(i - 1));
    // Twelve fields that each name all twelve.
    QString all = QStringLiteral("X");
    for (int i = 1; i <= 12; ++i)
        all += QStringLiteral("+K%1").arg(i);
    for (int i = 1; i <= 12; ++i)
        form.Line(QStringLiteral("K%1").arg(i), all);
    auto engine = form.Engine();

    Leave(*engine, x, QStringLiteral("1"));
    EXPECT_EQ(a.Value(), "1.00");
    EXPECT_EQ(b.Value(), "2.00");
    const auto& first = static_cast<CTextlineVar&>(*form.controls[3]);
    const auto& last = static_cast<CTextlineVar&>(*form.controls[2 + ring]);
    EXPECT_EQ(first.Value(), "1.00");
    EXPECT_EQ(last.Value(), "2000.00");
    for (int i = 0; i < 12; ++i)
        EXPECT_FALSE(static_cast<CTextlineVar&>(*form.controls[3 + ring + i]).Value().isEmpty());

    Leave(*engine, x, QStringLiteral("2"));
    EXPECT_EQ(a.Value(), "4.00");
    EXPECT_EQ(b.Value(), "5.00");
    EXPECT_EQ(first.Value(), "2002.00");
    EXPECT_EQ(last.Value(), "4001.00");
}

TEST(CalculatedFieldsTest, ForksChainedInALadderAreComputedFromTheirFinalValues) {
    // Each step forks into two fields that a third joins again: walking every path would reach
    // the last step 2^30 times.
    CalculationForm form;
    CTextlineVar& a = form.Line(QStringLiteral("A"));
    CTextlineVar& words = form.Line(QStringLiteral("W"), QStringLiteral("$D1"));
    CTextlineVar& typed = form.Line(QStringLiteral("T"), QStringLiteral("OTRO+1"));
    form.Line(QStringLiteral("OTRO"));
    std::vector<CTextlineVar*> joins;
    QString previous = QStringLiteral("A");
    for (int step = 1; step <= 30; ++step) {
        const QString b = QStringLiteral("B%1").arg(step);
        const QString c = QStringLiteral("C%1").arg(step);
        form.Line(b, previous + QStringLiteral("+1"));
        form.Line(c, previous + QStringLiteral("*2"));
        previous = QStringLiteral("D%1").arg(step);
        joins.push_back(&form.Line(previous, b + QLatin1Char('+') + c));
    }
    auto engine = form.Engine();
    typed.SetValue(QStringLiteral("77")); // typed into a field no change below reaches
    for (const char* start : {"1", "2"}) {
        Leave(*engine, a, QString::fromLatin1(start));
        double d = QString::fromLatin1(start).toDouble();
        for (CTextlineVar* join : joins) {
            d = (d + 1) + d * 2;
            ASSERT_EQ(join->CopyNumber(), d);
        }
    }
    EXPECT_EQ(joins[0]->Value(), "7.00");
    EXPECT_EQ(joins[2]->Value(), "67.00");
    EXPECT_EQ(words.Value(), "SIETE PESOS 00/100 M.N.");
    EXPECT_EQ(typed.Value(), "77");
}

} // namespace
