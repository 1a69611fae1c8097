#pragma once

#include "capture_model/CCaptureControl.h"

#include <memory>

// One box of the stationery that is either marked or left empty. On the capture screen it is a
// check box; on paper the mark (by default "X") is printed centred in the square when checked.
class CMarcaVar : public CCaptureControl {
public:
    // The size of the check box on the capture screen until the control is placed there.
    static constexpr int kUnplacedScreenSide = 15;

    CMarcaVar();
    // A new 45 x 45 square with its lower-left corner at (x, y) of the page.
    static std::unique_ptr<CMarcaVar> Create(int x, int y);

    void WriteRecord(Archive& ar) const override;
    void ReadRecord(Archive& ar) override;
    void LoadValue(Archive& ar) override;
    void SaveValue(Archive& ar) override;
    // Rebuilds the square from its left and lower edges: a side of the character height + 5.
    void FitHeightToFont() override;
    // A check mark has no handles: its size follows its font.
    void UpdateHandles() override;
    // Until it is placed there, the check box lies at the square's upper-left corner.
    ScreenRect UnplacedScreenRect() const override;
    void Draw(DrawingSurface& dc) const override;
    void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const override;
    void ClearValue() override;
    void Print(DrawingSurface& dc) const override;
    void DescribeOwnFields(ControlFields& fields) const override;

    // Whether the box is marked: the mark is printed only then.
    bool IsChecked() const { return m_checked; }
    // Marks or clears the box.
    void SetChecked(bool checked);

    QString mark = QStringLiteral("X");

private:
    // The mark at the middle of the rectangle's lower edge, clipped to it.
    void DrawMark(DrawingSurface& dc, const Rect& normalized) const;
    void BuildSquare();

    bool m_checked = false;
};
