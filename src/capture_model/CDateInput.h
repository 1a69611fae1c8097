#pragma once

#include "capture_model/AutomationDate.h"
#include "capture_model/CCaptureControl.h"
#include "capture_model/DateText.h"

#include <QDateTime>

#include <memory>
#include <optional>

// A calendar date taken with a date picker on the capture screen and printed in one of three
// layouts: 5/9/2003, 05/Sep/2003 or 5/Septiembre/2003.
//
// Once the capture has started the field is never empty, as the picker never is: it holds the
// current date and time until another date is given, and goes back to them when cleared. It
// then holds only dates from 1 January 100 to 31 December 9999, to the millisecond; a day
// number that is no such date leaves the date it held.
class CDateInput : public CCaptureControl {
public:
    CDateInput();
    // A new date field with its lower-left corner at (x, y) of the page, 40 mm wide.
    static std::unique_ptr<CDateInput> Create(int x, int y);

    void WriteRecord(Archive& ar) const override;
    void ReadRecord(Archive& ar) override;
    // Reads a status and a day number and holds them as SetDate does.
    void LoadValue(Archive& ar) override;
    void SaveValue(Archive& ar) override;
    // Holds the date given before, or else the current date and time.
    void StartCapture() override;
    void UpdateHandles() override;
    void Draw(DrawingSurface& dc) const override;
    void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const override;
    // Empty, or once the capture has started back to the current date and time.
    void ClearValue() override;
    void Print(DrawingSurface& dc) const override;
    void DescribeOwnFields(ControlFields& fields) const override;

    // The first and last days a date field takes while the format is filled in.
    static QDate FirstDate() { return QDate(100, 1, 1); }
    static QDate LastDate() { return QDate(9999, 12, 31); }

    // The text Print puts on the page for the date held, or empty when there is none.
    QString PrintedText() const;

    // The captured date as the captured-data file keeps it. An empty field holds status valid
    // and day 0, which is what the file keeps for it.
    AutomationDate::Status Status() const { return m_status; }
    double DayNumber() const { return m_dayNumber; }
    // Whether the field holds no date: none was given to it and the capture has not started.
    // An empty field prints nothing.
    bool IsEmpty() const { return m_empty; }
    // The calendar date held, or nothing for an empty field, a status other than valid or a day
    // number outside the type's range.
    std::optional<QDateTime> Date() const;
    // Holds a status and day number as given. Once the capture has started, the field holds
    // calendar dates only: given anything else it keeps its date, and a date outside the days
    // it takes becomes the nearest of them.
    void SetDate(AutomationDate::Status status, double dayNumber);
    void SetDate(const QDateTime& date);
    // The user picks a day: the time of day held stays.
    void PickDate(const QDate& date);

    DateText::Layout dateLayout = DateText::Layout::Numeric;

private:
    // The date shown on the capture screen, brought within the days it takes, becomes the date
    // held.
    void HoldShownDate(const QDateTime& shown);

    AutomationDate::Status m_status = AutomationDate::Status::Valid;
    double m_dayNumber = 0;
    bool m_empty = true;
    // While capturing: the date and time held, to the millisecond.
    QDateTime m_shown;
};
