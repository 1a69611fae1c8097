#pragma once

#include "capture_model/CCaptureControl.h"

#include <memory>

class QLineEdit;

// Text written one character per printed box, as official forms ask for codes and names: a row
// of equal square boxes laid out from the left edge, each character centred in its own box.
class CCuadrosVar : public CCaptureControl {
public:
    // No stationery has more boxes in a row; the drawing stops there whatever the count says.
    static constexpr int kMostBoxesDrawn = 1000;

    CCuadrosVar();
    // A new row of 8 boxes with its lower-left corner at (x, y) of the page.
    static std::unique_ptr<CCuadrosVar> Create(int x, int y);

    void WriteRecord(Archive& ar) const override;
    void ReadRecord(Archive& ar) override;
    void LoadValue(Archive& ar) override;
    void SaveValue(Archive& ar) override;
    int CreateCaptureWindow(DrawingSurface& dc, QWidget* parent, int firstId,
                            const QFont* font) override;
    // Boxes as high as the characters plus 5 units, half that apart.
    void FitHeightToFont() override;
    void UpdateHandles() override;
    // Moves the edge and spreads the boxes over the new width.
    void ResizeByHandle(Handle handle, int dx, int dy) override;
    void Draw(DrawingSurface& dc) const override;
    void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const override;
    void ClearValue() override;
    void Print(DrawingSurface& dc) const override;
    void DescribeOwnFields(ControlFields& fields) const override;

    // Sets the number of boxes and rebuilds the rectangle.
    void SetBoxCount(int count);
    // Rebuilds the rectangle from its left and lower edges: square boxes, right edge at
    // left + (distance + width - 1) x count. A count of 0 or less lays out no boxes.
    void LayoutBoxes();
    // The horizontal span of box i (from 0) on a normalized rectangle, in the same units.
    void BoxSpan(const Rect& normalized, int index, int& left, int& right) const;
    // The horizontal middle of box i, where its character stands.
    int BoxMiddle(const Rect& normalized, int index) const;
    // The most characters the entry box takes: the box count, none when there are no boxes.
    int MaxLength() const;

    QLineEdit* Edit() const;

    // The text written into the boxes, one character per box.
    const QString& Value() const { return m_value; }
    // Sets the text, whole, and shows it in the entry box, if there is one. The keyboard adds no
    // characters beyond the boxes (nor beyond a longer text so set); printing shows only what
    // falls in them.
    void SetValue(const QString& value);

    int boxCount = 8;
    int boxDistance = 10;
    int boxWidth = 50;

private:
    // Lets the entry box hold text whole, and the keyboard add no character past the last box
    // or past the end of a longer text.
    void LimitEntry(QLineEdit& edit, const QString& text) const;

    QString m_value;
};
