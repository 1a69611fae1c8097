#pragma once

#include "capture_model/CCaptureControl.h"

#include <memory>

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
    void StartCapture() override;
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

    // The text written into the boxes, one character per box.
    const QString& Value() const { return m_value; }
    // Sets the text, whole: loaded from a file or given by a script. Once the capture has
    // started, the keyboard adds no characters beyond the boxes, nor beyond a longer text so
    // set; printing shows only what falls in them.
    void SetValue(const QString& value);
    // The user types the text over all the field held: what goes past the entry's limit is
    // left out (in capitals when the field takes capitals).
    void TypeValue(const QString& text);
    // The user leaves the field: a longer text shortened by the keyboard cannot grow again.
    void Leave();
    // The most characters the keyboard may leave in the entry: the boxes, or the longer text
    // set whole or held when the field was last left.
    int EntryLimit() const { return m_entryLimit; }

    int boxCount = 8;
    int boxDistance = 10;
    int boxWidth = 50;

private:
    // Lets the entry hold text whole, and the keyboard add no character past the last box or
    // past the end of a longer text.
    void LimitEntry(const QString& text);

    QString m_value;
    int m_entryLimit = 0;
};
