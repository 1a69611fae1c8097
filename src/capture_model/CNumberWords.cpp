#include "capture_model/CNumberWords.h"

#include "capture_model/Currency.h"

#include <QStringList>

#include <optional>

namespace {

bool IsDigit(int d) {
    return d >= 0 && d <= 9;
}

constexpr std::int64_t kMillion = 1'000'000;

// Joins two parts of a number with one blank, leaving out an empty one.
QString Joined(const QString& head, const QString& tail) {
    if (head.isEmpty())
        return tail;
    if (tail.isEmpty())
        return head;
    return head + QLatin1Char(' ') + tail;
}

bool IsVowel(QChar c) {
    return QStringLiteral("AEIOUÁÉÍÓÚaeiouáéíóú").contains(c);
}

// One word of a currency name in the singular: a vowel and S loses the S (PESOS, EUROS), a
// consonant and ES loses the ES (DOLARES, QUETZALES, COLONES), and CES becomes Z (LUCES).
QString SingularWord(const QString& word) {
    const qsizetype n = word.size();
    if (n < 3 || word.back().toUpper() != QLatin1Char('S'))
        return word;
    const QChar before = word[n - 2];
    if (before.toUpper() == QLatin1Char('E') && n >= 4 && !IsVowel(word[n - 3])) {
        if (word[n - 3].toUpper() == QLatin1Char('C'))
            return word.left(n - 3) + (word[n - 3].isUpper() ? QLatin1Char('Z') : QLatin1Char('z'));
        return word.left(n - 2);
    }
    if (IsVowel(before))
        return word.left(n - 1);
    return word;
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

CNumberWords::CNumberWords(const FormatSettings& settings, Wording wording) : CNumberWords() {
    m_currencyName = settings.currencyName;
    m_postfix = settings.postfix;
    m_wording = wording;
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
    if (integer > kMaxWhole)
        return OutOfRangeMessage();
    const QString cents =
        QString::number((units % Currency::kScale) / 100).rightJustified(2, QLatin1Char('0'));
    QString words;
    QString currency = m_currencyName;
    if (m_wording == Wording::Traditional) {
        // Below the millions, the words forms have always printed, blank for blank, so that an
        // amount ends in the same words whether or not millions come before it.
        const auto rest = static_cast<std::int32_t>(integer % kMillion);
        if (integer < kMillion)
            words = IntegerInWords(rest);
        else if (rest == 0)
            words = WholeInWords(integer);
        else
            words = WholeInWords(integer - rest) + QLatin1Char(' ') + IntegerInWords(rest);
    } else {
        words = WholeInWords(integer);
        if (integer == 1)
            currency = Singular(currency);
    }
    // A round million is a noun: "UN MILLON DE PESOS", "DOS MILLONES DE DOLARES".
    if (integer >= kMillion && integer % kMillion == 0 && !currency.isEmpty())
        words += QStringLiteral(" DE");
    return QStringLiteral("%1 %2 %3/100 %4").arg(words, currency, cents, m_postfix);
}

QString CNumberWords::Singular(const QString& name) {
    QStringList words = name.split(QLatin1Char(' '));
    for (QString& word : words)
        word = SingularWord(word);
    return words.join(QLatin1Char(' '));
}

QString CNumberWords::BelowThousand(int n) const {
    const int hundreds = n / 100;
    const int digits[2] = {n % 10, n / 10 % 10};
    const QString rest = PairInWords(2, digits);
    QString head = Hundreds(hundreds, rest);
    if (head.endsWith(QLatin1Char(' ')))
        head.chop(1);
    return Joined(head, rest);
}

QString CNumberWords::BelowMillion(int n) const {
    const int thousands = n / 1000;
    const QString head = thousands == 0   ? QString()
                         : thousands == 1 ? QStringLiteral("MIL")
                                          : BelowThousand(thousands) + QStringLiteral(" MIL");
    return Joined(head, BelowThousand(n % 1000));
}

QString CNumberWords::WholeInWords(std::int64_t n) const {
    if (n < 0 || n > kMaxWhole)
        return OutOfRangeMessage();
    if (n == 0)
        return QStringLiteral("CERO");
    const int millions = static_cast<int>(n / kMillion);
    const QString head = millions == 0   ? QString()
                         : millions == 1 ? QStringLiteral("UN MILLON")
                                         : BelowMillion(millions) + QStringLiteral(" MILLONES");
    return Joined(head, BelowMillion(static_cast<int>(n % kMillion)));
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
