#pragma once

#include "capture_model/AutomationDate.h"
#include "capture_model/CCaptureControl.h"
#include "capture_model/DateText.h"

#include <QDateTime>

#include <memory>
#include <optional>

class QDateEdit;

// A calendar date taken with a date picker on the capture screen and printed in one of three
// layouts: 5/9/2003, 05/Sep/2003 or 5/Septiembre/2003.
class CDateInput : public CCaptureControl {
public:
    CDateInput();
    // A new date field with its lower-left corner at (x, y) of the page, 40 mm wide.
    static std::unique_ptr<CDateInput> Create(int x, int y);

    void WriteRecord(Archive& ar) const override;
    void ReadRecord(Archive& ar) override;
    // Reads a status and a day number and holds them; a valid date within the picker's range is
    // shown, anything else leaves the picker as it was.
    void LoadValue(Archive& ar) override;
    void SaveValue(Archive& ar) override;
    int CreateCaptureWindow(DrawingSurface& dc, QWidget* parent, int firstId,
                            const QFont* font) override;
    void UpdateHandles() override;
    void Draw(DrawingSurface& dc) const override;
    void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const override;
    // Back to the current date and time: a date field is never empty.
    void ClearValue() override;
    void Print(DrawingSurface& dc) const override;
    void DescribeOwnFields(ControlFields& fields) const override;

    QDateEdit* Picker() const;
    // The text Print puts on the page for the date held, or empty when there is none.
    QString PrintedText() const;

    // The captured date as the captured-data file keeps it. An empty field holds status valid
    // and day 0, which is what the file keeps for it.
    AutomationDate::Status Status() const { return m_status; }
    double DayNumber() const { return m_dayNumber; }
    // Whether the field holds no date: none was given to it and no picker shows one. An empty
    // field prints nothing.
    bool IsEmpty() const { return m_empty; }
    // The calendar date held, or nothing for an empty field, a status other than valid or a day
    // number outside the type's range.
    std::optional<QDateTime> Date() const;
    // Holds a status and day number as given, and shows the date on the picker if there is one.
    // A picker cannot show anything but a calendar date: given anything else it keeps its date,
    // and with a picker the field always holds the date the picker shows.
    void SetDate(AutomationDate::Status status, double dayNumber);
    void SetDate(const QDateTime& date);

    DateText::Layout dateLayout = DateText::Layout::Numeric;

private:
    // The date the picker shows becomes the date held.
    void HoldShownDate(const QDateTime& shown);

    AutomationDate::Status m_status = AutomationDate::Status::Valid;
    double m_dayNumber = 0;
    bool m_empty = true;
};
