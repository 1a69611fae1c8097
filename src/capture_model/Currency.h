#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// A currency amount as a whole number of ten-thousandths: amounts keep four decimals at most,
// and add and compare without the drift of binary fractions.
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency FromUnits(std::int64_t tenThousandths) {
        Currency c;
        c.m_units = tenThousandths;
        return c;
    }
    // The nearest amount (a tie goes to the even ten-thousandth); nothing for a number that is
    // not finite or lies beyond about 922 trillion.
    static std::optional<Currency> FromDouble(double value);

    std::int64_t Units() const { return m_units; }
    bool IsZero() const { return m_units == 0; }
    double ToDouble() const;
    // Rounded to a number of decimals from 0 to 4, a half away from zero; saturates at the ends.
    Currency RoundedTo(int decimals) const;
    // The amount with as many decimals as it needs (none for a whole amount), no grouping, ASCII
    // digits and the given decimal point and minus sign: 1234.5, -0.0001, 12.
    QString PlainText(const QString& decimalPoint, const QString& minusSign) const;

    friend bool operator==(const Currency&, const Currency&) = default;

private:
    std::int64_t m_units = 0;
};
