#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

// The printed forms of a date: numeric, with the Spanish month abbreviation and with the full
// Spanish month name.
class DateText {
public:
    // A layout read from a file is held as it was written; one outside the list prints as
    // Abbreviated.
    enum class Layout : std::int32_t { Numeric = 0, Abbreviated = 1, FullMonth = 2 };

    // The month's name ("Enero" ... "Diciembre") and abbreviation ("Ene" ... "Dic"); index 0
    // and anything outside 1 to 12 give "zero".
    static QString MonthName(int month);
    static QString MonthAbbreviation(int month);

    // The date in a layout: 0 "5/9/2003", 2 "5/Septiembre/2003", 1 and any other
    // FormatDate(date, false, false).
    static QString Format(const QDateTime& date, Layout layout);

    // The common date text: "05/Sep/2003", or "--/--/--" up to the year 1900; with timeOnly the
    // hour and minute ("09:05"); with withTime the date followed by " 09:05:07".
    static QString FormatDate(const QDateTime& date, bool timeOnly, bool withTime);

    // A number written with "%d" and filled with zeros on the left to a width.
    static QString ZeroFilled(int value, int width);
};
