#include "capture_model/Currency.h"

#include <cmath>
#include <limits>

std::optional<Currency> Currency::FromDouble(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double scaled = std::nearbyint(value * static_cast<double>(kScale));
    // 2^63 is exact as a double; anything from there on does not fit.
    constexpr double kLimit = 9223372036854775808.0;
    if (scaled >= kLimit || scaled < -kLimit)
        return std::nullopt;
    return FromUnits(static_cast<std::int64_t>(scaled));
}

double Currency::ToDouble() const {
    // Whole part and fraction apart, so that amounts up to 2^53 units lose nothing twice.
    const std::int64_t whole = m_units / kScale;
    const std::int64_t fraction = m_units % kScale;
    return static_cast<double>(whole) + static_cast<double>(fraction) / static_cast<double>(kScale);
}

Currency Currency::RoundedTo(int decimals) const {
    if (decimals >= 4)
        return *this;
    std::int64_t step = 1;
    for (int i = decimals < 0 ? 0 : decimals; i < 4; ++i)
        step *= 10;
    const std::int64_t remainder = m_units % step;
    std::int64_t base = m_units - remainder;
    const std::int64_t twice = remainder < 0 ? -remainder * 2 : remainder * 2;
    if (twice >= step) {
        const std::int64_t limit = std::numeric_limits<std::int64_t>::max();
        if (m_units >= 0)
            base = base > limit - step ? base : base + step;
        else
            base = base < -limit + step ? base : base - step;
    }
    return FromUnits(base);
}

QString Currency::PlainText(const QString& decimalPoint, const QString& minusSign) const {
    // The magnitude as unsigned, so that the most negative amount has one too.
    const bool negative = m_units < 0;
    const std::uint64_t magnitude = negative
                                        ? std::uint64_t{0} - static_cast<std::uint64_t>(m_units)
                                        : static_cast<std::uint64_t>(m_units);
    QString text = QString::number(magnitude / static_cast<std::uint64_t>(kScale));
    std::uint64_t fraction = magnitude % static_cast<std::uint64_t>(kScale);
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += decimalPoint + digits;
    }
    return negative ? minusSign + text : text;
}
