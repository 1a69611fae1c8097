#include "model/CConsText.h"

#include "model/ControlType.h"
#include "platform/Saturate.h"

CConsText::CConsText() : CControles(ControlTypeCode::ConsText) {}

std::unique_ptr<CConsText> CConsText::Create(int x, int y, const QString& text) {
    auto control = std::make_unique<CConsText>();
    control->PlaceTextLine(x, y, text);
    return control;
}

void CConsText::UpdateHandles() {
    SetHandles(DesignRect(), true, false);
}

int CConsText::AnchorX(const Rect& r, int alignment) {
    switch (alignment) {
    case static_cast<int>(TextAlign::Right):
        return SaturatedAdd(r.right, -2);
    case static_cast<int>(TextAlign::Center):
        return Midpoint(r.left, r.right);
    default:
        return SaturatedAdd(r.left, 2);
    }
}

TextAlignFlags CConsText::LineAlignment(int alignment) {
    return TextAlignFlags::fromInt(static_cast<unsigned>(alignment) +
                                   static_cast<unsigned>(TextAlign::Bottom));
}

void CConsText::Draw(DrawingSurface& dc) const {
    const Pen red{PenStyle::Solid, 1, kSelectionRed};
    Pen previousPen;
    if (selected)
        previousPen = dc.SelectPen(red);
    dc.SetTextColor(color);
    const LogFont previousFont = dc.SelectFont(font);
    const Rect r = DesignRect();
    if (selected) {
        dc.Rectangle(r);
        DrawHandles(dc);
    }
    dc.SetTextAlign(LineAlignment(alignment));
    dc.ExtTextOut(AnchorX(r, alignment), r.top, TextOutOption::Clipped, r, text);
    if (selected)
        dc.SelectPen(previousPen);
    dc.SelectFont(previousFont);
}

void CConsText::Print(DrawingSurface& dc) const {
    const Rect r = pageRect.Normalized();
    const LogFont previousFont = dc.SelectFont(font);
    dc.SelectFont(MakePrintFont(dc.GetTextMetrics()));
    dc.SetTextColor(color);
    dc.SetTextAlign(LineAlignment(alignment));
    dc.ExtTextOut(AnchorX(r, alignment), r.top, TextOutOption::Clipped, r, text);
    dc.SelectFont(previousFont);
}
