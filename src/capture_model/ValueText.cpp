#include "capture_model/ValueText.h"

#include "capture_model/DataType.h"
#include "model/FormatSettings.h"

#include <QByteArray>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

// The reading of a number that has lost its sign and currency symbol.
struct Digits {
    QString significant; // every digit, integer and fraction, ASCII
    qsizetype fractionLength = 0;
    std::int64_t exponent = 0;
};

bool IsSpaceLike(QChar c) {
    return c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F);
}

// Takes prefix off the front of s (or suffix off its end) when it is there.
bool TakeFront(QString& s, const QString& prefix) {
    if (prefix.isEmpty() || !s.startsWith(prefix))
        return false;
    s.remove(0, prefix.size());
    return true;
}

bool TakeBack(QString& s, const QString& suffix) {
    if (suffix.isEmpty() || !s.endsWith(suffix))
        return false;
    s.chop(suffix.size());
    return true;
}

void TrimSpaces(QString& s) {
    qsizetype start = 0;
    while (start < s.size() && IsSpaceLike(s[start]))
        ++start;
    qsizetype end = s.size();
    while (end > start && IsSpaceLike(s[end - 1]))
        --end;
    s = s.mid(start, end - start);
}

// Strips the currency symbol, the sign and parentheses around the number, in whatever order the
// locale's currency form puts them. At most one of each is taken.
void StripDecorations(QString& s, const QLocale& locale, bool& negative) {
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    const QString iso = locale.currencySymbol(QLocale::CurrencyIsoCode);
    const QString minus = locale.negativeSign();
    const QString plus = locale.positiveSign();
    bool haveSymbol = false;
    bool haveSign = false;
    negative = false;
    for (bool changed = true; changed;) {
        changed = false;
        TrimSpaces(s);
        if (!haveSymbol && (TakeFront(s, symbol) || TakeBack(s, symbol) || TakeFront(s, iso) ||
                            TakeBack(s, iso))) {
            haveSymbol = changed = true;
            continue;
        }
        if (!haveSign && (TakeFront(s, minus) || TakeFront(s, QStringLiteral("-")) ||
                          TakeBack(s, minus) || TakeBack(s, QStringLiteral("-")))) {
            haveSign = negative = changed = true;
            continue;
        }
        if (!haveSign && (TakeFront(s, plus) || TakeFront(s, QStringLiteral("+")))) {
            haveSign = changed = true;
            continue;
        }
        if (!haveSign && s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')')) &&
            s.size() >= 2) {
            s = s.mid(1, s.size() - 2);
            haveSign = negative = changed = true;
        }
    }
}

// How many digits the locale puts in the group right before the decimal point and in each group
// further left: 3 and 3 in most places, 3 and 2 where lakhs are written.
struct GroupSizes {
    qsizetype last = 3;
    qsizetype other = 3;
};

GroupSizes LocaleGroupSizes(const QLocale& locale) {
    const QString group = locale.groupSeparator();
    GroupSizes sizes;
    if (group.isEmpty())
        return sizes;
    const QStringList parts = locale.toString(Q_INT64_C(1234567890)).split(group);
    if (parts.size() >= 2)
        sizes.last = sizes.other = parts.last().size();
    if (parts.size() >= 3)
        sizes.other = parts[parts.size() - 2].size();
    return sizes;
}

// The separators of a number's whole part, checked as they come: each stands between groups of
// the sizes the locale writes, so that a separator typed in the wrong place (1,5 or 1234,5
// where the comma groups thousands) makes the text no number rather than one ten times larger.
class Grouping {
public:
    explicit Grouping(const QLocale& locale) : m_locale(locale) {}

    void Digit() { ++m_digits; }
    // A separator after the digits so far; false when it stands in the wrong place.
    bool Separator() {
        if (m_separators == 0)
            m_sizes = LocaleGroupSizes(m_locale);
        const bool ok = m_separators == 0 ? m_digits >= 1 && m_digits <= m_sizes.other
                                          : m_digits == m_sizes.other;
        ++m_separators;
        m_digits = 0;
        return ok;
    }
    // The whole part has ended; false when its last group is not a whole one.
    bool End() const { return m_separators == 0 || m_digits == m_sizes.last; }

private:
    const QLocale& m_locale;
    GroupSizes m_sizes; // the locale's, looked up at the first separator
    qsizetype m_separators = 0;
    qsizetype m_digits = 0;
};

// The digits, decimal point, grouping and exponent of what is left; nothing when anything else
// is there.
std::optional<Digits> ReadDigits(const QString& s, const QLocale& locale) {
    const QString point = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const bool spaceGroup = group.size() == 1 && IsSpaceLike(group[0]);
    const QString exponential = locale.exponential();
    Digits out;
    Grouping grouping(locale);
    bool seenPoint = false;
    bool anyDigit = false;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c.isDigit()) {
            out.significant += QChar(u'0' + c.digitValue());
            if (seenPoint)
                ++out.fractionLength;
            else
                grouping.Digit();
            anyDigit = true;
            ++i;
            continue;
        }
        if (!seenPoint && !point.isEmpty() && s.mid(i, point.size()) == point) {
            if (!grouping.End())
                return std::nullopt;
            seenPoint = true;
            i += point.size();
            continue;
        }
        // Group separators stand between the digits of the whole part only.
        if (!seenPoint && anyDigit &&
            ((!group.isEmpty() && s.mid(i, group.size()) == group) ||
             (spaceGroup && IsSpaceLike(c)))) {
            if (!grouping.Separator())
                return std::nullopt;
            i += spaceGroup && IsSpaceLike(c) ? 1 : group.size();
            continue;
        }
        break;
    }
    if (!anyDigit || (!seenPoint && !grouping.End()))
        return std::nullopt;
    if (i < s.size()) {
        const bool letterE = s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E');
        if (!letterE && s.mid(i, exponential.size()).compare(exponential, Qt::CaseInsensitive) != 0)
            return std::nullopt;
        i += letterE ? 1 : exponential.size();
        bool negativeExponent = false;
        const QString minus = locale.negativeSign();
        if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
            negativeExponent = s[i] == QLatin1Char('-');
            ++i;
        } else if (!minus.isEmpty() && s.mid(i, minus.size()) == minus) {
            negativeExponent = true;
            i += minus.size();
        }
        bool exponentDigit = false;
        std::int64_t exponent = 0;
        while (i < s.size() && s[i].isDigit()) {
            // Beyond a thousand every amount is either nothing or too large; stop counting there.
            if (exponent < 100000)
                exponent = exponent * 10 + s[i].digitValue();
            exponentDigit = true;
            ++i;
        }
        if (!exponentDigit || i < s.size())
            return std::nullopt;
        out.exponent = negativeExponent ? -exponent : exponent;
    }
    return out;
}

// digits x 10^(4 - fractionLength + exponent), rounded to a whole number of ten-thousandths
// (a tie to the even one); nothing when it does not fit 64 bits.
std::optional<std::int64_t> ToUnits(const Digits& d, bool negative) {
    QString digits = d.significant;
    qsizetype lead = 0;
    while (lead < digits.size() && digits[lead] == QLatin1Char('0'))
        ++lead;
    digits.remove(0, lead);
    if (digits.isEmpty())
        return 0;
    const std::int64_t shift = 4 - static_cast<std::int64_t>(d.fractionLength) + d.exponent;
    QString whole;
    QString rest;
    if (shift >= 0) {
        if (digits.size() + shift > 19)
            return std::nullopt;
        whole = digits + QString(static_cast<qsizetype>(shift), QLatin1Char('0'));
    } else {
        // Digits that all lie below the fourth decimal round to nothing.
        const std::int64_t cut = static_cast<std::int64_t>(digits.size()) + shift;
        if (cut < 0)
            return 0;
        whole = digits.left(static_cast<qsizetype>(cut));
        rest = digits.mid(static_cast<qsizetype>(cut));
    }
    if (whole.size() > 19)
        return std::nullopt;
    std::uint64_t value = 0;
    for (QChar c : whole)
        value = value * 10 + static_cast<std::uint64_t>(c.digitValue());
    if (!rest.isEmpty()) {
        const int first = rest[0].digitValue();
        bool beyondHalf = false;
        for (qsizetype i = 1; i < rest.size() && !beyondHalf; ++i)
            beyondHalf = rest[i] != QLatin1Char('0');
        if (first > 5 || (first == 5 && (beyondHalf || (value % 2) == 1)))
            ++value;
    }
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (value > limit + (negative ? 1 : 0))
        return std::nullopt;
    if (negative)
        return static_cast<std::int64_t>(std::uint64_t{0} - value);
    return static_cast<std::int64_t>(value);
}

QString Fixed(double value, int precision) {
    char buffer[400];
    const std::to_chars_result r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    if (r.ec != std::errc())
        return QString();
    return QString::fromLatin1(buffer, r.ptr - buffer);
}

// Below this a double still tells ten-thousandths apart (its value times 10000 stays under
// 2^52), so that its cents can be rounded in decimal.
constexpr double kDecimalCents = 1e11;

// An amount already rounded to cents, with its two decimals after a point.
QString CentsText(Currency amount) {
    const std::int64_t units = amount.Units();
    const bool negative = units < 0;
    const std::uint64_t magnitude = negative ? std::uint64_t{0} - static_cast<std::uint64_t>(units)
                                             : static_cast<std::uint64_t>(units);
    const auto scale = static_cast<std::uint64_t>(Currency::kScale);
    return QStringLiteral("%1%2.%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(magnitude / scale)
        .arg((magnitude % scale) / 100, 2, 10, QLatin1Char('0'));
}

// How many decimals the locale's currency form shows.
int CurrencyDecimals(const QLocale& locale) {
    const QString sample = locale.toCurrencyString(1.0);
    const qsizetype point = sample.lastIndexOf(locale.decimalPoint());
    if (point < 0 || locale.decimalPoint().isEmpty())
        return 0;
    int count = 0;
    for (qsizetype i = point + locale.decimalPoint().size();
         i < sample.size() && sample[i].isDigit(); ++i)
        ++count;
    return count;
}

// The number text writes when it is a well-formed amount too large for the currency type (from
// a thousand million millions up), or nothing for any other text. Infinite when even a double
// cannot hold it.
std::optional<double> BeyondCurrency(const QString& text, const QLocale& locale) {
    QString s = text;
    bool negative = false;
    StripDecorations(s, locale, negative);
    const std::optional<Digits> digits = ReadDigits(s, locale);
    if (!digits || ToUnits(*digits, negative))
        return std::nullopt;
    const QByteArray scientific =
        digits->significant.toLatin1() + 'e' +
        QByteArray::number(digits->exponent - static_cast<std::int64_t>(digits->fractionLength));
    bool ok = false;
    double value = scientific.toDouble(&ok);
    if (!ok)
        value = std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

} // namespace

std::optional<Currency> ValueText::ParseCurrency(const QString& text, const QLocale& locale) {
    QString s = text;
    bool negative = false;
    StripDecorations(s, locale, negative);
    const std::optional<Digits> digits = ReadDigits(s, locale);
    if (!digits)
        return std::nullopt;
    const std::optional<std::int64_t> units = ToUnits(*digits, negative);
    if (!units)
        return std::nullopt;
    return Currency::FromUnits(*units);
}

bool ValueText::Reads(const QString& text, DataTypeCode dataType, const QLocale& locale) {
    return dataType == DataTypeCode::Texto || text.trimmed().isEmpty() ||
           ParseCurrency(text, locale).has_value();
}

double ValueText::ParseAmount(const QString& text, const QLocale& locale) {
    const std::optional<Currency> amount = ParseCurrency(text, locale);
    return amount ? amount->ToDouble() : 0.0;
}

const QString& ValueText::UndefinedText() {
    static const QString text = QStringLiteral("Indefinido");
    return text;
}

QString ValueText::FormatNumber(double value, int decimals) {
    if (decimals == -1) {
        // A whole number shows no decimals; one out of the 32-bit range counts as a fraction.
        const bool whole = value >= -2147483648.0 && value <= 2147483647.0 &&
                           value == static_cast<double>(static_cast<std::int32_t>(value));
        if (whole)
            return Fixed(value, 0);
        // A result is an amount: rounded to cents in decimal, a half away from zero, as its
        // currency figure and its words are, so that 2.675 gives 2.68 and not the 2.67 of its
        // binary neighbour. Far beyond any amount a double no longer holds ten-thousandths,
        // and the binary rounding stays.
        if (std::fabs(value) < kDecimalCents)
            return CentsText(Currency::FromDouble(value).value_or(Currency()).RoundedTo(2));
        return Fixed(value, 2);
    }
    if (decimals >= 0 && decimals <= 6)
        return Fixed(value, decimals);
    return Fixed(value, 6);
}

QString ValueText::FormatNumber(double value, int decimals, const QLocale& locale) {
    QString text = FormatNumber(value, decimals);
    if (text.startsWith(QLatin1Char('-')))
        text.replace(0, 1, locale.negativeSign());
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0)
        text.replace(point, 1, locale.decimalPoint());
    return text;
}

QString ValueText::FormatCurrency(Currency amount, bool withoutSign, bool blankIfZero,
                                  const QLocale& locale) {
    if (blankIfZero && amount.IsZero())
        return QString();
    if (withoutSign)
        return amount.PlainText(locale.decimalPoint(), locale.negativeSign());
    // Rounded in decimal first, so that 1.005 shows as 1.01 and not as its binary neighbour.
    const int decimals = CurrencyDecimals(locale);
    return locale.toCurrencyString(amount.RoundedTo(decimals).ToDouble(), QString(), decimals);
}

QString ValueText::FormatValue(const QString& text, DataTypeCode dataType,
                               const FormatSettings& settings, const QLocale& locale) {
    return FormatValue(text, dataType, settings.decimals, !settings.currencySign, locale);
}

QString ValueText::FormatValue(const QString& text, DataTypeCode dataType, int decimals,
                               bool withoutSign, const QLocale& locale) {
    if (dataType == DataTypeCode::Texto)
        return text;
    // Too large an amount is shown as the number it is, or as undefined where the field cannot
    // show it; never as a zero that looks like a real result.
    if (const std::optional<double> large = BeyondCurrency(text, locale)) {
        const bool number =
            dataType == DataTypeCode::Numero || dataType == DataTypeCode::NumeroCalculado;
        return number && std::isfinite(*large) ? FormatNumber(*large, decimals, locale)
                                               : UndefinedText();
    }
    const double number = ParseAmount(text, locale);
    if (dataType == DataTypeCode::Numero || dataType == DataTypeCode::NumeroCalculado)
        return FormatNumber(number, decimals, locale);
    return FormatCurrency(Currency::FromDouble(number).value_or(Currency()), withoutSign, false,
                          locale);
}
