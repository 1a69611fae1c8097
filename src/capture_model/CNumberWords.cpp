#include "capture_model/CNumberWords.h"

#include "capture_model/Currency.h"

#include <optional>

namespace {

bool IsDigit(int d) {
    return d >= 0 && d <= 9;
}

} // namespace

CNumberWords::CNumberWords()
    : m_units{QString(),
              QStringLiteral("UN"),
              QStringLiteral("DOS"),
              QStringLiteral("TRES"),
              QStringLiteral("CUATRO"),
              QStringLiteral("CINCO"),
              QStringLiteral("SEIS"),
              QStringLiteral("SIETE"),
              QStringLiteral("OCHO"),
              QStringLiteral("NUEVE")},
      m_teens{QStringLiteral("DIEZ"),      QStringLiteral("ONCE"),
              QStringLiteral("DOCE"),      QStringLiteral("TRECE"),
              QStringLiteral("CATORCE"),   QStringLiteral("QUINCE"),
              QStringLiteral("DIECISEIS"), QStringLiteral("DIECISIETE"),
              QStringLiteral("DIECIOCHO"), QStringLiteral("DIECINUEVE")},
      m_tens{QString(),
             QString(),
             QStringLiteral("VEINTE"),
             QStringLiteral("TREINTA"),
             QStringLiteral("CUARENTA"),
             QStringLiteral("CINCUENTA"),
             QStringLiteral("SESENTA"),
             QStringLiteral("SETENTA"),
             QStringLiteral("OCHENTA"),
             QStringLiteral("NOVENTA")},
      // Each hundreds word carries its own trailing blank; the joining rules count on it.
      m_hundreds{QString(),
                 QStringLiteral("CIENTO "),
                 QStringLiteral("DOSCIENTOS "),
                 QStringLiteral("TRESCIENTOS "),
                 QStringLiteral("CUATROCIENTOS "),
                 QStringLiteral("QUINIENTOS "),
                 QStringLiteral("SEISCIENTOS "),
                 QStringLiteral("SETECIENTOS "),
                 QStringLiteral("OCHOCIENTOS "),
                 QStringLiteral("NOVECIENTOS ")} {}

const QString& CNumberWords::OutOfRangeMessage() {
    static const QString message = QStringLiteral("Numero fuera de rango!");
    return message;
}

CNumberWords::CNumberWords(const FormatSettings& settings) : CNumberWords() {
    m_currencyName = settings.currencyName;
    m_postfix = settings.postfix;
}

QString CNumberWords::AmountInWords(double amount) const {
    // The pesos and cents of the amount rounded to cents as its figure is (in decimal, a half
    // away from zero), so that 1.005 is written 01/100 beside its $1.01, not 00/100 as its
    // binary neighbour 1.00499... would give.
    const std::optional<Currency> exact = Currency::FromDouble(amount);
    if (!exact)
        return OutOfRangeMessage();
    const std::int64_t units = exact->RoundedTo(2).Units();
    // A negative amount has no words; one that rounds to nothing is an amount of nothing.
    if (units < 0)
        return OutOfRangeMessage();
    const std::int64_t integer = units / Currency::kScale;
    // The tables write up to six digits: a million or more has no words.
    if (integer > 999999)
        return OutOfRangeMessage();
    const QString cents =
        QString::number((units % Currency::kScale) / 100).rightJustified(2, QLatin1Char('0'));
    const QString words = IntegerInWords(static_cast<std::int32_t>(integer));
    return QStringLiteral("%1 %2 %3/100 %4").arg(words, m_currencyName, cents, m_postfix);
}

QString CNumberWords::PairInWords(int count, const int* digits) const {
    if (count == 1) {
        if (!IsDigit(digits[0]))
            return QString();
        return m_units[static_cast<std::size_t>(digits[0])];
    }
    if (count != 2 || !IsDigit(digits[0]) || !IsDigit(digits[1]))
        return QString();
    if (digits[1] == 1)
        return m_teens[static_cast<std::size_t>(digits[0])];
    QString tens = m_tens[static_cast<std::size_t>(digits[1])];
    const QString& units = m_units[static_cast<std::size_t>(digits[0])];
    QString joint;
    if (!units.isEmpty() && !tens.isEmpty()) {
        // "VEINTE" loses its last letter and joins with "I": VEINTIUN, VEINTISEIS.
        if (tens.endsWith(QLatin1Char('E'))) {
            tens.chop(1);
            joint = QStringLiteral("I");
        } else {
            joint = QStringLiteral(" Y ");
        }
    }
    return tens + joint + units;
}

QString CNumberWords::Hundreds(int digit, const QString& rest) const {
    if (digit == 1 && rest.isEmpty())
        return QStringLiteral("CIEN");
    return m_hundreds[static_cast<std::size_t>(digit)];
}

QString CNumberWords::IntegerInWords(std::int32_t n) const {
    if (n == 0)
        return QStringLiteral("Cero");
    // The tables have no words for a minus sign; a negative number is as unwritable as a
    // million.
    if (n < 0)
        return OutOfRangeMessage();
    int d[10] = {};
    int k = 0;
    for (std::int32_t rest = n; rest != 0 && k < 10; rest /= 10)
        d[k++] = rest % 10;

    // The words come in groups of three digits: up to two digits, a hundred, thousands with
    // up to two digits, thousands with a hundred.
    if (k <= 2)
        return PairInWords(k, d);
    if (k == 3) {
        const QString low = PairInWords(2, d);
        return Hundreds(d[2], low) + QLatin1Char(' ') + low;
    }
    if (k <= 5) {
        const QString thousands =
            k == 4 ? m_units[static_cast<std::size_t>(d[3])] : PairInWords(2, d + 3);
        const QString low = PairInWords(2, d);
        return thousands + QStringLiteral(" MIL ") + Hundreds(d[2], low) + low;
    }
    if (k == 6) {
        const QString thousands = PairInWords(2, d + 3);
        const QString low = PairInWords(2, d);
        return Hundreds(d[5], thousands) + thousands + QStringLiteral(" MIL ") +
               Hundreds(d[2], low) + low;
    }
    return OutOfRangeMessage();
}
