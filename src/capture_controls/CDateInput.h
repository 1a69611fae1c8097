#pragma once

#include "capture_controls/CCaptureControl.h"

#include <memory>

class QDateEdit;

// A calendar date taken with a date picker on the capture screen and printed in one of three
// layouts: 5/9/2003, 05/Sep/2003 or 5/Septiembre/2003.
class CDateInput : public CCaptureControl {
public:
    CDateInput();
    // A new date field with its lower-left corner at (x, y) of the page, 40 mm wide.
    static std::unique_ptr<CDateInput> Create(int x, int y);

    void Serialize(Archive& ar) override;
    // Reads a status and a day number; a valid date within the picker's range is shown, anything
    // else leaves the picker as it was.
    void LoadValue(Archive& ar) override;
    void SaveValue(Archive& ar) override;
    int CreateCaptureWindow(DrawingSurface& dc, QWidget* parent, int firstId,
                            const QFont* font) override;
    void UpdateHandles() override;
    void Draw(DrawingSurface& dc) override;
    void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) override;
    // Back to the current date and time: a date field is never empty.
    void ClearValue() override;
    void Print(DrawingSurface& dc) override;
    void DescribeOwnFields(ControlFields& fields) const override;

    QDateEdit* Picker() const;
    // The text Print puts on the page for the picker's date, or empty without a picker.
    QString PrintedText() const;

    int dateLayout = 0;
};
