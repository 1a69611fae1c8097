#pragma once

#include <QDateTime>

#include <cstdint>
#include <optional>

// A date as captured-data files keep it: a status (0 valid, 1 invalid, 2 null) and a day number
// counted from 30 December 1899, whose fraction is the time of day. Before that day the whole
// part counts backward while the fraction still runs forward: -1.25 is 29 December 1899, 6:00.
class AutomationDate {
public:
    // Held with the file's 32-bit value, whatever it is: a status read from a file is written
    // back unchanged.
    enum class Status : std::int32_t { Valid = 0, Invalid = 1, Null = 2 };

    // The first and last days the type holds: 1 January 100 and 31 December 9999.
    static constexpr double kFirstDay = -657434.0;
    static constexpr double kLastDay = 2958465.0;

    static QDate Epoch() { return QDate(1899, 12, 30); }

    // The day number of a date and time (to the millisecond).
    static double FromDateTime(const QDateTime& dateTime);
    // The date and time of a day number, nothing for one outside the type's range or not finite.
    static std::optional<QDateTime> ToDateTime(double dayNumber);
};
