#include "capture_model/CCaptureControl.h"

#include "model/CConsText.h"
#include "platform/Saturate.h"

CCaptureControl::CCaptureControl(ControlTypeCode type) : CControles(type) {}

LogFont CCaptureControl::ScreenFont() {
    LogFont font = LogFont::Make(14, 0, 400, QStringLiteral("Arial")); // cell height
    font.pitchAndFamily = 32;                                          // swiss
    return font;
}

ScreenRect CCaptureControl::UnplacedScreenRect() const {
    const ScreenRect s = PageOnScreen();
    return ScreenRect(s.left, s.top, s.right, SaturatedAdd(s.top, kUnplacedScreenHeight));
}

QString CCaptureControl::DisplayName() const {
    return IsUpperCase() ? text.toUpper() : text;
}

void CCaptureControl::SetCaptureHandles(bool heightHandles) {
    if (!screenHandles) {
        SetHandles(DesignRect(), true, heightHandles);
        return;
    }
    const Rect r = screenRect.Normalized();
    const int midX = Midpoint(r.left, r.right);
    const int midY = Midpoint(r.top, r.bottom);
    const auto square = [](int x, int y) {
        return Rect(x - kScreenHandleHalf, y - kScreenHandleHalf, x + kScreenHandleHalf,
                    y + kScreenHandleHalf);
    };
    handles.fill(Rect());
    handles[0] = square(r.left, midY);
    handles[1] = square(r.right, midY);
    if (heightHandles) {
        handles[2] = square(midX, r.bottom);
        handles[3] = square(midX, r.top);
    }
}

Pen CCaptureControl::SelectSelectionPen(DrawingSurface& dc) const {
    if (!selected)
        return Pen();
    return dc.SelectPen(Pen{PenStyle::Solid, 1, kSelectionRed});
}

void CCaptureControl::RestorePen(DrawingSurface& dc, const Pen& previous) const {
    if (selected)
        dc.SelectPen(previous);
}

TextAlignFlags CCaptureControl::LineAlign() const {
    return (TextAlignFlags::fromInt(static_cast<unsigned>(alignment)) & TextAlign::HorizontalMask) |
           TextAlign::Bottom;
}

void CCaptureControl::DrawNameLine(DrawingSurface& dc) const {
    const Pen previousPen = SelectSelectionPen(dc);
    dc.SetTextColor(color);
    const Rect r = DesignRect();
    dc.Rectangle(r);
    if (selected)
        DrawHandles(dc);
    dc.SetTextAlign(LineAlign());
    const LogFont previousFont = dc.SelectFont(font);
    dc.ExtTextOut(CConsText::AnchorX(r, alignment), r.top, TextOutOption::Clipped, r,
                  DisplayName());
    RestorePen(dc, previousPen);
    dc.SelectFont(previousFont);
}

void CCaptureControl::DrawScreenField(DrawingSurface& dc, bool showOrder) const {
    const Pen previousPen = SelectSelectionPen(dc);
    dc.Rectangle(screenRect);
    if (selected)
        DrawHandles(dc);
    const LogFont previousFont = dc.SelectFont(screenFont ? *screenFont : dc.GetFont());
    CControles::DrawOnScreenLayout(dc, showOrder);
    RestorePen(dc, previousPen);
    dc.SelectFont(previousFont);
}

void CCaptureControl::PrintLine(DrawingSurface& dc, const QString& line) const {
    const Rect r = pageRect.Normalized();
    const LogFont previousFont = dc.SelectFont(font);
    dc.SetTextColor(color);
    dc.SetTextAlign(LineAlign());
    dc.ExtTextOut(CConsText::AnchorX(r, alignment), r.top, TextOutOption::Clipped, r, line);
    dc.SelectFont(previousFont);
}
