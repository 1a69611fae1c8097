#pragma once

#include "model/CControles.h"

#include <memory>

// A horizontal or vertical rule, 0.2 mm wide, running through the middle of its rectangle.
class CLinea : public CControles {
public:
    CLinea();
    // A 40 mm horizontal line starting at (x, y).
    static std::unique_ptr<CLinea> Create(int x, int y);

    void WriteRecord(Archive& ar) const override;
    void ReadRecord(Archive& ar) override;
    void UpdateHandles() override;
    void Draw(DrawingSurface& dc) const override;
    void Print(DrawingSurface& dc) const override;
    void DescribeOwnFields(ControlFields& fields) const override;

    // Turns the line about its upper or left end, keeping its length.
    void MakeHorizontal();
    void MakeVertical();
    bool IsHorizontal() const { return m_horizontal; }

private:
    void DrawSegment(DrawingSurface& dc, const Rect& normalized) const;

    bool m_horizontal = true;
};
