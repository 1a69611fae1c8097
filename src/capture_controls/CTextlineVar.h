#pragma once

#include "capture_controls/CCaptureControl.h"

#include <memory>

class CCaptureEdit;

// A one-line field on the page whose value the user types or an expression computes. Its data
// type says how the value is shown: as text, as a number or as a currency amount.
class CTextlineVar : public CCaptureControl {
public:
    CTextlineVar();
    // A new field with its lower-left corner at (x, y) of the page, 40 mm wide.
    static std::unique_ptr<CTextlineVar> Create(int x, int y);

    void Serialize(Archive& ar) override;
    void LoadValue(Archive& ar) override;
    void SaveValue(Archive& ar) override;
    int CreateCaptureWindow(DrawingSurface& dc, QWidget* parent, int firstId,
                            const QFont* font) override;
    void UpdateHandles() override;
    void Draw(DrawingSurface& dc) override;
    void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) override;
    void ClearValue() override;
    void Print(DrawingSurface& dc) override;
    void DescribeOwnFields(ControlFields& fields) const override;

    // The entry box, or nullptr before the capture screen is built.
    CCaptureEdit* Edit() const;
    // Whether an expression computes the value.
    bool IsCalculated() const { return !expression.isEmpty(); }

    QString expression;
    // The last value the calculation set or computed, as text and as a number.
    QString valueText;
    double numericValue = 0;
    int dataType = 0;
};
