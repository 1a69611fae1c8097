#pragma once

#include "model/CControles.h"

#include <memory>

// Fixed text of several lines, word-wrapped inside its rectangle and printed. Its alignment is
// a word-wrap code: 0 left, 1 centre, 2 right.
class CConsParrafo : public CControles {
public:
    CConsParrafo();
    // A new paragraph hanging from (x, y), 60 mm wide and three lines high.
    static std::unique_ptr<CConsParrafo> Create(int x, int y, const QString& text);

    void FitHeightToFont() override;
    void UpdateHandles() override;
    void Draw(DrawingSurface& dc) const override;
    void Print(DrawingSurface& dc) const override;

private:
    // The rectangle the text wraps in: 2 units larger on each side as stored, not normalized.
    static Rect TextBox(Rect r);
};
