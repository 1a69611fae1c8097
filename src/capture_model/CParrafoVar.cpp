#include "capture_model/CParrafoVar.h"

#include "capture_model/EntryRules.h"
#include "model/ControlType.h"
#include "platform/Archive.h"

#include <climits>
#include <cstdlib>

CParrafoVar::CParrafoVar() : CCaptureControl(ControlTypeCode::ParrafoVar) {
    captionLeft = false;
}

std::unique_ptr<CParrafoVar> CParrafoVar::Create(int x, int y) {
    auto control = std::make_unique<CParrafoVar>();
    control->text = QStringLiteral("Parrafo de texto");
    control->pageRect = PageRect(x, y, x + 600, y + 3 * control->font.height - 5);
    control->UpdateHandles();
    return control;
}

void CParrafoVar::SetValue(const QString& value) {
    m_value = IsCapturing() ? EntryRules::Paragraph(value, false) : value;
}

void CParrafoVar::TypeValue(const QString& text) {
    m_value = IsCapturing() ? EntryRules::Paragraph(text, IsUpperCase()) : text;
}

void CParrafoVar::LoadValue(Archive& ar) {
    SetValue(ar.ReadString());
}

void CParrafoVar::SaveValue(Archive& ar) {
    ar.WriteInt32(captureOrder);
    ar.WriteString(m_value);
}

void CParrafoVar::StartCapture() {
    CCaptureControl::StartCapture();
    SetValue(m_value);
}

void CParrafoVar::FitHeightToFont() {
    font.height = font.height == INT_MIN ? INT_MIN + 1 : -std::abs(font.height);
}

void CParrafoVar::UpdateHandles() {
    SetCaptureHandles(true);
}

TextLayoutFlags CParrafoVar::ParagraphLayout() const {
    switch (alignment) {
    case 1:
        return TextLayout::Center;
    case 2:
        return TextLayout::Right;
    default:
        return TextLayout::Left;
    }
}

void CParrafoVar::Draw(DrawingSurface& dc) const {
    const QString name = DisplayName();
    const Pen previousPen = SelectSelectionPen(dc);
    dc.SetTextColor(color);
    Rect r = pageRect.Offsetted(kDesignShiftX, kDesignShiftY);
    dc.Rectangle(r);
    if (selected)
        DrawHandles(dc);
    const LogFont previousFont = dc.SelectFont(font);
    dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
    dc.DrawText(name, r, ParagraphLayout() | TextLayout::SingleLine);
    RestorePen(dc, previousPen);
    dc.SelectFont(previousFont);
}

ScreenRect CParrafoVar::UnplacedScreenRect() const {
    return PageOnScreen();
}

void CParrafoVar::DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const {
    DrawScreenField(dc, showOrder);
}

void CParrafoVar::ClearValue() {
    m_value.clear();
}

void CParrafoVar::Print(DrawingSurface& dc) const {
    if (!PrintsText(m_value))
        return;
    const LogFont previousFont = dc.SelectFont(font);
    dc.SetTextColor(color);
    dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
    Rect r = pageRect;
    dc.DrawText(m_value, r, ParagraphLayout() | TextLayout::WordBreak);
    dc.SelectFont(previousFont);
}
