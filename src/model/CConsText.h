#pragma once

#include "model/CControles.h"

#include <memory>

// A single line of fixed text, printed on the page. Its alignment is one of the text-alignment
// codes 0 (left), 2 (right) or 6 (centre).
class CConsText : public CControles {
public:
    CConsText();
    // A new text on the page with its lower-left corner at (x, y), 40 mm wide.
    static std::unique_ptr<CConsText> Create(int x, int y, const QString& text);

    void UpdateHandles() override;
    void Draw(DrawingSurface& dc) const override;
    void Print(DrawingSurface& dc) const override;

    // Where a line aligned by `alignment` starts in a rectangle: 2 units inside the left or right
    // edge, or in the middle.
    static int AnchorX(const Rect& normalized, int alignment);
    // The alignment a one-line text is drawn with: the stored horizontal code on the lower edge.
    static TextAlignFlags LineAlignment(int alignment);
};
