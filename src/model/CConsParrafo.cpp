#include "model/CConsParrafo.h"

#include "model/ControlType.h"

#include <cstdlib>

CConsParrafo::CConsParrafo() : CControles(ControlTypeCode::ConsParrafo) {}

std::unique_ptr<CConsParrafo> CConsParrafo::Create(int x, int y, const QString& text) {
    auto control = std::make_unique<CConsParrafo>();
    control->text = text;
    control->pageRect = PageRect(x, y, x + 600, y + 3 * control->font.height - 5);
    control->UpdateHandles();
    return control;
}

void CConsParrafo::FitHeightToFont() {
    font.height = font.height == INT32_MIN ? INT32_MIN + 1 : -std::abs(font.height);
}

void CConsParrafo::UpdateHandles() {
    SetHandles(DesignRect(), true, true);
}

Rect CConsParrafo::TextBox(Rect r) {
    r.Inflate(2, 2);
    return r;
}

void CConsParrafo::Draw(DrawingSurface& dc) const {
    const Pen red{PenStyle::Solid, 1, kSelectionRed};
    Pen previousPen;
    if (selected)
        previousPen = dc.SelectPen(red);
    dc.SetTextColor(color);
    const LogFont previousFont = dc.SelectFont(font);
    Rect r = TextBox(pageRect.Offsetted(kDesignShiftX, kDesignShiftY));
    if (selected) {
        dc.Rectangle(r);
        DrawHandles(dc);
    }
    dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
    dc.DrawText(text, r,
                TextLayoutFlags::fromInt(static_cast<unsigned>(alignment)) | TextLayout::WordBreak);
    if (selected)
        dc.SelectPen(previousPen);
    dc.SelectFont(previousFont);
}

void CConsParrafo::Print(DrawingSurface& dc) const {
    Rect r = TextBox(pageRect);
    const LogFont previousFont = dc.SelectFont(font);
    dc.SelectFont(MakePrintFont(dc.GetTextMetrics()));
    dc.SetTextColor(color);
    dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
    dc.DrawText(text, r,
                TextLayoutFlags::fromInt(static_cast<unsigned>(alignment)) | TextLayout::WordBreak);
    dc.SelectFont(previousFont);
}
