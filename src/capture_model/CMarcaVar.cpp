#include "capture_model/CMarcaVar.h"

#include "model/ControlType.h"
#include "platform/Archive.h"
#include "platform/Saturate.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

CMarcaVar::CMarcaVar() : CCaptureControl(ControlTypeCode::MarcaVar) {
    alignment = static_cast<int>(TextAlign::Center);
}

std::unique_ptr<CMarcaVar> CMarcaVar::Create(int x, int y) {
    auto control = std::make_unique<CMarcaVar>();
    control->text = QStringLiteral("Marca de verificación");
    control->pageRect = PageRect(x, y, x, y);
    control->BuildSquare();
    return control;
}

void CMarcaVar::BuildSquare() {
    // The side comes from the character height, whichever sign the font record gives it.
    const std::int64_t side = std::abs(std::int64_t{font.height}) + 5;
    pageRect.right = Saturate(std::int64_t{pageRect.left} + side);
    pageRect.top = Saturate(std::int64_t{pageRect.bottom} + side);
}

void CMarcaVar::WriteRecord(Archive& ar) const {
    WriteBase(ar);
    ar.WriteString(mark);
}

void CMarcaVar::ReadRecord(Archive& ar) {
    ReadBase(ar);
    mark = ar.ReadString();
}

void CMarcaVar::SetChecked(bool checked) {
    m_checked = checked;
}

void CMarcaVar::LoadValue(Archive& ar) {
    // Any value other than 0 marks the box; it is written back as 1.
    SetChecked(ar.ReadInt32() != 0);
}

void CMarcaVar::SaveValue(Archive& ar) {
    ar.WriteInt32(captureOrder);
    ar.WriteInt32(m_checked ? 1 : 0);
}

void CMarcaVar::FitHeightToFont() {
    font.height = Saturate(-std::abs(std::int64_t{font.height}));
    BuildSquare();
}

void CMarcaVar::UpdateHandles() {}

void CMarcaVar::DrawMark(DrawingSurface& dc, const Rect& r) const {
    dc.SetTextAlign(TextAlign::Center | TextAlign::Bottom);
    const LogFont previousFont = dc.SelectFont(font);
    dc.ExtTextOut(Midpoint(r.left, r.right), r.top, TextOutOption::Clipped, r, mark);
    dc.SelectFont(previousFont);
}

ScreenRect CMarcaVar::UnplacedScreenRect() const {
    const ScreenRect s = PageOnScreen();
    return ScreenRect(s.left, s.top, SaturatedAdd(s.left, kUnplacedScreenSide),
                      SaturatedAdd(s.top, kUnplacedScreenSide));
}

void CMarcaVar::Draw(DrawingSurface& dc) const {
    const Pen previousPen = SelectSelectionPen(dc);
    dc.SetTextColor(color);
    const Rect r = DesignRect();
    dc.Rectangle(r);
    DrawMark(dc, r);
    RestorePen(dc, previousPen);
}

void CMarcaVar::DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const {
    const Pen previousPen = SelectSelectionPen(dc);
    const Rect& s = screenRect;
    dc.Rectangle(s);
    dc.MoveTo(SaturatedAdd(s.left, 2), SaturatedAdd(s.top, 2));
    dc.LineTo(SaturatedAdd(s.right, -2), SaturatedAdd(s.bottom, -2));
    dc.MoveTo(SaturatedAdd(s.left, 2), SaturatedAdd(s.bottom, -2));
    dc.LineTo(SaturatedAdd(s.right, -2), SaturatedAdd(s.top, 2));
    RestorePen(dc, previousPen);
    const LogFont previousFont = dc.SelectFont(screenFont ? *screenFont : dc.GetFont());
    CControles::DrawOnScreenLayout(dc, showOrder);
    dc.SelectFont(previousFont);
}

void CMarcaVar::ClearValue() {
    SetChecked(false);
}

void CMarcaVar::Print(DrawingSurface& dc) const {
    if (!m_checked)
        return;
    dc.SetTextColor(color);
    DrawMark(dc, pageRect.Normalized());
}

void CMarcaVar::DescribeOwnFields(ControlFields& fields) const {
    fields.emplace_back(QStringLiteral("mark"), mark);
}
