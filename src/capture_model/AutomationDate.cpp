#include "capture_model/AutomationDate.h"

#include <cmath>

namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

} // namespace

double AutomationDate::FromDateTime(const QDateTime& dateTime) {
    const qint64 days = Epoch().daysTo(dateTime.date());
    const double fraction = dateTime.time().msecsSinceStartOfDay() / kMillisecondsPerDay;
    // Days before the epoch count backward, the time of day forward.
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

std::optional<QDateTime> AutomationDate::ToDateTime(double dayNumber) {
    if (!std::isfinite(dayNumber) || dayNumber < kFirstDay || dayNumber >= kLastDay + 1.0)
        return std::nullopt;
    const double whole = std::trunc(dayNumber);
    qint64 milliseconds = std::llround(std::fabs(dayNumber - whole) * kMillisecondsPerDay);
    QDate date = Epoch().addDays(static_cast<qint64>(whole));
    // A fraction that rounds to a whole day is midnight of the next one.
    if (milliseconds >= static_cast<qint64>(kMillisecondsPerDay)) {
        milliseconds = 0;
        date = date.addDays(1);
    }
    if (date > QDate(9999, 12, 31))
        return std::nullopt;
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(milliseconds)));
}
